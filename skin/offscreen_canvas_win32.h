// A memory bitmap to paint into; its destructor copies it onto the target in one step, so a
// control's layers (background, track, thumb) never flicker on screen.
#pragma once

#include <windows.h>

#include <algorithm>

namespace tarn {

class OffscreenCanvas {
public:
    OffscreenCanvas(HDC target, int width, int height)
        : target_(target), width_(std::max(1, width)), height_(std::max(1, height)) {
        dc_ = CreateCompatibleDC(target);
        bitmap_ = CreateCompatibleBitmap(target, width_, height_);
        old_ = SelectObject(dc_, bitmap_);
    }
    ~OffscreenCanvas() {
        BitBlt(target_, 0, 0, width_, height_, dc_, 0, 0, SRCCOPY);
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    OffscreenCanvas(const OffscreenCanvas&) = delete;
    OffscreenCanvas& operator=(const OffscreenCanvas&) = delete;

    HDC dc() const { return dc_; }

private:
    HDC target_;
    int width_;
    int height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

}  // namespace tarn
