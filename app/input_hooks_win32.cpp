// The low-level hooks themselves: the procedures only ask the portable decisions what to post
// and whether to swallow, so they never block the system's input queue.
#include <windows.h>

#include <atomic>
#include <future>
#include <thread>

#include "app/input_hooks.h"
#include "base/message_poster.h"

namespace tarn {

namespace {

std::atomic<HHOOK> g_keyboardHook{nullptr};
std::atomic<HHOOK> g_mouseHook{nullptr};
std::atomic<DWORD> g_installingThread{0};

std::thread g_hookThread;
std::atomic<DWORD> g_hookThreadId{0};

LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        // Keys are never swallowed, whatever the decision says.
        CarryOut(DecideKeyEvent(Hooks(), event->vkCode, event->flags), Poster());
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK MouseProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto* event = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
        const HookDecision decision =
            DecideMouseEvent(Hooks(), static_cast<uint32_t>(wParam), event->mouseData);
        if (CarryOut(decision, Poster())) return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void Unhook(std::atomic<HHOOK>& hook) {
    HHOOK old = hook.exchange(nullptr);
    if (old) UnhookWindowsHookEx(old);
}

}  // namespace

bool InstallHooks(WindowId window) {
    // Installing again (after a re-plug) replaces the old pair rather than doubling every post.
    RemoveHooks();
    SetHookWindows(Hooks(), window);
    HINSTANCE module = GetModuleHandleW(nullptr);
    HHOOK keyboard = SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardProc, module, 0);
    HHOOK mouse = SetWindowsHookExW(WH_MOUSE_LL, MouseProc, module, 0);
    if (!keyboard || !mouse) {
        if (keyboard) UnhookWindowsHookEx(keyboard);
        if (mouse) UnhookWindowsHookEx(mouse);
        return false;
    }
    g_keyboardHook.store(keyboard);
    g_mouseHook.store(mouse);
    g_installingThread.store(GetCurrentThreadId());
    return true;
}

void RemoveHooks() {
    Unhook(g_keyboardHook);
    Unhook(g_mouseHook);
    g_installingThread.store(0);
}

namespace {

// Installs the hooks and sets up reporting (HookThread steps 1 to 3).
bool SetUpHooks(WindowId mainWindow) {
    const bool installed = InstallHooks(mainWindow);
    StartHookReporting(Hooks(), Settings().currentProfile);
    return installed;
}

// Thread messages to the hook thread: install the hooks again (lParam: the window), remove them.
constexpr UINT kMsgInstallHooks = WM_APP + 0x334;
constexpr UINT kMsgRemoveHooks = WM_APP + 0x335;

// Keeps the hook procedures running until the quit message.
void PumpHookMessages() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.hwnd == nullptr && msg.message == kMsgInstallHooks) {
            InstallHooks(static_cast<WindowId>(msg.lParam));
            continue;
        }
        if (msg.hwnd == nullptr && msg.message == kMsgRemoveHooks) {
            RemoveHooks();
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    // Hooks that a re-plug installed on the user-interface thread are not ours to remove.
    if (g_installingThread.load() == GetCurrentThreadId()) RemoveHooks();
}

}  // namespace

void HookThread(WindowId mainWindow) {
    SetUpHooks(mainWindow);
    PumpHookMessages();
}

bool StartHookThread(WindowId mainWindow) {
    if (g_hookThread.joinable()) return false;
    std::promise<bool> ready;
    std::future<bool> installed = ready.get_future();
    g_hookThread = std::thread([mainWindow, &ready] {
        // The message queue must exist before anyone may post the quit message to it.
        MSG msg;
        PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
        g_hookThreadId.store(GetCurrentThreadId());
        ready.set_value(SetUpHooks(mainWindow));
        PumpHookMessages();
    });
    // Returning only once the hooks are in place lets the caller change the reporting after
    // the thread's own set-up, not before it.
    return installed.get();
}

bool ReinstallHooksOnHookThread(WindowId window) {
    const DWORD thread = g_hookThreadId.load();
    return thread != 0 &&
           PostThreadMessageW(thread, kMsgInstallHooks, 0, static_cast<LPARAM>(window)) != FALSE;
}

bool RemoveHooksOnHookThread() {
    const DWORD thread = g_hookThreadId.load();
    return thread != 0 && PostThreadMessageW(thread, kMsgRemoveHooks, 0, 0) != FALSE;
}

void StopHookThread() {
    if (!g_hookThread.joinable()) return;
    PostThreadMessageW(g_hookThreadId.load(), WM_QUIT, 0, 0);
    g_hookThread.join();
    g_hookThreadId.store(0);
}

}  // namespace tarn
