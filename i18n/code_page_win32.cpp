// Code-page conversion through the platform's own tables.
#include <windows.h>

#include <climits>

#include "i18n/code_page.h"

namespace tarn {

uint32_t SystemAnsiCodePage() {
    return GetACP();
}

bool PlatformConvertCodePage(uint32_t codePage, std::string_view bytes, std::u16string& out) {
    out.clear();
    if (bytes.empty()) return IsValidCodePage(codePage) != 0;
    if (bytes.size() > static_cast<size_t>(INT_MAX / 2)) return false;
    const int inSize = static_cast<int>(bytes.size());
    const int needed = MultiByteToWideChar(codePage, 0, bytes.data(), inSize, nullptr, 0);
    if (needed <= 0) return false;
    out.resize(static_cast<size_t>(needed));
    const int written = MultiByteToWideChar(codePage, 0, bytes.data(), inSize,
                                            reinterpret_cast<wchar_t*>(out.data()), needed);
    if (written <= 0) return false;
    out.resize(static_cast<size_t>(written));
    return true;
}

}  // namespace tarn
