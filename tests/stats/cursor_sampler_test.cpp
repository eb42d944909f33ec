// The sampling thread: what it hands over, and that it ends when told.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>

#include "base/window_messages.h"
#include "stats/cursor_sampler.h"
#include "tests/support/doubles.h"

namespace tarn::test {
namespace {

TEST(CursorSampler, PostsEachMoveToThePage) {
    RecordingPoster poster;
    CursorSampler sampler;
    std::atomic<int> reads{0};
    ASSERT_TRUE(sampler.Start(
        [&](CursorPoint& p) {
            const int n = ++reads;
            p = {n < 3 ? -1920 : -1918, 1080};  // rests for one sample, then moves
            return n <= 3;                      // then the system stops telling
        },
        poster, 0x1234, 1));
    EXPECT_FALSE(sampler.Start([](CursorPoint&) { return true; }, poster, 1, 1));
    while (reads < 6) std::this_thread::yield();
    sampler.Stop();
    const auto posted = poster.Posted();
    ASSERT_EQ(posted.size(), 2u);
    EXPECT_EQ(posted[0], (PostedMessage{0x1234, kMsgStatsSample, 0, 0}));
    EXPECT_EQ(sampler.Point().x, -1918);
    EXPECT_EQ(sampler.Point().y, 1080);
}

TEST(CursorSampler, StopEndsTheThreadWithoutWaitingOutThePause) {
    RecordingPoster poster;
    CursorSampler sampler;
    ASSERT_TRUE(sampler.Start([](CursorPoint&) { return true; }, poster, 1, 600'000));
    while (poster.Posted().empty()) std::this_thread::yield();
    const auto start = std::chrono::steady_clock::now();
    sampler.Stop();
    EXPECT_FALSE(sampler.Running());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
    sampler.Stop();  // twice is harmless
}

TEST(SharedCursorPoint, KeepsBothCoordinatesOfOneSample) {
    SharedCursorPoint point;
    point.Store({INT32_MIN, -1});
    EXPECT_EQ(point.Load().x, INT32_MIN);
    EXPECT_EQ(point.Load().y, -1);
    point.Store({-1, INT32_MAX});
    EXPECT_EQ(point.Load().x, -1);
    EXPECT_EQ(point.Load().y, INT32_MAX);
}

}  // namespace
}  // namespace tarn::test
