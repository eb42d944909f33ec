// Watches the simulated bus and reports each device that comes or goes, as the system's
// device notifications would. Portable: the Windows side turns the reports into WM_DEVICECHANGE.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "device/simulated_mouse.h"

namespace tarn {

// The changes between two looks at the bus: removals first, then arrivals, each in bus order.
struct UsbChange {
    bool arrival = false;
    std::string interfacePath;
    bool operator==(const UsbChange&) const = default;
};
std::vector<UsbChange> UsbChanges(const std::vector<SimulatedUsbDevice>& before,
                                  const std::vector<SimulatedUsbDevice>& after);

// How often the watcher looks; the system's own notifications come about as quickly.
inline constexpr uint32_t kUsbWatchPeriodMs = 50;

class SimulatedUsbWatcher {
public:
    using Notify = std::function<void(const UsbChange&)>;

    SimulatedUsbWatcher() = default;
    ~SimulatedUsbWatcher() { Stop(); }
    SimulatedUsbWatcher(const SimulatedUsbWatcher&) = delete;
    SimulatedUsbWatcher& operator=(const SimulatedUsbWatcher&) = delete;

    // Devices already on the bus are not reported. notify runs on the watcher's thread.
    void Start(const SimulatedMouse& mouse, Notify notify, uint32_t periodMs = kUsbWatchPeriodMs);
    void Stop();

private:
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
};

}  // namespace tarn
