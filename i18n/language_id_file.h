// "Language.cfg" in the data folder: the chosen LanguageId as a 32-bit little-endian integer.
#pragma once

#include <string>

#include "i18n/language_table.h"

namespace tarn {

std::u16string LanguageIdPath();

// The stored language; 1 when the file cannot be read. A missing file (or folder) is reported
// to the user first.
LanguageId ReadLanguageId();

// Stores the language. A file the platform reports as not found, or access denied, is reported
// in the plain "Info" box; other failures stay silent.
void WriteLanguageId(LanguageId id);

}  // namespace tarn
