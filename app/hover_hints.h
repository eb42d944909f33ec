// The main window's hover rule: a pointer over the window's own background selects the hint of
// every tab, profile button and the OK button whose window rectangle, grown by one pixel on each
// side, holds it. The margin keeps the hint while the pointer crosses a button's edge.
#pragma once

#include <span>
#include <vector>

#include "skin/skin_geometry.h"

namespace tarn {

struct HintTarget {
    geo::Rect rect;  // the control's window rectangle in client coordinates
    int hintId;
};

// The hint ids to post for a pointer at (x, y), in the order of the targets.
std::vector<int> HoverHintIds(std::span<const HintTarget> targets, int x, int y);

// The main window's targets: tabs 1..5, profile buttons 6..10 and the OK button 11, each the
// bounding box of its outline.
std::vector<HintTarget> MainWindowHintTargets();

}  // namespace tarn
