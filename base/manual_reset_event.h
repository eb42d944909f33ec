// A manual-reset event for the worker threads: it stays signalled until reset, so a request made
// while the worker is busy is not lost, and shutting down wakes a waiting worker for good.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace tarn {

class ManualResetEvent {
public:
    explicit ManualResetEvent(bool signalled = false) : signalled_(signalled) {}
    ManualResetEvent(const ManualResetEvent&) = delete;
    ManualResetEvent& operator=(const ManualResetEvent&) = delete;

    void Set();
    void Reset();
    bool IsSet() const;
    // Waits without time limit until the event is signalled.
    void Wait();
    // False when the time ran out first.
    bool WaitFor(uint32_t milliseconds);

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool signalled_;
};

}  // namespace tarn
