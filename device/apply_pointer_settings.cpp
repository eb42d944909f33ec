#include "device/apply_pointer_settings.h"

namespace tarn {

namespace {

// The precision values must outlive the notification, which hands out their address.
const int kPrecisionOn[3] = {6, 10, 1};
const int kPrecisionOff[3] = {0, 0, 0};

constexpr uint32_t kMinPointerSpeed = 1;
constexpr uint32_t kMaxPointerSpeed = 20;

}  // namespace

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
