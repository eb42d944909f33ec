#include "base/pointer_settings.h"

namespace tarn {

namespace {

class NullPointerSettings final : public PointerSettings {
public:
    bool SetMouse(const int (&)[3]) override { return false; }
    bool SetMouseSpeed(uint32_t) override { return false; }
    bool SetWheelScrollLines(uint32_t) override { return false; }
    void NotifyChange(WindowId, uint32_t, const int*) override {}
};

PointerSettings* g_override = nullptr;

// The precision values must outlive the notification, which hands out their address.
const int kPrecisionOn[3] = {6, 10, 1};
const int kPrecisionOff[3] = {0, 0, 0};

constexpr uint32_t kMinPointerSpeed = 1;
constexpr uint32_t kMaxPointerSpeed = 20;

}  // namespace

#ifndef _WIN32
PointerSettings& PlatformPointerSettings() {
    static NullPointerSettings instance;
    return instance;
}
#endif

void SetPointerSettings(PointerSettings* settings) {
    g_override = settings;
}

PointerSettings& CurrentPointerSettings() {
    return g_override ? *g_override : PlatformPointerSettings();
}

void ApplyPointerSettings(const ProfileRecord& profile, WindowId mainWindow,
                          PointerSettings& settings) {
    const int(&precision)[3] = profile.enhancePointerPrecision == 1 ? kPrecisionOn : kPrecisionOff;
    settings.SetMouse(precision);
    settings.NotifyChange(mainWindow, kSpiSetMouse, precision);

    if (profile.pointerSpeed >= kMinPointerSpeed && profile.pointerSpeed <= kMaxPointerSpeed) {
        settings.SetMouseSpeed(profile.pointerSpeed);
        settings.NotifyChange(mainWindow, kSpiSetMouseSpeed, nullptr);
    }

    const int32_t lines = profile.wheelScrollLines;
    if (lines >= -1) {
        settings.SetWheelScrollLines(lines == -1 ? kWheelPageScroll : static_cast<uint32_t>(lines));
        settings.NotifyChange(mainWindow, kSpiSetWheelScrollLines, nullptr);
    }
}

}  // namespace tarn
