// CPngHProgressBar: a horizontal bar that fills from the left, its track and fill cut from two
// skin pictures. Outside read-only mode the user can drag it; the end of a drag posts 0x450.
#pragma once

#include <windows.h>

#include "base/window_win32.h"
#include "skin/picture_win32.h"
#include "skin/slider_math.h"

namespace tarn {

class CPngHProgressBar : public win::Window {
    TARN_DECLARE_MESSAGES()

public:
    bool CreateProgress(int left, int top, int right, int bottom, HWND parent, UINT id);
    void SetProgressImages(int x, int y, int width, int height, Gdiplus::Image* track,
                           Gdiplus::Image* fill);
    void SetProgressRange(int minimum, int maximum);
    void SetProgressPos(int value);
    int ProgressPos() const { return value_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }

private:
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnEraseBackground(WPARAM, LPARAM);
    LRESULT OnLButtonDown(WPARAM, LPARAM);
    LRESULT OnMouseMove(WPARAM, LPARAM);
    LRESULT OnLButtonUp(WPARAM, LPARAM);
    LRESULT OnCaptureChanged(WPARAM, LPARAM);
    int ValueAt(LPARAM position) const;
    void RepaintNow();

    Image track_, fill_;
    RECT rect_{};  // in parent coordinates
    skin::SliderRange range_{0, 10};
    int value_ = 0;
    bool readOnly_ = false;
    bool dragging_ = false;
    UINT id_ = 0;
    HWND parent_ = nullptr;
};

}  // namespace tarn
