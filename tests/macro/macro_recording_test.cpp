#include "base/window_messages.h"
#include "tests/macro/macro_editor_fixture.h"

namespace tarn::test {
namespace {

class RecordingTest : public MacroEditorTest {
protected:
    void SetUp() override {
        MacroEditorTest::SetUp();
        first = Store(0x1, {P('X'), R('X')}, u"first");
        second = Store(0x2, {P('Y'), R('Y')}, u"second");
        editor.ListMacrosOfGroup(kUserGameGroup);  // "second" is selected
    }
    // Hands the posted 0x40A messages to the editor, as the page's queue would.
    void DeliverPosted() {
        const std::vector<PostedMessage> posted = poster.Posted();
        for (; delivered < posted.size(); ++delivered) {
            const PostedMessage& m = posted[delivered];
            ASSERT_EQ(m.window, kPageWindow);
            ASSERT_EQ(m.message, kMsgHookKey);
            editor.OnKeyEvent(static_cast<uint32_t>(m.wParam), static_cast<uint32_t>(m.lParam));
        }
    }
    uint32_t first = 0, second = 0;
    size_t delivered = 0;
};

TEST_F(RecordingTest, StartEmptiesTheListCapturesForThePageAndDisablesTheEditing) {
    editor.ToggleRecording();
    EXPECT_TRUE(editor.IsRecording());
    EXPECT_TRUE(view.recording);
    EXPECT_TRUE(view.events.empty());
    EXPECT_TRUE(Hooks().forwardKeys.load());
    EXPECT_FALSE(Hooks().forwardMouse.load());
    EXPECT_EQ(Hooks().targetWindow.load(), kPageWindow);
    // Stopped with nothing recorded: the macro keeps what it had.
    editor.ToggleRecording();
    EXPECT_FALSE(view.recording);
    EXPECT_FALSE(Hooks().forwardKeys.load());
    EXPECT_EQ(Hooks().targetWindow.load(), kMainWindow);
    EXPECT_EQ(StoredEvents(second), (std::vector<MacroEvent>{P('Y'), R('Y')}));
}

TEST_F(RecordingTest, AWaitBGivesSevenEntriesWithTheMeasuredDelays) {
    editor.ToggleRecording();
    Key('A');
    Wait(120);
    Key('A', true);
    Wait(300);
    Key('B');
    Wait(80);
    Key('B', true);
    EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"A", u"120  ms", u"A", u"300  ms", u"B",
                                                     u"80  ms", u"B"}));
    EXPECT_EQ(view.eventSelection, 6);
    editor.ToggleRecording();
    EXPECT_EQ(StoredEvents(second), (std::vector<MacroEvent>{P('A'), D(120), R('A'), D(300),
                                                             P('B'), D(80), R('B')}));
    EXPECT_EQ(FindMacroById(Macros(), second)->size, 4100u + 4 * 7);
    EXPECT_EQ(FileBytes(), StoreBytes(Macros()));
}

TEST_F(RecordingTest, CheckedDelayToggleRecordsOnlyTheKeys) {
    editor.OnDelayToggle();
    EXPECT_TRUE(view.skipDelays);
    editor.ToggleRecording();
    Key('A');
    Wait(120);
    Key('A', true);
    Wait(300);
    Key('B');
    Wait(80);
    Key('B', true);
    EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"A", u"A", u"B", u"B"}));
}

TEST_F(RecordingTest, HeldKeyGivesOnePressAndOneRelease) {
    editor.ToggleRecording();
    for (int i = 0; i < 20; ++i) {
        Key(0xA0);  // auto-repeated downs of the left Shift
        Wait(30);
    }
    Key(0xA0, true);
    EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"L_Shift", u"600  ms", u"L_Shift"}));
    editor.ToggleRecording();
    // The last event of a recording is remembered: the next one cannot start with it again.
    editor.ToggleRecording();
    Key(0xA0, true);
    EXPECT_TRUE(editor.Events().empty());
}

TEST_F(RecordingTest, The125thKeyEntryAndLaterOnesAreIgnored) {
    editor.OnDelayToggle();
    editor.ToggleRecording();
    for (int i = 0; i < 70; ++i) Stroke('A' + i % 26);
    EXPECT_EQ(editor.Events().size(), 124u);
    EXPECT_EQ(editor.RecordedCount(), 248u);
    EXPECT_EQ(editor.Events().back().type, EntryRelease);  // the 124th: the 62nd release
    editor.ToggleRecording();
    EXPECT_EQ(StoredEvents(second).size(), 124u);
}

TEST_F(RecordingTest, KeysWithoutANameAndKeysAfterTheStopAreNotRecorded) {
    editor.ToggleRecording();
    Key(0xAF);  // volume up: no name, nothing the mouse could send
    Key('A');
    editor.ToggleRecording();
    Key('A', true);
    EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"A"}));
}

TEST_F(RecordingTest, HotSpotsPostTheirButtonToThePageWhileRecording) {
    editor.OnHotSpot(HotSpot::Left, kHotSpotDown);  // idle: nothing
    EXPECT_TRUE(poster.Posted().empty());
    editor.ToggleRecording();
    editor.OnHotSpot(HotSpot::Left, kHotSpotDown);
    ASSERT_EQ(poster.Posted().size(), 1u);
    EXPECT_EQ(poster.Posted()[0], (PostedMessage{kPageWindow, kMsgHookKey, 1, 0}));
    DeliverPosted();
    Wait(90);
    editor.OnHotSpot(HotSpot::Left, kHotSpotUp);
    editor.OnHotSpot(HotSpot::Middle, 0x203);  // not a press or a release
    DeliverPosted();
    EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"Left Button", u"90  ms", u"Left Button"}));
    editor.OnHotSpot(HotSpot::Right, kHotSpotDown);
    editor.OnHotSpot(HotSpot::Middle, kHotSpotDown);
    DeliverPosted();
    EXPECT_EQ(editor.Events()[4].text, u"Right Button");
    EXPECT_EQ(editor.Events()[6].text, u"Middle Button");
}

TEST_F(RecordingTest, RecordIsRefusedWhileAKeyOrADelayIsBeingEdited) {
    ClickEntry(0);
    editor.OnInsert();
    editor.ToggleRecording();
    editor.OnDelayChoice();
    editor.ToggleRecording();
    ChineseUi = 1;
    editor.ToggleRecording();
    editor.OnKeyChoice();
    editor.ToggleRecording();
    ASSERT_EQ(Shown().size(), 4u);
    EXPECT_EQ(Shown()[0].text, u"It is Modifying or inserting a button,you can not record");
    EXPECT_EQ(Shown()[1].text, u"It is Modifying or inserting a delay,you can not record");
    EXPECT_EQ(Shown()[2].text, u"正在修改/插入一个延时，无法录制");
    EXPECT_EQ(Shown()[3].text, u"正在修改/插入一个键，无法录制");
    EXPECT_FALSE(Shown()[0].withCancel);
    EXPECT_FALSE(editor.IsRecording());
    EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"Y", u"Y"}));
}

TEST_F(RecordingTest, SelectingAnotherMacroStopsAndCommitsToTheRecordedOne) {
    editor.ToggleRecording();
    Stroke('Q');
    ClickMacro(0);
    EXPECT_FALSE(editor.IsRecording());
    EXPECT_FALSE(view.recording);
    EXPECT_EQ(StoredEvents(second), (std::vector<MacroEvent>{P('Q'), D(0), R('Q')}));
    EXPECT_EQ(StoredEvents(first), (std::vector<MacroEvent>{P('X'), R('X')}));
    EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"X", u"X"}));
}

TEST_F(RecordingTest, ChoosingAGroupStopsAndCommitsFirst) {
    editor.OnDelayToggle();
    editor.ToggleRecording();
    Stroke('Q');
    editor.SelectGroup(21);
    EXPECT_FALSE(editor.IsRecording());
    EXPECT_EQ(StoredEvents(second), (std::vector<MacroEvent>{P('Q'), R('Q')}));
    EXPECT_EQ(StoredEvents(first), (std::vector<MacroEvent>{P('X'), R('X')}));
}

TEST_F(RecordingTest, LoopEditDuringARecordingCommitsWhatWasRecordedSoFar) {
    editor.OnDelayToggle();
    editor.ToggleRecording();
    Stroke('Q');
    editor.OnLoopTextTyped(u"4");
    EXPECT_TRUE(editor.IsRecording());
    EXPECT_EQ(StoredEvents(second), (std::vector<MacroEvent>{P('Q'), R('Q')}));
    EXPECT_EQ(FindMacroById(Macros(), second)->loopCount, 4u);
}

TEST_F(RecordingTest, RecordWithNoMacroSelectedOnlyResetsThePanel) {
    editor.ListMacrosOfGroup(3);  // an empty group
    editor.ToggleRecording();
    EXPECT_FALSE(editor.IsRecording());
    EXPECT_EQ(view.panel, PanelLook{});
    EXPECT_EQ(view.key, u"");
}

}  // namespace
}  // namespace tarn::test
