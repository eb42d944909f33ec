// What keymatrix and apply read: the profile, and for macro buttons the macro store and the
// bindings of one slot of a slot table.
#pragma once

#include <memory>
#include <optional>

#include "macro/macro_record.h"
#include "settings/profile_record.h"
#include "tools/tarnctl/commands.h"

namespace tarnctl {

struct ApplyInputs {
    // currentProfile is the profile; buttonMacroIds the chosen slot's bindings (all 0 without
    // --slots). The slot table is kept as read.
    std::unique_ptr<tarn::SettingsModel> model;
    std::unique_ptr<tarn::MacroStore> store;  // null without --macros
};

// Reads PROFILE, --macros, --slots and --slot. On failure returns the exit status (after the
// message); none when everything was read.
std::optional<int> ReadApplyInputs(const Command& command, const ParsedArgs& args,
                                   ApplyInputs& inputs);

}  // namespace tarnctl
