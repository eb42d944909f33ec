// The settings model on disk: the slot table ConfigInfo.cfg, the five profile files, and the
// data folder a first start fills from the program folder. Called on the user-interface thread.
#pragma once

#include <cstddef>
#include <string>

#include "base/file_system.h"
#include "settings/profile_record.h"

namespace tarn {

// Results of LoadProfileFile.
inline constexpr int kProfileNotOpened = 0;
inline constexpr int kProfileLoaded = 1;
inline constexpr int kProfileInvalid = 255;

// The longest path the records hold and the system's file calls take (MAX_PATH less its zero).
inline constexpr size_t kMaxPathLength = kPathUnits - 1;

// "<dataFolder>\Profile\ConfigInfo.cfg".
std::u16string SlotTablePath();
// "<dataFolder>\Profile\Profile<slot + 1>.cfg", in full even when it is too long to use.
std::u16string ProfileFilePath(int slot);
// The slot's stored profilePath; an empty one (its path did not fit) gives the full path back,
// which the file calls then refuse as a bad path.
std::u16string SlotFilePath(const SettingsModel& model, int slot);

// Reads and writes refuse a path longer than kMaxPathLength as a bad path, as Windows does,
// so a cut-down name never reaches the disk. Writes go through a temporary file.
FileError ReadSettingsFile(const std::u16string& path, void* buffer, size_t size);
FileError WriteSettingsFile(const std::u16string& path, const void* data, size_t size);

// On a first start (no data folder yet) creates it and copies the installed defaults in.
void SeedDataFolder();

// Fills slotTable from ConfigInfo.cfg; a file that does not open leaves it as it was.
void ReadSlotTable(SettingsModel& model);

// Reads a profile file into currentProfile: kProfileLoaded, kProfileInvalid (read, but its
// first word is not ProfileMagic) or kProfileNotOpened. A missing file is reported and
// replaced by a default one when reportMissing is set. openError, when given, receives why the
// file did not open (None when it opened).
int LoadProfileFile(SettingsModel& model, const std::u16string& path, bool reportMissing,
                    FileError* openError = nullptr);

// Makes currentProfile the default profile and writes it to path; 1 on success, 0 otherwise.
int CreateDefaultProfileFile(SettingsModel& model, const std::u16string& path);

// Writes currentProfile to the current slot's file and the slot table to ConfigInfo.cfg; run
// when the mouse has accepted an apply. Every failure is told: a missing file or folder with
// str_msg2, a denied write with str_msg5, any other with the path that could not be written.
void SaveCurrentProfile(SettingsModel& model);

}  // namespace tarn
