#include "app/profile_follower.h"

#include <cstring>

#include "app/program_links_texts.h"
#include "settings/profile_files.h"

namespace tarn {

// Edits of a slot that a switch took off the pages while the window was hidden.
struct ProfileFollower::SetAside {
    ProfileRecord profile;
    uint32_t buttonMacroIds[kButtonCount];
};

ProfileFollower::ProfileFollower(FollowerHost& host, SettingsModel& settings, ApplyShared& apply,
                                 Clock& clock, std::u16string linksPath)
    : host_(host),
      settings_(settings),
      apply_(apply),
      clock_(clock),
      linksPath_(std::move(linksPath)) {}

ProfileFollower::~ProfileFollower() = default;

void ProfileFollower::Start() {
    userSlot_ = settings_.currentSlot;
    LoadLinks();
}

void ProfileFollower::ReloadLinks() {
    LoadLinks();
}

// The file is read again before every decision, so a link that tarnctl or the dialog changed
// counts at once. A file that does not load means no links; it is told once, not at every
// change of the foreground.
void ProfileFollower::LoadLinks() {
    const LinksLoad load = ReadProgramLinks(linksPath_);
    links_ = load.links;
    const bool problem = load.status == LinksStatus::Damaged ||
                         load.status == LinksStatus::Unreadable;
    if (problem && !damageReported_) host_.Announce(LinksTitle(), LinksProblemText(load, linksPath_));
    damageReported_ = problem;
}

void ProfileFollower::OnForeground(const ForegroundProgram& program) {
    switch (program.kind) {
        case ForegroundProgram::Kind::Unknown:
            return;
        case ForegroundProgram::Kind::Own:
            // The user is looking at this program: what it shows stays.
            pending_ = false;
            return;
        case ForegroundProgram::Kind::Program:
        case ForegroundProgram::Kind::Nothing:
            pendingProgram_ = program;
            changedAt_ = clock_.TickCount();
            pending_ = true;
            return;
    }
}

bool ProfileFollower::Busy() const {
    return pending_ || followedProcess_ != 0 || automaticRunning_ || userApplyWaiting_;
}

ProfileFollower::Target ProfileFollower::TargetFor(const ForegroundProgram& program) const {
    if (program.kind == ForegroundProgram::Kind::Program) {
        const int linked = links_.SlotFor(program.path);
        if (linked >= 0) return {linked, true};
    }
    return {userSlot_, false};
}

// Unsaved means: what the pages hold differs from what the slot's file and the slot table hold.
// A file that cannot be read cannot prove the edits saved.
bool ProfileFollower::HasUnsavedEdits() const {
    const int slot = settings_.currentSlot;
    if (slot < 0 || slot >= kSlotCount) return false;
    auto saved = std::make_unique<ProfileRecord>();
    if (ReadSettingsFile(SlotFilePath(settings_, slot), saved.get(), sizeof *saved) !=
        FileError::None) {
        return true;
    }
    if (std::memcmp(saved.get(), &settings_.currentProfile, sizeof *saved) != 0) return true;
    return std::memcmp(settings_.buttonMacroIds, settings_.slotTable.slots[slot].buttonMacroIds,
                       sizeof settings_.buttonMacroIds) != 0;
}

void ProfileFollower::Poll() {
    if (followedProcess_ != 0 && !pending_ && !host_.ProcessRunning(followedProcess_)) {
        // The followed program ended without the foreground telling (or the foreground went to
        // this program's window): the user's slot comes back.
        pendingProgram_ = ForegroundProgram{};
        changedAt_ = clock_.TickCount();
        pending_ = true;
    }
    if (!pending_) return;
    if (clock_.TickCount() - changedAt_ < kSettleMs) return;
    // One apply at a time, and the user's own apply first.
    if (apply_.applyIdle != 1 || userApplyWaiting_ || automaticRunning_) return;
    LoadLinks();
    const Target target = TargetFor(pendingProgram_);
    if (target.slot == settings_.currentSlot) {
        pending_ = false;
        followedProcess_ = target.linked ? pendingProgram_.processId : 0;
        return;
    }
    // A page being edited wins: the switch waits until the edits are applied or the window is
    // hidden. Open dialogs of the program are edits in progress too.
    if (host_.DialogOpen()) return;
    const bool edits = HasUnsavedEdits();
    if (edits && host_.WindowInUse()) return;
    pending_ = false;
    SwitchTo(target, edits);
}

void ProfileFollower::SwitchTo(const Target& target, bool setAsideEdits) {
    // The slot's saved profile is what goes to the mouse; a file that is not a profile leaves
    // everything as it is (nothing is written, no default replaces it in the background).
    auto next = std::make_unique<ProfileRecord>();
    const std::u16string path = SlotFilePath(settings_, target.slot);
    if (ReadSettingsFile(path, next.get(), sizeof *next) != FileError::None ||
        next->magic != ProfileMagic) {
        if (!unreadableReported_[target.slot]) {
            host_.Announce(ProfileName(target.slot), ProfileUnreadableText(path));
        }
        unreadableReported_[target.slot] = true;
        return;
    }
    unreadableReported_[target.slot] = false;
    const int from = settings_.currentSlot;
    if (setAsideEdits && from >= 0 && from < kSlotCount) {
        auto kept = std::make_unique<SetAside>();
        std::memcpy(&kept->profile, &settings_.currentProfile, sizeof kept->profile);
        std::memcpy(kept->buttonMacroIds, settings_.buttonMacroIds, sizeof kept->buttonMacroIds);
        setAside_[from] = std::move(kept);
    }
    // The slot becomes current for the pages and the next save, but the slot table's active
    // flags stay the user's: nothing of the switch reaches ConfigInfo.cfg.
    std::memcpy(&settings_.currentProfile, next.get(), sizeof *next);
    settings_.currentSlot = target.slot;
    LoadButtonMacroIds(settings_);
    followedProcess_ = target.linked ? pendingProgram_.processId : 0;
    host_.ShowSlot(target.slot);
    host_.Announce(ProfileName(target.slot), target.linked
                                                 ? ProgramInFrontText(ProgramFileName(pendingProgram_.path))
                                                 : std::u16string(BackToChosenText()));
    if (host_.StartBackgroundApply()) {
        automaticRunning_ = true;
        host_.HoldInput(true);
    } else {
        PutBackEdits(target.slot);
    }
}

// Edits set aside for the slot come back to the pages once its saved profile is on the mouse,
// as they were before the switch: still unsaved, applied when the user presses OK.
void ProfileFollower::PutBackEdits(int slot) {
    if (slot < 0 || slot >= kSlotCount || !setAside_[slot]) return;
    std::memcpy(&settings_.currentProfile, &setAside_[slot]->profile,
                sizeof settings_.currentProfile);
    std::memcpy(settings_.buttonMacroIds, setAside_[slot]->buttonMacroIds,
                sizeof settings_.buttonMacroIds);
    setAside_[slot].reset();
    host_.ShowSlot(slot);
}

bool ProfileFollower::ApplyCurrentInBackground() {
    if (automaticRunning_ || apply_.applyIdle != 1 || !host_.StartBackgroundApply()) return false;
    automaticRunning_ = true;
    host_.HoldInput(true);
    return true;
}

bool ProfileFollower::DeferUserApply(UserApply command) {
    if (!automaticRunning_) return false;
    if (!userApplyWaiting_ || command == UserApply::RestoreDefaults) waitingCommand_ = command;
    userApplyWaiting_ = true;
    return true;
}

void ProfileFollower::OnApplyFinished(bool succeeded, int failureCode) {
    if (automaticRunning_) {
        automaticRunning_ = false;
        host_.HoldInput(false);
        if (!succeeded) {
            std::u16string text(ApplyFailureText(failureCode));
            while (!text.empty() && (text.back() == u'\n' || text.back() == u'\r')) text.pop_back();
            host_.Announce(ProfileName(settings_.currentSlot), text);
        }
        PutBackEdits(settings_.currentSlot);
    }
    if (userApplyWaiting_) {
        userApplyWaiting_ = false;
        host_.RunUserApply(waitingCommand_);
    }
}

void ProfileFollower::OnUserSelectedSlot() {
    userSlot_ = settings_.currentSlot;
    pending_ = false;
    followedProcess_ = 0;
    PutBackEdits(userSlot_);
}

}  // namespace tarn
