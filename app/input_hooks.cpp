#include "app/input_hooks.h"

#include "catalogue/function_catalogue.h"

namespace tarn {

void StartHookReporting(HookState& state, const ProfileRecord& profile) {
    SetReporting(state, false, true);
    for (int button = 0; button < kButtonCount; ++button) {
        const ButtonAssignment& assignment = profile.buttons[button];
        if (assignment.functionType != kFunctionSoftware) continue;
        const uint32_t kind = assignment.actionKind;
        if (kind == kActionSound || kind == kActionProgram || kind == kActionFile ||
            kind == kActionFolder) {
            SetButtonIntercept(state, ButtonReportCodes[button], true);
        }
    }
}

}  // namespace tarn
