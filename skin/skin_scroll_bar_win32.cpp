#include "skin/skin_scroll_bar_win32.h"

#include <windowsx.h>

#include <algorithm>

#include "skin/offscreen_canvas_win32.h"

namespace tarn {

namespace {
constexpr UINT_PTR kRepeatTimer = 1;
constexpr wchar_t kClassName[] = L"TarnSkinScrollBar";
// The thumb's ends keep their drawn shape; only the middle stretches.
constexpr int kThumbEnd = 3;
}  // namespace

TARN_BEGIN_MESSAGES(CSkinScrollBar)
TARN_ON(WM_PAINT, OnPaint)
TARN_ON(WM_ERASEBKGND, OnEraseBackground)
TARN_ON(WM_LBUTTONDOWN, OnLButtonDown)
TARN_ON(WM_LBUTTONDBLCLK, OnLButtonDblClk)
TARN_ON(WM_LBUTTONUP, OnLButtonUp)
TARN_ON(WM_MOUSEMOVE, OnMouseMove)
TARN_ON(WM_MOUSELEAVE, OnMouseLeave)
TARN_ON(WM_CAPTURECHANGED, OnCaptureChanged)
TARN_ON(WM_TIMER, OnTimer)
TARN_ON(WM_ENABLE, OnEnable)
TARN_ON(SBM_SETSCROLLINFO, OnSetScrollInfo)
TARN_ON(SBM_GETSCROLLINFO, OnGetScrollInfo)
TARN_END_MESSAGES(win::Window)

bool CSkinScrollBar::CreateBar(DWORD style, const RECT& rect, HWND parent, UINT id) {
    vertical_ = (style & SBS_VERT) != 0;
    return Create(0, kClassName, L"", style | WS_CHILD, rect, parent, id, CS_DBLCLKS);
}

void CSkinScrollBar::SetSkin(HBITMAP skin, int cell) {
    skin_ = skin;
    cell_ = cell;
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

skin::ScrollLayout CSkinScrollBar::Layout() const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    const int length = vertical_ ? client.bottom : client.right;
    return skin::LayOutScrollBar(length, cell_, state_, dragging_);
}

int CSkinScrollBar::Along(LPARAM point) const {
    return vertical_ ? GET_Y_LPARAM(point) : GET_X_LPARAM(point);
}

int CSkinScrollBar::CursorAlong() const {
    POINT p{};
    GetCursorPos(&p);
    ScreenToClient(hwnd_, &p);
    RECT client{};
    GetClientRect(hwnd_, &client);
    // Beside the bar the cursor is over none of its parts.
    const int across = vertical_ ? p.x : p.y;
    const int width = vertical_ ? client.right : client.bottom;
    if (across < 0 || across >= width) return -1;
    return vertical_ ? p.y : p.x;
}

void CSkinScrollBar::Send(int code, int position) {
    HWND parent = GetParent(hwnd_);
    if (!parent) return;
    const WPARAM w = MAKEWPARAM(code, position);
    SendMessageW(parent, vertical_ ? WM_VSCROLL : WM_HSCROLL, w, reinterpret_cast<LPARAM>(hwnd_));
}

LRESULT CSkinScrollBar::OnLButtonDown(WPARAM, LPARAM lParam) {
    const skin::ScrollLayout layout = Layout();
    const skin::ScrollPart part = skin::HitScrollPart(layout, Along(lParam));
    if (part == skin::ScrollPart::None) return 0;
    SetCapture(hwnd_);
    if (part == skin::ScrollPart::Thumb) {
        dragging_ = true;
        dragStartAlong_ = Along(lParam);
        dragStartPosition_ = state_.position;
        state_.trackPosition = state_.position;
        pressed_ = part;
        InvalidateRect(hwnd_, nullptr, FALSE);
        return 0;
    }
    const skin::ScrollRepeat::Step step = repeat_.Press(part);
    pressed_ = part;
    InvalidateRect(hwnd_, nullptr, FALSE);
    if (step.send) Send(skin::ScrollCodeOf(part));
    if (step.nextDelay) SetTimer(hwnd_, kRepeatTimer, step.nextDelay, nullptr);
    return 0;
}

// A double click would otherwise count as a press of its own.
LRESULT CSkinScrollBar::OnLButtonDblClk(WPARAM, LPARAM) {
    return 0;
}

void CSkinScrollBar::StopPress() {
    KillTimer(hwnd_, kRepeatTimer);
    repeat_.Release();
    pressed_ = skin::ScrollPart::None;
}

LRESULT CSkinScrollBar::OnLButtonUp(WPARAM, LPARAM lParam) {
    if (dragging_) {
        dragging_ = false;
        state_.position = state_.trackPosition;
        pressed_ = skin::ScrollPart::None;
        const int position = state_.position;
        // Hovered if the cursor is still on the thumb.
        hovered_ = skin::HitScrollPart(Layout(), Along(lParam));
        if (GetCapture() == hwnd_) ReleaseCapture();
        InvalidateRect(hwnd_, nullptr, FALSE);
        Send(skin::kScrollThumbPosition, position);
        return 0;
    }
    StopPress();
    if (GetCapture() == hwnd_) ReleaseCapture();
    InvalidateRect(hwnd_, nullptr, FALSE);
    return 0;
}

LRESULT CSkinScrollBar::OnMouseMove(WPARAM, LPARAM lParam) {
    if (!tracking_leave_) {
        TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, hwnd_, 0};
        tracking_leave_ = TrackMouseEvent(&tme) != FALSE;
    }
    const skin::ScrollLayout layout = Layout();
    if (dragging_) {
        const int v = skin::DraggedScrollPosition(layout, state_, dragStartPosition_,
                                                  Along(lParam) - dragStartAlong_);
        if (v != state_.trackPosition) {
            state_.trackPosition = v;
            InvalidateRect(hwnd_, nullptr, FALSE);
            Send(skin::kScrollThumbTrack, v);
        }
        return 0;
    }
    skin::ScrollPart part = skin::HitScrollPart(layout, Along(lParam));
    // Only the arrows and the thumb have a hovered look.
    if (part == skin::ScrollPart::PageBefore || part == skin::ScrollPart::PageAfter) {
        part = skin::ScrollPart::None;
    }
    if (part != hovered_) {
        hovered_ = part;
        InvalidateRect(hwnd_, nullptr, FALSE);
    }
    return 0;
}

LRESULT CSkinScrollBar::OnMouseLeave(WPARAM, LPARAM) {
    tracking_leave_ = false;
    if (hovered_ != skin::ScrollPart::None) {
        hovered_ = skin::ScrollPart::None;
        InvalidateRect(hwnd_, nullptr, FALSE);
    }
    return 0;
}

// Another window took the mouse: a drag or a held arrow ends where it is.
LRESULT CSkinScrollBar::OnCaptureChanged(WPARAM, LPARAM lParam) {
    if (reinterpret_cast<HWND>(lParam) == hwnd_) return 0;
    if (dragging_) {
        dragging_ = false;
        state_.position = state_.trackPosition;
        pressed_ = skin::ScrollPart::None;
        Send(skin::kScrollThumbPosition, state_.position);
    } else if (pressed_ != skin::ScrollPart::None) {
        StopPress();
    }
    InvalidateRect(hwnd_, nullptr, FALSE);
    return 0;
}

LRESULT CSkinScrollBar::OnTimer(WPARAM id, LPARAM) {
    if (id != kRepeatTimer) return Default();
    const skin::ScrollPart under = skin::HitScrollPart(Layout(), CursorAlong());
    const skin::ScrollRepeat::Step step = repeat_.Fire(under, state_);
    if (!step.nextDelay) {
        KillTimer(hwnd_, kRepeatTimer);
        return 0;
    }
    SetTimer(hwnd_, kRepeatTimer, step.nextDelay, nullptr);
    if (step.send) Send(skin::ScrollCodeOf(repeat_.Pressed()));
    return 0;
}

LRESULT CSkinScrollBar::OnEnable(WPARAM, LPARAM) {
    InvalidateRect(hwnd_, nullptr, FALSE);
    return 0;
}

LRESULT CSkinScrollBar::OnSetScrollInfo(WPARAM redraw, LPARAM lParam) {
    const auto* info = reinterpret_cast<const SCROLLINFO*>(lParam);
    if (!info) return state_.position;
    if (info->fMask & SIF_RANGE) {
        state_.minimum = info->nMin;
        state_.maximum = info->nMax;
    }
    if (info->fMask & SIF_PAGE) state_.page = static_cast<int>(info->nPage);
    if (info->fMask & SIF_POS) state_.position = info->nPos;
    if (info->fMask & SIF_TRACKPOS) state_.trackPosition = info->nTrackPos;
    if (redraw) InvalidateRect(hwnd_, nullptr, FALSE);
    return state_.position;
}

LRESULT CSkinScrollBar::OnGetScrollInfo(WPARAM, LPARAM lParam) {
    auto* info = reinterpret_cast<SCROLLINFO*>(lParam);
    if (!info) return FALSE;
    if (info->fMask & SIF_RANGE) {
        info->nMin = state_.minimum;
        info->nMax = state_.maximum;
    }
    if (info->fMask & SIF_PAGE) info->nPage = static_cast<UINT>(state_.page);
    if (info->fMask & SIF_POS) info->nPos = state_.position;
    if (info->fMask & SIF_TRACKPOS)
        info->nTrackPos = dragging_ ? state_.trackPosition : state_.position;
    return TRUE;
}

LRESULT CSkinScrollBar::OnEraseBackground(WPARAM, LPARAM) {
    return TRUE;
}

LRESULT CSkinScrollBar::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    RECT client{};
    GetClientRect(hwnd_, &client);
    {
        OffscreenCanvas canvas(dc, client.right, client.bottom);
        Draw(canvas.dc());
    }
    EndPaint(hwnd_, &ps);
    return 0;
}

void CSkinScrollBar::DrawCell(HDC dc, HDC skin, int column, int row, const RECT& r) const {
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return;
    StretchBlt(dc, r.left, r.top, w, h, skin, column * cell_, row * cell_, cell_, cell_, SRCCOPY);
}

void CSkinScrollBar::DrawThumb(HDC dc, HDC skin, int row, const RECT& r) const {
    const int column = vertical_ ? 2 : 6;
    const int sx = column * cell_, sy = row * cell_;
    const int length = vertical_ ? r.bottom - r.top : r.right - r.left;
    const int width = vertical_ ? r.right - r.left : r.bottom - r.top;
    const int end = std::min(kThumbEnd, length / 2);
    const int middle = length - 2 * end;
    const int sourceMiddle = cell_ - 2 * kThumbEnd;
    if (vertical_) {
        StretchBlt(dc, r.left, r.top, width, end, skin, sx, sy, cell_, end, SRCCOPY);
        if (middle > 0 && sourceMiddle > 0) {
            StretchBlt(dc, r.left, r.top + end, width, middle, skin, sx, sy + kThumbEnd, cell_,
                       sourceMiddle, SRCCOPY);
        }
        StretchBlt(dc, r.left, r.bottom - end, width, end, skin, sx, sy + cell_ - end, cell_, end,
                   SRCCOPY);
    } else {
        StretchBlt(dc, r.left, r.top, end, width, skin, sx, sy, end, cell_, SRCCOPY);
        if (middle > 0 && sourceMiddle > 0) {
            StretchBlt(dc, r.left + end, r.top, middle, width, skin, sx + kThumbEnd, sy,
                       sourceMiddle, cell_, SRCCOPY);
        }
        StretchBlt(dc, r.right - end, r.top, end, width, skin, sx + cell_ - end, sy, end, cell_,
                   SRCCOPY);
    }
}

void CSkinScrollBar::Draw(HDC dc) {
    RECT client{};
    GetClientRect(hwnd_, &client);
    if (!skin_ || cell_ <= 0) {
        FillRect(dc, &client, GetSysColorBrush(COLOR_SCROLLBAR));
        return;
    }
    HDC skin = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(skin, skin_);
    SetStretchBltMode(dc, COLORONCOLOR);
    const skin::ScrollLayout l = Layout();
    const bool enabled = IsWindowEnabled(hwnd_) != FALSE;
    const int base = vertical_ ? 0 : 4;
    auto span = [&](int from, int to) {
        return vertical_ ? RECT{0, from, client.right, to} : RECT{from, 0, to, client.bottom};
    };
    using skin::ScrollPart;
    auto row = [&](ScrollPart part) {
        return enabled ? skin::ScrollCellRow(part, hovered_, pressed_) : 0;
    };
    DrawCell(dc, skin, base + 3, 0, span(l.arrow, l.length - l.arrow));
    DrawCell(dc, skin, base + 0, row(ScrollPart::FirstArrow), span(0, l.arrow));
    DrawCell(dc, skin, base + 1, row(ScrollPart::SecondArrow), span(l.length - l.arrow, l.length));
    if (enabled && l.thumbLength > 0) {
        DrawThumb(dc, skin, row(ScrollPart::Thumb),
                  span(l.thumbStart, l.thumbStart + l.thumbLength));
    }
    SelectObject(skin, old);
    DeleteDC(skin);
}

}  // namespace tarn
