#include "skin/thumb_shape.h"

#include <gtest/gtest.h>

namespace tarn::skin {
namespace {

// A 5 x 3 picture: '.' is the corner colour (black after rendering onto black), 'o' the knob.
std::vector<uint32_t> Picture(const char* rows, uint32_t knob = 0xE8BE1C) {
    std::vector<uint32_t> pixels;
    for (const char* c = rows; *c; ++c) {
        if (*c == '\n') continue;
        pixels.push_back(*c == 'o' ? knob : 0x000000);
    }
    return pixels;
}

TEST(ThumbShape, CornersOfTheTopLeftColourAreCutOut) {
    const auto pixels = Picture(".ooo.\nooooo\n.o.o.");
    const std::vector<PixelRun> runs = ShapeRuns(pixels, 5, 3);
    const std::vector<PixelRun> expected{{0, 1, 4}, {1, 0, 5}, {2, 1, 2}, {2, 3, 4}};
    EXPECT_EQ(runs, expected);
}

TEST(ThumbShape, AlphaBitsDoNotCountAndAFullPictureIsOneRunARow) {
    auto pixels = Picture("ooo\nooo", 0x123456);
    pixels[4] |= 0xFF000000u;  // the same colour with alpha bits set
    const std::vector<PixelRun> runs = ShapeRuns(pixels, 3, 2);
    // The top-left pixel decides the cut colour: a picture of one colour leaves nothing.
    EXPECT_TRUE(runs.empty());
}

TEST(ThumbShape, MissingOrShortPicturesGiveNoShape) {
    EXPECT_TRUE(ShapeRuns({}, 0, 0).empty());
    EXPECT_TRUE(ShapeRuns({1, 2, 3}, 2, 2).empty());
}

}  // namespace
}  // namespace tarn::skin
