// Puts text on the clipboard for the Wine tests, which then paste it with Ctrl+V as a user would.
// The text comes from a UTF-8 file, so any script can be pasted whatever the shell's locale.
//   clipboard_text.exe FILE
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace {

std::vector<char> ReadAll(const wchar_t* path) {
    std::vector<char> bytes;
    HANDLE file =
        CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) {
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    CloseHandle(file);
    return bytes;
}

std::wstring FromUtf8(const std::vector<char>& bytes) {
    if (bytes.empty()) return {};
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), n);
    return text;
}

bool PutOnClipboard(const std::wstring& text) {
    const size_t size = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!memory) return false;
    void* target = GlobalLock(memory);
    memcpy(target, text.c_str(), size);
    GlobalUnlock(memory);
    if (!OpenClipboard(nullptr)) {
        GlobalFree(memory);
        return false;
    }
    EmptyClipboard();
    const bool set = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    CloseClipboard();
    if (!set) GlobalFree(memory);
    return set;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 2) return 2;
    const std::vector<char> bytes = ReadAll(argv[1]);
    if (bytes.empty()) return 2;
    return PutOnClipboard(FromUtf8(bytes)) ? 0 : 1;
}
