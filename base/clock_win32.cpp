// The system tick count, as the device pauses and the statistics measure time on Windows.
#include <windows.h>

#include "base/clock.h"

namespace tarn {

namespace {

class TickClock final : public Clock {
public:
    uint32_t TickCount() override { return GetTickCount(); }
    void Sleep(uint32_t milliseconds) override { ::Sleep(milliseconds); }
};

}  // namespace

Clock& PlatformClock() {
    static TickClock instance;
    return instance;
}

}  // namespace tarn
