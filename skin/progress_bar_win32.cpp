#include "skin/progress_bar_win32.h"

#include <windowsx.h>

#include "base/window_messages.h"
#include "skin/offscreen_canvas_win32.h"

namespace tarn {

namespace {
constexpr wchar_t kClass[] = L"TarnPngProgressBar";
}

TARN_BEGIN_MESSAGES(CPngHProgressBar)
TARN_ON(WM_PAINT, OnPaint)
TARN_ON(WM_ERASEBKGND, OnEraseBackground)
TARN_ON(WM_LBUTTONDOWN, OnLButtonDown)
TARN_ON(WM_MOUSEMOVE, OnMouseMove)
TARN_ON(WM_LBUTTONUP, OnLButtonUp)
TARN_ON(WM_CAPTURECHANGED, OnCaptureChanged)
TARN_END_MESSAGES(win::Window)

bool CPngHProgressBar::CreateProgress(int left, int top, int right, int bottom, HWND parent,
                                      UINT id) {
    rect_ = {left, top, right, bottom};
    id_ = id;
    parent_ = parent;
    return Create(0, kClass, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect_, parent, id);
}

void CPngHProgressBar::SetProgressImages(int x, int y, int width, int height, Gdiplus::Image* track,
                                         Gdiplus::Image* fill) {
    track_ = CutPicture(track, x, y, width, height);
    fill_ = CutPicture(fill, x, y, width, height);
    RepaintNow();
}

void CPngHProgressBar::SetProgressRange(int minimum, int maximum) {
    range_ = {minimum, maximum};
    value_ = skin::NormalizeProgressValue(value_, range_);
    RepaintNow();
}

void CPngHProgressBar::SetProgressPos(int value) {
    value_ = skin::NormalizeProgressValue(value, range_);
    RepaintNow();
}

void CPngHProgressBar::RepaintNow() {
    if (!hwnd_) return;
    InvalidateRect(hwnd_, nullptr, FALSE);
    UpdateWindow(hwnd_);
}

LRESULT CPngHProgressBar::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    RECT client{};
    GetClientRect(hwnd_, &client);
    {
        OffscreenCanvas canvas(dc, client.right, client.bottom);
        HDC mem = canvas.dc();
        FillRect(mem, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        // Behind transparent parts of the pictures the parent's look shows through.
        SendMessageW(parent_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT);
        {
            Gdiplus::Graphics g(mem);
            g.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
            g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
            if (track_) {
                g.DrawImage(track_.get(), Gdiplus::Rect(0, 0, client.right, client.bottom), 0, 0,
                            static_cast<int>(track_->GetWidth()),
                            static_cast<int>(track_->GetHeight()), Gdiplus::UnitPixel);
            }
            const int w = skin::ProgressFillWidth(value_, range_, rect_.right - rect_.left);
            if (fill_ && w > 0) {
                g.DrawImage(fill_.get(),
                            Gdiplus::Rect(0, 0, w, static_cast<int>(fill_->GetHeight())), 0, 0, w,
                            static_cast<int>(fill_->GetHeight()), Gdiplus::UnitPixel);
            }
        }
    }
    EndPaint(hwnd_, &ps);
    return 0;
}

LRESULT CPngHProgressBar::OnEraseBackground(WPARAM, LPARAM) {
    return TRUE;
}

int CPngHProgressBar::ValueAt(LPARAM position) const {
    POINT p{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    MapWindowPoints(hwnd_, parent_, &p, 1);
    return skin::ProgressValueAt(p.x, rect_.left, rect_.right, range_);
}

LRESULT CPngHProgressBar::OnLButtonDown(WPARAM, LPARAM) {
    if (readOnly_) return 0;
    dragging_ = true;
    SetCapture(hwnd_);
    return 0;
}

LRESULT CPngHProgressBar::OnMouseMove(WPARAM, LPARAM lParam) {
    if (readOnly_ || !dragging_) return 0;
    value_ = ValueAt(lParam);
    RepaintNow();
    return 0;
}

LRESULT CPngHProgressBar::OnLButtonUp(WPARAM, LPARAM lParam) {
    if (readOnly_ || !dragging_) return 0;
    value_ = ValueAt(lParam);
    dragging_ = false;
    PostMessageW(parent_, kMsgProgressSeek, static_cast<WPARAM>(value_), static_cast<LPARAM>(id_));
    if (GetCapture() == hwnd_) ReleaseCapture();
    RepaintNow();
    return 0;
}

LRESULT CPngHProgressBar::OnCaptureChanged(WPARAM, LPARAM lParam) {
    if (reinterpret_cast<HWND>(lParam) != hwnd_) dragging_ = false;
    return 0;
}

}  // namespace tarn
