#include "device/simulated_usb_watcher.h"

#include <algorithm>
#include <chrono>

namespace tarn {

namespace {

bool Holds(const std::vector<SimulatedUsbDevice>& devices, const std::string& path) {
    return std::any_of(devices.begin(), devices.end(),
                       [&](const SimulatedUsbDevice& d) { return d.interfacePath == path; });
}

}  // namespace

std::vector<UsbChange> UsbChanges(const std::vector<SimulatedUsbDevice>& before,
                                  const std::vector<SimulatedUsbDevice>& after) {
    std::vector<UsbChange> changes;
    for (const SimulatedUsbDevice& d : before) {
        if (!Holds(after, d.interfacePath)) changes.push_back({false, d.interfacePath});
    }
    for (const SimulatedUsbDevice& d : after) {
        if (!Holds(before, d.interfacePath)) changes.push_back({true, d.interfacePath});
    }
    return changes;
}

void SimulatedUsbWatcher::Start(const SimulatedMouse& mouse, Notify notify, uint32_t periodMs) {
    Stop();
    stop_ = false;
    std::vector<SimulatedUsbDevice> seen = mouse.UsbDevices();
    thread_ = std::thread([this, &mouse, notify = std::move(notify), seen, periodMs]() mutable {
        std::unique_lock<std::mutex> lock(mutex_);
        while (!wake_.wait_for(lock, std::chrono::milliseconds(periodMs), [this] { return stop_; })) {
            lock.unlock();
            std::vector<SimulatedUsbDevice> now = mouse.UsbDevices();
            for (const UsbChange& change : UsbChanges(seen, now)) notify(change);
            seen = std::move(now);
            lock.lock();
        }
    });
}

void SimulatedUsbWatcher::Stop() {
    if (!thread_.joinable()) return;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

}  // namespace tarn
