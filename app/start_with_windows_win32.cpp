// The Startup shortcut through the shell's link object, so it is a real .lnk that Explorer,
// the Startup apps list and the installer all understand.
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <string>

#include "app/start_with_windows.h"
#include "base/app_paths.h"

namespace tarn {

namespace {

std::wstring Wide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

std::wstring ShortcutPath() {
    wchar_t folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_STARTUP | CSIDL_FLAG_CREATE, nullptr,
                                SHGFP_TYPE_CURRENT, folder))) {
        return {};
    }
    return std::wstring(folder) + L"\\" + Wide(kStartupShortcutName);
}

bool MakeShortcut(const std::wstring& path) {
    const std::wstring target = Wide(programFolder) + L"\\TarnDriver.exe";
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link)))) {
        return false;
    }
    link->SetPath(target.c_str());
    link->SetArguments(Wide(kStartupArguments).c_str());
    link->SetWorkingDirectory(Wide(programFolder).c_str());
    link->SetIconLocation(target.c_str(), 0);
    IPersistFile* file = nullptr;
    bool saved = false;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        saved = SUCCEEDED(file->Save(path.c_str(), TRUE));
        file->Release();
    }
    link->Release();
    return saved;
}

}  // namespace

bool StartupShortcutPresent() {
    const std::wstring path = ShortcutPath();
    return !path.empty() && GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool SetStartupShortcut(bool on) {
    const std::wstring path = ShortcutPath();
    if (path.empty()) return false;
    if (on) return MakeShortcut(path);
    return DeleteFileW(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
}

}  // namespace tarn
