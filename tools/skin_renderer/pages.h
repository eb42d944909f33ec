// Each window's pictures, painted from the shared geometry. A page is painted once per state;
// the three pictures differ only in the look of their controls.
#pragma once

#include <functional>
#include <string>

#include "tools/skin_renderer/widgets.h"

namespace skinr {

struct Output {
    std::string skins;      // the program's skins folder
    std::string resources;  // the pictures compiled into the program
    bool chinese = false;   // labels of the skin files
    bool ok = true;
};

using Painter = std::function<void(Canvas&, State)>;

// Writes normal, down and over pictures of one size as 24-bit BMPs.
void SaveThree(Output& out, const std::string& folder, int width, int height,
               const std::string& normal, const std::string& down, const std::string& over,
               const Painter& paint);
void SaveBmp(Output& out, const std::string& path, int width, int height,
             const std::function<void(Canvas&)>& paint);
void SavePng(Output& out, const std::string& path, int width, int height,
             const std::function<void(Canvas&)>& paint);
bool MakeFolder(const std::string& path);

void RenderMainWindow(Output& out);
void RenderDialogs(Output& out);      // information box, progress window, slider thumb
void RenderSmallPieces(Output& out);  // flags, icons, popup, scroll skin, menu pieces, list icons
void RenderButtonPage(Output& out);
void RenderPanel(Output& out);
void RenderMacroPage(Output& out);
void RenderLightingPage(Output& out);
void RenderStatsPage(Output& out);
void RenderSupportPage(Output& out);
void RenderLinksDialog(Output& out);  // the "Programs" dialog and its tray menu icon

// A simple mouse drawing seen from above, filling the rectangle.
void MouseOutline(cairo_t* cr, const Rect& r, double alpha);

}  // namespace skinr
