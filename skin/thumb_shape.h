// The outline of a slider thumb: its picture rendered onto black, every pixel of the top-left
// pixel's colour left out, so transparent corners do not catch the mouse.
#pragma once

#include <cstdint>
#include <vector>

namespace tarn::skin {

struct PixelRun {
    int y, left, right;  // [left, right) on row y
    bool operator==(const PixelRun&) const = default;
};

// pixels: width x height values 0x00RRGGBB, row by row (any alpha bits are ignored).
std::vector<PixelRun> ShapeRuns(const std::vector<uint32_t>& pixels, int width, int height);

}  // namespace tarn::skin
