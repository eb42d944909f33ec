// The lighting page's hover hints: which hint ids (message 0x805) a pointer at a page point
// selects, tested in the page's fixed order against each control's rectangle grown by one pixel.
#pragma once

#include <vector>

#include "skin/skin_geometry.h"

namespace tarn {

struct LedHintTarget {
    geo::Rect rect;  // the control's window rectangle in page coordinates
    int hintId;
};

// Every control and title area with a hint, in the order they are tested; the layout is the
// Chinese one when chinese is set.
std::vector<LedHintTarget> LedHintTargets(bool chinese);

// The ids to post for a pointer at (x, y), in the order of the targets.
std::vector<int> LedHintIds(const std::vector<LedHintTarget>& targets, int x, int y);

}  // namespace tarn
