#include "app/driver_app_win32.h"

#include <commctrl.h>
#include <gdiplus.h>
#include <objbase.h>

#include <string>
#include <vector>

#include "base/app_paths.h"
#include "app/main_window_win32.h"
#include "base/text.h"
#include "base/user_messages_win32.h"
#include "base/window_messages.h"
#include "skin/control_gallery_win32.h"
#include "skin/info_box_win32.h"

namespace tarn {

namespace {

COstraDriverApp* g_app = nullptr;

std::u16string U(const wchar_t* s) {
    return std::u16string(reinterpret_cast<const char16_t*>(s));
}

std::u16string TempFolder() {
    wchar_t buffer[MAX_PATH + 1] = {};
    const DWORD n = GetTempPathW(MAX_PATH + 1, buffer);
    return n > 0 && n <= MAX_PATH ? U(buffer) : std::u16string(u"C:\\Windows\\Temp\\");
}

std::u16string ModulePath() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n < buffer.size()) {
            buffer.resize(n);
            break;
        }
        buffer.resize(buffer.size() * 2);
    }
    return U(buffer.c_str());
}

}  // namespace

StartOptions ParseCommandLine(const wchar_t* commandLine) {
    if (!commandLine || !*commandLine) return {};
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(commandLine, &argc);
    if (!argv) return {};
    std::vector<std::u16string> arguments;
    for (int i = 0; i < argc; ++i) arguments.push_back(U(argv[i]));
    LocalFree(argv);
    return ParseStartArguments(arguments);
}

COstraDriverApp& TheApp() {
    return *g_app;
}

COstraDriverApp::COstraDriverApp() {
    g_app = this;
}

COstraDriverApp::~COstraDriverApp() {
    if (gdiplusToken_) Gdiplus::GdiplusShutdown(gdiplusToken_);
    if (applyEvent_) CloseHandle(applyEvent_);
    if (updateCheckEvent_) CloseHandle(updateCheckEvent_);
    if (instanceMutex_) CloseHandle(instanceMutex_);
    g_app = nullptr;
}

int COstraDriverApp::InitInstance(const wchar_t* commandLine) {
    // 1. Common controls, COM for the shell dialogs and pictures, GDI+.
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    Gdiplus::GdiplusStartupInput gdiplusInput;
    Gdiplus::GdiplusStartup(&gdiplusToken_, &gdiplusInput, nullptr);

    // The control gallery is a test window of its own; it takes no part in the single instance.
    const StartOptions options = ParseCommandLine(commandLine);
    if (options.gallery) {
        programFolder = ProgramFolderFromModule(ModulePath());
        SetUserMessages(&SkinnedUserMessages());
        const std::wstring skin(options.gallerySkin.begin(), options.gallerySkin.end());
        const int result = RunControlGallery(skin, options.galleryChinese);
        CoUninitialize();
        return result;
    }

    // 2. One running copy: a second start wakes the first through its tray double-click.
    instanceMutex_ =
        CreateMutexW(nullptr, FALSE, reinterpret_cast<LPCWSTR>(kInstanceMutexName.data()));
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        // A start into the tray (the Startup shortcut) leaves a running copy as it is.
        HWND running = FindWindowW(nullptr, reinterpret_cast<LPCWSTR>(kMainWindowTitle.data()));
        if (running && !options.tray) PostMessageW(running, kMsgTrayIcon, 0, kTrayDoubleClick);
        return 0;
    }

    // 3. The worker events: manual reset, not signalled.
    applyEvent_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    updateCheckEvent_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);

    // 4, 5. The data folder under the temporary folder, the program folder of the executable.
    dataFolder = DataFolderFromTemp(TempFolder());
    programFolder = ProgramFolderFromModule(ModulePath());

    SetUserMessages(&SkinnedUserMessages());

    // 6. A first set of interface texts; the main window picks the real language moments later.
    LoadFirstLanguage(programFolder + u"\\Language\\sc.xml");

    // 7. The main window, modal; when it ends, the application ends.
    COstraDriverDlg mainWindow(options);
    mainWindow.DoModal(nullptr, kMainDialogTemplate);
    CoUninitialize();
    return 0;
}

}  // namespace tarn
