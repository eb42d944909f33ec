#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "base/app_paths.h"
#include "base/language_state.h"
#include "base/message_poster.h"
#include "base/text.h"
#include "base/window_messages.h"
#include "i18n/apply_language.h"
#include "i18n/language_file.h"
#include "i18n/language_id_file.h"
#include "i18n/profile_ini.h"
#include "tests/support/doubles.h"
#include "tests/support/memory_file_system.h"

namespace tarn {
namespace {

std::vector<uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

// One document under the shared lock, for tests of the lookup walk.
std::u16string LookUpIn(std::string_view xml, std::u16string_view section,
                        std::u16string_view key) {
    SharedXmlAccess shared;
    shared->LoadXmlBytes(xml);
    return GetConfigString(shared.Document(), section, key);
}

TEST(ConfigStringTest, FindsKeysUnderTheFirstSectionOfAnyRoot) {
    EXPECT_EQ(
        LookUpIn("<anything><config><str_ok>OK</str_ok></config></anything>", u"config", u"str_ok"),
        u"OK");
    EXPECT_EQ(LookUpIn("<config><str_ok>OK</str_ok></config>", u"config", u"str_ok"), u"");
    EXPECT_EQ(LookUpIn("<r><config><a>1</a></config><config><str_ok>2</str_ok></config></r>",
                       u"config", u"str_ok"),
              u"");
    EXPECT_EQ(LookUpIn("<r><config><k>first</k><k>second</k></config></r>", u"config", u"k"),
              u"first");
    // A section without the key is searched for a section of the same name inside it.
    EXPECT_EQ(LookUpIn("<r><config><x/><config><k>deep</k></config></config></r>", u"config", u"k"),
              u"deep");
    EXPECT_EQ(
        LookUpIn("<r><firmware><version>16</version></firmware></r>", u"firmware", u"version"),
        u"16");
}

class LanguageTest : public ::testing::Test {
protected:
    void SetUp() override {
        programFolder = u"C:\\Tarn";
        dataFolder = u"C:\\Users\\u\\Temp\\NIREL\\Tarn";
        files.fs.AddFolder(dataFolder);
        LanguageStrings.Clear();
        ChineseUi = 0;
        ChineseSkin = 0;
    }
    void TearDown() override {
        LanguageStrings.Clear();
        ChineseUi = 0;
        ChineseSkin = 0;
    }
    // A language file whose texts are the tag followed by the key, for the keys given.
    void AddLanguage(std::u16string_view file, std::string_view tag, std::vector<StringKey> keys) {
        std::string xml = "<language><config>";
        for (StringKey k : keys) {
            const std::string name(StringKeyName(k));
            xml += "<" + name + ">" + std::string(tag) + " " + name + "</" + name + ">";
        }
        xml += "</config></language>";
        files.fs.AddFile(programFolder + u"\\" + std::u16string(file), Bytes(xml));
    }
    void AddAllKeys(std::u16string_view file, std::string_view tag) {
        std::vector<StringKey> keys;
        for (size_t i = 0; i < kStringKeyCount; ++i) keys.push_back(StringKeyAt(i));
        AddLanguage(file, tag, keys);
    }
    void StoreLanguageId(std::vector<uint8_t> bytes) {
        files.fs.AddFile(LanguageIdPath(), std::move(bytes));
    }
    uint8_t StoredLanguageId() { return files.fs.Bytes(LanguageIdPath()).at(0); }

    test::ScopedMemoryFileSystem files;
    test::ScopedMessages messages;
};

TEST_F(LanguageTest, LoadAssignsEveryKeyAndForgetsThePreviousLanguage) {
    AddAllKeys(u"Language\\en.xml", "en");
    AddLanguage(u"Language\\ger.xml", "de", {StringKey::str_ok});
    LoadLanguageFile(u"C:\\Tarn\\Language\\en.xml");
    for (size_t i = 0; i < kStringKeyCount; ++i) {
        const StringKey key = StringKeyAt(i);
        const std::string_view name = StringKeyName(key);
        EXPECT_EQ(Text(key), u"en " + std::u16string(name.begin(), name.end()));
    }
    LoadLanguageFile(u"C:\\Tarn\\Language\\ger.xml");
    EXPECT_EQ(Text(StringKey::str_ok), u"de str_ok");
    EXPECT_EQ(Text(StringKey::str_main), u"");
    LoadLanguageFile(u"C:\\Tarn\\Language\\missing.xml");
    EXPECT_EQ(Text(StringKey::str_ok), u"");
    EXPECT_TRUE(messages.messages.shown.empty());
}

TEST_F(LanguageTest, ReadingTheStoredLanguage) {
    // Missing: the message with the full path, then Simplified Chinese.
    EXPECT_EQ(ReadLanguageId(), 1);
    ASSERT_EQ(messages.messages.shown.size(), 1u);
    EXPECT_EQ(messages.messages.shown[0].text,
              u"Failed to open file, check whether there is a "
              u"C:\\Users\\u\\Temp\\NIREL\\Tarn\\Language.cfg path?");
    EXPECT_FALSE(messages.messages.shown[0].withCancel);

    dataFolder = u"C:\\Gone";
    EXPECT_EQ(ReadLanguageId(), 1);
    EXPECT_EQ(messages.messages.shown.size(), 2u);
    dataFolder = u"C:\\Users\\u\\Temp\\NIREL\\Tarn";

    files.fs.failOpen[LanguageIdPath()] = FileError::AccessDenied;
    EXPECT_EQ(ReadLanguageId(), 1);
    EXPECT_EQ(messages.messages.shown.size(), 2u);  // silent
    files.fs.failOpen.clear();

    // Short files replace only the low bytes of the default 1.
    StoreLanguageId({});
    EXPECT_EQ(ReadLanguageId(), 1);
    StoreLanguageId({5});
    EXPECT_EQ(ReadLanguageId(), 5);
    StoreLanguageId({0});
    EXPECT_EQ(ReadLanguageId(), 0);
    StoreLanguageId({0, 1});
    EXPECT_EQ(ReadLanguageId(), 0x100);
    StoreLanguageId({12, 0, 0, 0, 9, 9});
    EXPECT_EQ(ReadLanguageId(), 12);
    EXPECT_EQ(messages.messages.shown.size(), 2u);
}

TEST_F(LanguageTest, WritingTheLanguageAndItsMessages) {
    LanguageStrings.Set(StringKey::str_msg2, u"Not found: %s");
    LanguageStrings.Set(StringKey::str_msg5, u"Access denied");
    WriteLanguageId(258);
    EXPECT_EQ(files.fs.Bytes(LanguageIdPath()), (std::vector<uint8_t>{2, 1, 0, 0}));
    EXPECT_TRUE(messages.messages.shown.empty());

    const std::u16string temp = LanguageIdPath() + u".tmp";
    files.fs.failOpen[temp] = FileError::NotFound;
    WriteLanguageId(3);
    files.fs.failOpen[temp] = FileError::AccessDenied;
    WriteLanguageId(3);
    files.fs.failOpen[temp] = FileError::BadPath;
    WriteLanguageId(3);
    ASSERT_EQ(messages.messages.shown.size(), 2u);
    EXPECT_EQ(messages.messages.shown[0].kind, test::ShownMessage::Plain);
    EXPECT_EQ(messages.messages.shown[0].text, u"Not found: " + LanguageIdPath());
    EXPECT_EQ(messages.messages.shown[1].text, u"Access denied");
    EXPECT_EQ(StoredLanguageId(), 2);  // the earlier file survives the failures
}

TEST_F(LanguageTest, FilesThatAreNoLanguageFileLeaveReadableMessages) {
    std::vector<uint8_t> binary(4096);
    uint32_t seed = 7;
    for (auto& b : binary) b = static_cast<uint8_t>((seed = seed * 1103515245 + 12345) >> 16);
    std::vector<uint8_t> utf16;  // UTF-16LE without its byte-order mark
    for (char c : std::string_view("<l><config><str_ok>OK16</str_ok></config></l>")) {
        utf16.push_back(static_cast<uint8_t>(c));
        utf16.push_back(0);
    }
    const std::vector<std::pair<std::u16string, std::vector<uint8_t>>> cases = {
        {u"binary", binary},
        {u"empty", {}},
        {u"html", Bytes("<!DOCTYPE html><html><head><meta http-equiv=\"Content-Type\" "
                        "content=\"text/html; charset=utf-16\"></head><body>404</body></html>")},
        {u"truncated", Bytes("<language><config><str_ok>OK</str_ok><str_msg5>Acc")},
        {u"utf16", utf16},
    };
    const std::u16string temp = LanguageIdPath() + u".tmp";
    files.fs.failOpen[temp] = FileError::AccessDenied;
    for (const auto& [name, bytes] : cases) {
        const std::u16string path = u"C:\\Tarn\\Language\\" + name + u".xml";
        files.fs.AddFile(path, bytes);
        LanguageStrings.Set(StringKey::str_msg5, u"from before");
        LoadLanguageFile(path);
        EXPECT_EQ(Text(StringKey::str_main), u"") << ToUtf8(name);
        messages.messages.shown.clear();
        WriteLanguageId(3);
        ASSERT_EQ(messages.messages.shown.size(), 1u) << ToUtf8(name);
        EXPECT_EQ(messages.messages.shown[0].text,
                  u"Access denied. The settings could not be saved.")
            << ToUtf8(name);
    }
    // What a damaged file still holds is used.
    LoadLanguageFile(u"C:\\Tarn\\Language\\truncated.xml");
    EXPECT_EQ(Text(StringKey::str_ok), u"OK");
    LoadLanguageFile(u"C:\\Tarn\\Language\\utf16.xml");
    EXPECT_EQ(Text(StringKey::str_ok), u"OK16");
    ChineseUi = 1;
    messages.messages.shown.clear();
    WriteLanguageId(3);
    EXPECT_EQ(messages.messages.shown.at(0).text, u"拒绝访问，无法保存设置。");
}

TEST(ProfileIniTest, ReadsIntegersTheWayThePlatformDoes) {
    const std::u16string ini =
        u"; skin language\r\n[Other]\r\nvalue=7\r\n[ LanguageType ]\r\n  Value = 1 \r\n"
        u"value=2\r\nempty=\r\nword=abc\r\nhex=0x1F\r\nneg=-3\r\nlead=12abc\r\n"
        u"quoted=\"4\"\r\n";
    EXPECT_EQ(ParseProfileInt(ini, u"languagetype", u"value", 0), 1);
    EXPECT_EQ(ParseProfileInt(ini, u"other", u"value", 0), 7);
    EXPECT_EQ(ParseProfileInt(ini, u"languagetype", u"missing", 9), 9);
    EXPECT_EQ(ParseProfileInt(ini, u"nosection", u"value", 9), 9);
    EXPECT_EQ(ParseProfileInt(ini, u"languagetype", u"empty", 9), 9);
    EXPECT_EQ(ParseProfileInt(ini, u"languagetype", u"word", 9), 0);
    EXPECT_EQ(ParseProfileInt(ini, u"languagetype", u"hex", 0), 31);
    EXPECT_EQ(ParseProfileInt(ini, u"languagetype", u"neg", 0), -3);
    EXPECT_EQ(ParseProfileInt(ini, u"languagetype", u"lead", 0), 12);
    EXPECT_EQ(ParseProfileInt(ini, u"languagetype", u"quoted", 0), 4);

    test::ScopedMemoryFileSystem files;
    std::vector<uint8_t> utf16 = {0xFF, 0xFE};
    for (char16_t c : std::u16string_view(u"[languagetype]\r\nvalue=1\r\n")) {
        utf16.push_back(static_cast<uint8_t>(c));
        utf16.push_back(0);
    }
    files.fs.AddFile(u"C:\\Tarn\\skins\\languagetype.ini", utf16);
    EXPECT_EQ(ReadProfileInt(u"C:\\Tarn\\skins\\languagetype.ini", u"languagetype", u"value", 0),
              1);
    EXPECT_EQ(ReadProfileInt(u"C:\\Tarn\\skins\\none.ini", u"languagetype", u"value", 5), 5);
}

// The main window's side of a language change, recorded in order.
class RecordingLanguageWindow final : public LanguageWindow {
public:
    explicit RecordingLanguageWindow(std::function<void()> onRefresh = {})
        : onRefresh_(std::move(onRefresh)) {}
    bool menuOpen = false;
    std::vector<std::string> calls;
    std::vector<int> flags;
    bool LanguageMenuOpen() const override { return menuOpen; }
    void ShowLanguageFlag(int bitmap) override {
        flags.push_back(bitmap);
        calls.push_back("flag");
    }
    void RefreshTooltips() override {
        if (onRefresh_) onRefresh_();
        calls.push_back("tooltips");
    }
    void CloseLanguageMenu() override {
        menuOpen = false;
        calls.push_back("close");
    }
    void ForgetLanguageMenu() override {
        menuOpen = false;
        calls.push_back("forget");
    }

private:
    std::function<void()> onRefresh_;
};

TEST_F(LanguageTest, StartUpFollowsTheSkinThenTheStoredLanguage) {
    AddAllKeys(u"Language\\sc.xml", "sc");
    AddAllKeys(u"Language\\en.xml", "en");
    files.fs.AddFile(u"C:\\Tarn\\skins\\languagetype.ini", Bytes("[languagetype]\nvalue=1\n"));
    StoreLanguageId({2, 0, 0, 0});

    LoadStartupLanguage();
    EXPECT_EQ(Text(StringKey::str_ok), u"sc str_ok");

    RecordingLanguageWindow window;
    LoadSkinLanguage(window);
    EXPECT_EQ(ChineseUi, 1);
    EXPECT_EQ(ChineseSkin, 1);
    EXPECT_EQ(window.flags, std::vector<int>{142});

    test::RecordingPoster poster;
    SetPoster(&poster);
    PostStoredLanguage(0x1234);
    SetPoster(nullptr);
    ASSERT_EQ(poster.Posted().size(), 1u);
    EXPECT_EQ(poster.Posted()[0], (test::PostedMessage{0x1234, kMsgLanguage, 0x110, 2}));

    EXPECT_EQ(ApplyLanguage(window, kLanguageStartUp, 2), 0);
    EXPECT_EQ(Text(StringKey::str_ok), u"en str_ok");
    EXPECT_EQ(ChineseUi, 0);
    EXPECT_EQ(ChineseSkin, 1);
    EXPECT_EQ(window.calls, (std::vector<std::string>{"flag", "flag", "tooltips"}));
    EXPECT_EQ(window.flags.back(), 143);

    // Any other skin value is the English skin.
    files.fs.AddFile(u"C:\\Tarn\\skins\\languagetype.ini", Bytes("[languagetype]\nvalue=2\n"));
    LoadSkinLanguage(window);
    EXPECT_EQ(ChineseSkin, 0);
    EXPECT_EQ(Text(StringKey::str_ok), u"en str_ok");
}

TEST_F(LanguageTest, MenuChoiceWritesTheFileBeforeTheTooltipsChange) {
    AddAllKeys(u"Language\\sc.xml", "sc");
    AddAllKeys(u"Language\\tw.xml", "tw");
    std::vector<uint8_t> storedAtRefresh;
    RecordingLanguageWindow window([&] { storedAtRefresh = files.fs.Bytes(LanguageIdPath()); });

    window.menuOpen = true;
    ApplyLanguage(window, 0, 1);
    EXPECT_EQ(ChineseUi, 1);
    EXPECT_EQ(Text(StringKey::str_main), u"sc str_main");
    EXPECT_EQ(storedAtRefresh, (std::vector<uint8_t>{1, 0, 0, 0}));
    EXPECT_EQ(window.calls, (std::vector<std::string>{"flag", "tooltips", "close"}));

    // The menu's own close notification changes nothing.
    window.calls.clear();
    ApplyLanguage(window, 0, 0);
    EXPECT_EQ(window.calls, std::vector<std::string>{"forget"});
    EXPECT_EQ(ChineseUi, 1);
    EXPECT_EQ(StoredLanguageId(), 1);

    // Without an open menu only the start-up call counts.
    window.calls.clear();
    ApplyLanguage(window, 0, 12);
    EXPECT_TRUE(window.calls.empty());
    EXPECT_EQ(ChineseUi, 1);

    // Traditional Chinese texts, English built-in messages.
    window.menuOpen = true;
    ApplyLanguage(window, 0, 12);
    EXPECT_EQ(ChineseUi, 0);
    EXPECT_EQ(Text(StringKey::str_main), u"tw str_main");
    EXPECT_EQ(window.flags.back(), 153);
    EXPECT_EQ(StoredLanguageId(), 12);
}

TEST_F(LanguageTest, UnknownStoredLanguageKeepsTextsAndIsWrittenBack) {
    AddAllKeys(u"Language\\en.xml", "en");
    LoadLanguageFile(u"C:\\Tarn\\Language\\en.xml");
    ChineseUi = 1;
    RecordingLanguageWindow window;
    ApplyLanguage(window, kLanguageStartUp, 13);
    EXPECT_EQ(ChineseUi, 0);
    EXPECT_EQ(Text(StringKey::str_ok), u"en str_ok");
    EXPECT_EQ(StoredLanguageId(), 13);
    EXPECT_EQ(window.calls, std::vector<std::string>{"tooltips"});

    // A stored 0 is ignored entirely.
    window.calls.clear();
    ApplyLanguage(window, kLanguageStartUp, 0);
    EXPECT_TRUE(window.calls.empty());
    EXPECT_EQ(StoredLanguageId(), 13);
}

TEST_F(LanguageTest, SharedDocumentServesTwoThreadsInTurn) {
    AddAllKeys(u"Language\\en.xml", "en");
    files.fs.AddFile(u"C:\\Tarn\\update.xml",
                     Bytes("<update><firmware><version>16</version></firmware></update>"));
    std::atomic<int> wrong{0};
    std::thread worker([&] {
        for (int i = 0; i < 200; ++i) {
            SharedXmlAccess shared;
            shared->LoadXmlFile(u"C:\\Tarn\\update.xml");
            if (GetConfigString(shared.Document(), u"firmware", u"version") != u"16") ++wrong;
        }
    });
    for (int i = 0; i < 200; ++i) {
        LoadLanguageFile(u"C:\\Tarn\\Language\\en.xml");
        if (Text(StringKey::str_ok) != u"en str_ok") ++wrong;
    }
    worker.join();
    EXPECT_EQ(wrong, 0);
}

}  // namespace
}  // namespace tarn
