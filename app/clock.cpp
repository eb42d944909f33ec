#include "app/clock.h"

#include <chrono>
#include <thread>

namespace tarn {

namespace {

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

Clock& PlatformClock() {
    static SteadyClock instance;
    return instance;
}

void SetClock(Clock* clock) { g_override = clock; }

Clock& SystemClock() { return g_override ? *g_override : PlatformClock(); }

}  // namespace tarn
