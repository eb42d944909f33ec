#include "skin/button_look.h"

namespace tarn::skin {

ButtonLook ChooseBitmapButtonLook(const BitmapButtonState& s) {
    const bool down = s.checkMode ? s.checked : s.pressed;
    if (down) return {s.useAltDown ? Picture::AltDown : Picture::Down, TextRole::Down};
    if (s.hover && s.hoverEnabled) return {Picture::Over, TextRole::Over};
    if (s.disabled) return {Picture::Disabled, TextRole::Disabled};
    return {s.useAltNormal ? Picture::AltNormal : Picture::Normal, TextRole::Normal};
}

geo::Rect CaptionRect(int width, int height, int captionHeight, const geo::Rect* textRect,
                      bool downColour) {
    if (!textRect) {
        const int top = (height - captionHeight) / 2;
        return {8, top, width - 5, top + captionHeight};
    }
    geo::Rect r{textRect->left + 5, textRect->top, textRect->right - 5, textRect->bottom};
    if (downColour) {
        r.left += 1;
        r.right += 1;
        r.top += 1;
        r.bottom += 1;
    }
    return r;
}

TextRole ChooseIrrButtonLook(const IrrButtonState& s) {
    if (s.sticky ? s.selected : s.pressed) return TextRole::Down;
    if (s.hover) return TextRole::Over;
    if (s.disabled) return TextRole::Disabled;
    return TextRole::Normal;
}

geo::Point IrrTextOrigin(geo::Point centre, int length) {
    const int half = length > 5 ? 3 * length : 6 * length;
    return {centre.x - half + 5, centre.y - 6};
}

Rgb ColorButtonFrame(const ColorButtonState& s) {
    if (s.selected) return MakeRgb(57, 56, 57);
    if (s.pressed) return MakeRgb(211, 24, 20);
    if (s.hover) return MakeRgb(232, 190, 28);
    return MakeRgb(49, 52, 57);
}

}  // namespace tarn::skin
