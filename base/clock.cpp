#include "base/clock.h"

#include <chrono>
#include <thread>

namespace tarn {

namespace {

// Windows uses the system tick count instead (clock_win32.cpp).
class SteadyClock final : public Clock {
public:
    uint32_t TickCount() override {
        using namespace std::chrono;
        return static_cast<uint32_t>(
            duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    }
    void Sleep(uint32_t milliseconds) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }
};

Clock* g_override = nullptr;

}  // namespace

#ifndef _WIN32
Clock& PlatformClock() {
    static SteadyClock instance;
    return instance;
}
#endif

void SetClock(Clock* clock) {
    g_override = clock;
}

Clock& SystemClock() {
    return g_override ? *g_override : PlatformClock();
}

}  // namespace tarn
