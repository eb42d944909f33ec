#include "macro/macro_events.h"

#include "tests/macro/macro_fixture.h"

namespace tarn::test {
namespace {

constexpr uint32_t kId = 21u << 24 | 0x00ABCD;

EventEntry Press(uint32_t vk) {
    return MakeKeyEntry(EntryPress, vk);
}
EventEntry Release(uint32_t vk) {
    return MakeKeyEntry(EntryRelease, vk);
}
EventEntry Pause(uint32_t ms) {
    return MakeDelayEntry(ms);
}

TEST(MacroEvents, EntryTexts) {
    EXPECT_EQ(Press('A').text, u"A");
    EXPECT_EQ(Pause(300).text, u"300  ms");
    EXPECT_EQ(PackEntryData(EntryDelay, 300), 0x0400012Cu);
}

TEST(MergeAdjacentDelays, RunsFoldAndSumsAreCapped) {
    std::vector<EventEntry> list = {Pause(10),     Pause(20), Press('A'),   Pause(300000),
                                    Pause(100000), Pause(5),  Release('A'), Pause(1)};
    MergeAdjacentDelays(list);
    const std::vector<EventEntry> expected = {Pause(30), Press('A'), Pause(327670), Release('A'),
                                              Pause(1)};
    EXPECT_EQ(list, expected);
    EXPECT_EQ(list[2].text, u"327670  ms");
}

TEST(LoopCountFromText, NumbersZeroAndJunk) {
    EXPECT_EQ(LoopCountFromText(u"0"), 1u);
    EXPECT_EQ(LoopCountFromText(u""), 1u);
    EXPECT_EQ(LoopCountFromText(u"12x"), 1u);
    EXPECT_EQ(LoopCountFromText(u"abc"), 1u);
    EXPECT_EQ(LoopCountFromText(u"-0"), 1u);
    EXPECT_EQ(LoopCountFromText(u"65534"), 65533u);
    EXPECT_EQ(LoopCountFromText(u"99999"), 65533u);
    // Negative counts are junk, not the most repeats there are.
    EXPECT_EQ(LoopCountFromText(u"-5"), 1u);
    EXPECT_EQ(LoopCountFromText(u"-99999999999"), 1u);
    EXPECT_EQ(LoopCountFromText(u"99999999999999999999999"), 65533u);
    EXPECT_EQ(LoopCountFromText(u"65533"), 65533u);
    EXPECT_EQ(LoopCountFromText(u"  +12"), 12u);
    // Only the first 100 characters are read: the junk after them is not seen.
    EXPECT_EQ(LoopCountFromText(std::u16string(99, u' ') + u"5x"), 5u);
}

using BuildMacroTest = MacroTest;

TEST_F(BuildMacroTest, MergedDelaysAndLeadingPausesDropped) {
    std::vector<EventEntry> list = {Pause(50),  Pause(60),  Press('A'),
                                    Pause(300), Pause(400), Release('A')};
    const auto built = BuildMacroRecord(list, u"3", kId, u"Jump");
    ASSERT_TRUE(built);
    const MacroRecord& r = built->record;
    EXPECT_EQ(r.size, 4100u + 4 * 6);
    EXPECT_EQ(r.tag, MacroTag);
    EXPECT_EQ(r.eventCount, 3u);
    EXPECT_EQ(r.events[0], MakeMacroEvent(KeyPress, 'A'));
    EXPECT_EQ(r.events[1], MakeMacroEvent(Delay, 700));
    EXPECT_EQ(r.events[2], MakeMacroEvent(KeyRelease, 'A'));
    EXPECT_EQ(r.loopCount, 3u);
    EXPECT_EQ(FromFixed(r.name), u"Jump");
    EXPECT_FALSE(built->truncated);
    EXPECT_EQ(list.size(), 4u);  // the on-screen list is merged too
}

TEST_F(BuildMacroTest, EmptyListBuildsAndStoresNothing) {
    std::vector<EventEntry> list;
    EXPECT_FALSE(BuildMacroRecord(list, u"1", kId, u"x"));
    EXPECT_FALSE(CommitMacro(list, u"1", kId, u"x"));
    EXPECT_TRUE(files.fs.writesLog.empty());
}

TEST_F(BuildMacroTest, SinglePressIsStoredAsSinglePressLoopAndReadsBackAsOne) {
    std::vector<EventEntry> list = {Press('Q')};
    ASSERT_TRUE(CommitMacro(list, u"40", kId, u"Tap"));
    EXPECT_EQ(Macros().slots[0].loopCount, SinglePressLoop);
    const MacroEntries shown = EntriesOfMacro(Macros(), kId);
    EXPECT_EQ(shown.loopText, u"1");
    ASSERT_EQ(shown.entries.size(), 1u);
    EXPECT_EQ(shown.entries[0], Press('Q'));
}

TEST_F(BuildMacroTest, ListsBeyondCapacityAreTruncatedAndTheUserTold) {
    std::vector<EventEntry> list;
    for (int i = 0; i < 750; ++i) {
        list.push_back(Press('A' + i % 26));
        list.push_back(Release('A' + i % 26));
    }
    const std::vector<EventEntry> copy = list;
    const auto built = BuildMacroRecord(list, u"1", kId, u"long");
    ASSERT_TRUE(built);
    EXPECT_TRUE(built->truncated);
    EXPECT_EQ(built->record.eventCount, 1000u);
    EXPECT_EQ(built->record.size, 4100u + 4000u);
    EXPECT_EQ(built->record.events[999], MakeMacroEvent(KeyRelease, 'A' + 499 % 26));

    list = copy;
    EXPECT_TRUE(CommitMacro(list, u"1", kId, u"long"));
    ASSERT_EQ(Shown().size(), 2u);  // the new file is announced, then the truncation
    EXPECT_NE(Shown()[1].text.find(u"1000"), std::u16string::npos);
}

TEST_F(BuildMacroTest, SameIdInTwoSlotsShowsBothAndStopsAtAnUnknownKind) {
    Macros().slots[1] = Saved(kId, {MakeMacroEvent(KeyPress, 'A'), MakeMacroEvent(Delay, 25)}, 4);
    Macros().slots[6] =
        Saved(kId, {MakeMacroEvent(KeyRelease, 'A'), 0x12000041, MakeMacroEvent(KeyPress, 'B')}, 7);
    const MacroEntries shown = EntriesOfMacro(Macros(), kId);
    const std::vector<EventEntry> expected = {Press('A'), Pause(25), Release('A')};
    EXPECT_EQ(shown.entries, expected);
    EXPECT_TRUE(shown.invalidKind);
    EXPECT_EQ(shown.loopText, u"7");
}

TEST_F(BuildMacroTest, DamagedEventCountIsReadOnlyUpToCapacity) {
    Macros().slots[0] = Saved(kId, {MakeMacroEvent(KeyPress, 'A')});
    Macros().slots[0].eventCount = 0xFFFFFFFF;
    for (int i = 1; i < kMaxMacroEvents; ++i) {
        Macros().slots[0].events[i] = MakeMacroEvent(Delay, 1);
    }
    EXPECT_EQ(EntriesOfMacro(Macros(), kId).entries.size(), 1000u);
}

}  // namespace
}  // namespace tarn::test
