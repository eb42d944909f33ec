#include "lighting/led_hints.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

namespace lp = geo::lighting_page;
using Ids = std::vector<int>;

TEST(LedHints, PointerSelectsTheControlsUnderItGrownByOnePixel) {
    const auto en = LedHintTargets(false), zh = LedHintTargets(true);
    const geo::Rect mode4 = lp::kMode4.en;
    EXPECT_EQ(LedHintIds(en, mode4.left - 1, mode4.top - 1), Ids{26});
    EXPECT_EQ(LedHintIds(en, mode4.right, mode4.bottom), Ids{26});
    EXPECT_EQ(LedHintIds(en, mode4.right + 1, mode4.top), Ids{});
    EXPECT_EQ(LedHintIds(en, lp::kMode2Slider.en.left + 5, lp::kMode2Slider.en.top + 2), Ids{76});
    EXPECT_EQ(LedHintIds(en, lp::kBlueSlider.en.left + 5, lp::kBlueSlider.en.top + 2), Ids{39});
    EXPECT_EQ(LedHintIds(en, lp::kSwatch.en.left + 3, lp::kSwatch.en.top + 3), Ids{83});
    // The layouts differ: the English body-light title is below its Chinese place.
    EXPECT_EQ(LedHintIds(zh, 100, 150), Ids{80});
    EXPECT_EQ(LedHintIds(en, 100, 150), Ids{});
    // Where two title areas touch, both hints are posted, in order.
    EXPECT_EQ(LedHintIds(zh, 100, 166), (Ids{80, 81}));
    // The wheel and the preset swatches have no hint.
    const geo::Rect w = lp::kWheel;
    EXPECT_EQ(LedHintIds(en, (w.left + w.right) / 2, (w.top + w.bottom) / 2), Ids{});
    const geo::Rect p = lp::PresetSwatch(3, false);
    EXPECT_EQ(LedHintIds(en, p.left + 5, p.top + 5), Ids{});
}

}  // namespace
}  // namespace tarn
