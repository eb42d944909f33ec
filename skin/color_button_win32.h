// CColorBtn: a flat colour swatch (lighting page); its frame colour tells its state.
#pragma once

#include <windows.h>

#include <string_view>

#include "base/window_win32.h"
#include "skin/hover_win32.h"
#include "skin/tooltip_win32.h"

namespace tarn {

class CColorBtn : public win::Window {
    TARN_DECLARE_MESSAGES()

public:
    bool CreateButton(const RECT& rect, HWND parent, DWORD style = WS_CHILD | WS_VISIBLE);
    void SetSwatchColor(COLORREF colour);
    COLORREF SwatchColor() const { return colour_; }
    void SetSelected(bool selected);
    bool IsSelected() const { return selected_; }
    void SetFrame(bool frame);
    void SetTooltip(std::u16string_view text, bool activate = true);

private:
    LRESULT OnDrawItem(WPARAM, LPARAM);
    LRESULT OnMouseMove(WPARAM, LPARAM);
    LRESULT OnKillFocus(WPARAM, LPARAM);
    LRESULT OnCaptureChanged(WPARAM, LPARAM);
    LRESULT OnEraseBackground(WPARAM, LPARAM);
    void Repaint();

    COLORREF colour_ = RGB(255, 255, 255);
    bool selected_ = false;
    bool frame_ = false;
    HoverTracker hover_;
    ControlTooltip tooltip_;
};

}  // namespace tarn
