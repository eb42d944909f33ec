#include "skin/irr_button_win32.h"

#include <windowsx.h>

#include <string>

#include "skin/bitmap_button_win32.h"
#include "skin/button_look.h"

namespace tarn {

TARN_BEGIN_MESSAGES(CIrrButton)
TARN_ON(WM_PAINT, OnPaint)
TARN_ON(win::kReflectBase + WM_DRAWITEM, OnDrawItem)
TARN_ON(WM_ERASEBKGND, OnEraseBackground)
TARN_ON(WM_MOUSEMOVE, OnMouseMove)
TARN_ON(WM_LBUTTONDOWN, OnLButtonDown)
TARN_ON(WM_LBUTTONDBLCLK, OnLButtonDown)
TARN_ON(WM_LBUTTONUP, OnLButtonUp)
TARN_ON(WM_CAPTURECHANGED, OnCaptureChanged)
TARN_ON(WM_ENABLE, OnEnable)
TARN_END_MESSAGES(win::Window)

CIrrButton::~CIrrButton() {
    if (region_) DeleteObject(region_);
}

void CIrrButton::LoadStateBitmaps(int normalId, int downId, int overId, int disabledId) {
    normal_ = LoadBitmapResource(normalId);
    down_ = LoadBitmapResource(downId);
    over_ = LoadBitmapResource(overId);
    disabled_ = LoadBitmapResource(disabledId);
    cut_ = false;
    if (hwnd_) {
        CutToBox();
        InvalidateRect(hwnd_, nullptr, FALSE);
    }
}

void CIrrButton::CutStateBitmaps(HBITMAP normal, HBITMAP down, HBITMAP over, HBITMAP disabled) {
    const int w = box_.right - box_.left, h = box_.bottom - box_.top;
    normal_ = CutPicture(normal, box_.left, box_.top, w, h);
    down_ = CutPicture(down, box_.left, box_.top, w, h);
    over_ = CutPicture(over, box_.left, box_.top, w, h);
    disabled_ = CutPicture(disabled, box_.left, box_.top, w, h);
    cut_ = true;
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

// The pictures are full-window images; a button keeps only the piece under its bounding box,
// so a window of eleven shaped buttons does not hold forty-four full-window bitmaps.
void CIrrButton::CutToBox() {
    if (cut_) return;
    const int w = box_.right - box_.left, h = box_.bottom - box_.top;
    for (OwnedBitmap* picture : {&normal_, &down_, &over_, &disabled_}) {
        if (*picture) *picture = CutPicture(picture->get(), box_.left, box_.top, w, h);
    }
    cut_ = true;
}

bool CIrrButton::CreateShaped(std::u16string_view caption, DWORD style, const geo::Quad& outline,
                              HWND parent, UINT id) {
    POINT points[4];
    for (int i = 0; i < 4; ++i) points[i] = {outline[i].x, outline[i].y};
    HRGN region = CreatePolygonRgn(points, 4, WINDING);
    const bool ok = CreateShaped(caption, style, region, parent, id);
    DeleteObject(region);
    return ok;
}

bool CIrrButton::CreateShaped(std::u16string_view caption, DWORD style, HRGN outline, HWND parent,
                              UINT id) {
    if (!outline) return false;
    GetRgnBox(outline, &box_);
    centre_ = {(box_.left + box_.right) / 2, (box_.top + box_.bottom) / 2};
    if (region_) DeleteObject(region_);
    region_ = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(region_, outline, nullptr, RGN_COPY);
    OffsetRgn(region_, -box_.left, -box_.top);
    const std::wstring text(reinterpret_cast<const wchar_t*>(caption.data()), caption.size());
    if (!CreateControl(L"BUTTON", text.c_str(), style | BS_OWNERDRAW, box_, parent, id)) {
        return false;
    }
    // The window owns the region given to it; it gets its own copy.
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(shape, region_, nullptr, RGN_COPY);
    SetWindowRgn(hwnd_, shape, TRUE);
    CutToBox();
    return true;
}

void CIrrButton::SetSelected(bool selected) {
    if (captured_) {
        captured_ = false;
        hover_ = false;
        if (GetCapture() == hwnd_) ReleaseCapture();
    }
    if (selected_ == selected) return;
    selected_ = selected;
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void CIrrButton::SetTooltip(std::u16string_view text, bool activate) {
    tooltip_.Set(hwnd_, text, activate);
}

void CIrrButton::SetTextColors(COLORREF normal, COLORREF over, COLORREF down) {
    textNormal_ = normal;
    textOver_ = over;
    textDown_ = down;
}

void CIrrButton::Draw(HDC dc) {
    skin::IrrButtonState s;
    s.sticky = sticky_;
    s.selected = selected_;
    s.pressed = pressed_;
    s.hover = hover_;
    s.disabled = !IsWindowEnabled(hwnd_);
    const skin::TextRole role = skin::ChooseIrrButtonLook(s);
    const OwnedBitmap* picture = &normal_;
    COLORREF colour = textNormal_;
    switch (role) {
        case skin::TextRole::Down:
            picture = &down_;
            colour = textDown_;
            break;
        case skin::TextRole::Over:
            picture = &over_;
            colour = textOver_;
            break;
        case skin::TextRole::Disabled:
            picture = &disabled_;
            colour = skin::kTextDisabled;
            break;
        case skin::TextRole::Normal:
            break;
    }
    if (region_) SelectClipRgn(dc, region_);
    const int w = box_.right - box_.left, h = box_.bottom - box_.top;
    if (*picture) {
        HDC src = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(src, picture->get());
        BitBlt(dc, 0, 0, w, h, src, 0, 0, SRCCOPY);
        SelectObject(src, old);
        DeleteDC(src);
    }
    wchar_t text[128] = {};
    const int length = GetWindowTextW(hwnd_, text, 128);
    if (length > 0) {
        const geo::Point at = skin::IrrTextOrigin({centre_.x, centre_.y}, length);
        const std::u16string_view textView(reinterpret_cast<const char16_t*>(text),
                                           static_cast<size_t>(length));
        HGDIOBJ oldFont = SelectObject(dc, CaptionFontFor(14, textView));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, colour);
        TextOutW(dc, at.x - box_.left, at.y - box_.top, text, length);
        SelectObject(dc, oldFont);
    }
    SelectClipRgn(dc, nullptr);
}

LRESULT CIrrButton::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    Draw(dc);
    EndPaint(hwnd_, &ps);
    return 0;
}

LRESULT CIrrButton::OnDrawItem(WPARAM, LPARAM lParam) {
    Draw(reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hDC);
    return TRUE;
}

LRESULT CIrrButton::OnEraseBackground(WPARAM, LPARAM) {
    return TRUE;
}

bool CIrrButton::InsideOutline(LPARAM position) const {
    const int x = GET_X_LPARAM(position), y = GET_Y_LPARAM(position);
    const int w = box_.right - box_.left, h = box_.bottom - box_.top;
    if (x < 0 || y < 0 || x >= w || y >= h) return false;
    return region_ && PtInRegion(region_, x, y);
}

void CIrrButton::UpdateHover(LPARAM position) {
    const bool inside = InsideOutline(position);
    if (inside) {
        if (!captured_) {
            SetCapture(hwnd_);
            captured_ = true;
        }
        if (!hover_) {
            hover_ = true;
            InvalidateRect(hwnd_, nullptr, FALSE);
        }
        return;
    }
    if (captured_) {
        captured_ = false;
        if (GetCapture() == hwnd_) ReleaseCapture();
    }
    hover_ = false;
    InvalidateRect(hwnd_, nullptr, FALSE);
}

LRESULT CIrrButton::OnMouseMove(WPARAM, LPARAM lParam) {
    UpdateHover(lParam);
    return 0;
}

// The platform's press handling is not run: it would report a second click on release.
LRESULT CIrrButton::OnLButtonDown(WPARAM, LPARAM lParam) {
    if (!InsideOutline(lParam)) return 0;
    pressed_ = true;
    InvalidateRect(hwnd_, nullptr, FALSE);
    HWND owner = GetWindow(hwnd_, GW_OWNER);
    if (!owner) owner = GetParent(hwnd_);
    PostMessageW(owner, WM_COMMAND, 0, reinterpret_cast<LPARAM>(hwnd_));
    return 0;
}

LRESULT CIrrButton::OnLButtonUp(WPARAM, LPARAM lParam) {
    pressed_ = false;
    UpdateHover(lParam);
    return 0;
}

LRESULT CIrrButton::OnCaptureChanged(WPARAM, LPARAM lParam) {
    if (reinterpret_cast<HWND>(lParam) != hwnd_ && captured_) {
        captured_ = false;
        hover_ = false;
        InvalidateRect(hwnd_, nullptr, FALSE);
    }
    return 0;
}

LRESULT CIrrButton::OnEnable(WPARAM, LPARAM) {
    InvalidateRect(hwnd_, nullptr, FALSE);
    return Default();
}

}  // namespace tarn
