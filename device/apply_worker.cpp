#include "device/apply_worker.h"

#include "device/key_matrix_plan.h"

#include <array>
#include <span>

#include "base/clock.h"
#include "device/apply_pointer_settings.h"
#include "base/window_messages.h"
#include "catalogue/function_catalogue.h"
#include "device/device_commands.h"
#include "device/usb_driver.h"
#include "macro/macro_store.h"

namespace tarn {

namespace {

// Lets the user-interface thread put up the modal progress window before the first progress.
constexpr uint32_t kStartPauseMs = 50;
// The mouse needs this long after each key-matrix word and after each macro upload.
constexpr uint32_t kButtonPauseMs = 50;
constexpr uint32_t kMacroPauseMs = 50;
// Lets the progress window show 100 before the main window saves.
constexpr uint32_t kFinishPauseMs = 300;

constexpr uintptr_t kProgressPerButton = 7;
constexpr uintptr_t kProgressKeyMatrix = 60;
constexpr uintptr_t kProgressLighting = 70;
constexpr uintptr_t kProgressBeforeDpi = 75;
constexpr uintptr_t kProgressDpi = 80;
constexpr uintptr_t kProgressPointer = 90;
constexpr uintptr_t kProgressDone = 100;

void Pause(uint32_t ms) {
    SystemClock().Sleep(ms);
}

void Progress(const ApplyContext& context, uintptr_t percent) {
    const WindowId window = context.shared->progressWindow.load();
    if (window != 0) Poster().Post(window, kMsgApplyProgress, percent, 0);
}

int Fail(const ApplyContext& context, int code) {
    Poster().Post(context.mainWindow, kMsgApplyFailed, 0, code);
    return code;
}

// Chooses and sends what one button needs; returns whether the button has a word (and so
// takes the pause after it). uploadFailed is set when its macro did not reach the mouse.
bool PrepareButton(const ApplyContext& context, int button, uint8_t& macroNumber,
                   DeviceKeyEntry& word, bool& uploadFailed) {
    const ButtonAssignment& assignment = context.settings->currentProfile.buttons[button];
    const ButtonWord chosen = WordOfButton(assignment, button);
    switch (chosen.source) {
        case ButtonWordSource::Fixed:
        case ButtonWordSource::Combination:
            word = chosen.word;
            return true;
        case ButtonWordSource::SoftwareAction:
            SetButtonIntercept(*context.hooks, ButtonReportCodes[button], true);
            word = chosen.word;
            return true;
        case ButtonWordSource::Macro: {
            const MacroRecord* macro =
                MacroToUpload(context.macros, context.settings->buttonMacroIds[button]);
            if (!macro) {
                word = FixedFunctionWord(DefaultFunctionCodes[button]);
                return true;
            }
            bool sent = false;
            const uint32_t entries = context.link->UploadMacro(macroNumber, *macro, &sent);
            if (!sent) uploadFailed = true;
            Pause(kMacroPauseMs);
            word = MacroWord(macroNumber, entries);
            ++macroNumber;
            return true;
        }
        case ButtonWordSource::None:
            return false;
    }
    return false;
}

// uploadFailed is set when a macro did not reach the mouse; the key matrix must not then point
// a button at a macro slot that holds something else.
KeyMatrix BuildAndUploadButtons(const ApplyContext& context, bool& uploadFailed) {
    KeyMatrix matrix{};
    uint8_t macroNumber = 1;
    for (int button = 0; button < kButtonCount; ++button) {
        SetButtonIntercept(*context.hooks, ButtonReportCodes[button], false);
        Progress(context, kProgressPerButton * button);
        DeviceKeyEntry word = 0;
        if (!PrepareButton(context, button, macroNumber, word, uploadFailed)) continue;
        matrix.slots[KeyMatrixSlotOfButton[button]] = word;
        Pause(kButtonPauseMs);
    }
    matrix.slots[kFixedSlot] = kSlot3Word;
    return matrix;
}

std::array<uint8_t, kKeyMatrixSize> KeyMatrixBytes(const KeyMatrix& matrix) {
    std::array<uint8_t, kKeyMatrixSize> bytes{};
    for (int slot = 0; slot < kKeyMatrixSlots; ++slot) {
        for (int b = 0; b < 4; ++b) bytes[slot * 4 + b] = uint8_t(matrix.slots[slot] >> (8 * b));
    }
    return bytes;
}

}  // namespace

ApplyShared& ApplyState() {
    static ApplyShared shared;
    return shared;
}

std::u16string_view ApplyFailureText(int code) {
    switch (code) {
        case ApplyFailKeyMatrix:
            return u"write mousekey metix fail.\n";
        case ApplyFailLedColor:
            return u"Write mouse LED color failed.\n";
        case ApplyFailLedEffect:
            return u"Write mouse effect failed.\n";
        case ApplyFailDpiTable:
            return u"Write mouse DPI failed.\n";
        default:
            return u"";
    }
}

ApplyContext DefaultApplyContext(CUSBDriver& link, WindowId mainWindow) {
    return {&link, mainWindow, &Settings(), &Macros(), &Hooks(), &ApplyState()};
}

bool RequestApply(ApplyShared& shared) {
    // Taking the idle flag here, not only when the worker wakes, keeps a second request that
    // arrives before the worker has started from queueing another apply.
    int idle = 1;
    if (!shared.applyIdle.compare_exchange_strong(idle, 0)) return false;
    shared.applyEvent.Set();
    return true;
}

int RunApply(const ApplyContext& context) {
    // Without a link nothing can be written; told like a refused key matrix.
    if (!context.link) return Fail(context, ApplyFailKeyMatrix);
    CUSBDriver& link = *context.link;
    const ProfileRecord& profile = context.settings->currentProfile;

    // A macro that did not arrive fails the apply as the key matrix would: the mouse keeps its
    // old buttons and the profile is not saved, instead of a button that runs the wrong macro.
    bool uploadFailed = false;
    const KeyMatrix matrix = BuildAndUploadButtons(context, uploadFailed);
    if (uploadFailed) return Fail(context, ApplyFailKeyMatrix);
    if (!link.WriteKeyMatrix(KeyMatrixBytes(matrix))) return Fail(context, ApplyFailKeyMatrix);
    Progress(context, kProgressKeyMatrix);

    if (!link.SetLedColor(profile.ledColor)) return Fail(context, ApplyFailLedColor);
    const LedEffectParameters effect = LedEffectFor(profile.ledMode, uint8_t(profile.ledSpeedMode1),
                                                    uint8_t(profile.ledSpeedMode2));
    if (!link.SetLedEffect(effect.a, effect.b, effect.c)) return Fail(context, ApplyFailLedEffect);
    Progress(context, kProgressLighting);
    Progress(context, kProgressBeforeDpi);

    const DpiTableBlock dpi = BuildDpiTable(std::span<const uint32_t>(profile.dpiLevels, 5));
    if (!link.WriteDpiTable(dpi)) return Fail(context, ApplyFailDpiTable);
    link.SetDpiLevel(DpiLevelFor(dpi));
    Progress(context, kProgressDpi);

    ApplyPointerSettings(profile, context.mainWindow);
    Progress(context, kProgressPointer);

    link.SetReportInterval(profile.pollInterval);
    Progress(context, kProgressDone);

    Pause(kFinishPauseMs);
    Poster().Post(context.mainWindow, kMsgApplyDone, 0, 0);
    return kApplySucceeded;
}

void ApplyWorker(const ApplyContext& context) {
    ApplyShared& shared = *context.shared;
    while (shared.applyRunning.load() != 0) {
        shared.applyEvent.Wait();
        if (shared.applyRunning.load() == 0) return;
        shared.linkPhase.store(2);
        shared.applyEvent.Reset();
        shared.applyIdle.store(0);
        Pause(kStartPauseMs);
        RunApply(context);
    }
}

bool ApplyWorkerThread::Start(const ApplyContext& context) {
    if (thread_.joinable() || !context.link || !context.shared) return false;
    shared_ = context.shared;
    thread_ = std::thread([context] { ApplyWorker(context); });
    return true;
}

void ApplyWorkerThread::Stop() {
    if (!thread_.joinable()) return;
    shared_->applyRunning.store(0);
    shared_->applyEvent.Set();
    thread_.join();
}

}  // namespace tarn
