// CDlgProgress: the small modal window an apply shows. The apply worker moves its bar with
// 0x42B; at 100 it closes itself half a second later. The user cannot close it.
#pragma once

#include <windows.h>

#include "base/window_win32.h"
#include "skin/picture_win32.h"
#include "skin/progress_bar_win32.h"

namespace tarn {

inline constexpr int kProgressDialogTemplate = 114;

class CDlgProgress : public win::Dialog {
    TARN_DECLARE_MESSAGES()

public:
    // Runs modally over the owner until it closes.
    void RunModal(HWND owner);
    // Closes an open window now (an apply that failed sends no 100).
    void RequestClose();
    bool IsOpen() const { return hwnd_ != nullptr; }

protected:
    BOOL OnInitDialog() override;

private:
    LRESULT OnProgress(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM, LPARAM);
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnEraseBackground(WPARAM, LPARAM);
    LRESULT OnSysCommand(WPARAM, LPARAM);
    LRESULT OnClose(WPARAM, LPARAM);
    void TakeForeground();

    Image normal_, over_;
    CPngHProgressBar bar_;
};

// The one progress window of the process.
CDlgProgress& ProgressWindow();

}  // namespace tarn
