#include "skin/xp_menu_win32.h"

#include <algorithm>

#include "base/window_win32.h"
#include "skin/popup_menu_layout.h"

namespace tarn {

namespace {

HICON LoadSmallIcon(int id) {
    return static_cast<HICON>(
        LoadImageW(win::ModuleInstance(), MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, 0));
}

RECT ToRect(const geo::Rect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

void Fill(HDC dc, const RECT& rect, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

// A tick in the 16 x 16 cell where the other items have their icon.
void DrawTick(HDC dc, geo::Point cell, COLORREF colour) {
    HPEN pen = CreatePen(PS_SOLID, 2, colour);
    HGDIOBJ old = SelectObject(dc, pen);
    const POINT tick[] = {{cell.x + 3, cell.y + 8}, {cell.x + 6, cell.y + 11},
                          {cell.x + 13, cell.y + 4}};
    Polyline(dc, tick, 3);
    SelectObject(dc, old);
    DeleteObject(pen);
}

}  // namespace

CXPMenu::CXPMenu() {
    menu_ = CreatePopupMenu();
    font_ = CreateFontW(-14, 0, 0, 0, FW_MEDIUM, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH,
                        L"Arial");
}

CXPMenu::~CXPMenu() {
    if (menu_) DestroyMenu(menu_);
    if (font_) DeleteObject(font_);
}

bool CXPMenu::AppendItem(UINT command, int normalIcon, int selectedIcon,
                         std::u16string_view caption) {
    auto data = std::make_unique<ItemData>();
    data->normalIcon = static_cast<uint16_t>(normalIcon);
    data->selectedIcon = static_cast<uint32_t>(selectedIcon);
    data->caption.assign(caption.begin(), caption.end());
    return Append(command, std::move(data));
}

bool CXPMenu::AppendCheckItem(UINT command, std::u16string_view caption, bool checked) {
    auto data = std::make_unique<ItemData>();
    data->caption.assign(caption.begin(), caption.end());
    data->check = true;
    data->checked = checked;
    return Append(command, std::move(data));
}

bool CXPMenu::Append(UINT command, std::unique_ptr<ItemData> data) {
    if (!AppendMenuW(menu_, MF_OWNERDRAW, command, reinterpret_cast<LPCWSTR>(data.get()))) {
        return false;
    }
    items_.push_back(std::move(data));
    return true;
}

void CXPMenu::AppendTrayItems() {
    for (const TrayMenuItem& item : kTrayMenuItems) {
        AppendItem(item.command, item.normalIcon, item.selectedIcon, item.caption);
    }
}

bool CXPMenu::Owns(ULONG_PTR data) const {
    for (const auto& item : items_) {
        if (reinterpret_cast<ULONG_PTR>(item.get()) == data) return true;
    }
    return false;
}

int CXPMenu::TextWidth(const std::wstring& text) const {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font_);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return size.cx;
}

// Items keep the tray menu's 75 x 22 unless a caption needs more room; the menu is as wide as
// its widest item.
bool CXPMenu::MeasureItem(MEASUREITEMSTRUCT* measure) const {
    if (measure->CtlType != ODT_MENU || !Owns(measure->itemData)) return false;
    const auto* data = reinterpret_cast<const ItemData*>(measure->itemData);
    measure->itemWidth =
        std::max<UINT>(kTrayItemSize.width, kTrayTextLeft + TextWidth(data->caption) + 12);
    measure->itemHeight = kTrayItemSize.height;
    return true;
}

bool CXPMenu::DrawItem(const DRAWITEMSTRUCT* draw) const {
    if (draw->CtlType != ODT_MENU || !Owns(draw->itemData)) return false;
    const auto* data = reinterpret_cast<const ItemData*>(draw->itemData);
    const RECT& r = draw->rcItem;
    const bool selected = (draw->itemState & ODS_SELECTED) != 0;
    const TrayItemLook look = TrayItemLookFor({r.left, r.top, r.right, r.bottom}, selected);
    HDC dc = draw->hDC;
    if (look.frame) Fill(dc, r, RGB(0, 0, 0));
    Fill(dc, ToRect(look.fill), look.fillColour);
    if (data->check) {
        if (data->checked) DrawTick(dc, look.icon, look.textColour);
    } else if (HICON icon = LoadSmallIcon(selected ? static_cast<int>(data->selectedIcon)
                                                   : data->normalIcon)) {
        DrawIconEx(dc, look.icon.x, look.icon.y, icon, 16, 16, 0, nullptr, DI_NORMAL);
        DestroyIcon(icon);
    }
    HGDIOBJ oldFont = SelectObject(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, look.textColour);
    RECT text = ToRect(look.text);
    DrawTextW(dc, data->caption.c_str(), -1, &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    return true;
}

void CXPMenu::Track(HWND owner, POINT at) const {
    TrackPopupMenu(menu_, TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr);
}

}  // namespace tarn
