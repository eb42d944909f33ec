#include "base/hook_state.h"

#include "base/window_messages.h"

namespace tarn {

void HookState::Reset() {
    for (auto& entry : mouseInterceptList) entry.store(0);
    forwardKeys.store(true);
    forwardMouse.store(true);
    reportKeys.store(true);
    reportMouse.store(true);
    targetWindow.store(0);
    mainWindow.store(0);
    pendingButtonUp.store(0);
}

HookState& Hooks() {
    static HookState state;
    return state;
}

void SetHookWindows(HookState& state, WindowId window) {
    state.targetWindow.store(window);
    state.mainWindow.store(window);
}

void SetForwardTarget(HookState& state, WindowId window) {
    state.targetWindow.store(window);
}

void SetForwarding(HookState& state, bool keys, bool mouse) {
    state.forwardKeys.store(keys);
    state.forwardMouse.store(mouse);
    if (!keys && !mouse) state.targetWindow.store(state.mainWindow.load());
}

void SetReporting(HookState& state, bool keys, bool mouse) {
    state.reportKeys.store(keys);
    state.reportMouse.store(mouse);
}

bool IsIntercepted(const HookState& state, uint32_t code) {
    if (code == 0) return false;
    for (const auto& entry : state.mouseInterceptList) {
        if (entry.load() == code) return true;
    }
    return false;
}

void SetButtonIntercept(HookState& state, uint32_t code, bool on) {
    if (code == 0) return;
    if (!on) {
        for (auto& entry : state.mouseInterceptList) {
            uint32_t expected = code;
            entry.compare_exchange_strong(expected, 0);
        }
        return;
    }
    if (IsIntercepted(state, code)) return;
    // The apply worker and the hook thread's start may both add codes; taking a free entry
    // with a compare-exchange keeps two writers from claiming the same one.
    for (auto& entry : state.mouseInterceptList) {
        uint32_t expected = 0;
        if (entry.compare_exchange_strong(expected, code)) return;
    }
}

namespace {

void Add(HookDecision& decision, WindowId window, uint32_t message, uintptr_t wParam,
         intptr_t lParam) {
    // A post to no window would land in the hook thread's own queue.
    if (window == 0 || decision.postCount >= 2) return;
    decision.posts[decision.postCount++] = {window, message, wParam, lParam};
}

WindowId ForwardTarget(const HookState& state) {
    WindowId target = state.targetWindow.load();
    return target != 0 ? target : state.mainWindow.load();
}

// Button and key reports always go to the main window, which counts them and runs software
// actions; a page that captures keys only ever handles the forwarded 0x40A, so sending the
// reports to it would lose clicks and swallow action buttons for nothing.
WindowId ReportTarget(const HookState& state) {
    WindowId main = state.mainWindow.load();
    return main != 0 ? main : state.targetWindow.load();
}

// Report code of a press or wheel notch, or 0 for every other mouse message.
uint32_t ReportCode(uint32_t message, uint32_t mouseData) {
    switch (message) {
        case kLeftDown:
        case kRightDown:
        case kMiddleDown:
            return message;
        case kWheel:
            return static_cast<int32_t>(mouseData) >= 0 ? kReportWheelUp : kReportWheelDown;
        case kExtraDown:
            return kExtraDown + mouseData;
        default:
            return 0;
    }
}

// The release that follows a swallowed press; a wheel notch has none.
uint32_t MatchingRelease(uint32_t message) {
    if (message == kExtraDown) return kExtraUp;
    if (message == kWheel) return 0;
    return message + 1;
}

}  // namespace

HookDecision DecideKeyEvent(HookState& state, uint32_t virtualKey, uint32_t flags) {
    HookDecision decision;
    // Presses carry at most the extended, injected and Alt bits; a release carries 0x80.
    if (flags <= 0x21 && state.reportKeys.load()) {
        Add(decision, ReportTarget(state), kMsgHookReport, kReportKey, flags);
    }
    if (state.forwardKeys.load()) {
        Add(decision, ForwardTarget(state), kMsgHookKey, virtualKey, flags);
    }
    return decision;
}

HookDecision DecideMouseEvent(HookState& state, uint32_t message, uint32_t mouseData) {
    HookDecision decision;
    const uint32_t code = ReportCode(message, mouseData);
    if (code != 0) {
        if (IsIntercepted(state, code)) {
            Add(decision, ReportTarget(state), kMsgHookReport, code, 0);
            const uint32_t release = MatchingRelease(message);
            if (release != 0) state.pendingButtonUp.store(release);
            decision.swallow = true;
            return decision;
        }
        if (state.reportMouse.load()) Add(decision, ReportTarget(state), kMsgHookReport, code, 0);
    }
    if (message == state.pendingButtonUp.load()) {
        state.pendingButtonUp.store(0);
        decision.swallow = true;
        return decision;
    }
    if (state.forwardMouse.load() && message != kMouseMove) {
        const uint32_t forwarded = code != 0 ? code : message + mouseData;
        Add(decision, ForwardTarget(state), kMsgHookKey, forwarded, 0);
    }
    return decision;
}

bool CarryOut(const HookDecision& decision, MessagePoster& poster) {
    for (int i = 0; i < decision.postCount; ++i) {
        const HookPost& post = decision.posts[i];
        poster.Post(post.window, post.message, post.wParam, post.lParam);
    }
    return decision.swallow;
}

}  // namespace tarn
