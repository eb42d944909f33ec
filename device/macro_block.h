// The 512-byte block a macro travels to the mouse in.
//
// Bytes 0-1 hold the loop count, high byte first; then 2-byte entries follow (the header counts as
// entry 0). A key entry is a flag byte (0x01 press, 0x81 release) and the key's usage. A pause of
// up to 1270 ms has no entry: its tens of milliseconds are added to the flag byte of the entry
// before it. The mouse gives no meaning for a sum that passes seven bits (a press then 1270 ms, or
// several short pauses in a row); the sum is kept in the one byte, modulo 256, as the mouse has
// always been sent it. Longer pauses take two entries: 00, unit (1 = 20 ms, 2 = 50 ms, 3 = 100 ms),
// count high, count low.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "device/device_commands.h"
#include "macro/macro_record.h"

namespace tarn {

// The block holds the header and at most 255 entries after it.
constexpr uint32_t kMacroBlockEntries = 256;

// Longest pause of each form: 127 tens for the short form, 65535 counts of each unit.
constexpr uint32_t kShortDelayMaxMs = 1270;
constexpr uint32_t kUnit20MaxMs = 65535u * 20;
constexpr uint32_t kUnit50MaxMs = 65535u * 50;
constexpr uint32_t kUnit100MaxMs = 65535u * 100;

struct MacroBlock {
    std::array<uint8_t, kMacroBlockSize> bytes{};
    // Entries in use, the header included (1 for a macro without events).
    uint32_t entries = 1;
};

// Encodes the events in order and stops before the first one whose entry would not fit.
MacroBlock EncodeMacroBlock(uint32_t loopCount, std::span<const MacroEvent> events);
// The same for a stored macro (its loopCount, eventCount and events).
MacroBlock EncodeMacroBlock(const MacroRecord& macro);

}  // namespace tarn
