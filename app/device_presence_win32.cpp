// The main window's side of device presence: WM_DEVICECHANGE, the re-open thread, the hooks
// and the search of present USB devices by hardware id. The decisions are DevicePresence's.
#include <windows.h>
// The device and setup headers build on the definitions of windows.h.
#include <dbt.h>
#include <setupapi.h>

#include <string>

#include "app/input_hooks.h"
#include "app/main_window_win32.h"
#include "base/text.h"

namespace tarn {

namespace {

// The path of a device-interface record, read within the size the record declares.
std::u16string InterfacePath(LPARAM lParam) {
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam);
    if (!header || header->dbch_devicetype != DBT_DEVTYP_DEVICEINTERFACE) return {};
    const auto* record = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(header);
    const size_t offset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name);
    if (record->dbcc_size <= offset) return {};
    const size_t units = (record->dbcc_size - offset) / sizeof(wchar_t);
    std::u16string path;
    for (size_t i = 0; i < units && record->dbcc_name[i] != 0; ++i) {
        path += static_cast<char16_t>(record->dbcc_name[i]);
    }
    return path;
}

// The first hardware id of every present USB device, in enumeration order.
bool AnyHardwareIdContains(std::u16string_view text) {
    HDEVINFO list =
        SetupDiGetClassDevsW(nullptr, L"USB", nullptr, DIGCF_PRESENT | DIGCF_ALLCLASSES);
    if (list == INVALID_HANDLE_VALUE) return false;
    bool found = false;
    for (DWORD index = 0; !found; ++index) {
        SP_DEVINFO_DATA info{};
        info.cbSize = sizeof info;
        if (!SetupDiEnumDeviceInfo(list, index, &info)) break;
        // A multi-string; the buffer keeps two zero units at its end whatever the call wrote.
        wchar_t ids[1024] = {};
        DWORD type = 0;
        if (!SetupDiGetDeviceRegistryPropertyW(list, &info, SPDRP_HARDWAREID, &type,
                                               reinterpret_cast<BYTE*>(ids),
                                               sizeof ids - 2 * sizeof(wchar_t), nullptr)) {
            continue;
        }
        const std::wstring first(ids);
        found = ContainsNoCase(std::u16string(first.begin(), first.end()), text);
    }
    SetupDiDestroyDeviceInfoList(list);
    return found;
}

}  // namespace

bool COstraDriverDlg::FindUsbDevice(std::u16string_view text) {
    if (simulatedMouse_) {
        for (const SimulatedUsbDevice& device : simulatedMouse_->UsbDevices()) {
            if (ContainsNoCase(FromUtf8(device.hardwareId), text)) return true;
        }
        return false;
    }
    return AnyHardwareIdContains(text);
}

// Always reported as handled, whatever the event.
LRESULT COstraDriverDlg::OnDeviceChange(WPARAM wParam, LPARAM lParam) {
    const uint32_t event = static_cast<uint32_t>(wParam);
    if (!closing_ && (event == kDeviceArrival || event == kDeviceRemoveComplete)) {
        // Copied before anything else runs: the record belongs to the sender.
        const std::u16string path = InterfacePath(lParam);
        presence_.OnDeviceChange(event, path);
    }
    return TRUE;
}

LRESULT COstraDriverDlg::OnLinkReopened(WPARAM wParam, LPARAM lParam) {
    if (closing_) return 0;
    const bool opened = lParam >= 0;
    presence_.OnReopened(static_cast<uint32_t>(wParam), opened,
                         opened ? static_cast<uint32_t>(lParam) : 0);
    return 0;
}

void COstraDriverDlg::CloseLink() {
    if (link_) link_->CloseDevice();
}

void COstraDriverDlg::InstallGlobalHooks() {
    const WindowId self = reinterpret_cast<WindowId>(hwnd_);
    if (hooksStarted_ && ReinstallHooksOnHookThread(self)) return;
    hooksStarted_ = StartHookThread(self);
}

void COstraDriverDlg::RemoveGlobalHooks() {
    if (!RemoveHooksOnHookThread()) RemoveHooks();
}

void COstraDriverDlg::StartReopen(uint32_t attempt) {
    if (!link_) return;
    CUSBDriver* link = link_.get();
    const HWND self = hwnd_;
    reopener_.Start([link] { return link->OpenDevice(); },
                    [link] {
                        uint32_t version = 0;
                        return link->ReadFirmwareVersion(&version) ? version : 0;
                    },
                    [self, attempt](bool opened, uint32_t version) {
                        PostMessageW(self, kMsgLinkReopened, attempt,
                                     opened ? static_cast<LPARAM>(version) : -1);
                    });
}

void COstraDriverDlg::CancelReopen() {
    reopener_.Cancel();
}

void COstraDriverDlg::SetDeviceFirmwareText(std::u16string_view text) {
    supportPage_.SetDeviceFirmwareText(text);
}

}  // namespace tarn
