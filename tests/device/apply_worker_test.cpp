#include "device/apply_worker.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <numeric>
#include <thread>

#include "base/window_messages.h"
#include "catalogue/function_catalogue.h"
#include "device/simulated_mouse.h"
#include "device/usb_driver.h"
#include "tests/support/doubles.h"
#include "tests/support/recording_pointer_settings.h"

namespace tarn {
namespace {

constexpr WindowId kMain = 0x1000;
constexpr WindowId kProgress = 0x2000;

// The whole apply against the simulated mouse, on a clock that only moves when slept on.
class ApplyTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetClock(&clock);
        SetPoster(&poster);
        auto transport = std::make_unique<SimulatedMouse>();
        mouse = transport.get();
        link = std::make_unique<CUSBDriver>(std::move(transport));
        ASSERT_TRUE(link->OpenDevice());
        settings = std::make_unique<SettingsModel>();
        MakeDefaultProfile(settings->currentProfile);
        macros = std::make_unique<MacroStore>();
        shared.progressWindow.store(kProgress);
        context = {link.get(), kMain, settings.get(), macros.get(), &hooks, &shared};
        clock.sleeps.clear();
    }
    void TearDown() override {
        SetClock(nullptr);
        SetPoster(nullptr);
    }

    ProfileRecord& profile() { return settings->currentProfile; }

    std::vector<uintptr_t> ProgressValues() const {
        std::vector<uintptr_t> out;
        for (const auto& m : poster.Posted()) {
            if (m.message == kMsgApplyProgress) {
                EXPECT_EQ(m.window, kProgress);
                out.push_back(m.wParam);
            }
        }
        return out;
    }
    // The messages for the main window.
    std::vector<test::PostedMessage> Outcome() const {
        std::vector<test::PostedMessage> out;
        for (const auto& m : poster.Posted()) {
            if (m.message != kMsgApplyProgress) out.push_back(m);
        }
        return out;
    }
    // The reports on the wire: kind, then the bytes after the report id of each line.
    std::vector<std::string> Wire() const {
        std::vector<std::string> out;
        for (const std::string& line : mouse->LogLines()) {
            const auto entry = ParseProtocolLogLine(line);
            if (!entry) continue;
            std::string text = entry->kind;
            // Feature reports by their command byte; output reports just by their kind.
            if (entry->kind == "SET" && entry->bytes.size() > 1) {
                char hex[4];
                std::snprintf(hex, sizeof hex, " %02x", entry->bytes[1]);
                text += hex;
            }
            out.push_back(text);
        }
        return out;
    }
    uint32_t Word(int slot) const {
        const auto matrix = mouse->State().keyMatrix;
        return uint32_t(matrix[slot * 4]) | uint32_t(matrix[slot * 4 + 1]) << 8 |
               uint32_t(matrix[slot * 4 + 2]) << 16 | uint32_t(matrix[slot * 4 + 3]) << 24;
    }
    MacroRecord& AddMacro(int slot, uint32_t id, std::vector<MacroEvent> events) {
        MacroRecord& record = macros->slots[slot];
        record.size = 4100 + 4 * uint32_t(events.size());
        record.tag = MacroTag;
        record.id = id;
        record.loopCount = 1;
        record.eventCount = uint32_t(events.size());
        for (size_t i = 0; i < events.size(); ++i) record.events[i] = events[i];
        return record;
    }
    void BindMacro(int button, uint32_t id) {
        profile().buttons[button].functionType = kFunctionMacro;
        settings->buttonMacroIds[button] = id;
    }
    uint32_t TotalSleep() const {
        return std::accumulate(clock.sleeps.begin(), clock.sleeps.end(), 0u);
    }

    test::FakeClock clock;
    test::RecordingPoster poster;
    test::ScopedPointerSettings pointer;
    SimulatedMouse* mouse = nullptr;
    std::unique_ptr<CUSBDriver> link;
    std::unique_ptr<SettingsModel> settings;
    std::unique_ptr<MacroStore> macros;
    HookState hooks;
    ApplyShared shared;
    ApplyContext context;
};

TEST_F(ApplyTest, DefaultProfileGoesOutInOrderWithItsProgressAndPauses) {
    EXPECT_EQ(RunApply(context), kApplySucceeded);

    const std::vector<std::string> wire = {"SET 12", "OUT", "OUT",    "SET 0c", "SET 0d",
                                           "SET 11", "OUT", "SET 0b", "SET 01"};
    EXPECT_EQ(Wire(), wire);
    EXPECT_TRUE(mouse->Errors().empty());
    EXPECT_EQ(ProgressValues(),
              (std::vector<uintptr_t>{0, 7, 14, 21, 28, 35, 42, 60, 70, 75, 80, 90, 100}));
    EXPECT_EQ(Outcome(), (std::vector<test::PostedMessage>{{kMain, kMsgApplyDone, 0, 0}}));

    const uint32_t expected[16] = {
        0x00F00001, 0x00F10001, 0x00F20001, 0x00030007, 0x00F30001, 0x00F40001, 0,         0, 0,
        0,          0,          0,          0,          0,          0x00010004, 0x00020004};
    for (int slot = 0; slot < 16; ++slot) EXPECT_EQ(Word(slot), expected[slot]) << slot;

    const SimulatedMouseState state = mouse->State();
    EXPECT_EQ(state.ledColor, 0x000000FFu);
    EXPECT_EQ(state.ledEffect, (std::array<uint8_t, 3>{4, 10, 2}));
    EXPECT_EQ(state.dpiLevel, 3);
    EXPECT_EQ(state.reportInterval, 1u);
    EXPECT_TRUE(state.macros.empty());
    // Start pause aside: 7 words, key matrix 100 + 2 x 100, DPI table 50 + 100, 300 at the end.
    EXPECT_EQ(TotalSleep(), 7 * 50 + 300 + 150 + 300u);
    // Pointer options went to the system, each told to the main window.
    ASSERT_EQ(pointer.settings.calls.size(), 6u);
    EXPECT_EQ(pointer.settings.calls[1].window, kMain);
}

struct AbortCase {
    SimulatedFailure failure;
    int code;
    uintptr_t lastProgress;
    size_t reportsSent;  // including the failing one
};

class ApplyAbortTest : public ApplyTest, public ::testing::WithParamInterface<AbortCase> {};

TEST_P(ApplyAbortTest, StopsWithItsCodeAndNoSuccess) {
    const AbortCase& c = GetParam();
    mouse->AddFailure(c.failure);
    EXPECT_EQ(RunApply(context), c.code);
    EXPECT_EQ(ProgressValues().back(), c.lastProgress);
    EXPECT_EQ(Outcome(), (std::vector<test::PostedMessage>{{kMain, kMsgApplyFailed, 0, c.code}}));
    EXPECT_EQ(Wire().size(), c.reportsSent);
    EXPECT_TRUE(pointer.settings.calls.empty());
    EXPECT_FALSE(ApplyFailureText(c.code).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Steps, ApplyAbortTest,
    ::testing::Values(AbortCase{{SimulatedFailure::What::Command, 0x12}, ApplyFailKeyMatrix, 42, 1},
                      AbortCase{{SimulatedFailure::What::Data, 0x12}, ApplyFailKeyMatrix, 42, 2},
                      AbortCase{{SimulatedFailure::What::Command, 0x0C}, ApplyFailLedColor, 60, 4},
                      AbortCase{{SimulatedFailure::What::Command, 0x0D}, ApplyFailLedEffect, 60, 5},
                      AbortCase{{SimulatedFailure::What::Command, 0x11}, ApplyFailDpiTable, 75, 6},
                      AbortCase{{SimulatedFailure::What::Data, 0x11}, ApplyFailDpiTable, 75, 7}));

TEST(ApplyFailureTextTest, TextsOfTheFourCodes) {
    EXPECT_EQ(ApplyFailureText(ApplyFailKeyMatrix), u"write mousekey metix fail.\n");
    EXPECT_EQ(ApplyFailureText(ApplyFailLedColor), u"Write mouse LED color failed.\n");
    EXPECT_EQ(ApplyFailureText(ApplyFailLedEffect), u"Write mouse effect failed.\n");
    EXPECT_EQ(ApplyFailureText(ApplyFailDpiTable), u"Write mouse DPI failed.\n");
    EXPECT_EQ(ApplyFailureText(3), u"");
}

TEST_F(ApplyTest, LevelAndReportIntervalFailuresDoNotAbort) {
    mouse->AddFailure({SimulatedFailure::What::Command, 0x0B});
    mouse->AddFailure({SimulatedFailure::What::Command, 0x01});
    EXPECT_EQ(RunApply(context), kApplySucceeded);
    EXPECT_EQ(Outcome().back().message, kMsgApplyDone);
}

TEST_F(ApplyTest, NoValidResolutionSendsAnEmptyTableAndLevelZero) {
    for (uint32_t& dpi : profile().dpiLevels) dpi = 0;
    profile().dpiLevels[5] = 1250;  // past the five levels: never sent
    EXPECT_EQ(RunApply(context), kApplySucceeded);
    std::array<uint8_t, 16> empty;
    empty.fill(0x80);
    EXPECT_EQ(mouse->State().dpiTable, empty);
    EXPECT_EQ(mouse->State().dpiLevel, 0);
}

TEST_F(ApplyTest, MacroButtonsUploadInButtonOrderAndTheSameMacroTwice) {
    const MacroRecord& macro = AddMacro(3, 0x15000001,
                                        {MakeMacroEvent(KeyPress, 'A'), MakeMacroEvent(Delay, 50),
                                         MakeMacroEvent(KeyRelease, 'A')});
    BindMacro(ButtonMiddle, macro.id);
    BindMacro(ButtonBack, macro.id);
    EXPECT_EQ(RunApply(context), kApplySucceeded);

    const SimulatedMouseState state = mouse->State();
    ASSERT_EQ(state.macros.size(), 2u);
    EXPECT_TRUE(state.macros.count(1));
    EXPECT_TRUE(state.macros.count(2));
    EXPECT_EQ(state.macros.at(1), state.macros.at(2));
    EXPECT_EQ(state.macros.at(1)[2], 0x06);  // press A with the 50 ms folded in
    // Three entries: the header, the press and the release.
    EXPECT_EQ(Word(KeyMatrixSlotOfButton[ButtonMiddle]), 0x03010009u);
    EXPECT_EQ(Word(KeyMatrixSlotOfButton[ButtonBack]), 0x03020009u);
    EXPECT_TRUE(mouse->Errors().empty());
    // Each upload: 100 ms before its 16 pieces of 100 ms, then the apply's own 50 ms.
    EXPECT_EQ(TotalSleep(), 1100u + 2 * (100 + 1600 + 50));
    // Uploads come before the key matrix, each while its button's progress shows.
    const auto wire = Wire();
    EXPECT_EQ(wire.front(), "SET 13");
    EXPECT_EQ(wire[17], "SET 13");
    EXPECT_EQ(wire[34], "SET 12");
}

TEST_F(ApplyTest, AMacroThatDidNotArriveFailsTheApplyBeforeTheKeyMatrix) {
    const MacroRecord& macro = AddMacro(0, 0x15000001, {MakeMacroEvent(KeyPress, 'A')});
    BindMacro(ButtonMiddle, macro.id);
    BindMacro(ButtonForward, macro.id);
    mouse->AddFailure({SimulatedFailure::What::Data, 0x13, 1});
    SetButtonIntercept(hooks, ButtonReportCodes[ButtonBack], true);
    EXPECT_EQ(RunApply(context), ApplyFailKeyMatrix);
    EXPECT_EQ(Outcome(), (std::vector<test::PostedMessage>{
                             {kMain, kMsgApplyFailed, 0, ApplyFailKeyMatrix}}));
    // The other buttons were still prepared, so the swallow list matches the profile, but the
    // mouse keeps its old key matrix.
    EXPECT_FALSE(IsIntercepted(hooks, ButtonReportCodes[ButtonBack]));
    EXPECT_EQ(mouse->State().macros.count(2), 1u);
    for (const std::string& report : Wire()) EXPECT_NE(report, "SET 12");
}

TEST_F(ApplyTest, MacroButtonWithoutAUsableMacroKeepsItsDefaultFunction) {
    AddMacro(0, 0x15000002, {}).size = 4104;  // saved without events
    MacroRecord& freed = AddMacro(1, 0x15000003, {MakeMacroEvent(KeyPress, 'B')});
    freed.size = 0;
    BindMacro(ButtonMiddle, 0x15000002);
    BindMacro(ButtonRight, 0x15000003);
    BindMacro(ButtonForward, 0x15000099);  // bound to nothing in the store
    BindMacro(ButtonBack, 0);              // a zero id would match every free slot
    EXPECT_EQ(RunApply(context), kApplySucceeded);
    EXPECT_TRUE(mouse->State().macros.empty());
    for (int button : {ButtonMiddle, ButtonRight, ButtonForward, ButtonBack}) {
        EXPECT_EQ(Word(KeyMatrixSlotOfButton[button]),
                  FixedFunctionWord(DefaultFunctionCodes[button]));
    }
}

TEST_F(ApplyTest, SoftwareActionSendsTheDefaultWordAndOnlyItsButtonIsSwallowed) {
    // Left over from an earlier apply, and a code that is no button's.
    SetButtonIntercept(hooks, ButtonReportCodes[ButtonRight], true);
    SetButtonIntercept(hooks, 0x999, true);
    profile().buttons[ButtonWheelUp].functionType = kFunctionSoftware;
    profile().buttons[ButtonWheelUp].actionKind = kActionProgram;
    EXPECT_EQ(RunApply(context), kApplySucceeded);
    EXPECT_EQ(Word(14), 0x00010004u);
    EXPECT_TRUE(IsIntercepted(hooks, ButtonReportCodes[ButtonWheelUp]));
    for (int button = 0; button < kButtonCount; ++button) {
        if (button == ButtonWheelUp) continue;
        EXPECT_FALSE(IsIntercepted(hooks, ButtonReportCodes[button])) << button;
    }
    EXPECT_TRUE(IsIntercepted(hooks, 0x999));
}

TEST_F(ApplyTest, CombinationsAndUnknownCodesFillTheirSlots) {
    profile().buttons[ButtonForward].functionType = kFunctionKeyCombo;
    profile().buttons[ButtonForward].comboCode = 0x00040300;
    profile().buttons[ButtonWheelDown].functionType = 77;  // not in the catalogue
    EXPECT_EQ(RunApply(context), kApplySucceeded);
    EXPECT_EQ(Word(5), 0x00040300u);
    EXPECT_EQ(Word(15), 0u);
    EXPECT_EQ(TotalSleep(), 1100u - 50);  // no word, no pause
}

TEST_F(ApplyTest, WorkerAppliesOnRequestAndEndsWhenAsked) {
    ApplyWorkerThread worker;
    ASSERT_TRUE(worker.Start(context));
    ASSERT_TRUE(RequestApply(shared));
    EXPECT_FALSE(RequestApply(shared));  // one apply at a time
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (Outcome().empty() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_EQ(Outcome().size(), 1u);
    EXPECT_EQ(Outcome()[0].message, kMsgApplyDone);
    EXPECT_EQ(shared.linkPhase.load(), 2);
    EXPECT_EQ(shared.applyIdle.load(), 0);  // until the main window has handled 0x703
    EXPECT_FALSE(shared.applyEvent.IsSet());
    worker.Stop();
    EXPECT_FALSE(worker.Running());
    EXPECT_EQ(Outcome().size(), 1u);  // the wake-up to end is not an apply
}

TEST_F(ApplyTest, WithoutALinkTheApplyFailsAtTheKeyMatrix) {
    context.link = nullptr;
    EXPECT_EQ(RunApply(context), ApplyFailKeyMatrix);
    EXPECT_EQ(Outcome(), (std::vector<test::PostedMessage>{{kMain, kMsgApplyFailed, 0, 0}}));
}

TEST(ApplyWorkerTest, EndsAtOnceWhenAlreadyAskedToStop) {
    ApplyShared shared;
    shared.applyRunning.store(0);
    ApplyContext context;
    context.shared = &shared;
    ApplyWorker(context);  // returns without waiting
    SUCCEED();
}

}  // namespace
}  // namespace tarn
