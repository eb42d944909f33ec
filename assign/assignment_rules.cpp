#include "assign/assignment_rules.h"

#include <algorithm>

#include "base/text.h"
#include "catalogue/key_names.h"
#include "macro/macro_store.h"

namespace tarn {

namespace {

// Every name and path field holds at most 259 units and always its terminator.
void CopyText(char16_t (&field)[kPathUnits], std::u16string_view text) {
    CopyToFixed(field, text);
}

std::u16string FieldText(const char16_t* field, size_t units) {
    return FromFixed(field, units);
}

bool SomeOtherButtonClicks(const ProfileRecord& profile, int button) {
    for (int i = 0; i < kButtonCount; ++i) {
        if (i != button && profile.buttons[i].functionType == static_cast<uint32_t>(FnClick)) {
            return true;
        }
    }
    return false;
}

}  // namespace

uint32_t StoredActionKind(int32_t actionKind) {
    switch (actionKind) {
        case 0:
            return kActionSound;
        case 1:
            return kActionProgram;
        case 2:
            return kActionFile;
        case 3:
            return kActionFolder;
        default:
            return 0;
    }
}

bool RewriteDefaultName(ButtonAssignment& assignment, bool chineseUi) {
    const std::u16string name = FieldText(assignment.displayName, kPathUnits);
    const std::u16string_view rewritten = TranslateDefaultName(name, chineseUi);
    if (rewritten == name) return false;
    CopyText(assignment.displayName, rewritten);
    return true;
}

FunctionCode FunctionOfResult(const AssignmentResult& result) {
    switch (result.kind) {
        case kKindCombination:
        case kKindMacro:
        case kKindSoftwareAction:
        case kKindDisabled:
            return result.kind;
        default:
            return static_cast<FunctionCode>(result.code);
    }
}

AssignOutcome ApplyAssignment(SettingsModel& settings, const MacroStore& macros, int button,
                              bool panelOk, const AssignmentResult& result, bool chineseUi) {
    if (!panelOk || button < 0 || button >= kButtonCount) return AssignOutcome::Cancelled;
    ProfileRecord& profile = settings.currentProfile;
    if (FunctionOfResult(result) != FnClick && !SomeOtherButtonClicks(profile, button)) {
        return AssignOutcome::NoLeftClick;
    }
    if (FunctionOfResult(result) == FnSnipe &&
        (button == ButtonWheelUp || button == ButtonWheelDown)) {
        return AssignOutcome::SniperOnWheel;
    }
    const MacroRecord* macro = nullptr;
    if (result.kind == kKindMacro) {
        // The panel lists only macros of the store; an id it does not hold would bind the
        // button to nothing the apply could upload, so nothing is stored.
        macro = FindMacroById(macros, result.code);
        if (!macro) return AssignOutcome::Cancelled;
    }

    ButtonAssignment& a = profile.buttons[button];
    settings.buttonMacroIds[button] = 0;
    a.functionType = static_cast<uint32_t>(result.kind);
    switch (result.kind) {
        case kKindCombination:
            a.comboCode = result.code;
            CopyText(a.displayName, ComboDisplayName(result.code));
            break;
        case kKindMacro:
            settings.buttonMacroIds[button] = result.code;
            a.macroId = result.code;
            CopyText(a.displayName, FieldText(macro->name, kMacroNameUnits));
            break;
        case kKindSoftwareAction: {
            const std::u16string path = FieldText(result.path, kPathUnits);
            a.actionCode = result.code;
            CopyText(a.actionPath, path);
            CopyText(a.displayName, path);
            a.actionKind = StoredActionKind(result.actionKind);
            break;
        }
        case kKindDisabled:
            CopyText(a.displayName, FunctionDisplayName(FnDisableKey, chineseUi));
            break;
        default:
            a.functionType = result.code;
            CopyText(a.displayName,
                     FunctionDisplayName(static_cast<FunctionCode>(result.code), chineseUi));
            break;
    }
    return AssignOutcome::Stored;
}

AssignOutcome RunAssignment(SettingsModel& settings, const MacroStore& macros, int button,
                            bool chineseUi, AssignmentPanelRunner& panel) {
    if (button < 0 || button >= kButtonCount) return AssignOutcome::Cancelled;
    ButtonAssignment& a = settings.currentProfile.buttons[button];
    RewriteDefaultName(a, chineseUi);
    AssignmentResult result;
    result.buttonIndex = button;
    const bool ok = panel.RunPanel(button, FieldText(a.displayName, kPathUnits), result);
    return ApplyAssignment(settings, macros, button, ok, result, chineseUi);
}

std::u16string_view RefusalMessage(AssignOutcome outcome, bool chineseUi) {
    switch (outcome) {
        case AssignOutcome::NoLeftClick:
            return chineseUi ? u"请保留至少一个键为\"单击\"功能!"
                             : u"At least one button must be configured as 'Left click'!";
        case AssignOutcome::SniperOnWheel:
            return chineseUi ? u"此按键不可使用狙击功能!"
                             : u"This key can not use the sniper function!";
        default:
            return {};
    }
}

}  // namespace tarn
