// Keys the main window and the progress window keep from their dialog handling: Enter, Esc and
// Space would end a dialog, and Alt+F4 would close it. The main window hides on Alt+F4 instead.
#pragma once

#include <cstdint>

namespace tarn {

// The platform's keyboard message and key numbers the filter looks at.
inline constexpr uint32_t kKeyDownMessage = 0x100;
inline constexpr uint32_t kKeyUpMessage = 0x101;
inline constexpr uint32_t kSysKeyDownMessage = 0x104;
inline constexpr uint32_t kVkReturn = 0x0D;
inline constexpr uint32_t kVkEscape = 0x1B;
inline constexpr uint32_t kVkSpace = 0x20;
inline constexpr uint32_t kVkF4 = 0x73;

enum class KeyFilter { Pass, Swallow, HideToTray };

// The main window: Enter, Esc and Space are swallowed; Alt+F4 hides the window.
KeyFilter FilterMainWindowKey(uint32_t message, uint32_t virtualKey);
// The progress window: the same keys and Alt+F4 are all swallowed.
KeyFilter FilterProgressKey(uint32_t message, uint32_t virtualKey);

}  // namespace tarn
