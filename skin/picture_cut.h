// Which pixels a cut copies: the part of the requested rectangle that lies inside the source.
// Cutting never reads outside a skin, whatever rectangle a page asks for.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarn::skin {

struct CutPlan {
    bool empty = true;  // nothing of the rectangle lies in the source
    int sourceLeft = 0, sourceTop = 0;
    int destLeft = 0, destTop = 0;  // where that part lands in the piece
    int width = 0, height = 0;
};

CutPlan PlanCut(int x, int y, int width, int height, int sourceWidth, int sourceHeight);

// A picture's pixels as the system keeps a device-independent bitmap: rows of 24-bit B,G,R or
// 32-bit B,G,R,A pixels, each row padded to `stride` bytes, stored bottom row first or top row
// first.
struct PixelRows {
    const uint8_t* bits = nullptr;
    int width = 0, height = 0;
    int bitsPerPixel = 0;
    size_t stride = 0;
    bool bottomUp = true;
};

// Copies the planned part of `source` into `piece`, a top-down 32-bit picture of pieceWidth x
// pieceHeight pixels, leaving the rest of the piece as it is. The bytes are those a block copy
// between the two bitmaps gives: 24-bit pixels get a zero fourth byte. False, with nothing
// copied, for a pixel format other than 24 or 32 bits or a plan that does not fit.
bool CopyCut(const PixelRows& source, const CutPlan& plan, uint32_t* piece, int pieceWidth,
             int pieceHeight);

}  // namespace tarn::skin
