#include "macro/macro_events.h"

#include <algorithm>
#include <string>

#include "base/language_state.h"
#include "base/text.h"
#include "base/user_messages.h"
#include "catalogue/key_names.h"
#include "macro/macro_store.h"

namespace tarn {

namespace {

// The loop field is read as the system's wide string-to-long conversion reads it, but only the
// first 100 characters, as the field's buffer holds no more.
constexpr size_t kLoopTextUnits = 100;

bool IsSpace(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

std::u16string Ascii(const std::string& text) {
    return std::u16string(text.begin(), text.end());
}

MacroEvent EventOf(const EventEntry& entry) {
    if (entry.type == EntryPress) return MakeMacroEvent(KeyPress, entry.value);
    if (entry.type == EntryRelease) return MakeMacroEvent(KeyRelease, entry.value);
    return MakeMacroEvent(Delay, entry.value);
}

bool IsKnownEntry(const EventEntry& entry) {
    return entry.type == EntryPress || entry.type == EntryRelease || entry.type == EntryDelay;
}

}  // namespace

std::u16string DelayText(uint32_t milliseconds) {
    return Ascii(std::to_string(static_cast<int32_t>(milliseconds)) + "  ms");
}

EventEntry MakeKeyEntry(uint8_t type, uint32_t code) {
    return {type, code & 0xFFFFFF, std::u16string(KeyName(code))};
}

EventEntry MakeDelayEntry(uint32_t milliseconds) {
    return {EntryDelay, milliseconds & 0xFFFFFF, DelayText(milliseconds & 0xFFFFFF)};
}

void MergeAdjacentDelays(std::vector<EventEntry>& entries) {
    size_t kept = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        EventEntry& previous = entries[kept == 0 ? 0 : kept - 1];
        if (kept > 0 && entries[i].type == EntryDelay && previous.type == EntryDelay) {
            const uint64_t sum = uint64_t{previous.value} + entries[i].value;
            previous =
                MakeDelayEntry(static_cast<uint32_t>(std::min<uint64_t>(sum, MaxMergedDelay)));
            continue;
        }
        if (kept != i) entries[kept] = std::move(entries[i]);
        ++kept;
    }
    entries.resize(kept);
}

uint32_t LoopCountFromText(std::u16string_view text) {
    text = text.substr(0, std::min(text.find(u'\0'), kLoopTextUnits));
    size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    const size_t digits = i;
    uint64_t value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = std::min<uint64_t>(value * 10 + (text[i] - u'0'), uint64_t{1} << 40);
    }
    // No digits reads as 0; trailing characters make the text no number at all. A negative
    // count is no count either: read as a huge unsigned number it would repeat the macro 65533
    // times for a pasted "-5".
    if (i == digits || i != text.size() || value == 0 || negative) return 1;
    if (value > MaxLoopCount) return MaxLoopCount;
    return static_cast<uint32_t>(value);
}

std::u16string LoopTextOf(uint32_t loopCount) {
    if (loopCount == SinglePressLoop) return u"1";
    return Ascii(std::to_string(static_cast<int32_t>(loopCount)));
}

std::optional<BuiltMacro> BuildMacroRecord(std::vector<EventEntry>& entries,
                                           std::u16string_view loopText, uint32_t id,
                                           std::u16string_view name) {
    const size_t listed = entries.size();
    if (listed == 0) return std::nullopt;
    MergeAdjacentDelays(entries);

    std::optional<BuiltMacro> built(std::in_place);
    MacroRecord& record = built->record;
    record = MacroRecord{};
    built->truncated = false;
    record.size = 4100 + 4 * static_cast<uint32_t>(std::min<size_t>(listed, kMaxMacroEvents));
    record.tag = MacroTag;

    bool keySeen = false;
    for (const EventEntry& entry : entries) {
        if (!IsKnownEntry(entry)) continue;
        // A pause before the first key does nothing on the mouse, so it is not stored.
        if (entry.type == EntryDelay && !keySeen) continue;
        keySeen = true;
        if (record.eventCount == kMaxMacroEvents) {
            built->truncated = true;
            break;
        }
        record.events[record.eventCount++] = EventOf(entry);
    }

    const bool singlePress = record.eventCount == 1 && EventKind(record.events[0]) == KeyPress;
    record.loopCount = singlePress ? SinglePressLoop : LoopCountFromText(loopText);
    record.id = id;
    CopyToFixed(record.name, name);
    return built;
}

bool CommitMacro(std::vector<EventEntry>& entries, std::u16string_view loopText, uint32_t id,
                 std::u16string_view name) {
    std::optional<BuiltMacro> built = BuildMacroRecord(entries, loopText, id, name);
    if (!built) return false;
    const bool stored = StoreMacro(built->record);
    if (stored && built->truncated) {
        ShowInfoBox(Localized(u"一个宏最多保存 1000 个事件，之后的事件没有保存。",
                              u"A macro holds at most 1000 events; the events after the first 1000 "
                              u"were not saved."),
                    false);
    }
    return stored;
}

MacroEntries EntriesOfMacro(const MacroStore& store, uint32_t id) {
    MacroEntries result;
    for (const MacroRecord& record : store.slots) {
        if (record.id != id) continue;
        result.found = true;
        result.loopText = LoopTextOf(record.loopCount);
        const uint32_t count = StoredEventCount(record);
        for (uint32_t k = 0; k < count; ++k) {
            const MacroEvent event = record.events[k];
            const uint8_t kind = EventKind(event);
            if (kind == KeyRelease) {
                result.entries.push_back(MakeKeyEntry(EntryRelease, EventValue(event)));
            } else if (kind == KeyPress) {
                result.entries.push_back(MakeKeyEntry(EntryPress, EventValue(event)));
            } else if (kind == Delay) {
                result.entries.push_back(MakeDelayEntry(EventValue(event)));
            } else {
                result.invalidKind = true;
                break;
            }
        }
    }
    return result;
}

}  // namespace tarn
