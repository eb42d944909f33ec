// The event list as the macro page and recording edit it, and the commit that turns it into a
// stored MacroRecord.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "macro/macro_record.h"

namespace tarn {

// Entry types of the on-screen event list.
inline constexpr uint8_t EntryRelease = 2;
inline constexpr uint8_t EntryPress = 3;
inline constexpr uint8_t EntryDelay = 4;

// Delays merged by MergeAdjacentDelays never exceed this.
inline constexpr uint32_t MaxMergedDelay = 327670;

struct EventEntry {
    uint8_t type;    // EntryRelease, EntryPress or EntryDelay
    uint32_t value;  // key code or milliseconds, 24 bits
    std::u16string text;
    bool operator==(const EventEntry&) const = default;
};

// The list control keeps type and value in one data word.
constexpr uint32_t PackEntryData(uint8_t type, uint32_t value) {
    return static_cast<uint32_t>(type) << 24 | (value & 0xFFFFFF);
}

// An entry with its display text: the KeyName of the code, or "%d  ms".
EventEntry MakeKeyEntry(uint8_t type, uint32_t code);
EventEntry MakeDelayEntry(uint32_t milliseconds);
std::u16string DelayText(uint32_t milliseconds);

// Folds every run of neighbouring delays into one, capping each sum at MaxMergedDelay.
void MergeAdjacentDelays(std::vector<EventEntry>& entries);

// The repeat count a loop text stands for: a number with nothing after it; 0, a negative number
// and anything else read as 1, above 65533 as 65533.
uint32_t LoopCountFromText(std::u16string_view text);
// The loop field's text for a stored count ("1" for a single-press macro).
std::u16string LoopTextOf(uint32_t loopCount);

// A record holds at most 1000 events. Longer lists are truncated when building: the first 1000
// events are kept, and size counts at most 1000 entries, so nothing is written past events.
struct BuiltMacro {
    MacroRecord record;
    bool truncated;  // more than 1000 events were in the list
};

// Merges the entries' delays in place and builds the record; none for an empty list. Delays
// before the first key event are dropped; size counts the entries as they were before merging.
std::optional<BuiltMacro> BuildMacroRecord(std::vector<EventEntry>& entries,
                                           std::u16string_view loopText, uint32_t id,
                                           std::u16string_view name);

// BuildMacroRecord, then StoreMacro into the process-wide store; a truncated list is told to the
// user. False when nothing was built or the store refused it.
bool CommitMacro(std::vector<EventEntry>& entries, std::u16string_view loopText, uint32_t id,
                 std::u16string_view name);

// What the macro page shows for a macro id: every slot with that id contributes its events in
// slot order; the loop text comes from the last such slot. Reading a record stops at a word of
// an unknown kind (invalidKind is then set).
struct MacroEntries {
    std::u16string loopText;
    std::vector<EventEntry> entries;
    bool found = false;
    bool invalidKind = false;
};
MacroEntries EntriesOfMacro(const MacroStore& store, uint32_t id);

}  // namespace tarn
