// The item popup's geometry and hover rule (the language menu), and the tray menu's item look,
// kept apart from the windows that draw them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "skin/skin_geometry.h"

namespace tarn {

struct PopupItem {
    bool separator = false;
    int id = 0;
    int iconResource = 0;  // PNG resource, 0 for none
    int iconWidth = 0, iconHeight = 0;
    std::u16string text;
    geo::Rect rect{};  // filled by the layout
};

inline constexpr int kPopupWidth = 116;
inline constexpr int kPopupItemHeight = 22;
// The background picture keeps this much of each corner unscaled.
inline constexpr int kPopupCorner = 32;

// Places the items and returns the popup's size: 116 x 273 for twelve items.
geo::Size LayoutPopupItems(std::vector<PopupItem>& items);

// The item under a point, never a separator; -1 for none.
int PopupItemAt(const std::vector<PopupItem>& items, int x, int y);

// The hover after a move to (x, y): unchanged while the point stays in the hovered item.
// changed tells whether the popup must be drawn again.
struct HoverMove {
    int hovered;
    bool changed;
};
HoverMove MovePopupHover(const std::vector<PopupItem>& items, int hovered, int x, int y);

// Where an item's text and icon go.
geo::Rect PopupTextRect(const geo::Rect& item);
geo::Point PopupIconPosition(const geo::Rect& item, int iconWidth, int iconHeight);

// The nine pieces of a background picture of size source stretched to size target: corners
// kept, edges and centre stretched. Pieces of zero size are left out.
struct NinePiece {
    geo::Rect source, target;
};
std::vector<NinePiece> NinePartPieces(geo::Size source, geo::Size target, int corner);

// Colours as 0x00BBGGRR.
inline constexpr uint32_t Rgb(int r, int g, int b) {
    return static_cast<uint32_t>(r) | static_cast<uint32_t>(g) << 8 |
           static_cast<uint32_t>(b) << 16;
}
inline constexpr uint32_t kPopupHoverFill = Rgb(0, 147, 209);
inline constexpr uint32_t kPopupHoverText = Rgb(245, 245, 245);
inline constexpr uint32_t kPopupText = Rgb(5, 5, 5);
inline constexpr uint32_t kPopupSeparator = Rgb(245, 245, 245);
inline constexpr uint32_t kPopupFrame = Rgb(0, 147, 209);
inline constexpr uint32_t kPopupBody = Rgb(255, 255, 255);

// The tray menu: items of 75 x 22 drawn in two looks, the caption from 33 pixels in.
inline constexpr geo::Size kTrayItemSize{75, 22};
inline constexpr int kTrayTextLeft = 33;
struct TrayMenuItem {
    uint32_t command;
    int normalIcon;
    int selectedIcon;
    const char16_t* caption;
};
inline constexpr std::array<TrayMenuItem, 2> kTrayMenuItems{{
    {0x6000, 1012, 1012, u"Config"},
    {0x6001, 1011, 1011, u"Exit"},
}};

struct TrayItemLook {
    bool frame;      // a black one-pixel frame around the item
    geo::Rect fill;  // filled with fillColour
    uint32_t fillColour;
    geo::Point icon;  // top-left of the 16 x 16 icon
    uint32_t textColour;
    geo::Rect text;  // caption, centred on one line
};
TrayItemLook TrayItemLookFor(const geo::Rect& item, bool selected);

}  // namespace tarn

namespace tarn {

// The language menu's twelve items in LanguageId order, each with its 19 x 11 icon.
std::vector<PopupItem> LanguageMenuItems();

}  // namespace tarn
