#include "app/profile_follow_win32.h"

#include <shellapi.h>

#include <string>

#include "base/clock.h"
#include "settings/program_links.h"

namespace tarn {

namespace {

// One follower per process: the hook and timer callbacks carry no pointer of their own.
ProfileFollowWindow* g_follow = nullptr;

constexpr UINT kTrayIconId = 0;
constexpr UINT kBalloonMs = 3000;

template <size_t N>
void CopyText(wchar_t (&target)[N], std::u16string_view text) {
    const size_t n = text.size() < N - 1 ? text.size() : N - 1;
    for (size_t i = 0; i < n; ++i) target[i] = static_cast<wchar_t>(text[i]);
    target[n] = 0;
}

}  // namespace

ForegroundProgram DescribeWindow(HWND window) {
    ForegroundProgram program;
    if (!window) return program;
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    program.processId = processId;
    if (processId == 0) {
        program.kind = ForegroundProgram::Kind::Unknown;
        return program;
    }
    if (processId == GetCurrentProcessId()) {
        program.kind = ForegroundProgram::Kind::Own;
        return program;
    }
    program.kind = ForegroundProgram::Kind::Unknown;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process) return program;
    wchar_t path[1024] = {};
    DWORD size = static_cast<DWORD>(std::size(path));
    if (QueryFullProcessImageNameW(process, 0, path, &size) && size > 0) {
        program.kind = ForegroundProgram::Kind::Program;
        program.path.assign(path, path + size);
    }
    CloseHandle(process);
    return program;
}

ProfileFollowWindow::ProfileFollowWindow(HWND mainWindow, MainController& controller,
                                         ProfileView& view, std::function<void(bool)> holdInput)
    : main_(mainWindow),
      controller_(controller),
      view_(view),
      holdInput_(std::move(holdInput)),
      follower_(*this, Settings(), ApplyState(), SystemClock(), ProgramLinksPath()) {}

ProfileFollowWindow::~ProfileFollowWindow() {
    Stop();
}

bool ProfileFollowWindow::Start() {
    if (g_follow && g_follow != this) return false;
    g_follow = this;
    follower_.Start();
    hook_ = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                            &ProfileFollowWindow::OnWinEvent, 0, 0, WINEVENT_OUTOFCONTEXT);
    lastForeground_ = GetForegroundWindow();
    Report(lastForeground_);
    UpdateTimer();
    return hook_ != nullptr;
}

void ProfileFollowWindow::Stop() {
    if (hook_) UnhookWinEvent(hook_);
    hook_ = nullptr;
    if (timer_) KillTimer(nullptr, timer_);
    timer_ = 0;
    HoldInput(false);
    if (watched_) CloseHandle(watched_);
    watched_ = nullptr;
    watchedId_ = 0;
    if (g_follow == this) g_follow = nullptr;
}

void ProfileFollowWindow::LinksChanged() {
    follower_.ReloadLinks();
    UpdateTimer();
}

void CALLBACK ProfileFollowWindow::OnWinEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object,
                                              LONG, DWORD, DWORD) {
    if (!g_follow || event != EVENT_SYSTEM_FOREGROUND || object != OBJID_WINDOW) return;
    DWORD processId = 0;
    if (window) GetWindowThreadProcessId(window, &processId);
    if (processId != GetCurrentProcessId()) g_follow->hookHeard_ = true;
    g_follow->lastForeground_ = window;
    g_follow->Report(window);
    g_follow->UpdateTimer();
}

void CALLBACK ProfileFollowWindow::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (g_follow) g_follow->Tick();
}

void ProfileFollowWindow::Report(HWND foreground) {
    follower_.OnForeground(DescribeWindow(foreground));
}

void ProfileFollowWindow::Tick() {
    if (!hookHeard_) {
        HWND foreground = GetForegroundWindow();
        if (foreground != lastForeground_) {
            lastForeground_ = foreground;
            Report(foreground);
        }
    }
    follower_.Poll();
    UpdateTimer();
}

void ProfileFollowWindow::UpdateTimer() {
    const bool wanted = follower_.Busy() || !hookHeard_;
    if (wanted && !timer_) {
        timer_ = SetTimer(nullptr, 0, ProfileFollower::kPollMs, &ProfileFollowWindow::OnTimer);
    } else if (!wanted && timer_) {
        KillTimer(nullptr, timer_);
        timer_ = 0;
    }
}

bool ProfileFollowWindow::WindowInUse() {
    return IsWindowVisible(main_) && !IsIconic(main_);
}

bool ProfileFollowWindow::DialogOpen() {
    // A modal dialog of the program disables the main window while it is open.
    return !IsWindowEnabled(main_);
}

bool ProfileFollowWindow::StartBackgroundApply() {
    return controller_.RequestBackgroundApply();
}

void ProfileFollowWindow::RunUserApply(UserApply command) {
    if (command == UserApply::RestoreDefaults) {
        controller_.OnRestoreDefaults();
    } else {
        controller_.PressApply();
    }
}

void ProfileFollowWindow::HoldInput(bool hold) {
    if (hold == holding_) return;
    holding_ = hold;
    if (holdInput_) holdInput_(hold);
}

void ProfileFollowWindow::ShowSlot(int slot) {
    for (int i = 0; i < kSlotCount; ++i) view_.ShowProfileSelected(i, i == slot);
    view_.ReloadPagesFromProfile();
}

void ProfileFollowWindow::Announce(std::u16string_view title, std::u16string_view text) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = main_;
    data.uID = kTrayIconId;
    data.uFlags = NIF_INFO;
    CopyText(data.szInfoTitle, title);
    CopyText(data.szInfo, text);
    // Quiet: a game is in front.
    data.dwInfoFlags = NIIF_INFO | NIIF_NOSOUND;
    data.uTimeout = kBalloonMs;
    Shell_NotifyIconW(NIM_MODIFY, &data);
}

bool ProfileFollowWindow::ProcessRunning(uint32_t processId) {
    if (processId != watchedId_) {
        if (watched_) CloseHandle(watched_);
        watched_ = OpenProcess(SYNCHRONIZE, FALSE, processId);
        watchedId_ = processId;
        // No such process any more; one that only refuses to be watched is taken to run, and
        // the foreground tells when it goes.
        if (!watched_) return GetLastError() != ERROR_INVALID_PARAMETER;
    }
    if (!watched_) return true;
    return WaitForSingleObject(watched_, 0) == WAIT_TIMEOUT;
}

}  // namespace tarn
