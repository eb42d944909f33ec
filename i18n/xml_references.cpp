#include "i18n/xml_references.h"

#include <algorithm>
#include <cstdint>

namespace tarn {

namespace {

// Longest name between "&" and ";" that is still taken as a reference.
constexpr size_t kMaxReferenceName = 9;

int DigitValue(char16_t c, int base) {
    int v = -1;
    if (c >= u'0' && c <= u'9') v = c - u'0';
    if (base == 16 && c >= u'a' && c <= u'f') v = c - u'a' + 10;
    if (base == 16 && c >= u'A' && c <= u'F') v = c - u'A' + 10;
    return v;
}

// "#65", "#x41" (the name without "&" and ";"); 0 when not a valid number.
char32_t NumericReference(std::u16string_view name) {
    int base = 10;
    name.remove_prefix(1);
    if (!name.empty() && (name[0] == u'x' || name[0] == u'X')) {
        base = 16;
        name.remove_prefix(1);
    }
    if (name.empty()) return 0;
    uint64_t value = 0;  // at most eight digits, so no overflow
    for (char16_t c : name) {
        const int d = DigitValue(c, base);
        if (d < 0) return 0;
        value = value * base + d;
    }
    // Surrogate code points and values beyond Unicode cannot be written as UTF-16 text.
    if (value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
    return static_cast<char32_t>(value);
}

char32_t ReferenceValue(std::u16string_view name) {
    if (name.empty()) return 0;
    if (name[0] == u'#') return NumericReference(name);
    char16_t lower[kMaxReferenceName];
    for (size_t i = 0; i < name.size(); ++i) {
        char16_t c = name[i];
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
        lower[i] = c;
    }
    return LookUpEntity(std::u16string_view(lower, name.size()));
}

void AppendCodePoint(char32_t c, std::u16string& out) {
    if (c >= 0x10000) {
        c -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (c >> 10));
        out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
        out += static_cast<char16_t>(c);
    }
}

// The value of the reference whose "&" is at text[at], and its length up to and with ";".
char32_t ReferenceAt(std::u16string_view text, size_t at, size_t& length) {
    const size_t limit = std::min(text.size(), at + 1 + kMaxReferenceName + 1);
    for (size_t j = at + 1; j < limit; ++j) {
        const char16_t c = text[j];
        if (c == u';') {
            length = j - at + 1;
            return ReferenceValue(text.substr(at + 1, j - at - 1));
        }
        if (c > 127) return 0;
    }
    return 0;
}

}  // namespace

void AppendDecodedReferences(std::u16string_view text, std::u16string& out) {
    size_t i = 0;
    while (i < text.size()) {
        const size_t amp = text.find(u'&', i);
        if (amp == std::u16string_view::npos) {
            out.append(text.substr(i));
            return;
        }
        out.append(text.substr(i, amp - i));
        size_t length = 0;
        const char32_t value = ReferenceAt(text, amp, length);
        if (value == 0) {
            out += u'&';
            i = amp + 1;
            continue;
        }
        AppendCodePoint(value, out);
        i = amp + length;
    }
}

std::u16string DecodeReferences(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    AppendDecodedReferences(text, out);
    return out;
}

}  // namespace tarn
