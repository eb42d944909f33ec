// The support page's export and import of a profile: a file that holds the current profile and
// the slot table, 30160 bytes.
#pragma once

#include "settings/profile_record.h"

namespace tarn {

class FileDialogs;

#pragma pack(push, 1)
struct ProfileExportImage {
    ProfileRecord profile;
    ProfileSlotTable slotTable;
};
#pragma pack(pop)
static_assert(sizeof(ProfileExportImage) == 30160);

// Asks for a file and writes currentProfile and slotTable to it, the current slot's macro
// bindings brought up to date first.
void ExportProfile(SettingsModel& model, FileDialogs& dialogs);

// Asks for a file and takes its profile into memory only; the next apply sends and saves it.
// The bindings of the file's active slot replace the current slot's. A file that is not a
// profile changes nothing.
void ImportProfile(SettingsModel& model, FileDialogs& dialogs);

}  // namespace tarn
