// CSkinScrollBar: a scroll bar drawn from the cells of one skin bitmap (9 columns x 3 rows of
// square cells: arrows, thumb and track of the vertical bar, the same of the horizontal bar,
// the corner; rows normal, hovered, pressed). It keeps its own copy of the scroll information,
// answers the platform's scroll-information messages from it and reports to its parent exactly
// like a platform scroll bar (WM_VSCROLL / WM_HSCROLL with its own handle).
#pragma once

#include <windows.h>

#include "base/window_win32.h"
#include "skin/scroll_bar_logic.h"

namespace tarn {

class CSkinScrollBar : public win::Window {
    TARN_DECLARE_MESSAGES()

public:
    // SBS_VERT in style makes a vertical bar. The bar does not own the skin.
    bool CreateBar(DWORD style, const RECT& rect, HWND parent, UINT id);
    void SetSkin(HBITMAP skin, int cell);
    bool IsVertical() const { return vertical_; }
    bool IsDragging() const { return dragging_; }
    const skin::ScrollState& State() const { return state_; }

private:
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnEraseBackground(WPARAM, LPARAM);
    LRESULT OnLButtonDown(WPARAM, LPARAM);
    LRESULT OnLButtonDblClk(WPARAM, LPARAM);
    LRESULT OnLButtonUp(WPARAM, LPARAM);
    LRESULT OnMouseMove(WPARAM, LPARAM);
    LRESULT OnMouseLeave(WPARAM, LPARAM);
    LRESULT OnCaptureChanged(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM, LPARAM);
    LRESULT OnEnable(WPARAM, LPARAM);
    LRESULT OnSetScrollInfo(WPARAM, LPARAM);
    LRESULT OnGetScrollInfo(WPARAM, LPARAM);

    skin::ScrollLayout Layout() const;
    int Along(LPARAM point) const;
    int CursorAlong() const;
    void Send(int code, int position = 0);
    void StopPress();
    void Draw(HDC dc);
    void DrawCell(HDC dc, HDC skin, int column, int row, const RECT& target) const;
    void DrawThumb(HDC dc, HDC skin, int row, const RECT& target) const;

    HBITMAP skin_ = nullptr;
    int cell_ = 0;
    bool vertical_ = true;
    skin::ScrollState state_;
    skin::ScrollRepeat repeat_;
    skin::ScrollPart hovered_ = skin::ScrollPart::None;
    skin::ScrollPart pressed_ = skin::ScrollPart::None;
    bool tracking_leave_ = false;
    bool dragging_ = false;
    int dragStartAlong_ = 0;
    int dragStartPosition_ = 0;
};

}  // namespace tarn
