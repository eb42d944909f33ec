#include "skin/color_button_win32.h"

#include "skin/button_look.h"

namespace tarn {

TARN_BEGIN_MESSAGES(CColorBtn)
TARN_ON(win::kReflectBase + WM_DRAWITEM, OnDrawItem)
TARN_ON(WM_MOUSEMOVE, OnMouseMove)
TARN_ON(WM_KILLFOCUS, OnKillFocus)
TARN_ON(WM_CAPTURECHANGED, OnCaptureChanged)
TARN_ON(WM_ERASEBKGND, OnEraseBackground)
TARN_END_MESSAGES(win::Window)

bool CColorBtn::CreateButton(const RECT& rect, HWND parent, DWORD style) {
    return CreateControl(L"BUTTON", L"", style | BS_OWNERDRAW, rect, parent, 0);
}

void CColorBtn::Repaint() {
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void CColorBtn::SetSwatchColor(COLORREF colour) {
    colour_ = colour;
    Repaint();
}

void CColorBtn::SetSelected(bool selected) {
    selected_ = selected;
    Repaint();
}

void CColorBtn::SetFrame(bool frame) {
    frame_ = frame;
    Repaint();
}

void CColorBtn::SetTooltip(std::u16string_view text, bool activate) {
    tooltip_.Set(hwnd_, text, activate);
}

LRESULT CColorBtn::OnDrawItem(WPARAM, LPARAM lParam) {
    auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    HBRUSH fill = CreateSolidBrush(colour_);
    FillRect(dis->hDC, &dis->rcItem, fill);
    DeleteObject(fill);
    if (!frame_) return TRUE;
    skin::ColorButtonState s;
    s.selected = selected_;
    s.pressed = (dis->itemState & ODS_SELECTED) != 0;
    s.hover = hover_.hover();
    HBRUSH frame = CreateSolidBrush(skin::ColorButtonFrame(s));
    FrameRect(dis->hDC, &dis->rcItem, frame);
    DeleteObject(frame);
    return TRUE;
}

LRESULT CColorBtn::OnMouseMove(WPARAM wParam, LPARAM lParam) {
    if (hover_.OnMouseMove(hwnd_, wParam)) Repaint();
    ForwardMouseMove(hwnd_, wParam, lParam);
    return Default();
}

LRESULT CColorBtn::OnKillFocus(WPARAM, LPARAM) {
    if (hover_.OnKillFocus()) Repaint();
    return Default();
}

LRESULT CColorBtn::OnCaptureChanged(WPARAM, LPARAM lParam) {
    if (hover_.OnCaptureChanged(hwnd_, reinterpret_cast<HWND>(lParam))) Repaint();
    return Default();
}

LRESULT CColorBtn::OnEraseBackground(WPARAM, LPARAM) {
    return TRUE;
}

}  // namespace tarn
