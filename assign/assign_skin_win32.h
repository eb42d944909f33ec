// Small pieces the button page, the assignment panel and its sub-pages share: a window's three
// skin pictures, making a skinned button on them, and the labels they paint.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "skin/bitmap_button_win32.h"
#include "skin/picture_win32.h"
#include "skin/skin_geometry.h"

namespace tarn::assign {

// "<skins>\<stem>_Normal.bmp", "_Down.bmp", "_Over.bmp".
struct SkinSet {
    OwnedBitmap normal, down, over;
    void Load(std::wstring_view stem);
};

inline RECT ToRect(const geo::Rect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

// A button at its rectangle with its pictures cut from the set (normal, over, down, normal).
void MakeButton(CGDIBitmapBtn& button, const geo::Rect& r, HWND parent, const SkinSet& skin,
                std::u16string_view caption = {});


// A label in "MS Shell Dlg" 14 (a face with Chinese glyphs for Chinese text), transparent,
// single line, vertically centred, with an ellipsis when too long.
void DrawLabel(HDC dc, std::u16string_view text, const geo::Rect& r, COLORREF colour,
               UINT align = DT_LEFT, int height = 14);
// The label height, 14 down to 11 pixels, at which the text fits the width whole (a label beside
// a field reads better a little smaller than cut short).
int FittingLabelHeight(HDC dc, std::u16string_view text, int width);

std::wstring Wide(std::u16string_view text);

}  // namespace tarn::assign
