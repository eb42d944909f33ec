#include <windows.h>

#include "app/driver_app_win32.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    tarn::COstraDriverApp app;
    return app.InitInstance(commandLine);
}
