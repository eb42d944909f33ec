// The statistics page (Sts_*.bmp) and the thirteen trophies (trophy\trophy%dDown.bmp).
#include <cmath>

#include "tools/skin_renderer/pages.h"

namespace skinr {

namespace {

namespace st = tarn::geo::stats_page;

const Label kRows[8] = {{"Left clicks", "左键点击"},   {"Middle clicks", "中键点击"},
                        {"Right clicks", "右键点击"},  {"Total clicks", "点击总数"},
                        {"Wheel forward", "滚轮向前"}, {"Wheel backward", "滚轮向后"},
                        {"Total wheel", "滚轮总数"},   {"Distance", "移动距离"}};

// Tier colours: iron, bronze, silver, gold, platinum.
Colour TierColour(int level, bool light) {
    static const unsigned dark[5] = {0x4A4F56, 0x8A5A2B, 0x8E979F, 0xB8860B, 0x3FA7B5};
    static const unsigned bright[5] = {0x8A9099, 0xE0A06A, 0xE8EEF2, 0xFFE27A, 0xB5F3FA};
    const int tier = level == 0 ? 0 : std::min(4, (level - 1) / 3 + 1);
    return Hex(light ? bright[tier] : dark[tier]);
}

void Cup(cairo_t* cr, double cx, double top, double size, Colour body, Colour light) {
    const double w = size * 0.62, h = size * 0.52;
    cairo_save(cr);
    // Handles.
    cairo_set_line_width(cr, size * 0.05);
    SetColour(cr, body);
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx - w / 2, top + h * 0.3, size * 0.11, M_PI / 2, 3 * M_PI / 2);
    cairo_stroke(cr);
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx + w / 2, top + h * 0.3, size * 0.11, -M_PI / 2, M_PI / 2);
    cairo_stroke(cr);
    // Bowl, stem and base.
    cairo_move_to(cr, cx - w / 2, top);
    cairo_line_to(cr, cx + w / 2, top);
    cairo_curve_to(cr, cx + w / 2, top + h, cx + w * 0.1, top + h, cx + w * 0.08, top + h * 1.05);
    cairo_line_to(cr, cx + w * 0.08, top + h * 1.3);
    cairo_line_to(cr, cx + w * 0.3, top + h * 1.45);
    cairo_line_to(cr, cx - w * 0.3, top + h * 1.45);
    cairo_line_to(cr, cx - w * 0.08, top + h * 1.3);
    cairo_line_to(cr, cx - w * 0.08, top + h * 1.05);
    cairo_curve_to(cr, cx - w * 0.1, top + h, cx - w / 2, top + h, cx - w / 2, top);
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(cx - w / 2, 0, cx + w / 2, 0);
    cairo_pattern_add_color_stop_rgb(g, 0, body.r, body.g, body.b);
    cairo_pattern_add_color_stop_rgb(g, 0.35, light.r, light.g, light.b);
    cairo_pattern_add_color_stop_rgb(g, 1, body.r * 0.7, body.g * 0.7, body.b * 0.7);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_restore(cr);
}

void Rays(cairo_t* cr, double cx, double cy, double radius, Colour c) {
    cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy, 0, cx, cy, radius);
    cairo_pattern_add_color_stop_rgba(g, 0, c.r, c.g, c.b, 0.35);
    cairo_pattern_add_color_stop_rgba(g, 1, c.r, c.g, c.b, 0);
    cairo_set_source(cr, g);
    for (int i = 0; i < 16; ++i) {
        const double a0 = i * M_PI / 8, a1 = a0 + M_PI / 20;
        cairo_move_to(cr, cx, cy);
        cairo_line_to(cr, cx + radius * std::cos(a0), cy + radius * std::sin(a0));
        cairo_line_to(cr, cx + radius * std::cos(a1), cy + radius * std::sin(a1));
        cairo_close_path(cr);
    }
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

void PaintTrophy(Canvas& c, int level) {
    cairo_t* cr = c.cr();
    Background(cr, c.width(), c.height());
    const double cx = c.width() / 2.0;
    const Colour light = TierColour(level, true), body = TierColour(level, false);
    if (level > 0) Rays(cr, cx, 190, 170, light);
    Cup(cr, cx, 110, 200, body, light);
    // The pedestal with the level.
    RoundedRect(cr, cx - 70, 330, 140, 34, 6);
    VerticalGradient(cr, 330, 364, Hex(0x2C3139), Hex(0x15181C));
    cairo_fill(cr);
    TextStyle t;
    t.size = 18;
    t.bold = true;
    t.colour = light;
    t.letterSpacing = 2;
    DrawText(cr, {static_cast<int>(cx - 70), 330, static_cast<int>(cx + 70), 364},
             "LV " + std::to_string(level), t);
    for (int i = 0; i < 13; ++i) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, cx - 78 + i * 13, 392, 4, 0, 2 * M_PI);
        SetColour(cr, i <= level ? light : Hex(0x2A3038));
        cairo_fill(cr);
    }
}

void PaintStats(Canvas& c, State s, bool zh) {
    cairo_t* cr = c.cr();
    Background(cr, c.width(), c.height());
    Panel(cr, {10, 12, 302, 440});
    Panel(cr, {616, 12, 914, 440});
    Title(cr, {20, 30, 290, 58}, State::Normal, zh ? "使用统计" : "USAGE", zh);
    for (int i = 0; i < st::kRowCount; ++i) {
        const bool distance = i == st::kDistanceRow;
        const Rect text = st::ValueRect(i, zh);
        const Rect value{text.left - 4, text.top, text.right + 3, text.bottom};
        Frame(cr, value);
        TextStyle t;
        t.size = 12;
        t.chinese = zh;
        t.align = Align::Left;
        t.colour = (i == 3 || i == 6) ? palette::kAccent : palette::kText;
        t.bold = i == 3 || i == 6;
        DrawText(cr, {22, st::kRowTop[i], value.left - 6, st::kRowBottom[i]}, kRows[i].get(zh), t);
        if (distance) {
            t.colour = palette::kTextDim;
            DrawText(cr, {value.right + 6, st::kRowTop[i], 300, st::kRowBottom[i]}, "m", t);
        }
    }
    // Separators between the click, wheel and distance groups.
    FillRect(cr, {22, 226, 290, 227}, Hex(0x2A3038));
    FillRect(cr, {22, 360, 290, 361}, Hex(0x2A3038));

    // The big trophy's place: a glow that the pressed look brightens.
    Rays(cr, 458, 190, s == State::Normal ? 110 : 150, palette::kAccent);

    TextStyle head;
    head.size = 12;
    head.bold = true;
    head.chinese = zh;
    head.align = Align::Left;
    head.colour = Hex(0xD8DAE0);
    DrawText(cr, {630, 36, 900, 56}, zh ? "奖杯进度" : "TROPHY PROGRESS", head);
    const Rect& bar = st::kProgressBar;
    RoundedRect(cr, bar.left + 0.5, bar.top + 0.5, 273, bar.height() - 1, 3);
    SetColour(cr, Hex(0x05070A));
    cairo_fill_preserve(cr);
    SetColour(cr, Hex(0x333A43));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    if (s == State::Down) {
        cairo_pattern_t* g = cairo_pattern_create_linear(bar.left, 0, bar.left + 273, 0);
        cairo_pattern_add_color_stop_rgb(g, 0, 0.72, 0.53, 0.04);
        cairo_pattern_add_color_stop_rgb(g, 1, 1.0, 0.85, 0.30);
        cairo_set_source(cr, g);
        cairo_rectangle(cr, bar.left + 1, bar.top + 1, 272, bar.height() - 2);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    }
    for (int k = 0; k < st::kTrophyLevels; ++k) {
        const Rect r = st::SmallTrophy(k);
        const bool lit = s == State::Down;
        RoundedRect(cr, r.left + 0.5, r.top + 0.5, r.width() - 1, r.height() - 1, 4);
        SetColour(cr, lit ? Hex(0x1F2227) : Hex(0x111317));
        cairo_fill_preserve(cr);
        SetColour(cr, lit ? TierColour(k, false) : Hex(0x262B31));
        cairo_stroke(cr);
        Cup(cr, r.left + r.width() / 2.0, r.top + 7, 28, lit ? TierColour(k, false) : Hex(0x2A2E34),
            lit ? TierColour(k, true) : Hex(0x3A3F46));
        TextStyle n;
        n.size = 9;
        n.bold = true;
        n.colour = lit ? TierColour(k, true) : Hex(0x4A515B);
        DrawText(cr, {r.left, r.bottom - 13, r.right, r.bottom - 2}, std::to_string(k), n);
    }
    PushButton(cr, st::kReset, s, zh ? "重置统计" : "RESET", zh, 13);
}

}  // namespace

void RenderStatsPage(Output& out) {
    if (out.skins.empty()) return;
    SaveThree(out, "", st::kSize.width, st::kSize.height, "Sts_Normal.bmp", "Sts_Down.bmp",
              "Sts_Over.bmp", [&](Canvas& c, State s) { PaintStats(c, s, out.chinese); });
    const std::string dir = out.skins + "/trophy";
    MakeFolder(dir);
    for (int level = 0; level < st::kTrophyLevels; ++level) {
        SaveBmp(out, dir + "/trophy" + std::to_string(level) + "Down.bmp", st::kTrophySize.width,
                st::kTrophySize.height, [&](Canvas& c) { PaintTrophy(c, level); });
    }
}

}  // namespace skinr
