// skin_renderer: paints the skins folder and the picture resources of the program.
//   skin_renderer --skins <folder> --resources <folder> [--chinese]
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/skin_renderer/pages.h"

int main(int argc, char** argv) {
    skinr::Output out;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--skins") && i + 1 < argc) {
            out.skins = argv[++i];
        } else if (!std::strcmp(argv[i], "--resources") && i + 1 < argc) {
            out.resources = argv[++i];
        } else if (!std::strcmp(argv[i], "--chinese")) {
            out.chinese = true;
        } else {
            std::fprintf(stderr, "usage: skin_renderer --skins DIR --resources DIR [--chinese]\n");
            return 2;
        }
    }
    if (out.skins.empty() && out.resources.empty()) {
        std::fprintf(stderr, "skin_renderer: give --skins and/or --resources\n");
        return 2;
    }
    const bool skins = !out.skins.empty(), resources = !out.resources.empty();
    if (skins && !skinr::MakeFolder(out.skins)) return 1;
    if (resources && !skinr::MakeFolder(out.resources)) return 1;
    // Every painter writes what its window needs into whichever folders were given.
    skinr::RenderMainWindow(out);
    skinr::RenderDialogs(out);
    skinr::RenderSmallPieces(out);
    skinr::RenderButtonPage(out);
    skinr::RenderPanel(out);
    skinr::RenderMacroPage(out);
    skinr::RenderLightingPage(out);
    skinr::RenderStatsPage(out);
    skinr::RenderSupportPage(out);
    skinr::RenderLinksDialog(out);
    if (skins) {
        const std::string ini = out.skins + "/languagetype.ini";
        FILE* f = std::fopen(ini.c_str(), "wb");
        if (!f) return 1;
        std::fprintf(f, "[languagetype]\r\nvalue=%d\r\n", out.chinese ? 1 : 0);
        std::fclose(f);
    }
    return out.ok ? 0 : 1;
}
