#include "app/start_up_sequence.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/app_paths.h"
#include "base/language_state.h"
#include "tests/support/doubles.h"

namespace tarn {
namespace {

class ScriptedStartUp final : public StartUpSteps {
public:
    std::vector<std::string> steps;
    bool linkReady = true;
    std::vector<bool> loaderLooks{false, false};
    int failedOpens = 0;  // opens that fail before one succeeds
    bool mousePresent = false;

    void AddSystemMenuAndIcons() override { steps.push_back("menu"); }
    void SeedDataFolderIfMissing() override { steps.push_back("seed"); }
    void ChooseSkinLanguage() override { steps.push_back("skin-language"); }
    void SetTitle() override { steps.push_back("title"); }
    void LoadMacros() override { steps.push_back("macros"); }
    void BuildView() override { steps.push_back("view"); }
    void CreatePages() override { steps.push_back("pages"); }
    void AddTrayIcon() override { steps.push_back("tray"); }
    void LoadProfiles() override { steps.push_back("profiles"); }
    void RegisterDeviceNotifications() override { steps.push_back("notifications"); }
    void ListStartMacros() override { steps.push_back("list-macros"); }
    void LoadMacroBindings() override { steps.push_back("bindings"); }
    void PlaceLanguageIndicator() override { steps.push_back("indicator"); }
    void PostStoredLanguage() override { steps.push_back("language"); }
    bool PrepareLink() override {
        steps.push_back("prepare");
        return linkReady;
    }
    bool FirmwareLoaderPresent() override {
        steps.push_back("loader?");
        const bool present = loaderLooks.at(looks_++);
        return present;
    }
    bool MousePresent() override {
        steps.push_back("mouse?");
        return mousePresent;
    }
    void HandOverToFlashingTool() override { steps.push_back("flash"); }
    bool OpenDevice() override {
        steps.push_back("open");
        return opens_++ >= failedOpens;
    }
    void RefreshPages() override { steps.push_back("refresh"); }
    void StartRunning() override { steps.push_back("run"); }
    void ReportMouseMissing() override { steps.push_back("missing"); }

    std::vector<std::string> Tail(size_t from) const {
        return {steps.begin() + static_cast<long>(from), steps.end()};
    }

private:
    size_t looks_ = 0;
    int opens_ = 0;
};

constexpr size_t kCommonSteps = 15;  // steps 1..15

TEST(StartUpSequence, WithTheMouseEverythingRunsInOrder) {
    ScriptedStartUp s;
    test::FakeClock clock;
    EXPECT_EQ(RunStartUp(s, clock), StartUpOutcome::Running);
    EXPECT_EQ(s.steps, (std::vector<std::string>{
                           "menu",        "seed",     "skin-language", "title",    "macros",
                           "view",        "pages",    "tray",          "profiles", "notifications",
                           "list-macros", "bindings", "indicator",     "language", "prepare",
                           "loader?",     "mouse?",   "loader?",       "open",     "refresh",
                           "run"}));
    EXPECT_EQ(clock.sleeps, std::vector<uint32_t>{500});  // between the two loader looks
}

TEST(StartUpSequence, AMousePresentInItsNormalModeSparesTheSecondLoaderLook) {
    ScriptedStartUp s;
    s.mousePresent = true;
    test::FakeClock clock;
    EXPECT_EQ(RunStartUp(s, clock), StartUpOutcome::Running);
    EXPECT_EQ(s.Tail(kCommonSteps),
              (std::vector<std::string>{"loader?", "mouse?", "open", "refresh", "run"}));
    EXPECT_TRUE(clock.sleeps.empty());
}

TEST(StartUpSequence, WithoutTheSupportLibraryNoWorkerStarts) {
    ScriptedStartUp s;
    s.linkReady = false;
    test::FakeClock clock;
    EXPECT_EQ(RunStartUp(s, clock), StartUpOutcome::NoSupportLibrary);
    EXPECT_EQ(s.steps.size(), kCommonSteps);
    EXPECT_EQ(s.steps.back(), "prepare");
}

TEST(StartUpSequence, TheFirmwareLoaderSeenAtTheSecondLookTakesOver) {
    ScriptedStartUp s;
    s.loaderLooks = {false, true};
    test::FakeClock clock;
    EXPECT_EQ(RunStartUp(s, clock), StartUpOutcome::FirmwareLoader);
    EXPECT_EQ(s.Tail(kCommonSteps),
              (std::vector<std::string>{"loader?", "mouse?", "loader?", "flash"}));
}

TEST(StartUpSequence, OpeningIsTriedTenTimesHalfASecondApart) {
    ScriptedStartUp s;
    s.failedOpens = 100;
    test::FakeClock clock;
    EXPECT_EQ(RunStartUp(s, clock), StartUpOutcome::MouseMissing);
    const auto tail = s.Tail(kCommonSteps + 3);
    EXPECT_EQ(std::count(tail.begin(), tail.end(), "open"), 10);
    EXPECT_EQ(tail.back(), "missing");
    EXPECT_EQ(tail[tail.size() - 2], "refresh");
    EXPECT_EQ(clock.sleeps.size(), 1u + 9u);

    ScriptedStartUp late;
    late.failedOpens = 9;  // the tenth try finds it
    test::FakeClock clock2;
    EXPECT_EQ(RunStartUp(late, clock2), StartUpOutcome::Running);
}

TEST(StartUpSequence, HelpersFollowLanguageAndFolder) {
    ChineseUi = 0;
    EXPECT_EQ(MouseMissingText(), u"The Tarn gaming mouse cannot be found.");
    EXPECT_EQ(FlashingToolArgument(), u"0");
    ChineseUi = 1;
    EXPECT_EQ(MouseMissingText(), u"没有找到Tarn游戏鼠标.");
    EXPECT_EQ(FlashingToolArgument(), u"1");
    ChineseUi = 0;
    programFolder = u"C:\\Tarn";
    EXPECT_EQ(FlashingToolPath(), u"C:\\Tarn\\FWUpdate\\ZezovoRO.exe");
    programFolder.clear();
    EXPECT_TRUE(IsFirmwareLoaderId(u"USB\\VID_04D9&PID_8022&REV_0100"));
    EXPECT_TRUE(IsFirmwareLoaderId(u"usb\\vid_04d9&pid_8022"));
    EXPECT_FALSE(IsFirmwareLoaderId(u"USB\\VID_3D5A&PID_4108"));
    EXPECT_FALSE(IsFirmwareLoaderId(u"VID_04D9&PID_802"));
}

}  // namespace
}  // namespace tarn
