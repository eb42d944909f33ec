// The usage counters and Sts.cfg, their file: six little-endian u32 fields, 24 bytes, no header.
// Must not depend on the windows: the page, the default-file writer and the tests share it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tarn {

struct UsageCounters {
    uint32_t leftClicks;     // left button down events
    uint32_t middleClicks;   // middle button down events
    uint32_t rightClicks;    // right button down events
    uint32_t wheelForward;   // wheel notches with a positive delta
    uint32_t wheelBackward;  // wheel notches with a negative delta
    uint32_t cursorTravel;   // sum of abs(dx) + abs(dy) over the cursor samples, screen pixels
};
static_assert(sizeof(UsageCounters) == 24);
static_assert(offsetof(UsageCounters, middleClicks) == 4);
static_assert(offsetof(UsageCounters, rightClicks) == 8);
static_assert(offsetof(UsageCounters, wheelForward) == 12);
static_assert(offsetof(UsageCounters, wheelBackward) == 16);
static_assert(offsetof(UsageCounters, cursorTravel) == 20);

inline constexpr uint32_t kCounterLimit = 0xFFFFFFFF;

// a + b, held at 2^32 - 1 instead of wrapping: a year of cursor travel passes 2^32 pixels, and a
// wrapped counter would show a small number and take the trophies' progress away.
constexpr uint32_t SaturatingAdd(uint32_t a, uint64_t b) {
    const uint64_t sum = a + b;
    return sum > kCounterLimit ? kCounterLimit : static_cast<uint32_t>(sum);
}

// The two totals the trophies grow with (held at the limit like the counters).
constexpr uint32_t TotalClicks(const UsageCounters& c) {
    return SaturatingAdd(SaturatingAdd(c.leftClicks, c.middleClicks), c.rightClicks);
}
constexpr uint32_t TotalWheel(const UsageCounters& c) {
    return SaturatingAdd(c.wheelForward, c.wheelBackward);
}

// dataFolder + "\Sts.cfg".
std::u16string StatisticsFilePath();

}  // namespace tarn
