// The device notifications of the simulated bus: WM_DEVICECHANGE with DBT_DEVICEARRIVAL or
// DBT_DEVICEREMOVECOMPLETE and a device-interface record naming the path, sent to one window
// as the system sends them to a window registered for the USB device interface class.
#pragma once

#include <windows.h>

#include <deque>
#include <mutex>
#include <vector>

#include "device/simulated_usb_watcher.h"

namespace tarn {

class SimulatedDeviceNotifications {
public:
    ~SimulatedDeviceNotifications() { Stop(); }
    void Start(const SimulatedMouse& mouse, HWND target);
    void Stop();

private:
    void Send(const UsbChange& change);

    HWND target_ = nullptr;
    SimulatedUsbWatcher watcher_;
    std::mutex mutex_;
    // The records live as long as this object: a send that timed out is still delivered later.
    std::deque<std::vector<unsigned char>> records_;
};

}  // namespace tarn
