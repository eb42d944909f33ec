// The "Programs" dialog (bitmap resources 1020..1022) and the tray menu's icon for it (1013),
// in the information box's look: a dark frame, a light card for the list, light buttons.
#include <algorithm>
#include <cmath>

#include "skin/links_dialog_geometry.h"
#include "tools/skin_renderer/pages.h"

namespace skinr {

namespace {

namespace ld = tarn::geo::links_dialog;
using namespace palette;

void PaintLinks(Canvas& c, State s) {
    cairo_t* cr = c.cr();
    VerticalGradient(cr, 0, c.height(), Hex(0x1B1F24), Hex(0x0D0F12));
    cairo_paint(cr);
    cairo_rectangle(cr, 0.5, 0.5, c.width() - 1, c.height() - 1);
    SetColour(cr, Hex(0x3A414A));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    SetColour(cr, kAccent);
    cairo_rectangle(cr, 1, 1, c.width() - 2, 2);
    cairo_fill(cr);
    Brand(cr, ld::kClose.left - 30, 9, 14);
    if (s != State::Normal) {
        FillRect(cr, ld::kClose, s == State::Over ? Hex(0xE8BE1C, 0.25) : Hex(0xD3180F, 0.8));
    }
    DrawGlyph(cr, ld::kClose, Glyph::Close, s == State::Normal ? kText : kWhite);

    // The card the list is drawn on, with a sunken edge.
    const Rect& card = ld::kCard;
    RoundedRect(cr, card.left + 0.5, card.top + 0.5, card.width() - 1, card.height() - 1, 4);
    VerticalGradient(cr, card.top, card.bottom, Hex(0xF2F4F6), Hex(0xDDE1E5));
    cairo_fill_preserve(cr);
    SetColour(cr, Hex(0x8A939C));
    cairo_stroke(cr);
    SetColour(cr, Hex(0xFFFFFF, 0.6));
    cairo_rectangle(cr, card.left + 4, card.top + 1, card.width() - 8, 1);
    cairo_fill(cr);

    // A hair line between the status text and the buttons.
    SetColour(cr, Hex(0x2A3038));
    cairo_rectangle(cr, 12, ld::kAdd.top - 3, c.width() - 24, 1);
    cairo_fill(cr);
    for (const Rect* r : {&ld::kAdd, &ld::kPick, &ld::kRemove, &ld::kCloseButton}) {
        InfoBoxButton(cr, *r, s);
    }
}

// A window with a bright title bar and an arrow pointing into it: the program in front.
void ProgramsIcon(Canvas& c, int size) {
    cairo_t* cr = c.cr();
    const double u = size / 16.0;
    RoundedRect(cr, 1.5 * u, 2.5 * u, 13 * u, 11 * u, 1.5 * u);
    SetColour(cr, Hex(0xFFFFFF));
    cairo_fill_preserve(cr);
    SetColour(cr, Hex(0x5A626C));
    cairo_set_line_width(cr, std::max(1.0, u));
    cairo_stroke(cr);
    cairo_rectangle(cr, 2 * u, 3 * u, 12 * u, 3 * u);
    VerticalGradient(cr, 3 * u, 6 * u, Hex(0xF4CD45), Hex(0xB8860B));
    cairo_fill(cr);
    cairo_move_to(cr, 5 * u, 12 * u);
    cairo_line_to(cr, 10 * u, 8.5 * u);
    cairo_move_to(cr, 7 * u, 8.3 * u);
    cairo_line_to(cr, 10.2 * u, 8.3 * u);
    cairo_line_to(cr, 10.2 * u, 11 * u);
    SetColour(cr, Hex(0xB8860B));
    cairo_set_line_width(cr, std::max(1.5, 1.6 * u));
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

}  // namespace

void RenderLinksDialog(Output& out) {
    if (out.resources.empty()) return;
    const struct {
        int id;
        State state;
    } pictures[] = {{ld::kNormalPicture, State::Normal},
                    {ld::kOverPicture, State::Over},
                    {ld::kDownPicture, State::Down}};
    for (const auto& picture : pictures) {
        SaveBmp(out, out.resources + "/bitmap" + std::to_string(picture.id) + ".bmp",
                ld::kSize.width, ld::kSize.height,
                [&](Canvas& c) { PaintLinks(c, picture.state); });
    }
    out.ok &= SaveIcon(out.resources + "/icon1013.ico", {16, 32}, ProgramsIcon);
}

}  // namespace skinr
