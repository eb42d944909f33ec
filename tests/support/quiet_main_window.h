// A main window for tests of the main-window rules that care only about the boxes shown and the
// progress window; every other request is taken and forgotten.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/main_controller.h"

namespace tarn::test {

class QuietMainWindow final : public MainWindowShell {
public:
    std::vector<std::u16string> infos;
    int progressShown = 0;
    int progressClosed = 0;

    void ShowProfileSelected(int, bool) override {}
    void ReloadPagesFromProfile() override {}
    void CloseGroupMenu() override {}
    bool MacroPageRecording() override { return false; }
    void ToggleRecording() override {}
    void ValidateLoopField() override {}
    void RefreshButtonPage() override {}
    void CommitScrollLines() override {}
    void RefreshLightingPage() override {}
    void ShowTabPressed(int, bool) override {}
    void ShowPage(int, bool) override {}
    void EnableApplyControls(bool) override {}
    void ShowApplyButtonNormal() override {}
    void ShowMainWindow() override {}
    void HideMainWindow() override {}
    void MinimizeMainWindow() override {}
    void ShowTrayMenu() override {}
    void ToggleStartWithWindows() override {}
    void PostClose() override {}
    void ShowProgressModal() override { ++progressShown; }
    void CloseProgress() override { ++progressClosed; }
    void ShowInfo(std::u16string_view text) override { infos.emplace_back(text); }
};

}  // namespace tarn::test
