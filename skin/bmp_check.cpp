#include "skin/bmp_check.h"

namespace tarn::skin {

namespace {

constexpr size_t kFileHeader = 14;
constexpr uint32_t kCoreHeader = 12;
// Far beyond any skin, small enough that no size below overflows 64 bits.
constexpr int64_t kMaxSide = 1 << 16;

enum Compression : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6 };

uint32_t U16(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8;
}
uint32_t U32(const uint8_t* p) {
    return U16(p) | U16(p + 2) << 16;
}

struct BmpHeader {
    uint32_t size = 0;
    int64_t width = 0, height = 0;
    uint32_t planes = 0, bits = 0, compression = kRgb, imageSize = 0;
    uint64_t colours = 0;  // colour table entries
    uint32_t entryBytes = 4;
    uint32_t maskBytes = 0;  // bit masks that follow a 40-byte header
};

bool KnownInfoHeader(uint32_t size) {
    return size == 40 || size == 52 || size == 56 || size == 64 || size == 108 || size == 124;
}

bool ReadHeader(const uint8_t* bytes, size_t size, BmpHeader& h) {
    if (size < kFileHeader + 4) return false;
    h.size = U32(bytes + kFileHeader);
    if (h.size > size - kFileHeader) return false;
    const uint8_t* p = bytes + kFileHeader;
    if (h.size == kCoreHeader) {
        h.width = U16(p + 4);
        h.height = U16(p + 6);
        h.planes = U16(p + 8);
        h.bits = U16(p + 10);
        h.entryBytes = 3;
        h.colours = h.bits <= 8 ? uint64_t{1} << h.bits : 0;
        return true;
    }
    if (!KnownInfoHeader(h.size)) return false;
    h.width = static_cast<int32_t>(U32(p + 4));
    h.height = static_cast<int32_t>(U32(p + 8));
    h.planes = U16(p + 12);
    h.bits = U16(p + 14);
    h.compression = U32(p + 16);
    h.imageSize = U32(p + 20);
    const uint32_t used = U32(p + 32);
    h.colours = used != 0 ? used : (h.bits <= 8 ? uint64_t{1} << h.bits : 0);
    if (h.size == 40 && h.compression == kBitFields) h.maskBytes = 12;
    if (h.size == 40 && h.compression == kAlphaBitFields) h.maskBytes = 16;
    return true;
}

bool SaneFormat(const BmpHeader& h) {
    if (h.planes != 1 || h.width <= 0 || h.height == 0) return false;
    if (h.width > kMaxSide || h.height > kMaxSide || h.height < -kMaxSide) return false;
    switch (h.compression) {
        case kRgb:
            return h.bits == 1 || h.bits == 4 || h.bits == 8 || h.bits == 16 || h.bits == 24 ||
                   h.bits == 32;
        case kBitFields:
        case kAlphaBitFields:
            return h.bits == 16 || h.bits == 32;
        // Run-length pictures are stored bottom-up only.
        case kRle8:
            return h.bits == 8 && h.height > 0;
        case kRle4:
            return h.bits == 4 && h.height > 0;
        default:
            return false;
    }
}

// The bytes of the pixels: every row in full, or the stated size of run-length data (whose
// decoder stops at the end of that size).
uint64_t PixelBytes(const BmpHeader& h) {
    if (h.compression == kRle8 || h.compression == kRle4) return h.imageSize;
    const uint64_t stride = (static_cast<uint64_t>(h.width) * h.bits + 31) / 32 * 4;
    const uint64_t rows = static_cast<uint64_t>(h.height < 0 ? -h.height : h.height);
    return stride * rows;
}

}  // namespace

bool PictureBytesLoadable(const uint8_t* bytes, size_t size) {
    if (!bytes || size == 0) return false;
    if (size < 2 || bytes[0] != 'B' || bytes[1] != 'M') return true;
    BmpHeader h;
    if (!ReadHeader(bytes, size, h) || !SaneFormat(h)) return false;
    const uint64_t tableEnd =
        kFileHeader + uint64_t{h.size} + h.maskBytes + h.colours * h.entryBytes;
    const uint64_t offset = U32(bytes + 10);
    const uint64_t pixels = PixelBytes(h);
    if (tableEnd > size || offset < kFileHeader + h.size || pixels == 0) return false;
    return offset <= size && pixels <= size - offset;
}

}  // namespace tarn::skin
