// The platform side of profiles that follow the program in front: it hears the foreground
// change (an out-of-context EVENT_SYSTEM_FOREGROUND hook on the interface thread), tells which
// program it belongs to, and carries out what ProfileFollower decides: background applies,
// the profile buttons, the tray balloon.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string_view>

#include "app/main_controller.h"
#include "app/profile_follower.h"

namespace tarn {

// The tray menu's item for the links; English in every language, as "Config" and "Exit" are.
inline constexpr std::u16string_view kProgramsCaption = u"Programs\u2026";
inline constexpr int kProgramsIcon = 1013;

// Which program a window belongs to (Nothing for no window).
ForegroundProgram DescribeWindow(HWND window);

class ProfileFollowWindow final : private FollowerHost {
public:
    // holdInput switches the main window's profile controls off and on again.
    ProfileFollowWindow(HWND mainWindow, MainController& controller, ProfileView& view,
                        std::function<void(bool)> holdInput);
    ~ProfileFollowWindow() override;
    ProfileFollowWindow(const ProfileFollowWindow&) = delete;
    ProfileFollowWindow& operator=(const ProfileFollowWindow&) = delete;

    // Hooks the foreground and starts following; false when the hook could not be set.
    bool Start();
    void Stop();
    ProfileFollower& Follower() { return follower_; }
    // The dialog saved the links.
    void LinksChanged();

private:
    static void CALLBACK OnWinEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                                    LONG child, DWORD thread, DWORD time);
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void Report(HWND foreground);
    void Tick();
    void UpdateTimer();

    // FollowerHost.
    bool WindowInUse() override;
    bool DialogOpen() override;
    bool StartBackgroundApply() override;
    void RunUserApply(UserApply command) override;
    void HoldInput(bool hold) override;
    void ShowSlot(int slot) override;
    void Announce(std::u16string_view title, std::u16string_view text) override;
    bool ProcessRunning(uint32_t processId) override;

    HWND main_;
    MainController& controller_;
    ProfileView& view_;
    std::function<void(bool)> holdInput_;
    ProfileFollower follower_;
    HWINEVENTHOOK hook_ = nullptr;
    UINT_PTR timer_ = 0;
    // Until the hook has told of another program's window, the foreground is also watched on
    // the timer: some systems (Wine among them) never send the event across processes.
    bool hookHeard_ = false;
    HWND lastForeground_ = nullptr;
    bool holding_ = false;
    // The followed process, held open so that a reused process id cannot pass for it.
    HANDLE watched_ = nullptr;
    uint32_t watchedId_ = 0;
};

}  // namespace tarn
