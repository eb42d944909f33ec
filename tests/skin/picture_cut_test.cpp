#include "skin/picture_cut.h"

#include <climits>
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

namespace tarn::skin {
namespace {

TEST(PictureCut, InsideTheSourceCopiesTheWholeRectangle) {
    const CutPlan p = PlanCut(104, 167, 189, 12, 925, 456);
    ASSERT_FALSE(p.empty);
    EXPECT_EQ(p.sourceLeft, 104);
    EXPECT_EQ(p.sourceTop, 167);
    EXPECT_EQ(p.destLeft, 0);
    EXPECT_EQ(p.destTop, 0);
    EXPECT_EQ(p.width, 189);
    EXPECT_EQ(p.height, 12);
}

TEST(PictureCut, NeverReadsOutsideTheSource) {
    // Over the right and bottom edges: only the part inside is read.
    CutPlan p = PlanCut(900, 440, 50, 30, 925, 452);
    ASSERT_FALSE(p.empty);
    EXPECT_EQ(p.width, 25);
    EXPECT_EQ(p.height, 12);
    // Left of and above the source: the piece is filled from its own offset.
    p = PlanCut(-10, -4, 30, 20, 100, 100);
    ASSERT_FALSE(p.empty);
    EXPECT_EQ(p.sourceLeft, 0);
    EXPECT_EQ(p.sourceTop, 0);
    EXPECT_EQ(p.destLeft, 10);
    EXPECT_EQ(p.destTop, 4);
    EXPECT_EQ(p.width, 20);
    EXPECT_EQ(p.height, 16);
    // A rectangle larger than the source on every side.
    p = PlanCut(-5, -5, 200, 200, 50, 40);
    EXPECT_EQ(p.width, 50);
    EXPECT_EQ(p.height, 40);
    EXPECT_EQ(p.destLeft, 5);
}

TEST(PictureCut, NothingToCopyWhenOutsideEmptyOrMissing) {
    EXPECT_TRUE(PlanCut(925, 0, 10, 10, 925, 452).empty);
    EXPECT_TRUE(PlanCut(-20, 0, 20, 10, 925, 452).empty);
    EXPECT_TRUE(PlanCut(0, 0, 0, 10, 925, 452).empty);
    EXPECT_TRUE(PlanCut(0, 0, 10, -3, 925, 452).empty);
    // A missing skin is a source of size 0: the control stays blank.
    EXPECT_TRUE(PlanCut(0, 0, 10, 10, 0, 0).empty);
    // Rectangles near the end of the int range do not wrap around into the source.
    EXPECT_TRUE(PlanCut(INT_MAX - 5, 0, 100, 10, 925, 452).empty);
    const CutPlan p = PlanCut(INT_MIN + 1, 0, INT_MAX, 10, 925, 452);
    EXPECT_TRUE(p.empty);
}

// A 3 x 2 picture whose pixel (x, y) has blue x, green y and red 0x80 + x + 3y.
std::vector<uint8_t> Rows24(bool bottomUp) {
    std::vector<uint8_t> bits(2 * 12, 0xEE);  // rows of 9 bytes padded to 12
    for (int y = 0; y < 2; ++y) {
        const int stored = bottomUp ? 1 - y : y;
        for (int x = 0; x < 3; ++x) {
            uint8_t* p = &bits[stored * 12 + x * 3];
            p[0] = static_cast<uint8_t>(x);
            p[1] = static_cast<uint8_t>(y);
            p[2] = static_cast<uint8_t>(0x80 + x + 3 * y);
        }
    }
    return bits;
}

uint32_t Expected(int x, int y) {
    return static_cast<uint32_t>(x) | static_cast<uint32_t>(y) << 8 |
           static_cast<uint32_t>(0x80 + x + 3 * y) << 16;
}

TEST(PictureCopy, TwentyFourBitRowsInEitherOrderGiveTheSamePiece) {
    for (bool bottomUp : {true, false}) {
        const std::vector<uint8_t> bits = Rows24(bottomUp);
        const PixelRows source{bits.data(), 3, 2, 24, 12, bottomUp};
        std::vector<uint32_t> piece(3 * 2, 0xDEADBEEF);
        ASSERT_TRUE(CopyCut(source, PlanCut(0, 0, 3, 2, 3, 2), piece.data(), 3, 2));
        for (int y = 0; y < 2; ++y) {
            for (int x = 0; x < 3; ++x) {
                // The padding bytes never leak in, and the fourth byte is zero.
                EXPECT_EQ(piece[y * 3 + x], Expected(x, y)) << bottomUp << " " << x << "," << y;
            }
        }
    }
}

TEST(PictureCopy, PartlyOutsideTheSourceLeavesTheRestOfThePieceAlone) {
    const std::vector<uint8_t> bits = Rows24(true);
    const PixelRows source{bits.data(), 3, 2, 24, 12, true};
    // A 3 x 3 piece whose top-left corner lies at (1, -1): it gets pixels (1..2, 0..1).
    std::vector<uint32_t> piece(9, 0);
    ASSERT_TRUE(CopyCut(source, PlanCut(1, -1, 3, 3, 3, 2), piece.data(), 3, 3));
    const std::vector<uint32_t> want = {
        0, 0, 0, Expected(1, 0), Expected(2, 0), 0, Expected(1, 1), Expected(2, 1), 0};
    EXPECT_EQ(piece, want);
}

TEST(PictureCopy, ThirtyTwoBitPixelsKeepTheirFourthByte) {
    const std::vector<uint32_t> pixels = {0xFF000001, 0x80000002, 0x00000003, 0x7F000004};
    const PixelRows source{reinterpret_cast<const uint8_t*>(pixels.data()), 2, 2, 32, 8, false};
    std::vector<uint32_t> piece(1, 0);
    ASSERT_TRUE(CopyCut(source, PlanCut(1, 1, 1, 1, 2, 2), piece.data(), 1, 1));
    EXPECT_EQ(piece[0], 0x7F000004u);
}

TEST(PictureCopy, RefusesWhatItCannotCopySafely) {
    const std::vector<uint8_t> bits = Rows24(true);
    std::vector<uint32_t> piece(6, 0);
    const CutPlan whole = PlanCut(0, 0, 3, 2, 3, 2);
    // Palette and 16-bit pictures go the slow way.
    EXPECT_FALSE(CopyCut({bits.data(), 3, 2, 8, 12, true}, whole, piece.data(), 3, 2));
    EXPECT_FALSE(CopyCut({bits.data(), 3, 2, 16, 12, true}, whole, piece.data(), 3, 2));
    // Rows shorter than the width, a piece too small for the plan, no pixels, nothing to copy.
    EXPECT_FALSE(CopyCut({bits.data(), 3, 2, 24, 8, true}, whole, piece.data(), 3, 2));
    EXPECT_FALSE(CopyCut({bits.data(), 3, 2, 24, 12, true}, whole, piece.data(), 2, 2));
    EXPECT_FALSE(CopyCut({nullptr, 3, 2, 24, 12, true}, whole, piece.data(), 3, 2));
    EXPECT_FALSE(
        CopyCut({bits.data(), 3, 2, 24, 12, true}, PlanCut(5, 5, 1, 1, 3, 2), piece.data(), 3, 2));
    // A plan made for a larger source than the one given.
    EXPECT_FALSE(
        CopyCut({bits.data(), 3, 2, 24, 12, true}, PlanCut(0, 0, 4, 2, 4, 2), piece.data(), 4, 2));
    EXPECT_EQ(piece, std::vector<uint32_t>(6, 0));
}

}  // namespace
}  // namespace tarn::skin
