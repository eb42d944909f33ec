// Profiles that follow the program in front: when a linked program comes to the foreground its
// slot becomes current and goes to the mouse in the background; when an unlinked one does, the
// slot the user chose last comes back. The rules live here, without a window: the window side
// only reports foreground changes and carries out what this asks of it.
//
// What the rules promise:
// - a foreground must stay for kSettleMs before it counts, so alt-tabbing applies nothing;
// - one apply at a time: a switch waits while any apply runs, and the user's apply (OK, restore
//   defaults) asked for during an automatic one runs right after it;
// - the user's choice is never overridden: the stored active slot is not touched, an automatic
//   apply saves nothing, and unsaved edits wait (window in use) or are set aside and put back
//   when their slot returns (window hidden);
// - the program's own windows in front keep the profile shown, so a game's profile can be
//   edited while the game runs; the followed program ending brings the user's slot back.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "base/clock.h"
#include "device/apply_worker.h"
#include "settings/profile_record.h"
#include "settings/program_links.h"

namespace tarn {

struct ForegroundProgram {
    enum class Kind {
        Program,  // another program's window: its image path and process
        Own,      // a window of this program
        Nothing,  // no window in front
        Unknown,  // a window whose program could not be told
    };
    Kind kind = Kind::Nothing;
    std::u16string path;
    uint32_t processId = 0;
};

// The user's commands that apply the profile.
enum class UserApply { Apply, RestoreDefaults };

// What the rules ask of the main window and the platform.
class FollowerHost {
public:
    virtual ~FollowerHost() = default;
    // The main window is shown and not minimised.
    virtual bool WindowInUse() = 0;
    // A dialog of the program (assignment panel, file dialog, information box, ...) is open
    // over the main window.
    virtual bool DialogOpen() = 0;
    // An apply without the progress window; false when it could not start.
    virtual bool StartBackgroundApply() = 0;
    // The user's command that waited for an automatic apply: OK or restore defaults, carried
    // out as if it came now.
    virtual void RunUserApply(UserApply command) = 0;
    // While an automatic apply reads currentProfile nothing may change it: the pages, the
    // tabs and the profile buttons take no input, as the modal progress window ensures for
    // the user's applies.
    virtual void HoldInput(bool hold) = 0;
    // The profile buttons show this slot selected and the pages redraw from currentProfile.
    virtual void ShowSlot(int slot) = 0;
    // A short tray balloon.
    virtual void Announce(std::u16string_view title, std::u16string_view text) = 0;
    virtual bool ProcessRunning(uint32_t processId) = 0;
};

class ProfileFollower {
public:
    static constexpr uint32_t kSettleMs = 1000;
    // How often the window side should call Poll while Busy().
    static constexpr uint32_t kPollMs = 250;

    ProfileFollower(FollowerHost& host, SettingsModel& settings, ApplyShared& apply, Clock& clock,
                    std::u16string linksPath);
    ~ProfileFollower();
    ProfileFollower(const ProfileFollower&) = delete;
    ProfileFollower& operator=(const ProfileFollower&) = delete;

    // Takes the current slot as the user's choice and reads the links.
    void Start();
    void OnForeground(const ForegroundProgram& program);
    // Acts on a foreground that has settled, once nothing stands in the way.
    void Poll();
    // Whether Poll still has something to wait for or watch.
    bool Busy() const;

    // An apply of the current slot that the program starts itself (a start into the tray),
    // guarded as a switch's: input held, nothing saved, the user's OK waiting for it. False
    // when an apply already runs or none can start.
    bool ApplyCurrentInBackground();
    // The apply in progress is one this started.
    bool AutomaticApplyRunning() const { return automaticRunning_; }
    // The user's command came while an automatic apply runs: it runs right after it (restore
    // defaults outweighs OK). Returns false, and keeps nothing, when no automatic apply runs.
    bool DeferUserApply(UserApply command);
    // 0x703 (succeeded) or 0x704, after the main window has handled it.
    void OnApplyFinished(bool succeeded, int failureCode);
    // The user picked a profile button; the current slot is the user's choice now.
    void OnUserSelectedSlot();
    // The links file changed (the dialog saved it).
    void ReloadLinks();

    int UserSlot() const { return userSlot_; }
    const ProgramLinks& Links() const { return links_; }

private:
    struct SetAside;
    struct Target {
        int slot;
        bool linked;
    };

    Target TargetFor(const ForegroundProgram& program) const;
    bool HasUnsavedEdits() const;
    void SwitchTo(const Target& target, bool setAsideEdits);
    void PutBackEdits(int slot);
    void LoadLinks();

    FollowerHost& host_;
    SettingsModel& settings_;
    ApplyShared& apply_;
    Clock& clock_;
    std::u16string linksPath_;
    ProgramLinks links_;
    bool damageReported_ = false;

    int userSlot_ = 0;
    bool pending_ = false;
    ForegroundProgram pendingProgram_;
    uint32_t changedAt_ = 0;
    // The program whose slot is shown; its end brings the user's slot back.
    uint32_t followedProcess_ = 0;
    bool automaticRunning_ = false;
    bool userApplyWaiting_ = false;
    UserApply waitingCommand_ = UserApply::Apply;
    std::array<std::unique_ptr<SetAside>, kSlotCount> setAside_;
    std::array<bool, kSlotCount> unreadableReported_{};
};

}  // namespace tarn
