// The two folders every part of the program works in.
#pragma once

#include <string>
#include <string_view>

namespace tarn {

// The folder of the running executable (no trailing backslash): skins, languages, defaults.
extern std::u16string programFolder;
// The per-user data folder (no trailing backslash): profiles, macros, counters.
extern std::u16string dataFolder;

// The temporary folder as the system reports it (with its trailing backslash) + "NIREL\Tarn".
std::u16string DataFolderFromTemp(std::u16string_view tempFolder);
// The module path cut before its last backslash.
std::u16string ProgramFolderFromModule(std::u16string_view modulePath);

inline constexpr std::u16string_view kMainWindowTitle = u"Nirel Tarn Gaming Mouse Driver";
inline constexpr std::u16string_view kInstanceMutexName = u"TarnDriver.exe";

}  // namespace tarn
