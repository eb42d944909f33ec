// The trophy levels 0..12 and the progress bar that shows them.
#pragma once

#include <cstdint>
#include <string>

namespace tarn {

inline constexpr int kTrophyLevelCount = 13;
inline constexpr int kTopTrophyLevel = kTrophyLevelCount - 1;
// shownTrophyLevel before any trophy picture is loaded: never a real level.
inline constexpr int kNoTrophyShown = 800;
// The progress bar's full width in pixels, reached at the top level.
inline constexpr int kProgressBarFullWidth = 273;

// The count a level starts at (level 0 starts at 0).
uint32_t TrophyThreshold(int level);
// The level of a count: the highest level whose threshold it reaches (unsigned comparison).
int TrophyLevelOf(uint32_t count);
// The width of the lit bar: the integer part of min(level + 1, 13) / 13 x 273, so 21 pixels at
// level 0 and 273 at level 12.
int ProgressBarWidth(int level);
// Small trophies 0..level are lit.
constexpr bool SmallTrophyLit(int trophy, int level) {
    return trophy <= level;
}
// The big trophy's picture of a level, in the skins folder: "trophy\trophy<level>Down.bmp".
std::u16string TrophyPictureName(int level);

}  // namespace tarn
