#include "tools/skin_renderer/canvas.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace skinr {

namespace {

void Put16(std::vector<uint8_t>& out, unsigned v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back((v >> (8 * i)) & 0xFF);
}

bool WriteAll(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

// Cairo keeps premultiplied alpha; files want straight colours.
void Unpremultiply(uint32_t px, uint8_t* r, uint8_t* g, uint8_t* b, uint8_t* a) {
    *a = px >> 24;
    const unsigned rr = (px >> 16) & 0xFF, gg = (px >> 8) & 0xFF, bb = px & 0xFF;
    if (*a == 0) {
        *r = *g = *b = 0;
        return;
    }
    *r = static_cast<uint8_t>(std::min(255u, rr * 255 / *a));
    *g = static_cast<uint8_t>(std::min(255u, gg * 255 / *a));
    *b = static_cast<uint8_t>(std::min(255u, bb * 255 / *a));
}

PangoFontDescription* FontFor(const TextStyle& style) {
    std::string family = style.chinese ? "Noto Sans CJK SC, DejaVu Sans"
                                       : (style.condensed ? "DejaVu Sans Condensed, DejaVu Sans"
                                                          : "DejaVu Sans, Noto Sans CJK SC");
    PangoFontDescription* font = pango_font_description_from_string(family.c_str());
    pango_font_description_set_weight(font, style.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_absolute_size(font, style.size * PANGO_SCALE);
    return font;
}

PangoLayout* LayoutFor(cairo_t* cr, const std::string& text, const TextStyle& style) {
    PangoLayout* layout = pango_cairo_create_layout(cr);
    PangoFontDescription* font = FontFor(style);
    pango_layout_set_font_description(layout, font);
    pango_font_description_free(font);
    if (style.letterSpacing != 0) {
        PangoAttrList* attrs = pango_attr_list_new();
        pango_attr_list_insert(attrs, pango_attr_letter_spacing_new(
                                          static_cast<int>(style.letterSpacing * PANGO_SCALE)));
        pango_layout_set_attributes(layout, attrs);
        pango_attr_list_unref(attrs);
    }
    pango_layout_set_text(layout, text.c_str(), -1);
    return layout;
}

}  // namespace

Canvas::Canvas(int width, int height) : width_(width), height_(height) {
    surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cr_ = cairo_create(surface_);
}

Canvas::~Canvas() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

void Canvas::SetPixel(int x, int y, Colour c) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    cairo_surface_flush(surface_);
    unsigned char* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    auto* px = reinterpret_cast<uint32_t*>(data + y * stride) + x;
    auto q = [](double v) {
        return static_cast<uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255));
    };
    *px = (0xFFu << 24) | (q(c.r) << 16) | (q(c.g) << 8) | q(c.b);
    cairo_surface_mark_dirty(surface_);
}

bool Canvas::SaveBmp(const std::string& path) const {
    cairo_surface_flush(surface_);
    const unsigned char* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    const int rowBytes = (width_ * 3 + 3) & ~3;
    const uint32_t imageSize = static_cast<uint32_t>(rowBytes) * height_;
    std::vector<uint8_t> out;
    out.reserve(54 + imageSize);
    out.push_back('B');
    out.push_back('M');
    Put32(out, 54 + imageSize);
    Put32(out, 0);
    Put32(out, 54);
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(width_));
    Put32(out, static_cast<uint32_t>(height_));
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, 0);
    Put32(out, imageSize);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    // Bottom-up rows, blue-green-red, composited over black.
    for (int y = height_ - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + y * stride);
        for (int x = 0; x < width_; ++x) {
            const uint32_t px = row[x];
            out.push_back(px & 0xFF);
            out.push_back((px >> 8) & 0xFF);
            out.push_back((px >> 16) & 0xFF);
        }
        for (int pad = width_ * 3; pad < rowBytes; ++pad) out.push_back(0);
    }
    return WriteAll(path, out);
}

bool Canvas::SavePng(const std::string& path) const {
    return cairo_surface_write_to_png(surface_, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

bool SaveIcon(const std::string& path, const std::vector<int>& sizes,
              void (*draw)(Canvas&, int size)) {
    std::vector<std::vector<uint8_t>> images;
    for (int size : sizes) {
        Canvas canvas(size, size);
        draw(canvas, size);
        cairo_surface_t* s = cairo_get_target(canvas.cr());
        cairo_surface_flush(s);
        const unsigned char* data = cairo_image_surface_get_data(s);
        const int stride = cairo_image_surface_get_stride(s);
        std::vector<uint8_t> img;
        Put32(img, 40);
        Put32(img, static_cast<uint32_t>(size));
        Put32(img, static_cast<uint32_t>(size * 2));
        Put16(img, 1);
        Put16(img, 32);
        for (int i = 0; i < 6; ++i) Put32(img, 0);
        for (int y = size - 1; y >= 0; --y) {
            const auto* row = reinterpret_cast<const uint32_t*>(data + y * stride);
            for (int x = 0; x < size; ++x) {
                uint8_t r, g, b, a;
                Unpremultiply(row[x], &r, &g, &b, &a);
                img.push_back(b);
                img.push_back(g);
                img.push_back(r);
                img.push_back(a);
            }
        }
        // The AND mask: all zero, the alpha channel decides.
        const int maskRow = ((size + 31) / 32) * 4;
        img.insert(img.end(), static_cast<size_t>(maskRow) * size, 0);
        images.push_back(std::move(img));
    }
    std::vector<uint8_t> out;
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, static_cast<unsigned>(sizes.size()));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(sizes.size());
    for (size_t i = 0; i < sizes.size(); ++i) {
        out.push_back(sizes[i] >= 256 ? 0 : sizes[i]);
        out.push_back(sizes[i] >= 256 ? 0 : sizes[i]);
        out.push_back(0);
        out.push_back(0);
        Put16(out, 1);
        Put16(out, 32);
        Put32(out, static_cast<uint32_t>(images[i].size()));
        Put32(out, offset);
        offset += static_cast<uint32_t>(images[i].size());
    }
    for (const auto& img : images) out.insert(out.end(), img.begin(), img.end());
    return WriteAll(path, out);
}

double TextWidth(cairo_t* cr, const std::string& text, const TextStyle& style) {
    PangoLayout* layout = LayoutFor(cr, text, style);
    int w = 0, h = 0;
    pango_layout_get_pixel_size(layout, &w, &h);
    g_object_unref(layout);
    return w;
}

void DrawText(cairo_t* cr, const Rect& r, const std::string& text, TextStyle style) {
    if (text.empty()) return;
    // Shrink until it fits; never below 7 pixels.
    while (style.size > 7 && TextWidth(cr, text, style) > r.width() - 2) style.size -= 0.5;
    PangoLayout* layout = LayoutFor(cr, text, style);
    PangoRectangle ink, logical;
    pango_layout_get_pixel_extents(layout, &ink, &logical);
    double x = r.left;
    if (style.align == Align::Centre) x = r.left + (r.width() - logical.width) / 2.0;
    if (style.align == Align::Right) x = r.right - logical.width;
    // Centre the ink, not the line box, so capitals and CJK sit in the middle of the control.
    const double y = r.top + (r.height() - ink.height) / 2.0 - ink.y;
    cairo_save(cr);
    if (style.glow > 0) {
        for (int pass = 3; pass >= 1; --pass) {
            const double d = style.glow * pass / 3.0;
            Colour c = style.colour;
            c.a = 0.05;
            SetColour(cr, c);
            for (int i = 0; i < 8; ++i) {
                const double a = i * M_PI / 4;
                cairo_move_to(cr, std::round(x) + d * std::cos(a), std::round(y) + d * std::sin(a));
                pango_cairo_show_layout(cr, layout);
            }
        }
    }
    SetColour(cr, style.colour);
    cairo_move_to(cr, std::round(x), std::round(y));
    pango_cairo_show_layout(cr, layout);
    cairo_restore(cr);
    g_object_unref(layout);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double radius) {
    radius = std::min({radius, w / 2, h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - radius, y + radius, radius, -M_PI / 2, 0);
    cairo_arc(cr, x + w - radius, y + h - radius, radius, 0, M_PI / 2);
    cairo_arc(cr, x + radius, y + h - radius, radius, M_PI / 2, M_PI);
    cairo_arc(cr, x + radius, y + radius, radius, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void SetColour(cairo_t* cr, Colour c) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a);
}

void FillRect(cairo_t* cr, const Rect& r, Colour c) {
    SetColour(cr, c);
    cairo_rectangle(cr, r.left, r.top, r.width(), r.height());
    cairo_fill(cr);
}

void VerticalGradient(cairo_t* cr, double y0, double y1, Colour top, Colour bottom) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
    cairo_pattern_add_color_stop_rgba(p, 0, top.r, top.g, top.b, top.a);
    cairo_pattern_add_color_stop_rgba(p, 1, bottom.r, bottom.g, bottom.b, bottom.a);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
}

void QuadPath(cairo_t* cr, const Quad& q) {
    cairo_move_to(cr, q[0].x, q[0].y);
    for (int i = 1; i < 4; ++i) cairo_line_to(cr, q[i].x, q[i].y);
    cairo_close_path(cr);
}

}  // namespace skinr
