#include "skin/picture_cut.h"

#include <climits>

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

}  // namespace
}  // namespace tarn::skin
