// COstraDriverDlg: the main window. It builds its skinned view, runs the start-up sequence,
// owns the pages, the link to the mouse, the tray icon and the workers, and turns the custom
// messages of the pages, hooks and workers into file, device and page actions. The rules it
// follows live in MainController and RunStartUp; this class carries them out on the platform.
#pragma once

#include <windows.h>

#include <array>
#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <utility>

#include "app/device_presence.h"
#include "app/driver_app_win32.h"
#include "app/link_reopener.h"
#include "app/main_controller.h"
#include "app/start_up_sequence.h"
#include "assign/button_page_win32.h"
#include "base/window_win32.h"
#include "device/apply_worker.h"
#include "device/simulated_notifications_win32.h"
#include "device/usb_driver.h"
#include "i18n/apply_language.h"
#include "lighting/lighting_page_win32.h"
#include "macro/macro_page_win32.h"
#include "skin/bitmap_button_win32.h"
#include "skin/irr_button_win32.h"
#include "skin/picture_win32.h"
#include "stats/stats_page_win32.h"
#include "update/support_page_win32.h"
#include "update/update_worker.h"

namespace tarn {

class CMenuExA;
class CXPMenu;
class ProfileFollowWindow;
class CDlgProgramLinks;

inline constexpr int kMainDialogTemplate = 102;
inline constexpr int kLanguageIndicatorId = 1010;
inline constexpr int kFirstPageTemplate = 103;
// Posted by the view to itself: the rest of the view, once the window shows.
inline constexpr UINT kMsgFinishView = WM_APP + 1;
// Posted by the re-open after an arrival: wParam the attempt, lParam the firmware version
// when the link opened, -1 when it did not.
inline constexpr UINT kMsgLinkReopened = WM_APP + 0x333;

// Loads the first interface texts before the main window exists.
void LoadFirstLanguage(const std::u16string& path);

class COstraDriverDlg : public win::Dialog,
                        private MainWindowShell,
                        private StartUpSteps,
                        private LanguageWindow,
                        private DevicePresenceShell {
    TARN_DECLARE_MESSAGES()

public:
    explicit COstraDriverDlg(const StartOptions& options);
    ~COstraDriverDlg() override;

protected:
    BOOL OnInitDialog() override;

private:
    // Messages.
    LRESULT OnLanguage(WPARAM, LPARAM);
    LRESULT OnTrayIcon(WPARAM, LPARAM);
    LRESULT OnApplyDone(WPARAM, LPARAM);
    LRESULT OnApplyFailed(WPARAM, LPARAM);
    LRESULT OnHookReport(WPARAM, LPARAM);
    LRESULT OnHint(WPARAM, LPARAM);
    LRESULT OnRestoreDefaults(WPARAM, LPARAM);
    LRESULT OnCommand(WPARAM, LPARAM);
    LRESULT OnMouseMove(WPARAM, LPARAM);
    LRESULT OnLButtonDown(WPARAM, LPARAM);
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnEraseBackground(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM, LPARAM);
    LRESULT OnQueryEndSession(WPARAM, LPARAM);
    LRESULT OnSysCommand(WPARAM, LPARAM);
    LRESULT OnClose(WPARAM, LPARAM);
    LRESULT OnWindowPosChanging(WPARAM, LPARAM);
    LRESULT OnMeasureItem(WPARAM, LPARAM);
    LRESULT OnDrawItem(WPARAM, LPARAM);
    // Device presence (device_presence_win32.cpp).
    LRESULT OnDeviceChange(WPARAM, LPARAM);
    LRESULT OnLinkReopened(WPARAM, LPARAM);

    // The view (main_view_win32.cpp).
    void CreateSmallButtons();
    void CutSmallButtons();
    std::array<std::pair<CGDIBitmapBtn*, const geo::Rect*>, 3> SmallButtons();
    LRESULT OnFinishView(WPARAM, LPARAM);
    void CreateShapedButtons();
    void CentreWindow(int width, int height);
    void PaintHint(HDC dc);
    void RepaintHint();
    void OpenLanguageMenu();

    // The keyboard filter before the dialog's own key handling.
    static LRESULT CALLBACK KeyFilterHook(int code, WPARAM wParam, LPARAM lParam);

    // StartUpSteps (main_start_up_win32.cpp).
    void AddSystemMenuAndIcons() override;
    void SeedDataFolderIfMissing() override;
    void ChooseSkinLanguage() override;
    void SetTitle() override;
    void LoadMacros() override;
    void BuildView() override;
    void CreatePages() override;
    void CreatePage(int n);
    void CreateHiddenPages();
    // The five pages in tab order (main_pages_win32.cpp).
    std::array<CPage*, kPageCount> Pages();
    void AddTrayIcon() override;
    void WaitForTrayIcon();
    void LoadProfiles() override;
    void RegisterDeviceNotifications() override;
    void ListStartMacros() override;
    void LoadMacroBindings() override;
    void PlaceLanguageIndicator() override;
    void PostStoredLanguage() override;
    bool PrepareLink() override;
    bool FirmwareLoaderPresent() override;
    bool MousePresent() override;
    void HandOverToFlashingTool() override;
    bool OpenDevice() override;
    void RefreshPages() override;
    void StartRunning() override;
    void ReportMouseMissing() override;
    void ShutDown();
    // Profiles that follow the program in front (main_program_links_win32.cpp).
    void StartProfileFollow();
    void StopProfileFollow();
    void HoldProfileInput(bool hold);

    // DevicePresenceShell (device_presence_win32.cpp).
    void CloseLink() override;
    void InstallGlobalHooks() override;
    void RemoveGlobalHooks() override;
    void StartReopen(uint32_t attempt) override;
    void CancelReopen() override;
    void SetDeviceFirmwareText(std::u16string_view text) override;
    // Whether a present USB device has a hardware id containing text (the simulated bus when
    // the mouse is simulated).
    bool FindUsbDevice(std::u16string_view text);

    // MainWindowShell: what reaches the pages (main_pages_win32.cpp).
    void CloseGroupMenu() override;
    bool MacroPageRecording() override;
    void ToggleRecording() override;
    void ValidateLoopField() override;
    void RefreshButtonPage() override;
    void CommitScrollLines() override;
    void RefreshLightingPage() override;
    // MainWindowShell: the window itself.
    void ShowProfileSelected(int slot, bool selected) override;
    void ReloadPagesFromProfile() override;
    void ShowTabPressed(int tab, bool pressed) override;
    void ShowPage(int page, bool visible) override;
    void EnableApplyControls(bool enabled) override;
    void ShowApplyButtonNormal() override;
    void ShowMainWindow() override;
    void HideMainWindow() override;
    void MinimizeMainWindow() override;
    void ShowTrayMenu() override;
    void ToggleStartWithWindows() override;
    void OpenProgramLinks() override;
    void PostClose() override;
    void ShowProgressModal() override;
    void CloseProgress() override;
    void ShowInfo(std::u16string_view text) override;

    // LanguageWindow.
    bool LanguageMenuOpen() const override { return languagePopup_ != nullptr; }
    void ShowLanguageFlag(int bitmapResource) override;
    void RefreshTooltips() override;
    void CloseLanguageMenu() override;
    void ForgetLanguageMenu() override { languagePopup_ = nullptr; }

    StartOptions options_;
    MainController controller_;
    std::unique_ptr<CUSBDriver> link_;
    ApplyWorkerThread applyWorker_;
    UpdateWorkerThread updateWorker_;
    DevicePresence presence_;
    LinkReopener reopener_;
    // The simulated mouse inside link_, and the notifications of its bus, with --simulate.
    SimulatedMouse* simulatedMouse_ = nullptr;
    SimulatedDeviceNotifications simulatedNotifications_;
    bool hooksStarted_ = false;
    // A start into the tray keeps the window hidden until the user asks for it: the dialog
    // manager would otherwise show a modal dialog once its queue first runs empty.
    bool keepHidden_ = false;
    bool closing_ = false;

    OwnedBitmap skinNormal_;  // painted on every paint, and under the unbuilt pages
    CGDIBitmapBtn minimizeButton_, hideButton_, languageButton_;
    std::array<CIrrButton, 5> tabs_;
    std::array<CIrrButton, 5> profileButtons_;
    CIrrButton okButton_;
    // The pages, in tab order.
    CDlgMainSet buttonPage_;

    CDlgLEDSet lightingPage_;

    CDlgMacro macroPage_;

    CDlgSts statisticsPage_;

    CDlgSupport supportPage_;

    OwnedBitmap flag_;
    std::u16string hintText_;
    CMenuExA* languagePopup_ = nullptr;  // deletes itself when its window closes
    std::unique_ptr<CXPMenu> trayMenu_;  // only while the tray menu is shown
    // Set by the thread that adds the icon; read once that thread has been joined.
    std::atomic<bool> trayIconAdded_{false};
    std::thread trayIconThread_;
    HDEVNOTIFY deviceNotification_ = nullptr;
    HHOOK keyFilter_ = nullptr;
    std::unique_ptr<ProfileFollowWindow> follow_;
    CDlgProgramLinks* linksDialog_ = nullptr;  // while the "Programs" dialog is open
};

}  // namespace tarn
