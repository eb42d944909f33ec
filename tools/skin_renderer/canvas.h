// Drawing surface of the skin renderer: a Cairo image with Pango text, written out as a 24-bit
// BMP (page skins, bitmap resources), a PNG with alpha, or an icon.
#pragma once

#include <cairo.h>

#include <string>
#include <vector>

#include "skin/skin_geometry.h"

namespace skinr {

using tarn::geo::Point;
using tarn::geo::Quad;
using tarn::geo::Rect;

struct Colour {
    double r, g, b, a = 1.0;
};
constexpr Colour Hex(unsigned rgb, double a = 1.0) {
    return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, a};
}
// From a COLORREF (0x00BBGGRR), as the program's tables give colours.
constexpr Colour FromColorRef(unsigned ref) {
    return {(ref & 0xFF) / 255.0, ((ref >> 8) & 0xFF) / 255.0, ((ref >> 16) & 0xFF) / 255.0, 1.0};
}

class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* cr() const { return cr_; }
    int width() const { return width_; }
    int height() const { return height_; }
    // Sets one pixel exactly (no blending), for pictures whose pixels carry meaning.
    void SetPixel(int x, int y, Colour c);

    bool SaveBmp(const std::string& path) const;
    bool SavePng(const std::string& path) const;

private:
    cairo_surface_t* surface_;
    cairo_t* cr_;
    int width_, height_;
};

// An icon file of several square sizes, each drawn by the callback.
bool SaveIcon(const std::string& path, const std::vector<int>& sizes,
              void (*draw)(Canvas&, int size));

enum class Align { Left, Centre, Right };

struct TextStyle {
    double size = 12;  // pixels
    bool bold = false;
    Colour colour = Hex(0xBDBDC8);
    Align align = Align::Centre;
    bool chinese = false;
    bool condensed = false;
    double glow = 0;  // radius of a soft glow in the text colour
    double letterSpacing = 0;
};

// Single line, vertically centred in the rectangle, shrunk until it fits its width.
void DrawText(cairo_t* cr, const Rect& r, const std::string& text, TextStyle style);
// Pixel width of a text in a style.
double TextWidth(cairo_t* cr, const std::string& text, const TextStyle& style);

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double radius);
void SetColour(cairo_t* cr, Colour c);
void FillRect(cairo_t* cr, const Rect& r, Colour c);
void VerticalGradient(cairo_t* cr, double y0, double y1, Colour top, Colour bottom);
void QuadPath(cairo_t* cr, const Quad& q);

}  // namespace skinr
