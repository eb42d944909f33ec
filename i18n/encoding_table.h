// Encoding names as documents declare them, mapped to Windows code page numbers.
#pragma once

#include <cstdint>
#include <string_view>

namespace tarn {

inline constexpr uint32_t kCodePageUtf16Le = 1200;
inline constexpr uint32_t kCodePageUtf16Be = 1201;
inline constexpr uint32_t kCodePageUtf32Le = 12000;
inline constexpr uint32_t kCodePageUtf7 = 65000;
inline constexpr uint32_t kCodePageUtf8 = 65001;

// The code page of a declared encoding name, or 0 when the name is unknown. Names compare
// with A..Z folded to lower case; any name beginning with "UTF-32" is UTF-32.
uint32_t EncodingTable(std::u16string_view name);

}  // namespace tarn
