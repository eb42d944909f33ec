// The main window's rules without the window: which page shows, which controls may start a
// profile change or an apply, what the tray icon and the apply messages do. COstraDriverDlg
// carries them out through MainWindowShell.
#pragma once

#include <cstdint>
#include <string_view>

#include "device/apply_worker.h"
#include "settings/profile_record.h"
#include "settings/profile_selection.h"

namespace tarn {

inline constexpr int kPageCount = 5;
inline constexpr int kButtonPage = 1;
inline constexpr int kLightingPage = 2;
inline constexpr int kMacroPage = 3;
inline constexpr int kStatisticsPage = 4;
inline constexpr int kSupportPage = 5;

// Tray menu commands and the tray icon's mouse messages (the platform's numbers).
inline constexpr uint32_t kTrayCommandConfig = 0x6000;
inline constexpr uint32_t kTrayCommandExit = 0x6001;
inline constexpr uint32_t kTrayCommandStartWithWindows = 0x6002;
inline constexpr uint32_t kTrayCommandPrograms = 0x6003;
inline constexpr intptr_t kTrayRightButtonUp = 0x205;

// Timer 4 starts the separate update program once, this long after a successful start-up.
inline constexpr uintptr_t kUpdaterTimerId = 4;
inline constexpr uint32_t kUpdaterDelayMs = 3000;
inline constexpr std::u16string_view kUpdaterPath = u"\\nirel_update\\NirelUpdate.exe";

// What the rules ask of the window, its pages and the platform. Pages not built yet answer
// with nothing to do.
class MainWindowShell : public ProfileView {
public:
    // The macro page: its game-group menu, its recording and its loop field.
    virtual void CloseGroupMenu() = 0;
    virtual bool MacroPageRecording() = 0;
    virtual void ToggleRecording() = 0;
    virtual void ValidateLoopField() = 0;
    // The button page and the lighting page redraw from currentProfile.
    virtual void RefreshButtonPage() = 0;
    virtual void CommitScrollLines() = 0;
    virtual void RefreshLightingPage() = 0;

    virtual void ShowTabPressed(int tab, bool pressed) = 0;
    virtual void ShowPage(int page, bool visible) = 0;
    // The five profile buttons and the OK button.
    virtual void EnableApplyControls(bool enabled) = 0;
    virtual void ShowApplyButtonNormal() = 0;

    virtual void ShowMainWindow() = 0;
    virtual void HideMainWindow() = 0;
    virtual void MinimizeMainWindow() = 0;
    virtual void ShowTrayMenu() = 0;
    // Adds or removes the Startup shortcut that starts the program into the tray.
    virtual void ToggleStartWithWindows() = 0;
    // The dialog that links programs to the profiles.
    virtual void OpenProgramLinks() {}
    virtual void PostClose() = 0;

    // The progress window, shown modally for an apply; closed early when an apply fails.
    virtual void ShowProgressModal() = 0;
    virtual void CloseProgress() = 0;
    virtual void ShowInfo(std::u16string_view text) = 0;
};

class ProfileFollower;

class MainController {
public:
    MainController(MainWindowShell& shell, SettingsModel& settings, ApplyShared& apply);

    int CurrentPage() const { return page_; }
    // Whether an apply can ever finish: the worker runs only once the mouse is open.
    void SetApplyWorkerRunning(bool running) { workerRunning_ = running; }
    // Profiles that follow the program in front share the applies with the user's commands.
    void SetFollower(ProfileFollower* follower) { follower_ = follower; }

    // n is 1..5; anything else is ignored.
    void ShowMainPage(int n);
    void HideToTray();
    void Minimize();
    void RefreshPages();
    // Profile button k, 1..5.
    void SelectProfile(int k);
    // The OK button.
    void PressApply();
    // False when an apply is already in progress (or can never run).
    bool RequestApplyNow();
    // The same request without the progress window, for applies the user did not ask for on
    // the window (a start into the tray); the outcome arrives as 0x703 or 0x704 as usual.
    bool RequestBackgroundApply();

    void OnApplyDone();            // 0x703
    void OnApplyFailed(int code);  // 0x704
    void OnRestoreDefaults();      // 0x806
    void OnTrayEvent(intptr_t mouseMessage);
    void OnTrayCommand(uint32_t command);

private:
    void StopMacroRecording();

    MainWindowShell& shell_;
    SettingsModel& settings_;
    ApplyShared& apply_;
    ProfileFollower* follower_ = nullptr;
    int page_ = 0;
    bool workerRunning_ = false;
};

}  // namespace tarn
