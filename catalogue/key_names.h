// Names of keys: the virtual-key names of the key-combination display, the HID usage /
// virtual-key table, and the names of key codes in macro event lists.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tarn {

struct UsageVkPair {
    uint8_t usage;       // HID keyboard page usage (0xF0..0xF2 stand for mouse buttons)
    uint8_t virtualKey;  // Windows virtual-key code
};
// 107 pairs in table order; virtual key 0x0D occurs twice and the first (usage 0x28) wins.
std::span<const UsageVkPair> UsageVkTable();
// First row whose usage (virtual key) matches; 0 when none does.
uint8_t UsageToVirtualKey(uint8_t usage);
uint8_t VirtualKeyToUsage(uint8_t virtualKey);

struct KeyNameRow {
    uint8_t code;  // virtual-key code
    std::u16string_view name;
};
// The names of macro event key codes, in table order.
std::span<const KeyNameRow> KeyNameTable();
// The fixed names VirtualKeyName gives before asking the keyboard layout.
std::span<const KeyNameRow> VirtualKeyNameTable();
// The first row matching the low 8 bits of code; empty when none does.
std::u16string_view KeyName(uint32_t code);

// The name of a virtual key for the key-combination display: the fixed table, otherwise the
// keyboard layout's unshifted character (upper-cased letters), otherwise empty.
std::u16string VirtualKeyName(uint32_t virtualKey);

// The display name of a key-combination word: "Shift + Ctrl + A", or the key alone.
std::u16string ComboDisplayName(uint32_t comboCode);

// Asks the keyboard layout which character a key gives with nothing held; 0 for none. The
// Windows program installs one that uses the real layout; elsewhere the key's Latin letter or
// digit is used.
using KeyboardLayoutChar = char (*)(uint32_t virtualKey);
void SetKeyboardLayoutChar(KeyboardLayoutChar reader);  // null restores the portable one
char PortableLayoutChar(uint32_t virtualKey);

}  // namespace tarn
