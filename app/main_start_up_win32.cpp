// The main window's start-up steps and its shut-down, as the platform carries them out. Their
// order and retries are RunStartUp's.
#include <windows.h>
// The device, setup and shell headers build on the definitions of windows.h.
#include <dbt.h>
#include <setupapi.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "base/app_paths.h"
#include "base/clock.h"
#include "app/input_hooks.h"
#include "app/main_window_win32.h"
#include "app/profile_follow_win32.h"
#include "base/user_messages.h"
#include "base/window_messages.h"
#include "device/hid_transport.h"
#include "device/simulated_mouse.h"
#include "device/usb_driver.h"
#include "macro/macro_store.h"
#include "settings/profile_files.h"
#include "settings/profile_selection.h"
#include "skin/menu_ex_library_win32.h"
#include "skin/popup_menu_win32.h"
#include "update/downloader.h"
#include "update/firmware_tool_win32.h"

namespace tarn {

namespace {

constexpr UINT kAboutCommand = 16;
constexpr int kAboutString = 101;
constexpr int kMainIcon = 128;
constexpr UINT kTrayIconId = 0;
constexpr UINT kBalloonTimeoutMs = 5000;
// The USB device interface class.
constexpr GUID kUsbDeviceInterface = {
    0xA5DCBF10, 0x6530, 0x11D2, {0x90, 0x1F, 0x00, 0xC0, 0x4F, 0xB9, 0x51, 0xED}};

std::wstring Wide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

HICON MainIcon(int size) {
    auto* icon = static_cast<HICON>(LoadImageW(win::ModuleInstance(), MAKEINTRESOURCEW(kMainIcon),
                                               IMAGE_ICON, size, size, LR_SHARED));
    return icon ? icon : LoadIconW(nullptr, IDI_APPLICATION);
}

template <size_t N>
void CopyText(wchar_t (&target)[N], std::u16string_view text) {
    const size_t n = text.size() < N - 1 ? text.size() : N - 1;
    for (size_t i = 0; i < n; ++i) target[i] = static_cast<wchar_t>(text[i]);
    target[n] = 0;
}

}  // namespace

void COstraDriverDlg::AddSystemMenuAndIcons() {
    if (HMENU system = GetSystemMenu(hwnd_, FALSE)) {
        wchar_t about[128] = {};
        if (LoadStringW(win::ModuleInstance(), kAboutString, about, 128) > 0) {
            AppendMenuW(system, MF_SEPARATOR, 0, nullptr);
            AppendMenuW(system, MF_STRING, kAboutCommand, about);
        }
    }
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(MainIcon(32)));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(MainIcon(16)));
}

void COstraDriverDlg::SeedDataFolderIfMissing() {
    SeedDataFolder();
}

void COstraDriverDlg::ChooseSkinLanguage() {
    LoadSkinLanguage(*this);
}

void COstraDriverDlg::SetTitle() {
    SetWindowTextW(hwnd_, Wide(kMainWindowTitle).c_str());
}

void COstraDriverDlg::LoadMacros() {
    LoadMacroStore();
}

// On a cold start the shell builds its notification area when the first icon arrives, and the
// call waits for it: the request goes out from a thread of its own so that the window does not
// wait too. The icon and its balloon still come at this step.
void COstraDriverDlg::AddTrayIcon() {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = hwnd_;
    data.uID = kTrayIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO;
    data.uCallbackMessage = kMsgTrayIcon;
    data.hIcon = MainIcon(16);
    CopyText(data.szTip, kMainWindowTitle);
    CopyText(data.szInfoTitle, u"Running");
    CopyText(data.szInfo, kMainWindowTitle);
    data.dwInfoFlags = NIIF_INFO;
    data.uTimeout = kBalloonTimeoutMs;
    WaitForTrayIcon();
    trayIconThread_ = std::thread(
        [this, data]() mutable { trayIconAdded_ = Shell_NotifyIconW(NIM_ADD, &data) != FALSE; });
}

void COstraDriverDlg::WaitForTrayIcon() {
    if (trayIconThread_.joinable()) trayIconThread_.join();
}

void COstraDriverDlg::LoadProfiles() {
    LoadProfilesAtStart(Settings(), this);
}

void COstraDriverDlg::RegisterDeviceNotifications() {
    DEV_BROADCAST_DEVICEINTERFACE_W filter{};
    filter.dbcc_size = sizeof filter;
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = kUsbDeviceInterface;
    deviceNotification_ = RegisterDeviceNotificationW(hwnd_, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
}

void COstraDriverDlg::LoadMacroBindings() {
    LoadButtonMacroIds(Settings());
}

void COstraDriverDlg::PlaceLanguageIndicator() {
    const geo::Rect& r = geo::main_window::kLanguageIndicator;
    HWND indicator = GetDlgItem(hwnd_, kLanguageIndicatorId);
    if (!indicator) {
        // The template normally brings it; without the template it is made here.
        indicator = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_BITMAP, r.left,
                                    r.top, r.width(), r.height(), hwnd_,
                                    reinterpret_cast<HMENU>(kLanguageIndicatorId),
                                    win::ModuleInstance(), nullptr);
        if (flag_) {
            SendMessageW(indicator, STM_SETIMAGE, IMAGE_BITMAP,
                         reinterpret_cast<LPARAM>(flag_.get()));
        }
    }
    SetWindowPos(indicator, nullptr, r.left, r.top, r.width(), r.height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void COstraDriverDlg::PostStoredLanguage() {
    ::tarn::PostStoredLanguage(reinterpret_cast<WindowId>(hwnd_));
}

bool COstraDriverDlg::PrepareLink() {
    if (options_.simulate) {
        std::unique_ptr<SimulatedMouse> mouse = MakeSimulatedMouse();
        simulatedMouse_ = mouse.get();
        link_ = std::make_unique<CUSBDriver>(std::move(mouse));
        // The simulated bus announces its comings and goings as the system would.
        simulatedNotifications_.Start(*simulatedMouse_, hwnd_);
    } else {
        link_ = std::make_unique<CUSBDriver>(MakePlatformTransport());
    }
    return link_->PrepareLink();
}

bool COstraDriverDlg::FirmwareLoaderPresent() {
    return FindUsbDevice(kFirmwareLoaderId);
}

bool COstraDriverDlg::MousePresent() {
    const uint16_t vendor = ParseHexId(kVendorIdText), product = ParseHexId(kProductIdText);
    for (const HidInterfaceInfo& info : link_->Transport().Enumerate(vendor, product).interfaces) {
        if (info.attributesKnown && info.vendorId == vendor && info.productId == product) {
            return true;
        }
    }
    return false;
}

void COstraDriverDlg::HandOverToFlashingTool() {
    if (StartFirmwareTool(hwnd_)) return;
    // The mouse waits for a flash that cannot come; the user learns why the program ends.
    ShowSelfClosingInfo(FlashingToolMissingText());
    PostClose();
}

bool COstraDriverDlg::OpenDevice() {
    return link_ && link_->OpenDevice();
}

void COstraDriverDlg::RefreshPages() {
    controller_.RefreshPages();
}

void COstraDriverDlg::StartRunning() {
    const WindowId self = reinterpret_cast<WindowId>(hwnd_);
    controller_.SetApplyWorkerRunning(applyWorker_.Start(DefaultApplyContext(*link_, self)));
    // The window shows before the version is read: the read takes the mouse's pause, and only
    // the support page needs its answer. A start into the tray shows only the tray icon.
    if (!options_.tray) {
        ShowMainWindow();
        BringWindowToTop(hwnd_);
        UpdateWindow(hwnd_);
    }
    UpdateWorkerContext update;
    update.shared = UpdateState();
    update.downloader = MakePlatformDownloader();
    update.manifestAddress = ManifestAddress(ManifestAddressOverride());
    update.linkPhase = &ApplyState().linkPhase;
    updateWorker_.Start(update);
    uint32_t version = 0;
    std::u16string versionText;
    if (link_->ReadFirmwareVersion(&version) && version != 0) {
        const std::string digits = std::to_string(version);
        versionText.assign(digits.begin(), digits.end());
    }
    supportPage_.SetDeviceFirmwareText(versionText);
    hooksStarted_ = StartHookThread(self);
    // Started with Windows, nobody presses OK: the active profile goes to the mouse and the
    // system's pointer options as an OK would send it, without the progress window.
    StartProfileFollow();
    if (options_.tray) follow_->Follower().ApplyCurrentInBackground();
    SetTimer(hwnd_, kUpdaterTimerId, kUpdaterDelayMs, nullptr);
    SetWindowLongPtrW(hwnd_, GWL_STYLE, GetWindowLongPtrW(hwnd_, GWL_STYLE) | WS_MINIMIZEBOX);
}

void COstraDriverDlg::ReportMouseMissing() {
    ShowSelfClosingInfo(MouseMissingText());
    PostClose();
}

void COstraDriverDlg::ShutDown() {
    WaitForTrayIcon();
    if (trayIconAdded_) {
        NOTIFYICONDATAW data{};
        data.cbSize = sizeof data;
        data.hWnd = hwnd_;
        data.uID = kTrayIconId;
        Shell_NotifyIconW(NIM_DELETE, &data);
        trayIconAdded_ = false;
    }
    DestroyMenuEx();
    CloseLanguageMenu();
    for (CPage* page : Pages()) page->Destroy();
    KillTimer(hwnd_, kUpdaterTimerId);
    if (deviceNotification_) UnregisterDeviceNotification(deviceNotification_);
    deviceNotification_ = nullptr;
    if (hooksStarted_) StopHookThread();
    hooksStarted_ = false;
    StopProfileFollow();
    simulatedNotifications_.Stop();
    reopener_.Cancel();
    // A worker still waiting on the network is left behind after a moment, so a server that
    // never answers cannot hold the program open.
    updateWorker_.Stop();
    // The worker's running flag is cleared before it is woken, so it ends instead of applying;
    // an apply under way finishes first.
    applyWorker_.Stop();
    controller_.SetApplyWorkerRunning(false);
    if (link_) link_->CloseDevice();
}

}  // namespace tarn
