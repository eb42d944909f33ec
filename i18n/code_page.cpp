#include "i18n/code_page.h"

#include <cstring>

#include "i18n/encoding_table.h"

namespace tarn {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

// Length of the valid sequence starting at p (1..4), or 0 when the lead byte or a continuation
// byte is wrong, the sequence is overlong, a surrogate, beyond U+10FFFF, or cut short.
size_t ValidSequence(const unsigned char* p, const unsigned char* end, char32_t& code) {
    const unsigned char b = p[0];
    size_t len;
    char32_t c;
    char32_t min;
    if (b < 0xC2) return 0;  // continuation bytes and overlong two-byte leads
    if (b < 0xE0) {
        len = 2, c = b & 0x1F, min = 0x80;
    } else if (b < 0xF0) {
        len = 3, c = b & 0x0F, min = 0x800;
    } else if (b < 0xF5) {
        len = 4, c = b & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (static_cast<size_t>(end - p) < len) return 0;
    for (size_t k = 1; k < len; ++k) {
        if ((p[k] & 0xC0) != 0x80) return 0;
        c = (c << 6) | (p[k] & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    code = c;
    return len;
}

}  // namespace

bool DecodeUtf8(std::string_view bytes, std::u16string& out) {
    // A UTF-8 text never needs more UTF-16 units than it has bytes.
    out.resize(bytes.size());
    char16_t* dest = out.data();
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    bool valid = true;
    while (p < end) {
        // Plain ASCII runs dominate markup; copy them eight at a time.
        while (end - p >= 8) {
            uint64_t word;
            std::memcpy(&word, p, 8);
            if (word & 0x8080808080808080ull) break;
            for (int k = 0; k < 8; ++k) dest[k] = p[k];
            dest += 8;
            p += 8;
        }
        if (p >= end) break;
        if (*p < 0x80) {
            *dest++ = *p++;
            continue;
        }
        char32_t code = 0;
        const size_t len = ValidSequence(p, end, code);
        if (len == 0) {
            *dest++ = kReplacement;
            ++p;
            valid = false;
            continue;
        }
        p += len;
        if (code >= 0x10000) {
            code -= 0x10000;
            *dest++ = static_cast<char16_t>(0xD800 + (code >> 10));
            *dest++ = static_cast<char16_t>(0xDC00 + (code & 0x3FF));
        } else {
            *dest++ = static_cast<char16_t>(code);
        }
    }
    out.resize(static_cast<size_t>(dest - out.data()));
    return valid;
}

std::u16string ConvertFromCodePage(uint32_t codePage, std::string_view bytes) {
    std::u16string out;
    switch (codePage) {
        // Byte text declared as UTF-16 or UTF-32 has already lost its zero bytes, which leaves
        // its ASCII readable; decoding it as UTF-8 keeps that and replaces anything else.
        case kCodePageUtf8:
        case kCodePageUtf16Le:
        case kCodePageUtf16Be:
        case kCodePageUtf32Le:
        case kCodePageUtf32Le + 1:
            DecodeUtf8(bytes, out);
            return out;
        default:
            break;
    }
    if (codePage != 0 && PlatformConvertCodePage(codePage, bytes, out)) return out;
    if (PlatformConvertCodePage(SystemAnsiCodePage(), bytes, out)) return out;
    // No converter at all: keep ASCII and mark the rest, rather than lose the document.
    out.clear();
    out.reserve(bytes.size());
    for (unsigned char b : bytes) out += b < 0x80 ? static_cast<char16_t>(b) : kReplacement;
    return out;
}

}  // namespace tarn
