// The program's threads at once: 200 applies on the worker while a hook thread reports clicks,
// wheel notches and keys, the cursor sampler posts samples, and the user-interface thread
// handles all of it, lets the pages read the profile, reads the firmware version through the
// shared link and edits the profile between applies. Built with ThreadSanitizer by
// scripts/tsan.sh; here it checks the outcome: every apply goes through, the swallow list
// follows the profile, and every reported press is counted once.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "app/software_action.h"
#include "assign/button_page_rules.h"
#include "catalogue/function_catalogue.h"
#include "lighting/led_view.h"
#include "stats/cursor_sampler.h"
#include "stats/usage_statistics.h"
#include "tests/faults/program_rig.h"

namespace tarn::test {
namespace {

using namespace std::chrono_literals;

constexpr int kApplies = 200;
// Fast enough that the applies take a second or two on the wall.
constexpr uint32_t kStressTimeScale = 1000;
constexpr int kMiddle = 1;

// The mouse events the hook thread feeds through the hook procedures' decisions.
constexpr uint32_t kEvents[][2] = {
    {kLeftDown, 0},          {kLeftDown + 1, 0},  {kMiddleDown, 0},          {kMiddleDown + 1, 0},
    {kRightDown, 0},         {kRightDown + 1, 0}, {kWheel, 120},             {kWheel, 0xFF88u},
    {kWheel, 0xFFFFFF88u},   {kMouseMove, 0},     {kExtraDown, 0x10000u},    {kExtraUp, 0x10000u},
};

void GiveTheMiddleButtonAnAction(ProfileRecord& profile, bool on) {
    ButtonAssignment& middle = profile.buttons[kMiddle];
    if (on) {
        middle.functionType = kFunctionSoftware;
        middle.actionKind = 0xD0;
        CopyToFixed(middle.actionPath, u"C:\\Games\\launcher.exe");
    } else {
        middle.functionType = DefaultFunctionCodes[kMiddle];
    }
}

TEST(ApplyStressTest, TwoHundredAppliesWhileHooksFireAndThePagesReadTheProfile) {
    ProgramRig s({}, kStressTimeScale);
    s.Start();
    SetHookWindows(s.hooks, kMainWindow);
    UsageStatistics stats;
    std::atomic<bool> stop{false};
    std::atomic<uint64_t> reportsPosted{0};

    // The hook thread: decisions on the shared hook state, posted to the main window.
    std::thread hookThread([&] {
        uint64_t posted = 0;
        for (size_t i = 0; !stop.load(); ++i) {
            const uint32_t* e = kEvents[i % std::size(kEvents)];
            HookDecision d = i % 7 == 0 ? DecideKeyEvent(s.hooks, 'W', i % 14 == 0 ? 0 : 0x80)
                                        : DecideMouseEvent(s.hooks, e[0], e[1]);
            for (int p = 0; p < d.postCount; ++p) {
                if (d.posts[p].message == kMsgHookReport) ++posted;
            }
            CarryOut(d, s.poster);
            if (i % 16 == 0) std::this_thread::sleep_for(200us);
        }
        reportsPosted.store(posted);
    });
    CursorSampler sampler;
    int32_t x = 0;
    sampler.Start(
        [&x](CursorPoint& p) {
            x += 3;
            p = {x, -x};
            return true;
        },
        s.poster, kMainWindow, 1);

    uint64_t reportsHandled = 0;
    auto handle = [&](const PostedMessage& m) {
        if (m.message == kMsgHookReport) {
            // The main window forwards it to the statistics page and looks up the action.
            ++reportsHandled;
            stats.CountHookEvent(m.wParam);
            (void)ActionForReport(s.settings->currentProfile, static_cast<uint32_t>(m.wParam));
        } else if (m.message == kMsgStatsSample) {
            stats.AddCursorTravel(sampler.Point());
        } else {
            s.Dispatch(m);
        }
    };

    LedPageLogic lighting(s.settings->currentProfile);
    for (int n = 0; n < kApplies; ++n) {
        // Between applies the pages edit the profile, as the user does.
        const bool action = n % 2 == 1;
        GiveTheMiddleButtonAnAction(s.settings->currentProfile, action);
        s.settings->currentProfile.pointerSpeed = 1 + n % 20;
        ASSERT_TRUE(s.controller.RequestApplyNow()) << "apply " << n;
        bool ended = false, done = false;
        const auto until = std::chrono::steady_clock::now() + 10s;
        for (int turn = 0; !ended && std::chrono::steady_clock::now() < until; ++turn) {
            // The pages repaint behind the progress window and read the profile meanwhile.
            const ButtonPageView view = ViewFromProfile(s.settings->currentProfile);
            EXPECT_EQ(view.tabSelected[kMiddle], action);
            lighting.RefreshLedView();
            if (turn == 3 && n % 10 == 0) {
                uint32_t version = 0;
                EXPECT_TRUE(s.link->ReadFirmwareVersion(&version));
            }
            if (auto m = s.poster.Next(1ms)) {
                if (m->message == kMsgApplyDone || m->message == kMsgApplyFailed) {
                    ended = true;
                    done = m->message == kMsgApplyDone;
                }
                handle(*m);
            }
        }
        ASSERT_TRUE(ended) << "apply " << n << " hung";
        ASSERT_TRUE(done) << "apply " << n << " failed";
        EXPECT_EQ(IsIntercepted(s.hooks, ButtonReportCodes[kMiddle]), action) << "apply " << n;
        EXPECT_FALSE(IsIntercepted(s.hooks, ButtonReportCodes[0])) << "apply " << n;
    }

    stop.store(true);
    hookThread.join();
    sampler.Stop();
    while (auto m = s.poster.Next(50ms)) handle(*m);
    EXPECT_EQ(reportsHandled, reportsPosted.load());
    const UsageCounters& c = stats.counters();
    EXPECT_GT(c.leftClicks, 0u);
    EXPECT_GT(c.wheelBackward, 0u);
    EXPECT_GT(c.cursorTravel, 0u);
    EXPECT_EQ(s.ProfileOnDisk(), s.CurrentProfileBytes());
    const auto errors = s.mouse->Errors();
    EXPECT_TRUE(errors.empty()) << errors.size() << " protocol errors, first: " << errors.front();
}

}  // namespace
}  // namespace tarn::test
