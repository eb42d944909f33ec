// The 21 game groups a macro id carries in its top byte, and their titles.
#pragma once

#include <string_view>

namespace tarn {

// A group number 1..21; 21 is the user's own group and the one shown at start.
using GameGroup = int;
inline constexpr GameGroup kFirstGameGroup = 1;
inline constexpr GameGroup kGameGroupCount = 21;
inline constexpr GameGroup kUserGameGroup = 21;

inline bool IsGameGroup(int group) {
    return group >= kFirstGameGroup && group <= kGameGroupCount;
}

// The popup menu's text and the group button's text differ in a few blanks and in group 21's
// English; both are kept as the program has always shown them. Empty for a number out of range.
std::u16string_view GameGroupMenuText(GameGroup group, bool chinese);
std::u16string_view GameGroupSelectorText(GameGroup group, bool chinese);
// In the language of ChineseUi.
std::u16string_view GameGroupMenuText(GameGroup group);
std::u16string_view GameGroupSelectorText(GameGroup group);

}  // namespace tarn
