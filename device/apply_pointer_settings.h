// Setting the system's pointer and wheel options from a profile, as each apply does.
#pragma once

#include "base/pointer_settings.h"
#include "settings/profile_record.h"

namespace tarn {

// Pointer precision (thresholds 6 and 10, acceleration 1, or all 0), pointer speed and wheel
// lines from the profile, each followed by its notification to mainWindow. Failures are ignored;
// values the system cannot hold (a speed outside 1..20, wheel lines below -1) are left alone.
void ApplyPointerSettings(const ProfileRecord& profile, WindowId mainWindow,
                          PointerSettings& settings);
inline void ApplyPointerSettings(const ProfileRecord& profile, WindowId mainWindow) {
    ApplyPointerSettings(profile, mainWindow, CurrentPointerSettings());
}

}  // namespace tarn
