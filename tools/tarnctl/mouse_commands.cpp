// apply and firmware: the commands that talk to a mouse, the simulated one or the real one.
#include <cstdio>
#include <memory>
#include <string>

#include "base/file_system.h"
#include "base/hook_state.h"
#include "base/message_poster.h"
#include "base/pointer_settings.h"
#include "base/text.h"
#include "base/window_messages.h"
#include "device/apply_worker.h"
#include "device/simulated_mouse.h"
#include "device/usb_driver.h"
#include "tools/tarnctl/apply_inputs.h"
#include "tools/tarnctl/commands.h"
#include "tools/tarnctl/output.h"

namespace tarnctl {

namespace {

// Stand-ins for the windows the apply reports to; nothing is ever sent to them.
constexpr tarn::WindowId kProgressWindow = 1;
constexpr tarn::WindowId kMainWindow = 2;

// The apply's progress messages, turned into lines.
class ProgressPrinter final : public tarn::MessagePoster {
public:
    bool Post(tarn::WindowId, uint32_t message, uintptr_t wParam, intptr_t) override {
        if (message == tarn::kMsgApplyProgress) Print("progress " + std::to_string(wParam) + "\n");
        if (message == tarn::kMsgApplyDone) Print("applied\n");
        std::fflush(stdout);
        return true;
    }
};

// Without --pointer the system's pointer options stay as they are.
class KeepPointerSettings final : public tarn::PointerSettings {
public:
    bool SetMouse(const int (&)[3]) override { return true; }
    bool SetMouseSpeed(uint32_t) override { return true; }
    bool SetWheelScrollLines(uint32_t) override { return true; }
    void NotifyChange(tarn::WindowId, uint32_t, const int*) override {}
};

// With --pointer the platform's settings change; there is no window to notify.
class ConsolePointerSettings final : public tarn::PointerSettings {
public:
    bool SetMouse(const int (&values)[3]) override { return Platform().SetMouse(values); }
    bool SetMouseSpeed(uint32_t speed) override { return Platform().SetMouseSpeed(speed); }
    bool SetWheelScrollLines(uint32_t lines) override {
        return Platform().SetWheelScrollLines(lines);
    }
    void NotifyChange(tarn::WindowId, uint32_t, const int*) override {}

private:
    static tarn::PointerSettings& Platform() { return tarn::PlatformPointerSettings(); }
};

std::unique_ptr<tarn::HidTransport> SimulatedTransport(const ParsedArgs& args) {
    tarn::SimulatedMouseConfig config = tarn::SimulatedConfigFromEnvironment();
    if (const std::string* log = args.Value("log")) config.logPath = *log;
    return std::make_unique<tarn::SimulatedMouse>(std::move(config));
}

// The link to the mouse the options name, opened; null (the exit status in status) otherwise.
std::unique_ptr<tarn::CUSBDriver> OpenMouse(const Command& command, const ParsedArgs& args,
                                            int& status) {
    const bool simulate = args.Has("simulate");
    if (simulate == args.Has("device")) {
        status = BadUsage(command, "give one of --simulate and --device");
        return nullptr;
    }
    if (const std::string* log = args.Value("log")) {
        if (!simulate) {
            status = BadUsage(command, "--log goes with --simulate");
            return nullptr;
        }
        // Found out here, not after an apply that left no trace.
        if (!tarn::Files().OpenForWrite(tarn::FromUtf8(*log))) {
            status = Fail("cannot write the protocol log " + *log);
            return nullptr;
        }
    }
    auto link = std::make_unique<tarn::CUSBDriver>(simulate ? SimulatedTransport(args)
                                                            : tarn::MakePlatformTransport());
    if (!link->PrepareLink()) {
        status = Fail("the HID support library HidParse.dll is missing");
        return nullptr;
    }
    if (!link->OpenDevice()) {
#ifdef __linux__
        status = Fail(
            "no Nirel Tarn mouse found (USB 3D5A:4108); is it plugged in, and may you read and "
            "write its /dev/hidraw device?");
#else
        status = Fail("no Nirel Tarn mouse found (USB 3D5A:4108); is it plugged in?");
#endif
        return nullptr;
    }
    return link;
}

}  // namespace

int ApplyCommand(const Command& command, const ParsedArgs& args) {
    ApplyInputs inputs;
    if (const auto status = ReadApplyInputs(command, args, inputs)) return *status;
    int status = kExitOk;
    const auto link = OpenMouse(command, args, status);
    if (!link) return status;

    ProgressPrinter printer;
    KeepPointerSettings keep;
    ConsolePointerSettings change;
    tarn::SetPoster(&printer);
    tarn::SetPointerSettings(args.Has("pointer") ? static_cast<tarn::PointerSettings*>(&change)
                                                 : &keep);
    // An empty store stands in when none was given: every macro button is then unbound.
    if (!inputs.store) inputs.store = std::make_unique<tarn::MacroStore>();
    tarn::HookState hooks;
    tarn::ApplyShared shared;
    shared.progressWindow.store(kProgressWindow);
    const tarn::ApplyContext context{link.get(),         kMainWindow, inputs.model.get(),
                                     inputs.store.get(), &hooks,      &shared};
    const int result = tarn::RunApply(context);
    tarn::SetPoster(nullptr);
    tarn::SetPointerSettings(nullptr);
    link->CloseDevice();
    if (result == tarn::kApplySucceeded) return kExitOk;
    std::string text = tarn::ToUtf8(tarn::ApplyFailureText(result));
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    Error("apply failed (code " + std::to_string(result) + "): " + text);
    return kExitApplyFailed;
}

int FirmwareCommand(const Command& command, const ParsedArgs& args) {
    int status = kExitOk;
    const auto link = OpenMouse(command, args, status);
    if (!link) return status;
    uint32_t version = 0;
    const bool read = link->ReadFirmwareVersion(&version);
    link->CloseDevice();
    if (!read) return Fail("the mouse did not answer the firmware version query");
    Print(std::to_string(version) + "\n");
    return kExitOk;
}

}  // namespace tarnctl
