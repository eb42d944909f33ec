// The operating system's pointer and wheel options, set by each apply. A seam, so the apply runs
// natively against a double; SystemParametersInfoW on Windows.
#pragma once

#include <cstdint>

#include "base/message_poster.h"

namespace tarn {

// The system's action codes, also the wParam of the WM_WININICHANGE that follows each change.
inline constexpr uint32_t kSpiSetMouse = 0x0004;
inline constexpr uint32_t kSpiSetMouseSpeed = 0x0071;
inline constexpr uint32_t kSpiSetWheelScrollLines = 0x0069;
// The wheel line count that scrolls one screen per notch, as the system takes it.
inline constexpr uint32_t kWheelPageScroll = 0xFFFFFFFF;

class PointerSettings {
public:
    virtual ~PointerSettings() = default;
    // Each change is saved to the user's profile and broadcast (SPIF_UPDATEINIFILE and
    // SPIF_SENDCHANGE). values: the two thresholds and the acceleration.
    virtual bool SetMouse(const int (&values)[3]) = 0;
    virtual bool SetMouseSpeed(uint32_t speed) = 0;
    virtual bool SetWheelScrollLines(uint32_t lines) = 0;
    // Sends WM_WININICHANGE (action, values or null) to the window and waits for it.
    virtual void NotifyChange(WindowId window, uint32_t action, const int* values) = 0;
};

// SystemParametersInfoW on Windows; elsewhere settings that change nothing.
PointerSettings& PlatformPointerSettings();
void SetPointerSettings(PointerSettings* settings);
PointerSettings& CurrentPointerSettings();

}  // namespace tarn
