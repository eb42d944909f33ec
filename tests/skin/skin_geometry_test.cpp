#include "skin/skin_geometry.h"

#include <gtest/gtest.h>

namespace tarn::geo {
namespace {

bool Inside(const Rect& r, Size s) {
    return r.left >= 0 && r.top >= 0 && r.right <= s.width && r.bottom <= s.height &&
           r.left < r.right && r.top < r.bottom;
}

// A typo in a rectangle would put a label or a button outside its picture.
TEST(SkinGeometry, EveryControlLiesInsideItsWindow) {
    for (const Quad& q : main_window::kTabs)
        EXPECT_TRUE(Inside(BoundingBox(q), main_window::kSize));
    for (const Quad& q : main_window::kProfiles) {
        EXPECT_TRUE(Inside(BoundingBox(q), main_window::kSize));
    }
    EXPECT_TRUE(Inside(BoundingBox(main_window::kOk), main_window::kSize));
    for (const Rect& r :
         {info_box::kClose, info_box::kOkAlone, info_box::kOkWithCancel, info_box::kCancel,
          info_box::kMessage, info_box::kMessageRoom, info_box::kTitle}) {
        EXPECT_TRUE(Inside(r, info_box::kSize));
    }
    EXPECT_TRUE(Inside(progress_window::kBar, progress_window::kSize));
    for (int i = 0; i < 8; ++i) EXPECT_TRUE(Inside(button_page::DpiToggle(i), button_page::kSize));
    for (int i = 0; i < 7; ++i) {
        EXPECT_TRUE(Inside(BoundingBox(button_page::Tab(i)), button_page::kSize)) << i;
        EXPECT_TRUE(Inside(button_page::kMarkers[i].zh, button_page::kSize)) << i;
        EXPECT_TRUE(Inside(button_page::kMarkers[i].en, button_page::kSize)) << i;
    }
    for (const Rect& r : panel::kTabs) EXPECT_TRUE(Inside(r, panel::kSize));
    EXPECT_TRUE(Inside(panel::kOk, panel::kSize));
    for (int chinese = 0; chinese < 2; ++chinese) {
        for (int k = 0; k < lighting_page::kPresetCount; ++k) {
            EXPECT_TRUE(Inside(lighting_page::PresetSwatch(k, chinese), lighting_page::kSize));
        }
    }
    EXPECT_TRUE(Inside(lighting_page::kWheel, lighting_page::kSize));
    for (int k = 0; k < stats_page::kTrophyLevels; ++k) {
        EXPECT_TRUE(Inside(stats_page::SmallTrophy(k), stats_page::kSize)) << k;
    }
    EXPECT_TRUE(Inside(stats_page::kBigTrophy, stats_page::kSize));
    EXPECT_TRUE(Inside(support_page::kRestore, support_page::kSize));
}

TEST(SkinGeometry, TabsOfTheMainWindowDoNotOverlap) {
    for (size_t i = 1; i < main_window::kTabs.size(); ++i) {
        // Neighbouring slanted tabs share no pixel along their top edge.
        EXPECT_LT(main_window::kTabs[i - 1][1].x, main_window::kTabs[i][0].x) << i;
    }
}

TEST(SkinGeometry, PresetSwatchesAndSmallTrophiesFollowTheirGrids) {
    // Swatch 25 is the fifth of the fourth row; the columns after the fifth move one left.
    EXPECT_EQ(lighting_page::PresetSwatch(25, false).left, 177 + 40 * 4);
    EXPECT_EQ(lighting_page::PresetSwatch(25, false).top, 258 + 41 * 3);
    EXPECT_EQ(lighting_page::PresetSwatch(6, false).left, 177 + 240 - 1);
    EXPECT_EQ(
        lighting_page::PresetSwatch(6, true).bottom - lighting_page::PresetSwatch(6, true).top, 32);
    EXPECT_EQ(stats_page::SmallTrophy(12).left, 647 + 100);
    EXPECT_EQ(stats_page::SmallTrophy(12).top, 132 + 116);
    EXPECT_EQ(BoundingBox(button_page::Tab(6)).right, 692);
}

}  // namespace
}  // namespace tarn::geo
