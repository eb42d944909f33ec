#include "device/macro_block.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace tarn {
namespace {

constexpr uint32_t kVkA = 0x41;  // usage 0x04
constexpr uint32_t kVkB = 0x42;  // usage 0x05

MacroEvent Press(uint32_t vk) {
    return MakeMacroEvent(KeyPress, vk);
}
MacroEvent Release(uint32_t vk) {
    return MakeMacroEvent(KeyRelease, vk);
}
MacroEvent Wait(uint32_t ms) {
    return MakeMacroEvent(Delay, ms);
}

std::vector<uint8_t> Head(const MacroBlock& block, size_t count) {
    return {block.bytes.begin(), block.bytes.begin() + count};
}

bool ZeroFrom(const MacroBlock& block, size_t offset) {
    for (size_t i = offset; i < block.bytes.size(); ++i) {
        if (block.bytes[i] != 0) return false;
    }
    return true;
}

TEST(MacroBlock, KeyStrokeWithAShortPauseFoldsThePauseIntoThePressFlag) {
    const MacroEvent events[] = {Press(kVkA), Wait(50), Release(kVkA)};
    const MacroBlock block = EncodeMacroBlock(1, events);
    EXPECT_EQ(Head(block, 6), (std::vector<uint8_t>{0x00, 0x01, 0x06, 0x04, 0x81, 0x04}));
    EXPECT_EQ(block.entries, 3u);
    EXPECT_TRUE(ZeroFrom(block, 6));
}

TEST(MacroBlock, LoopCountIsHighByteFirstAndAnEmptyMacroIsOneEntry) {
    const MacroBlock single = EncodeMacroBlock(0xFFFE, {});
    EXPECT_EQ(Head(single, 2), (std::vector<uint8_t>{0xFF, 0xFE}));
    EXPECT_EQ(single.entries, 1u);
    EXPECT_TRUE(ZeroFrom(single, 2));
    // Only the low 16 bits of the loop count travel.
    EXPECT_EQ(Head(EncodeMacroBlock(0x12345, {}), 2), (std::vector<uint8_t>{0x23, 0x45}));
}

TEST(MacroBlock, FirstPauseIsAlwaysInHundredMillisecondUnits) {
    const MacroEvent first[] = {Wait(2500), Press(kVkA)};
    const MacroBlock block = EncodeMacroBlock(1, first);
    EXPECT_EQ(Head(block, 8),
              (std::vector<uint8_t>{0x00, 0x01, 0x00, 0x03, 0x00, 0x19, 0x01, 0x04}));
    EXPECT_EQ(block.entries, 4u);

    // Even a pause short enough for the flag form, and the whole of a long one.
    const MacroEvent brief[] = {Wait(50)};
    EXPECT_EQ(Head(EncodeMacroBlock(1, brief), 6),
              (std::vector<uint8_t>{0x00, 0x01, 0x00, 0x03, 0x00, 0x00}));
    const MacroEvent minute[] = {Wait(70000)};
    EXPECT_EQ(Head(EncodeMacroBlock(1, minute), 6),
              (std::vector<uint8_t>{0x00, 0x01, 0x00, 0x03, 0x02, 0xBC}));
    const MacroEvent tooLong[] = {Wait(kUnit100MaxMs + 1)};
    const MacroBlock empty = EncodeMacroBlock(1, tooLong);
    EXPECT_EQ(empty.entries, 2u);
    EXPECT_TRUE(ZeroFrom(empty, 2));
}

struct DelayCase {
    uint32_t ms;
    std::vector<uint8_t> entryBytes;  // what follows the press entry; empty for the short form
    uint8_t pressFlag;
    uint32_t entries;
};

TEST(MacroBlock, LaterPausesTakeTheSmallestUnitTheirCountFitsIn) {
    const DelayCase cases[] = {
        {1270, {}, 0x80, 2},
        {1271, {0x00, 0x01, 0x00, 0x3F}, 0x01, 4},
        {2500, {0x00, 0x01, 0x00, 0x7D}, 0x01, 4},
        {kUnit20MaxMs, {0x00, 0x01, 0xFF, 0xFF}, 0x01, 4},
        {kUnit20MaxMs + 1, {0x00, 0x02, 0x66, 0x66}, 0x01, 4},
        {kUnit50MaxMs, {0x00, 0x02, 0xFF, 0xFF}, 0x01, 4},
        {kUnit50MaxMs + 1, {0x00, 0x03, 0x7F, 0xFF}, 0x01, 4},
        {kUnit100MaxMs, {0x00, 0x03, 0xFF, 0xFF}, 0x01, 4},
        {kUnit100MaxMs + 1, {0x00, 0x00}, 0x01, 3},
    };
    for (const DelayCase& c : cases) {
        const MacroEvent events[] = {Press(kVkA), Wait(c.ms)};
        const MacroBlock block = EncodeMacroBlock(1, events);
        EXPECT_EQ(block.bytes[2], c.pressFlag) << c.ms;
        const std::vector<uint8_t> entry(block.bytes.begin() + 4,
                                         block.bytes.begin() + 4 + c.entryBytes.size());
        EXPECT_EQ(entry, c.entryBytes) << c.ms;
        EXPECT_EQ(block.entries, c.entries) << c.ms;
    }
}

TEST(MacroBlock, ShortPausesAddUpInTheFlagByteModulo256) {
    const MacroEvent twice[] = {Press(kVkA), Wait(1270), Wait(1270)};
    EXPECT_EQ(EncodeMacroBlock(1, twice).bytes[2], 0xFF);
    const MacroEvent thrice[] = {Press(kVkA), Wait(1270), Wait(1270), Wait(1270)};
    EXPECT_EQ(EncodeMacroBlock(1, thrice).bytes[2], static_cast<uint8_t>(1 + 3 * 127));
    // Tens are truncated: 19 ms adds one unit, 9 ms none.
    const MacroEvent truncated[] = {Release(kVkB), Wait(19), Wait(9)};
    const MacroBlock block = EncodeMacroBlock(1, truncated);
    EXPECT_EQ(Head(block, 4), (std::vector<uint8_t>{0x00, 0x01, 0x82, 0x05}));
    EXPECT_EQ(block.entries, 2u);
}

TEST(MacroBlock, ShortPauseAfterALongOneLengthensItsCount) {
    const MacroEvent events[] = {Press(kVkA), Wait(2500), Wait(50), Release(kVkA)};
    const MacroBlock block = EncodeMacroBlock(1, events);
    EXPECT_EQ(Head(block, 10),
              (std::vector<uint8_t>{0x00, 0x01, 0x01, 0x04, 0x00, 0x01, 0x00, 0x7F, 0x81, 0x04}));
    const MacroEvent saturated[] = {Press(kVkA), Wait(kUnit20MaxMs), Wait(1000)};
    EXPECT_EQ(Head(EncodeMacroBlock(1, saturated), 8),
              (std::vector<uint8_t>{0x00, 0x01, 0x01, 0x04, 0x00, 0x01, 0xFF, 0xFF}));
}

TEST(MacroBlock, MouseButtonsUnknownKeysAndForeignKindsHaveTheirEntries) {
    const MacroEvent events[] = {Press(1),    Press(2),    Press(4),
                                 Press(0xFF), 0x12000041u, Release(kVkA + 0x100)};
    const MacroBlock block = EncodeMacroBlock(1, events);
    EXPECT_EQ(Head(block, 14), (std::vector<uint8_t>{0x00, 0x01, 0x01, 0xF0, 0x01, 0xF1, 0x01, 0xF2,
                                                     0x01, 0x00, 0x00, 0x00, 0x81, 0x04}));
    EXPECT_EQ(block.entries, 7u);
}

TEST(MacroBlock, BlockHoldsExactly255EntriesAfterTheHeader) {
    std::vector<MacroEvent> keys(255, Press(kVkA));
    const MacroBlock full = EncodeMacroBlock(1, keys);
    EXPECT_EQ(full.entries, 256u);
    EXPECT_EQ(full.bytes[510], 0x01);
    EXPECT_EQ(full.bytes[511], 0x04);

    // The next key does not fit and is dropped, and so is everything after it.
    keys.push_back(Press(kVkB));
    keys.push_back(Wait(50));
    const MacroBlock overflow = EncodeMacroBlock(1, keys);
    EXPECT_EQ(overflow.entries, 256u);
    EXPECT_EQ(overflow.bytes, full.bytes);

    // A long pause needs two entries: it fits with 253 keys before it, not with 254.
    std::vector<MacroEvent> fits(253, Press(kVkA));
    fits.push_back(Wait(2500));
    const MacroBlock lastTwo = EncodeMacroBlock(1, fits);
    EXPECT_EQ(lastTwo.entries, 256u);
    EXPECT_EQ(lastTwo.bytes[511], 0x7D);
    std::vector<MacroEvent> tooMany(254, Press(kVkA));
    tooMany.push_back(Wait(2500));
    tooMany.push_back(Press(kVkB));
    const MacroBlock stopped = EncodeMacroBlock(1, tooMany);
    EXPECT_EQ(stopped.entries, 255u);
    EXPECT_TRUE(ZeroFrom(stopped, 510));
}

TEST(MacroBlock, RecordClaimingMoreThanItsEventsReadsOnlyTheThousand) {
    auto record = std::make_unique<MacroRecord>();
    *record = MacroRecord{};
    record->loopCount = 2;
    record->eventCount = 0xFFFFFFFF;
    for (MacroEvent& event : record->events) event = Wait(10);
    record->events[0] = Press(kVkA);
    const MacroBlock block = EncodeMacroBlock(*record);
    EXPECT_EQ(block.entries, 2u);
    EXPECT_EQ(block.bytes[2], static_cast<uint8_t>(1 + 999));  // 999 short pauses of one unit
}

}  // namespace
}  // namespace tarn
