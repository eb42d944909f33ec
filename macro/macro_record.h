// The macro record and the macro store. Their byte layout is the file layout of Macro.cfg: 500
// records of 4104 bytes, slot 0 first, no header.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarn {

// One event word: kind in bits 31..24, value in bits 23..0 (a virtual-key code, mouse buttons
// 1 left, 2 right, 4 middle; or a pause in milliseconds).
using MacroEvent = uint32_t;

enum MacroEventKind : uint8_t {
    KeyPress = 0xC0,
    KeyRelease = 0xE0,
    Delay = 0xA0,
};

constexpr MacroEvent MakeMacroEvent(MacroEventKind kind, uint32_t value) {
    return static_cast<MacroEvent>(kind) << 24 | (value & 0xFFFFFF);
}
constexpr uint8_t EventKind(MacroEvent event) {
    return static_cast<uint8_t>(event >> 24);
}
constexpr uint32_t EventValue(MacroEvent event) {
    return event & 0xFFFFFF;
}

inline constexpr uint32_t MacroTag = 0xE8E80010;
// Only the high half of the tag is tested as the marker of a saved macro.
inline constexpr uint32_t MacroTagMarker = 0xE8E8;
inline constexpr uint32_t SinglePressLoop = 0xFFFE;
inline constexpr uint32_t MaxLoopCount = 65533;
inline constexpr int kMaxMacroEvents = 1000;
inline constexpr int kMacroNameUnits = 40;
inline constexpr int kMacroSlots = 500;
// The size field of a saved macro is 4100 + 4 per event-list entry, so at least this.
inline constexpr uint32_t kMinSavedMacroSize = 4104;

#pragma pack(push, 1)
struct MacroRecord {
    uint32_t size;  // 4100 + 4 x entries when saved; 0 in a free slot
    uint32_t tag;   // MacroTag when saved
    uint32_t id;    // GameGroup << 24 | low 24 bits of the tick count at creation
    uint32_t reserved;
    uint32_t loopCount;   // 1..65533, or SinglePressLoop
    uint32_t eventCount;  // valid words in events; a file may claim more, see StoredEventCount
    MacroEvent events[kMaxMacroEvents];
    char16_t name[kMacroNameUnits];
};

struct MacroStore {
    MacroRecord slots[kMacroSlots];
};
#pragma pack(pop)

static_assert(sizeof(MacroRecord) == 4104);
static_assert(offsetof(MacroRecord, loopCount) == 16);
static_assert(offsetof(MacroRecord, eventCount) == 20);
static_assert(offsetof(MacroRecord, events) == 24);
static_assert(offsetof(MacroRecord, name) == 4024);
static_assert(sizeof(MacroStore) == 2052000);

// eventCount as far as the record can hold it; every reader of events goes through this, since a
// damaged Macro.cfg may claim more than 1000.
inline uint32_t StoredEventCount(const MacroRecord& record) {
    return record.eventCount > kMaxMacroEvents ? kMaxMacroEvents : record.eventCount;
}

inline int MacroGroupOf(uint32_t id) {
    return static_cast<int>(id >> 24);
}

// Listing and renaming count a slot as holding a macro by either field.
inline bool HoldsMacroForListing(const MacroRecord& record) {
    return record.size >= kMinSavedMacroSize || (record.tag >> 16) == MacroTagMarker;
}
// Storing takes a slot as free by its tag alone.
inline bool IsFreeForStoring(const MacroRecord& record) {
    return record.tag == 0;
}

}  // namespace tarn
