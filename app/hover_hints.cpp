#include "app/hover_hints.h"

#include "app/hint_table.h"

namespace tarn {

std::vector<int> HoverHintIds(std::span<const HintTarget> targets, int x, int y) {
    std::vector<int> ids;
    for (const HintTarget& target : targets) {
        const geo::Rect& r = target.rect;
        const geo::Rect grown{r.left - 1, r.top - 1, r.right + 1, r.bottom + 1};
        if (grown.contains(x, y)) ids.push_back(target.hintId);
    }
    return ids;
}

std::vector<HintTarget> MainWindowHintTargets() {
    namespace mw = geo::main_window;
    std::vector<HintTarget> targets;
    for (size_t i = 0; i < mw::kTabs.size(); ++i) {
        targets.push_back({geo::BoundingBox(mw::kTabs[i]), kHintFirstTab + static_cast<int>(i)});
    }
    for (size_t i = 0; i < mw::kProfiles.size(); ++i) {
        targets.push_back(
            {geo::BoundingBox(mw::kProfiles[i]), kHintFirstProfile + static_cast<int>(i)});
    }
    targets.push_back({geo::BoundingBox(mw::kOk), kHintApplyButton});
    return targets;
}

}  // namespace tarn
