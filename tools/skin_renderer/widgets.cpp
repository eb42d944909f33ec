#include "tools/skin_renderer/widgets.h"

#include <cmath>

namespace skinr {

using namespace palette;

namespace {

void Stroke(cairo_t* cr, Colour c, double width) {
    SetColour(cr, c);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

// Outer glow of the hovered and pressed looks.
void Glow(cairo_t* cr, double x, double y, double w, double h, double radius, Colour c) {
    for (int i = 3; i >= 1; --i) {
        RoundedRect(cr, x - i, y - i, w + 2 * i, h + 2 * i, radius + i);
        Colour g = c;
        g.a = 0.10;
        SetColour(cr, g);
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
    }
}

}  // namespace

void Background(cairo_t* cr, int width, int height) {
    VerticalGradient(cr, 0, height, Hex(0x16191E), Hex(0x0A0C0F));
    cairo_paint(cr);
    // A fine diagonal weave, the carbon look of the mouse shell.
    cairo_save(cr);
    cairo_set_line_width(cr, 1);
    for (int d = -height; d < width; d += 4) {
        cairo_move_to(cr, d + 0.5, 0);
        cairo_line_to(cr, d + height + 0.5, height);
    }
    SetColour(cr, Hex(0xFFFFFF, 0.018));
    cairo_stroke(cr);
    cairo_restore(cr);
    // Vignette.
    cairo_pattern_t* v = cairo_pattern_create_radial(width / 2.0, height / 2.0, height * 0.2,
                                                     width / 2.0, height / 2.0, width * 0.75);
    cairo_pattern_add_color_stop_rgba(v, 0, 0, 0, 0, 0);
    cairo_pattern_add_color_stop_rgba(v, 1, 0, 0, 0, 0.45);
    cairo_set_source(cr, v);
    cairo_paint(cr);
    cairo_pattern_destroy(v);
}

void Panel(cairo_t* cr, const Rect& r) {
    RoundedRect(cr, r.left + 0.5, r.top + 0.5, r.width() - 1, r.height() - 1, 6);
    VerticalGradient(cr, r.top, r.bottom, Hex(0x171B20, 0.92), Hex(0x0F1215, 0.92));
    cairo_fill_preserve(cr);
    Stroke(cr, kBorder, 1);
    // The amber notch at the top left and a thin highlight along the top edge.
    SetColour(cr, kAccent);
    cairo_rectangle(cr, r.left + 8, r.top, 36, 2);
    cairo_fill(cr);
    SetColour(cr, Hex(0xFFFFFF, 0.05));
    cairo_rectangle(cr, r.left + 48, r.top + 1, r.width() - 60, 1);
    cairo_fill(cr);
}

void Frame(cairo_t* cr, const Rect& r) {
    cairo_rectangle(cr, r.left + 0.5, r.top + 0.5, r.width() - 1, r.height() - 1);
    SetColour(cr, Hex(0x07090B));
    cairo_fill_preserve(cr);
    Stroke(cr, Hex(0x2C323A), 1);
    SetColour(cr, Hex(0x000000, 0.6));
    cairo_rectangle(cr, r.left + 1, r.top + 1, r.width() - 2, 1);
    cairo_fill(cr);
}

void PushButton(cairo_t* cr, const Rect& r, State s, const std::string& label, bool chinese,
                double textSize) {
    const double x = r.left + 1.5, y = r.top + 1.5, w = r.width() - 3, h = r.height() - 3;
    const double radius = std::min(5.0, h / 3);
    if (s != State::Normal) Glow(cr, x, y, w, h, radius, kAccent);
    RoundedRect(cr, x, y, w, h, radius);
    switch (s) {
        case State::Normal:
            VerticalGradient(cr, y, y + h, Hex(0x2C3139), Hex(0x1A1D22));
            break;
        case State::Over:
            VerticalGradient(cr, y, y + h, Hex(0x3C424B), Hex(0x23272D));
            break;
        case State::Down:
            VerticalGradient(cr, y, y + h, Hex(0xF4CD45), Hex(0xC4960F));
            break;
    }
    cairo_fill_preserve(cr);
    Stroke(cr, s == State::Normal ? Hex(0x3A414A) : (s == State::Over ? kAccent : Hex(0xFFE27A)),
           1);
    // Top highlight.
    RoundedRect(cr, x + 1, y + 1, w - 2, h / 2, radius);
    SetColour(cr, Hex(0xFFFFFF, s == State::Down ? 0.18 : 0.05));
    cairo_fill(cr);
    if (label.empty()) return;
    TextStyle t;
    t.size = std::min(textSize, h * 0.62);
    t.bold = true;
    t.chinese = chinese;
    t.colour = s == State::Normal ? kText : (s == State::Over ? kWhite : kDark);
    Rect tr{r.left + 2, r.top, r.right - 2, r.bottom};
    if (s == State::Down) tr = {tr.left + 1, tr.top + 1, tr.right + 1, tr.bottom + 1};
    DrawText(cr, tr, label, t);
}

void LedToggle(cairo_t* cr, const Rect& r, State s, const std::string& label, bool chinese) {
    const double d = std::min(8.0, r.height() - 4.0);
    const double cx = r.left + d / 2 + 2, cy = r.top + r.height() / 2.0;
    if (s == State::Down) {
        cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy, 0, cx, cy, d * 1.4);
        cairo_pattern_add_color_stop_rgba(g, 0, kAccent.r, kAccent.g, kAccent.b, 0.55);
        cairo_pattern_add_color_stop_rgba(g, 1, kAccent.r, kAccent.g, kAccent.b, 0);
        cairo_set_source(cr, g);
        cairo_new_sub_path(cr);
        cairo_arc(cr, cx, cy, d * 1.4, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    }
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, d / 2, 0, 2 * M_PI);
    SetColour(
        cr, s == State::Down ? Hex(0xFFD84A) : (s == State::Over ? Hex(0x6B5A1E) : Hex(0x30353C)));
    cairo_fill_preserve(cr);
    Stroke(cr, s == State::Normal ? Hex(0x4A515B) : kAccent, 1);
    TextStyle t;
    t.size = std::min(12.0, r.height() * 0.85);
    t.chinese = chinese;
    t.bold = s == State::Down;
    t.align = Align::Left;
    t.colour = s == State::Normal ? kText : (s == State::Over ? kWhite : kAccent);
    DrawText(cr, {static_cast<int>(r.left + d + 7), r.top, r.right, r.bottom}, label, t);
}

void TextToggle(cairo_t* cr, const Rect& r, State s, const std::string& label, bool chinese) {
    if (s != State::Normal) {
        RoundedRect(cr, r.left + 0.5, r.top + 0.5, r.width() - 1, r.height() - 1, 3);
        SetColour(cr, s == State::Down ? Hex(0xE8BE1C, 0.22) : Hex(0xFFFFFF, 0.06));
        cairo_fill_preserve(cr);
        Stroke(cr, s == State::Down ? kAccent : Hex(0x59616B), 1);
    } else {
        RoundedRect(cr, r.left + 0.5, r.top + 0.5, r.width() - 1, r.height() - 1, 3);
        Stroke(cr, Hex(0x2E343C), 1);
    }
    TextStyle t;
    t.size = std::min(12.0, r.height() * 0.8);
    t.bold = true;
    t.chinese = chinese;
    t.colour = s == State::Normal ? kTextDim : (s == State::Over ? kWhite : kAccent);
    DrawText(cr, r, label, t);
}

void InfoBoxButton(cairo_t* cr, const Rect& r, State s) {
    const double x = r.left + 2.5, y = r.top + 3.5, w = r.width() - 5, h = r.height() - 8;
    RoundedRect(cr, x, y, w, h, 4);
    switch (s) {
        case State::Normal:
            VerticalGradient(cr, y, y + h, Hex(0xEEF0F2), Hex(0xC9CED3));
            break;
        case State::Over:
            VerticalGradient(cr, y, y + h, Hex(0xF4CD45), Hex(0xC4960F));
            break;
        case State::Down:
            VerticalGradient(cr, y, y + h, Hex(0xA87A08), Hex(0x7A5804));
            break;
    }
    cairo_fill_preserve(cr);
    SetColour(cr, s == State::Normal ? Hex(0x8A939C) : Hex(0xFFE27A));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void CheckBox(cairo_t* cr, const Rect& r, State s) {
    const double side = std::min(r.width(), r.height()) - 1;
    const double x = r.left + (r.width() - side) / 2, y = r.top + (r.height() - side) / 2;
    cairo_rectangle(cr, x + 0.5, y + 0.5, side - 1, side - 1);
    SetColour(cr, s == State::Down ? kAccent : Hex(0x0C0E11));
    cairo_fill_preserve(cr);
    Stroke(cr, s == State::Normal ? Hex(0x4A515B) : kAccent, 1);
    if (s == State::Down) {
        cairo_move_to(cr, x + side * 0.22, y + side * 0.52);
        cairo_line_to(cr, x + side * 0.42, y + side * 0.72);
        cairo_line_to(cr, x + side * 0.78, y + side * 0.28);
        Stroke(cr, kDark, std::max(1.5, side / 7));
    }
}

void RadioDot(cairo_t* cr, const Rect& r, State s) {
    const double radius = (std::min(r.width(), r.height()) - 2) / 2.0;
    const double cx = r.left + r.width() / 2.0, cy = r.top + r.height() / 2.0;
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
    SetColour(cr, Hex(0x0C0E11));
    cairo_fill_preserve(cr);
    Stroke(cr, s == State::Normal ? Hex(0x4A515B) : kAccent, 1.2);
    if (s != State::Normal) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, cx, cy, radius * 0.5, 0, 2 * M_PI);
        SetColour(cr, s == State::Down ? kAccent : Hex(0xE8BE1C, 0.35));
        cairo_fill(cr);
    }
}

void Title(cairo_t* cr, const Rect& r, State s, const std::string& label, bool chinese) {
    SetColour(cr, s == State::Normal ? kAccentDeep : kAccent);
    cairo_rectangle(cr, r.left + 2, r.top + r.height() * 0.2, 3, r.height() * 0.6);
    cairo_fill(cr);
    TextStyle t;
    t.size = std::min(14.0, r.height() * 0.62);
    t.bold = true;
    t.chinese = chinese;
    t.align = Align::Left;
    t.letterSpacing = chinese ? 1 : 0.5;
    t.colour = s == State::Normal ? Hex(0xD8DAE0) : kWhite;
    if (s != State::Normal) t.glow = 2;
    DrawText(cr, {r.left + 10, r.top, r.right, r.bottom}, label, t);
}

void Track(cairo_t* cr, const Rect& r) {
    const double h = std::max(3.0, std::min(5.0, r.height() / 2.5));
    const double y = r.top + (r.height() - h) / 2.0;
    RoundedRect(cr, r.left + 2, y, r.width() - 4, h, h / 2);
    SetColour(cr, Hex(0x05070A));
    cairo_fill_preserve(cr);
    Stroke(cr, Hex(0x333A43), 1);
    // Ticks below the groove give the scale.
    for (int i = 0; i <= 10; ++i) {
        const double x = r.left + 4 + (r.width() - 8) * i / 10.0;
        SetColour(cr, Hex(0xFFFFFF, 0.08));
        cairo_rectangle(cr, std::round(x), y + h + 1, 1, 1);
        cairo_fill(cr);
    }
}

void Marker(cairo_t* cr, const Rect& r, State s) {
    const double cx = r.left + r.width() / 2.0, cy = r.top + r.height() / 2.0;
    const double radius = std::min(r.width(), r.height()) / 2.0 - 2;
    if (s == State::Down) {
        cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy, 0, cx, cy, radius + 2);
        cairo_pattern_add_color_stop_rgba(g, 0, kAccent.r, kAccent.g, kAccent.b, 0.85);
        cairo_pattern_add_color_stop_rgba(g, 1, kAccent.r, kAccent.g, kAccent.b, 0);
        cairo_set_source(cr, g);
        cairo_new_sub_path(cr);
        cairo_arc(cr, cx, cy, radius + 2, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    }
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, radius * 0.45, 0, 2 * M_PI);
    // Hovered: a lit ring around a dark core; pressed: the whole marker glows.
    SetColour(cr, s == State::Normal ? Hex(0x59616B) : (s == State::Over ? Hex(0x15181C) : kWhite));
    cairo_fill(cr);
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
    Stroke(cr, s == State::Normal ? Hex(0x3A414A) : Hex(0xFFE27A), 1);
}

void Swatch(cairo_t* cr, const Rect& r, State s, Colour colour) {
    RoundedRect(cr, r.left + 2.5, r.top + 2.5, r.width() - 5, r.height() - 5, 3);
    SetColour(cr, colour);
    cairo_fill_preserve(cr);
    Stroke(cr, Hex(0x000000, 0.6), 1);
    RoundedRect(cr, r.left + 3, r.top + 3, r.width() - 6, (r.height() - 6) / 2.0, 3);
    SetColour(cr, Hex(0xFFFFFF, 0.12));
    cairo_fill(cr);
    if (s == State::Normal) return;
    RoundedRect(cr, r.left + 0.5, r.top + 0.5, r.width() - 1, r.height() - 1, 4);
    Stroke(cr, s == State::Down ? kAccent : Hex(0xFFFFFF, 0.7), s == State::Down ? 2 : 1);
    if (s == State::Down) {
        const double cx = r.left + r.width() / 2.0, cy = r.top + r.height() / 2.0;
        cairo_move_to(cr, cx - 5, cy);
        cairo_line_to(cr, cx - 1.5, cy + 4);
        cairo_line_to(cr, cx + 5, cy - 4);
        Stroke(cr, kWhite, 2);
    }
}

void QuadTab(cairo_t* cr, const Quad& q, State s, const std::string& label, bool chinese,
             double textSize) {
    const Rect box = tarn::geo::BoundingBox(q);
    QuadPath(cr, q);
    switch (s) {
        case State::Normal:
            VerticalGradient(cr, box.top, box.bottom, Hex(0x252A31), Hex(0x15181C));
            break;
        case State::Over:
            VerticalGradient(cr, box.top, box.bottom, Hex(0x3A4049), Hex(0x20242A));
            break;
        case State::Down:
            VerticalGradient(cr, box.top, box.bottom, Hex(0xF4CD45), Hex(0xB8860B));
            break;
    }
    cairo_fill_preserve(cr);
    Stroke(cr, s == State::Normal ? Hex(0x363C45) : (s == State::Over ? kAccent : Hex(0xFFE27A)),
           1);
    // The lit edge along the top.
    cairo_move_to(cr, q[0].x + 2, q[0].y + 1.5);
    cairo_line_to(cr, q[1].x - 2, q[1].y + 1.5);
    Stroke(cr, s == State::Normal ? Hex(0xFFFFFF, 0.06) : Hex(0xFFFFFF, 0.35), 1);
    TextStyle t;
    t.size = textSize;
    t.bold = true;
    t.chinese = chinese;
    t.letterSpacing = chinese ? 2 : 0.5;
    t.colour = s == State::Normal ? kText : (s == State::Over ? kWhite : kDark);
    // The text sits over the part of the outline both edges share.
    const int inset = std::max(std::abs(q[3].x - q[0].x), std::abs(q[2].x - q[1].x));
    DrawText(cr, {box.left + inset / 2 + 2, box.top, box.right - inset / 2 - 2, box.bottom}, label,
             t);
}

void DrawGlyph(cairo_t* cr, const Rect& r, Glyph glyph, Colour c) {
    const double cx = r.left + r.width() / 2.0, cy = r.top + r.height() / 2.0;
    const double k = std::min(r.width(), r.height()) * 0.22;
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    switch (glyph) {
        case Glyph::Close:
            cairo_move_to(cr, cx - k, cy - k);
            cairo_line_to(cr, cx + k, cy + k);
            cairo_move_to(cr, cx + k, cy - k);
            cairo_line_to(cr, cx - k, cy + k);
            break;
        case Glyph::Minimize:
            cairo_move_to(cr, cx - k, cy + k * 0.6);
            cairo_line_to(cr, cx + k, cy + k * 0.6);
            break;
        case Glyph::Plus:
            cairo_move_to(cr, cx - k, cy);
            cairo_line_to(cr, cx + k, cy);
            cairo_move_to(cr, cx, cy - k);
            cairo_line_to(cr, cx, cy + k);
            break;
        case Glyph::Minus:
            cairo_move_to(cr, cx - k, cy);
            cairo_line_to(cr, cx + k, cy);
            break;
        case Glyph::Pencil:
            cairo_move_to(cr, cx - k, cy + k);
            cairo_line_to(cr, cx - k, cy + k * 0.4);
            cairo_line_to(cr, cx + k * 0.6, cy - k);
            cairo_line_to(cr, cx + k, cy - k * 0.6);
            cairo_line_to(cr, cx - k * 0.4, cy + k);
            cairo_close_path(cr);
            break;
        case Glyph::Check:
            cairo_move_to(cr, cx - k, cy);
            cairo_line_to(cr, cx - k * 0.3, cy + k * 0.7);
            cairo_line_to(cr, cx + k, cy - k * 0.7);
            break;
        case Glyph::Up:
            cairo_move_to(cr, cx - k, cy + k * 0.5);
            cairo_line_to(cr, cx, cy - k * 0.5);
            cairo_line_to(cr, cx + k, cy + k * 0.5);
            break;
        case Glyph::Down:
            cairo_move_to(cr, cx - k, cy - k * 0.5);
            cairo_line_to(cr, cx, cy + k * 0.5);
            cairo_line_to(cr, cx + k, cy - k * 0.5);
            break;
    }
    SetColour(cr, c);
    cairo_set_line_width(cr, std::max(1.5, k / 2.5));
    cairo_stroke(cr);
    cairo_restore(cr);
}

void GlyphButton(cairo_t* cr, const Rect& r, State s, Glyph glyph) {
    PushButton(cr, r, s, "", false);
    DrawGlyph(cr, r, glyph, s == State::Normal ? kText : (s == State::Over ? kWhite : kDark));
}

void Brand(cairo_t* cr, double x, double y, double size) {
    // A stylised claw: three slanted amber strokes.
    cairo_save(cr);
    for (int i = 0; i < 3; ++i) {
        const double ox = x + i * size * 0.32;
        cairo_move_to(cr, ox, y + size);
        cairo_line_to(cr, ox + size * 0.18, y + size);
        cairo_line_to(cr, ox + size * 0.42, y);
        cairo_line_to(cr, ox + size * 0.24, y);
        cairo_close_path(cr);
    }
    VerticalGradient(cr, y, y + size, Hex(0xFFE27A), Hex(0xC4960F));
    cairo_fill(cr);
    cairo_restore(cr);
}

}  // namespace skinr
