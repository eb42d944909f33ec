#include "skin/picture_cut.h"

#include <algorithm>
#include <cstring>

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

namespace {

bool PlanFits(const CutPlan& p, int sourceWidth, int sourceHeight, int pieceWidth,
              int pieceHeight) {
    if (p.sourceLeft < 0 || p.sourceTop < 0 || p.destLeft < 0 || p.destTop < 0) return false;
    if (p.width <= 0 || p.height <= 0) return false;
    return p.sourceLeft + p.width <= sourceWidth && p.sourceTop + p.height <= sourceHeight &&
           p.destLeft + p.width <= pieceWidth && p.destTop + p.height <= pieceHeight;
}

}  // namespace

bool CopyCut(const PixelRows& source, const CutPlan& plan, uint32_t* piece, int pieceWidth,
             int pieceHeight) {
    if (plan.empty || !source.bits || !piece) return false;
    if (source.bitsPerPixel != 24 && source.bitsPerPixel != 32) return false;
    const size_t bytesPerPixel = static_cast<size_t>(source.bitsPerPixel / 8);
    if (source.stride < static_cast<size_t>(source.width) * bytesPerPixel) return false;
    if (!PlanFits(plan, source.width, source.height, pieceWidth, pieceHeight)) return false;
    for (int row = 0; row < plan.height; ++row) {
        const int sourceRow = plan.sourceTop + row;
        const int storedRow = source.bottomUp ? source.height - 1 - sourceRow : sourceRow;
        const uint8_t* from = source.bits + static_cast<size_t>(storedRow) * source.stride +
                              static_cast<size_t>(plan.sourceLeft) * bytesPerPixel;
        uint32_t* to = piece + static_cast<size_t>(plan.destTop + row) * pieceWidth + plan.destLeft;
        if (bytesPerPixel == 4) {
            std::memcpy(to, from, static_cast<size_t>(plan.width) * 4);
            continue;
        }
        for (int i = 0; i < plan.width; ++i, from += 3) {
            to[i] = static_cast<uint32_t>(from[0]) | static_cast<uint32_t>(from[1]) << 8 |
                    static_cast<uint32_t>(from[2]) << 16;
        }
    }
    return true;
}

}  // namespace tarn::skin
