// The application object: one running copy, the two folders, the worker events, the first
// language load, and the main window run as a modal dialog.
#pragma once

#include <windows.h>

#include <string>

#include "app/start_options.h"

namespace tarn {

StartOptions ParseCommandLine(const wchar_t* commandLine);

class COstraDriverApp {
public:
    COstraDriverApp();
    ~COstraDriverApp();
    // Returns the process exit code; false-like "stop" is the only outcome, as the main window
    // has ended or a second instance handed over to the first.
    int InitInstance(const wchar_t* commandLine);

    HANDLE applyEvent() const { return applyEvent_; }
    HANDLE updateCheckEvent() const { return updateCheckEvent_; }

private:
    HANDLE instanceMutex_ = nullptr;
    HANDLE applyEvent_ = nullptr;
    HANDLE updateCheckEvent_ = nullptr;
    ULONG_PTR gdiplusToken_ = 0;
};

// The one application object of the process.
COstraDriverApp& TheApp();

}  // namespace tarn
