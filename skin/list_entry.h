// The rules of the skinned list box that need no window: how an entry's type and value share
// its 32-bit item data, where its icon and text go, and when an in-place rename commits.
#pragma once

#include <cstdint>
#include <string_view>

namespace tarn::skin {

// Entry types of icon mode (the top byte of the item data).
enum ListEntryType : int {
    EntryPlain = 0,
    EntryIndented = 1,  // placed like an icon entry, without an icon
    EntryUp = 2,        // a key or button going up
    EntryDown = 3,      // going down
    EntryDelay = 4,     // a pause
};

inline constexpr int kListItemHeight = 20;
inline constexpr int kListIconSize = 16;
inline constexpr int kListIconLeft = 5;
inline constexpr int kListIconTop = 1;
inline constexpr int kListTextGap = 10;   // between the icon and the text
inline constexpr int kListPlainLeft = 5;  // the text of an entry without an icon place
inline constexpr int kRenameLimit = 20;   // characters the in-place editor takes

// The item data stored for an entry: a typed entry carries its type in bits 31..24 and the
// caller's value in bits 23..0; a plain one keeps the caller's whole 32 bits.
constexpr uint32_t PackEntry(int type, uint32_t value) {
    if (type == EntryPlain) return value;
    return static_cast<uint32_t>(type & 0xFF) << 24 | (value & 0xFFFFFF);
}
// Outside icon mode every entry reads as plain with its whole item data as the value.
constexpr int EntryTypeOf(uint32_t data, bool iconMode) {
    return iconMode ? static_cast<int>(data >> 24) : EntryPlain;
}
constexpr uint32_t EntryValueOf(uint32_t data, bool iconMode) {
    return iconMode ? (data & 0xFFFFFF) : data;
}

// Adding an entry decides icon mode: a plain entry switches it off for the whole list, any
// other type switches it on.
constexpr bool IconModeAfterAdd(int type) {
    return type != EntryPlain;
}

// The icon file of a type in the skins folder; empty for types without an icon.
std::wstring_view EntryIconFile(int type, bool selected);

// Left edge of the text: types 1..4 leave room for the icon, everything else starts near the
// edge.
int EntryTextLeft(int type, int iconWidth);

// The in-place editor's life: Enter and Escape act when released, losing the focus commits.
// It ends at the first of them, so the focus loss that removing the editor causes after Enter
// or Escape never commits a second time (the list posts its rename message once).
enum class RenameEvent { EnterReleased, EscapeReleased, FocusLost };
enum class RenameAction { None, Commit, Cancel };

class RenameSession {
public:
    // False while a rename is open, or with rename disabled or no such entry.
    bool Open(bool enabled, int index, int count);
    RenameAction On(RenameEvent event);
    // Ends without committing (a new entry is added, the list is emptied).
    void Abandon() { index_ = -1; }
    bool IsOpen() const { return index_ >= 0; }
    int Index() const { return index_; }

private:
    int index_ = -1;
};

}  // namespace tarn::skin
