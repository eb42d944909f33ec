// Which pixels a cut copies: the part of the requested rectangle that lies inside the source.
// Cutting never reads outside a skin, whatever rectangle a page asks for.
#pragma once

namespace tarn::skin {

struct CutPlan {
    bool empty = true;  // nothing of the rectangle lies in the source
    int sourceLeft = 0, sourceTop = 0;
    int destLeft = 0, destTop = 0;  // where that part lands in the piece
    int width = 0, height = 0;
};

CutPlan PlanCut(int x, int y, int width, int height, int sourceWidth, int sourceHeight);

}  // namespace tarn::skin
