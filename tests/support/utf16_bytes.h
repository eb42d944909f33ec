#pragma once

#include <string>
#include <string_view>

namespace tarn {

// UTF-16 text as the bytes of a file, with or without its byte-order mark.
inline std::string Utf16Bytes(std::u16string_view text, bool bigEndian, bool mark = true) {
    std::string out;
    if (mark) out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t c : text) {
        const char hi = static_cast<char>(c >> 8);
        const char lo = static_cast<char>(c & 0xFF);
        out += bigEndian ? hi : lo;
        out += bigEndian ? lo : hi;
    }
    return out;
}

}  // namespace tarn
