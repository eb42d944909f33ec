// CIrrButton: a button of any outline (the main window's tabs and profile buttons, the button
// page's tabs). It shows the part of a full-window picture under its outline and reports a
// press inside the outline at once, on mouse-down.
#pragma once

#include <windows.h>

#include <string_view>

#include "base/window_win32.h"
#include "skin/picture_win32.h"
#include "skin/skin_geometry.h"
#include "skin/tooltip_win32.h"

namespace tarn {

class CIrrButton : public win::Window {
    TARN_DECLARE_MESSAGES()

public:
    ~CIrrButton() override;
    // Bitmap resources: normal, down, over, disabled.
    void LoadStateBitmaps(int normalId, int downId, int overId, int disabledId);
    // The same from pictures the caller already holds (a window whose shaped buttons share one
    // set loads it once); call after CreateShaped. The caller keeps its pictures.
    void CutStateBitmaps(HBITMAP normal, HBITMAP down, HBITMAP over, HBITMAP disabled);
    // The region is in parent coordinates; the button keeps its own copy.
    bool CreateShaped(std::u16string_view caption, DWORD style, HRGN outline, HWND parent,
                      UINT id = 0);
    bool CreateShaped(std::u16string_view caption, DWORD style, const geo::Quad& outline,
                      HWND parent, UINT id = 0);
    void SetSticky(bool sticky) { sticky_ = sticky; }
    void SetSelected(bool selected);
    bool IsSelected() const { return selected_; }
    void SetTooltip(std::u16string_view text, bool activate = true);
    void SetTextColors(COLORREF normal, COLORREF over, COLORREF down);

private:
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnDrawItem(WPARAM, LPARAM);
    LRESULT OnEraseBackground(WPARAM, LPARAM);
    LRESULT OnMouseMove(WPARAM, LPARAM);
    LRESULT OnLButtonDown(WPARAM, LPARAM);
    LRESULT OnLButtonUp(WPARAM, LPARAM);
    LRESULT OnCaptureChanged(WPARAM, LPARAM);
    LRESULT OnEnable(WPARAM, LPARAM);
    void Draw(HDC dc);
    bool InsideOutline(LPARAM position) const;
    void UpdateHover(LPARAM position);
    void CutToBox();

    OwnedBitmap normal_, down_, over_, disabled_;
    HRGN region_ = nullptr;  // in the button's own coordinates
    RECT box_{};             // bounding box in parent coordinates
    POINT centre_{};
    bool hover_ = false;
    bool captured_ = false;
    bool pressed_ = false;
    bool selected_ = false;
    bool sticky_ = false;
    bool cut_ = false;  // the pictures hold only the bounding box
    ControlTooltip tooltip_;
    COLORREF textNormal_ = RGB(189, 189, 200), textOver_ = RGB(255, 255, 255),
             textDown_ = RGB(38, 29, 5);
};

}  // namespace tarn
