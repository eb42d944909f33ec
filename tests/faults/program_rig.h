// The program's link, apply worker, main-window rules and device presence around the simulated
// mouse, with the test's thread standing in for the user-interface thread: it takes the posted
// messages from one queue and hands each to the rule the main window runs for it. The files
// live in memory; time runs faster than the clock on the wall (50 times unless told otherwise),
// so the pauses keep their proportions and an apply takes about 50 ms.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/device_presence.h"
#include "app/link_reopener.h"
#include "app/main_controller.h"
#include "base/app_paths.h"
#include "base/clock.h"
#include "base/language_state.h"
#include "base/message_poster.h"
#include "base/text.h"
#include "base/window_messages.h"
#include "device/apply_worker.h"
#include "device/simulated_mouse.h"
#include "device/simulated_usb_watcher.h"
#include "device/usb_driver.h"
#include "macro/macro_store.h"
#include "settings/profile_files.h"
#include "tests/support/doubles.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/quiet_main_window.h"

namespace tarn::test {

// Simulated milliseconds per millisecond on the wall.
inline constexpr uint32_t kTimeScale = 50;

// A clock every thread may use: its time is the steady clock's, scaled, and a pause sleeps the
// scaled-down time.
class ScaledClock final : public Clock {
public:
    explicit ScaledClock(uint32_t scale) : scale_(scale) {}
    uint32_t TickCount() override {
        using namespace std::chrono;
        const auto since = steady_clock::now() - start_;
        return 1000 + static_cast<uint32_t>(duration_cast<microseconds>(since).count() * scale_ /
                                            1000);
    }
    void Sleep(uint32_t milliseconds) override {
        slept_.fetch_add(milliseconds);
        std::this_thread::sleep_for(
            std::chrono::microseconds(uint64_t{milliseconds} * 1000 / scale_));
    }
    uint32_t Scale() const { return scale_; }
    // All the pauses asked for so far, in simulated milliseconds, whatever the load of the
    // machine made of them.
    uint64_t Slept() const { return slept_.load(); }

private:
    const uint32_t scale_;
    std::atomic<uint64_t> slept_{0};
    const std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// The main window's queue: everything the worker, the hooks, the re-open and the bus post.
class QueuePoster final : public MessagePoster {
public:
    bool Post(WindowId window, uint32_t message, uintptr_t wParam, intptr_t lParam) override {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            queue_.push_back({window, message, wParam, lParam});
        }
        posted_.notify_one();
        return true;
    }
    std::optional<PostedMessage> Next(std::chrono::milliseconds wait) {
        std::unique_lock<std::mutex> lock(mutex_);
        if (!posted_.wait_for(lock, wait, [this] { return !queue_.empty(); })) return std::nullopt;
        PostedMessage m = queue_.front();
        queue_.pop_front();
        return m;
    }

private:
    std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<PostedMessage> queue_;
};

inline constexpr WindowId kMainWindow = 0x1000;
inline constexpr WindowId kProgressWindow = 0x2000;
// The messages the stand-ins of the system post: a device change and the end of a re-open.
inline constexpr uint32_t kMsgDeviceChange = 0x219;
inline constexpr uint32_t kMsgReopened = 0x8333;
inline const std::u16string kRigData = u"C:\\Users\\Gamer\\AppData\\Local\\Temp\\NIREL\\Tarn";

using RigWindow = QuietMainWindow;

class ProgramRig;

// The device-presence side of the main window, as the program carries it out.
class RigPresence final : public DevicePresenceShell {
public:
    explicit RigPresence(ProgramRig& rig) : rig_(rig) {}
    void CloseLink() override;
    void InstallGlobalHooks() override { ++hooksInstalled; }
    void RemoveGlobalHooks() override { ++hooksRemoved; }
    void StartReopen(uint32_t attempt) override;
    void CancelReopen() override { reopener.Cancel(); }
    void SetDeviceFirmwareText(std::u16string_view text) override { firmwareText = text; }
    void ShowApplyButtonNormal() override {}
    void PostClose() override { closePosted = true; }

    // Counted on the main window's thread, watched from others.
    std::atomic<int> hooksInstalled{0};
    std::atomic<int> hooksRemoved{0};
    bool closePosted = false;
    std::u16string firmwareText = u"unset";

    LinkReopener reopener;

private:
    ProgramRig& rig_;
};

// The outcome of one apply as the main window saw it.
struct ApplyOutcome {
    bool done = false;  // 0x703; otherwise 0x704 with code
    int code = kApplySucceeded;
    bool arrived = false;
};

class ProgramRig {
public:
    explicit ProgramRig(SimulatedMouseConfig config = {}, uint32_t timeScale = kTimeScale)
        : clock(timeScale) {
        dataFolder = kRigData;
        LanguageStrings.Set(StringKey::str_msg2, u"Missing %s");
        LanguageStrings.Set(StringKey::str_msg5, u"No access (5)");
        files.fs.AddFolder(kRigData + u"\\Profile");
        SetClock(&clock);
        SetPoster(&poster);
        auto transport = std::make_unique<SimulatedMouse>(std::move(config));
        mouse = transport.get();
        link = std::make_unique<CUSBDriver>(std::move(transport));
        std::memset(settings.get(), 0, sizeof *settings);
        std::memset(macros.get(), 0, sizeof *macros);
        MakeDefaultProfile(settings->currentProfile);
        CopyToFixed(settings->slotTable.slots[0].profilePath, ProfileFilePath(0));
        // What the disk holds before the first apply.
        SaveCurrentProfile(*settings);
        shared.progressWindow.store(kProgressWindow);
        controller.SetApplyWorkerRunning(true);
    }
    ~ProgramRig() {
        watcher.Stop();
        worker.Stop();
        presenceShell.reopener.Cancel();
        SetPoster(nullptr);
        SetClock(nullptr);
        dataFolder.clear();
        LanguageStrings.Clear();
    }

    // Opens the link and starts the worker, as a successful start-up does.
    void Start() {
        ASSERT_TRUE(link->OpenDevice());
        ASSERT_TRUE(worker.Start({link.get(), kMainWindow, settings.get(), macros.get(), &hooks,
                                  &shared}));
    }
    // The system's notifications of the simulated bus, looked at every few milliseconds.
    void WatchBus() {
        watcher.Start(
            *mouse,
            [this](const UsbChange& change) {
                poster.Post(kMainWindow, kMsgDeviceChange,
                            change.arrival ? kDeviceArrival : kDeviceRemoveComplete, 0);
            },
            2);
    }

    // The OK button, then the main window's messages until the apply's outcome arrives (the
    // modal progress window keeps the user away meanwhile). No outcome within the wait is a hang.
    ApplyOutcome ApplyAndWait(std::chrono::milliseconds wait = std::chrono::seconds(10)) {
        outcome_.reset();
        if (!controller.RequestApplyNow()) return {};
        const auto until = std::chrono::steady_clock::now() + wait;
        while (!outcome_ && std::chrono::steady_clock::now() < until) {
            if (auto m = poster.Next(std::chrono::milliseconds(20))) Dispatch(*m);
        }
        if (!outcome_) return {};
        return *outcome_;
    }
    // Handles what is queued until the condition holds; false when it did not within the wait.
    template <typename Condition>
    bool PumpUntil(Condition condition, std::chrono::milliseconds wait = std::chrono::seconds(5)) {
        const auto until = std::chrono::steady_clock::now() + wait;
        while (!condition()) {
            if (std::chrono::steady_clock::now() >= until) return false;
            if (auto m = poster.Next(std::chrono::milliseconds(5))) Dispatch(*m);
        }
        return true;
    }
    // Handles what is queued, for a while.
    void Pump(std::chrono::milliseconds time) {
        const auto until = std::chrono::steady_clock::now() + time;
        while (std::chrono::steady_clock::now() < until) {
            if (auto m = poster.Next(std::chrono::milliseconds(5))) Dispatch(*m);
        }
    }

    void Dispatch(const PostedMessage& m) {
        switch (m.message) {
            case kMsgApplyProgress:
                lastProgress = m.wParam;
                break;
            case kMsgApplyDone:
                controller.OnApplyDone();
                outcome_ = ApplyOutcome{true, kApplySucceeded, true};
                break;
            case kMsgApplyFailed:
                controller.OnApplyFailed(static_cast<int>(m.lParam));
                outcome_ = ApplyOutcome{false, static_cast<int>(m.lParam), true};
                break;
            case kMsgDeviceChange:
                presence.OnDeviceChange(static_cast<uint32_t>(m.wParam),
                                        FromUtf8(kSimulatedDevicePath));
                break;
            case kMsgReopened:
                presence.OnReopened(static_cast<uint32_t>(m.wParam), m.lParam >= 0,
                                    m.lParam >= 0 ? static_cast<uint32_t>(m.lParam) : 0);
                break;
            default:
                break;
        }
    }

    std::vector<uint8_t> ProfileOnDisk() const { return files.fs.Bytes(ProfileFilePath(0)); }
    std::vector<uint8_t> CurrentProfileBytes() const {
        const auto* p = reinterpret_cast<const uint8_t*>(&settings->currentProfile);
        return {p, p + sizeof(ProfileRecord)};
    }

    ScaledClock clock;
    QueuePoster poster;
    ScopedMemoryFileSystem files;
    ScopedMessages boxes;
    SimulatedMouse* mouse = nullptr;
    std::unique_ptr<CUSBDriver> link;
    std::unique_ptr<SettingsModel> settings = std::make_unique<SettingsModel>();
    std::unique_ptr<MacroStore> macros = std::make_unique<MacroStore>();
    HookState hooks;
    ApplyShared shared;
    RigWindow window;
    MainController controller{window, *settings, shared};
    RigPresence presenceShell{*this};
    DevicePresence presence{presenceShell, shared};
    ApplyWorkerThread worker;
    SimulatedUsbWatcher watcher;
    uintptr_t lastProgress = 0;

private:
    std::optional<ApplyOutcome> outcome_;
};

inline void RigPresence::CloseLink() {
    rig_.link->CloseDevice();
}

// The re-open runs on its own thread and reports back through the queue, as in the program; its
// pause is the program's 2500 ms, scaled.
inline void RigPresence::StartReopen(uint32_t attempt) {
    CUSBDriver* link = rig_.link.get();
    QueuePoster* poster = &rig_.poster;
    reopener.Start([link] { return link->OpenDevice(); },
                    [link] {
                        uint32_t version = 0;
                        return link->ReadFirmwareVersion(&version) ? version : 0;
                    },
                    [poster, attempt](bool opened, uint32_t version) {
                        poster->Post(kMainWindow, kMsgReopened, attempt,
                                     opened ? static_cast<intptr_t>(version) : -1);
                    },
                    kReopenPauseMs / rig_.clock.Scale());
}

}  // namespace tarn::test
