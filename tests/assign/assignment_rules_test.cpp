#include "assign/assignment_rules.h"

#include <gtest/gtest.h>

#include <cstring>

#include "base/text.h"
#include "macro/macro_store.h"

namespace tarn {
namespace {

class AssignmentRules : public ::testing::Test {
protected:
    void SetUp() override {
        std::memset(&settings, 0, sizeof settings);
        std::memset(&store, 0, sizeof store);
        MakeDefaultProfile(settings.currentProfile);
    }
    ButtonAssignment& Button(int i) { return settings.currentProfile.buttons[i]; }
    std::u16string Name(int i) { return FromFixed(Button(i).displayName); }
    AssignOutcome Assign(int button, uint32_t code, int32_t kind = kKindBasic, bool ok = true) {
        AssignmentResult r;
        r.buttonIndex = button;
        r.code = code;
        r.kind = kind;
        return ApplyAssignment(settings, store, button, ok, r, false);
    }
    SettingsModel settings{};
    MacroStore store{};
};

TEST_F(AssignmentRules, TheOnlyLeftClickCannotBeTakenAwayButMayBeGivenAgain) {
    const ProfileRecord before = settings.currentProfile;
    EXPECT_EQ(Assign(0, FnVolumeUp), AssignOutcome::NoLeftClick);
    EXPECT_EQ(std::memcmp(&before, &settings.currentProfile, sizeof before), 0);
    EXPECT_EQ(Assign(0, FnClick), AssignOutcome::Stored);
    EXPECT_EQ(Button(0).functionType, 1u);
    // With a second button clicking, the first may change; the combination, macro and
    // disable kinds count as what they are, not as their codes.
    EXPECT_EQ(Assign(3, FnClick), AssignOutcome::Stored);
    EXPECT_EQ(Assign(0, kDisabledCode, kKindDisabled), AssignOutcome::Stored);
    EXPECT_EQ(Button(0).functionType, 121u);
    EXPECT_EQ(Name(0), u"Disable key");
    EXPECT_EQ(Assign(3, 0x00040100, kKindCombination), AssignOutcome::NoLeftClick);
    EXPECT_EQ(RefusalMessage(AssignOutcome::NoLeftClick, false),
              u"At least one button must be configured as 'Left click'!");
    EXPECT_EQ(RefusalMessage(AssignOutcome::NoLeftClick, true), u"请保留至少一个键为\"单击\"功能!");
}

TEST_F(AssignmentRules, SniperIsRefusedOnTheWheelOnly) {
    EXPECT_EQ(Assign(5, FnSnipe), AssignOutcome::SniperOnWheel);
    EXPECT_EQ(Assign(6, FnSnipe), AssignOutcome::SniperOnWheel);
    EXPECT_EQ(Button(5).functionType, 11u);
    EXPECT_EQ(Assign(4, FnSnipe), AssignOutcome::Stored);
    EXPECT_EQ(Name(4), u"SNIPE");
    EXPECT_EQ(RefusalMessage(AssignOutcome::SniperOnWheel, false),
              u"This key can not use the sniper function!");
}

TEST_F(AssignmentRules, EachKindIsStoredWithItsName) {
    settings.buttonMacroIds[4] = 0x15000001;
    EXPECT_EQ(Assign(4, FnVolumeUp), AssignOutcome::Stored);
    EXPECT_EQ(Button(4).functionType, 37u);
    EXPECT_EQ(Name(4), u"Volume up");
    EXPECT_EQ(settings.buttonMacroIds[4], 0u);

    EXPECT_EQ(Assign(3, 0x00040100, kKindCombination), AssignOutcome::Stored);
    EXPECT_EQ(Button(3).functionType, 5u);
    EXPECT_EQ(Button(3).comboCode, 0x00040100u);
    EXPECT_EQ(Name(3), u"Ctrl + A");

    MacroRecord& m = store.slots[7];
    m.size = 4108;
    m.tag = MacroTag;
    m.id = 0x15ABCDEF;
    CopyToFixed(m.name, u"Reload");
    EXPECT_EQ(Assign(2, 0x15ABCDEF, kKindMacro), AssignOutcome::Stored);
    EXPECT_EQ(Button(2).functionType, 6u);
    EXPECT_EQ(Button(2).macroId, 0x15ABCDEFu);
    EXPECT_EQ(settings.buttonMacroIds[2], 0x15ABCDEFu);
    EXPECT_EQ(Name(2), u"Reload");
    // An id the store does not hold binds nothing.
    EXPECT_EQ(Assign(1, 0x15000099, kKindMacro), AssignOutcome::Cancelled);
    EXPECT_EQ(Button(1).functionType, 4u);

    AssignmentResult action;
    action.code = 0x00D60006;
    action.kind = kKindSoftwareAction;
    action.actionKind = 1;
    CopyToFixed(action.path, u"C:\\Program Files\\Game\\game.exe");
    EXPECT_EQ(ApplyAssignment(settings, store, 6, true, action, false), AssignOutcome::Stored);
    EXPECT_EQ(Button(6).functionType, 19u);
    EXPECT_EQ(Button(6).actionCode, 0x00D60006u);
    EXPECT_EQ(Button(6).actionKind, kActionProgram);
    EXPECT_EQ(FromFixed(Button(6).actionPath), u"C:\\Program Files\\Game\\game.exe");
    EXPECT_EQ(Name(6), u"C:\\Program Files\\Game\\game.exe");

    // The default button's result: kind 0 with the default code.
    EXPECT_EQ(Assign(6, FnScrollDown), AssignOutcome::Stored);
    EXPECT_EQ(Button(6).functionType, 22u);
    EXPECT_EQ(Name(6), u"Scroll");
}

TEST_F(AssignmentRules, ANameOrPathFillingTheFieldKeepsItsTerminator) {
    AssignmentResult action;
    action.code = 0x00C40006;
    action.kind = kKindSoftwareAction;
    std::u16string longPath(300, u'x');
    CopyToFixed(action.path, longPath);
    ASSERT_EQ(Assign(0, FnClick), AssignOutcome::Stored);
    ASSERT_EQ(ApplyAssignment(settings, store, 4, true, action, false), AssignOutcome::Stored);
    EXPECT_EQ(FromFixed(Button(4).actionPath).size(), 259u);
    EXPECT_EQ(Button(4).actionPath[259], u'\0');
    EXPECT_EQ(Button(4).displayName[259], u'\0');
}

TEST_F(AssignmentRules, CancelledPanelStoresNothing) {
    const ProfileRecord before = settings.currentProfile;
    EXPECT_EQ(Assign(4, FnVolumeUp, kKindBasic, false), AssignOutcome::Cancelled);
    EXPECT_EQ(std::memcmp(&before, &settings.currentProfile, sizeof before), 0);
}

TEST(DefaultNameRewrite, FollowsTheInterfaceLanguage) {
    ButtonAssignment a{};
    CopyToFixed(a.displayName, u"单击");
    EXPECT_TRUE(RewriteDefaultName(a, false));
    EXPECT_EQ(FromFixed(a.displayName), u"Click");
    EXPECT_FALSE(RewriteDefaultName(a, false));
    EXPECT_TRUE(RewriteDefaultName(a, true));
    EXPECT_EQ(FromFixed(a.displayName), u"单击");
    CopyToFixed(a.displayName, u"Scroll down");
    EXPECT_TRUE(RewriteDefaultName(a, true));
    EXPECT_EQ(FromFixed(a.displayName), u"滚轮后滚");
    CopyToFixed(a.displayName, u"Ctrl + A");
    EXPECT_FALSE(RewriteDefaultName(a, true));
}

}  // namespace
}  // namespace tarn

namespace tarn {
namespace {

struct ScriptedPanel : AssignmentPanelRunner {
    bool ok = false;
    AssignmentResult answer;
    std::u16string shownName;
    int runs = 0;
    bool RunPanel(int button, std::u16string_view name, AssignmentResult& result) override {
        ++runs;
        shownName.assign(name);
        answer.buttonIndex = button;
        result = answer;
        return ok;
    }
};

TEST(TabClick, TheNameIsRewrittenEvenWhenThePanelIsCancelled) {
    static SettingsModel settings{};
    static MacroStore store{};
    ChineseUi = 1;
    MakeDefaultProfile(settings.currentProfile);  // Chinese default names
    ChineseUi = 0;
    ScriptedPanel panel;
    EXPECT_EQ(RunAssignment(settings, store, 0, false, panel), AssignOutcome::Cancelled);
    EXPECT_EQ(panel.shownName, u"Click");
    EXPECT_EQ(FromFixed(settings.currentProfile.buttons[0].displayName), u"Click");

    panel.ok = true;
    panel.answer.code = FnVolumeUp;
    EXPECT_EQ(RunAssignment(settings, store, 4, false, panel), AssignOutcome::Stored);
    EXPECT_EQ(settings.currentProfile.buttons[4].functionType, 37u);
    EXPECT_EQ(RunAssignment(settings, store, 7, false, panel), AssignOutcome::Cancelled);
    EXPECT_EQ(panel.runs, 2);
}

}  // namespace
}  // namespace tarn
