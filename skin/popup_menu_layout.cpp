#include "skin/popup_menu_layout.h"

#include <algorithm>

namespace tarn {

geo::Size LayoutPopupItems(std::vector<PopupItem>& items) {
    int y = 6;
    for (PopupItem& item : items) {
        if (item.separator) {
            item.rect = {32, y + 2, 110, y + 3};
            y += 4;
        } else {
            item.rect = {6, y, 110, y + kPopupItemHeight};
            y += kPopupItemHeight;
        }
    }
    return {kPopupWidth, y + 3};
}

int PopupItemAt(const std::vector<PopupItem>& items, int x, int y) {
    for (size_t i = 0; i < items.size(); ++i) {
        if (!items[i].separator && items[i].rect.contains(x, y)) return static_cast<int>(i);
    }
    return -1;
}

HoverMove MovePopupHover(const std::vector<PopupItem>& items, int hovered, int x, int y) {
    const bool valid = hovered >= 0 && hovered < static_cast<int>(items.size());
    if (valid && items[hovered].rect.contains(x, y)) return {hovered, false};
    const int now = PopupItemAt(items, x, y);
    return {now, now != hovered};
}

geo::Rect PopupTextRect(const geo::Rect& item) {
    return {item.left + 30, item.top, item.left + 112, item.bottom};
}

geo::Point PopupIconPosition(const geo::Rect& item, int iconWidth, int iconHeight) {
    return {item.left + (25 - iconWidth) / 2, item.top + (item.height() - iconHeight) / 2};
}

std::vector<NinePiece> NinePartPieces(geo::Size source, geo::Size target, int corner) {
    // Corners never take more than half of either picture.
    const int cx = std::min({corner, source.width / 2, target.width / 2});
    const int cy = std::min({corner, source.height / 2, target.height / 2});
    const int sx[4] = {0, cx, source.width - cx, source.width};
    const int sy[4] = {0, cy, source.height - cy, source.height};
    const int tx[4] = {0, cx, target.width - cx, target.width};
    const int ty[4] = {0, cy, target.height - cy, target.height};
    std::vector<NinePiece> pieces;
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            const NinePiece piece{{sx[col], sy[row], sx[col + 1], sy[row + 1]},
                                  {tx[col], ty[row], tx[col + 1], ty[row + 1]}};
            if (piece.source.width() <= 0 || piece.source.height() <= 0) continue;
            if (piece.target.width() <= 0 || piece.target.height() <= 0) continue;
            pieces.push_back(piece);
        }
    }
    return pieces;
}

TrayItemLook TrayItemLookFor(const geo::Rect& item, bool selected) {
    const geo::Rect text{item.left + kTrayTextLeft, item.top, item.right, item.bottom};
    if (selected) {
        return {true,
                {item.left + 1, item.top + 1, item.right - 1, item.bottom - 1},
                Rgb(177, 185, 207),
                {item.left + 2, item.top + 2},
                Rgb(0, 60, 145),
                text};
    }
    return {false, item, Rgb(219, 216, 209), {item.left + 3, item.top + 3}, Rgb(0, 0, 0), text};
}

}  // namespace tarn

#include "i18n/language_table.h"

namespace tarn {

std::vector<PopupItem> LanguageMenuItems() {
    std::vector<PopupItem> items;
    for (const LanguageInfo& language : kLanguages) {
        PopupItem item;
        item.id = language.id;
        item.iconResource = 130 + (language.id - 1);
        item.iconWidth = geo::kLanguageIcon.width;
        item.iconHeight = geo::kLanguageIcon.height;
        item.text = std::u16string(language.menuText);
        items.push_back(item);
    }
    return items;
}

}  // namespace tarn
