#include "skin/picture_cut.h"

#include <algorithm>

namespace tarn::skin {

CutPlan PlanCut(int x, int y, int width, int height, int sourceWidth, int sourceHeight) {
    CutPlan plan;
    if (width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0) return plan;
    // Widened arithmetic: a rectangle near the end of the int range must not wrap.
    const long long left = std::max<long long>(x, 0), top = std::max<long long>(y, 0);
    const long long right = std::min<long long>(static_cast<long long>(x) + width, sourceWidth);
    const long long bottom = std::min<long long>(static_cast<long long>(y) + height, sourceHeight);
    if (right <= left || bottom <= top) return plan;
    plan.empty = false;
    plan.sourceLeft = static_cast<int>(left);
    plan.sourceTop = static_cast<int>(top);
    plan.destLeft = static_cast<int>(left - x);
    plan.destTop = static_cast<int>(top - y);
    plan.width = static_cast<int>(right - left);
    plan.height = static_cast<int>(bottom - top);
    return plan;
}

}  // namespace tarn::skin
