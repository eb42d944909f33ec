// The hint line's texts: message 0x805 carries a hint id, and the id picks a key of the language
// file. Ids outside the table (99 among them) empty the line.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "base/language_state.h"

namespace tarn {

// The ids the main window sends for its own controls.
inline constexpr int kHintFirstTab = 1;      // tabs 1..5
inline constexpr int kHintFirstProfile = 6;  // profile buttons 6..10
inline constexpr int kHintApplyButton = 11;
inline constexpr int kHintClear = 99;

// The key whose text an id shows; none for an id that only empties the line.
std::optional<StringKey> HintKey(intptr_t id);
// The text of the key in the loaded language, or empty.
std::u16string HintText(intptr_t id);

}  // namespace tarn
