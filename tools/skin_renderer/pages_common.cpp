#include <sys/stat.h>

#include <cerrno>
#include <cstdio>

#include "tools/skin_renderer/pages.h"

namespace skinr {

bool MakeFolder(const std::string& path) {
    std::string partial;
    for (size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '/') {
            if (!partial.empty() && mkdir(partial.c_str(), 0755) != 0 && errno != EEXIST) {
                return false;
            }
        }
        if (i < path.size()) partial += path[i];
    }
    return true;
}

namespace {
void Report(Output& out, bool ok, const std::string& path) {
    if (ok) return;
    std::fprintf(stderr, "skin_renderer: cannot write %s\n", path.c_str());
    out.ok = false;
}
}  // namespace

void SaveBmp(Output& out, const std::string& path, int width, int height,
             const std::function<void(Canvas&)>& paint) {
    Canvas canvas(width, height);
    paint(canvas);
    Report(out, canvas.SaveBmp(path), path);
}

void SavePng(Output& out, const std::string& path, int width, int height,
             const std::function<void(Canvas&)>& paint) {
    Canvas canvas(width, height);
    paint(canvas);
    Report(out, canvas.SavePng(path), path);
}

void SaveThree(Output& out, const std::string& folder, int width, int height,
               const std::string& normal, const std::string& down, const std::string& over,
               const Painter& paint) {
    const std::string dir = folder.empty() ? out.skins : out.skins + "/" + folder;
    Report(out, MakeFolder(dir), dir);
    const std::pair<State, const std::string*> files[] = {
        {State::Normal, &normal}, {State::Down, &down}, {State::Over, &over}};
    for (const auto& [state, name] : files) {
        SaveBmp(out, dir + "/" + *name, width, height, [&](Canvas& c) { paint(c, state); });
    }
}

void MouseOutline(cairo_t* cr, const Rect& r, double alpha) {
    const double x = r.left, y = r.top, w = r.width(), h = r.height();
    cairo_save(cr);
    // The shell.
    cairo_move_to(cr, x + w * 0.5, y);
    cairo_curve_to(cr, x + w * 0.95, y, x + w, y + h * 0.35, x + w * 0.96, y + h * 0.62);
    cairo_curve_to(cr, x + w * 0.9, y + h * 0.95, x + w * 0.65, y + h, x + w * 0.5, y + h);
    cairo_curve_to(cr, x + w * 0.35, y + h, x + w * 0.1, y + h * 0.95, x + w * 0.04, y + h * 0.62);
    cairo_curve_to(cr, x, y + h * 0.35, x + w * 0.05, y, x + w * 0.5, y);
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(x, y, x + w, y + h);
    cairo_pattern_add_color_stop_rgba(g, 0, 0.20, 0.22, 0.25, alpha);
    cairo_pattern_add_color_stop_rgba(g, 1, 0.06, 0.07, 0.08, alpha);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    SetColour(cr, Hex(0x4A515B, alpha));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    // The split between the two main buttons and the button line.
    cairo_move_to(cr, x + w * 0.5, y + 2);
    cairo_line_to(cr, x + w * 0.5, y + h * 0.38);
    cairo_move_to(cr, x + w * 0.06, y + h * 0.40);
    cairo_curve_to(cr, x + w * 0.3, y + h * 0.44, x + w * 0.7, y + h * 0.44, x + w * 0.94,
                   y + h * 0.40);
    SetColour(cr, Hex(0x3A414A, alpha));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    // The amber light strip along the back.
    cairo_move_to(cr, x + w * 0.3, y + h * 0.88);
    cairo_curve_to(cr, x + w * 0.42, y + h * 0.93, x + w * 0.58, y + h * 0.93, x + w * 0.7,
                   y + h * 0.88);
    SetColour(cr, Hex(0xE8BE1C, 0.7 * alpha));
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    cairo_restore(cr);
}

}  // namespace skinr
