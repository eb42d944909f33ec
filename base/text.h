// Small text helpers shared by the portable code: UTF-8 / UTF-16 conversion, the fixed UTF-16
// arrays of the records, and filling the one "%s" of a message.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarn {

std::string ToUtf8(std::u16string_view text);
// Invalid sequences become U+FFFD.
std::u16string FromUtf8(std::string_view text);

inline bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

// Text that an edit control's unit limit cut after the first half of a pair, without that half.
std::u16string_view WithoutHalfPairAtEnd(std::u16string_view text);

// Copies text into a fixed array, truncated to capacity - 1 units (never between the halves of a
// pair) and always zero-terminated; the rest of the array is zeroed so records stay
// byte-identical.
void CopyToFixed(char16_t* dest, size_t capacity, std::u16string_view text);
template <size_t N>
void CopyToFixed(char16_t (&dest)[N], std::u16string_view text) {
    CopyToFixed(dest, N, text);
}

// The text of a zero-terminated fixed array (stops at capacity when no zero is found).
std::u16string FromFixed(const char16_t* source, size_t capacity);
template <size_t N>
std::u16string FromFixed(const char16_t (&source)[N]) {
    return FromFixed(source, N);
}

// Replaces the first "%s" of format by argument; a format without one comes back unchanged.
// The argument is never read as a format, so a path with '%' in it is shown as it is.
std::u16string FormatOne(std::u16string_view format, std::u16string_view argument);

// Equal when they differ only in the case of Latin letters A..Z, as the system compares file
// names and device paths.
bool EqualsIgnoreCase(std::u16string_view a, std::u16string_view b);

// Joins a folder and a relative name that begins with a backslash.
inline std::u16string JoinPath(std::u16string_view folder, std::u16string_view relative) {
    std::u16string out(folder);
    out += relative;
    return out;
}

}  // namespace tarn
