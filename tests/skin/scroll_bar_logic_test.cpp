#include "skin/scroll_bar_logic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace tarn::skin {
namespace {

constexpr int kCell = 18;

ScrollState List(int count, int visible, int top = 0) {
    ScrollState s;
    s.minimum = 0;
    s.maximum = count - 1;
    s.page = visible;
    s.position = top;
    return s;
}

TEST(ScrollGeometry, ArrowsTrackAndThumbOfAnOrdinaryBar) {
    // 171 pixels, 100 entries of which 9 show.
    const ScrollLayout l = LayOutScrollBar(171, kCell, List(100, 9), false);
    EXPECT_EQ(l.arrow, 18);
    EXPECT_EQ(l.track, 135);
    EXPECT_EQ(l.range, 91);
    EXPECT_EQ(l.thumbLength, 9 * 135 / 100);
    EXPECT_EQ(l.thumbStart, 18);
    // At the last position the thumb touches the second arrow.
    const ScrollLayout end = LayOutScrollBar(171, kCell, List(100, 9, 91), false);
    EXPECT_EQ(end.thumbStart + end.thumbLength, 171 - 18);
}

TEST(ScrollGeometry, ThumbNeverShorterThanSixAndNoneOnAFivePixelTrack) {
    const ScrollLayout longList = LayOutScrollBar(171, kCell, List(5000, 9), false);
    EXPECT_EQ(longList.thumbLength, kMinimumThumb);
    EXPECT_EQ(LayOutScrollBar(2 * kCell + 5, kCell, List(100, 9), false).thumbLength, 0);
    EXPECT_EQ(LayOutScrollBar(2 * kCell + 6, kCell, List(5000, 9), false).thumbLength, 6);
    for (int length = 0; length < 200; ++length) {
        const ScrollLayout l = LayOutScrollBar(length, kCell, List(1000, 3, 500), false);
        if (l.thumbLength != 0) {
            EXPECT_GE(l.thumbLength, kMinimumThumb) << length;
            EXPECT_LE(l.thumbStart + l.thumbLength, length - l.arrow) << length;
        }
    }
}

TEST(ScrollGeometry, ShortBarsAndListsThatFit) {
    // No room for two whole arrows: each takes half the bar.
    const ScrollLayout tiny = LayOutScrollBar(30, kCell, List(100, 9), false);
    EXPECT_EQ(tiny.arrow, 15);
    EXPECT_EQ(tiny.track, 0);
    EXPECT_EQ(tiny.thumbLength, 0);
    // Everything fits (page as large as the range) or more than fits: no thumb, and a page
    // larger than the range does not give one longer than the track.
    EXPECT_EQ(LayOutScrollBar(171, kCell, List(9, 9), false).thumbLength, 0);
    const ScrollLayout fits = LayOutScrollBar(171, kCell, List(4, 9), false);
    EXPECT_EQ(fits.thumbLength, 0);
    EXPECT_EQ(fits.thumbStart, 18 + 135 / 2);
}

TEST(ScrollGeometry, DraggingDrawsTheTrackingPosition) {
    ScrollState s = List(100, 9, 0);
    s.trackPosition = 91;
    EXPECT_EQ(LayOutScrollBar(171, kCell, s, false).thumbStart, 18);
    const ScrollLayout l = LayOutScrollBar(171, kCell, s, true);
    EXPECT_EQ(l.thumbStart + l.thumbLength, 153);
}

TEST(ScrollHitTest, PartsInOrderAndNothingOutside) {
    const ScrollLayout l = LayOutScrollBar(171, kCell, List(100, 9, 46), false);
    EXPECT_EQ(HitScrollPart(l, -1), ScrollPart::None);
    EXPECT_EQ(HitScrollPart(l, 0), ScrollPart::FirstArrow);
    EXPECT_EQ(HitScrollPart(l, 17), ScrollPart::FirstArrow);
    EXPECT_EQ(HitScrollPart(l, 18), ScrollPart::PageBefore);
    EXPECT_EQ(HitScrollPart(l, l.thumbStart), ScrollPart::Thumb);
    EXPECT_EQ(HitScrollPart(l, l.thumbStart + l.thumbLength), ScrollPart::PageAfter);
    EXPECT_EQ(HitScrollPart(l, 153), ScrollPart::SecondArrow);
    EXPECT_EQ(HitScrollPart(l, 170), ScrollPart::SecondArrow);
    EXPECT_EQ(HitScrollPart(l, 171), ScrollPart::None);
    EXPECT_EQ(ScrollCodeOf(ScrollPart::FirstArrow), 0);
    EXPECT_EQ(ScrollCodeOf(ScrollPart::SecondArrow), 1);
    EXPECT_EQ(ScrollCodeOf(ScrollPart::PageBefore), 2);
    EXPECT_EQ(ScrollCodeOf(ScrollPart::PageAfter), 3);
    EXPECT_EQ(ScrollCodeOf(ScrollPart::Thumb), -1);
}

TEST(ScrollDrag, MovesByTheRangeOverTheFreeTrackAndStaysInside) {
    const ScrollState s = List(100, 9, 10);
    const ScrollLayout l = LayOutScrollBar(171, kCell, s, true);
    const int free = l.track - l.thumbLength;
    EXPECT_EQ(DraggedScrollPosition(l, s, 10, 0), 10);
    EXPECT_EQ(DraggedScrollPosition(l, s, 10, 20), 10 + 20 * 91 / free);
    EXPECT_EQ(DraggedScrollPosition(l, s, 10, 1000), 91);
    EXPECT_EQ(DraggedScrollPosition(l, s, 10, -1000), 0);
    // A thumb that fills its track cannot be dragged.
    const ScrollState full = List(2, 1);
    ScrollLayout stuck = LayOutScrollBar(171, kCell, full, true);
    stuck.thumbLength = stuck.track;
    EXPECT_EQ(DraggedScrollPosition(stuck, full, 1, 50), 1);
}

TEST(ScrollCells, PressedBeforeHoveredBeforeNormal) {
    EXPECT_EQ(ScrollCellRow(ScrollPart::Thumb, ScrollPart::None, ScrollPart::None), 0);
    EXPECT_EQ(ScrollCellRow(ScrollPart::Thumb, ScrollPart::Thumb, ScrollPart::None), 1);
    EXPECT_EQ(ScrollCellRow(ScrollPart::FirstArrow, ScrollPart::FirstArrow, ScrollPart::FirstArrow),
              2);
    EXPECT_EQ(
        ScrollCellRow(ScrollPart::SecondArrow, ScrollPart::FirstArrow, ScrollPart::FirstArrow), 0);
}

// Drives the repeat like the window's timer does, on a clock that only moves when told.
struct FakeTimer {
    ScrollRepeat repeat;
    uint32_t now = 0;
    uint32_t due = 0;  // 0: not armed
    std::vector<uint32_t> sent;
    ScrollState state = List(1000, 9, 0);
    int direction = 1;  // what one code does to the position

    void Apply(ScrollRepeat::Step step) {
        if (step.send) {
            sent.push_back(now);
            state.position =
                std::clamp(state.position + direction, state.minimum, LastScrollPosition(state));
        }
        due = step.nextDelay ? now + step.nextDelay : 0;
    }
    void RunUntil(uint32_t end, ScrollPart under) {
        while (due != 0 && due <= end) {
            now = due;
            Apply(repeat.Fire(under, state));
        }
        now = end;
    }
};

TEST(ScrollRepeatTiming, OnceAtOnceThenAfter500ThenEvery100) {
    FakeTimer t;
    t.Apply(t.repeat.Press(ScrollPart::SecondArrow));
    t.RunUntil(1000, ScrollPart::SecondArrow);
    EXPECT_EQ(t.sent, (std::vector<uint32_t>{0, 500, 600, 700, 800, 900, 1000}));
}

TEST(ScrollRepeatTiming, PausesOffThePartAndStopsAtTheEnds) {
    FakeTimer t;
    t.Apply(t.repeat.Press(ScrollPart::SecondArrow));
    t.RunUntil(700, ScrollPart::None);  // the cursor left the arrow
    EXPECT_EQ(t.sent, (std::vector<uint32_t>{0}));
    t.RunUntil(900, ScrollPart::SecondArrow);  // and came back
    EXPECT_EQ(t.sent, (std::vector<uint32_t>{0, 800, 900}));

    // Line down stops at the last position, line up at the start.
    FakeTimer end;
    end.state = List(12, 9, 1);
    end.Apply(end.repeat.Press(ScrollPart::SecondArrow));
    end.RunUntil(2000, ScrollPart::SecondArrow);
    EXPECT_EQ(end.sent.size(), 2u);  // 1 -> 2 -> 3, the last of 12 with 9 showing
    FakeTimer top;
    top.state = List(1000, 9, 1);
    top.direction = -1;
    top.Apply(top.repeat.Press(ScrollPart::FirstArrow));
    top.sent.clear();
    top.RunUntil(2000, ScrollPart::FirstArrow);
    EXPECT_TRUE(top.sent.empty());

    // Released: the timer is no longer armed.
    FakeTimer released;
    released.Apply(released.repeat.Press(ScrollPart::PageAfter));
    released.repeat.Release();
    released.RunUntil(2000, ScrollPart::PageAfter);
    EXPECT_EQ(released.sent, (std::vector<uint32_t>{0}));
    // Pressing the thumb or nothing starts no repeat.
    EXPECT_FALSE(ScrollRepeat().Press(ScrollPart::Thumb).send);
    EXPECT_EQ(ScrollRepeat().Press(ScrollPart::None).nextDelay, 0u);
}

}  // namespace
}  // namespace tarn::skin
