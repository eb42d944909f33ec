#include "i18n/profile_ini.h"

#include <cstdint>

#include "i18n/code_page.h"

namespace tarn {

namespace {

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r';
}

std::u16string_view Trimmed(std::u16string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

char16_t Folded(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool SameName(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (Folded(a[i]) != Folded(b[i])) return false;
    }
    return true;
}

int Digit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'z') return c - u'a' + 10;
    if (c >= u'A' && c <= u'Z') return c - u'A' + 10;
    return 99;
}

// Leading sign, then "0x", "0o" or "0b" for another base; stops at the first other character.
int ParseInteger(std::u16string_view s) {
    bool negative = false;
    if (!s.empty() && (s[0] == u'-' || s[0] == u'+')) {
        negative = s[0] == u'-';
        s.remove_prefix(1);
    }
    int base = 10;
    if (s.size() >= 2 && s[0] == u'0') {
        const char16_t b = Folded(s[1]);
        base = b == u'x' ? 16 : b == u'o' ? 8 : b == u'b' ? 2 : 10;
        if (base != 10) s.remove_prefix(2);
    }
    uint32_t value = 0;  // wraps like the platform's 32-bit result
    for (char16_t c : s) {
        const int d = Digit(c);
        if (d >= base) break;
        value = value * static_cast<uint32_t>(base) + static_cast<uint32_t>(d);
    }
    if (negative) value = 0u - value;
    return static_cast<int>(value);
}

std::u16string_view Unquoted(std::u16string_view v) {
    if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front()) {
        return v.substr(1, v.size() - 2);
    }
    return v;
}

}  // namespace

int ParseProfileInt(std::u16string_view text, std::u16string_view section, std::u16string_view key,
                    int defaultValue) {
    bool inSection = false;
    size_t at = 0;
    while (at <= text.size()) {
        size_t end = text.find(u'\n', at);
        if (end == std::u16string_view::npos) end = text.size();
        const std::u16string_view line = Trimmed(text.substr(at, end - at));
        at = end + 1;
        if (line.empty() || line[0] == u';') continue;
        if (line[0] == u'[') {
            const size_t close = line.find(u']');
            inSection = SameName(
                Trimmed(line.substr(1, close == line.npos ? line.npos : close - 1)), section);
            continue;
        }
        if (!inSection) continue;
        const size_t eq = line.find(u'=');
        if (eq == std::u16string_view::npos || !SameName(Trimmed(line.substr(0, eq)), key)) {
            continue;
        }
        const std::u16string_view value = Unquoted(Trimmed(line.substr(eq + 1)));
        return value.empty() ? defaultValue : ParseInteger(value);
    }
    return defaultValue;
}

std::u16string ProfileText(std::string_view bytes) {
    std::u16string text;
    if (bytes.starts_with("\xFF\xFE")) {
        for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
            text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                          (static_cast<unsigned char>(bytes[i + 1]) << 8));
        }
        return text;
    }
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    DecodeUtf8(bytes, text);
    return text;
}

}  // namespace tarn
