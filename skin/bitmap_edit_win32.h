// CBitmapEdit: a one-line edit field that shows the piece of skin behind it.
#pragma once

#include <windows.h>

#include "base/window_win32.h"

namespace tarn {

class CBitmapEdit : public win::Window {
    TARN_DECLARE_MESSAGES()

public:
    ~CBitmapEdit() override;
    bool CreateEdit(DWORD style, const RECT& rect, HWND parent, UINT id);
    // The picture's pixels in the rectangle become the background.
    void SetSkinBackground(int x, int y, int width, int height, HBITMAP skin);
    // Font height in pixels (12 by default), weight 500.
    void SetFontHeight(int pixelHeight);

private:
    LRESULT OnCtlColor(WPARAM, LPARAM);
    LRESULT OnEraseBackground(WPARAM, LPARAM);

    HBRUSH brush_ = nullptr;
    HFONT font_ = nullptr;
};

}  // namespace tarn
