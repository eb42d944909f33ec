// The default settings files the program folder ships and a first start copies into the data
// folder. Written at build time by tools/tarn_defaults, so the formats live only in the core.
#pragma once

#include <cstddef>
#include <string>

#include "base/file_system.h"

namespace tarn {

inline constexpr int32_t kLanguageChinese = 1;
inline constexpr int32_t kLanguageEnglish = 2;

struct DefaultsResult {
    FileError error = FileError::None;
    std::u16string failedPath;  // the file that could not be written
    explicit operator bool() const { return error == FileError::None; }
};

// Writes into folder: Profile\ConfigInfo.cfg (the marker in all five slots, slot 0 active),
// Profile\Profile1.cfg .. Profile5.cfg (default records, names in the skin's language),
// Macro.cfg (an empty store), Language.cfg (the skin's language id) and Sts.cfg. Stops at the
// first file that cannot be written.
DefaultsResult WriteInstalledDefaults(FileSystem& fs, const std::u16string& folder,
                                      bool chineseSkin);

}  // namespace tarn
