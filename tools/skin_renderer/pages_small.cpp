// Small pictures: language flags (142..153) and icons (PNG 130..141), the popup background
// (PNG 129), the scroll bar skin (166), the program icons (128, 1011, 1012), the game-group menu
// pieces and the icons of the event list.
#include <cmath>

#include "tools/skin_renderer/pages.h"

namespace skinr {

namespace {

using namespace palette;

void Bands(cairo_t* cr, double w, double h, bool vertical, std::initializer_list<unsigned> rgb) {
    const double n = static_cast<double>(rgb.size());
    int i = 0;
    for (unsigned c : rgb) {
        SetColour(cr, Hex(c));
        if (vertical) {
            cairo_rectangle(cr, w * i / n, 0, w / n + 0.5, h);
        } else {
            cairo_rectangle(cr, 0, h * i / n, w, h / n + 0.5);
        }
        cairo_fill(cr);
        ++i;
    }
}

void Star(cairo_t* cr, double cx, double cy, double r) {
    for (int i = 0; i < 10; ++i) {
        const double a = -M_PI / 2 + i * M_PI / 5;
        const double rr = i % 2 ? r * 0.4 : r;
        if (i == 0)
            cairo_move_to(cr, cx + rr * std::cos(a), cy + rr * std::sin(a));
        else
            cairo_line_to(cr, cx + rr * std::cos(a), cy + rr * std::sin(a));
    }
    cairo_close_path(cr);
    cairo_fill(cr);
}

// Language 1..12, in the order of the language table.
void Flag(cairo_t* cr, int language, double w, double h) {
    cairo_save(cr);
    // Opaque throughout, so no edge pixel shows the menu through it.
    SetColour(cr, Hex(0x000000));
    cairo_paint(cr);
    switch (language) {
        case 1:  // Chinese
            SetColour(cr, Hex(0xDE2910));
            cairo_paint(cr);
            SetColour(cr, Hex(0xFFDE00));
            Star(cr, w * 0.18, h * 0.3, h * 0.18);
            Star(cr, w * 0.34, h * 0.12, h * 0.06);
            Star(cr, w * 0.40, h * 0.26, h * 0.06);
            Star(cr, w * 0.40, h * 0.44, h * 0.06);
            Star(cr, w * 0.34, h * 0.56, h * 0.06);
            break;
        case 2: {  // English
            SetColour(cr, Hex(0x012169));
            cairo_paint(cr);
            cairo_set_line_width(cr, h * 0.2);
            SetColour(cr, Hex(0xFFFFFF));
            cairo_move_to(cr, 0, 0);
            cairo_line_to(cr, w, h);
            cairo_move_to(cr, w, 0);
            cairo_line_to(cr, 0, h);
            cairo_stroke(cr);
            cairo_set_line_width(cr, h * 0.08);
            SetColour(cr, Hex(0xC8102E));
            cairo_move_to(cr, 0, 0);
            cairo_line_to(cr, w, h);
            cairo_move_to(cr, w, 0);
            cairo_line_to(cr, 0, h);
            cairo_stroke(cr);
            SetColour(cr, Hex(0xFFFFFF));
            cairo_rectangle(cr, w * 0.42, 0, w * 0.16, h);
            cairo_rectangle(cr, 0, h * 0.36, w, h * 0.28);
            cairo_fill(cr);
            SetColour(cr, Hex(0xC8102E));
            cairo_rectangle(cr, w * 0.45, 0, w * 0.10, h);
            cairo_rectangle(cr, 0, h * 0.41, w, h * 0.18);
            cairo_fill(cr);
            break;
        }
        case 3:
            Bands(cr, w, h, true, {0x0055A4, 0xFFFFFF, 0xEF4135});
            break;
        case 4:  // Korean
            SetColour(cr, Hex(0xFFFFFF));
            cairo_paint(cr);
            cairo_new_sub_path(cr);
            cairo_arc(cr, w / 2, h / 2, h * 0.25, M_PI, 2 * M_PI);
            SetColour(cr, Hex(0xCD2E3A));
            cairo_fill(cr);
            cairo_new_sub_path(cr);
            cairo_arc(cr, w / 2, h / 2, h * 0.25, 0, M_PI);
            SetColour(cr, Hex(0x0047A0));
            cairo_fill(cr);
            SetColour(cr, Hex(0x000000));
            for (int i = 0; i < 4; ++i) {
                const double x = i % 2 ? w * 0.82 : w * 0.1, y = i / 2 ? h * 0.68 : h * 0.14;
                cairo_rectangle(cr, x, y, w * 0.08, h * 0.18);
            }
            cairo_fill(cr);
            break;
        case 5:
            Bands(cr, w, h, false, {0x000000, 0xDD0000, 0xFFCE00});
            break;
        case 6:
            Bands(cr, w, h, true, {0x009246, 0xFFFFFF, 0xCE2B37});
            break;
        case 7:
            Bands(cr, w, h, false, {0xAA151B, 0xF1BF00, 0xF1BF00, 0xAA151B});
            break;
        case 8:
            Bands(cr, w, h, false, {0xAE1C28, 0xFFFFFF, 0x21468B});
            break;
        case 9:
            SetColour(cr, Hex(0xFF0000));
            cairo_paint(cr);
            SetColour(cr, Hex(0x006600));
            cairo_rectangle(cr, 0, 0, w * 0.4, h);
            cairo_fill(cr);
            SetColour(cr, Hex(0xFFCC00));
            cairo_new_sub_path(cr);
            cairo_arc(cr, w * 0.4, h / 2, h * 0.22, 0, 2 * M_PI);
            cairo_fill(cr);
            break;
        case 10:
            Bands(cr, w, h, false, {0xFFFFFF, 0x0039A6, 0xD52B1E});
            break;
        case 11:
            Bands(cr, w, h, false, {0x0057B7, 0xFFD700});
            break;
        default: {  // Traditional Chinese: a badge, as the language is not a country
            SetColour(cr, Hex(0x1A1D22));
            cairo_paint(cr);
            TextStyle t;
            t.size = h * 0.8;
            t.bold = true;
            t.chinese = true;
            t.colour = kAccent;
            DrawText(cr, {0, 0, static_cast<int>(w), static_cast<int>(h)}, "繁", t);
            break;
        }
    }
    // A fine frame keeps light flags apart from a light menu.
    cairo_rectangle(cr, 0.5, 0.5, w - 1, h - 1);
    SetColour(cr, Hex(0x000000, 0.35));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_restore(cr);
}

// The scroll bar skin: 9 columns x 3 rows of 18-pixel cells (normal, hovered, pressed).
void PaintScrollSkin(Canvas& c) {
    cairo_t* cr = c.cr();
    SetColour(cr, Hex(0x0F0F0F));
    cairo_paint(cr);
    const int cell = c.width() / 9;
    for (int row = 0; row < 3; ++row) {
        const Colour fg = row == 0 ? Hex(0x59616B) : (row == 1 ? kAccent : Hex(0xFFE27A));
        for (int col = 0; col < 9; ++col) {
            const Rect r{col * cell, row * cell, col * cell + cell, row * cell + cell};
            const int kind = col < 8 ? col % 4 : 4;
            const bool vertical = col < 4;
            switch (kind) {
                case 0:
                case 1: {
                    FillRect(cr, {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1},
                             row == 2 ? Hex(0x2A2F36) : Hex(0x1A1D22));
                    Glyph g = vertical ? (kind == 0 ? Glyph::Up : Glyph::Down)
                                       : (kind == 0 ? Glyph::Up : Glyph::Down);
                    if (!vertical) {
                        // Left and right arrows: the up/down glyphs turned a quarter.
                        cairo_save(cr);
                        cairo_translate(cr, r.left + cell / 2.0, r.top + cell / 2.0);
                        cairo_rotate(cr, kind == 0 ? -M_PI / 2 : -M_PI / 2);
                        cairo_translate(cr, -(r.left + cell / 2.0), -(r.top + cell / 2.0));
                        DrawGlyph(cr, r, g, fg);
                        cairo_restore(cr);
                    } else {
                        DrawGlyph(cr, r, g, fg);
                    }
                    break;
                }
                case 2:
                    if (vertical)
                        RoundedRect(cr, r.left + 5, r.top, cell - 10, cell, 3);
                    else
                        RoundedRect(cr, r.left, r.top + 5, cell, cell - 10, 3);
                    SetColour(cr, fg);
                    cairo_fill(cr);
                    break;
                case 3:
                    FillRect(cr, r, Hex(0x0A0B0D));
                    if (vertical)
                        FillRect(cr, {r.left + 8, r.top, r.left + 10, r.bottom}, Hex(0x23272D));
                    else
                        FillRect(cr, {r.left, r.top + 8, r.right, r.top + 10}, Hex(0x23272D));
                    break;
                default:
                    FillRect(cr, r, Hex(0x0F0F0F));
                    break;
            }
        }
    }
}

void PaintPopup(Canvas& c) {
    cairo_t* cr = c.cr();
    RoundedRect(cr, 0.5, 0.5, c.width() - 1, c.height() - 1, 10);
    VerticalGradient(cr, 0, c.height(), Hex(0xF4F5F7), Hex(0xDADDE1));
    cairo_fill_preserve(cr);
    SetColour(cr, kAccent);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void AppIcon(Canvas& c, int size) {
    cairo_t* cr = c.cr();
    RoundedRect(cr, 0.5, 0.5, size - 1, size - 1, size * 0.2);
    VerticalGradient(cr, 0, size, Hex(0x2A2F36), Hex(0x0E1013));
    cairo_fill(cr);
    Brand(cr, size * 0.14, size * 0.2, size * 0.6);
}

void ExitIcon(Canvas& c, int size) {
    cairo_t* cr = c.cr();
    const double cx = size / 2.0, r = size * 0.34;
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cx, r, -M_PI / 2 + 0.6, 3 * M_PI / 2 - 0.6);
    cairo_move_to(cr, cx, cx - r - 1);
    cairo_line_to(cr, cx, cx);
    SetColour(cr, Hex(0xD3180F));
    cairo_set_line_width(cr, std::max(1.5, size / 9.0));
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

void ConfigIcon(Canvas& c, int size) {
    cairo_t* cr = c.cr();
    const double cx = size / 2.0;
    for (int i = 0; i < 8; ++i) {
        const double a = i * M_PI / 4;
        cairo_save(cr);
        cairo_translate(cr, cx, cx);
        cairo_rotate(cr, a);
        cairo_rectangle(cr, -size * 0.08, -size * 0.46, size * 0.16, size * 0.2);
        cairo_restore(cr);
    }
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cx, size * 0.32, 0, 2 * M_PI);
    SetColour(cr, Hex(0xB8860B));
    cairo_fill(cr);
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cx, size * 0.13, 0, 2 * M_PI);
    SetColour(cr, Hex(0xFFFFFF));
    cairo_fill(cr);
}

void MenuPiece(Canvas& c, State s, bool sub) {
    cairo_t* cr = c.cr();
    const Rect r{0, 0, c.width(), c.height()};
    switch (s) {
        case State::Normal:
            VerticalGradient(cr, 0, c.height(), Hex(0x1A1D22), Hex(0x121417));
            break;
        case State::Over:
            VerticalGradient(cr, 0, c.height(), Hex(0x30353D), Hex(0x1F2328));
            break;
        case State::Down:
            VerticalGradient(cr, 0, c.height(), Hex(0xF4CD45), Hex(0xB8860B));
            break;
    }
    cairo_paint(cr);
    FillRect(cr, {0, c.height() - 1, c.width(), c.height()}, Hex(0x2A3038));
    if (s != State::Normal) FillRect(cr, {0, 0, 3, c.height()}, kAccent);
    if (sub) {
        cairo_save(cr);
        const Rect a{r.right - 20, 0, r.right - 4, r.bottom};
        cairo_translate(cr, a.left + 8, r.bottom / 2.0);
        cairo_rotate(cr, -M_PI / 2);
        cairo_translate(cr, -(a.left + 8), -(r.bottom / 2.0));
        DrawGlyph(cr, a, Glyph::Down, s == State::Down ? kDark : kText);
        cairo_restore(cr);
    }
}

void ListIcon(Canvas& c, int kind, bool selected) {
    cairo_t* cr = c.cr();
    const Colour colour = selected ? Hex(0xE8BE1C) : Hex(0x6B7380);
    const Rect r{0, 0, c.width(), c.height()};
    if (kind == 2) {  // delay: a small clock
        const double cx = c.width() / 2.0, cy = c.height() / 2.0;
        cairo_new_sub_path(cr);
        cairo_arc(cr, cx, cy, c.width() * 0.4, 0, 2 * M_PI);
        SetColour(cr, colour);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
        cairo_move_to(cr, cx, cy - c.height() * 0.25);
        cairo_line_to(cr, cx, cy);
        cairo_line_to(cr, cx + c.width() * 0.2, cy);
        cairo_stroke(cr);
        return;
    }
    DrawGlyph(cr, r, kind == 0 ? Glyph::Up : Glyph::Down, colour);
    FillRect(cr, {3, kind == 0 ? c.height() - 3 : 1, c.width() - 3, kind == 0 ? c.height() - 1 : 3},
             colour);
}

}  // namespace

void RenderSmallPieces(Output& out) {
    if (!out.resources.empty()) {
        const std::string& res = out.resources;
        for (int lang = 1; lang <= 12; ++lang) {
            const auto flag = tarn::geo::kFlag;
            SaveBmp(out, res + "/bitmap" + std::to_string(141 + lang) + ".bmp", flag.width,
                    flag.height, [&](Canvas& c) { Flag(c.cr(), lang, flag.width, flag.height); });
            const auto icon = tarn::geo::kLanguageIcon;
            SavePng(out, res + "/png" + std::to_string(129 + lang) + ".png", icon.width,
                    icon.height, [&](Canvas& c) { Flag(c.cr(), lang, icon.width, icon.height); });
        }
        SavePng(out, res + "/png129.png", tarn::geo::kPopupBackground.width,
                tarn::geo::kPopupBackground.height, PaintPopup);
        SaveBmp(out, res + "/bitmap166.bmp", tarn::geo::kScrollSkin.width,
                tarn::geo::kScrollSkin.height, PaintScrollSkin);
        out.ok &= SaveIcon(res + "/icon128.ico", {16, 32, 48}, AppIcon);
        out.ok &= SaveIcon(res + "/icon1011.ico", {16, 32}, ExitIcon);
        out.ok &= SaveIcon(res + "/icon1012.ico", {16, 32}, ConfigIcon);
    }
    if (out.skins.empty()) return;
    const std::string menu = out.skins + "/Menu";
    MakeFolder(menu);
    const auto piece = tarn::geo::kMenuPiece;
    const struct {
        const char* name;
        State state;
        bool sub;
    } pieces[] = {
        {"MenuNorL.BMP", State::Normal, false},     {"MenuOverL.BMP", State::Over, false},
        {"MenuDownL.BMP", State::Down, false},      {"MenuNorHaveSub.BMP", State::Normal, true},
        {"MenuOverHaveSub.BMP", State::Over, true}, {"MenuDownHaveSub.BMP", State::Down, true}};
    for (const auto& p : pieces) {
        SaveBmp(out, menu + "/" + p.name, piece.width, piece.height,
                [&](Canvas& c) { MenuPiece(c, p.state, p.sub); });
    }
    const char* kinds[3] = {"up", "down", "delay"};
    const auto icon = tarn::geo::kListIcon;
    for (int k = 0; k < 3; ++k) {
        SavePng(out, out.skins + "/" + kinds[k] + "_normal.png", icon.width, icon.height,
                [&](Canvas& c) { ListIcon(c, k, false); });
        SavePng(out, out.skins + "/" + kinds[k] + "_select.png", icon.width, icon.height,
                [&](Canvas& c) { ListIcon(c, k, true); });
    }
}

}  // namespace skinr
