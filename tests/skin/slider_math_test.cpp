#include "skin/slider_math.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace tarn::skin {
namespace {

// The button page's pointer speed slider: bar (104..293) 189 wide, track 20 shorter.
constexpr int kBarWidth = 189;
constexpr int kThumb = 14;
constexpr int kTrackLeft = 104, kTrackRight = 273;

TEST(ThumbPlacement, SpansTheTravelAndRejectsValuesOutsideTheRange) {
    const SliderRange range{1, 20};
    EXPECT_EQ(ThumbLeft(1, range, kBarWidth, kThumb), 0);
    EXPECT_EQ(ThumbLeft(20, range, kBarWidth, kThumb), kBarWidth - kThumb);
    EXPECT_EQ(ThumbLeft(10, range, kBarWidth, kThumb), (175 * 9) / 19);
    // Above the maximum or below the minimum: the thumb goes to the start, not past the end.
    EXPECT_EQ(ThumbLeft(21, range, kBarWidth, kThumb), 0);
    EXPECT_EQ(ThumbLeft(0, range, kBarWidth, kThumb), 0);
    EXPECT_EQ(ThumbTop(12, 14), -2);
}

TEST(ThumbPlacement, DegenerateRangesAndMissingThumbDoNotDivideByZero) {
    EXPECT_EQ(ThumbLeft(3, {3, 3}, kBarWidth, kThumb), 0);
    EXPECT_EQ(ThumbValue(50, {1, 5}, 10, 10), 1);
    // A missing thumb PNG gives a thumb of size 0; placement still spans the whole bar.
    EXPECT_EQ(ThumbLeft(5, {1, 5}, 100, 0), 100);
}

TEST(TrackClick, TruncatesAndClampsToTheRange) {
    const SliderRange range{1, 20};
    EXPECT_EQ(TrackClickValue(kTrackLeft, kTrackLeft, kTrackRight, range), 1);
    EXPECT_EQ(TrackClickValue(kTrackLeft - 30, kTrackLeft, kTrackRight, range), 1);
    EXPECT_EQ(TrackClickValue(kTrackRight + 15, kTrackLeft, kTrackRight, range), 20);
    // d = 84 of 169: 1 + 84 * 19 / 169 = 1 + 9.
    EXPECT_EQ(TrackClickValue(kTrackLeft + 84, kTrackLeft, kTrackRight, range), 10);
    // A range of 0..255 (the colour sliders) with no snapping: one short of the end is 254.
    EXPECT_EQ(TrackClickValue(127, 0, 128, {0, 255}), 253);
}

TEST(TrackClick, TopEndSnapsOnTheShortRanges) {
    // 1..5 over a 100 pixel track: d = 94 gives 4.76 > 4.75, so 5 instead of the truncated 4.
    EXPECT_EQ(TrackClickValue(94, 0, 100, {1, 5}), 5);
    EXPECT_EQ(TrackClickValue(93, 0, 100, {1, 5}), 4);
    // 1..10: 9.75 is crossed at d > 97.2 of 100.
    EXPECT_EQ(TrackClickValue(98, 0, 100, {1, 10}), 10);
    EXPECT_EQ(TrackClickValue(97, 0, 100, {1, 10}), 9);
    // 1..3: 2.87 is crossed at d > 93.5 of 100.
    EXPECT_EQ(TrackClickValue(94, 0, 100, {1, 3}), 3);
    EXPECT_EQ(TrackClickValue(93, 0, 100, {1, 3}), 2);
    // Other ranges with the same lengths do not snap: 0..4 stays truncated.
    EXPECT_EQ(TrackClickValue(94, 0, 100, {0, 4}), 3);
    EXPECT_EQ(TrackClickValue(99, 0, 100, {1, 20}), 19);
}

TEST(TrackClick, EmptyTrackGivesTheMinimum) {
    EXPECT_EQ(TrackClickValue(50, 10, 10, {1, 5}), 1);
}

TEST(ThumbDrag, StaysInsideTheTravelAndSnapsToWholeValues) {
    const SliderRange range{1, 5};
    const int bar = 144, thumb = 14;  // travel 130
    EXPECT_EQ(DraggedThumbLeft(100, 500, bar, thumb), 130);
    EXPECT_EQ(DraggedThumbLeft(20, -50, bar, thumb), 0);
    EXPECT_EQ(ThumbValue(130, range, bar, thumb), 5);
    // Beyond the end the value stays the maximum.
    EXPECT_EQ(ThumbValue(DraggedThumbLeft(130, 40, bar, thumb), range, bar, thumb), 5);
    // Halfway between 2 and 3 truncates to 2, and the thumb is then placed at value 2.
    const int left = 48;  // 4 * 48 / 130 = 1.47
    EXPECT_EQ(ThumbValue(left, range, bar, thumb), 2);
    EXPECT_EQ(ThumbLeft(2, range, bar, thumb), 32);
}

TEST(ThumbDrag, EveryPlacedValueReadsBackAsItself) {
    // Placing the thumb for a value and reading the value under its left edge must agree, or
    // a drag would jump a step back as soon as it starts.
    for (const SliderRange range : {SliderRange{1, 3}, SliderRange{1, 5}, SliderRange{1, 10},
                                    SliderRange{1, 20}, SliderRange{1, 30}}) {
        for (const int bar : {128, 142, 189, 202}) {
            for (int v = range.minimum; v <= range.maximum; ++v) {
                const int left = ThumbLeft(v, range, bar, kThumb);
                EXPECT_EQ(ThumbValue(left, range, bar, kThumb), v)
                    << range.minimum << ".." << range.maximum << " bar " << bar;
            }
        }
    }
    // The colour sliders have more values than pixels: a value reads back within the 2.2
    // values one pixel spans.
    for (int v = 0; v <= 255; ++v) {
        const int left = ThumbLeft(v, {0, 255}, 128, kThumb);
        EXPECT_LE(std::abs(ThumbValue(left, {0, 255}, 128, kThumb) - v), 2) << v;
    }
}

TEST(ProgressBar, FillWidthFollowsTheValue) {
    const SliderRange range{0, 100};
    EXPECT_EQ(ProgressFillWidth(0, range, 260), 0);
    EXPECT_EQ(ProgressFillWidth(50, range, 260), 130);
    EXPECT_EQ(ProgressFillWidth(100, range, 260), 260);
    EXPECT_EQ(ProgressFillWidth(33, range, 260), 85);
    // Outside the range the minimum is set.
    EXPECT_EQ(NormalizeProgressValue(101, range), 0);
    EXPECT_EQ(ProgressFillWidth(101, range, 260), 0);
    EXPECT_EQ(ProgressFillWidth(-1, range, 260), 0);
    EXPECT_EQ(ProgressFillWidth(5, {5, 5}, 260), 0);
}

TEST(ProgressBar, DragValueNeverGoesLeftOfTheStart) {
    const SliderRange range{0, 100};
    EXPECT_EQ(ProgressValueAt(10, 35, 295, range), 0);
    EXPECT_EQ(ProgressValueAt(165, 35, 295, range), 50);
    EXPECT_EQ(ProgressValueAt(400, 35, 295, range), 100);
}

}  // namespace
}  // namespace tarn::skin
