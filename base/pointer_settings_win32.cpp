// The pointer options through SystemParametersInfoW. Each change is written to the user's
// profile and broadcast, then our own window is told with WM_WININICHANGE.
#include <windows.h>

#include "base/pointer_settings.h"

namespace tarn {

namespace {

constexpr UINT kUpdateAndBroadcast = SPIF_UPDATEINIFILE | SPIF_SENDCHANGE;
// The worker must not hang on a window that stopped pumping (the program closing).
constexpr UINT kNotifyTimeoutMs = 2000;

class SystemPointerSettings final : public PointerSettings {
public:
    bool SetMouse(const int (&values)[3]) override {
        int copy[3] = {values[0], values[1], values[2]};
        return SystemParametersInfoW(SPI_SETMOUSE, 0, copy, kUpdateAndBroadcast) != 0;
    }
    bool SetMouseSpeed(uint32_t speed) override {
        // The speed travels in the pointer argument itself.
        return SystemParametersInfoW(SPI_SETMOUSESPEED, 0,
                                     reinterpret_cast<void*>(static_cast<uintptr_t>(speed)),
                                     kUpdateAndBroadcast) != 0;
    }
    bool SetWheelScrollLines(uint32_t lines) override {
        return SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, lines, nullptr,
                                     kUpdateAndBroadcast) != 0;
    }
    void NotifyChange(WindowId window, uint32_t action, const int* values) override {
        if (window == 0) return;
        DWORD_PTR result = 0;
        SendMessageTimeoutW(reinterpret_cast<HWND>(window), WM_WININICHANGE, action,
                            reinterpret_cast<LPARAM>(values), SMTO_NORMAL, kNotifyTimeoutMs,
                            &result);
    }
};

}  // namespace

PointerSettings& PlatformPointerSettings() {
    static SystemPointerSettings instance;
    return instance;
}

}  // namespace tarn
