#include "app/main_controller.h"

#include "app/profile_follower.h"
#include "base/hook_state.h"
#include "settings/profile_files.h"

namespace tarn {

namespace {

// The worker still reads the profile for an automatic switch: the user's command waits for it
// rather than change the profile under it, and runs right after.
bool WaitsForAutomaticApply(ProfileFollower* follower, UserApply command) {
    return follower && follower->DeferUserApply(command);
}

}  // namespace

MainController::MainController(MainWindowShell& shell, SettingsModel& settings, ApplyShared& apply)
    : shell_(shell), settings_(settings), apply_(apply) {}

void MainController::ShowMainPage(int n) {
    if (n < 1 || n > kPageCount) return;
    // Leaving the macro page ends what it has open; staying on it leaves a recording running.
    if (n != kMacroPage) {
        shell_.CloseGroupMenu();
        if (shell_.MacroPageRecording()) shell_.ToggleRecording();
    }
    for (int k = 1; k <= kPageCount; ++k) shell_.ShowTabPressed(k, k == n);
    shell_.ShowPage(n, true);
    for (int k = 1; k <= kPageCount; ++k) {
        if (k != n) shell_.ShowPage(k, false);
    }
    page_ = n;
    // Only the button and lighting pages edit the profile, so only they may change or apply it.
    const bool profilePage = n == kButtonPage || n == kLightingPage;
    shell_.EnableApplyControls(profilePage);
    if (n == kButtonPage) shell_.RefreshButtonPage();
    if (n == kLightingPage) shell_.RefreshLightingPage();
}

void MainController::HideToTray() {
    shell_.CloseGroupMenu();
    StopMacroRecording();
    shell_.HideMainWindow();
    SetForwarding(false, false);
}

void MainController::Minimize() {
    StopMacroRecording();
    shell_.MinimizeMainWindow();
    SetForwarding(false, false);
}

// The key forwarding goes off with the window, so a recording left running would hear nothing
// more; it is stopped and committed as when the page is left.
void MainController::StopMacroRecording() {
    if (shell_.MacroPageRecording()) shell_.ToggleRecording();
}

void MainController::RefreshPages() {
    shell_.RefreshButtonPage();
    shell_.RefreshLightingPage();
}

void MainController::SelectProfile(int k) {
    if (k < 1 || k > kSlotCount) return;
    for (int i = 1; i <= kSlotCount; ++i) shell_.ShowProfileSelected(i - 1, i == k);
    SelectProfileSlot(settings_, k - 1, &shell_);
    if (follower_) follower_->OnUserSelectedSlot();
}

void MainController::PressApply() {
    if (WaitsForAutomaticApply(follower_, UserApply::Apply)) return;
    shell_.ValidateLoopField();
    if (settings_.currentProfile.wheelScrollLines != -1) shell_.CommitScrollLines();
    RequestApplyNow();
}

bool MainController::RequestApplyNow() {
    // Without a worker the modal progress window would never close.
    if (!workerRunning_) return false;
    if (!RequestApply(apply_)) {
        WaitsForAutomaticApply(follower_, UserApply::Apply);
        return false;
    }
    shell_.ShowProgressModal();
    return true;
}

bool MainController::RequestBackgroundApply() {
    if (!workerRunning_) return false;
    return RequestApply(apply_);
}

void MainController::OnApplyDone() {
    // An automatic switch sent a saved profile as it is on disk: saving it again would write
    // the slot table's active flags and put the switch's slot on disk as the user's choice.
    if (!follower_ || !follower_->AutomaticApplyRunning()) SaveCurrentProfile(settings_);
    apply_.applyIdle = 1;
    if (follower_) follower_->OnApplyFinished(true, kApplySucceeded);
}

void MainController::OnApplyFailed(int code) {
    // The worker sends no 100 after a failed step, so the progress window is closed here.
    shell_.CloseProgress();
    // An automatic apply's failure is told in the tray, not in a box over the game.
    const bool automatic = follower_ && follower_->AutomaticApplyRunning();
    const std::u16string_view text = ApplyFailureText(code);
    if (!text.empty() && !automatic) shell_.ShowInfo(text);
    apply_.applyIdle = 1;
    shell_.ShowApplyButtonNormal();
    if (follower_) follower_->OnApplyFinished(false, code);
}

void MainController::OnRestoreDefaults() {
    if (WaitsForAutomaticApply(follower_, UserApply::RestoreDefaults)) return;
    ResetToDefaults(settings_);
    RefreshPages();
    RequestApplyNow();
}

void MainController::OnTrayEvent(intptr_t mouseMessage) {
    if (mouseMessage == 0x203) {  // double click, also a second start's signal
        RefreshPages();
        shell_.ShowMainWindow();
    } else if (mouseMessage == kTrayRightButtonUp) {
        shell_.ShowTrayMenu();
    }
}

void MainController::OnTrayCommand(uint32_t command) {
    if (command == kTrayCommandConfig) {
        RefreshPages();
        shell_.ShowMainWindow();
    } else if (command == kTrayCommandExit) {
        shell_.PostClose();
    } else if (command == kTrayCommandStartWithWindows) {
        shell_.ToggleStartWithWindows();
    } else if (command == kTrayCommandPrograms) {
        shell_.OpenProgramLinks();
    }
}

}  // namespace tarn
