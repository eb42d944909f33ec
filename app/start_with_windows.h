// Starting with Windows: a shortcut in the user's Startup folder that starts the program into
// the tray. The program keeps no registry entry; the shortcut being there is the setting.
#pragma once

#include <string_view>

namespace tarn {

inline constexpr std::u16string_view kStartupShortcutName = u"Nirel Tarn.lnk";
inline constexpr std::u16string_view kStartupArguments = u"--tray";
// The tray menu's captions are English in every language, as "Config" and "Exit" are.
inline constexpr std::u16string_view kStartWithWindowsCaption = u"Start with Windows";

// Told when the shortcut could not be made or removed.
std::u16string_view StartupShortcutFailedText();

// The platform side (start_with_windows_win32.cpp).
bool StartupShortcutPresent();
// Makes the shortcut to the running program (on) or removes it (off); true when done.
bool SetStartupShortcut(bool on);

}  // namespace tarn
