#include "base/language_state.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "base/user_messages.h"
#include "tests/support/doubles.h"

namespace tarn {
namespace {

TEST(LanguageStateTest, KeysAreTheLanguageFileNamesInTableOrder) {
    std::set<std::string_view> seen;
    for (size_t i = 0; i < kStringKeyCount; ++i) {
        const std::string_view name = StringKeyName(StringKeyAt(i));
        EXPECT_EQ(name.substr(0, 4), "str_") << i;
        EXPECT_TRUE(seen.insert(name).second) << name;
    }
    EXPECT_EQ(StringKeyName(StringKey::str_main), "str_main");
    EXPECT_EQ(StringKeyName(StringKey::str_mouseSpeed), "str_mouseSpeed");
    EXPECT_EQ(static_cast<int>(StringKey::str_msg2), 77);  // the 78th key
    EXPECT_EQ(StringKeyName(StringKeyAt(kStringKeyCount - 1)), "str_firmware_version");
}

TEST(LanguageStateTest, UnloadedTextsAreEmptyAndBuiltInTextsEnglish) {
    LanguageStringTable table;
    for (size_t i = 0; i < kStringKeyCount; ++i) EXPECT_TRUE(table.Get(StringKeyAt(i)).empty());
    ASSERT_EQ(ChineseUi, 0);
    EXPECT_EQ(Localized(u"确定", u"OK"), u"OK");
    EXPECT_EQ(InfoTitle(), u"Tips");
    table.Set(StringKey::str_ok, u"OK!");
    table.Clear();
    EXPECT_TRUE(table.Get(StringKey::str_ok).empty());
}

TEST(LanguageStateTest, ChineseCaptionsFollowTheFlag) {
    ChineseUi = 1;
    EXPECT_EQ(InfoOkCaption(), u"确定");
    EXPECT_EQ(InfoCancelCaption(), u"取消");
    EXPECT_EQ(InfoTitle(), u"提示");
    ChineseUi = 0;
    EXPECT_EQ(InfoCancelCaption(), u"Cancel");
}

TEST(UserMessagesTest, EveryWayOfClosingButOkCountsAsClosed) {
    test::ScopedMessages scoped;
    scoped.messages.answer = 7;  // a box closed some other way
    EXPECT_EQ(ShowInfoBox(u"x", true), kInfoClosed);
    scoped.messages.answer = kInfoOk;
    EXPECT_EQ(ShowInfoBox(u"y"), kInfoOk);
    EXPECT_EQ(ShowSelfClosingInfo(u"z"), kInfoClosed);
    ShowPlainInfo(u"w");
    ASSERT_EQ(scoped.messages.shown.size(), 4u);
    EXPECT_TRUE(scoped.messages.shown[0].withCancel);
    EXPECT_FALSE(scoped.messages.shown[1].withCancel);
    EXPECT_EQ(scoped.messages.shown[3].kind, test::ShownMessage::Plain);
}

TEST(UserMessagesTest, WithoutBoxesMessagesAreSilentlyClosed) {
    SetUserMessages(nullptr);
    EXPECT_EQ(ShowInfoBox(u"nobody sees this", true), kInfoClosed);
}

}  // namespace
}  // namespace tarn
