// Choosing the current profile: at start-up from the slot table, and when the user clicks one
// of the main window's five profile buttons.
#pragma once

#include "settings/profile_record.h"

namespace tarn {

// The main window's side of a profile change, so this logic needs no window.
class ProfileView {
public:
    virtual ~ProfileView() = default;
    // Shows one of the five profile buttons selected or not.
    virtual void ShowProfileSelected(int slot, bool selected) = 0;
    // The button settings page and the lighting page redraw from currentProfile.
    virtual void ReloadPagesFromProfile() = 0;
};

// Reads the slot table, rebuilds the slots' paths and loads the active profile (slot 0 when no
// slot loads). The view may be null.
void LoadProfilesAtStart(SettingsModel& model, ProfileView* view);

// Makes the slot current and loads its file; the slot flags and the pages follow only when the
// file held a profile. An index outside 0..4 is ignored.
void SelectProfileSlot(SettingsModel& model, int slot, ProfileView* view);

}  // namespace tarn
