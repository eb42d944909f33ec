// Device presence: what the main window does when a USB device arrives or is removed. The mouse
// is named by "VID_3D5A&PID_4108" in its device path; its removal after an apply is expected
// (the mouse restarts when its report rate changes), any other removal ends the program, and
// an arrival re-opens the link off the user-interface thread.
#pragma once

#include <cstdint>
#include <string_view>

#include "device/apply_worker.h"

namespace tarn {

// The events of WM_DEVICECHANGE that matter.
inline constexpr uint32_t kDeviceArrival = 0x8000;
inline constexpr uint32_t kDeviceRemoveComplete = 0x8004;

inline constexpr std::u16string_view kMouseDeviceName = u"VID_3D5A&PID_4108";
bool IsMouseDevicePath(std::u16string_view path);

std::u16string_view MouseFoundText();
std::u16string_view MouseLostText();

// What the rules ask of the main window and the platform, on the user-interface thread.
class DevicePresenceShell {
public:
    virtual ~DevicePresenceShell() = default;
    virtual void CloseLink() = 0;
    // The global hooks, with the main window as their target.
    virtual void InstallGlobalHooks() = 0;
    virtual void RemoveGlobalHooks() = 0;
    // Re-opens the link off the user-interface thread; its end arrives as OnReopened(attempt).
    virtual void StartReopen(uint32_t attempt) = 0;
    virtual void CancelReopen() = 0;
    virtual void SetDeviceFirmwareText(std::u16string_view text) = 0;
    virtual void ShowApplyButtonNormal() = 0;
    virtual void PostClose() = 0;
};

class DevicePresence {
public:
    DevicePresence(DevicePresenceShell& shell, ApplyShared& apply);

    // WM_DEVICECHANGE with its event and the device path of its record (empty for a record
    // that names no device interface).
    void OnDeviceChange(uint32_t event, std::u16string_view path);
    // The re-open numbered attempt ended: opened or not, with the firmware version read
    // (0 when the read failed).
    void OnReopened(uint32_t attempt, bool opened, uint32_t version);

    bool Reopening() const { return reopening_ != 0; }
    // Once the program has decided to end, later events change nothing.
    bool Ending() const { return ending_; }

private:
    void OnArrival();
    void OnRemoval();
    void EndProgram();

    DevicePresenceShell& shell_;
    ApplyShared& apply_;
    uint32_t lastAttempt_ = 0;
    uint32_t reopening_ = 0;  // the attempt under way, 0 for none
    // Whether the link is (or is being) open: a removal of a mouse already gone is a repeat.
    bool present_ = true;
    bool ending_ = false;
};

}  // namespace tarn
