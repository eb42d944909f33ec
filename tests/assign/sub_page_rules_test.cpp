#include "assign/sub_page_rules.h"

#include <gtest/gtest.h>

#include "base/text.h"
#include "catalogue/key_names.h"

namespace tarn {
namespace {

constexpr uint32_t kDown = 0x00, kUp = 0x80;

TEST(ComboCapture, CtrlThenAGivesCtrlPlusA) {
    ComboCapture c;
    c.OnHookKey(162, kDown);  // left Ctrl pressed
    c.OnHookKey(162, kUp);
    EXPECT_TRUE(c.OnHookKey('A', kDown));
    c.OnHookKey('A', kUp);
    AssignmentResult r;
    c.Fill(r);
    EXPECT_EQ(r.code, 0x00040100u);
    EXPECT_EQ(r.kind, kKindCombination);
    EXPECT_EQ(ComboDisplayName(r.code), u"Ctrl + A");
}

TEST(ComboCapture, OnlyTheLastKeyCountsDownOrUp) {
    ComboCapture c;
    c.OnHookKey('A', kDown);
    c.OnHookKey('B', kDown);
    EXPECT_EQ(c.Word(), 0x00050000u);
    c.OnHookKey('A', kUp);  // a late release of A takes the key back
    EXPECT_EQ(c.CapturedKey(), static_cast<uint32_t>('A'));
}

TEST(ComboCapture, ModifierPressesToggleTheirBoxReleasesDoNot) {
    ComboCapture c;
    for (int i = 0; i < 2; ++i) {
        c.OnHookKey(160, kDown);
        c.OnHookKey(160, kUp);
    }
    EXPECT_FALSE(c.Checked(BoxShift));
    // Held down, every auto-repeat inverts the box.
    c.OnHookKey(16, kDown);
    c.OnHookKey(16, kDown);
    c.OnHookKey(16, kDown);
    EXPECT_TRUE(c.Checked(BoxShift));
    // Extended, injected and Alt-held presses count; a press with other bits does not.
    c.OnHookKey(92, 0x01);
    EXPECT_TRUE(c.Checked(BoxWin));
    c.OnHookKey(91, 0x11);
    EXPECT_FALSE(c.Checked(BoxWin));
    c.OnHookKey(165, 0x21);
    EXPECT_TRUE(c.Checked(BoxAlt));
    c.OnHookKey(163, 0x30);
    EXPECT_FALSE(c.Checked(BoxCtrl));
    EXPECT_EQ(c.CapturedKey(), 0u);
}

TEST(ComboCapture, AModifierAloneIsItsOwnKeyTwoAreNothing) {
    ComboCapture alt;
    alt.ToggleBox(BoxAlt);
    EXPECT_EQ(alt.Word(), 0x00E20000u);
    ComboCapture two;
    two.ToggleBox(BoxAlt);
    two.ToggleBox(BoxCtrl);
    EXPECT_EQ(two.Word(), 0u);
    // The last box in the order Ctrl, Alt, Shift, Win names a lone modifier.
    ComboCapture win;
    win.ToggleBox(BoxWin);
    EXPECT_EQ(win.Word(), 0x00E30000u);
    ComboCapture none;
    EXPECT_EQ(none.Word(), 0u);
}

TEST(ComboCapture, KeysWithoutAUsageCountAsNoKey) {
    ComboCapture media;
    media.OnHookKey(0xAF, kDown);  // volume up
    EXPECT_EQ(media.Word(), 0u);
    media.ToggleBox(BoxShift);
    EXPECT_EQ(media.Word(), 0x00E10000u);
    // A code above a byte must not alias the key of its low byte ('A' + 0x100).
    ComboCapture wide;
    wide.OnHookKey(0x141, kDown);
    EXPECT_EQ(wide.Word(), 0u);
    ComboCapture all;
    for (int b = 0; b < kComboBoxCount; ++b) all.ToggleBox(b);
    all.OnHookKey(13, kDown);
    EXPECT_EQ(all.Word(), 0x00280F00u);
}

TEST(BasicList, TwentyFourFunctionsInListOrder) {
    EXPECT_EQ(BasicFunctions[0].code, FnCloseWindow);
    EXPECT_EQ(BasicFunctions[9].text, StringKey::str_mouseleft);
    EXPECT_EQ(BasicFunctions[22].code, FnSnipe);
    EXPECT_EQ(BasicFunctions[23].code, FnFire);
    // Neither wheel direction nor disabling is offered here.
    for (const BasicEntry& e : BasicFunctions) {
        EXPECT_NE(e.code, FnScrollUp);
        EXPECT_NE(e.code, FnScrollDown);
        EXPECT_NE(e.code, FnDisableKey);
        EXPECT_TRUE(FindFunction(e.code) && FindFunction(e.code)->inBasicList) << e.code;
    }
    AssignmentResult r;
    FillBasic(22, r);
    EXPECT_EQ(r.code, 142u);
    EXPECT_EQ(r.kind, kKindBasic);
    FillBasic(-1, r);
    EXPECT_EQ(r.code, 0u);
}

TEST(MacroSubPage, GroupTitlesAndTheFill) {
    EXPECT_EQ(MacroGroupEntryText(12, true), u"远古遗迹守卫2（Dota 2） ");
    EXPECT_EQ(MacroGroupEntryText(12, false), u"Dota 2 ");
    EXPECT_EQ(MacroGroupEntryText(20, false), u"Customisze");
    EXPECT_EQ(MacroGroupEntryText(0, true), u"战地 3");
    AssignmentResult r;
    FillMacro(false, 0, r);
    EXPECT_EQ(r.code, 0u);
    EXPECT_EQ(r.kind, kKindBasic);
    FillMacro(true, 0x15000042, r);
    EXPECT_EQ(r.code, 0x15000042u);
    EXPECT_EQ(r.kind, kKindMacro);
}

TEST(SoftwareActions, ChoiceValues) {
    EXPECT_EQ(ActionChoiceValue(2, 3), 0x00E30006u);
    EXPECT_EQ(ActionChoiceValue(0, 0), 0x00C00006u);
    EXPECT_EQ(ActionChoiceValue(3, 6), 0x00F60006u);
    EXPECT_EQ(PickerOfAction(0).filter, u"(*.wav*)|*.wav*||");
    EXPECT_EQ(PickerOfAction(1).initialFolder, u"c:\\Program Files");
    EXPECT_EQ(PickerOfAction(2).defaultExtension, u".");
    EXPECT_TRUE(PickerOfAction(3).folder);
}

TEST(SoftwareActions, TheCheckedChoiceNeedsItsOwnPath) {
    ActionChoices a;
    const std::u16string program = u"C:\\Games\\My Game\\run.exe";
    a.Browse(1, &program);
    a.Choose(0);  // sound, never browsed
    AssignmentResult r;
    a.Fill(3, r);
    EXPECT_EQ(r.code, 0u);
    a.Choose(1);
    a.Fill(3, r);
    EXPECT_EQ(r.code, ActionChoiceValue(1, 3));
    EXPECT_EQ(r.kind, kKindSoftwareAction);
    EXPECT_EQ(r.actionKind, 1);
    EXPECT_EQ(FromFixed(r.path), program);  // spaces and all
    // A cancelled picker checks its choice and keeps the path as it was.
    a.Browse(1, nullptr);
    EXPECT_TRUE(a.checked[1]);
    EXPECT_EQ(a.paths[1], program);
    a.Browse(3, nullptr);
    EXPECT_EQ(a.checked, (std::array<bool, 4>{false, false, false, true}));
}

TEST(SoftwareActions, APathTooLongForTheRecordIsRefusedNotCut) {
    ActionChoices a;
    const std::u16string fits =
        u"C:\\" + std::u16string(kMaxActionPathLength - 9, u'd') + u"\\a.exe";
    ASSERT_EQ(fits.size(), kMaxActionPathLength);
    EXPECT_EQ(a.Browse(1, &fits), BrowseOutcome::Taken);
    // One unit more: cut to the field it would be "...\a.ex", another file.
    const std::u16string longer = fits.substr(0, 3) + u"d" + fits.substr(3);
    EXPECT_EQ(a.Browse(1, &longer), BrowseOutcome::TooLong);
    EXPECT_EQ(a.paths[1], fits);
    EXPECT_TRUE(a.checked[1]);
    const std::u16string emojiFolder =
        u"D:\\" + std::u16string(200, u'x') + u"\\😀😀\\" + std::u16string(60, u'y');
    EXPECT_EQ(a.Browse(3, &emojiFolder), BrowseOutcome::TooLong);
    EXPECT_EQ(a.paths[3], u"");
    AssignmentResult r;
    a.Fill(0, r);
    EXPECT_EQ(r.code, 0u);  // the folder choice has no path, so the panel cancels
    a.Choose(1);
    a.Fill(0, r);
    EXPECT_EQ(FromFixed(r.path), fits);
}

}  // namespace
}  // namespace tarn
