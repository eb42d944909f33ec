#include "skin/slider_win32.h"

#include <windowsx.h>

#include <vector>

#include "base/window_messages.h"
#include "skin/offscreen_canvas_win32.h"
#include "skin/thumb_shape.h"

namespace tarn {

namespace {
constexpr wchar_t kBarClass[] = L"TarnPngSliderBar";
constexpr wchar_t kThumbClass[] = L"TarnPngSlider";

void DrawStretched(HDC dc, Gdiplus::Image* image, int width, int height, const RECT* part) {
    if (!image) return;
    Gdiplus::Graphics g(dc);
    g.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
    g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    if (!part) {
        g.DrawImage(image, Gdiplus::Rect(0, 0, width, height), 0, 0,
                    static_cast<int>(image->GetWidth()), static_cast<int>(image->GetHeight()),
                    Gdiplus::UnitPixel);
        return;
    }
    // Only the part of the stretched picture that lies under the rectangle.
    const double sx = static_cast<double>(image->GetWidth()) / std::max(1, width);
    const double sy = static_cast<double>(image->GetHeight()) / std::max(1, height);
    g.DrawImage(image,
                Gdiplus::RectF(0, 0, static_cast<float>(part->right - part->left),
                               static_cast<float>(part->bottom - part->top)),
                static_cast<float>(part->left * sx), static_cast<float>(part->top * sy),
                static_cast<float>((part->right - part->left) * sx),
                static_cast<float>((part->bottom - part->top) * sy), Gdiplus::UnitPixel);
}
}  // namespace

// ---- thumb ----------------------------------------------------------------------------------

TARN_BEGIN_MESSAGES(CPngHSlider)
TARN_ON(WM_PAINT, OnPaint)
TARN_ON(WM_ERASEBKGND, OnEraseBackground)
TARN_ON(WM_LBUTTONDOWN, OnLButtonDown)
TARN_ON(WM_MOUSEMOVE, OnMouseMove)
TARN_ON(WM_LBUTTONUP, OnLButtonUp)
TARN_ON(WM_CAPTURECHANGED, OnCaptureChanged)
TARN_END_MESSAGES(win::Window)

bool CPngHSlider::CreateThumb(const std::wstring& pngPath, CPngHSliderBar& bar, UINT id) {
    bar_ = &bar;
    id_ = id;
    picture_ = LoadImageFile(pngPath);
    width_ = picture_ ? static_cast<int>(picture_->GetWidth()) : 0;
    height_ = picture_ ? static_cast<int>(picture_->GetHeight()) : 0;
    RECT barRect{};
    GetClientRect(bar.hwnd(), &barRect);
    const RECT r{0, skin::ThumbTop(barRect.bottom, height_), width_,
                 skin::ThumbTop(barRect.bottom, height_) + height_};
    if (!Create(WS_EX_TRANSPARENT, kThumbClass, L"", WS_CHILD | WS_VISIBLE, r, bar.hwnd(), id)) {
        return false;
    }
    ShapeToPicture();
    return true;
}

int CPngHSlider::BarWidth() const {
    RECT r{};
    if (bar_) GetClientRect(bar_->hwnd(), &r);
    return r.right;
}

void CPngHSlider::SetPos(int value) {
    value_ = skin::NormalizeSliderValue(value, range_);
    Place();
}

void CPngHSlider::SetLocked(bool locked) {
    locked_ = locked;
    if (locked && dragging_) {
        dragging_ = false;
        if (GetCapture() == hwnd_) ReleaseCapture();
    }
}

void CPngHSlider::Place() {
    if (!hwnd_ || !bar_) return;
    RECT bar{};
    GetClientRect(bar_->hwnd(), &bar);
    left_ = skin::ThumbLeft(value_, range_, bar.right, width_);
    SetWindowPos(hwnd_, nullptr, left_, skin::ThumbTop(bar.bottom, height_), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(bar_->hwnd(), nullptr, FALSE);
    InvalidateRect(hwnd_, nullptr, FALSE);
}

// Transparent corners must not catch the mouse: the picture is rendered onto black and every
// pixel of the top-left pixel's colour is cut out of the window's shape.
void CPngHSlider::ShapeToPicture() {
    if (!picture_ || width_ <= 0 || height_ <= 0) return;
    Gdiplus::Bitmap flat(width_, height_, PixelFormat32bppRGB);
    {
        Gdiplus::Graphics g(&flat);
        g.Clear(Gdiplus::Color(255, 0, 0, 0));
        g.DrawImage(picture_.get(), 0, 0, width_, height_);
    }
    std::vector<uint32_t> pixels(static_cast<size_t>(width_) * height_);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            Gdiplus::Color c;
            flat.GetPixel(x, y, &c);
            pixels[static_cast<size_t>(y) * width_ + x] = c.GetValue() & 0xFFFFFF;
        }
    }
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    for (const skin::PixelRun& run : skin::ShapeRuns(pixels, width_, height_)) {
        HRGN piece = CreateRectRgn(run.left, run.y, run.right, run.y + 1);
        CombineRgn(shape, shape, piece, RGN_OR);
        DeleteObject(piece);
    }
    SetWindowRgn(hwnd_, shape, TRUE);
}

LRESULT CPngHSlider::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    // The bar's background behind the thumb, in the bar's coordinates.
    RECT mine{};
    GetWindowRect(hwnd_, &mine);
    MapWindowPoints(nullptr, bar_->hwnd(), reinterpret_cast<POINT*>(&mine), 2);
    {
        OffscreenCanvas canvas(dc, width_, height_);
        bar_->PaintBackground(canvas.dc(), mine);
        if (picture_) {
            Gdiplus::Graphics g(canvas.dc());
            g.DrawImage(picture_.get(), 0, 0, width_, height_);
        }
    }
    EndPaint(hwnd_, &ps);
    return 0;
}

LRESULT CPngHSlider::OnEraseBackground(WPARAM, LPARAM) {
    return TRUE;
}

LRESULT CPngHSlider::OnLButtonDown(WPARAM, LPARAM lParam) {
    if (locked_ || width_ <= 0) return 0;
    pressX_ = GET_X_LPARAM(lParam);
    dragging_ = true;
    SetCapture(hwnd_);
    return 0;
}

LRESULT CPngHSlider::OnMouseMove(WPARAM, LPARAM lParam) {
    if (!dragging_ || locked_) return 0;
    const int barWidth = BarWidth();
    const int newLeft =
        skin::DraggedThumbLeft(left_, GET_X_LPARAM(lParam) - pressX_, barWidth, width_);
    value_ = skin::ThumbValue(newLeft, range_, barWidth, width_);
    Place();
    // Every move reports, also when the value stays the same.
    PostMessageW(bar_->hwnd(), kMsgSlider, static_cast<WPARAM>(value_), static_cast<LPARAM>(id_));
    return 0;
}

LRESULT CPngHSlider::OnLButtonUp(WPARAM, LPARAM) {
    if (dragging_) {
        dragging_ = false;
        if (GetCapture() == hwnd_) ReleaseCapture();
    }
    return 0;
}

LRESULT CPngHSlider::OnCaptureChanged(WPARAM, LPARAM lParam) {
    if (reinterpret_cast<HWND>(lParam) != hwnd_) dragging_ = false;
    return 0;
}

// ---- bar ------------------------------------------------------------------------------------

TARN_BEGIN_MESSAGES(CPngHSliderBar)
TARN_ON(WM_CREATE, OnCreate)
TARN_ON(WM_PAINT, OnPaint)
TARN_ON(WM_ERASEBKGND, OnEraseBackground)
TARN_ON(WM_LBUTTONDOWN, OnLButtonDown)
TARN_ON(WM_LBUTTONDBLCLK, OnLButtonDown)
TARN_ON(kMsgSlider, OnThumbMoved)
TARN_END_MESSAGES(win::Window)

bool CPngHSliderBar::CreateSlider(const std::wstring& thumbPng, int left, int top, int right,
                                  int bottom, HWND parent, UINT id) {
    thumbPath_ = thumbPng;
    id_ = id;
    parent_ = parent;
    window_ = {left, top, right, bottom};
    return Create(0, kBarClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, window_, parent, id);
}

// The thumb is made while the bar is being created, at the start of its travel.
LRESULT CPngHSliderBar::OnCreate(WPARAM, LPARAM) {
    thumb_.CreateThumb(thumbPath_, *this, id_);
    thumb_.SetRange(range_);
    return 0;
}

void CPngHSliderBar::SetTrackRect(int left, int top, int right, int bottom) {
    track_ = {left, top, right, bottom};
}

void CPngHSliderBar::SetSliderRange(int minimum, int maximum) {
    range_ = {minimum, maximum};
    thumb_.SetRange(range_);
}

void CPngHSliderBar::SetSliderPos(int value) {
    thumb_.SetPos(value);
}

void CPngHSliderBar::SetSliderBackground(int x, int y, int width, int height, HBITMAP skin) {
    background_ = CutPictureToImage(skin, x, y, width, height);
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void CPngHSliderBar::SetSliderBackground(int x, int y, int width, int height,
                                         Gdiplus::Image* skin) {
    background_ = CutPicture(skin, x, y, width, height);
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void CPngHSliderBar::EnableSlider(bool enable) {
    disabled_ = !enable;
    thumb_.SetLocked(disabled_);
}

void CPngHSliderBar::PaintBackground(HDC dc, const RECT& part) const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    if (!background_) {
        RECT r{0, 0, part.right - part.left, part.bottom - part.top};
        FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return;
    }
    DrawStretched(dc, background_.get(), client.right, client.bottom, &part);
}

LRESULT CPngHSliderBar::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    RECT client{};
    GetClientRect(hwnd_, &client);
    if (background_) {
        DrawStretched(dc, background_.get(), client.right, client.bottom, nullptr);
    } else {
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    EndPaint(hwnd_, &ps);
    return 0;
}

LRESULT CPngHSliderBar::OnEraseBackground(WPARAM, LPARAM) {
    return TRUE;
}

LRESULT CPngHSliderBar::OnLButtonDown(WPARAM, LPARAM lParam) {
    if (disabled_) return 0;
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    MapWindowPoints(hwnd_, parent_, &p, 1);
    const int v = skin::TrackClickValue(p.x, track_.left, track_.right, range_);
    thumb_.SetPos(v);
    PostMessageW(parent_, kMsgSlider, static_cast<WPARAM>(v), static_cast<LPARAM>(id_));
    return 0;
}

LRESULT CPngHSliderBar::OnThumbMoved(WPARAM wParam, LPARAM) {
    if (disabled_) return 1;
    PostMessageW(parent_, kMsgSlider, wParam, static_cast<LPARAM>(id_));
    return 1;
}

}  // namespace tarn
