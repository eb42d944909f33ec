#include "lighting/led_hints.h"

namespace tarn {

std::vector<LedHintTarget> LedHintTargets(bool chinese) {
    namespace lp = geo::lighting_page;
    const auto at = [chinese](const geo::Placed& p) { return p.get(chinese); };
    return {
        {at(lp::kMode4), 26},       {at(lp::kMode3), 27},       {at(lp::kMode5), 28},
        {at(lp::kMode2), 29},       {at(lp::kMode2Slider), 76}, {at(lp::kMode1), 31},
        {at(lp::kMode1Slider), 32}, {at(lp::kBodyOn), 37},      {at(lp::kBodyOff), 38},
        {at(lp::kRedSlider), 39},   {at(lp::kGreenSlider), 39}, {at(lp::kBlueSlider), 39},
        {at(lp::kTitles[0]), 75},   {at(lp::kTitles[1]), 80},   {at(lp::kTitles[2]), 81},
        {at(lp::kTitles[3]), 82},   {at(lp::kSwatch), 83},      {at(lp::kTitles[4]), 84},
        {at(lp::kTitles[5]), 85},
    };
}

std::vector<int> LedHintIds(const std::vector<LedHintTarget>& targets, int x, int y) {
    std::vector<int> ids;
    for (const LedHintTarget& t : targets) {
        const geo::Rect grown{t.rect.left - 1, t.rect.top - 1, t.rect.right + 1, t.rect.bottom + 1};
        if (grown.contains(x, y)) ids.push_back(t.hintId);
    }
    return ids;
}

}  // namespace tarn
