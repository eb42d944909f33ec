#include "i18n/code_page.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "base/text.h"
#include "i18n/encoding_table.h"

namespace tarn {
namespace {

TEST(EncodingTableTest, UsualNamesAndTheUtf32Rule) {
    struct Row {
        std::u16string_view name;
        uint32_t codePage;
    };
    // clang-format off
    const Row rows[] = {
        {u"utf-8", 65001},        {u"UTF-8", 65001},        {u"utf-16", 1200},
        {u"unicode", 1200},       {u"unicodeFFFE", 1201},   {u"us-ascii", 20127},
        {u"ISO-8859-1", 28591},   {u"latin1", 28591},       {u"windows-1252", 1252},
        {u"gb2312", 936},         {u"GBK", 936},            {u"big5", 950},
        {u"Shift_JIS", 932},      {u"euc-kr", 949},         {u"koi8-r", 20866},
        {u"utf-7", 65000},        {u"UTF-32", 12000},       {u"utf-32le", 12000},
        {u"UTF-32BE", 12001},     {u"utf-32-anything", 12000},
        {u"no-such-code", 0},     {u"", 0},                 {u"utf-8\u00e9", 0},
    };
    // clang-format on
    for (const Row& row : rows) {
        EXPECT_EQ(EncodingTable(row.name), row.codePage) << ToUtf8(row.name);
    }
    EXPECT_EQ(EncodingTable(std::u16string(99, u'a')), 0u);
    EXPECT_EQ(EncodingTable(u"utf-32" + std::u16string(94, u'x')), 0u);  // 100 characters
}

// Our fast decoder against the plain one in app/text.h, on text that mixes ASCII runs of
// every length with two-, three- and four-byte forms and broken sequences.
TEST(CodePageTest, FastUtf8DecoderAgreesWithThePlainOne) {
    const std::string pieces[] = {"a",
                                  "<tag>",
                                  "0123456789abcdefXYZ",
                                  "\xC3\xA9",
                                  "\xE8\xAE\xBE",
                                  "\xF0\x9F\x96\xB1",
                                  "\xED\xA0\x80",
                                  "\xE0\x80\xAF",
                                  "\xC0\xAF",
                                  "\xFF",
                                  "\x80",
                                  "\xE8\xAE",
                                  "\xF4\x90\x80\x80",
                                  std::string(40, ' ')};
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes;
        const int count = static_cast<int>(random() % 40);
        for (int i = 0; i < count; ++i) bytes += pieces[random() % std::size(pieces)];
        std::u16string fast;
        const bool valid = DecodeUtf8(bytes, fast);
        const std::u16string plain = FromUtf8(bytes);
        ASSERT_EQ(fast, plain) << "round " << round;
        EXPECT_EQ(valid, plain.find(u'\uFFFD') == std::u16string::npos) << "round " << round;
    }
}

// The edges of the two- and three-byte forms, where a quick check is easiest to get wrong:
// the smallest and largest of each, the last ones before and the first after the surrogates,
// and the overlong and surrogate forms just outside them, alone and between ASCII.
TEST(CodePageTest, EdgesOfTheShortFormsDecodeLikeThePlainDecoder) {
    const std::string forms[] = {"\xC2\x80",     "\xDF\xBF",     "\xC1\xBF",     "\xE0\xA0\x80",
                                 "\xE0\x9F\xBF", "\xED\x9F\xBF", "\xED\xA0\x80", "\xED\xBF\xBF",
                                 "\xEE\x80\x80", "\xEF\xBF\xBF", "\xE1\x80",     "\xC2"};
    for (const std::string& form : forms) {
        for (const std::string& bytes : {form, "a" + form + "b", form + form}) {
            std::u16string fast;
            DecodeUtf8(bytes, fast);
            EXPECT_EQ(fast, FromUtf8(bytes)) << testing::PrintToString(bytes);
        }
    }
}

TEST(CodePageTest, CodePagesConvertThroughThePlatform) {
    EXPECT_EQ(ConvertFromCodePage(1251, "\xCF\xF0\xE8\xE2\xE5\xF2").View(), u"Привет");
    EXPECT_EQ(ConvertFromCodePage(932, "\x83\x65\x83\x58\x83\x67").View(), u"テスト");
    EXPECT_EQ(ConvertFromCodePage(1252, "\x80 caf\xE9").View(), u"€ café");
    // Unknown code pages fall back to the ANSI code page.
    EXPECT_EQ(ConvertFromCodePage(4242, "caf\xE9").View(), u"café");
    // Bytes declared as UTF-16 have lost their zeros already; their ASCII stays readable.
    EXPECT_EQ(ConvertFromCodePage(1200, "<a>ok</a>").View(), u"<a>ok</a>");
}

// Each byte of a single-byte code page is one character, as Windows converts them: a Hebrew
// letter keeps the point after it, a Vietnamese vowel its tone mark, rather than becoming one
// precomposed character.
TEST(CodePageTest, SingleByteCodePagesKeepEveryByteItsOwnCharacter) {
    EXPECT_EQ(ConvertFromCodePage(1255, "\xF4\xCF \xF9\xD1").View(), u"\u05E4\u05BF \u05E9\u05C1");
    EXPECT_EQ(ConvertFromCodePage(1258, "a\xEC e\xDE").View(), u"a\u0301 e\u0303");
    // Bytes a code page lacks still become U+FFFD, and double-byte pages still pair bytes.
    EXPECT_EQ(ConvertFromCodePage(1255, "\xD9x").View(), u"\uFFFDx");
    EXPECT_EQ(ConvertFromCodePage(936, "\xC9\xE8\xD6\xC3").View(), u"设置");
}

}  // namespace
}  // namespace tarn
