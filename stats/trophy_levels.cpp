#include "stats/trophy_levels.h"

#include <array>

namespace tarn {

namespace {

constexpr std::array<uint32_t, kTrophyLevelCount> kThresholds{
    0,         100'000,   500'000,   1'000'000, 1'500'000, 2'000'000,  2'500'000,
    3'000'000, 4'000'000, 5'000'000, 6'000'000, 8'000'000, 10'000'000};

}  // namespace

uint32_t TrophyThreshold(int level) {
    if (level <= 0) return 0;
    if (level > kTopTrophyLevel) level = kTopTrophyLevel;
    return kThresholds[level];
}

int TrophyLevelOf(uint32_t count) {
    int level = 0;
    while (level < kTopTrophyLevel && count >= kThresholds[level + 1]) ++level;
    return level;
}

int ProgressBarWidth(int level) {
    int steps = level + 1;
    if (steps < 1) steps = 1;
    if (steps > kTrophyLevelCount) steps = kTrophyLevelCount;
    return steps * kProgressBarFullWidth / kTrophyLevelCount;
}

std::u16string TrophyPictureName(int level) {
    std::u16string name = u"trophy\\trophy";
    for (char c : std::to_string(level)) name += static_cast<char16_t>(c);
    return name + u"Down.bmp";
}

}  // namespace tarn
