// The main window's command rules, driven through a recording shell.
#include "app/main_controller.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/app_paths.h"
#include "base/hook_state.h"
#include "settings/profile_files.h"
#include "tests/support/doubles.h"
#include "tests/support/memory_file_system.h"

namespace tarn {
namespace {

class RecordingShell final : public MainWindowShell {
public:
    std::vector<std::string> calls;
    bool recording = false;
    bool tabs[6] = {};
    bool pages[6] = {};
    bool applyControls = true;

    void ShowProfileSelected(int slot, bool selected) override {
        if (selected) calls.push_back("profile-selected " + std::to_string(slot));
    }
    void ReloadPagesFromProfile() override { calls.push_back("reload"); }
    void CloseGroupMenu() override { calls.push_back("close-group-menu"); }
    bool MacroPageRecording() override { return recording; }
    void ToggleRecording() override {
        recording = !recording;
        calls.push_back("toggle-recording");
    }
    void ValidateLoopField() override { calls.push_back("loop-field"); }
    void RefreshButtonPage() override { calls.push_back("refresh-buttons"); }
    void CommitScrollLines() override { calls.push_back("commit-lines"); }
    void RefreshLightingPage() override { calls.push_back("refresh-lighting"); }
    void ShowTabPressed(int tab, bool pressed) override { tabs[tab] = pressed; }
    void ShowPage(int page, bool visible) override { pages[page] = visible; }
    void EnableApplyControls(bool enabled) override { applyControls = enabled; }
    void ShowApplyButtonNormal() override { calls.push_back("ok-normal"); }
    void ShowMainWindow() override { calls.push_back("show"); }
    void HideMainWindow() override { calls.push_back("hide"); }
    void MinimizeMainWindow() override { calls.push_back("minimize"); }
    void ShowTrayMenu() override { calls.push_back("tray-menu"); }
    void ToggleStartWithWindows() override { calls.push_back("start-with-windows"); }
    void PostClose() override { calls.push_back("close"); }
    void ShowProgressModal() override { calls.push_back("progress"); }
    void CloseProgress() override { calls.push_back("close-progress"); }
    void ShowInfo(std::u16string_view text) override { infos.emplace_back(text); }
    std::vector<std::u16string> infos;

    bool Called(const std::string& what) const {
        return std::find(calls.begin(), calls.end(), what) != calls.end();
    }
};

class MainControllerTest : public ::testing::Test {
protected:
    void SetUp() override {
        dataFolder = u"C:\\Temp\\NIREL\\Tarn";
        std::memset(settings.get(), 0, sizeof *settings);
        MakeDefaultProfile(settings->currentProfile);
        files.fs.AddFolder(dataFolder + u"\\Profile");
        controller.SetApplyWorkerRunning(true);
        Hooks().Reset();
        SetForwarding(true, true);
    }
    void TearDown() override { dataFolder.clear(); }

    test::ScopedMemoryFileSystem files;
    test::ScopedMessages messages;
    RecordingShell shell;
    std::unique_ptr<SettingsModel> settings = std::make_unique<SettingsModel>();
    ApplyShared apply;
    MainController controller{shell, *settings, apply};
};

TEST_F(MainControllerTest, ShowMainPageShowsOneTabAndPage) {
    controller.ShowMainPage(4);
    for (int k = 1; k <= 5; ++k) {
        EXPECT_EQ(shell.tabs[k], k == 4) << k;
        EXPECT_EQ(shell.pages[k], k == 4) << k;
    }
    EXPECT_EQ(controller.CurrentPage(), 4);
    controller.ShowMainPage(0);
    controller.ShowMainPage(6);
    EXPECT_EQ(controller.CurrentPage(), 4);
}

TEST_F(MainControllerTest, OnlyTheProfilePagesAllowProfileChangesAndApply) {
    for (int n : {3, 4, 5}) {
        controller.ShowMainPage(n);
        EXPECT_FALSE(shell.applyControls) << n;
    }
    controller.ShowMainPage(2);
    EXPECT_TRUE(shell.applyControls);
    EXPECT_TRUE(shell.Called("refresh-lighting"));
    EXPECT_FALSE(shell.Called("refresh-buttons"));
    controller.ShowMainPage(1);
    EXPECT_TRUE(shell.Called("refresh-buttons"));
}

TEST_F(MainControllerTest, LeavingTheMacroPageStopsARecordingButStayingDoesNot) {
    shell.recording = true;
    controller.ShowMainPage(3);
    EXPECT_TRUE(shell.recording);
    EXPECT_FALSE(shell.Called("close-group-menu"));
    controller.ShowMainPage(1);
    EXPECT_FALSE(shell.recording);
    EXPECT_TRUE(shell.Called("close-group-menu"));
}

TEST_F(MainControllerTest, HidingOrMinimizingStopsARecordingThatWouldHearNoMoreKeys) {
    shell.recording = true;
    controller.HideToTray();
    EXPECT_FALSE(shell.recording);
    shell.recording = true;
    controller.Minimize();
    EXPECT_FALSE(shell.recording);
}

TEST_F(MainControllerTest, HidingAndMinimizingStopKeyAndButtonForwarding) {
    controller.HideToTray();
    EXPECT_EQ(shell.calls, (std::vector<std::string>{"close-group-menu", "hide"}));
    EXPECT_FALSE(Hooks().forwardKeys);
    EXPECT_FALSE(Hooks().forwardMouse);
    SetForwarding(true, true);
    controller.Minimize();
    EXPECT_FALSE(Hooks().forwardMouse);
}

TEST_F(MainControllerTest, ApplyRunsOnceUntilTheWorkerAnswers) {
    controller.PressApply();
    EXPECT_TRUE(apply.applyEvent.IsSet());
    EXPECT_EQ(apply.applyIdle, 0);
    EXPECT_EQ(std::count(shell.calls.begin(), shell.calls.end(), "progress"), 1);
    // A restore-defaults message during the apply resets the profile but starts nothing.
    settings->currentProfile.pointerSpeed = 3;
    controller.OnRestoreDefaults();
    EXPECT_EQ(std::count(shell.calls.begin(), shell.calls.end(), "progress"), 1);
    EXPECT_NE(settings->currentProfile.pointerSpeed, 3u);

    controller.OnApplyDone();
    EXPECT_EQ(apply.applyIdle, 1);
    EXPECT_TRUE(files.fs.Has(dataFolder + u"\\Profile\\Profile1.cfg"));
    EXPECT_TRUE(files.fs.Has(dataFolder + u"\\Profile\\ConfigInfo.cfg"));
}

TEST_F(MainControllerTest, TheOkButtonCommitsTheLineCountOnlyWhenLinesAreChosen) {
    settings->currentProfile.wheelScrollLines = -1;
    controller.PressApply();
    EXPECT_TRUE(shell.Called("loop-field"));
    EXPECT_FALSE(shell.Called("commit-lines"));
    apply.applyIdle = 1;
    settings->currentProfile.wheelScrollLines = 3;
    controller.PressApply();
    EXPECT_TRUE(shell.Called("commit-lines"));
}

TEST_F(MainControllerTest, WithoutAWorkerNoProgressWindowOpens) {
    controller.SetApplyWorkerRunning(false);
    controller.PressApply();
    EXPECT_FALSE(shell.Called("progress"));
    EXPECT_EQ(apply.applyIdle, 1);
}

TEST_F(MainControllerTest, AFailedApplyClosesTheProgressAndSavesNothing) {
    controller.PressApply();
    controller.OnApplyFailed(1);
    EXPECT_EQ(shell.infos, std::vector<std::u16string>{u"Write mouse LED color failed.\n"});
    EXPECT_TRUE(shell.Called("close-progress"));
    EXPECT_TRUE(shell.Called("ok-normal"));
    EXPECT_EQ(apply.applyIdle, 1);
    EXPECT_FALSE(files.fs.Has(dataFolder + u"\\Profile\\Profile1.cfg"));
    controller.OnApplyFailed(3);  // a code the worker never sends shows no empty box
    EXPECT_EQ(shell.infos.size(), 1u);
}

TEST_F(MainControllerTest, TrayEventsAndCommands) {
    controller.OnTrayEvent(0x203);
    EXPECT_EQ(shell.calls,
              (std::vector<std::string>{"refresh-buttons", "refresh-lighting", "show"}));
    shell.calls.clear();
    controller.OnTrayEvent(0x201);
    controller.OnTrayEvent(0x200);
    EXPECT_TRUE(shell.calls.empty());
    controller.OnTrayEvent(0x205);
    EXPECT_EQ(shell.calls, std::vector<std::string>{"tray-menu"});
    controller.OnTrayCommand(kTrayCommandExit);
    EXPECT_EQ(shell.calls.back(), "close");
    controller.OnTrayCommand(kTrayCommandStartWithWindows);
    EXPECT_EQ(shell.calls.back(), "start-with-windows");
}

TEST_F(MainControllerTest, ABackgroundApplyShowsNoProgressAndWaitsItsTurn) {
    EXPECT_TRUE(controller.RequestBackgroundApply());
    EXPECT_TRUE(apply.applyEvent.IsSet());
    EXPECT_FALSE(shell.Called("progress"));
    // Neither a second request nor the OK button starts another until the worker answers.
    EXPECT_FALSE(controller.RequestBackgroundApply());
    controller.PressApply();
    EXPECT_FALSE(shell.Called("progress"));
    controller.OnApplyDone();
    EXPECT_TRUE(files.fs.Has(dataFolder + u"\\Profile\\Profile1.cfg"));
    controller.SetApplyWorkerRunning(false);
    EXPECT_FALSE(controller.RequestBackgroundApply());
}

TEST_F(MainControllerTest, AProfileButtonSelectsItsSlot) {
    controller.SelectProfile(3);
    EXPECT_TRUE(shell.Called("profile-selected 2"));
    EXPECT_EQ(settings->currentSlot, 2);
    controller.SelectProfile(6);
    EXPECT_EQ(settings->currentSlot, 2);
}

}  // namespace
}  // namespace tarn
