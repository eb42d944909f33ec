// The support page: support_normal.bmp, support_down.bmp, support_over.bmp.
#include "tools/skin_renderer/pages.h"

namespace skinr {

namespace {

namespace su = tarn::geo::support_page;

void PaintSupport(Canvas& c, State s, bool zh) {
    cairo_t* cr = c.cr();
    Background(cr, c.width(), c.height());
    Panel(cr, {40, 80, 620, 232});
    Panel(cr, {40, 244, 880, 318});
    Panel(cr, {40, 350, 880, 440});
    MouseOutline(cr, {690, 60, 850, 230}, 0.9);
    // The version areas keep their normal look (check mode that never toggles).
    Title(cr, su::kDriverVersion, State::Normal, zh ? "驱动版本" : "DRIVER VERSION", zh);
    Title(cr, su::kFirmwareVersion, State::Normal, zh ? "固件版本" : "FIRMWARE VERSION", zh);
    Frame(cr, {120, 164, 330, 196});
    Frame(cr, {432, 164, 600, 196});
    TextStyle t;
    t.size = 12;
    t.chinese = zh;
    t.align = Align::Left;
    t.colour = palette::kTextDim;
    DrawText(cr, {60, 264, 395, 293}, zh ? "检查是否有新的固件" : "Look for a newer firmware", t);
    DrawText(cr, {540, 264, 705, 293}, zh ? "访问官方网站" : "Visit the web site", t);
    DrawText(cr, {340, 389, 770, 420},
             zh ? "导入或导出配置文件，或恢复出厂设置"
                : "Import or export a profile, or restore the defaults",
             t);
    DrawText(cr, {60, 389, 130, 420}, zh ? "配置" : "Profile", t);
    PushButton(cr, su::kUpdate, s, zh ? "检查更新" : "UPDATE", zh);
    PushButton(cr, su::kWebSite, s, zh ? "官方网站" : "WEB SITE", zh);
    PushButton(cr, su::kImport, s, zh ? "导入" : "IMPORT", zh);
    PushButton(cr, su::kExport, s, zh ? "导出" : "EXPORT", zh);
    PushButton(cr, su::kRestore, s, zh ? "恢复默认" : "DEFAULTS", zh);
}

}  // namespace

void RenderSupportPage(Output& out) {
    if (out.skins.empty()) return;
    SaveThree(out, "", su::kSize.width, su::kSize.height, "support_normal.bmp", "support_down.bmp",
              "support_over.bmp", [&](Canvas& c, State s) { PaintSupport(c, s, out.chinese); });
}

}  // namespace skinr
