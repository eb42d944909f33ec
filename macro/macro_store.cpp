#include "macro/macro_store.h"

#include <cstring>

#include "base/app_paths.h"
#include "base/clock.h"
#include "base/file_system.h"
#include "base/language_state.h"
#include "base/text.h"
#include "base/user_messages.h"
#include "catalogue/function_catalogue.h"

namespace tarn {

namespace {

// Writing over an existing file sits between two fixed pauses on the UI thread; the timing is the
// program's established behaviour and goes through the clock so tests do not wait.
constexpr uint32_t kSavePauseMs = 100;

int FirstFreeSlot(const MacroStore& store) {
    for (int i = 0; i < kMacroSlots; ++i) {
        if (IsFreeForStoring(store.slots[i])) return i;
    }
    return -1;
}

void ReportSaveFailure(FileError error, const std::u16string& path, bool missingAnnounced) {
    switch (error) {
        case FileError::None:
            return;
        case FileError::AccessDenied:
            ShowPlainInfo(MessageText(StringKey::str_msg4));
            return;
        case FileError::NotFound:
        case FileError::BadPath:
            if (!missingAnnounced) ShowPlainInfo(FormatOne(MessageText(StringKey::str_msg2), path));
            return;
        case FileError::Other:
            ShowPlainInfo(FormatOne(
                Localized(u"宏文件保存失败：%s", u"The macros could not be saved to %s."), path));
            return;
    }
}

// Copies a record into its slot, never more events than the record can hold.
void CopyIntoSlot(MacroRecord& target, const MacroRecord& source) {
    const uint32_t count = StoredEventCount(source);
    std::memset(target.events, 0, sizeof target.events);
    std::memcpy(target.events, source.events, count * sizeof(MacroEvent));
    target.id = source.id;
    target.eventCount = count;
    target.loopCount = source.loopCount;
    target.reserved = source.reserved;
    std::memcpy(target.name, source.name, sizeof target.name);
    target.size = source.size;
    target.tag = source.tag;
}

}  // namespace

MacroStore& Macros() {
    static MacroStore store{};
    return store;
}

std::u16string MacroFilePath() {
    return JoinPath(dataFolder, u"\\Macro.cfg");
}

bool LoadMacroStore() {
    return LoadMacroStore(Macros());
}

bool LoadMacroStore(MacroStore& store) {
    const std::u16string path = MacroFilePath();
    const FileError error = ReadFileInto(Files(), path, &store, sizeof store);
    if (error == FileError::None) return true;
    if (error == FileError::NotFound || error == FileError::BadPath) {
        ShowInfoBox(FormatOne(MessageText(StringKey::str_msg2), path), false);
    }
    return false;
}

bool SaveMacroStore() {
    return SaveMacroStore(Macros());
}

bool SaveMacroStore(const MacroStore& store) {
    FileSystem& fs = Files();
    const std::u16string path = MacroFilePath();
    const bool existed = fs.Exists(path);
    // A missing file is announced before it is made anew, so the user knows the old macros are
    // gone; the pauses belong to writing over an existing file only.
    if (!existed) ShowPlainInfo(FormatOne(MessageText(StringKey::str_msg2), path));
    if (existed) SystemClock().Sleep(kSavePauseMs);
    const FileError error = WriteFileReplacing(fs, path, &store, sizeof store);
    if (existed) SystemClock().Sleep(kSavePauseMs);
    ReportSaveFailure(error, path, !existed);
    return error == FileError::None;
}

uint32_t NewMacroId(GameGroup group) {
    return (static_cast<uint32_t>(group) & 0xFF) << 24 | (SystemClock().TickCount() & 0xFFFFFF);
}

bool StoreMacro(const MacroRecord& record) {
    return StoreMacro(Macros(), record);
}

bool StoreMacro(MacroStore& store, const MacroRecord& record) {
    if (record.size < kMinSavedMacroSize || (record.tag >> 16) != MacroTagMarker) return false;
    int slot = FindMacroSlot(store, record.id);
    if (slot < 0) slot = FirstFreeSlot(store);
    if (slot < 0) {
        ShowInfoBox(Localized(u"宏存储已满（最多 500 个宏），无法保存这个宏。",
                              u"The macro store is full (500 macros); this macro cannot be saved."),
                    false);
        return false;
    }
    // A rename hands in the stored record itself; copy it first so clearing the slot's events
    // does not wipe the source.
    const MacroRecord source = record;
    CopyIntoSlot(store.slots[slot], source);
    SaveMacroStore(store);
    return true;
}

bool IsMacroInUse(uint32_t id) {
    return IsMacroInUse(Settings(), id);
}

bool IsMacroInUse(const SettingsModel& settings, uint32_t id) {
    for (const ProfileSlot& slot : settings.slotTable.slots) {
        for (uint32_t bound : slot.buttonMacroIds) {
            if (bound == id) return true;
        }
    }
    for (const ButtonAssignment& button : settings.currentProfile.buttons) {
        if (button.functionType == static_cast<uint32_t>(FnMacro) && button.macroId == id) {
            return true;
        }
    }
    return false;
}

bool DeleteMacro(uint32_t id) {
    return DeleteMacro(Macros(), Settings(), id);
}

bool DeleteMacro(MacroStore& store, const SettingsModel& settings, uint32_t id) {
    if (IsMacroInUse(settings, id)) {
        ShowInfoBox(Localized(u"当前宏正在被使用，不能删除！",
                              u"The macro is being applied and cannot be deleted!"),
                    false);
        return false;
    }
    const int slot = FindMacroSlot(store, id);
    if (slot >= 0) std::memset(&store.slots[slot], 0, sizeof(MacroRecord));
    SaveMacroStore(store);
    return true;
}

int FindMacroSlot(const MacroStore& store, uint32_t id) {
    for (int i = 0; i < kMacroSlots; ++i) {
        if (store.slots[i].id == id) return i;
    }
    return -1;
}

const MacroRecord* FindMacroById(const MacroStore& store, uint32_t id) {
    const int slot = FindMacroSlot(store, id);
    return slot < 0 ? nullptr : &store.slots[slot];
}

std::vector<MacroListItem> MacrosOfGroup(const MacroStore& store, GameGroup group) {
    std::vector<MacroListItem> items;
    for (const MacroRecord& record : store.slots) {
        if (!HoldsMacroForListing(record) || MacroGroupOf(record.id) != group) continue;
        items.push_back({FromFixed(record.name), record.id});
    }
    return items;
}

}  // namespace tarn
