// Handing the mouse to the flashing program "FWUpdate\ZezovoRO.exe", which replaces the firmware
// while this program is gone, and where the update check looks for its manifest.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace tarn {

// Starts the flashing program with the language argument and, when it started, posts WM_CLOSE
// to the main window, which ends this program. False (and nothing posted) when it could not
// be started.
bool StartFirmwareTool(HWND mainWindow);

// The manifest address of the environment (TARN_UPDATE_MANIFEST), when set.
std::optional<std::u16string> ManifestAddressOverride();

}  // namespace tarn
