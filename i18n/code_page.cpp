#include "i18n/code_page.h"

#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// What a decode found besides the text.
struct DecodeFindings {
    bool valid = true;  // no byte had to be replaced
    bool zero = false;  // some byte was zero
#if defined(__SSE2__)
    // The smallest byte of each lane over all blocks read: zero once any byte was zero.
    __m128i lowest = _mm_set1_epi8(-1);
#endif
};

// Copies the plain ASCII run at p, sixteen bytes at a time where the processor allows, and
// notes zero bytes on the way, so a caller that must remove them needs no pass of its own.
void CopyAscii(const unsigned char*& p, const unsigned char* end, char16_t*& dest,
               DecodeFindings& found) {
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    // A local copy stays in a register through the loop.
    __m128i lowest = found.lowest;
    while (end - p >= 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        // Every byte read is in the input, so any zero among them counts, past the run too.
        lowest = _mm_min_epu8(lowest, v);
        const int high = _mm_movemask_epi8(v);
        // Widen all sixteen and keep only the ASCII run; the buffer has room, since the
        // output never runs ahead of the input.
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dest), _mm_unpacklo_epi8(v, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dest + 8), _mm_unpackhi_epi8(v, zero));
        if (high != 0) {
            const int run = std::countr_zero(static_cast<unsigned>(high));
            p += run;
            dest += run;
            found.lowest = lowest;
            return;
        }
        p += 16;
        dest += 16;
    }
    found.lowest = lowest;
#endif
    for (; p < end && *p < 0x80; ++p) {
        found.zero |= *p == 0;
        *dest++ = *p;
    }
}

// Four bytes at p as one little-endian word; compilers read it with a single load.
uint32_t Word(const unsigned char* p) {
    return p[0] | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}

// A run of valid three-byte forms at p (Chinese text is made of them), checked with masks on
// one word each and decoded in a loop of its own. False when p does not start one; the caller
// makes sure four bytes are left.
bool DecodeThreeByteRun(const unsigned char*& p, const unsigned char* end, char16_t*& dest) {
    const unsigned char* const start = p;
    while (end - p >= 4) {
        const uint32_t w = Word(p);
        if ((w & 0xC0C0F0) != 0x8080E0) break;  // 1110xxxx 10xxxxxx 10xxxxxx
        const uint32_t code = ((w & 0x0F) << 12) | ((w >> 2) & 0xFC0) | ((w >> 16) & 0x3F);
        if (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF)) break;  // overlong, surrogate
        *dest++ = static_cast<char16_t>(code);
        p += 3;
    }
    return p != start;
}

// A valid two-byte form at p, checked the same way.
bool DecodeTwoByteForm(const unsigned char*& p, char16_t*& dest) {
    const uint32_t w = Word(p);
    if ((w & 0xC0E0) != 0x80C0) return false;  // 110xxxxx 10xxxxxx
    const uint32_t code = ((w & 0x1F) << 6) | ((w >> 8) & 0x3F);
    if (code < 0x80) return false;  // overlong
    *dest++ = static_cast<char16_t>(code);
    p += 2;
    return true;
}

size_t DecodeInto(std::string_view bytes, char16_t* out, DecodeFindings& found) {
    char16_t* dest = out;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p < end) {
        const unsigned char b = *p;
        if (b < 0x80) {
            CopyAscii(p, end, dest, found);
            continue;
        }
        // The common forms first; everything else, and the last bytes, take the full check.
        if (end - p >= 4 &&
            (b >= 0xE0 ? DecodeThreeByteRun(p, end, dest) : DecodeTwoByteForm(p, dest))) {
            continue;
        }
        char32_t code = 0;
        const size_t len = ValidSequence(p, end, code);
        if (len == 0) {
            *dest++ = kReplacement;
            ++p;
            found.valid = false;
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
#if defined(__SSE2__)
    const __m128i zeroLanes = _mm_cmpeq_epi8(found.lowest, _mm_setzero_si128());
    found.zero |= _mm_movemask_epi8(zeroLanes) != 0;
#endif
    return static_cast<size_t>(dest - out);
}

}  // namespace

WideText WideText::Uninitialised(size_t capacity) {
    WideText t;
    t.data = std::make_unique_for_overwrite<char16_t[]>(capacity == 0 ? 1 : capacity);
    return t;
}

WideText WideText::Copy(std::u16string_view text) {
    WideText t = Uninitialised(text.size());
    std::memcpy(t.data.get(), text.data(), text.size() * sizeof(char16_t));
    t.size = text.size();
    return t;
}

bool DecodeUtf8(std::string_view bytes, WideText& out, bool& zeros) {
    // A UTF-8 text never needs more UTF-16 units than it has bytes.
    out = WideText::Uninitialised(bytes.size());
    DecodeFindings found;
    out.size = DecodeInto(bytes, out.data.get(), found);
    zeros = found.zero;
    return found.valid;
}

bool DecodeUtf8(std::string_view bytes, WideText& out) {
    bool zeros = false;
    return DecodeUtf8(bytes, out, zeros);
}

bool DecodeUtf8(std::string_view bytes, std::u16string& out) {
    WideText text;
    const bool valid = DecodeUtf8(bytes, text);
    out.assign(text.View());
    return valid;
}

WideText ConvertFromCodePage(uint32_t codePage, std::string_view bytes) {
    WideText wide;
    switch (codePage) {
        // Byte text declared as UTF-16 or UTF-32 has already lost its zero bytes, which leaves
        // its ASCII readable; decoding it as UTF-8 keeps that and replaces anything else.
        case kCodePageUtf8:
        case kCodePageUtf16Le:
        case kCodePageUtf16Be:
        case kCodePageUtf32Le:
        case kCodePageUtf32Le + 1:
            DecodeUtf8(bytes, wide);
            return wide;
        default:
            break;
    }
    std::u16string out;
    if ((codePage != 0 && PlatformConvertCodePage(codePage, bytes, out)) ||
        PlatformConvertCodePage(SystemAnsiCodePage(), bytes, out)) {
        return WideText::Copy(out);
    }
    // No converter at all: keep ASCII and mark the rest, rather than lose the document.
    out.clear();
    out.reserve(bytes.size());
    for (unsigned char b : bytes) out += b < 0x80 ? static_cast<char16_t>(b) : kReplacement;
    return WideText::Copy(out);
}

}  // namespace tarn
