// The INI reader of the native build: the file through the program's file layer, parsed by the
// same rules as the platform's reader.
#include <string>

#include "base/file_system.h"
#include "i18n/profile_ini.h"

namespace tarn {

namespace {
// An INI file of this program is a few lines; anything beyond this is not one.
constexpr size_t kMaxIniBytes = 1 << 20;
}  // namespace

int ReadProfileInt(const std::u16string& path, std::u16string_view section, std::u16string_view key,
                   int defaultValue) {
    std::string bytes(kMaxIniBytes, '\0');
    size_t read = 0;
    if (ReadFileInto(Files(), path, bytes.data(), bytes.size(), &read) != FileError::None) {
        return defaultValue;
    }
    bytes.resize(read);
    return ParseProfileInt(ProfileText(bytes), section, key, defaultValue);
}

}  // namespace tarn
