// Installing the global low-level keyboard and mouse hooks and the thread that carries them.
// The decisions the hook procedures take live in hook_state.h.
#pragma once

#include "base/hook_state.h"
#include "settings/profile_record.h"

namespace tarn {

// Targets both windows at window and installs the two hooks on the calling thread, which must
// pump messages. True when both were installed; a half-done install is undone.
bool InstallHooks(WindowId window);
void RemoveHooks();

// Reporting as the hook thread starts it (keys off, mouse on) and the swallow list for the
// buttons of the profile that carry a software action of a known kind.
void StartHookReporting(HookState& state, const ProfileRecord& profile);

// The hook thread's body: installs the hooks for mainWindow, sets up reporting from the current
// profile and pumps messages until StopHookThread.
void HookThread(WindowId mainWindow);
// Runs HookThread on a thread of its own and returns once the hooks are set up: true when both
// were installed. A thread that is already running is not started twice (false).
bool StartHookThread(WindowId mainWindow);
// Ends the hook thread's message loop and waits for it.
void StopHookThread();
// After a re-plug: the hook thread installs the hooks again for window, or removes them, so
// the hooks stay on the thread that does nothing else. False when no hook thread runs.
bool ReinstallHooksOnHookThread(WindowId window);
bool RemoveHooksOnHookThread();

}  // namespace tarn
