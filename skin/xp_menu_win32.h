// CXPMenu: a platform popup menu whose items are owner-drawn in the tray menu's look. The owner
// window hands its WM_MEASUREITEM and WM_DRAWITEM for menus to MeasureItem and DrawItem.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tarn {

class CXPMenu {
public:
    CXPMenu();
    ~CXPMenu();
    CXPMenu(const CXPMenu&) = delete;
    CXPMenu& operator=(const CXPMenu&) = delete;

    HMENU handle() const { return menu_; }
    // Icon resources drawn at 16 x 16 for the normal and the selected look.
    bool AppendItem(UINT command, int normalIcon, int selectedIcon, std::u16string_view caption);
    // An item that shows a tick instead of an icon while checked.
    bool AppendCheckItem(UINT command, std::u16string_view caption, bool checked);
    // The tray menu: "Config" (0x6000) and "Exit" (0x6001).
    void AppendTrayItems();

    // True when the item was one of this menu's.
    bool MeasureItem(MEASUREITEMSTRUCT* measure) const;
    bool DrawItem(const DRAWITEMSTRUCT* draw) const;

    // Shows the menu at a screen point tracking the right button; the chosen command reaches
    // the owner as WM_COMMAND.
    void Track(HWND owner, POINT at) const;

private:
    struct ItemData {
        uint16_t normalIcon = 0;
        uint32_t selectedIcon = 0;
        std::wstring caption;
        bool check = false;
        bool checked = false;
    };
    bool Append(UINT command, std::unique_ptr<ItemData> data);
    bool Owns(ULONG_PTR data) const;
    int TextWidth(const std::wstring& text) const;

    HMENU menu_ = nullptr;
    std::vector<std::unique_ptr<ItemData>> items_;
    HFONT font_ = nullptr;
};

}  // namespace tarn
