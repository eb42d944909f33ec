// Software actions: what the PC itself does when a button that carries one is pressed (play a
// sound, open a program, a file or a folder). The choice is portable; carrying it out is the
// platform's (software_action_win32.cpp).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "settings/profile_record.h"

namespace tarn {

struct SoftwareAction {
    enum class Kind { Sound, Open } kind;
    // The file argument for the sound player or the shell, already quoted where needed.
    std::u16string path;
};

// The button a hook report code stands for, or -1 (keys and unknown codes).
int ButtonOfReportCode(uint32_t code);

// The action of one assignment, or none: not a software action, an unknown kind or an empty
// path. Files and folders whose path holds a space go to the shell in double quotes.
std::optional<SoftwareAction> ActionOfAssignment(const ButtonAssignment& button);

// The action the main window runs for a hook report code under the given profile.
std::optional<SoftwareAction> ActionForReport(const ProfileRecord& profile, uint32_t code);

// Part of the main window's 0x7EB handling: runs the action of the reported button of the
// current profile, if it has one.
void RunSoftwareAction(uint32_t code);

}  // namespace tarn
