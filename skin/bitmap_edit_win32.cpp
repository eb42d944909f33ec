#include "skin/bitmap_edit_win32.h"

#include "skin/picture_win32.h"

namespace tarn {

TARN_BEGIN_MESSAGES(CBitmapEdit)
TARN_ON(win::kReflectBase + WM_CTLCOLOREDIT, OnCtlColor)
TARN_ON(win::kReflectBase + WM_CTLCOLORSTATIC, OnCtlColor)
TARN_ON(WM_ERASEBKGND, OnEraseBackground)
TARN_END_MESSAGES(win::Window)

CBitmapEdit::~CBitmapEdit() {
    if (brush_) DeleteObject(brush_);
    if (font_) DeleteObject(font_);
}

bool CBitmapEdit::CreateEdit(DWORD style, const RECT& rect, HWND parent, UINT id) {
    if (!CreateControl(L"EDIT", L"", style & ~(WS_BORDER | WS_TABSTOP), rect, parent, id)) {
        return false;
    }
    LONG_PTR ex = GetWindowLongPtrW(hwnd_, GWL_EXSTYLE);
    SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, ex & ~WS_EX_CLIENTEDGE);
    SendMessageW(hwnd_, EM_LIMITTEXT, 256, 0);
    SetFontHeight(12);
    return true;
}

void CBitmapEdit::SetSkinBackground(int x, int y, int width, int height, HBITMAP skin) {
    OwnedBitmap piece = CutPicture(skin, x, y, width, height);
    if (!piece) return;
    if (brush_) DeleteObject(brush_);
    // The pattern brush copies the bitmap; the piece may go.
    brush_ = CreatePatternBrush(piece.get());
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void CBitmapEdit::SetFontHeight(int pixelHeight) {
    HFONT font = CreateFontW(pixelHeight, 0, 0, 0, 500, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                             DEFAULT_PITCH, nullptr);
    if (!font) return;
    if (hwnd_) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (font_) DeleteObject(font_);
    font_ = font;
}

LRESULT CBitmapEdit::OnCtlColor(WPARAM wParam, LPARAM) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetTextColor(dc, RGB(88, 95, 103));
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(brush_ ? brush_ : GetStockObject(BLACK_BRUSH));
}

LRESULT CBitmapEdit::OnEraseBackground(WPARAM wParam, LPARAM) {
    RECT r;
    GetClientRect(hwnd_, &r);
    FillRect(reinterpret_cast<HDC>(wParam), &r,
             brush_ ? brush_ : static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    return TRUE;
}

}  // namespace tarn
