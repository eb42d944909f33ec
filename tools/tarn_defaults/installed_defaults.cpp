#include "tools/tarn_defaults/installed_defaults.h"

#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

#include "base/language_state.h"
#include "base/text.h"
#include "macro/macro_record.h"
#include "settings/profile_record.h"
#include "stats/usage_counters.h"

namespace tarn {

namespace {

DefaultsResult Write(FileSystem& fs, const std::u16string& folder, std::u16string_view name,
                     const void* data, size_t size) {
    const std::u16string path = JoinPath(folder, name);
    const FileError error = WriteFileReplacing(fs, path, data, size);
    if (error == FileError::None) return {};
    return {error, path};
}

// Every slot exists, and the first one is the profile a first start loads.
std::unique_ptr<ProfileSlotTable> DefaultSlotTable() {
    auto table = std::make_unique<ProfileSlotTable>();
    std::memset(table.get(), 0, sizeof *table);
    for (auto& slot : table->slots) slot.slotMagic = SlotMagic;
    table->slots[0].active = 1;
    return table;
}

// The default names follow ChineseUi while the record is made; the caller's value comes back.
std::unique_ptr<ProfileRecord> DefaultProfile(bool chinese) {
    auto record = std::make_unique<ProfileRecord>();
    const int saved = ChineseUi;
    ChineseUi = chinese ? 1 : 0;
    MakeDefaultProfile(*record);
    ChineseUi = saved;
    return record;
}

}  // namespace

DefaultsResult WriteInstalledDefaults(FileSystem& fs, const std::u16string& folder,
                                      bool chineseSkin) {
    if (FileError e = fs.CreateFolders(JoinPath(folder, u"\\Profile")); e != FileError::None) {
        return {e, JoinPath(folder, u"\\Profile")};
    }
    const auto table = DefaultSlotTable();
    if (auto r = Write(fs, folder, u"\\Profile\\ConfigInfo.cfg", table.get(), sizeof *table); !r) {
        return r;
    }
    const auto profile = DefaultProfile(chineseSkin);
    for (char16_t n = u'1'; n <= u'5'; ++n) {
        std::u16string name = u"\\Profile\\Profile";
        name += n;
        name += u".cfg";
        if (auto r = Write(fs, folder, name, profile.get(), sizeof *profile); !r) return r;
    }
    // All 500 macro slots free.
    const std::vector<uint8_t> macros(sizeof(MacroStore), 0);
    if (auto r = Write(fs, folder, u"\\Macro.cfg", macros.data(), macros.size()); !r) return r;
    const int32_t language = chineseSkin ? kLanguageChinese : kLanguageEnglish;
    const uint8_t languageBytes[4] = {
        static_cast<uint8_t>(language), static_cast<uint8_t>(language >> 8),
        static_cast<uint8_t>(language >> 16), static_cast<uint8_t>(language >> 24)};
    if (auto r = Write(fs, folder, u"\\Language.cfg", languageBytes, 4); !r) return r;
    const UsageCounters counters{};
    return Write(fs, folder, u"\\Sts.cfg", &counters, sizeof counters);
}

}  // namespace tarn
