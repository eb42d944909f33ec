// Stands in for the flashing program "ZezovoRO.exe" in the Wine tests: it writes its command
// line's argument to "<its own path>.args" and ends.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR argument, int) {
    wchar_t path[MAX_PATH + 8];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return 1;
    lstrcatW(path, L".args");
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    char text[64] = {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, argument, -1, text, sizeof text - 1, nullptr,
                                      nullptr);
    DWORD written = 0;
    if (n > 1) WriteFile(file, text, n - 1, &written, nullptr);
    CloseHandle(file);
    return 0;
}
