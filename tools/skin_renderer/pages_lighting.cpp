// The lighting page: Light\LedSet_*.bmp, with the preset swatches and a true hue wheel.
#include <cmath>

#include "lighting/led_colours.h"
#include "tools/skin_renderer/pages.h"

namespace skinr {

namespace {

namespace lp = tarn::geo::lighting_page;

// The painted labels tell the story of the language files: each says what its control does in
// the words of that control's tooltip or hint (en.xml and sc.xml).
const Label kTitles[6] = {{"BACKLIGHT", "背光灯效"}, {"BODY LIGHT", "机身灯"},
                          {"COLOUR", "颜色设置"},    {"CURRENT", "当前颜色"},
                          {"PRESETS", "预设颜色"},   {"CUSTOM COLOUR", "自定义颜色"}};
const Label kSpectrum{"Spectrum cycle", "光谱循环"};
const Label kClickBreathing{"Breathing with your click speed", "随点击速度呼吸"};
const Label kOff{"Lights off", "关闭灯光"};
const Label kBreathing{"Breathing", "呼吸灯"};
const Label kSteady{"Steady light", "常亮"};
const Label kBreathingSpeed{"Breathing speed", "呼吸速度"};
const Label kBrightness{"Brightness", "亮度"};
const Label kBodyLight{"Body light", "机身灯"};

Colour Hsv(double h, double s, double v) {
    const double c = v * s, x = c * (1 - std::fabs(std::fmod(h / 60.0, 2) - 1)), m = v - c;
    double r = 0, g = 0, b = 0;
    if (h < 60)
        r = c, g = x;
    else if (h < 120)
        r = x, g = c;
    else if (h < 180)
        g = c, b = x;
    else if (h < 240)
        g = x, b = c;
    else if (h < 300)
        r = x, b = c;
    else
        r = c, b = x;
    return {r + m, g + m, b + m, 1};
}

// Every pixel inside the ellipse is set exactly: the hue by its angle, the saturation by its
// distance from the centre. No smoothing inside, so the pixel read back is the colour shown.
void HueWheel(Canvas& c) {
    const Rect& r = lp::kWheel;
    cairo_t* cr = c.cr();
    cairo_save(cr);
    cairo_translate(cr, r.left + r.width() / 2.0, r.top + r.height() / 2.0);
    cairo_scale(cr, r.width() / 2.0 + 3, r.height() / 2.0 + 3);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    SetColour(cr, Hex(0x2A3038));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    const double cx = r.left + r.width() / 2.0, cy = r.top + r.height() / 2.0;
    const double rx = r.width() / 2.0, ry = r.height() / 2.0;
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
            const double d = std::sqrt(dx * dx + dy * dy);
            if (d > 1.0) continue;
            double hue = std::atan2(-dy, dx) * 180 / M_PI;
            if (hue < 0) hue += 360;
            c.SetPixel(x, y, Hsv(hue, std::min(1.0, d * 1.05), 1.0));
        }
    }
}

void PaintLighting(Canvas& c, State s, bool zh) {
    cairo_t* cr = c.cr();
    Background(cr, c.width(), c.height());
    Panel(cr, {10, 14, 914, 446});
    for (int i = 0; i < 6; ++i) Title(cr, lp::kTitles[i].get(zh), s, kTitles[i].get(zh), zh);
    LedToggle(cr, lp::kMode4.get(zh), s, kSpectrum.get(zh), zh);
    LedToggle(cr, lp::kMode3.get(zh), s, kClickBreathing.get(zh), zh);
    LedToggle(cr, lp::kMode5.get(zh), s, kOff.get(zh), zh);
    LedToggle(cr, lp::kMode2.get(zh), s, kBreathing.get(zh), zh);
    LedToggle(cr, lp::kMode1.get(zh), s, kSteady.get(zh), zh);
    const Rect m2 = lp::kMode2Slider.get(zh), m1 = lp::kMode1Slider.get(zh);
    Track(cr, m2);
    Track(cr, m1);
    TextStyle cap;
    cap.size = 10;
    cap.chinese = zh;
    cap.align = Align::Right;
    cap.colour = palette::kTextDim;
    DrawText(cr, {m2.left - 110, m2.top - 3, m2.left - 8, m2.bottom + 3}, kBreathingSpeed.get(zh),
             cap);
    DrawText(cr, {m1.left - 110, m1.top - 3, m1.left - 8, m1.bottom + 3}, kBrightness.get(zh),
             cap);
    LedToggle(cr, lp::kBodyOn.get(zh), s, zh ? "开" : "On", zh);
    LedToggle(cr, lp::kBodyOff.get(zh), s, zh ? "关" : "Off", zh);
    // The English layout puts the switch's title below the row, so the row names itself too.
    if (!zh) {
        const Rect on = lp::kBodyOn.en;
        DrawText(cr, {on.left - 120, on.top, on.left - 8, on.bottom}, kBodyLight.en, cap);
    }

    const Rect sw = lp::kSwatch.get(zh);
    Frame(cr, {sw.left - 3, sw.top - 3, sw.right + 3, sw.bottom + 3});
    for (int k = 0; k < lp::kPresetCount; ++k) {
        Swatch(cr, lp::PresetSwatch(k, zh), s, FromColorRef(tarn::led::kPresets[k]));
    }
    const Rect sliders[3] = {lp::kRedSlider.get(zh), lp::kGreenSlider.get(zh),
                             lp::kBlueSlider.get(zh)};
    const char* names[3] = {"R", "G", "B"};
    const Colour tints[3] = {Hex(0xE5484D), Hex(0x46C35A), Hex(0x3E8BEA)};
    for (int i = 0; i < 3; ++i) {
        Track(cr, sliders[i]);
        TextStyle t;
        t.size = 12;
        t.bold = true;
        t.colour = tints[i];
        DrawText(
            cr,
            {sliders[i].left - 22, sliders[i].top - 4, sliders[i].left - 4, sliders[i].bottom + 4},
            names[i], t);
        const Rect& f = lp::kNumberFields[i];
        Frame(cr, {f.left - 3, f.top - 1, f.right + 3, f.bottom + 1});
    }
    HueWheel(c);
}

}  // namespace

void RenderLightingPage(Output& out) {
    if (out.skins.empty()) return;
    SaveThree(out, "Light", lp::kSize.width, lp::kSize.height, "LedSet_normal.bmp",
              "LedSet_down.bmp", "LedSet_over.bmp",
              [&](Canvas& c, State s) { PaintLighting(c, s, out.chinese); });
}

}  // namespace skinr
