#include "base/text.h"

#include <gtest/gtest.h>

#include "base/app_paths.h"

namespace tarn {
namespace {

TEST(TextTest, Utf8RoundTripIncludingSurrogatePairs) {
    const std::u16string text = u"Tarn 鼠标 \U0001F5B1";
    EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
    EXPECT_EQ(ToUtf8(u"é"), "\xC3\xA9");
}

TEST(TextTest, InvalidUtf8BecomesReplacementCharacters) {
    EXPECT_EQ(FromUtf8("a\xFF"
                       "b"),
              u"a\uFFFDb");
    EXPECT_EQ(FromUtf8("\xC3"), u"\uFFFD");            // cut short
    EXPECT_EQ(FromUtf8("\xC0\x80"), u"\uFFFD\uFFFD");  // overlong
    EXPECT_EQ(ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

TEST(TextTest, FixedArraysAreTruncatedAndZeroFilled) {
    char16_t buf[4] = {9, 9, 9, 9};
    CopyToFixed(buf, u"abcdef");
    EXPECT_EQ(FromFixed(buf), u"abc");
    EXPECT_EQ(buf[3], 0);
    CopyToFixed(buf, u"x");
    EXPECT_EQ(buf[1], 0);
    EXPECT_EQ(buf[2], 0);
    const char16_t full[3] = {u'a', u'b', u'c'};  // no terminator
    EXPECT_EQ(FromFixed(full), u"abc");
    // A cut never keeps the first half of a pair alone; a whole pair that fits stays.
    CopyToFixed(buf, u"ab\U0001F3AE");
    EXPECT_EQ(FromFixed(buf), u"ab");
    EXPECT_EQ(buf[2], 0);
    CopyToFixed(buf, u"a\U0001F3AE");
    EXPECT_EQ(FromFixed(buf), u"a\U0001F3AE");
    EXPECT_EQ(WithoutHalfPairAtEnd(u"x\xD83C"), u"x");
    EXPECT_EQ(WithoutHalfPairAtEnd(u"x\U0001F3AE"), u"x\U0001F3AE");
}

TEST(TextTest, FormatOneFillsOnlyTheFirstPlaceholder) {
    EXPECT_EQ(FormatOne(u"%s is an invaild Profile!", u"C:\\a%sb.cfg"),
              u"C:\\a%sb.cfg is an invaild Profile!");
    EXPECT_EQ(FormatOne(u"no placeholder", u"x"), u"no placeholder");
}

TEST(TextTest, CaseIsIgnoredForLatinLettersOnly) {
    EXPECT_TRUE(EqualsIgnoreCase(u"\\?\\HID#vid_3d5a&PID_4108", u"\\?\\hid#VID_3D5A&pid_4108"));
    EXPECT_FALSE(EqualsIgnoreCase(u"game.exe", u"game.ex"));
    EXPECT_FALSE(EqualsIgnoreCase(u"[", u"{"));  // neighbours of the letters are not folded
    EXPECT_FALSE(EqualsIgnoreCase(u"\u00C9", u"\u00E9"));
}

TEST(AppPathsTest, FoldersFromTheSystemPaths) {
    EXPECT_EQ(DataFolderFromTemp(u"C:\\Temp\\"), u"C:\\Temp\\NIREL\\Tarn");
    EXPECT_EQ(ProgramFolderFromModule(u"C:\\Program Files\\Tarn\\TarnDriver.exe"),
              u"C:\\Program Files\\Tarn");
}

}  // namespace
}  // namespace tarn
