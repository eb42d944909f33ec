#include "update/firmware_tool_win32.h"

#include <shellapi.h>
#include <stdlib.h>

#include <string>

#include "update/firmware_files.h"

namespace tarn {

bool StartFirmwareTool(HWND mainWindow) {
    const std::u16string tool = FlashingToolPath();
    const std::u16string_view argument = FlashingToolArgument();
    const std::wstring file(tool.begin(), tool.end());
    const std::wstring parameters(argument.begin(), argument.end());
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    // A missing program is reported by the caller in the program's own box.
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.hwnd = mainWindow;
    info.lpVerb = L"open";
    info.lpFile = file.c_str();
    info.lpParameters = parameters.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExW(&info)) return false;
    if (mainWindow) PostMessageW(mainWindow, WM_CLOSE, 0, 0);
    return true;
}

std::optional<std::u16string> ManifestAddressOverride() {
    const std::string name = kManifestAddressVariable;
    const std::wstring wideName(name.begin(), name.end());
    const wchar_t* value = _wgetenv(wideName.c_str());
    if (!value) return std::nullopt;
    const std::wstring text(value);
    return std::u16string(text.begin(), text.end());
}

}  // namespace tarn
