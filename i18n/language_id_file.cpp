#include "i18n/language_id_file.h"

#include <cstdint>

#include "base/app_paths.h"
#include "base/file_system.h"
#include "base/language_state.h"
#include "base/text.h"
#include "base/user_messages.h"

namespace tarn {

std::u16string LanguageIdPath() {
    return JoinPath(dataFolder, u"\\Language.cfg");
}

LanguageId ReadLanguageId() {
    const std::u16string path = LanguageIdPath();
    OpenResult opened = Files().OpenForRead(path);
    if (!opened) {
        if (opened.error == FileError::NotFound || opened.error == FileError::BadPath) {
            ShowInfoBox(FormatOne(u"Failed to open file, check whether there is a %s path?", path),
                        false);
        }
        return kLanguageSimplifiedChinese;
    }
    // The bytes read replace the low bytes of the default, so a short file keeps the rest of 1.
    uint8_t value[4] = {1, 0, 0, 0};
    size_t total = 0;
    while (total < sizeof value) {
        const size_t n = opened.file->Read(value + total, sizeof value - total);
        if (n == 0) break;
        total += n;
    }
    opened.file->Close();
    const uint32_t id =
        value[0] | (value[1] << 8) | (value[2] << 16) | (static_cast<uint32_t>(value[3]) << 24);
    return static_cast<LanguageId>(id);
}

void WriteLanguageId(LanguageId id) {
    const auto value = static_cast<uint32_t>(id);
    const uint8_t bytes[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                              static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
    const std::u16string path = LanguageIdPath();
    switch (WriteFileReplacing(Files(), path, bytes, sizeof bytes)) {
        case FileError::NotFound:
            ShowPlainInfo(FormatOne(MessageText(StringKey::str_msg2), path));
            break;
        case FileError::AccessDenied:
            ShowPlainInfo(MessageText(StringKey::str_msg5));
            break;
        default:
            break;
    }
}

}  // namespace tarn
