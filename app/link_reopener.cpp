#include "app/link_reopener.h"

#include <chrono>

namespace tarn {

void LinkReopener::Start(Open open, ReadVersion readVersion, Done done, uint32_t pauseMs,
                         int attempts) {
    Cancel();
    cancelled_ = false;
    thread_ = std::thread([this, open = std::move(open), readVersion = std::move(readVersion),
                           done = std::move(done), pauseMs, attempts] {
        bool opened = false;
        for (int attempt = 0; attempt < attempts && !opened; ++attempt) {
            if (attempt > 0) {
                std::unique_lock<std::mutex> lock(mutex_);
                if (wake_.wait_for(lock, std::chrono::milliseconds(pauseMs),
                                   [this] { return cancelled_; })) {
                    return;
                }
            }
            opened = open();
        }
        const uint32_t version = opened ? readVersion() : 0;
        std::lock_guard<std::mutex> lock(mutex_);
        if (!cancelled_) done(opened, version);
    });
}

void LinkReopener::Cancel() {
    if (!thread_.joinable()) return;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        cancelled_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

}  // namespace tarn
