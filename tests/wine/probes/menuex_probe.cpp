// Loads MenuEx.dll the way the program does and reports, one line each, what the library did:
//   menuex_probe.exe <program folder> <result file>
// It opens a three-item menu for the test to click, then a second menu that it closes itself
// to show that closing reports nothing.
#include <windows.h>

#include <cstdio>
#include <string>

#include "base/app_paths.h"
#include "skin/menu_ex_library_win32.h"

namespace {

FILE* g_result = nullptr;
int g_choices = 0;
constexpr UINT_PTR kCloseTimer = 1, kEndTimer = 2;

void Report(const char* line) {
    fprintf(g_result, "%s\n", line);
    fflush(g_result);
}

void OpenTestMenu(HWND owner) {
    const tarn::MenuExItem items[] = {
        tarn::MakeMenuExItem(101, u"Alpha"), tarn::MakeMenuExItem(102, u"Beta"),
        tarn::MakeMenuExItem(201, u"Beta child", 102), tarn::MakeMenuExItem(103, u"Gamma")};
    tarn::OpenMenuEx(owner, POINT{150, 150}, items, 4);
}

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == 0x501) {
        ++g_choices;
        char line[64];
        snprintf(line, sizeof line, "chosen %ld", static_cast<long>(lParam));
        Report(line);
        tarn::DestroyMenuEx();
        if (g_choices == 1) {
            OpenTestMenu(window);
            SetTimer(window, kCloseTimer, 300, nullptr);
        }
        return 0;
    }
    if (message == WM_TIMER && wParam == kCloseTimer) {
        KillTimer(window, kCloseTimer);
        tarn::DestroyMenuEx();
        Report(FindWindowW(L"TarnMenuEx", nullptr) ? "still-open" : "closed");
        SetTimer(window, kEndTimer, 800, nullptr);
        return 0;
    }
    if (message == WM_TIMER && wParam == kEndTimer) {
        Report(g_choices == 1 ? "quiet" : "noisy");
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    g_result = _wfopen(argv[2], L"w");
    if (!g_result) return 2;
    SetDllDirectoryW(argv[1]);
    const std::wstring folder = argv[1];
    tarn::programFolder.assign(folder.begin(), folder.end());

    tarn::DestroyMenuEx();  // before loading: nothing to close, nothing happens
    if (!tarn::LoadMenuExLibrary()) {
        Report("load-failed");
        return 1;
    }
    Report("loaded");
    tarn::DestroyMenuEx();  // loaded, no menu open
    Report("destroy-none");

    WNDCLASSW wc{};
    wc.lpfnWndProc = OwnerProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    wc.lpszClassName = L"MenuExProbe";
    RegisterClassW(&wc);
    HWND owner = CreateWindowExW(0, L"MenuExProbe", L"MenuExProbe", WS_POPUP | WS_VISIBLE, 50, 50,
                                 400, 400, nullptr, nullptr, wc.hInstance, nullptr);
    OpenTestMenu(owner);
    Report(FindWindowW(L"TarnMenuEx", nullptr) ? "open" : "not-open");
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    fclose(g_result);
    return 0;
}
