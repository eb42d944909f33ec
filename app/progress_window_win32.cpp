#include "app/progress_window_win32.h"

#include <string>

#include "app/progress_rules.h"
#include "base/window_messages.h"
#include "device/apply_worker.h"

namespace tarn {

namespace {

constexpr UINT_PTR kCloseTimer = 1;

std::wstring Wide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

}  // namespace

TARN_BEGIN_MESSAGES(CDlgProgress)
TARN_ON(kMsgApplyProgress, OnProgress)
TARN_ON(WM_TIMER, OnTimer)
TARN_ON(WM_PAINT, OnPaint)
TARN_ON(WM_ERASEBKGND, OnEraseBackground)
TARN_ON(WM_SYSCOMMAND, OnSysCommand)
TARN_ON(WM_CLOSE, OnClose)
TARN_END_MESSAGES(win::Dialog)

CDlgProgress& ProgressWindow() {
    static CDlgProgress window;
    return window;
}

void CDlgProgress::RunModal(HWND owner) {
    if (hwnd_) return;
    DoModal(owner, kProgressDialogTemplate);
}

// Closed at once, not by a posted request: the caller shows a box next, which must not come up
// under a progress window that is still there.
void CDlgProgress::RequestClose() {
    if (hwnd_) SendMessageW(hwnd_, WM_CLOSE, 0, 0);
}

BOOL CDlgProgress::OnInitDialog() {
    SetWindowTextW(hwnd_, Wide(kProgressWindowText).c_str());
    SetWindowLongPtrW(hwnd_, GWL_STYLE, WS_POPUP | WS_CLIPCHILDREN);
    normal_ = LoadImageFile(Wide(ProgressPicturePath(u"Progress_Normal.png")));
    over_ = LoadImageFile(Wide(ProgressPicturePath(u"Progress_Over.png")));
    // Without its picture the window keeps the size the picture is drawn for.
    int width = geo::progress_window::kSize.width, height = geo::progress_window::kSize.height;
    if (normal_) {
        width = static_cast<int>(normal_->GetWidth());
        height = static_cast<int>(normal_->GetHeight());
    }
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(hwnd_, HWND_TOP, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, width, height, SWP_FRAMECHANGED);
    const geo::Rect& bar = geo::progress_window::kBar;
    bar_.CreateProgress(bar.left, bar.top, bar.right, bar.bottom, hwnd_, kProgressBarId);
    bar_.SetProgressImages(bar.left, bar.top, bar.width(), bar.height(), normal_.get(),
                           over_.get());
    bar_.SetProgressRange(0, kProgressMaximum);
    bar_.SetProgressPos(0);
    bar_.SetReadOnly(true);
    ApplyState().progressWindow = reinterpret_cast<WindowId>(hwnd_);
    TakeForeground();
    return FALSE;
}

// The system lets only the foreground thread hand over the foreground; joining its input for a
// moment makes this window's request count as its own.
void CDlgProgress::TakeForeground() {
    HWND foreground = GetForegroundWindow();
    const DWORD foreignThread = foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
    const DWORD ownThread = GetCurrentThreadId();
    const bool attach = foreignThread && foreignThread != ownThread &&
                        AttachThreadInput(ownThread, foreignThread, TRUE);
    SetForegroundWindow(hwnd_);
    if (attach) AttachThreadInput(ownThread, foreignThread, FALSE);
}

LRESULT CDlgProgress::OnProgress(WPARAM wParam, LPARAM) {
    const ProgressStep step = tarn::OnProgress(wParam);
    bar_.SetProgressPos(step.position);
    if (step.close) SetTimer(hwnd_, kCloseTimer, kProgressCloseDelayMs, nullptr);
    return 0;
}

LRESULT CDlgProgress::OnTimer(WPARAM wParam, LPARAM) {
    if (wParam != kCloseTimer) return Default();
    KillTimer(hwnd_, kCloseTimer);
    PostMessageW(hwnd_, WM_CLOSE, 0, 0);
    return 0;
}

LRESULT CDlgProgress::OnEraseBackground(WPARAM, LPARAM) {
    return 1;
}

LRESULT CDlgProgress::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    RECT client;
    GetClientRect(hwnd_, &client);
    {
        Gdiplus::Graphics g(dc);
        if (normal_) {
            g.DrawImage(normal_.get(), 0, 0, client.right, client.bottom);
        } else {
            Gdiplus::SolidBrush plain(Gdiplus::Color(255, 32, 34, 38));
            g.FillRectangle(&plain, 0, 0, client.right, client.bottom);
        }
        const geo::Rect& box = geo::progress_window::kText;
        // "MS Shell Dlg" is a name the font mapper resolves, not a family GDI+ knows; the font
        // is made by GDI and handed over.
        HFONT gdiFont =
            CreateFontW(-MulDiv(8, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, FALSE,
                        FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                        ANTIALIASED_QUALITY, DEFAULT_PITCH, L"MS Shell Dlg");
        Gdiplus::Font font(dc, gdiFont);
        Gdiplus::SolidBrush grey(Gdiplus::Color(0xFF808080));
        Gdiplus::StringFormat format;
        format.SetAlignment(Gdiplus::StringAlignmentNear);
        g.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAliasGridFit);
        const std::wstring text = Wide(ProgressText());
        g.DrawString(text.c_str(), -1, &font,
                     Gdiplus::RectF(float(box.left), float(box.top), float(box.width()),
                                    float(box.height())),
                     &format, &grey);
        DeleteObject(gdiFont);
    }
    EndPaint(hwnd_, &ps);
    return 0;
}

// Alt+F4 and the system menu's Close would end the window before the apply does.
LRESULT CDlgProgress::OnSysCommand(WPARAM wParam, LPARAM) {
    if ((wParam & 0xFFF0) == SC_CLOSE) return 0;
    return Default();
}

LRESULT CDlgProgress::OnClose(WPARAM, LPARAM) {
    KillTimer(hwnd_, kCloseTimer);
    ApplyState().progressWindow = 0;
    bar_.Destroy();
    normal_.reset();
    over_.reset();
    EndDialog(0);
    return 0;
}

}  // namespace tarn
