#include "skin/skin_scroll_wnd_win32.h"

#include <commctrl.h>

#include "base/window_messages.h"

namespace tarn {

namespace {
constexpr wchar_t kFrameClass[] = L"SkinScrollBarFrame";
constexpr wchar_t kLimitClass[] = L"TarnScrollLimit";
constexpr UINT kLimitId = 200;
constexpr UINT kHorizontalId = 100;
constexpr UINT kVerticalId = 101;
constexpr UINT_PTR kSyncTimer = 1;
constexpr UINT kSyncIntervalMs = 500;
constexpr UINT_PTR kSubclassId = 0x5C5C;
constexpr int kSkinColumns = 9;
constexpr int kCornerColumn = 8;

bool SameInfo(const SCROLLINFO& a, const skin::ScrollState& b) {
    return a.nMin == b.minimum && a.nMax == b.maximum && static_cast<int>(a.nPage) == b.page &&
           a.nPos == b.position;
}
}  // namespace

TARN_BEGIN_MESSAGES(CSkinScrollWnd)
TARN_ON(kMsgListScroll, OnLayoutBars)
TARN_ON(WM_VSCROLL, OnVScroll)
TARN_ON(WM_HSCROLL, OnHScroll)
TARN_ON(WM_TIMER, OnTimer)
TARN_ON(WM_SIZE, OnSize)
TARN_ON(WM_PAINT, OnPaint)
TARN_ON(WM_ERASEBKGND, OnEraseBackground)
TARN_ON(WM_DESTROY, OnDestroy)
TARN_END_MESSAGES(win::Window)

CSkinScrollWnd* AttachSkinScroll(HWND window, HBITMAP skin) {
    auto* wrapper = new CSkinScrollWnd();
    if (!wrapper->Attach(window, skin)) {
        delete wrapper;
        return nullptr;
    }
    return wrapper;
}

bool CSkinScrollWnd::Attach(HWND wrapped, HBITMAP skin) {
    if (!wrapped || !IsWindow(wrapped) || wrapped_) return false;
    HWND parent = GetParent(wrapped);
    if (!parent) return false;
    if (skin) {
        skin_.Reset(static_cast<HBITMAP>(CopyImage(skin, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    }
    const SIZE size = BitmapSize(skin_.get());
    cell_ = size.cx / kSkinColumns;
    if (cell_ <= 0) cell_ = GetSystemMetrics(SM_CXVSCROLL);

    GetWindowRect(wrapped, &oldRect_);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&oldRect_), 2);
    oldParent_ = parent;
    // The frame takes over the border, so the wrapped window's edge stays visible around the
    // bars too.
    const LONG_PTR style = GetWindowLongPtrW(wrapped, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrW(wrapped, GWL_EXSTYLE);
    movedStyle_ = static_cast<DWORD>(style & WS_BORDER);
    movedExStyle_ = static_cast<DWORD>(exStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
    const UINT id = static_cast<UINT>(GetDlgCtrlID(wrapped));
    const DWORD frameStyle =
        WS_CHILD | WS_CLIPCHILDREN | movedStyle_ | (style & WS_VISIBLE ? WS_VISIBLE : 0);
    if (!Create(movedExStyle_, kFrameClass, L"", frameStyle, oldRect_, parent, id, 0)) {
        return false;
    }
    SetWindowPos(hwnd_, wrapped, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowLongPtrW(wrapped, GWL_STYLE, style & ~WS_BORDER);
    SetWindowLongPtrW(wrapped, GWL_EXSTYLE, exStyle & ~(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));

    RECT client{};
    GetClientRect(hwnd_, &client);
    limit_.Create(0, kLimitClass, L"LIMIT", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, client, hwnd_,
                  kLimitId, 0);
    const RECT none{0, 0, 0, 0};
    hbar_.CreateBar(SBS_HORZ, none, hwnd_, kHorizontalId);
    vbar_.CreateBar(SBS_VERT, none, hwnd_, kVerticalId);
    hbar_.SetSkin(skin_.get(), cell_);
    vbar_.SetSkin(skin_.get(), cell_);

    wrapped_ = wrapped;
    SetParent(wrapped, limit_.hwnd());
    SetWindowPos(wrapped, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    hooked_ = SetWindowSubclass(wrapped, &CSkinScrollWnd::WrappedProc, kSubclassId,
                                reinterpret_cast<DWORD_PTR>(this)) != FALSE;
    Layout();
    SyncBars();
    SetTimer(hwnd_, kSyncTimer, kSyncIntervalMs, nullptr);
    return true;
}

LRESULT CALLBACK CSkinScrollWnd::WrappedProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<CSkinScrollWnd*>(data);
    if (!self || self->wrapped_ != hwnd) return DefSubclassProc(hwnd, message, wParam, lParam);
    return self->OnWrappedMessage(message, wParam, lParam);
}

LRESULT CSkinScrollWnd::OnWrappedMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND wrapped = wrapped_;
    switch (message) {
        case WM_NCCALCSIZE: {
            const LRESULT result = DefSubclassProc(wrapped, message, wParam, lParam);
            const LONG_PTR style = GetWindowLongPtrW(wrapped, GWL_STYLE);
            const int bars = (style & WS_VSCROLL ? 1 : 0) | (style & WS_HSCROLL ? 2 : 0);
            // The native bars came or went: lay the frame out again once this calculation is
            // over (moving the window from inside it would calculate again).
            if (bars != lastBars_ && hwnd_) {
                const bool left = (GetWindowLongPtrW(wrapped, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR);
                PostMessageW(hwnd_, kMsgListScroll, (bars & 1) != 0, left);
            }
            return result;
        }
        case WM_ERASEBKGND:
        case WM_PAINT:
        case WM_MOUSEWHEEL:
        case WM_KEYDOWN:
        case WM_SIZE: {
            const LRESULT result = DefSubclassProc(wrapped, message, wParam, lParam);
            if (!updating_) SyncBars();
            return result;
        }
        case WM_DESTROY: {
            Unhook();
            if (!destroying_ && oldParent_ && IsWindow(oldParent_)) {
                // Destroyed on its own: it goes back where it was and the frame goes.
                SetParent(wrapped, oldParent_);
                SetWindowPos(wrapped, nullptr, oldRect_.left, oldRect_.top,
                             oldRect_.right - oldRect_.left, oldRect_.bottom - oldRect_.top,
                             SWP_NOZORDER | SWP_NOACTIVATE);
                wrapped_ = nullptr;
                PostMessageW(hwnd_, WM_CLOSE, 0, 0);
            }
            return DefSubclassProc(wrapped, message, wParam, lParam);
        }
        default:
            return DefSubclassProc(wrapped, message, wParam, lParam);
    }
}

void CSkinScrollWnd::Unhook() {
    if (hooked_ && wrapped_)
        RemoveWindowSubclass(wrapped_, &CSkinScrollWnd::WrappedProc, kSubclassId);
    hooked_ = false;
}

LRESULT CSkinScrollWnd::OnLayoutBars(WPARAM, LPARAM) {
    Layout();
    SyncBars();
    return 0;
}

void CSkinScrollWnd::Layout() {
    if (!wrapped_ || !hwnd_) return;
    const LONG_PTR style = GetWindowLongPtrW(wrapped_, GWL_STYLE);
    const bool left = (GetWindowLongPtrW(wrapped_, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
    const bool v = (style & WS_VSCROLL) != 0, h = (style & WS_HSCROLL) != 0;
    lastBars_ = (v ? 1 : 0) | (h ? 2 : 0);
    RECT client{};
    GetClientRect(hwnd_, &client);
    const int w = client.right, ht = client.bottom, c = cell_;
    const int innerLeft = v && left ? c : 0;
    const int innerWidth = std::max(0, w - (v ? c : 0));
    const int innerHeight = std::max(0, ht - (h ? c : 0));
    // The wrapped window is larger than the inner window by its native bars, which therefore
    // lie outside it and never show.
    const int nativeV = v ? GetSystemMetrics(SM_CXVSCROLL) : 0;
    const int nativeH = h ? GetSystemMetrics(SM_CYHSCROLL) : 0;
    SetWindowPos(limit_.hwnd(), nullptr, innerLeft, 0, innerWidth, innerHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(wrapped_, nullptr, v && left ? -nativeV : 0, 0, innerWidth + nativeV,
                 innerHeight + nativeH, SWP_NOZORDER | SWP_NOACTIVATE);
    const UINT show = SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(vbar_.hwnd(), nullptr, left ? 0 : w - c, 0, c, innerHeight,
                 show | (v ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    SetWindowPos(hbar_.hwnd(), nullptr, innerLeft, ht - c, innerWidth, c,
                 show | (h ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    corner_ = v && h ? (left ? Corner::BottomLeft : Corner::BottomRight) : Corner::None;
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void CSkinScrollWnd::SyncBar(CSkinScrollBar& bar, int which) {
    if (!bar.hwnd() || bar.IsDragging()) return;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    if (!GetScrollInfo(wrapped_, which, &info)) {
        info.nMin = info.nMax = info.nPos = 0;
        info.nPage = 0;
    }
    if (!SameInfo(info, bar.State())) {
        SCROLLINFO copy = info;
        copy.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        SendMessageW(bar.hwnd(), SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&copy));
    }
    // Nothing to scroll: the bar shows, but disabled.
    const bool enable = info.nMax >= static_cast<int>(info.nPage) && info.nMax > info.nMin;
    if ((IsWindowEnabled(bar.hwnd()) != FALSE) != enable) EnableWindow(bar.hwnd(), enable);
}

void CSkinScrollWnd::SyncBars() {
    if (!wrapped_ || updating_) return;
    SyncBar(vbar_, SB_VERT);
    SyncBar(hbar_, SB_HORZ);
}

void CSkinScrollWnd::PassScroll(UINT message, WPARAM wParam) {
    if (!wrapped_) return;
    updating_ = true;
    SendMessageW(wrapped_, message, wParam, 0);
    updating_ = false;
    if (LOWORD(wParam) != SB_THUMBTRACK) SyncBars();
}

LRESULT CSkinScrollWnd::OnVScroll(WPARAM wParam, LPARAM) {
    PassScroll(WM_VSCROLL, wParam);
    return 0;
}

LRESULT CSkinScrollWnd::OnHScroll(WPARAM wParam, LPARAM) {
    PassScroll(WM_HSCROLL, wParam);
    return 0;
}

LRESULT CSkinScrollWnd::OnTimer(WPARAM id, LPARAM) {
    if (id != kSyncTimer) return Default();
    const bool visible = IsWindowVisible(vbar_.hwnd()) || IsWindowVisible(hbar_.hwnd());
    if (visible) SyncBars();
    return 0;
}

LRESULT CSkinScrollWnd::OnSize(WPARAM, LPARAM) {
    Layout();
    return 0;
}

LRESULT CSkinScrollWnd::OnEraseBackground(WPARAM, LPARAM) {
    return TRUE;
}

LRESULT CSkinScrollWnd::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    RECT client{};
    GetClientRect(hwnd_, &client);
    if (corner_ != Corner::None && skin_) {
        HDC src = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(src, skin_.get());
        const int row = corner_ == Corner::BottomRight ? 0 : 1;
        const int x = corner_ == Corner::BottomRight ? client.right - cell_ : 0;
        BitBlt(dc, x, client.bottom - cell_, cell_, cell_, src, kCornerColumn * cell_, row * cell_,
               SRCCOPY);
        SelectObject(src, old);
        DeleteDC(src);
    }
    EndPaint(hwnd_, &ps);
    return 0;
}

LRESULT CSkinScrollWnd::OnDestroy(WPARAM, LPARAM) {
    // The frame goes with its parent: the wrapped window goes with it.
    destroying_ = true;
    KillTimer(hwnd_, kSyncTimer);
    return Default();
}

void CSkinScrollWnd::OnFinalMessage() {
    Unhook();
    delete this;
}

}  // namespace tarn
