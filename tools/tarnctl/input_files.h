// Reading the files a command is given, with a clear message for each way it can go wrong. The
// records are read the way the program reads them: into zeroed memory, as far as the file goes.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "macro/macro_record.h"
#include "settings/profile_exchange.h"
#include "settings/profile_record.h"

namespace tarnctl {

// A profile file, or an export file (a profile followed by the slot table).
struct ProfileInput {
    tarn::ProfileExportImage image{};
    size_t bytesRead = 0;
    bool isExport = false;  // more than a profile's bytes: the slot table follows
};

// False (the message printed) when the file cannot be read or does not start with the profile
// marker. A short or odd-sized file is read anyway, with a note.
bool ReadProfileInput(const std::string& path, ProfileInput& input);
bool ReadSlotTableInput(const std::string& path, tarn::ProfileSlotTable& table);
// The store is large; it lives on the heap.
std::unique_ptr<tarn::MacroStore> ReadMacroStoreInput(const std::string& path);

}  // namespace tarnctl
