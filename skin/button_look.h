// Which picture and colour a skinned button shows, and where its caption goes: the rules the
// owner-drawn buttons follow on every paint, kept portable so they can be checked natively.
#pragma once

#include <cstdint>

#include "skin/skin_geometry.h"

namespace tarn::skin {

using Rgb = uint32_t;  // 0x00BBGGRR, as the platform's COLORREF
constexpr Rgb MakeRgb(int r, int g, int b) {
    return static_cast<Rgb>(r) | (static_cast<Rgb>(g) << 8) | (static_cast<Rgb>(b) << 16);
}

enum class Picture { Normal, Over, Down, AltNormal, AltDown, Disabled };
enum class TextRole { Normal, Over, Down, Disabled };

struct BitmapButtonState {
    bool checkMode = false;
    bool checked = false;
    bool pressed = false;
    bool hover = false;
    bool hoverEnabled = true;
    bool disabled = false;
    bool useAltNormal = false;
    bool useAltDown = false;
};

struct ButtonLook {
    Picture picture;
    TextRole text;
};

ButtonLook ChooseBitmapButtonLook(const BitmapButtonState& state);

inline constexpr Rgb kTextNormal = MakeRgb(189, 189, 200);
inline constexpr Rgb kTextOver = MakeRgb(255, 255, 255);
inline constexpr Rgb kTextDown = MakeRgb(38, 29, 5);
inline constexpr Rgb kTextDisabled = MakeRgb(38, 42, 39);

inline constexpr int kCaptionHeight = 14;
inline constexpr int kLargeCaptionHeight = 20;

// The caption's rectangle in a client area of width x height. Without a text rectangle: from 8
// inside the left edge to 5 inside the right, vertically centred on the caption's height; with
// one: that rectangle narrowed by 5 on each side, moved one pixel right and down while pressed.
geo::Rect CaptionRect(int width, int height, int captionHeight, const geo::Rect* textRect,
                      bool downColour);

// Irregular buttons: down while (sticky ? selected : pressed), then over, disabled, normal.
struct IrrButtonState {
    bool sticky = false;
    bool selected = false;
    bool pressed = false;
    bool hover = false;
    bool disabled = false;
};
TextRole ChooseIrrButtonLook(const IrrButtonState& state);

// Where an irregular button's own text starts, from the centre of its bounding box.
geo::Point IrrTextOrigin(geo::Point centre, int length);

// The frame colour of a colour swatch by its state.
struct ColorButtonState {
    bool selected = false;
    bool pressed = false;
    bool hover = false;
};
Rgb ColorButtonFrame(const ColorButtonState& state);

}  // namespace tarn::skin
