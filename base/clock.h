// Time as the device protocol and the workers see it: a millisecond tick and a pause.
#pragma once

#include <cstdint>

namespace tarn {

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since some fixed point; wraps like the system tick count.
    virtual uint32_t TickCount() = 0;
    virtual void Sleep(uint32_t milliseconds) = 0;
};

// The steady clock of the platform.
Clock& PlatformClock();
// Tests put a double in place; null restores the platform clock.
void SetClock(Clock* clock);
Clock& SystemClock();

}  // namespace tarn
