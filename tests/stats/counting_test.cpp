// Counting hook reports and cursor travel, the totals, and the texts the page shows.
#include <gtest/gtest.h>

#include "base/hook_state.h"
#include "stats/statistics_texts.h"
#include "stats/usage_statistics.h"

namespace tarn {
namespace {

TEST(Counting, EachReportAddsToItsCounter) {
    UsageStatistics s;
    for (uintptr_t code : {0x201u, 0x201u, 0x207u, 0x204u, 0x204u, 0x204u, 0x20A01u, 0x20A00u}) {
        EXPECT_TRUE(s.CountHookEvent(code));
    }
    const UsageCounters& c = s.counters();
    EXPECT_EQ(c.leftClicks, 2u);
    EXPECT_EQ(c.middleClicks, 1u);
    EXPECT_EQ(c.rightClicks, 3u);
    EXPECT_EQ(c.wheelForward, 1u);
    EXPECT_EQ(c.wheelBackward, 1u);
    EXPECT_EQ(TotalClicks(c), 6u);
    EXPECT_EQ(TotalWheel(c), 2u);
    EXPECT_TRUE(s.Unsaved());
}

TEST(Counting, OtherReportsAreIgnored) {
    UsageStatistics s;
    for (uintptr_t code : {uintptr_t{kReportKey}, uintptr_t{kReportBackDown},
                           uintptr_t{kReportForwardDown}, uintptr_t{0x202}, uintptr_t{0x20A}}) {
        EXPECT_FALSE(s.CountHookEvent(code));
    }
    EXPECT_EQ(TotalClicks(s.counters()), 0u);
    EXPECT_FALSE(s.Unsaved());
}

TEST(Counting, ACounterAtTheTopStaysThere) {
    UsageStatistics s;
    s.counters().leftClicks = 0xFFFFFFFE;
    s.CountHookEvent(kReportLeftDown);
    s.CountHookEvent(kReportLeftDown);
    EXPECT_EQ(s.counters().leftClicks, 0xFFFFFFFFu);
    s.counters().rightClicks = 5;
    EXPECT_EQ(TotalClicks(s.counters()), 0xFFFFFFFFu);
    s.counters().wheelForward = 0xFFFFFFFF;
    s.counters().wheelBackward = 0xFFFFFFFF;
    EXPECT_EQ(TotalWheel(s.counters()), 0xFFFFFFFFu);
}

TEST(CursorTravel, AddsTheStepsOfBothAxes) {
    UsageStatistics s;
    s.SetLastCursor({100, 100});
    s.AddCursorTravel({130, 140});
    EXPECT_EQ(s.counters().cursorTravel, 70u);
    s.AddCursorTravel({-1820, 40});  // onto a monitor left of the main one
    EXPECT_EQ(s.counters().cursorTravel, 70u + 1950u + 100u);
    EXPECT_EQ(s.lastCursor().x, -1820);
}

TEST(CursorTravel, StaysStillWithoutMovement) {
    UsageStatistics s;
    s.SetLastCursor({5, 5});
    s.AddCursorTravel({5, 5});
    EXPECT_EQ(s.counters().cursorTravel, 0u);
    EXPECT_FALSE(s.Unsaved());
}

TEST(CursorTravel, SaturatesInsteadOfWrapping) {
    UsageStatistics s;
    s.counters().cursorTravel = 0xFFFFFF00;
    s.SetLastCursor({INT32_MIN, INT32_MIN});
    s.AddCursorTravel({INT32_MAX, INT32_MAX});
    EXPECT_EQ(s.counters().cursorTravel, 0xFFFFFFFFu);
}

TEST(Texts, CountsAndDistanceInRowOrder) {
    UsageCounters c{1, 2, 3, 40, 50, 12'345'678};
    const StatisticsTexts t = FormatStatistics(c);
    EXPECT_EQ(t[0], u"1");
    EXPECT_EQ(t[3], u"6");
    EXPECT_EQ(t[6], u"90");
    EXPECT_EQ(t[7], u"1234.57");
    EXPECT_EQ(FormatDistance(0), u"0.00");
    EXPECT_EQ(FormatDistance(0xFFFFFFFF), u"429496.73");
}

TEST(Texts, LargeCountsStayPositive) {
    UsageCounters c{0x80000000, 0, 0, 0xFFFFFFFF, 0, 0};
    const StatisticsTexts t = FormatStatistics(c);
    EXPECT_EQ(t[0], u"2147483648");
    EXPECT_EQ(t[3], u"2147483648");
    EXPECT_EQ(t[4], u"4294967295");
}

}  // namespace
}  // namespace tarn
