// The state of the global keyboard and mouse hooks and the decisions the hook procedures take.
// The procedures run on the hook thread while the user-interface thread and the apply worker
// change the state, so every field is an atomic word; a procedure acts on what it reads at that
// moment and never blocks.
#pragma once

#include <atomic>
#include <cstdint>

#include "base/message_poster.h"

namespace tarn {

inline constexpr int kInterceptEntries = 12;

// Report codes of mouse events: the button message number, plus the extra-button number in the
// high word for the extra buttons; the wheel is 0x20A shifted by 8, plus 1 for a turn away from
// the user.
inline constexpr uint32_t kReportLeftDown = 0x201;
inline constexpr uint32_t kReportRightDown = 0x204;
inline constexpr uint32_t kReportMiddleDown = 0x207;
inline constexpr uint32_t kReportBackDown = 0x1020B;
inline constexpr uint32_t kReportForwardDown = 0x2020B;
inline constexpr uint32_t kReportWheelUp = 0x20A01;
inline constexpr uint32_t kReportWheelDown = 0x20A00;
// wParam of the 0x7EB that reports a key press.
inline constexpr uintptr_t kReportKey = 1;

// Mouse message numbers the procedures tell apart (the platform's WM_* values).
inline constexpr uint32_t kMouseMove = 0x200;
inline constexpr uint32_t kLeftDown = 0x201;
inline constexpr uint32_t kRightDown = 0x204;
inline constexpr uint32_t kMiddleDown = 0x207;
inline constexpr uint32_t kWheel = 0x20A;
inline constexpr uint32_t kExtraDown = 0x20B;
inline constexpr uint32_t kExtraUp = 0x20C;

struct HookState {
    std::atomic<uint32_t> mouseInterceptList[kInterceptEntries];
    std::atomic<bool> forwardKeys;
    std::atomic<bool> forwardMouse;
    std::atomic<bool> reportKeys;
    std::atomic<bool> reportMouse;
    std::atomic<WindowId> targetWindow;
    std::atomic<WindowId> mainWindow;
    std::atomic<uint32_t> pendingButtonUp;

    HookState() { Reset(); }
    HookState(const HookState&) = delete;
    HookState& operator=(const HookState&) = delete;
    // The values the application object starts with.
    void Reset();
};

// The one hook state of the process.
HookState& Hooks();

// Sets both windows; the platform side installs the hooks as well (InstallHooks).
void SetHookWindows(HookState& state, WindowId window);
void SetForwardTarget(HookState& state, WindowId window);
// Keys off together with mouse off hands the target back to the main window.
void SetForwarding(HookState& state, bool keys, bool mouse);
void SetReporting(HookState& state, bool keys, bool mouse);
// On: into the first free entry unless already listed (nothing when the list is full).
// Off: frees the code's entry. Code 0 marks a free entry and is never listed.
void SetButtonIntercept(HookState& state, uint32_t code, bool on);
bool IsIntercepted(const HookState& state, uint32_t code);

// The same operations on the process-wide state.
inline void SetForwardTarget(WindowId window) {
    SetForwardTarget(Hooks(), window);
}
inline void SetForwarding(bool keys, bool mouse) {
    SetForwarding(Hooks(), keys, mouse);
}
inline void SetReporting(bool keys, bool mouse) {
    SetReporting(Hooks(), keys, mouse);
}
inline void SetButtonIntercept(uint32_t code, bool on) {
    SetButtonIntercept(Hooks(), code, on);
}

// What a hook procedure does with one event: at most two posted messages, and whether the event
// is swallowed instead of being passed on.
struct HookPost {
    WindowId window;
    uint32_t message;
    uintptr_t wParam;
    intptr_t lParam;
};

struct HookDecision {
    HookPost posts[2];
    int postCount = 0;
    bool swallow = false;
};

// flags are the low-level keyboard hook's flags (0x80 = released).
HookDecision DecideKeyEvent(HookState& state, uint32_t virtualKey, uint32_t flags);
// message is the mouse message, mouseData the hook's mouse data (wheel delta or extra-button
// number in the high word). Updates pendingButtonUp.
HookDecision DecideMouseEvent(HookState& state, uint32_t message, uint32_t mouseData);

// Posts the decision's messages; returns whether to swallow the event.
bool CarryOut(const HookDecision& decision, MessagePoster& poster);

}  // namespace tarn
