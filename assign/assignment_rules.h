// What the assignment panel hands back and what the button page does with it: the default-name
// rewrite before the panel opens, the two refusals, and storing the chosen function into the
// button's assignment.
#pragma once

#include <cstdint>
#include <string_view>

#include "catalogue/function_catalogue.h"
#include "macro/macro_record.h"
#include "settings/profile_record.h"

namespace tarn {

// Kinds of AssignmentResult.
inline constexpr int32_t kKindBasic = 0;  // a basic function or the default
inline constexpr int32_t kKindCombination = FnKeyCombination;
inline constexpr int32_t kKindMacro = FnMacro;
inline constexpr int32_t kKindSoftwareAction = FnSoftwareAction;
inline constexpr int32_t kKindDisabled = FnDisableKey;
// The code the disable box returns.
inline constexpr uint32_t kDisabledCode = 7;

// Action kinds 0..3 and their stored actionKind values.
inline constexpr int kActionKindCount = 4;
uint32_t StoredActionKind(int32_t actionKind);

struct AssignmentResult {
    int32_t buttonIndex = 0;
    uint32_t code = 0;
    int32_t kind = kKindBasic;
    int32_t actionKind = 0;
    char16_t path[kPathUnits] = {};
};

// Step before the panel opens: a stored default name in the other language is rewritten into
// the interface language. Returns whether the name changed (the record keeps the change even
// when the panel is then cancelled).
bool RewriteDefaultName(ButtonAssignment& assignment, bool chineseUi);

// The function the button would get: the kind for combinations, macros, actions and the
// disable box, otherwise the code.
FunctionCode FunctionOfResult(const AssignmentResult& result);

enum class AssignOutcome {
    Cancelled,      // the panel did not end with OK
    NoLeftClick,    // refused: no button would keep the left click
    SniperOnWheel,  // refused: the sniper function on a wheel direction
    Stored,
};

// Checks the rules and, when they hold, stores the result into button's assignment and the
// working macro binding. The profile is untouched by every other outcome.
AssignOutcome ApplyAssignment(SettingsModel& settings, const MacroStore& macros, int button,
                              bool panelOk, const AssignmentResult& result, bool chineseUi);

// Runs the panel modally for a button: true when it ended with OK, the result filled.
class AssignmentPanelRunner {
public:
    virtual ~AssignmentPanelRunner() = default;
    virtual bool RunPanel(int button, std::u16string_view currentName,
                          AssignmentResult& result) = 0;
};

// A click on tab i: the default-name rewrite, the panel, the rules and the store.
AssignOutcome RunAssignment(SettingsModel& settings, const MacroStore& macros, int button,
                            bool chineseUi, AssignmentPanelRunner& panel);

// The message of a refusal in the interface language; empty for the other outcomes.
std::u16string_view RefusalMessage(AssignOutcome outcome, bool chineseUi);

}  // namespace tarn
