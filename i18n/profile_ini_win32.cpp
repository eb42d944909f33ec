// The INI reader of the Windows program: the platform's private-profile reader.
#include <windows.h>

#include <string>

#include "i18n/profile_ini.h"

namespace tarn {

int ReadProfileInt(const std::u16string& path, std::u16string_view section, std::u16string_view key,
                   int defaultValue) {
    const std::wstring sectionName(section.begin(), section.end());
    const std::wstring keyName(key.begin(), key.end());
    const std::wstring file(path.begin(), path.end());
    return static_cast<int>(
        GetPrivateProfileIntW(sectionName.c_str(), keyName.c_str(), defaultValue, file.c_str()));
}

}  // namespace tarn
