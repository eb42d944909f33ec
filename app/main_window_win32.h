// The main window. This first form shows itself with its title, so a second start can find it,
// and comes forward when the tray icon is double-clicked (or a second start says so).
#pragma once

#include <string>

#include "app/driver_app_win32.h"
#include "app/window_win32.h"

namespace tarn {

inline constexpr int kMainDialogTemplate = 102;
inline constexpr int kMainWindowWidth = 959;
inline constexpr int kMainWindowHeight = 639;

// Loads the first interface texts before the main window exists.
void LoadFirstLanguage(const std::u16string& path);

class COstraDriverDlg : public win::Dialog {
    TARN_DECLARE_MESSAGES()

public:
    explicit COstraDriverDlg(const StartOptions& options) : options_(options) {}

protected:
    BOOL OnInitDialog() override;

private:
    LRESULT OnTrayIcon(WPARAM wParam, LPARAM lParam);
    LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    LRESULT OnClose(WPARAM wParam, LPARAM lParam);
    LRESULT OnSysCommand(WPARAM wParam, LPARAM lParam);
    LRESULT OnEraseBackground(WPARAM wParam, LPARAM lParam);

    StartOptions options_;
};

}  // namespace tarn
