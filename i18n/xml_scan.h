// Character classes and searches shared by the scanner's hot loops. Text runs are where a
// document spends its length, so the search for one unit looks at eight at a time where the
// processor allows. Names and attributes are short: plain loops measured faster there.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tarn::xml_detail {

// Characters that end an element name (below 128; nothing above ends one).
inline constexpr std::array<bool, 128> kNameStops = [] {
    std::array<bool, 128> stops{};
    for (char c : std::string_view(" \t\n\v\f\r<>=\\/?!\"';")) stops[static_cast<size_t>(c)] = true;
    return stops;
}();

inline bool IsNameStop(char16_t c) {
    return c < 128 && kNameStops[c];
}

#if defined(__SSE2__)

inline __m128i Load8(const char16_t* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

inline __m128i Equal(__m128i v, char16_t c) {
    return _mm_cmpeq_epi16(v, _mm_set1_epi16(static_cast<short>(c)));
}

// Index (0..7) of the first set lane, or 8.
inline size_t FirstLane(__m128i mask) {
    const unsigned bits = static_cast<unsigned>(_mm_movemask_epi8(mask));
    return bits == 0 ? 8 : static_cast<size_t>(std::countr_zero(bits)) / 2;
}

#endif

// Offset of the first c at or after from, or size.
inline size_t FindUnit(const char16_t* text, size_t from, size_t size, char16_t c) {
    size_t i = from;
#if defined(__SSE2__)
    for (; i + 8 <= size; i += 8) {
        const size_t lane = FirstLane(Equal(Load8(text + i), c));
        if (lane < 8) return i + lane;
    }
#endif
    while (i < size && text[i] != c) ++i;
    return i;
}

}  // namespace tarn::xml_detail
