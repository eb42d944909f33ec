// A data folder in memory, a fake clock, recorded messages and a zeroed store per test.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/app_paths.h"
#include "base/language_state.h"
#include "base/text.h"
#include "macro/macro_store.h"
#include "tests/support/doubles.h"
#include "tests/support/memory_file_system.h"

namespace tarn::test {

inline const std::u16string kMacroData = u"C:\\Temp\\NIREL\\Tarn";
inline const std::u16string kMacroPath = kMacroData + u"\\Macro.cfg";

class MacroTest : public ::testing::Test {
protected:
    void SetUp() override {
        dataFolder = kMacroData;
        LanguageStrings.Set(StringKey::str_msg2, u"Missing %s");
        LanguageStrings.Set(StringKey::str_msg4, u"No access");
        files.fs.AddFolder(kMacroData);
        SetClock(&clock);
        std::memset(&Macros(), 0, sizeof(MacroStore));
        std::memset(settings.get(), 0, sizeof *settings);
    }
    void TearDown() override {
        SetClock(nullptr);
        dataFolder.clear();
        LanguageStrings.Clear();
        ChineseUi = 0;
        std::memset(&Macros(), 0, sizeof(MacroStore));
    }

    static MacroRecord Saved(uint32_t id, std::vector<MacroEvent> events, uint32_t loop = 1) {
        MacroRecord r{};
        r.size = 4100 + 4 * static_cast<uint32_t>(events.size());
        r.tag = MacroTag;
        r.id = id;
        r.loopCount = loop;
        r.eventCount = static_cast<uint32_t>(events.size());
        for (size_t i = 0; i < events.size(); ++i) r.events[i] = events[i];
        CopyToFixed(r.name, u"m");
        return r;
    }
    std::vector<uint8_t> StoreBytes(const MacroStore& store) const {
        const auto* p = reinterpret_cast<const uint8_t*>(&store);
        return {p, p + sizeof store};
    }
    const std::vector<ShownMessage>& Shown() const { return messages.messages.shown; }

    ScopedMemoryFileSystem files;
    ScopedMessages messages;
    FakeClock clock;
    std::unique_ptr<SettingsModel> settings = std::make_unique<SettingsModel>();
};

}  // namespace tarn::test
