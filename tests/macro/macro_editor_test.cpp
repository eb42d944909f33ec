#include "skin/skin_geometry.h"
#include "tests/macro/macro_editor_fixture.h"

namespace tarn::test {
namespace {

// A B C D as four press entries of a stored macro, selected in the list.
class EditEntriesTest : public MacroEditorTest {
protected:
    void SetUp() override {
        MacroEditorTest::SetUp();
        id = Store(0x10, {P('A'), P('B'), P('C'), P('D')}, u"four");
        editor.ListMacrosOfGroup(kUserGameGroup);
    }
    uint32_t id = 0;
};

TEST_F(EditEntriesTest, KeyInsertedAtTheThirdEntryGoesBeforeIt) {
    ClickEntry(2);
    InsertKey('K');
    EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"A", u"B", u"K", u"K", u"C", u"D"}));
    EXPECT_EQ(editor.Events()[2].type, EntryPress);
    EXPECT_EQ(editor.Events()[3].type, EntryRelease);
    EXPECT_EQ(StoredEvents(id), (std::vector<MacroEvent>{P('A'), P('B'), P('K'), R('K'), P('C'),
                                                         P('D')}));
    EXPECT_EQ(view.events, editor.Events());
    EXPECT_EQ(editor.Mode(), EditNone);
    EXPECT_EQ(view.panel, PanelLook{});
    EXPECT_FALSE(Hooks().forwardKeys.load());
    EXPECT_EQ(Hooks().targetWindow.load(), kMainWindow);
}

TEST_F(EditEntriesTest, KeyPanelCapturesForThePageAndShowsTheKeyName) {
    ClickEntry(1);
    editor.OnInsert();
    EXPECT_TRUE(view.panel.keyChoice && view.panel.delayChoice);
    EXPECT_FALSE(view.panel.keyField || view.panel.delayField);
    editor.OnKeyChoice();
    EXPECT_TRUE(Hooks().forwardKeys.load());
    EXPECT_FALSE(Hooks().forwardMouse.load());
    EXPECT_EQ(Hooks().targetWindow.load(), kPageWindow);
    EXPECT_TRUE(view.panel.keyField && view.panel.keyConfirm && view.panel.keyChoiceChecked);
    Key(kVkReturn);
    EXPECT_EQ(view.key, u"Enter");
    EXPECT_EQ(editor.CapturedKey(), kVkReturn);
    // A key the mouse cannot name is not taken.
    Key(0xAF);
    EXPECT_EQ(editor.CapturedKey(), kVkReturn);
    // Nothing is recorded while choosing a key.
    EXPECT_EQ(editor.Events().size(), 4u);
}

TEST_F(EditEntriesTest, DelayIsMergedIntoANeighbouringDelayAndCapped) {
    Store(0x20, {P('A'), D(100), R('A'), P('B'), D(327600), R('B')}, u"delays");
    editor.ListMacrosOfGroup(kUserGameGroup);
    ClickMacro(1);
    // The entry before the selected one is a delay: it grows.
    ClickEntry(2);
    InsertDelay(u"50");
    EXPECT_EQ(editor.Events().size(), 6u);
    EXPECT_EQ(editor.Events()[1].text, u"150  ms");
    EXPECT_EQ(editor.SelectedEntry(), 1);
    // The selected entry is a delay itself: it grows, up to the cap.
    ClickEntry(4);
    InsertDelay(u"999");
    EXPECT_EQ(editor.Events()[4].value, MaxMergedDelay);
    // Neither neighbour is a delay: a new entry.
    ClickEntry(3);
    InsertDelay(u"7");
    EXPECT_EQ(Texts()[3], u"7  ms");
    EXPECT_EQ(editor.Events().size(), 7u);
    EXPECT_EQ(view.events, editor.Events());
}

TEST_F(EditEntriesTest, NothingIsInsertedAtTheFirstEntryOrFromAnEmptyOrJunkField) {
    const std::vector<uint8_t> before = FileBytes();
    ClickEntry(0);
    InsertDelay(u"50");
    ClickEntry(1);
    InsertDelay(u"");
    InsertDelay(u"5x");
    EXPECT_EQ(editor.Events().size(), 4u);
    // The commit still ran, with the same events.
    EXPECT_EQ(StoredEvents(id), (std::vector<MacroEvent>{P('A'), P('B'), P('C'), P('D')}));
    EXPECT_NE(FileBytes(), before);
    EXPECT_EQ(FileBytes(), StoreBytes(Macros()));
}

TEST_F(EditEntriesTest, APastedNegativeDelayInsertsAndChangesNothing) {
    Store(0x50, {P('A'), D(10), R('A'), P('B')}, u"d");
    editor.ListMacrosOfGroup(kUserGameGroup);
    ClickMacro(1);
    ClickEntry(3);
    InsertDelay(u"-5");
    InsertDelay(u"\uFF19");  // a full-width 9 is no digit
    ClickEntry(1);
    editor.OnModify();
    editor.OnDelayTextTyped(u"-1");
    editor.OnDelayConfirm();
    const uint32_t d = editor.MacroItems()[1].id;
    EXPECT_EQ(StoredEvents(d), (std::vector<MacroEvent>{P('A'), D(10), R('A'), P('B')}));
    EXPECT_EQ(editor.Mode(), EditNone);
}

TEST_F(EditEntriesTest, ModifyingAPressLeavesItsRelease) {
    Store(0x30, {P('A'), R('A')}, u"pair");
    editor.ListMacrosOfGroup(kUserGameGroup);
    ClickMacro(1);
    ClickEntry(0);
    editor.OnModify();
    EXPECT_EQ(editor.Mode(), EditModifyKey);
    EXPECT_TRUE(view.keyFocused);
    EXPECT_TRUE(view.panel.keyChoice && view.panel.keyChoiceChecked && view.panel.keyField);
    EXPECT_FALSE(view.panel.delayChoice);
    Key('B');
    editor.OnKeyConfirm();
    const uint32_t pair = editor.MacroItems()[1].id;
    EXPECT_EQ(StoredEvents(pair), (std::vector<MacroEvent>{P('B'), R('A')}));
}

TEST_F(EditEntriesTest, ModifyWithoutANewKeyKeepsTheEntry) {
    // A key caught by an earlier insert panel must not be used by a later modify.
    ClickEntry(1);
    editor.OnInsert();
    editor.OnKeyChoice();
    Key('Z');
    editor.OnModify();
    editor.OnKeyConfirm();
    EXPECT_EQ(Texts()[1], u"B");
}

TEST_F(EditEntriesTest, ModifiedDelayIsCappedAt24Bits) {
    Store(0x40, {P('A'), D(10), R('A')}, u"d");
    editor.ListMacrosOfGroup(kUserGameGroup);
    ClickMacro(1);
    ClickEntry(1);
    editor.OnModify();
    EXPECT_EQ(editor.Mode(), EditModifyDelay);
    EXPECT_TRUE(view.panel.delayField && view.panel.delayChoiceChecked);
    EXPECT_FALSE(view.panel.keyChoice);
    editor.OnDelayTextTyped(u"99999999999");
    editor.OnDelayConfirm();
    EXPECT_EQ(editor.Events()[1].value, 0xFFFFFFu);
}

TEST_F(EditEntriesTest, DeletingEntriesCommitsButTheLastOneLeavesTheStoredMacro) {
    Store(0x50, {P('A')}, u"one");
    editor.ListMacrosOfGroup(kUserGameGroup);
    ClickMacro(1);
    const uint32_t one = editor.MacroItems()[1].id;
    const std::vector<uint8_t> before = FileBytes();
    ClickEntry(0);
    editor.OnDeleteEntry();
    EXPECT_TRUE(editor.Events().empty());
    EXPECT_EQ(StoredEvents(one), (std::vector<MacroEvent>{P('A')}));
    EXPECT_EQ(FileBytes(), before);

    ClickMacro(0);
    ClickEntry(1);
    editor.OnDeleteEntry();
    EXPECT_EQ(StoredEvents(id), (std::vector<MacroEvent>{P('A'), P('C'), P('D')}));
    // The entry that moved up is selected, so deleting again takes it.
    EXPECT_EQ(editor.EventSelection(), 1);
    editor.OnDeleteEntry();
    EXPECT_EQ(StoredEvents(id), (std::vector<MacroEvent>{P('A'), P('D')}));
}

TEST_F(EditEntriesTest, DelaysThatMeetAfterADeleteAreMergedOnScreenToo) {
    Store(0x60, {P('A'), D(100), R('A'), D(200), P('B')}, u"m");
    editor.ListMacrosOfGroup(kUserGameGroup);
    ClickMacro(1);
    ClickEntry(2);
    editor.OnDeleteEntry();
    EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"A", u"300  ms", u"B"}));
    EXPECT_EQ(view.events, editor.Events());
    EXPECT_EQ(view.eventSelection, 1);
}

TEST_F(EditEntriesTest, ChoosingAnotherEntryCancelsTheOpenPanel) {
    ClickEntry(1);
    editor.OnInsert();
    editor.OnKeyChoice();
    Key('Q');
    ClickEntry(3);
    EXPECT_EQ(editor.Mode(), EditNone);
    EXPECT_EQ(view.panel, PanelLook{});
    EXPECT_EQ(view.key, u"");
    EXPECT_FALSE(Hooks().forwardKeys.load());
    editor.OnKeyConfirm();
    EXPECT_EQ(editor.Events().size(), 4u);
}

TEST_F(EditEntriesTest, InsertsStopAtTheThousandEventsARecordHolds) {
    std::vector<MacroEvent> many(999, P('A'));
    const uint32_t big = Store(0x70, many, u"big");
    editor.ListMacrosOfGroup(kUserGameGroup);
    ClickMacro(1);
    ClickEntry(5);
    InsertKey('B');
    EXPECT_EQ(editor.Events().size(), 999u);
    ASSERT_FALSE(Shown().empty());
    EXPECT_NE(Shown().back().text.find(u"1000"), std::u16string::npos);
    InsertDelay(u"5");
    EXPECT_EQ(editor.Events().size(), 1000u);
    EXPECT_EQ(StoredEvents(big).size(), 1000u);
}

using LoopFieldTest = EditEntriesTest;

TEST_F(LoopFieldTest, PeriodicCheckCorrectsTheTextAndCommitsIt) {
    editor.OnLoopTextTyped(u"007");
    EXPECT_EQ(FindMacroById(Macros(), id)->loopCount, 7u);  // the commit reads 007 as 7
    editor.ValidateLoopField();
    EXPECT_EQ(view.loop, u"7");
    editor.OnLoopTextTyped(u"99999");
    editor.ValidateLoopField();
    EXPECT_EQ(view.loop, u"65533");
    EXPECT_EQ(FindMacroById(Macros(), id)->loopCount, 65533u);
    editor.OnLoopTextTyped(u"000");
    editor.ValidateLoopField();
    EXPECT_EQ(view.loop, u"1");
    EXPECT_EQ(FindMacroById(Macros(), id)->loopCount, 1u);
    // A valid text is left alone and nothing is written.
    const size_t writes = files.fs.writesLog.size();
    editor.OnLoopTextTyped(u"12");
    const size_t afterTyping = files.fs.writesLog.size();
    editor.ValidateLoopField();
    EXPECT_GT(afterTyping, writes);
    EXPECT_EQ(files.fs.writesLog.size(), afterTyping);
}

TEST_F(LoopFieldTest, PastedSignsAndJunkBecomeOneRepeat) {
    for (const char16_t* pasted : {u"-5", u"-0", u"-2147483649", u"12ab", u"\uFF11\uFF12"}) {
        editor.OnLoopTextTyped(pasted);
        EXPECT_EQ(FindMacroById(Macros(), id)->loopCount, 1u) << ToUtf8(pasted);
        editor.ValidateLoopField();
        EXPECT_EQ(view.loop, u"1") << ToUtf8(pasted);
    }
    editor.OnLoopTextTyped(u"+12");
    editor.ValidateLoopField();
    EXPECT_EQ(editor.LoopText(), u"+12");  // a number as the system reads it: left alone
    EXPECT_EQ(FindMacroById(Macros(), id)->loopCount, 12u);
}

TEST_F(LoopFieldTest, LoadingShowsTheStoredCountWithoutWriting) {
    Store(0x80, {P('A'), R('A')}, u"x", -1, 42);
    Store(0x81, {P('A')}, u"single", -1, SinglePressLoop);
    const size_t writes = files.fs.writesLog.size();
    editor.ListMacrosOfGroup(kUserGameGroup);
    EXPECT_EQ(view.loop, u"1");  // the single press shows 1
    ClickMacro(1);
    EXPECT_EQ(view.loop, u"42");
    EXPECT_EQ(files.fs.writesLog.size(), writes);
}

// ---- the macro list -------------------------------------------------------------------------

using MacroListTest = MacroEditorTest;

TEST_F(MacroListTest, GroupChoiceShowsTheSelectorTextAndTheGroupsLastMacro) {
    Store(0x1, {P('A')}, u"mine");
    const uint32_t bf = 4u << 24 | 0x2;
    Macros().slots[40] = Saved(bf, {P('Q'), R('Q')});
    CopyToFixed(Macros().slots[40].name, u"skyrim");
    Macros().slots[41] = Saved(4u << 24 | 0x3, {P('W')});
    editor.SelectGroup(21);
    EXPECT_EQ(view.group, u"Customisze");
    ChineseUi = 1;
    editor.SelectGroup(4);
    EXPECT_EQ(view.group, u"上古卷轴5：天际");
    ASSERT_EQ(view.macros.size(), 2u);
    EXPECT_EQ(view.macros[0].name, u"skyrim");
    EXPECT_EQ(view.macroSelection, 1);
    EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"W"}));
    editor.SelectGroup(22);  // no such item
    EXPECT_EQ(editor.CurrentGroup(), 4);
}

TEST_F(MacroListTest, AfterAGroupChangeAClickOnTheOldIndexLoadsThatMacro) {
    const uint32_t a = Store(0x1, {P('A')}, u"a");
    Store(0x2, {P('B')}, u"b");
    editor.ListMacrosOfGroup(kUserGameGroup);
    ClickMacro(0);
    Macros().slots[50] = Saved(5u << 24 | 1, {P('X')});
    Macros().slots[51] = Saved(5u << 24 | 2, {P('Y')});
    editor.SelectGroup(5);
    editor.SelectGroup(21);
    ClickMacro(0);
    EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"A"}));
    editor.OnLoopTextTyped(u"3");
    EXPECT_EQ(StoredEvents(a), (std::vector<MacroEvent>{P('A')}));
}

TEST_F(MacroListTest, NewMacroOpensItsEditorAndIsStoredOnlyByItsFirstCommit) {
    editor.ListMacrosOfGroup(kUserGameGroup);
    clock.now = 0x123456;
    editor.OnNewMacroButton();
    ASSERT_EQ(view.macros.size(), 1u);
    EXPECT_EQ(view.macros[0].name, u"New Macro");
    EXPECT_EQ(view.macros[0].id, 21u << 24 | 0x123456);
    EXPECT_EQ(view.renameOpenedOn, 0);
    EXPECT_EQ(view.loop, u"1");
    editor.OnRename(0, u"Jump");
    EXPECT_EQ(FindMacroById(Macros(), 21u << 24 | 0x123456), nullptr);
    // Renamed and never recorded: gone with the next listing.
    editor.SelectGroup(21);
    EXPECT_TRUE(view.macros.empty());

    editor.OnNewMacroButton();
    editor.OnRename(0, u"Jump");
    editor.ToggleRecording();
    Stroke(' ');
    editor.ToggleRecording();
    const MacroRecord* stored = FindMacroById(Macros(), editor.MacroItems()[0].id);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(FromFixed(stored->name), u"Jump");
}

TEST_F(MacroListTest, RenameWritesEveryStoredSlotOfTheMacroAndKeepsTheirEvents) {
    const uint32_t id = Store(0x9, {P('A')}, u"old", 3);
    Store(0x9, {P('B'), R('B')}, u"old", 7);
    editor.ListMacrosOfGroup(kUserGameGroup);
    EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"A", u"B", u"B"}));
    editor.OnRename(0, u"new");
    EXPECT_EQ(FromFixed(Macros().slots[3].name), u"new");
    EXPECT_EQ(FromFixed(Macros().slots[7].name), u"new");
    EXPECT_EQ(Macros().slots[3].events[0], P('A'));
    EXPECT_EQ(Macros().slots[7].eventCount, 2u);
    EXPECT_EQ(FileBytes(), StoreBytes(Macros()));
    // An empty name is not taken: the list shows the name again.
    editor.OnRename(0, u"");
    EXPECT_EQ(view.macros[0].name, u"new");
    EXPECT_EQ(FromFixed(FindMacroById(Macros(), id)->name), u"new");
    // The editor's 20-unit limit can cut an emoji in half: the half is not stored or shown.
    const std::u16string cut = std::u16string(19, u'n') + u"\xD83C";
    editor.OnRename(0, cut);
    EXPECT_EQ(view.macros[0].name, std::u16string(19, u'n'));
    EXPECT_EQ(FromFixed(Macros().slots[3].name), std::u16string(19, u'n'));
    editor.OnRename(0, u"\xD83C");
    EXPECT_EQ(view.macros[0].name, std::u16string(19, u'n'));
}

TEST_F(MacroListTest, DeleteRemovesTheMacroButRefusesOneAProfileUses) {
    const uint32_t bound = Store(0x1, {P('A')}, u"bound");
    const uint32_t free = Store(0x2, {P('B')}, u"free");
    Settings().slotTable.slots[3].buttonMacroIds[4] = bound;
    editor.ListMacrosOfGroup(kUserGameGroup);
    ClickMacro(0);
    editor.OnDeleteMacro();
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Shown()[0].text, u"The macro is being applied and cannot be deleted!");
    EXPECT_EQ(view.macros.size(), 2u);
    EXPECT_NE(FindMacroById(Macros(), bound), nullptr);

    ClickMacro(1);
    editor.OnDeleteMacro();
    EXPECT_EQ(FindMacroById(Macros(), free), nullptr);
    ASSERT_EQ(view.macros.size(), 1u);
    EXPECT_TRUE(view.events.empty());
    ClickMacro(0);
    EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"A"}));
    Settings().slotTable.slots[3].buttonMacroIds[4] = 0;
}

TEST_F(MacroListTest, UnknownEventKindStopsTheMacroWithADebuggerLine) {
    Store(0x1, {P('A'), 0x55000001, P('B')}, u"bad");
    editor.ListMacrosOfGroup(kUserGameGroup);
    EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"A"}));
    EXPECT_EQ(view.debug, (std::vector<std::u16string>{u"LoadMacroToList:  Not a vaild item"}));
}

TEST_F(MacroListTest, CommitThatCannotBeSavedTellsTheUserAndKeepsTheOldFile) {
    Store(0x1, {P('A')}, u"a");
    files.fs.AddFile(kMacroPath, std::vector<uint8_t>(sizeof(MacroStore), 0x33));
    const std::vector<uint8_t> old = FileBytes();
    editor.ListMacrosOfGroup(kUserGameGroup);
    files.fs.writeBudget = 4096;
    editor.OnLoopTextTyped(u"5");
    EXPECT_EQ(FileBytes(), old);
    ASSERT_FALSE(Shown().empty());
    EXPECT_NE(Shown().back().text.find(kMacroPath), std::u16string::npos);
}

TEST_F(MacroListTest, AttachShowsWhatWasListedBeforeTheWindowExisted) {
    Store(0x1, {P('A'), R('A')}, u"early", -1, 3);
    editor.Attach(nullptr, 0);
    editor.ListMacrosOfGroup(kUserGameGroup);
    MirrorView later;
    editor.Attach(&later, kPageWindow);
    EXPECT_EQ(later.group, u"Customisze");
    ASSERT_EQ(later.macros.size(), 1u);
    EXPECT_EQ(later.macroSelection, 0);
    EXPECT_EQ(later.events, editor.Events());
    EXPECT_EQ(later.eventSelection, 1);
    EXPECT_EQ(later.loop, u"3");
}

TEST(MacroPageHints, ControlsUnderThePointInTableOrder) {
    PanelLook hidden;
    namespace mp = geo::macro_page;
    EXPECT_EQ(MacroPageHintIds(mp::kRecord.left, mp::kRecord.top, false, false, hidden),
              (std::vector<int>{45}));
    EXPECT_EQ(MacroPageHintIds(mp::kRecord.left - 1, mp::kRecord.top, false, true, hidden),
              (std::vector<int>{46}));
    EXPECT_TRUE(MacroPageHintIds(mp::kRecord.left - 2, mp::kRecord.top, false, true, hidden).empty());
    // The macro list frame and nothing else at its edge.
    EXPECT_EQ(MacroPageHintIds(26, 200, true, false, hidden), (std::vector<int>{87}));
    // A hidden panel control gives no hint; shown, it does.
    const geo::Rect key = mp::kKeyField.get(true);
    EXPECT_TRUE(MacroPageHintIds(key.left + 2, key.top + 2, true, false, hidden).empty());
    PanelLook open;
    open.keyField = true;
    EXPECT_EQ(MacroPageHintIds(key.left + 2, key.top + 2, true, false, open),
              (std::vector<int>{52}));
}

}  // namespace
}  // namespace tarn::test
