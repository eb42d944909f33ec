// The main window's five pages: making them, and what the main window's rules ask of them.
#include "app/main_window_win32.h"
#include "skin/menu_ex_library_win32.h"

namespace tarn {

std::array<CPage*, kPageCount> COstraDriverDlg::Pages() {
    return {&buttonPage_, &lightingPage_, &macroPage_, &statisticsPage_, &supportPage_};
}

// The pages are made as soon as the window shows (CreateHiddenPages), before any input or
// request can reach them: the button page alone builds some forty skinned controls, which the
// first look of the window does not wait for. Until then the main skin shows in the page area.
void COstraDriverDlg::CreatePages() {
    controller_.ShowMainPage(kButtonPage);
}

void COstraDriverDlg::CreateHiddenPages() {
    for (int n = 1; n <= kPageCount; ++n) CreatePage(n);
}

void COstraDriverDlg::CreatePage(int n) {
    CPage* page = Pages()[n - 1];
    if (page->hwnd()) return;
    const geo::Rect& area = geo::main_window::kPageArea;
    // A page that is not built yet shows the main window's skin under it.
    if (auto* empty = dynamic_cast<CEmptyPage*>(page)) {
        empty->SetBackground(skinNormal_.get(), {area.left, area.top});
    }
    page->CreatePage(hwnd_, kFirstPageTemplate + n - 1, area, n == controller_.CurrentPage());
}

void COstraDriverDlg::ShowPage(int page, bool visible) {
    if (page < 1 || page > kPageCount) return;
    if (HWND window = Pages()[page - 1]->hwnd()) ShowWindow(window, visible ? SW_SHOW : SW_HIDE);
}

// Start-up step 11: the macro page opens on the user's own group.
void COstraDriverDlg::ListStartMacros() {
    macroPage_.ListMacrosOfGroup(21);
}

void COstraDriverDlg::CloseGroupMenu() {
    DestroyMenuEx();
}

bool COstraDriverDlg::MacroPageRecording() {
    return macroPage_.IsRecording();
}

void COstraDriverDlg::ToggleRecording() {
    macroPage_.ToggleRecording();
}

void COstraDriverDlg::ValidateLoopField() {
    macroPage_.ValidateLoopField();
}

void COstraDriverDlg::RefreshButtonPage() {
    buttonPage_.RefreshFromProfile();
}

void COstraDriverDlg::CommitScrollLines() {
    buttonPage_.CommitScrollLines();
}

void COstraDriverDlg::RefreshLightingPage() {
    lightingPage_.RefreshLedView();
    if (lightingPage_.hwnd()) InvalidateRect(lightingPage_.hwnd(), nullptr, TRUE);
}

}  // namespace tarn
