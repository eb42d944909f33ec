#include "assign/assignment_panel_state.h"

#include "catalogue/function_catalogue.h"

namespace tarn {

AssignmentPanelState::AssignmentPanelState(int buttonIndex) {
    result_.buttonIndex = buttonIndex;
}

void AssignmentPanelState::ShowPage(int n) {
    if (disabled_) {
        tabs_.fill(false);
        visible_.fill(false);
        return;
    }
    if (n < 1 || n > kSubPageCount) return;
    for (int k = 1; k <= kSubPageCount; ++k) {
        tabs_[k - 1] = k == n;
        visible_[k - 1] = k == n;
    }
    capture_ = n == kPageCombination;
}

void AssignmentPanelState::ToggleDisable() {
    disabled_ = !disabled_;
    ShowPage(kPageCombination);
}

PanelEnd AssignmentPanelState::Close() {
    capture_ = false;
    return PanelEnd::Cancel;
}

PanelEnd AssignmentPanelState::Default() {
    const int b = result_.buttonIndex;
    result_.code = b >= 0 && b < kButtonCount ? static_cast<uint32_t>(DefaultFunctionCodes[b]) : 0;
    capture_ = false;
    return result_.code != 0 ? PanelEnd::Ok : PanelEnd::Cancel;
}

PanelEnd AssignmentPanelState::Ok(SubPageFiller& filler) {
    if (disabled_) {
        result_.code = kDisabledCode;
        result_.kind = kKindDisabled;
    } else {
        for (int n = 1; n <= kSubPageCount; ++n) {
            if (!visible_[n - 1]) continue;
            filler.FillResult(n, result_);
            break;
        }
    }
    capture_ = false;
    return result_.code != 0 ? PanelEnd::Ok : PanelEnd::Cancel;
}

}  // namespace tarn
