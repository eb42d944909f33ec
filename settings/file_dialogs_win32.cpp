#include "settings/file_dialogs_win32.h"

#include <windows.h>
#include <commdlg.h>

#include <vector>

namespace tarn {

namespace {

enum class DialogKind { Save, Open };

bool AskPath(WindowId owner, DialogKind kind, std::u16string& path) {
    const std::u16string filter = SystemDialogFilter(kProfileFileFilter);
    const std::u16string extension(kProfileFileExtension);
    // Room for the longest path the system hands out: with MAX_PATH a longer choice would fail
    // the dialog and end the command without a word.
    std::vector<wchar_t> chosen(32768, L'\0');
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = reinterpret_cast<HWND>(owner);
    ofn.lpstrFilter = reinterpret_cast<const wchar_t*>(filter.c_str());
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = chosen.data();
    ofn.nMaxFile = static_cast<DWORD>(chosen.size());
    ofn.lpstrDefExt = reinterpret_cast<const wchar_t*>(extension.c_str());
    ofn.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    // The import keeps the program's current directory as it was.
    if (kind == DialogKind::Open) ofn.Flags |= OFN_NOCHANGEDIR;
    const BOOL ok = kind == DialogKind::Save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    if (!ok || chosen[0] == L'\0') return false;
    path.assign(reinterpret_cast<const char16_t*>(chosen.data()));
    return true;
}

}  // namespace

bool Win32FileDialogs::AskExportPath(std::u16string& path) {
    return AskPath(owner_, DialogKind::Save, path);
}

bool Win32FileDialogs::AskImportPath(std::u16string& path) {
    return AskPath(owner_, DialogKind::Open, path);
}

}  // namespace tarn
