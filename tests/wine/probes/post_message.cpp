// Posts one window message to the top-level window with the given title, as the program's own
// pages and workers would:  post_message.exe <title> <message> <wParam> <lParam>
// Numbers may be decimal or 0x-hexadecimal. Exit status 1 when no such window exists.
#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc < 5) return 2;
    HWND window = FindWindowW(nullptr, argv[1]);
    if (!window) return 1;
    const UINT message = static_cast<UINT>(wcstoul(argv[2], nullptr, 0));
    const WPARAM wParam = static_cast<WPARAM>(wcstoull(argv[3], nullptr, 0));
    const LPARAM lParam = static_cast<LPARAM>(wcstoll(argv[4], nullptr, 0));
    return PostMessageW(window, message, wParam, lParam) ? 0 : 1;
}
