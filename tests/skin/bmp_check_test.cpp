#include "skin/bmp_check.h"

#include <cstdint>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

namespace tarn::skin {
namespace {

void Put16(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}
void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    Put16(b, at, v);
    Put16(b, at + 2, v >> 16);
}

// A BMP with a 40-byte header, its colour table and every pixel row, as a skin file holds it.
std::vector<uint8_t> Bmp(int32_t width, int32_t height, uint16_t bits, uint32_t compression = 0,
                         uint32_t colours = 0, uint32_t pixelBytes = 0) {
    const uint32_t masks = compression == 3 ? 12 : 0;
    const uint32_t table = bits <= 8 ? (colours ? colours : 1u << bits) * 4 : colours * 4;
    const uint32_t offset = 54 + masks + table;
    if (pixelBytes == 0) {
        const uint32_t rows = static_cast<uint32_t>(height < 0 ? -height : height);
        pixelBytes = (static_cast<uint32_t>(width) * bits + 31) / 32 * 4 * rows;
    }
    std::vector<uint8_t> b(offset + pixelBytes, 0x5A);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, static_cast<uint32_t>(b.size()));
    Put32(b, 10, offset);
    Put32(b, 14, 40);
    Put32(b, 18, static_cast<uint32_t>(width));
    Put32(b, 22, static_cast<uint32_t>(height));
    Put16(b, 26, 1);
    Put16(b, 28, bits);
    Put32(b, 30, compression);
    Put32(b, 34, compression == 1 || compression == 2 ? pixelBytes : 0);
    Put32(b, 46, colours);
    return b;
}

bool Loadable(const std::vector<uint8_t>& b) {
    return PictureBytesLoadable(b.data(), b.size());
}
std::vector<uint8_t> Cut(std::vector<uint8_t> b, size_t size) {
    b.resize(size);
    return b;
}

TEST(BmpCheck, SoundPicturesPass) {
    EXPECT_TRUE(Loadable(Bmp(925, 456, 24)));
    EXPECT_TRUE(Loadable(Bmp(925, -456, 24)));  // stored top row first
    EXPECT_TRUE(Loadable(Bmp(37, 22, 32, 3)));  // with its three bit masks
    EXPECT_TRUE(Loadable(Bmp(19, 11, 8)));      // 256 colours
    EXPECT_TRUE(Loadable(Bmp(19, 11, 4, 0, 3)));
    EXPECT_TRUE(Loadable(Bmp(19, 11, 1)));
    EXPECT_TRUE(Loadable(Bmp(100, 10, 8, 1, 0, 300)));  // run-length data of its stated size
    // The old, 12-byte header: 24 bits, no colour table.
    std::vector<uint8_t> core(26 + 4 * 3 * 2, 0);
    core[0] = 'B';
    core[1] = 'M';
    Put32(core, 10, 26);
    Put32(core, 14, 12);
    Put16(core, 18, 3);
    Put16(core, 20, 2);
    Put16(core, 22, 1);
    Put16(core, 24, 24);
    EXPECT_TRUE(Loadable(core));
    EXPECT_FALSE(Loadable(Cut(core, core.size() - 1)));
}

TEST(BmpCheck, CutShortFilesAreRefused) {
    const std::vector<uint8_t> skin = Bmp(959, 639, 24);
    EXPECT_FALSE(Loadable(Cut(skin, 54)));               // the header alone
    EXPECT_FALSE(Loadable(Cut(skin, skin.size() / 2)));  // half the pixels
    EXPECT_FALSE(Loadable(Cut(skin, skin.size() - 1)));  // one byte short
    EXPECT_FALSE(Loadable(Cut(skin, 30)));               // inside the header
    EXPECT_FALSE(Loadable(Cut(skin, 2)));                // "BM"
    EXPECT_FALSE(Loadable({}));
    EXPECT_FALSE(PictureBytesLoadable(nullptr, 10));
    // The colour table ends past the file.
    EXPECT_FALSE(Loadable(Cut(Bmp(4, 4, 8), 54 + 100)));
    // Run-length data shorter than its stated size.
    EXPECT_FALSE(Loadable(Cut(Bmp(100, 10, 8, 1, 0, 300), 54 + 1024 + 299)));
}

TEST(BmpCheck, HeadersThatLieAreRefused) {
    auto with = [](size_t at, uint32_t value, bool wide = true) {
        std::vector<uint8_t> b = Bmp(64, 64, 24);
        wide ? Put32(b, at, value) : Put16(b, at, value);
        return b;
    };
    EXPECT_FALSE(Loadable(with(18, 100000)));  // 100000 x 64 pixels in a small file
    EXPECT_FALSE(Loadable(with(22, 0x7FFFFFFF)));
    EXPECT_FALSE(Loadable(with(22, 0x80000000)));  // the most negative height
    EXPECT_FALSE(Loadable(with(18, 0)));
    EXPECT_FALSE(Loadable(with(18, 0xFFFFFFC0)));  // negative width
    EXPECT_FALSE(Loadable(with(22, 0)));
    EXPECT_FALSE(Loadable(with(26, 2, false)));  // two planes
    EXPECT_FALSE(Loadable(with(28, 7, false)));
    EXPECT_FALSE(Loadable(with(28, 0, false)));
    EXPECT_FALSE(Loadable(with(30, 4)));  // a JPEG inside
    EXPECT_FALSE(Loadable(with(14, 41)));
    EXPECT_FALSE(Loadable(with(14, 0xFFFFFFF0)));
    EXPECT_FALSE(Loadable(with(10, 0)));                  // pixels inside the header
    EXPECT_FALSE(Loadable(with(10, 0xFFFFFFFF)));         // past the end
    EXPECT_FALSE(Loadable(with(46, 0x40000000)));         // a colour table of a billion entries
    EXPECT_FALSE(Loadable(Bmp(100, -10, 8, 1, 0, 300)));  // run-length data top row first
}

TEST(BmpCheck, OtherFormatsAreLeftToTheirLoader) {
    const std::string_view gif = "GIF89a\x01\x00\x01\x00";
    EXPECT_TRUE(PictureBytesLoadable(reinterpret_cast<const uint8_t*>(gif.data()), gif.size()));
    const std::vector<uint8_t> random = {0x13, 0x99, 0x00, 0xFE};
    EXPECT_TRUE(Loadable(random));
    EXPECT_TRUE(Loadable({'B'}));
}

}  // namespace
}  // namespace tarn::skin
