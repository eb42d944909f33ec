// The main window's share of profiles that follow the program in front: starting and stopping
// the follower with the apply worker, and the tray menu's "Programs…" dialog.
#include "app/main_window_win32.h"
#include "app/profile_follow_win32.h"
#include "app/program_links_dialog_win32.h"

namespace tarn {

// Only with a running apply worker is there anything to switch; the follower shares its
// applies with the user's commands through the controller.
void COstraDriverDlg::StartProfileFollow() {
    if (follow_) return;
    follow_ = std::make_unique<ProfileFollowWindow>(
        hwnd_, controller_, static_cast<MainWindowShell&>(*this),
        [this](bool hold) { HoldProfileInput(hold); });
    follow_->Start();
    controller_.SetFollower(&follow_->Follower());
}

void COstraDriverDlg::StopProfileFollow() {
    if (linksDialog_ && linksDialog_->hwnd()) PostMessageW(linksDialog_->hwnd(), WM_CLOSE, 0, 0);
    controller_.SetFollower(nullptr);
    if (follow_) follow_->Stop();
}

void COstraDriverDlg::OpenProgramLinks() {
    if (linksDialog_) {
        if (linksDialog_->hwnd()) SetForegroundWindow(linksDialog_->hwnd());
        return;
    }
    CDlgProgramLinks dialog(Settings().currentSlot);
    linksDialog_ = &dialog;
    const bool changed = dialog.Run(hwnd_);
    linksDialog_ = nullptr;
    if (changed && follow_ && !closing_) follow_->LinksChanged();
}

// Everything that changes currentProfile: the pages, the tabs that show them, the profile
// buttons and the language button (the pages' default names follow the language). OK, minimize
// and hide stay: OK waits for the automatic apply by itself.
void COstraDriverDlg::HoldProfileInput(bool hold) {
    for (CPage* page : Pages()) {
        if (page->hwnd()) EnableWindow(page->hwnd(), !hold);
    }
    for (CIrrButton& tab : tabs_) {
        if (tab.hwnd()) EnableWindow(tab.hwnd(), !hold);
    }
    if (languageButton_.hwnd()) EnableWindow(languageButton_.hwnd(), !hold);
    // The profile buttons are on only on the pages that edit the profile.
    const int page = controller_.CurrentPage();
    EnableApplyControls(!hold && (page == kButtonPage || page == kLightingPage));
    if (okButton_.hwnd()) EnableWindow(okButton_.hwnd(), page == kButtonPage || page == kLightingPage);
}

}  // namespace tarn
