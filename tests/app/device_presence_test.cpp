// Arrival and removal of the mouse, driven through a recording shell.
#include "app/device_presence.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <vector>

#include "app/link_reopener.h"
#include "base/language_state.h"
#include "tests/support/doubles.h"

namespace tarn {
namespace {

constexpr char16_t kMousePath[] =
    u"\\\\?\\USB#VID_3D5A&PID_4108#6&2b1c5d3e&0&2#{a5dcbf10-6530-11d2-901f-00c04fb951ed}";
constexpr char16_t kOtherPath[] =
    u"\\\\?\\USB#VID_046D&PID_C077#5&1f3a2b4c&0&1#{a5dcbf10-6530-11d2-901f-00c04fb951ed}";

class RecordingShell final : public DevicePresenceShell {
public:
    std::vector<std::string> calls;
    uint32_t lastAttempt = 0;
    std::u16string firmwareText = u"unset";

    void CloseLink() override { calls.push_back("close-link"); }
    void InstallGlobalHooks() override { calls.push_back("install-hooks"); }
    void RemoveGlobalHooks() override { calls.push_back("remove-hooks"); }
    void StartReopen(uint32_t attempt) override {
        lastAttempt = attempt;
        calls.push_back("reopen");
    }
    void CancelReopen() override { calls.push_back("cancel-reopen"); }
    void SetDeviceFirmwareText(std::u16string_view text) override { firmwareText = text; }
    void ShowApplyButtonNormal() override { calls.push_back("ok-normal"); }
    void PostClose() override { calls.push_back("close"); }
};

class DevicePresenceTest : public ::testing::Test {
protected:
    void SetUp() override { ChineseUi = 0; }
    using Calls = std::vector<std::string>;

    void Arrive() {
        presence.OnDeviceChange(kDeviceArrival, kMousePath);
        presence.OnReopened(shell.lastAttempt, true, 15);
    }
    void Remove() { presence.OnDeviceChange(kDeviceRemoveComplete, kMousePath); }

    test::ScopedMessages boxes;
    RecordingShell shell;
    ApplyShared apply;
    DevicePresence presence{shell, apply};
};

TEST_F(DevicePresenceTest, UnplugWhileIdleSaysSoAndEnds) {
    Remove();
    EXPECT_EQ(shell.calls, (Calls{"close-link", "remove-hooks", "close"}));
    ASSERT_EQ(boxes.messages.shown.size(), 1u);
    EXPECT_EQ(boxes.messages.shown[0].kind, test::ShownMessage::SelfClosing);
    EXPECT_EQ(boxes.messages.shown[0].text, u"The Tarn gaming mouse cannot be found.");
    // Whatever comes after the decision to end changes nothing.
    presence.OnDeviceChange(kDeviceArrival, kMousePath);
    EXPECT_EQ(shell.calls.size(), 3u);
}

TEST_F(DevicePresenceTest, ExpectedDisconnectionAfterAnApplyIsSilentOnce) {
    apply.linkPhase = 2;
    Remove();
    EXPECT_EQ(shell.calls, (Calls{"close-link", "remove-hooks"}));
    EXPECT_EQ(apply.linkPhase, 0);
    Arrive();
    EXPECT_EQ(shell.firmwareText, u"15");
    EXPECT_TRUE(boxes.messages.shown.empty());
    // A later unplug is a real one.
    Remove();
    EXPECT_EQ(shell.calls.back(), "close");
    EXPECT_EQ(boxes.messages.shown.size(), 1u);
}

// The system may tell of one removal twice; the mouse that is already gone cannot leave again.
TEST_F(DevicePresenceTest, RepeatedRemovalOfAMouseAlreadyGoneIsIgnored) {
    apply.linkPhase = 2;
    Remove();
    Remove();
    EXPECT_EQ(shell.calls, (Calls{"close-link", "remove-hooks"}));
    EXPECT_TRUE(boxes.messages.shown.empty());
}

// The mouse restarts within the apply's last moments, before the main window has seen 0x703:
// the phase is consumed all the same, and the return ends the busy state.
TEST_F(DevicePresenceTest, RestartDuringTheApplyConsumesThePhaseAndEndsTheBusyState) {
    apply.linkPhase = 2;
    apply.applyIdle = 0;
    Remove();
    EXPECT_EQ(apply.linkPhase, 0);
    presence.OnDeviceChange(kDeviceArrival, kMousePath);
    EXPECT_TRUE(presence.Reopening());
    presence.OnReopened(shell.lastAttempt, true, 0);
    EXPECT_EQ(apply.applyIdle, 1);
    EXPECT_EQ(shell.firmwareText, u"");  // 0 reads as no version
    EXPECT_EQ(shell.calls, (Calls{"close-link", "remove-hooks", "reopen", "install-hooks",
                                  "ok-normal"}));
    EXPECT_TRUE(boxes.messages.shown.empty());
    Remove();
    EXPECT_EQ(shell.calls.back(), "close");
}

TEST_F(DevicePresenceTest, RemovalDuringAnApplyWithoutThePhaseShowsNothing) {
    apply.applyIdle = 0;
    Remove();
    EXPECT_EQ(shell.calls, (Calls{"close-link", "remove-hooks"}));
    EXPECT_TRUE(boxes.messages.shown.empty());
}

TEST_F(DevicePresenceTest, ReturnAfterAnUpdateCheckSaysFound) {
    apply.linkPhase = 1;
    Arrive();
    ASSERT_EQ(boxes.messages.shown.size(), 1u);
    EXPECT_EQ(boxes.messages.shown[0].text, u"The Tarn gaming mouse is found.");
    ChineseUi = 1;
    EXPECT_EQ(MouseFoundText(), u"发现Tarn游戏鼠标.");
    EXPECT_EQ(MouseLostText(), u"没有找到Tarn游戏鼠标.");
    ChineseUi = 0;
}

TEST_F(DevicePresenceTest, OtherDevicesEventsAndStaleReopensDoNothing) {
    presence.OnDeviceChange(kDeviceArrival, kOtherPath);
    presence.OnDeviceChange(kDeviceRemoveComplete, kOtherPath);
    presence.OnDeviceChange(0x0007, kMousePath);  // DBT_DEVNODES_CHANGED
    presence.OnDeviceChange(kDeviceRemoveComplete, u"");
    EXPECT_TRUE(shell.calls.empty());
    presence.OnReopened(0, true, 15);
    presence.OnReopened(42, true, 15);
    EXPECT_TRUE(shell.calls.empty());
}

TEST_F(DevicePresenceTest, LowerCasePathIsTheMouse) {
    EXPECT_TRUE(IsMouseDevicePath(u"\\\\?\\usb#vid_3d5a&pid_4108#6&2b1c5d3e&0&2#{a5dcbf10}"));
    EXPECT_FALSE(IsMouseDevicePath(u"\\\\?\\usb#vid_3d5a&pid_4109#6"));
    presence.OnDeviceChange(kDeviceRemoveComplete, u"\\\\?\\usb#vid_3d5a&pid_4108#x");
    EXPECT_EQ(shell.calls.back(), "close");
}

TEST_F(DevicePresenceTest, RemovalCallsOffAReopenUnderWayAndItsLateAnswerIsIgnored) {
    apply.linkPhase = 2;
    presence.OnDeviceChange(kDeviceArrival, kMousePath);
    const uint32_t attempt = shell.lastAttempt;
    Remove();
    EXPECT_EQ(shell.calls, (Calls{"reopen", "cancel-reopen", "close-link", "remove-hooks"}));
    presence.OnReopened(attempt, true, 15);
    EXPECT_EQ(shell.firmwareText, u"unset");
}

TEST_F(DevicePresenceTest, MouseThatCannotBeOpenedAgainEndsTheProgram) {
    apply.linkPhase = 2;
    Remove();
    presence.OnDeviceChange(kDeviceArrival, kMousePath);
    presence.OnReopened(shell.lastAttempt, false, 0);
    EXPECT_EQ(shell.calls.back(), "close");
    EXPECT_EQ(boxes.messages.shown.back().text, u"The Tarn gaming mouse cannot be found.");
}

// The re-open itself, with short pauses.
TEST(LinkReopenerTest, TriesUntilTheLinkOpensThenReadsTheVersion) {
    std::atomic<int> tries{0};
    std::atomic<bool> done{false};
    std::atomic<bool> opened{false};
    std::atomic<uint32_t> version{0};
    LinkReopener reopener;
    reopener.Start([&] { return ++tries >= 3; }, [] { return 15u; },
                   [&](bool o, uint32_t v) {
                       opened = o;
                       version = v;
                       done = true;
                   },
                   5, 8);
    for (int i = 0; i < 400 && !done; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_TRUE(done);
    EXPECT_TRUE(opened);
    EXPECT_EQ(version, 15u);
    EXPECT_EQ(tries, 3);
}

TEST(LinkReopenerTest, GivesUpAfterItsAttempts) {
    std::atomic<int> tries{0};
    std::atomic<int> answers{0};
    std::atomic<bool> opened{true};
    LinkReopener reopener;
    reopener.Start([&] { return ++tries, false; }, [] { return 15u; },
                   [&](bool o, uint32_t) {
                       opened = o;
                       ++answers;
                   },
                   1, 4);
    for (int i = 0; i < 400 && answers == 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_EQ(answers, 1);
    EXPECT_FALSE(opened);
    EXPECT_EQ(tries, 4);
}

TEST(LinkReopenerTest, CancelEndsTheWaitAtOnceWithoutAnAnswer) {
    std::atomic<int> answers{0};
    LinkReopener reopener;
    reopener.Start([] { return false; }, [] { return 0u; }, [&](bool, uint32_t) { ++answers; },
                   60000, 8);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const auto start = std::chrono::steady_clock::now();
    reopener.Cancel();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_FALSE(reopener.Running());
    EXPECT_EQ(answers, 0);
}

}  // namespace
}  // namespace tarn
