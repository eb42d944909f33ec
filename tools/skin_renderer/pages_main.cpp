// The main window (skins Main_*.bmp and the tab resources 154..159), the information box
// (1004..1009), the progress window and the slider thumb.
#include <cmath>

#include "tools/skin_renderer/pages.h"

namespace skinr {

namespace {

namespace mw = tarn::geo::main_window;
using namespace palette;

const Label kTabLabels[5] = {{"BUTTONS", "按键设置"},
                             {"LIGHTING", "灯光效果"},
                             {"MACROS", "宏管理"},
                             {"STATISTICS", "统计"},
                             {"SUPPORT", "支持"}};
const Label kProfileLabels[5] = {{"Profile 1", "配置 1"},
                                 {"Profile 2", "配置 2"},
                                 {"Profile 3", "配置 3"},
                                 {"Profile 4", "配置 4"},
                                 {"Profile 5", "配置 5"}};
const Label kOk{"APPLY", "应用"};
const Label kLanguage{"LANG", "语言"};

void PaintMain(Canvas& c, State s, bool zh) {
    cairo_t* cr = c.cr();
    Background(cr, c.width(), c.height());
    // Outer frame and the header band.
    cairo_rectangle(cr, 0.5, 0.5, c.width() - 1, c.height() - 1);
    SetColour(cr, Hex(0x2E343C));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    VerticalGradient(cr, 0, 72, Hex(0x1D2127), Hex(0x111317, 0.0));
    cairo_rectangle(cr, 1, 1, c.width() - 2, 72);
    cairo_fill(cr);
    Brand(cr, 24, 22, 30);
    TextStyle brand;
    brand.size = 26;
    brand.bold = true;
    brand.align = Align::Left;
    brand.colour = Hex(0xF2F2F5);
    brand.letterSpacing = 4;
    DrawText(cr, {72, 16, 360, 48}, "NIREL TARN", brand);
    TextStyle sub = brand;
    sub.size = 10;
    sub.bold = false;
    sub.letterSpacing = 3;
    sub.colour = kAccent;
    sub.chinese = zh;
    DrawText(cr, {74, 48, 420, 62}, zh ? "游戏鼠标驱动程序" : "GAMING MOUSE CONTROL CENTER", sub);
    // A thin amber rule under the header, broken by the tabs.
    SetColour(cr, Hex(0xE8BE1C, 0.5));
    cairo_rectangle(cr, 15, 123, 925, 1);
    cairo_fill(cr);

    GlyphButton(cr, mw::kMinimize, s, Glyph::Minimize);
    GlyphButton(cr, mw::kHide, s, Glyph::Close);
    for (int i = 0; i < 5; ++i) QuadTab(cr, mw::kTabs[i], s, kTabLabels[i].get(zh), zh, 14);

    // The page area; the pages cover it.
    Panel(cr, {15, 128, 940, 580});

    // The bottom bar: language, hint line, profiles and the apply button.
    FillRect(cr, {1, 584, c.width() - 1, c.height() - 1}, Hex(0x0C0E11, 0.8));
    SetColour(cr, Hex(0x2A3038));
    cairo_rectangle(cr, 1, 584, c.width() - 2, 1);
    cairo_fill(cr);
    Frame(cr, {mw::kLanguageIndicator.left - 1, mw::kLanguageIndicator.top - 1,
               mw::kLanguageIndicator.right + 1, mw::kLanguageIndicator.bottom + 1});
    PushButton(cr, mw::kLanguageButton, s, kLanguage.get(zh), zh, 10);
    Frame(cr, mw::kHintLine);
    for (int i = 0; i < 5; ++i) QuadTab(cr, mw::kProfiles[i], s, kProfileLabels[i].get(zh), zh, 12);
    QuadTab(cr, mw::kOk, s, kOk.get(zh), zh, 16);
}

// The information box: a dark frame, a light card for the message and the buttons below.
void PaintInfo(Canvas& c, State s, bool withCancel) {
    namespace ib = tarn::geo::info_box;
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
    Brand(cr, ib::kTitle.right - 2, 9, 14);
    // The close button in the header.
    if (s != State::Normal) {
        FillRect(cr, ib::kClose, s == State::Over ? Hex(0xE8BE1C, 0.25) : Hex(0xD3180F, 0.8));
    }
    DrawGlyph(cr, ib::kClose, Glyph::Close, s == State::Normal ? kText : kWhite);
    // The card.
    RoundedRect(cr, 10.5, 36.5, c.width() - 21, 84, 4);
    VerticalGradient(cr, 36, 120, Hex(0xE6E9EC), Hex(0xCDD2D7));
    cairo_fill_preserve(cr);
    SetColour(cr, Hex(0x8A939C));
    cairo_stroke(cr);
    // The information sign.
    const double cx = 54, cy = 82;
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, 19, 0, 2 * M_PI);
    VerticalGradient(cr, cy - 19, cy + 19, Hex(0xF4CD45), Hex(0xB8860B));
    cairo_fill(cr);
    TextStyle sign;
    sign.size = 24;
    sign.bold = true;
    sign.colour = kWhite;
    DrawText(cr, {35, 63, 73, 101}, "i", sign);

    if (withCancel) {
        InfoBoxButton(cr, ib::kOkWithCancel, s);
        InfoBoxButton(cr, ib::kCancel, s);
    } else {
        InfoBoxButton(cr, ib::kOkAlone, s);
    }
}

void PaintProgress(Canvas& c, bool filled) {
    namespace pw = tarn::geo::progress_window;
    cairo_t* cr = c.cr();
    RoundedRect(cr, 0.5, 0.5, c.width() - 1, c.height() - 1, 8);
    VerticalGradient(cr, 0, c.height(), Hex(0x1D2127), Hex(0x0D0F12));
    cairo_fill_preserve(cr);
    SetColour(cr, Hex(0x3A414A));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    SetColour(cr, kAccent);
    cairo_rectangle(cr, 12, 1, 40, 2);
    cairo_fill(cr);
    const Rect& b = pw::kBar;
    RoundedRect(cr, b.left - 0.5, b.top - 0.5, b.width() + 1, b.height() + 1, 3);
    SetColour(cr, Hex(0x05070A));
    cairo_fill_preserve(cr);
    SetColour(cr, Hex(0x333A43));
    cairo_stroke(cr);
    if (filled) {
        RoundedRect(cr, b.left + 1, b.top + 1, b.width() - 2, b.height() - 2, 2);
        cairo_pattern_t* g = cairo_pattern_create_linear(b.left, 0, b.right, 0);
        cairo_pattern_add_color_stop_rgb(g, 0, 0.72, 0.53, 0.04);
        cairo_pattern_add_color_stop_rgb(g, 1, 1.0, 0.85, 0.30);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
        SetColour(cr, Hex(0xFFFFFF, 0.3));
        cairo_rectangle(cr, b.left + 2, b.top + 2, b.width() - 4, 1);
        cairo_fill(cr);
    }
}

void PaintThumb(Canvas& c) {
    cairo_t* cr = c.cr();
    const double r = c.width() / 2.0;
    cairo_new_sub_path(cr);
    cairo_arc(cr, r, r, r - 0.5, 0, 2 * M_PI);
    VerticalGradient(cr, 0, c.height(), Hex(0xFFE27A), Hex(0xB8860B));
    cairo_fill_preserve(cr);
    SetColour(cr, Hex(0x261D05));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_new_sub_path(cr);
    cairo_arc(cr, r, r, r * 0.35, 0, 2 * M_PI);
    SetColour(cr, Hex(0x261D05, 0.8));
    cairo_fill(cr);
}

}  // namespace

void RenderMainWindow(Output& out) {
    const auto size = mw::kSize;
    if (!out.skins.empty()) {
        SaveThree(out, "", size.width, size.height, "Main_Normal.bmp", "Main_Down.bmp",
                  "Main_Over.bmp", [&](Canvas& c, State s) { PaintMain(c, s, out.chinese); });
    }
    if (out.resources.empty()) return;
    // 154..156 Chinese and 157..159 English: normal, over, down.
    const State states[3] = {State::Normal, State::Over, State::Down};
    for (int lang = 0; lang < 2; ++lang) {
        for (int i = 0; i < 3; ++i) {
            const int id = 154 + lang * 3 + i;
            SaveBmp(out, out.resources + "/bitmap" + std::to_string(id) + ".bmp", size.width,
                    size.height, [&](Canvas& c) { PaintMain(c, states[i], lang == 0); });
        }
    }
}

void RenderDialogs(Output& out) {
    if (!out.resources.empty()) {
        namespace ib = tarn::geo::info_box;
        const struct {
            int id;
            State state;
            bool withCancel;
        } boxes[] = {
            {ib::kWithCancelDown, State::Down, true},     {ib::kOkOnlyDown, State::Down, false},
            {ib::kWithCancelNormal, State::Normal, true}, {ib::kOkOnlyNormal, State::Normal, false},
            {ib::kWithCancelOver, State::Over, true},     {ib::kOkOnlyOver, State::Over, false}};
        for (const auto& box : boxes) {
            SaveBmp(out, out.resources + "/bitmap" + std::to_string(box.id) + ".bmp",
                    ib::kSize.width, ib::kSize.height,
                    [&](Canvas& c) { PaintInfo(c, box.state, box.withCancel); });
        }
    }
    if (out.skins.empty()) return;
    namespace pw = tarn::geo::progress_window;
    const std::string dir = out.skins + "/ProgressBar";
    MakeFolder(dir);
    SavePng(out, dir + "/Progress_Normal.png", pw::kSize.width, pw::kSize.height,
            [](Canvas& c) { PaintProgress(c, false); });
    SavePng(out, dir + "/Progress_Over.png", pw::kSize.width, pw::kSize.height,
            [](Canvas& c) { PaintProgress(c, true); });
    SavePng(out, out.skins + "/Slider.png", tarn::geo::kSliderThumb.width,
            tarn::geo::kSliderThumb.height, PaintThumb);
}

}  // namespace skinr
