#include "app/main_window_win32.h"

#include <shellapi.h>
#include <windowsx.h>

#include <vector>

#include "base/app_paths.h"
#include "app/hint_table.h"
#include "base/hook_state.h"
#include "app/hover_hints.h"
#include "app/key_filter.h"
#include "app/profile_follow_win32.h"
#include "app/progress_window_win32.h"
#include "app/software_action.h"
#include "app/start_with_windows.h"
#include "base/user_messages.h"
#include "base/window_messages.h"
#include "i18n/language_file.h"
#include "skin/menu_ex_library_win32.h"
#include "skin/popup_menu_layout.h"
#include "skin/popup_menu_win32.h"
#include "skin/xp_menu_win32.h"

namespace tarn {

namespace {

COstraDriverDlg* g_mainWindow = nullptr;
HWND g_mainHwnd = nullptr;

bool BelongsTo(HWND window, HWND root) {
    return window && root && (window == root || IsChild(root, window));
}

// A control that takes every key itself (the in-place rename editor of the lists) ends no
// dialog with Enter or Escape, so it gets them.
bool WantsAllKeys(MSG* msg) {
    if (msg->message != WM_KEYDOWN && msg->message != WM_KEYUP) return false;
    const LRESULT code =
        SendMessageW(msg->hwnd, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg));
    return (code & DLGC_WANTALLKEYS) != 0;
}

}  // namespace

void LoadFirstLanguage(const std::u16string& path) {
    LoadLanguageFile(path);
}

TARN_BEGIN_MESSAGES(COstraDriverDlg)
TARN_ON(kMsgLanguage, OnLanguage)
TARN_ON(kMsgFinishView, OnFinishView)
TARN_ON(kMsgTrayIcon, OnTrayIcon)
TARN_ON(kMsgApplyDone, OnApplyDone)
TARN_ON(kMsgApplyFailed, OnApplyFailed)
TARN_ON(kMsgHookReport, OnHookReport)
TARN_ON(kMsgHint, OnHint)
TARN_ON(kMsgRestoreDefaults, OnRestoreDefaults)
TARN_ON(WM_COMMAND, OnCommand)
TARN_ON(WM_MOUSEMOVE, OnMouseMove)
TARN_ON(WM_LBUTTONDOWN, OnLButtonDown)
TARN_ON(WM_PAINT, OnPaint)
TARN_ON(WM_ERASEBKGND, OnEraseBackground)
TARN_ON(WM_TIMER, OnTimer)
TARN_ON(WM_QUERYENDSESSION, OnQueryEndSession)
TARN_ON(WM_SYSCOMMAND, OnSysCommand)
TARN_ON(WM_CLOSE, OnClose)
TARN_ON(WM_WINDOWPOSCHANGING, OnWindowPosChanging)
TARN_ON(WM_MEASUREITEM, OnMeasureItem)
TARN_ON(WM_DRAWITEM, OnDrawItem)
TARN_ON(WM_DEVICECHANGE, OnDeviceChange)
TARN_ON(kMsgLinkReopened, OnLinkReopened)
TARN_END_MESSAGES(win::Dialog)

COstraDriverDlg::COstraDriverDlg(const StartOptions& options)
    : options_(options),
      controller_(*this, Settings(), ApplyState()),
      presence_(*this, ApplyState()),
      keepHidden_(options.tray) {
    g_mainWindow = this;
}

COstraDriverDlg::~COstraDriverDlg() {
    WaitForTrayIcon();
    simulatedNotifications_.Stop();
    reopener_.Cancel();
    updateWorker_.Stop();
    applyWorker_.Stop();
    if (keyFilter_) UnhookWindowsHookEx(keyFilter_);
    g_mainWindow = nullptr;
    g_mainHwnd = nullptr;
}

BOOL COstraDriverDlg::OnInitDialog() {
    g_mainHwnd = hwnd_;
    keyFilter_ = SetWindowsHookExW(WH_MSGFILTER, &COstraDriverDlg::KeyFilterHook, nullptr,
                                   GetCurrentThreadId());
    RunStartUp(*this, SystemClock());
    return FALSE;
}

// The dialog loops run every message through this filter first: the keys that would end a
// dialog never reach the main window or the progress window, and Alt+F4 hides the main window.
LRESULT CALLBACK COstraDriverDlg::KeyFilterHook(int code, WPARAM wParam, LPARAM lParam) {
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code >= 0 && msg && g_mainWindow && g_mainHwnd) {
        HWND progress = ProgressWindow().hwnd();
        if (BelongsTo(msg->hwnd, progress)) {
            if (FilterProgressKey(msg->message, static_cast<uint32_t>(msg->wParam)) !=
                KeyFilter::Pass) {
                return TRUE;
            }
        } else if (BelongsTo(msg->hwnd, g_mainHwnd) && !WantsAllKeys(msg)) {
            switch (FilterMainWindowKey(msg->message, static_cast<uint32_t>(msg->wParam))) {
                case KeyFilter::Pass:
                    break;
                case KeyFilter::Swallow:
                    return TRUE;
                case KeyFilter::HideToTray:
                    g_mainWindow->controller_.HideToTray();
                    return TRUE;
            }
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT COstraDriverDlg::OnLanguage(WPARAM wParam, LPARAM lParam) {
    return ApplyLanguage(*this, wParam, lParam);
}

LRESULT COstraDriverDlg::OnTrayIcon(WPARAM, LPARAM lParam) {
    controller_.OnTrayEvent(lParam);
    return 0;
}

LRESULT COstraDriverDlg::OnApplyDone(WPARAM, LPARAM) {
    controller_.OnApplyDone();
    return 0;
}

LRESULT COstraDriverDlg::OnApplyFailed(WPARAM, LPARAM lParam) {
    controller_.OnApplyFailed(static_cast<int>(lParam));
    return 0;
}

LRESULT COstraDriverDlg::OnHookReport(WPARAM wParam, LPARAM lParam) {
    // A post to no window would land in this thread's own queue.
    if (HWND statistics = statisticsPage_.hwnd()) {
        PostMessageW(statistics, kMsgStatsHook, wParam, lParam);
    }
    if (wParam != kReportKey) RunSoftwareAction(static_cast<uint32_t>(wParam));
    return 0;
}

LRESULT COstraDriverDlg::OnHint(WPARAM, LPARAM lParam) {
    hintText_ = HintText(lParam);
    RepaintHint();
    return 0;
}

LRESULT COstraDriverDlg::OnRestoreDefaults(WPARAM, LPARAM) {
    controller_.OnRestoreDefaults();
    return 0;
}

LRESULT COstraDriverDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const HWND sender = reinterpret_cast<HWND>(lParam);
    if (sender == nullptr) {
        controller_.OnTrayCommand(LOWORD(wParam));
    } else if (sender == minimizeButton_.hwnd()) {
        controller_.Minimize();
    } else if (sender == hideButton_.hwnd()) {
        controller_.HideToTray();
    } else if (sender == languageButton_.hwnd()) {
        OpenLanguageMenu();
    } else if (sender == okButton_.hwnd()) {
        controller_.PressApply();
    } else {
        for (int k = 0; k < kPageCount; ++k) {
            if (sender == tabs_[k].hwnd()) controller_.ShowMainPage(k + 1);
            if (sender == profileButtons_[k].hwnd()) controller_.SelectProfile(k + 1);
        }
    }
    return Default();
}

LRESULT COstraDriverDlg::OnMouseMove(WPARAM, LPARAM lParam) {
    if (!hintText_.empty()) {
        hintText_.clear();
        RepaintHint();
    }
    static const std::vector<HintTarget> targets = MainWindowHintTargets();
    for (int id : HoverHintIds(targets, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))) {
        PostMessageW(hwnd_, kMsgHint, 0, id);
    }
    return 0;
}

// Any free spot of the window drags it, as the caption would.
LRESULT COstraDriverDlg::OnLButtonDown(WPARAM, LPARAM lParam) {
    PostMessageW(hwnd_, WM_NCLBUTTONDOWN, HTCAPTION, lParam);
    return 0;
}

LRESULT COstraDriverDlg::OnTimer(WPARAM wParam, LPARAM) {
    if (wParam != kUpdaterTimerId) return Default();
    KillTimer(hwnd_, kUpdaterTimerId);
    const std::u16string path = programFolder + std::u16string(kUpdaterPath);
    const std::wstring wide(path.begin(), path.end());
    // The updater is a separate, optional install; without it nothing happens.
    if (GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES) {
        SHELLEXECUTEINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = SEE_MASK_FLAG_NO_UI;
        info.hwnd = hwnd_;
        info.lpVerb = L"open";
        info.lpFile = wide.c_str();
        info.nShow = SW_SHOWNORMAL;
        ShellExecuteExW(&info);
    }
    return 0;
}

LRESULT COstraDriverDlg::OnQueryEndSession(WPARAM, LPARAM) {
    statisticsPage_.SaveStatistics();
    return TRUE;
}

LRESULT COstraDriverDlg::OnSysCommand(WPARAM wParam, LPARAM) {
    // Closing from the system menu or the taskbar only hides the window, as Alt+F4 does.
    if ((wParam & 0xFFF0) == SC_CLOSE) {
        controller_.HideToTray();
        return 0;
    }
    return Default();
}

LRESULT COstraDriverDlg::OnClose(WPARAM, LPARAM) {
    if (closing_) return 0;
    closing_ = true;
    ShutDown();
    EndDialog(0);
    return 0;
}

LRESULT COstraDriverDlg::OnWindowPosChanging(WPARAM, LPARAM lParam) {
    if (keepHidden_) reinterpret_cast<WINDOWPOS*>(lParam)->flags &= ~SWP_SHOWWINDOW;
    return Default();
}

LRESULT COstraDriverDlg::OnMeasureItem(WPARAM, LPARAM lParam) {
    auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    if (trayMenu_ && trayMenu_->MeasureItem(measure)) return TRUE;
    return Default();
}

LRESULT COstraDriverDlg::OnDrawItem(WPARAM, LPARAM lParam) {
    const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (trayMenu_ && trayMenu_->DrawItem(draw)) return TRUE;
    return Default();
}

// ---- MainWindowShell ---------------------------------------------------------------------------

void COstraDriverDlg::ShowProfileSelected(int slot, bool selected) {
    if (slot >= 0 && slot < kSlotCount) profileButtons_[slot].SetSelected(selected);
}

void COstraDriverDlg::ReloadPagesFromProfile() {
    controller_.RefreshPages();
}

void COstraDriverDlg::ShowTabPressed(int tab, bool pressed) {
    if (tab >= 1 && tab <= kPageCount) tabs_[tab - 1].SetSelected(pressed);
}

void COstraDriverDlg::EnableApplyControls(bool enabled) {
    for (CIrrButton& button : profileButtons_) {
        if (button.hwnd()) EnableWindow(button.hwnd(), enabled);
    }
    if (okButton_.hwnd()) EnableWindow(okButton_.hwnd(), enabled);
}

void COstraDriverDlg::ShowApplyButtonNormal() {
    okButton_.SetSelected(false);
    if (okButton_.hwnd()) InvalidateRect(okButton_.hwnd(), nullptr, FALSE);
}

void COstraDriverDlg::ShowMainWindow() {
    keepHidden_ = false;
    ShowWindow(hwnd_, IsIconic(hwnd_) ? SW_RESTORE : SW_SHOWNORMAL);
    SetForegroundWindow(hwnd_);
}

void COstraDriverDlg::HideMainWindow() {
    ShowWindow(hwnd_, SW_HIDE);
    // A program that lives in the tray for weeks is ended by a crash or a power cut as often as
    // by Exit; the counts are written whenever it goes there.
    statisticsPage_.SaveChangedStatistics();
}

void COstraDriverDlg::MinimizeMainWindow() {
    ShowWindow(hwnd_, SW_MINIMIZE);
}

void COstraDriverDlg::ShowTrayMenu() {
    if (trayMenu_) return;
    trayMenu_ = std::make_unique<CXPMenu>();
    // "Config", "Programs…", the Startup shortcut's switch, then "Exit" last where users look.
    for (const TrayMenuItem& item : kTrayMenuItems) {
        if (item.command == kTrayCommandExit) {
            trayMenu_->AppendItem(kTrayCommandPrograms, kProgramsIcon, kProgramsIcon,
                                  kProgramsCaption);
            trayMenu_->AppendCheckItem(kTrayCommandStartWithWindows, kStartWithWindowsCaption,
                                       StartupShortcutPresent());
        }
        trayMenu_->AppendItem(item.command, item.normalIcon, item.selectedIcon, item.caption);
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    SetForegroundWindow(hwnd_);
    trayMenu_->Track(hwnd_, cursor);
    // Lets the menu close properly when the user clicks elsewhere.
    PostMessageW(hwnd_, WM_NULL, 0, 0);
    trayMenu_.reset();
}

void COstraDriverDlg::ToggleStartWithWindows() {
    if (!SetStartupShortcut(!StartupShortcutPresent())) ShowInfo(StartupShortcutFailedText());
}

void COstraDriverDlg::PostClose() {
    PostMessageW(hwnd_, WM_CLOSE, 0, 0);
}

void COstraDriverDlg::ShowProgressModal() {
    ProgressWindow().RunModal(hwnd_);
}

void COstraDriverDlg::CloseProgress() {
    ProgressWindow().RequestClose();
}

void COstraDriverDlg::ShowInfo(std::u16string_view text) {
    ShowInfoBox(text, false);
}

// ---- LanguageWindow ----------------------------------------------------------------------------

void COstraDriverDlg::ShowLanguageFlag(int bitmapResource) {
    OwnedBitmap flag = LoadBitmapResource(bitmapResource);
    HWND indicator = GetDlgItem(hwnd_, kLanguageIndicatorId);
    if (!indicator) return;
    SendMessageW(indicator, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(flag.get()));
    flag_ = std::move(flag);
}

void COstraDriverDlg::RefreshTooltips() {
    for (int k = 0; k < kPageCount; ++k) {
        tabs_[k].SetTooltip(HintText(kHintFirstTab + k));
        profileButtons_[k].SetTooltip(HintText(kHintFirstProfile + k));
    }
    okButton_.SetTooltip(HintText(kHintApplyButton));
    for (CPage* page : Pages()) page->LanguageChanged();
}

void COstraDriverDlg::CloseLanguageMenu() {
    if (languagePopup_ && IsWindow(languagePopup_->hwnd())) {
        PostMessageW(languagePopup_->hwnd(), WM_CLOSE, 0, 0);
    }
    languagePopup_ = nullptr;
}

}  // namespace tarn
