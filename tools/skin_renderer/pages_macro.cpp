// The macro manager page: Macro_normal.bmp, Macro_down.bmp, Macro_over.bmp.
#include <algorithm>

#include "tools/skin_renderer/pages.h"

namespace skinr {

namespace {

namespace mp = tarn::geo::macro_page;

void Label_(cairo_t* cr, const Rect& r, const std::string& text, bool zh, Align align,
            double size = 11) {
    TextStyle t;
    t.size = size;
    t.chinese = zh;
    t.align = align;
    t.colour = palette::kTextDim;
    DrawText(cr, r, text, t);
}

void HotSpot(cairo_t* cr, const Rect& r, State s) {
    RoundedRect(cr, r.left + 1, r.top + 1, r.width() - 2, r.height() - 2, 5);
    if (s == State::Normal) {
        SetColour(cr, Hex(0xFFFFFF, 0.04));
        cairo_fill_preserve(cr);
        SetColour(cr, Hex(0x4A515B, 0.8));
    } else {
        SetColour(cr, Hex(0xE8BE1C, 0.45));
        cairo_fill_preserve(cr);
        SetColour(cr, palette::kAccent);
    }
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void PaintMacro(Canvas& c, State s, bool zh) {
    cairo_t* cr = c.cr();
    Background(cr, c.width(), c.height());
    Panel(cr, {12, 10, 334, 446});
    Panel(cr, {336, 10, 634, 446});
    Panel(cr, {638, 10, 914, 446});
    Title(cr, mp::kGroupTitle, s, zh ? "宏列表" : "MACROS", zh);
    Title(cr, mp::kEntryTitle, s, zh ? "事件列表" : "EVENTS", zh);
    PushButton(cr, mp::kGroupButton, s, "", zh);
    DrawGlyph(cr,
              {mp::kGroupButton.right - 24, mp::kGroupButton.top, mp::kGroupButton.right - 4,
               mp::kGroupButton.bottom},
              Glyph::Down, palette::kAccent);
    Frame(cr, {mp::kMacroList.left - 1, mp::kMacroList.top - 2, mp::kMacroList.right,
               mp::kMacroList.bottom + 1});
    Frame(cr, {mp::kEventList.left - 3, mp::kEventList.top - 2, mp::kEventList.right,
               mp::kEventList.bottom + 1});
    PushButton(cr, mp::kNewMacro, s, zh ? "新建" : "New", zh, 11);
    PushButton(cr, mp::kDeleteMacro, s, zh ? "删除" : "Delete", zh, 11);
    GlyphButton(cr, mp::kInsert.get(zh), s, Glyph::Plus);
    GlyphButton(cr, mp::kDeleteEntry.get(zh), s, Glyph::Minus);
    GlyphButton(cr, mp::kModify.get(zh), s, Glyph::Pencil);
    // The record button: its caption comes from the program; a red light marks it.
    PushButton(cr, mp::kRecord, s, "", zh);
    cairo_new_sub_path(cr);
    cairo_arc(cr, mp::kRecord.left + 12, (mp::kRecord.top + mp::kRecord.bottom) / 2.0, 4, 0, 6.3);
    SetColour(cr, Hex(0xD3180F));
    cairo_fill(cr);
    // Checked, the toggle leaves the delays out of a recording.
    LedToggle(cr, mp::kDelayToggle, s, zh ? "录制时不记录延时" : "Record without delays", zh);
    Label_(cr, {700, 85, 846, 104}, zh ? "循环次数" : "Loop count", zh, Align::Right);
    Frame(cr, {mp::kLoopField.left - 3, mp::kLoopField.top - 2, mp::kLoopField.right + 3,
               mp::kLoopField.bottom + 2});

    // The mouse whose buttons can be inserted as events.
    const Rect spots[3] = {mp::kLeftSpot.get(zh), mp::kMiddleSpot.get(zh), mp::kRightSpot.get(zh)};
    int left = spots[0].left, right = spots[2].right, top = spots[1].top;
    // The mouse ends above the key and delay rows, in the area of their own below it.
    const int bottom = std::min(top + 190, mp::kEditArea.get(zh).top - 8);
    MouseOutline(cr, {left - 18, top - 22, right + 18, bottom}, 1.0);
    for (const Rect& r : spots) HotSpot(cr, r, s);
    // The hot spots act while recording and while a key is being chosen.
    Label_(cr, {650, 120, 910, 140},
           zh ? "点击鼠标按键，录制或插入" : "Click a button to record or insert it", zh,
           Align::Centre);

    // The key and delay rows serve both inserting and changing an entry.
    const Rect area = mp::kEditArea.get(zh);
    cairo_rectangle(cr, area.left + 0.5, area.top + 0.5, area.width() - 1, area.height() - 1);
    SetColour(cr, Hex(0x0B0D10, 0.55));
    cairo_fill_preserve(cr);
    SetColour(cr, palette::kBorder);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    LedToggle(cr, mp::kKeyChoice.get(zh), s, zh ? "按键（按下即可）" : "Key (press it)", zh);
    Frame(cr, mp::kKeyField.get(zh));
    GlyphButton(cr, mp::kKeyConfirm.get(zh), s, Glyph::Check);
    LedToggle(cr, mp::kDelayChoice.get(zh), s, zh ? "延时（毫秒）" : "Delay (ms)", zh);
    Frame(cr, mp::kDelayField.get(zh));
    GlyphButton(cr, mp::kDelayConfirm.get(zh), s, Glyph::Check);
}

}  // namespace

void RenderMacroPage(Output& out) {
    if (out.skins.empty()) return;
    SaveThree(out, "", mp::kSize.width, mp::kSize.height, "Macro_normal.bmp", "Macro_down.bmp",
              "Macro_over.bmp", [&](Canvas& c, State s) { PaintMacro(c, s, out.chinese); });
}

}  // namespace skinr
