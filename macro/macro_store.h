// The process-wide macro store and its file Macro.cfg in the data folder: loading, saving,
// storing a record, deleting, the look-ups by id, and listing a group.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "macro/game_groups.h"
#include "macro/macro_record.h"
#include "settings/profile_record.h"

namespace tarn {

// The one store of the process; zeroed until LoadMacroStore fills it.
MacroStore& Macros();

// dataFolder + "\Macro.cfg".
std::u16string MacroFilePath();

// Reads Macro.cfg; a short file leaves the remaining slots free, extra bytes are ignored. A
// missing file or folder is told to the user (str_msg2 with the path); the store stays zeroed.
bool LoadMacroStore();
bool LoadMacroStore(MacroStore& store);

// Writes the whole store, through a temporary file renamed over Macro.cfg so a failed save
// leaves the previous file whole. Pauses 100 ms before and after writing over an existing
// file. A missing file is announced (str_msg2) and created; a denied write shows str_msg4; any
// other failure is told too. Returns whether the file now holds the store.
bool SaveMacroStore();
bool SaveMacroStore(const MacroStore& store);

// group << 24 | low 24 bits of the tick count.
uint32_t NewMacroId(GameGroup group);

// Puts a saved record into the store and saves the file. Refuses records whose size is below
// 4104 or whose tag lacks the marker. The target is the first slot with the record's id, else
// the first slot with a zero tag. A full store tells the user and returns false. Returns true
// once the record is in the store, even if the file could not be written (the user was told).
bool StoreMacro(const MacroRecord& record);
bool StoreMacro(MacroStore& store, const MacroRecord& record);

// Whether any profile slot binds the id to a button, or a macro button of the current profile
// carries it.
bool IsMacroInUse(uint32_t id);
bool IsMacroInUse(const SettingsModel& settings, uint32_t id);

// Refuses (with a message) a macro that is in use; otherwise clears the first slot with the id
// and saves the file.
bool DeleteMacro(uint32_t id);
bool DeleteMacro(MacroStore& store, const SettingsModel& settings, uint32_t id);

// The first slot whose id equals id, in slot order; null when none does. The upload reads the
// macro bound to a button through this.
const MacroRecord* FindMacroById(const MacroStore& store, uint32_t id);
int FindMacroSlot(const MacroStore& store, uint32_t id);  // -1 when none

// One entry of a group's macro list.
struct MacroListItem {
    std::u16string name;
    uint32_t id;
};
// The macros of a group in slot order, by the listing test.
std::vector<MacroListItem> MacrosOfGroup(const MacroStore& store, GameGroup group);

}  // namespace tarn
