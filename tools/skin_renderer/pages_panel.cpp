// The assignment panel (setting\Setting_*.bmp) and its four sub-pages (combo, base, macro,
// advanced).
#include "tools/skin_renderer/pages.h"

namespace skinr {

namespace {

namespace pn = tarn::geo::panel;
namespace sp = tarn::geo::sub_page;

void PaintPanel(Canvas& c, State s) {
    cairo_t* cr = c.cr();
    Background(cr, c.width(), c.height());
    cairo_rectangle(cr, 0.5, 0.5, c.width() - 1, c.height() - 1);
    SetColour(cr, Hex(0x3A414A));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    FillRect(cr, {1, 1, c.width() - 1, 25}, Hex(0x1D2127));
    FillRect(cr, {1, 1, c.width() - 1, 3}, palette::kAccent);
    Brand(cr, 8, 5, 12);
    GlyphButton(cr, pn::kClose, s, Glyph::Close);
    // The tab strip: captions come from the program.
    FillRect(cr, {0, 36, c.width(), 65}, Hex(0x0C0E11));
    for (const Rect& tab : pn::kTabs) PushButton(cr, tab, s, "", false);
    Frame(cr, {pn::kSubPage.left - 2, pn::kSubPage.top - 2, pn::kSubPage.right + 2,
               pn::kSubPage.bottom + 2});
    CheckBox(cr, pn::kDisable, s);
    PushButton(cr, pn::kDefault, s, "", false);
    PushButton(cr, pn::kOk, s, "", false);
}

void SubBackground(Canvas& c) {
    SetColour(c.cr(), Hex(0x0F0F0F));
    cairo_paint(c.cr());
}

void PaintCombo(Canvas& c, State s, bool zh) {
    cairo_t* cr = c.cr();
    SubBackground(c);
    const char* names[4] = {"Ctrl", "Alt", "Shift", "Win"};
    for (int i = 0; i < 4; ++i) {
        const Rect& box = sp::kModifiers[i];
        CheckBox(cr, box, s);
        TextStyle t;
        t.size = 12;
        t.bold = true;
        t.align = Align::Left;
        t.colour = palette::kText;
        DrawText(cr, {box.right + 8, box.top - 2, box.right + 80, box.bottom + 2}, names[i], t);
    }
    TextStyle hint;
    hint.size = 11;
    hint.chinese = zh;
    hint.align = Align::Left;
    hint.colour = palette::kTextDim;
    DrawText(cr, {sp::kComboKey.left, 52, sp::kComboKey.right, 72},
             zh ? "按下要组合的按键" : "Press the key of the combination", hint);
    Frame(cr, {sp::kComboKey.left - 4, sp::kComboKey.top, sp::kComboKey.right + 4,
               sp::kComboKey.bottom});
    TextStyle plus = hint;
    plus.size = 16;
    plus.bold = true;
    plus.colour = palette::kAccentDeep;
    plus.align = Align::Centre;
    DrawText(cr, {130, 77, 160, 100}, "+", plus);
}

void PaintAdvanced(Canvas& c, State s) {
    cairo_t* cr = c.cr();
    SubBackground(c);
    for (int k = 0; k < 4; ++k) {
        RadioDot(cr, sp::kActionChoices[k], s);
        Frame(cr, sp::kActionPaths[k]);
        if (s == State::Down) {
            const Rect& p = sp::kActionPaths[k];
            cairo_rectangle(cr, p.left + 0.5, p.top + 0.5, p.width() - 1, p.height() - 1);
            SetColour(cr, palette::kAccent);
            cairo_set_line_width(cr, 1);
            cairo_stroke(cr);
        }
        PushButton(cr, sp::kActionBrowse[k], s, "", false);
    }
}

}  // namespace

void RenderPanel(Output& out) {
    if (out.skins.empty()) return;
    const bool zh = out.chinese;
    SaveThree(out, "setting", pn::kSize.width, pn::kSize.height, "Setting_Normal.bmp",
              "Setting_Down.bmp", "Setting_Over.bmp", PaintPanel);
    const int w = sp::kSize.width, h = sp::kSize.height;
    SaveThree(out, "combo", w, h, "Combo_Normal.bmp", "Combo_Down.bmp", "Combo_Over.bmp",
              [&](Canvas& c, State s) { PaintCombo(c, s, zh); });
    SaveThree(out, "base", w, h, "Base_Normal.bmp", "Base_Down.bmp", "Base_Over.bmp",
              [](Canvas& c, State) { SubBackground(c); });
    SaveThree(out, "macro", w, h, "Macro_Normal.bmp", "Macro_Down.bmp", "Macro_Over.bmp",
              [](Canvas& c, State) { SubBackground(c); });
    SaveThree(out, "advanced", w, h, "Advanced_Normal.bmp", "Advanced_Down.bmp",
              "Advanced_Over.bmp", PaintAdvanced);
}

}  // namespace skinr
