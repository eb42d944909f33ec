#include "base/hook_state.h"

#include <gtest/gtest.h>

#include "base/window_messages.h"
#include "tests/support/doubles.h"

namespace tarn {
namespace {

constexpr WindowId kMain = 0x100;
constexpr WindowId kPage = 0x200;
constexpr uint32_t kWheelForward = 0x00780000;   // +120 in the high word
constexpr uint32_t kWheelBackward = 0xFF880000;  // -120
constexpr uint32_t kFirstExtra = 0x00010000;
constexpr uint32_t kSecondExtra = 0x00020000;

class HookDecisionTest : public ::testing::Test {
protected:
    void SetUp() override { SetHookWindows(state, kMain); }

    // Feeds one event and returns whether it was swallowed; the posts go to poster.
    bool Mouse(uint32_t message, uint32_t data = 0) {
        return CarryOut(DecideMouseEvent(state, message, data), poster);
    }
    bool Key(uint32_t vk, uint32_t flags) {
        return CarryOut(DecideKeyEvent(state, vk, flags), poster);
    }
    std::vector<test::PostedMessage> Reports() const {
        std::vector<test::PostedMessage> out;
        for (const auto& m : poster.Posted()) {
            if (m.message == kMsgHookReport) out.push_back(m);
        }
        return out;
    }

    HookState state;
    test::RecordingPoster poster;
};

TEST_F(HookDecisionTest, SwallowedMiddlePressTakesItsReleaseAlongAndIsStillReported) {
    SetReporting(state, false, false);
    SetButtonIntercept(state, kReportMiddleDown, true);

    EXPECT_TRUE(Mouse(kMiddleDown));
    EXPECT_EQ(state.pendingButtonUp.load(), 0x208u);
    EXPECT_TRUE(Mouse(0x208));
    EXPECT_EQ(state.pendingButtonUp.load(), 0u);
    // A second release has no press to belong to and goes through.
    EXPECT_FALSE(Mouse(0x208));

    const auto reports = Reports();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], (test::PostedMessage{kMain, kMsgHookReport, kReportMiddleDown, 0}));
}

TEST_F(HookDecisionTest, InterceptedWheelUpIsSwallowedOnEveryNotchAndDownPasses) {
    SetButtonIntercept(state, kReportWheelUp, true);
    for (int notch = 0; notch < 3; ++notch) EXPECT_TRUE(Mouse(kWheel, kWheelForward));
    EXPECT_EQ(state.pendingButtonUp.load(), 0u);  // a notch has no release
    EXPECT_FALSE(Mouse(kWheel, kWheelBackward));
    EXPECT_TRUE(Mouse(kWheel, 0));  // a zero delta counts as a forward notch
    const auto reports = Reports();
    ASSERT_EQ(reports.size(), 5u);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(reports[i].wParam, kReportWheelUp);
    EXPECT_EQ(reports[3].wParam, kReportWheelDown);
    EXPECT_EQ(reports[4].wParam, kReportWheelUp);
}

TEST_F(HookDecisionTest, ExtraButtonsReportTheirNumberAndSwallowTheExtraRelease) {
    SetButtonIntercept(state, kReportBackDown, true);
    EXPECT_FALSE(Mouse(kExtraDown, kSecondExtra));  // forward: only reported
    EXPECT_FALSE(Mouse(kExtraUp, kSecondExtra));
    EXPECT_TRUE(Mouse(kExtraDown, kFirstExtra));
    EXPECT_EQ(state.pendingButtonUp.load(), kExtraUp);
    EXPECT_TRUE(Mouse(kExtraUp, kFirstExtra));
    const auto reports = Reports();
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0].wParam, kReportForwardDown);
    EXPECT_EQ(reports[1].wParam, kReportBackDown);
}

TEST_F(HookDecisionTest, ReportingOffStillReportsSwallowedPressesOnly) {
    SetReporting(state, true, false);
    SetButtonIntercept(state, kReportRightDown, true);
    EXPECT_FALSE(Mouse(kLeftDown));
    EXPECT_TRUE(Mouse(kRightDown));
    const auto reports = Reports();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].wParam, kReportRightDown);
}

TEST_F(HookDecisionTest, MouseForwardingSendsEveryMessageButMoves) {
    SetReporting(state, false, false);
    EXPECT_FALSE(Mouse(kMouseMove));
    EXPECT_FALSE(Mouse(kLeftDown));
    EXPECT_FALSE(Mouse(0x202));
    EXPECT_FALSE(Mouse(kWheel, kWheelBackward));
    EXPECT_FALSE(Mouse(kExtraUp, kFirstExtra));
    const std::vector<test::PostedMessage> expected = {
        {kMain, kMsgHookKey, kReportLeftDown, 0},
        {kMain, kMsgHookKey, 0x202, 0},
        {kMain, kMsgHookKey, kReportWheelDown, 0},
        {kMain, kMsgHookKey, 0x1020C, 0},
    };
    EXPECT_EQ(poster.Posted(), expected);
}

TEST_F(HookDecisionTest, KeyPressesAreReportedAndReleasesOnlyForwarded) {
    EXPECT_FALSE(Key('A', 0x00));
    EXPECT_FALSE(Key('A', 0x80));
    EXPECT_FALSE(Key('A', 0x21));  // extended key with Alt held: a press
    EXPECT_FALSE(Key('A', 0x30));  // injected with Alt held: a release for the report
    const std::vector<test::PostedMessage> expected = {
        {kMain, kMsgHookReport, kReportKey, 0x00}, {kMain, kMsgHookKey, 'A', 0x00},
        {kMain, kMsgHookKey, 'A', 0x80},           {kMain, kMsgHookReport, kReportKey, 0x21},
        {kMain, kMsgHookKey, 'A', 0x21},           {kMain, kMsgHookKey, 'A', 0x30},
    };
    EXPECT_EQ(poster.Posted(), expected);
}

TEST_F(HookDecisionTest, CapturingPageGetsForwardedEventsWhileReportsStayWithTheMainWindow) {
    SetForwardTarget(state, kPage);
    SetForwarding(state, true, false);
    SetButtonIntercept(state, kReportMiddleDown, true);
    EXPECT_TRUE(Mouse(kMiddleDown));
    Key('Q', 0);
    const std::vector<test::PostedMessage> expected = {
        {kMain, kMsgHookReport, kReportMiddleDown, 0},
        {kMain, kMsgHookReport, kReportKey, 0},
        {kPage, kMsgHookKey, 'Q', 0},
    };
    EXPECT_EQ(poster.Posted(), expected);
}

TEST_F(HookDecisionTest, ForwardingOffHandsTheTargetBackOnlyWhenBothAreOff) {
    SetForwardTarget(state, kPage);
    SetForwarding(state, false, true);
    EXPECT_EQ(state.targetWindow.load(), kPage);
    SetForwarding(state, false, false);
    EXPECT_EQ(state.targetWindow.load(), kMain);
    EXPECT_FALSE(Key('A', 0));  // forwarding off: only the report
    EXPECT_EQ(poster.Posted().size(), 1u);
}

TEST(HookStateTest, NothingIsPostedBeforeTheHooksHaveAWindow) {
    HookState state;
    SetButtonIntercept(state, kReportLeftDown, true);
    const HookDecision decision = DecideMouseEvent(state, kLeftDown, 0);
    EXPECT_TRUE(decision.swallow);
    EXPECT_EQ(decision.postCount, 0);
    EXPECT_EQ(DecideKeyEvent(state, 'A', 0).postCount, 0);
}

TEST(HookStateTest, InterceptListHoldsTwelveDistinctCodesAndReusesFreedEntries) {
    HookState state;
    for (uint32_t i = 1; i <= 12; ++i) SetButtonIntercept(state, 0x1000 + i, true);
    SetButtonIntercept(state, 0x2000, true);  // the thirteenth
    EXPECT_FALSE(IsIntercepted(state, 0x2000));
    for (uint32_t i = 1; i <= 12; ++i) EXPECT_TRUE(IsIntercepted(state, 0x1000 + i));

    SetButtonIntercept(state, 0x1005, false);
    SetButtonIntercept(state, 0x2000, true);
    EXPECT_TRUE(IsIntercepted(state, 0x2000));
    EXPECT_EQ(state.mouseInterceptList[4].load(), 0x2000u);

    // Switching a code on twice takes one entry; off frees it however often it was set.
    HookState fresh;
    SetButtonIntercept(fresh, kReportWheelDown, true);
    SetButtonIntercept(fresh, kReportWheelDown, true);
    EXPECT_EQ(fresh.mouseInterceptList[1].load(), 0u);
    SetButtonIntercept(fresh, kReportWheelDown, false);
    EXPECT_FALSE(IsIntercepted(fresh, kReportWheelDown));
    SetButtonIntercept(fresh, 0, true);
    EXPECT_FALSE(IsIntercepted(fresh, 0));
}

}  // namespace
}  // namespace tarn
