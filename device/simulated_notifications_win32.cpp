#include "device/simulated_notifications_win32.h"

#include <dbt.h>

#include <cstddef>
#include <string>

#include "base/text.h"

namespace tarn {

namespace {

// The watcher must not hang when the window's thread is busy or shutting down.
constexpr UINT kSendTimeoutMs = 1000;
// The USB device interface class, as in the registration of the main window.
constexpr GUID kUsbDeviceInterface = {
    0xA5DCBF10, 0x6530, 0x11D2, {0x90, 0x1F, 0x00, 0xC0, 0x4F, 0xB9, 0x51, 0xED}};

}  // namespace

void SimulatedDeviceNotifications::Start(const SimulatedMouse& mouse, HWND target) {
    Stop();
    target_ = target;
    watcher_.Start(mouse, [this](const UsbChange& change) { Send(change); });
}

void SimulatedDeviceNotifications::Stop() {
    watcher_.Stop();
}

void SimulatedDeviceNotifications::Send(const UsbChange& change) {
    const std::u16string path = FromUtf8(change.interfacePath);
    const size_t size = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) +
                        (path.size() + 1) * sizeof(wchar_t);
    std::vector<unsigned char> bytes(size, 0);
    auto* record = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(bytes.data());
    record->dbcc_size = static_cast<DWORD>(size);
    record->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    record->dbcc_classguid = kUsbDeviceInterface;
    for (size_t i = 0; i < path.size(); ++i) record->dbcc_name[i] = static_cast<wchar_t>(path[i]);
    LPARAM lParam = 0;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        records_.push_back(std::move(bytes));
        lParam = reinterpret_cast<LPARAM>(records_.back().data());
    }
    const WPARAM event = change.arrival ? DBT_DEVICEARRIVAL : DBT_DEVICEREMOVECOMPLETE;
    DWORD_PTR result = 0;
    SendMessageTimeoutW(target_, WM_DEVICECHANGE, event, lParam, SMTO_NORMAL, kSendTimeoutMs,
                        &result);
}

}  // namespace tarn
