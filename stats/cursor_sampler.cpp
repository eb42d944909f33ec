#include "stats/cursor_sampler.h"

#include <utility>

#include "base/window_messages.h"

namespace tarn {

bool CursorSampler::Start(ReadCursor read, MessagePoster& poster, WindowId target,
                          uint32_t periodMs) {
    if (thread_.joinable()) return false;
    stop_.Reset();
    thread_ = std::thread(&CursorSampler::Run, this, std::move(read), std::ref(poster), target,
                          periodMs);
    return true;
}

void CursorSampler::Stop() {
    if (!thread_.joinable()) return;
    stop_.Set();
    thread_.join();
}

void CursorSampler::Run(ReadCursor read, MessagePoster& poster, WindowId target,
                        uint32_t periodMs) {
    bool first = true;
    CursorPoint last;
    do {
        CursorPoint p;
        if (!read(p)) continue;
        // A resting cursor adds nothing: the page is not woken for it, so an idle program
        // stays idle.
        if (!first && p.x == last.x && p.y == last.y) continue;
        first = false;
        last = p;
        point_.Store(p);
        poster.Post(target, kMsgStatsSample, 0, 0);
    } while (!stop_.WaitFor(periodMs));
}

}  // namespace tarn
