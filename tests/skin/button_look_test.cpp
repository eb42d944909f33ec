#include "skin/button_look.h"

#include <gtest/gtest.h>

namespace tarn::skin {
namespace {

TEST(BitmapButtonLook, DownWinsOverHoverWhichWinsOverDisabled) {
    BitmapButtonState s;
    EXPECT_EQ(ChooseBitmapButtonLook(s).picture, Picture::Normal);
    s.disabled = true;
    EXPECT_EQ(ChooseBitmapButtonLook(s).picture, Picture::Disabled);
    EXPECT_EQ(ChooseBitmapButtonLook(s).text, TextRole::Disabled);
    s.hover = true;
    EXPECT_EQ(ChooseBitmapButtonLook(s).picture, Picture::Over);
    s.hoverEnabled = false;
    EXPECT_EQ(ChooseBitmapButtonLook(s).picture, Picture::Disabled);
    s.pressed = true;
    EXPECT_EQ(ChooseBitmapButtonLook(s).picture, Picture::Down);
    EXPECT_EQ(ChooseBitmapButtonLook(s).text, TextRole::Down);
}

TEST(BitmapButtonLook, CheckModeFollowsCheckedNotThePress) {
    BitmapButtonState s;
    s.checkMode = true;
    s.pressed = true;
    s.hover = true;
    EXPECT_EQ(ChooseBitmapButtonLook(s).picture, Picture::Over);
    s.checked = true;
    s.pressed = false;
    EXPECT_EQ(ChooseBitmapButtonLook(s).picture, Picture::Down);
}

TEST(BitmapButtonLook, AlternativePicturesReplaceNormalAndDown) {
    BitmapButtonState s;
    s.useAltNormal = true;
    s.useAltDown = true;
    EXPECT_EQ(ChooseBitmapButtonLook(s).picture, Picture::AltNormal);
    s.pressed = true;
    EXPECT_EQ(ChooseBitmapButtonLook(s).picture, Picture::AltDown);
    s.pressed = false;
    s.hover = true;
    EXPECT_EQ(ChooseBitmapButtonLook(s).picture, Picture::Over);
}

TEST(CaptionPlacement, ClientAreaOrTextRectangle) {
    const geo::Rect plain = CaptionRect(66, 32, 14, nullptr, false);
    EXPECT_EQ(plain.left, 8);
    EXPECT_EQ(plain.right, 61);
    EXPECT_EQ(plain.top, 9);
    EXPECT_EQ(plain.height(), 14);
    // The plain rectangle does not move when pressed.
    EXPECT_EQ(CaptionRect(66, 32, 14, nullptr, true).left, 8);

    const geo::Rect text{10, 4, 60, 28};
    const geo::Rect up = CaptionRect(66, 32, 20, &text, false);
    EXPECT_EQ(up.left, 15);
    EXPECT_EQ(up.right, 55);
    EXPECT_EQ(up.top, 4);
    const geo::Rect down = CaptionRect(66, 32, 20, &text, true);
    EXPECT_EQ(down.left, 16);
    EXPECT_EQ(down.right, 56);
    EXPECT_EQ(down.top, 5);
    EXPECT_EQ(down.bottom, 29);
}

TEST(IrrButtonLook, StickySelectedStaysDownWhileHovered) {
    IrrButtonState s;
    s.sticky = true;
    s.selected = true;
    s.hover = true;
    EXPECT_EQ(ChooseIrrButtonLook(s), TextRole::Down);
    s.selected = false;
    s.pressed = true;  // a sticky button ignores the press itself
    EXPECT_EQ(ChooseIrrButtonLook(s), TextRole::Over);
    s.sticky = false;
    EXPECT_EQ(ChooseIrrButtonLook(s), TextRole::Down);
    s.pressed = false;
    s.hover = false;
    s.disabled = true;
    EXPECT_EQ(ChooseIrrButtonLook(s), TextRole::Disabled);
}

TEST(IrrButtonLook, TextOriginNarrowsForLongTexts) {
    EXPECT_EQ(IrrTextOrigin({100, 50}, 4).x, 100 - 24 + 5);
    EXPECT_EQ(IrrTextOrigin({100, 50}, 5).x, 100 - 30 + 5);
    EXPECT_EQ(IrrTextOrigin({100, 50}, 6).x, 100 - 18 + 5);
    EXPECT_EQ(IrrTextOrigin({100, 50}, 6).y, 44);
}

TEST(ColorButtonLook, FrameColourBySelectedPressedHover) {
    EXPECT_EQ(ColorButtonFrame({true, true, true}), MakeRgb(57, 56, 57));
    EXPECT_EQ(ColorButtonFrame({false, true, true}), MakeRgb(211, 24, 20));
    EXPECT_EQ(ColorButtonFrame({false, false, true}), MakeRgb(232, 190, 28));
    EXPECT_EQ(ColorButtonFrame({}), MakeRgb(49, 52, 57));
}

}  // namespace
}  // namespace tarn::skin
