#include "app/main_window_win32.h"

#include "app/app_paths.h"
#include "app/window_messages.h"
#include "settings/profile_files.h"

namespace tarn {

void LoadFirstLanguage(const std::u16string&) {}

TARN_BEGIN_MESSAGES(COstraDriverDlg)
TARN_ON(kMsgTrayIcon, OnTrayIcon)
TARN_ON(WM_PAINT, OnPaint)
TARN_ON(WM_ERASEBKGND, OnEraseBackground)
TARN_ON(WM_CLOSE, OnClose)
TARN_ON(WM_SYSCOMMAND, OnSysCommand)
TARN_END_MESSAGES(win::Dialog)

BOOL COstraDriverDlg::OnInitDialog() {
    // A first start fills the data folder before anything reads from it.
    SeedDataFolder();
    SetWindowTextW(hwnd_, reinterpret_cast<LPCWSTR>(kMainWindowTitle.data()));
    // A borderless pop-up with a taskbar button, centred on the work area.
    SetWindowLongPtrW(hwnd_, GWL_STYLE, WS_POPUP | WS_CLIPCHILDREN | WS_MINIMIZEBOX | WS_SYSMENU);
    SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, WS_EX_APPWINDOW);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int x = work.left + (work.right - work.left - kMainWindowWidth) / 2;
    const int y = work.top + (work.bottom - work.top - kMainWindowHeight) / 2;
    SetWindowPos(hwnd_, nullptr, x, y, kMainWindowWidth, kMainWindowHeight,
                 SWP_NOZORDER | SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    return TRUE;
}

LRESULT COstraDriverDlg::OnTrayIcon(WPARAM, LPARAM lParam) {
    if (lParam == kTrayDoubleClick) {
        ShowWindow(hwnd_, SW_SHOWNORMAL);
        SetForegroundWindow(hwnd_);
    }
    return 0;
}

LRESULT COstraDriverDlg::OnEraseBackground(WPARAM, LPARAM) { return 1; }

LRESULT COstraDriverDlg::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    RECT rc;
    GetClientRect(hwnd_, &rc);
    HBRUSH background = CreateSolidBrush(RGB(24, 26, 30));
    FillRect(dc, &rc, background);
    DeleteObject(background);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(230, 232, 236));
    DrawTextW(dc, reinterpret_cast<LPCWSTR>(kMainWindowTitle.data()), -1, &rc,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EndPaint(hwnd_, &ps);
    return 0;
}

LRESULT COstraDriverDlg::OnSysCommand(WPARAM wParam, LPARAM) {
    // Alt+F4 only hides the window: the tray icon and the hooks keep running.
    if ((wParam & 0xFFF0) == SC_CLOSE) {
        ShowWindow(hwnd_, SW_HIDE);
        return 0;
    }
    return Default();
}

LRESULT COstraDriverDlg::OnClose(WPARAM, LPARAM) {
    EndDialog(0);
    return 0;
}

}  // namespace tarn
