#include "skin/popup_menu_layout.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

TEST(PopupLayout, TwelveLanguagesGiveTheFixedSize) {
    auto items = LanguageMenuItems();
    ASSERT_EQ(items.size(), 12u);
    const geo::Size size = LayoutPopupItems(items);
    EXPECT_EQ(size.width, 116);
    EXPECT_EQ(size.height, 273);
    EXPECT_EQ(items[0].rect.top, 6);
    EXPECT_EQ(items[11].rect.bottom, 270);
    EXPECT_EQ(items[11].text, u"Trad.Chinese");
    EXPECT_EQ(items[11].iconResource, 141);
    EXPECT_EQ(items[11].id, 12);
}

TEST(PopupLayout, SeparatorsAreThinAndNeverHovered) {
    std::vector<PopupItem> items(3);
    items[1].separator = true;
    const geo::Size size = LayoutPopupItems(items);
    EXPECT_EQ(size.height, 6 + 22 + 4 + 22 + 3);
    EXPECT_EQ(items[1].rect.top, 30);
    EXPECT_EQ(items[1].rect.bottom, 31);
    EXPECT_EQ(items[2].rect.top, 32);
    EXPECT_EQ(PopupItemAt(items, 50, 30), -1);
    EXPECT_EQ(PopupItemAt(items, 50, 32), 2);
    EXPECT_EQ(PopupItemAt(items, 5, 10), -1);
}

TEST(PopupLayout, HoverRedrawsOnlyWhenTheItemChanges) {
    auto items = LanguageMenuItems();
    LayoutPopupItems(items);
    HoverMove m = MovePopupHover(items, -1, 50, 10);
    EXPECT_EQ(m.hovered, 0);
    EXPECT_TRUE(m.changed);
    m = MovePopupHover(items, 0, 90, 20);
    EXPECT_FALSE(m.changed);
    m = MovePopupHover(items, 0, 50, 30);
    EXPECT_EQ(m.hovered, 1);
    EXPECT_TRUE(m.changed);
    m = MovePopupHover(items, 1, 113, 30);
    EXPECT_EQ(m.hovered, -1);
    EXPECT_TRUE(m.changed);
    EXPECT_FALSE(MovePopupHover(items, -1, 113, 30).changed);
}

TEST(PopupLayout, IconsCentreInTheirColumnAndTextFollows) {
    const geo::Rect item{6, 6, 110, 28};
    const geo::Point icon = PopupIconPosition(item, 19, 11);
    EXPECT_EQ(icon.x, 6 + 3);
    EXPECT_EQ(icon.y, 6 + 5);
    const geo::Rect text = PopupTextRect(item);
    EXPECT_EQ(text.left, 36);
    EXPECT_EQ(text.right, 118);
}

TEST(PopupLayout, NinePartsKeepCornersAndCoverTheTarget) {
    const auto pieces = NinePartPieces({65, 65}, {116, 273}, kPopupCorner);
    ASSERT_EQ(pieces.size(), 9u);
    EXPECT_EQ(pieces[0].target.width(), 32);
    EXPECT_EQ(pieces[8].target.right, 116);
    EXPECT_EQ(pieces[8].target.bottom, 273);
    EXPECT_EQ(pieces[8].source.left, 33);
    long area = 0;
    for (const auto& p : pieces) area += long(p.target.width()) * p.target.height();
    EXPECT_EQ(area, 116L * 273L);
    // A picture smaller than two corners still covers the target without reading outside.
    for (const auto& p : NinePartPieces({20, 10}, {116, 273}, kPopupCorner)) {
        EXPECT_LE(p.source.right, 20);
        EXPECT_LE(p.source.bottom, 10);
    }
}

TEST(TrayMenuLook, SelectedItemsAreFramedAndShifted) {
    const geo::Rect item{0, 0, 75, 22};
    const TrayItemLook on = TrayItemLookFor(item, true);
    EXPECT_TRUE(on.frame);
    EXPECT_EQ(on.fillColour, Rgb(177, 185, 207));
    EXPECT_EQ(on.icon.x, 2);
    EXPECT_EQ(on.textColour, Rgb(0, 60, 145));
    const TrayItemLook off = TrayItemLookFor(item, false);
    EXPECT_FALSE(off.frame);
    EXPECT_EQ(off.fill.right, 75);
    EXPECT_EQ(off.icon.y, 3);
    EXPECT_EQ(off.text.left, 33);
}

}  // namespace
}  // namespace tarn

#include "skin/menu_ex_library.h"

namespace tarn {
namespace {

TEST(MenuExItem, KeepsAtMostThirtyNineCharactersAndATerminator) {
    const MenuExItem item = MakeMenuExItem(7, u"0123456789012345678901234567890123456789XYZ");
    EXPECT_EQ(item.parent, kMenuExTopLevel);
    EXPECT_EQ(item.id, 7u);
    EXPECT_EQ(item.text[38], u'8');
    EXPECT_EQ(item.text[39], 0);
    const MenuExItem child = MakeMenuExItem(8, u"Hi", 7);
    EXPECT_EQ(child.parent, 7u);
    EXPECT_EQ(child.text[2], 0);
    EXPECT_EQ(child.text[39], 0);
}

}  // namespace
}  // namespace tarn
