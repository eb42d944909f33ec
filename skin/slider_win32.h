// CPngHSliderBar with its thumb CPngHSlider: a horizontal slider whose track is a piece of the
// page's skin and whose thumb is a PNG with transparency. Changes are posted as 0x800.
#pragma once

#include <windows.h>

#include <string>

#include "base/window_win32.h"
#include "skin/picture_win32.h"
#include "skin/slider_math.h"

namespace tarn {

class CPngHSliderBar;

class CPngHSlider : public win::Window {
    TARN_DECLARE_MESSAGES()

public:
    bool CreateThumb(const std::wstring& pngPath, CPngHSliderBar& bar, UINT id);
    void SetRange(skin::SliderRange range) { range_ = range; }
    void SetPos(int value);
    int Pos() const { return value_; }
    void SetLocked(bool locked);
    int thumbWidth() const { return width_; }
    int thumbHeight() const { return height_; }

private:
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnEraseBackground(WPARAM, LPARAM);
    LRESULT OnLButtonDown(WPARAM, LPARAM);
    LRESULT OnMouseMove(WPARAM, LPARAM);
    LRESULT OnLButtonUp(WPARAM, LPARAM);
    LRESULT OnCaptureChanged(WPARAM, LPARAM);
    void Place();
    void ShapeToPicture();
    int BarWidth() const;

    CPngHSliderBar* bar_ = nullptr;
    Image picture_;
    int width_ = 0, height_ = 0;
    skin::SliderRange range_{1, 10};
    int value_ = 1;
    int left_ = 0;
    bool dragging_ = false;
    int pressX_ = 0;
    bool locked_ = false;
    UINT id_ = 0;
};

class CPngHSliderBar : public win::Window {
    TARN_DECLARE_MESSAGES()

public:
    bool CreateSlider(const std::wstring& thumbPng, int left, int top, int right, int bottom,
                      HWND parent, UINT id);
    void SetTrackRect(int left, int top, int right, int bottom);
    void SetSliderRange(int minimum, int maximum);
    void SetSliderPos(int value);
    int SliderPos() const { return thumb_.Pos(); }
    void SetSliderBackground(int x, int y, int width, int height, HBITMAP skin);
    void SetSliderBackground(int x, int y, int width, int height, Gdiplus::Image* skin);
    void EnableSlider(bool enable);
    bool IsSliderEnabled() const { return !disabled_; }
    // Paints the bar's background as it lies under a rectangle of the bar (for the thumb).
    void PaintBackground(HDC dc, const RECT& barRect) const;
    UINT id() const { return id_; }

private:
    LRESULT OnCreate(WPARAM, LPARAM);
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnEraseBackground(WPARAM, LPARAM);
    LRESULT OnLButtonDown(WPARAM, LPARAM);
    LRESULT OnThumbMoved(WPARAM, LPARAM);

    CPngHSlider thumb_;
    std::wstring thumbPath_;
    Image background_;
    RECT window_{};  // in parent coordinates
    RECT track_{};   // in parent coordinates
    skin::SliderRange range_{0, 10};
    bool disabled_ = false;
    UINT id_ = 0;
    HWND parent_ = nullptr;
};

}  // namespace tarn
