// CDlgSupport: the support page (template 107). It shows this program's version and the mouse's
// firmware version, and offers the firmware update check, the vendor's web site, the profile
// export and import, and restoring the default settings.
#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <string_view>

#include "skin/bitmap_button_win32.h"
#include "skin/page_win32.h"
#include "skin/picture_win32.h"
#include "update/support_page_rules.h"
#include "update/update_check.h"

namespace tarn {

class CDlgSupport : public CPage, private UpdateCheckShell {
    TARN_DECLARE_MESSAGES()

public:
    CDlgSupport();

    // The firmware number read from the mouse, in decimal digits; empty when unknown.
    void SetDeviceFirmwareText(std::u16string_view text);
    const std::u16string& DeviceFirmwareText() const { return check_.DeviceFirmwareText(); }
    void LanguageChanged() override;

protected:
    BOOL OnInitDialog() override;

private:
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnEraseBackground(WPARAM, LPARAM);
    LRESULT OnMouseMove(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM, LPARAM);
    LRESULT OnCommand(WPARAM, LPARAM);
    LRESULT OnManifestFetched(WPARAM, LPARAM);
    LRESULT OnImageFetched(WPARAM, LPARAM);
    LRESULT OnDestroy(WPARAM, LPARAM);

    void CreateButtons();
    void PaintVersions(HDC dc);
    void OpenWebSite();
    void RestoreDefaults();
    HWND MainWindow() const;

    // UpdateCheckShell.
    void StartTimeoutTimer() override;
    void StopTimeoutTimer() override;
    bool StartFirmwareTool() override;

    UpdateCheck check_;
    OwnedBitmap normal_, over_, down_;
    std::array<CGDIBitmapBtn, kSupportControls.size()> buttons_;
};

}  // namespace tarn
