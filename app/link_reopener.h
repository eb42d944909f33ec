// Re-opening the link after the mouse arrived, on a short-lived thread of its own: the open is
// tried at once and then every 2500 ms, a bounded number of times, and can be called off at
// any moment (the mouse left again, or the program ends).
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace tarn {

inline constexpr uint32_t kReopenPauseMs = 2500;
// About 20 s: a mouse that is listed but cannot be opened for that long is not coming back.
inline constexpr int kReopenAttempts = 8;

class LinkReopener {
public:
    using Open = std::function<bool()>;
    // The firmware version, 0 when it cannot be read.
    using ReadVersion = std::function<uint32_t()>;
    // Runs on the re-open thread, unless the re-open was called off first.
    using Done = std::function<void(bool opened, uint32_t version)>;

    LinkReopener() = default;
    ~LinkReopener() { Cancel(); }
    LinkReopener(const LinkReopener&) = delete;
    LinkReopener& operator=(const LinkReopener&) = delete;

    void Start(Open open, ReadVersion readVersion, Done done,
               uint32_t pauseMs = kReopenPauseMs, int attempts = kReopenAttempts);
    // Calls off a re-open under way and waits for its thread (at most one open attempt).
    void Cancel();
    bool Running() const { return thread_.joinable(); }

private:
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool cancelled_ = false;
};

}  // namespace tarn
