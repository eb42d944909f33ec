// The shipped language files: each loads without a fault, carries every key, and its file-not-
// found message keeps the one placeholder the program fills with a path.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "base/language_state.h"
#include "base/text.h"
#include "i18n/language_file.h"
#include "i18n/language_table.h"

namespace tarn {
namespace {

size_t Count(std::u16string_view text, std::u16string_view what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != text.npos; at = text.find(what, at + what.size())) ++n;
    return n;
}

TEST(LanguageFilesTest, EveryFileIsCompleteAndClean) {
    const char* source = std::getenv("TARN_SOURCE_DIR");
    ASSERT_NE(source, nullptr) << "run through CTest, which names the source folder";
    for (const LanguageInfo& language : kLanguages) {
        std::u16string path = FromUtf8(source) + u"\\" + std::u16string(language.file);
        const std::string name = ToUtf8(language.file);
        {
            SharedXmlAccess shared;
            EXPECT_TRUE(shared->LoadXmlFile(path)) << name << ": " << ToUtf8(shared->LoadResult());
            EXPECT_TRUE(shared->LoadResult().starts_with(u"UTF-8 ")) << name;
        }
        LoadLanguageFile(path);
        for (size_t i = 0; i < kStringKeyCount; ++i) {
            const StringKey key = StringKeyAt(i);
            EXPECT_FALSE(Text(key).empty()) << name << " lacks " << StringKeyName(key);
            if (key != StringKey::str_msg2) {
                EXPECT_EQ(Count(Text(key), u"%"), 0u) << name << " " << StringKeyName(key);
            }
        }
        const std::u16string& notFound = Text(StringKey::str_msg2);
        EXPECT_EQ(Count(notFound, u"%s"), 1u) << name;
        EXPECT_EQ(Count(notFound, u"%"), 1u) << name;
    }
    LanguageStrings.Clear();
}

}  // namespace
}  // namespace tarn
