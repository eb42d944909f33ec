// Applying the current profile to the mouse: the key matrix with the macros of macro buttons,
// lighting, resolution, report rate and the system's pointer options, in the mouse's fixed order
// and with its pauses, on a worker thread that reports progress and the outcome by posted
// messages.
#pragma once

#include <atomic>
#include <cstdint>
#include <string_view>
#include <thread>

#include "base/hook_state.h"
#include "base/manual_reset_event.h"
#include "base/message_poster.h"
#include "macro/macro_record.h"
#include "settings/profile_record.h"

namespace tarn {

class CUSBDriver;

// What the user-interface thread and the worker share.
struct ApplyShared {
    // Set to request one apply; the worker resets it when it starts applying.
    ManualResetEvent applyEvent;
    // 0 asks the worker to end.
    std::atomic<int> applyRunning{1};
    // 0 from the request until the main window has handled 0x703 or 0x704.
    std::atomic<int> applyIdle{1};
    // 2 once an apply started (an expected disconnection follows), 1 after an update check
    // started, 0 otherwise.
    std::atomic<int> linkPhase{0};
    // The progress window, stored by that window while it exists; progress goes to whatever
    // is stored when it is posted.
    std::atomic<WindowId> progressWindow{0};
};

// The one shared state of the process.
ApplyShared& ApplyState();

// The failure codes carried by 0x704.
enum ApplyFailure : int {
    ApplyFailKeyMatrix = 0,
    ApplyFailLedColor = 1,
    ApplyFailLedEffect = 2,
    ApplyFailDpiTable = 5,
};
inline constexpr int kApplySucceeded = -1;

// The text the main window shows for a failure code; empty for a code the worker never sends.
std::u16string_view ApplyFailureText(int code);

// Everything one apply reads and drives; the defaults are the process-wide objects.
struct ApplyContext {
    CUSBDriver* link = nullptr;
    WindowId mainWindow = 0;
    SettingsModel* settings = nullptr;
    const MacroStore* macros = nullptr;
    HookState* hooks = nullptr;
    ApplyShared* shared = nullptr;
};
// A context over the process-wide settings, macro store, hook state and shared state.
ApplyContext DefaultApplyContext(CUSBDriver& link, WindowId mainWindow);

// The user-interface thread's request: false (nothing happens) while an apply is in progress;
// otherwise marks the apply as in progress, wakes the worker, and the caller shows the progress
// window modally.
bool RequestApply(ApplyShared& shared);
inline bool RequestApply() {
    return RequestApply(ApplyState());
}

// One apply, from building the key matrix to the final message (steps 4 to 15): posts progress
// and 0x703, or 0x704 with the failure code. Returns kApplySucceeded or the failure code.
int RunApply(const ApplyContext& context);

// The worker's body: waits for requests and applies until applyRunning is 0.
void ApplyWorker(const ApplyContext& context);

// The worker on a thread of its own.
class ApplyWorkerThread {
public:
    ApplyWorkerThread() = default;
    ~ApplyWorkerThread() { Stop(); }
    ApplyWorkerThread(const ApplyWorkerThread&) = delete;
    ApplyWorkerThread& operator=(const ApplyWorkerThread&) = delete;

    bool Start(const ApplyContext& context);
    // Clears applyRunning, wakes the worker and waits for it to end (an apply under way
    // finishes first).
    void Stop();
    bool Running() const { return thread_.joinable(); }

private:
    std::thread thread_;
    ApplyShared* shared_ = nullptr;
};

}  // namespace tarn
