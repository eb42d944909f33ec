// A data folder in memory, recorded messages and a fresh settings model for each test.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/app_paths.h"
#include "base/language_state.h"
#include "base/text.h"
#include "settings/profile_files.h"
#include "tests/support/doubles.h"
#include "tests/support/memory_file_system.h"

namespace tarn::test {

inline const std::u16string kData = u"C:\\Temp\\NIREL\\Tarn";
inline const std::u16string kProfileDir = kData + u"\\Profile";
inline const std::u16string kTablePath = kProfileDir + u"\\ConfigInfo.cfg";
inline std::u16string ProfilePath(int slot) {
    return kProfileDir + u"\\Profile" + char16_t(u'1' + slot) + u".cfg";
}

template <typename T>
std::vector<uint8_t> BytesOf(const T& value) {
    const auto* p = reinterpret_cast<const uint8_t*>(&value);
    return {p, p + sizeof value};
}

class SettingsFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        dataFolder = kData;
        programFolder = u"C:\\Program Files\\Tarn";
        LanguageStrings.Set(StringKey::str_msg2, u"Missing %s");
        LanguageStrings.Set(StringKey::str_msg4, u"No access (4)");
        LanguageStrings.Set(StringKey::str_msg5, u"No access (5)");
        std::memset(model.get(), 0, sizeof *model);
        MakeDefaultProfile(*defaults);
        files.fs.AddFolder(kProfileDir);
    }
    void TearDown() override {
        dataFolder.clear();
        programFolder.clear();
        LanguageStrings.Clear();
    }
    std::vector<std::u16string> Texts() const {
        std::vector<std::u16string> out;
        for (const auto& m : messages.messages.shown) out.push_back(m.text);
        return out;
    }
    ShownMessage::Kind KindOf(size_t i) const { return messages.messages.shown.at(i).kind; }
    ProfileRecord Profile(uint32_t pointerSpeed) const {
        ProfileRecord r = *defaults;
        r.pointerSpeed = pointerSpeed;
        return r;
    }

    ScopedMemoryFileSystem files;
    ScopedMessages messages;
    std::unique_ptr<SettingsModel> model = std::make_unique<SettingsModel>();
    std::unique_ptr<ProfileRecord> defaults = std::make_unique<ProfileRecord>();
};

}  // namespace tarn::test
