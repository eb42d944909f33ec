// The cursor sampling thread: every 500 ms it reads the cursor position into a shared point and,
// when the cursor moved, posts 0x4CA to the statistics page, which adds the step to the distance
// on its own thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>

#include "base/manual_reset_event.h"
#include "base/message_poster.h"
#include "stats/usage_statistics.h"

namespace tarn {

inline constexpr uint32_t kCursorSamplePeriodMs = 500;

// A point written by one thread and read by another: both coordinates travel in one atomic
// word, so a reader never sees the x of one sample with the y of another.
class SharedCursorPoint {
public:
    void Store(CursorPoint p) {
        word_.store(static_cast<uint64_t>(static_cast<uint32_t>(p.x)) << 32 |
                        static_cast<uint32_t>(p.y),
                    std::memory_order_release);
    }
    CursorPoint Load() const {
        const uint64_t w = word_.load(std::memory_order_acquire);
        return {static_cast<int32_t>(static_cast<uint32_t>(w >> 32)),
                static_cast<int32_t>(static_cast<uint32_t>(w))};
    }

private:
    std::atomic<uint64_t> word_{0};
};

class CursorSampler {
public:
    // Reads the cursor; false when the system could not tell (a secure desktop), and the sample
    // is skipped.
    using ReadCursor = std::function<bool(CursorPoint&)>;

    CursorSampler() = default;
    CursorSampler(const CursorSampler&) = delete;
    CursorSampler& operator=(const CursorSampler&) = delete;
    ~CursorSampler() { Stop(); }

    // Starts the thread; false when it already runs.
    bool Start(ReadCursor read, MessagePoster& poster, WindowId target,
               uint32_t periodMs = kCursorSamplePeriodMs);
    // Wakes the thread from its pause and waits for it to end, so nothing touches the page
    // after it is gone.
    void Stop();
    bool Running() const { return thread_.joinable(); }

    // The latest sample.
    CursorPoint Point() const { return point_.Load(); }

private:
    void Run(ReadCursor read, MessagePoster& poster, WindowId target, uint32_t periodMs);

    SharedCursorPoint point_;
    ManualResetEvent stop_;
    std::thread thread_;
};

}  // namespace tarn
