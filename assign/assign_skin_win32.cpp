#include "assign/assign_skin_win32.h"

namespace tarn::assign {

void SkinSet::Load(std::wstring_view stem) {
    const std::wstring base(stem);
    normal = LoadPictureFile(SkinPath(base + L"_Normal.bmp"));
    down = LoadPictureFile(SkinPath(base + L"_Down.bmp"));
    over = LoadPictureFile(SkinPath(base + L"_Over.bmp"));
}

void MakeButton(CGDIBitmapBtn& button, const geo::Rect& r, HWND parent, const SkinSet& skin,
                std::u16string_view caption) {
    button.CreateButton(ToRect(r), parent, caption);
    button.SetSkinImages(r.left, r.top, r.right, r.bottom, skin.normal.get(), skin.over.get(),
                         skin.down.get(), skin.normal.get());
}

namespace {
constexpr int kLabelHeight = 14;
constexpr int kSmallestLabel = 11;

void DrawLabelAt(HDC dc, std::u16string_view text, const geo::Rect& r, COLORREF colour, UINT align,
                 int height) {
    RECT box = ToRect(r);
    HGDIOBJ oldFont = SelectObject(dc, CaptionFontFor(height, text));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    DrawTextW(dc, reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size()),
              &box, align | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    SelectObject(dc, oldFont);
}

int TextWidth(HDC dc, std::u16string_view text, int height) {
    HGDIOBJ oldFont = SelectObject(dc, CaptionFontFor(height, text));
    SIZE size{};
    GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(text.data()),
                          static_cast<int>(text.size()), &size);
    SelectObject(dc, oldFont);
    return size.cx;
}
}  // namespace

void DrawLabel(HDC dc, std::u16string_view text, const geo::Rect& r, COLORREF colour, UINT align,
               int height) {
    if (!text.empty()) DrawLabelAt(dc, text, r, colour, align, height);
}

int FittingLabelHeight(HDC dc, std::u16string_view text, int width) {
    int height = kLabelHeight;
    while (height > kSmallestLabel && TextWidth(dc, text, height) > width) --height;
    return height;
}

std::wstring Wide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

}  // namespace tarn::assign
