// The button page: skins Tarn_Main_*.bmp and the resources 160..165 (tabs, slider tracks and
// the lines field's background).
#include "tools/skin_renderer/pages.h"

namespace skinr {

namespace {

namespace bp = tarn::geo::button_page;

const char* const kDpi[8] = {"500", "750", "1000", "1250", "1500", "1750", "2000", "3000"};
const Label kTitles[6] = {{"RESOLUTION (DPI)", "分辨率 (DPI)"}, {"POINTER SPEED", "指针速度"},
                          {"SENSOR HEIGHT", "传感器高度"},      {"REPORT RATE", "回报率"},
                          {"WHEEL SCROLLING", "滚轮滚动"},      {"BUTTONS", "按键设置"}};
const char* const kRates[3] = {"125Hz", "500Hz", "1000Hz"};
const Label kPrecision{"Enhance precision", "提高指针精确度"};
const Label kLines{"Scroll lines per notch", "每次滚动行数"};
const Label kScreen{"One screen per notch", "每次滚动一个屏幕"};
const Label kTabs[7] = {{"LEFT", "左键"},          {"MIDDLE", "中键"}, {"RIGHT", "右键"},
                        {"FORWARD", "前进"},       {"BACK", "后退"},   {"WHEEL UP", "滚轮向上"},
                        {"WHEEL DOWN", "滚轮向下"}};
const Label kSlow{"Slow", "慢"}, kFast{"Fast", "快"}, kLow{"Low", "低"}, kHigh{"High", "高"};

void Caption(cairo_t* cr, const Rect& r, const std::string& text, bool zh, Align align) {
    TextStyle t;
    t.size = 11;
    t.chinese = zh;
    t.align = align;
    t.colour = palette::kTextDim;
    DrawText(cr, r, text, t);
}

void PaintButtonPage(Canvas& c, State s, bool zh) {
    cairo_t* cr = c.cr();
    Background(cr, c.width(), c.height());
    Panel(cr, {12, 12, 650, 108});
    Panel(cr, {12, 116, 352, 246});
    Panel(cr, {360, 116, 650, 246});
    Panel(cr, {12, 254, 352, 352});
    Panel(cr, {360, 254, 700, 400});
    Panel(cr, {660, 12, 914, 400});
    for (int i = 0; i < 6; ++i) Title(cr, bp::kTitles[i], s, kTitles[i].get(zh), zh);
    for (int i = 0; i < 8; ++i) TextToggle(cr, bp::DpiToggle(i), s, kDpi[i], zh);
    // Level numbers under the toggles show the order of the resolution steps.
    Track(cr, bp::kPointerSpeed);
    Caption(cr, {30, 164, 100, 182}, kSlow.get(zh), zh, Align::Right);
    Caption(cr, {298, 164, 348, 182}, kFast.get(zh), zh, Align::Left);
    LedToggle(cr, bp::kPrecision, s, kPrecision.get(zh), zh);
    Track(cr, bp::kSecondSlider);
    Caption(cr, {370, 164, 418, 182}, kLow.get(zh), zh, Align::Right);
    Caption(cr, {604, 190, 646, 208}, kHigh.get(zh), zh, Align::Right);
    for (int i = 0; i < 3; ++i) TextToggle(cr, bp::kReportRates[i], s, kRates[i], zh);
    LedToggle(cr, bp::kLinesChoice.get(zh), s, kLines.get(zh), zh);
    LedToggle(cr, bp::kScreenChoice.get(zh), s, kScreen.get(zh), zh);
    Frame(cr, bp::kLinesEdit.get(zh));
    GlyphButton(cr, bp::kStepUp.get(zh), s, Glyph::Up);
    GlyphButton(cr, bp::kStepDown.get(zh), s, Glyph::Down);
    // The mouse with its button markers.
    MouseOutline(cr, {738, 104, 882, 318}, 1.0);
    for (int i = 0; i < 7; ++i) Marker(cr, bp::kMarkers[i].get(zh), s);
    // The tab strip of the seven buttons.
    FillRect(cr, {12, bp::kTabTop - 4, 700, bp::kTabBottom + 4}, Hex(0x0C0E11, 0.9));
    for (int i = 0; i < 7; ++i) QuadTab(cr, bp::Tab(i), s, kTabs[i].get(zh), zh, 11);
}

}  // namespace

void RenderButtonPage(Output& out) {
    if (!out.skins.empty()) {
        SaveThree(out, "", bp::kSize.width, bp::kSize.height, "Tarn_Main_Normal.bmp",
                  "Tarn_Main_Down.bmp", "Tarn_Main_Over.bmp",
                  [&](Canvas& c, State s) { PaintButtonPage(c, s, out.chinese); });
    }
    if (out.resources.empty()) return;
    // Chinese from 160, English from 163: down, normal, over.
    const State states[3] = {State::Down, State::Normal, State::Over};
    for (int lang = 0; lang < 2; ++lang) {
        for (int i = 0; i < 3; ++i) {
            const int id = 160 + lang * 3 + i;
            SaveBmp(out, out.resources + "/bitmap" + std::to_string(id) + ".bmp",
                    bp::kResourceSize.width, bp::kResourceSize.height,
                    [&](Canvas& c) { PaintButtonPage(c, states[i], lang == 0); });
        }
    }
}

}  // namespace skinr
