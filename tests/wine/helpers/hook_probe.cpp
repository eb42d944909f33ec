// A window that stands in for the main window as the hooks' target: every 0x7EB and 0x40A it
// receives is written to a log, and a 0x7EB runs the software action the way the main window
// does. The Wine tests drive it with real X input.
//   hook_probe.exe LOG [PROGRAM]   PROGRAM: opened by a software action on the middle button
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "app/input_hooks.h"
#include "app/software_action.h"
#include "base/text.h"
#include "base/window_messages.h"

namespace {

FILE* g_log = nullptr;

void Log(const char* what, WPARAM wParam, LPARAM lParam) {
    if (!g_log) return;
    std::fprintf(g_log, "%s %llx %llx\n", what, static_cast<unsigned long long>(wParam),
                 static_cast<unsigned long long>(lParam));
    std::fflush(g_log);
}

LRESULT CALLBACK ProbeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case tarn::kMsgHookReport:
            Log("7EB", wParam, lParam);
            tarn::RunSoftwareAction(static_cast<uint32_t>(wParam));
            return 0;
        case tarn::kMsgHookKey:
            Log("40A", wParam, lParam);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

void AssignMiddleButtonAction(const wchar_t* program) {
    tarn::ButtonAssignment& middle = tarn::Settings().currentProfile.buttons[tarn::ButtonMiddle];
    middle.functionType = tarn::kFunctionSoftware;
    middle.actionKind = tarn::kActionProgram;
    tarn::CopyToFixed(middle.actionPath, reinterpret_cast<const char16_t*>(program));
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 2) return 2;
    // Binary, so the lines end in a plain line feed for the shell.
    g_log = _wfopen(argv[1], L"wb");
    if (!g_log) return 2;

    tarn::MakeDefaultProfile(tarn::Settings().currentProfile);
    if (argc >= 3) AssignMiddleButtonAction(argv[2]);

    WNDCLASSW cls{};
    cls.lpfnWndProc = ProbeProc;
    cls.hInstance = instance;
    cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    cls.lpszClassName = L"TarnHookProbe";
    RegisterClassW(&cls);
    HWND hwnd =
        CreateWindowExW(0, cls.lpszClassName, L"Tarn hook probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                        100, 100, 400, 300, nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 2;

    if (!tarn::StartHookThread(reinterpret_cast<tarn::WindowId>(hwnd))) {
        std::fputs("hooks not installed\n", g_log);
        return 3;
    }
    // The hook thread reports only the mouse; keys are reported here too, so a key press
    // shows up as a 0x7EB as well.
    tarn::SetReporting(true, true);
    std::fputs("ready\n", g_log);
    std::fflush(g_log);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    tarn::StopHookThread();
    std::fclose(g_log);
    return 0;
}
