#include "update/sha256.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/memory_file_system.h"

namespace tarn {
namespace {

// The FIPS 180-2 examples and the usual extra vectors.
TEST(Sha256Test, StandardVectors) {
    EXPECT_EQ(Sha256Hex(Sha256Of("")),
              "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(Sha256Hex(Sha256Of("abc")),
              "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(Sha256Hex(Sha256Of("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq")),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    EXPECT_EQ(Sha256Hex(Sha256Of("abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmn"
                                 "hijklmnoijklmnopjklmnopqklmnopqrlmnopqrsmnopqrstnopqrstu")),
              "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1");
    EXPECT_EQ(Sha256Hex(Sha256Of(std::string(1000000, 'a'))),
              "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

// Lengths around the padding boundary, fed in uneven pieces, give the one-shot digest.
TEST(Sha256Test, PiecesAndPaddingBoundaries) {
    for (size_t length : {55u, 56u, 63u, 64u, 65u, 119u, 120u, 128u}) {
        std::string text;
        for (size_t i = 0; i < length; ++i) text += static_cast<char>('a' + i % 26);
        Sha256 pieces;
        for (size_t i = 0; i < length; i += 7) {
            pieces.Update(text.data() + i, std::min<size_t>(7, length - i));
        }
        EXPECT_EQ(pieces.Finish(), Sha256Of(text)) << length;
    }
}

TEST(Sha256Test, HexDigestsAreReadStrictly) {
    const std::string hex = "BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD";
    Sha256Digest digest{};
    ASSERT_TRUE(ParseSha256Hex(u"  " + std::u16string(hex.begin(), hex.end()) + u"\n", digest));
    EXPECT_EQ(digest, Sha256Of("abc"));
    EXPECT_FALSE(ParseSha256Hex(u"", digest));
    EXPECT_FALSE(ParseSha256Hex(std::u16string(63, u'a'), digest));
    EXPECT_FALSE(ParseSha256Hex(std::u16string(65, u'a'), digest));
    EXPECT_FALSE(ParseSha256Hex(std::u16string(63, u'a') + u"g", digest));
    EXPECT_EQ(digest, Sha256Of("abc"));  // a failed read leaves the digest alone
}

TEST(Sha256Test, DigestOfAFile) {
    test::ScopedMemoryFileSystem files;
    files.fs.AddFile(u"C:\\image.bin", std::vector<uint8_t>(200000, 0x5A));
    Sha256Digest digest{};
    uint64_t size = 0;
    ASSERT_TRUE(Sha256OfFile(files.fs, u"C:\\image.bin", digest, &size));
    EXPECT_EQ(size, 200000u);
    EXPECT_EQ(digest, Sha256Of(std::string(200000, 0x5A)));
    EXPECT_FALSE(Sha256OfFile(files.fs, u"C:\\missing.bin", digest));
}

}  // namespace
}  // namespace tarn
