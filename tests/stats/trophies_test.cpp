// Trophy levels, the lit small trophies and the progress bar.
#include <gtest/gtest.h>

#include "stats/trophy_levels.h"
#include "stats/usage_statistics.h"

namespace tarn {
namespace {

TEST(TrophyLevel, EachThresholdStartsItsLevel) {
    EXPECT_EQ(TrophyLevelOf(0), 0);
    EXPECT_EQ(TrophyLevelOf(99'999), 0);
    EXPECT_EQ(TrophyLevelOf(100'000), 1);
    for (int level = 1; level <= kTopTrophyLevel; ++level) {
        EXPECT_EQ(TrophyLevelOf(TrophyThreshold(level) - 1), level - 1) << level;
        EXPECT_EQ(TrophyLevelOf(TrophyThreshold(level)), level) << level;
    }
    EXPECT_EQ(TrophyThreshold(7), 3'000'000u);
    EXPECT_EQ(TrophyThreshold(11), 8'000'000u);
    EXPECT_EQ(TrophyLevelOf(10'000'000), 12);
    // Unsigned: the largest count is the top level, not below level 1.
    EXPECT_EQ(TrophyLevelOf(0xFFFFFFFF), 12);
}

TEST(TrophyLevel, LevelOneShowsItsPictureAndTwoSmallTrophies) {
    UsageStatistics s;
    s.counters().leftClicks = 99'999;
    EXPECT_EQ(s.UpdateTrophyLevel(), 0);
    s.counters().rightClicks = 1;
    EXPECT_EQ(s.UpdateTrophyLevel(), 1);
    EXPECT_EQ(TrophyPictureName(1), u"trophy\\trophy1Down.bmp");
    int lit = 0;
    for (int k = 0; k < kTrophyLevelCount; ++k) lit += SmallTrophyLit(k, 1);
    EXPECT_EQ(lit, 2);
    EXPECT_EQ(ProgressBarWidth(0), 21);
    EXPECT_EQ(ProgressBarWidth(1), 42);
}

TEST(TrophyLevel, TopLevelLightsEverythingAndFillsTheBar) {
    UsageStatistics s;
    s.counters().middleClicks = 10'000'000;
    EXPECT_EQ(s.UpdateTrophyLevel(), 12);
    for (int k = 0; k < kTrophyLevelCount; ++k) EXPECT_TRUE(SmallTrophyLit(k, 12)) << k;
    EXPECT_EQ(ProgressBarWidth(12), 273);
    EXPECT_EQ(TrophyPictureName(12), u"trophy\\trophy12Down.bmp");
}

TEST(TrophyLevel, TheLargerOfClicksAndWheelCounts) {
    UsageStatistics s;
    s.counters().wheelForward = 100'000;
    s.counters().wheelBackward = 50'000;
    s.counters().leftClicks = 10;
    EXPECT_EQ(s.UpdateTrophyLevel(), 1);
    // Cursor travel plays no part.
    s.counters().cursorTravel = 0xFFFFFFFF;
    EXPECT_EQ(s.UpdateTrophyLevel(), 1);
}

TEST(TrophyLevel, NeverFallsUntilAReset) {
    UsageStatistics s;
    s.counters().leftClicks = 4'000'000;
    EXPECT_EQ(s.UpdateTrophyLevel(), 8);
    s.counters().leftClicks = 0;
    EXPECT_EQ(s.UpdateTrophyLevel(), 8);
    s.TrophyPicturesShown();
    EXPECT_FALSE(s.TrophyPicturesStale());
    s.Reset();
    EXPECT_EQ(s.trophyLevel(), 0);
    EXPECT_EQ(s.shownTrophyLevel(), kNoTrophyShown);
    EXPECT_TRUE(s.TrophyPicturesStale());
}

}  // namespace
}  // namespace tarn
