// The look of the skin: background, panels and every kind of control in its three states.
#pragma once

#include <string>

#include "tools/skin_renderer/canvas.h"

namespace skinr {

enum class State { Normal, Over, Down };

namespace palette {
inline constexpr Colour kAccent = Hex(0xE8BE1C);
inline constexpr Colour kAccentDeep = Hex(0xB8860B);
inline constexpr Colour kText = Hex(0xBDBDC8);
inline constexpr Colour kTextDim = Hex(0x7A828C);
inline constexpr Colour kWhite = Hex(0xFFFFFF);
inline constexpr Colour kDark = Hex(0x261D05);
inline constexpr Colour kBorder = Hex(0x2A3038);
}  // namespace palette

// The label of a control in the two skin languages.
struct Label {
    const char* en;
    const char* zh;
    const char* get(bool chinese) const { return chinese ? zh : en; }
};

void Background(cairo_t* cr, int width, int height);
void Panel(cairo_t* cr, const Rect& r);
void Frame(cairo_t* cr, const Rect& r);  // a sunken field or list frame
void PushButton(cairo_t* cr, const Rect& r, State s, const std::string& label, bool chinese,
                double textSize = 12);
void LedToggle(cairo_t* cr, const Rect& r, State s, const std::string& label, bool chinese);
void TextToggle(cairo_t* cr, const Rect& r, State s, const std::string& label, bool chinese);
void CheckBox(cairo_t* cr, const Rect& r, State s);
// The information box's light rounded button (OK, Cancel), as its dialogs share it.
void InfoBoxButton(cairo_t* cr, const Rect& r, State s);
void RadioDot(cairo_t* cr, const Rect& r, State s);
void Title(cairo_t* cr, const Rect& r, State s, const std::string& label, bool chinese);
void Track(cairo_t* cr, const Rect& r);
void Marker(cairo_t* cr, const Rect& r, State s);
void Swatch(cairo_t* cr, const Rect& r, State s, Colour colour);
void QuadTab(cairo_t* cr, const Quad& q, State s, const std::string& label, bool chinese,
             double textSize = 13);

enum class Glyph { Close, Minimize, Plus, Minus, Pencil, Check, Up, Down };
void GlyphButton(cairo_t* cr, const Rect& r, State s, Glyph glyph);
void DrawGlyph(cairo_t* cr, const Rect& r, Glyph glyph, Colour c);

// The brand mark at the top left of the main window and the dialogs.
void Brand(cairo_t* cr, double x, double y, double size);

}  // namespace skinr
