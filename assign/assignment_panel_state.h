// The assignment panel's rules without its window: which sub-page and tab show, when the
// keyboard capture is on, and how each of its buttons ends it. The window carries the state out
// after every command.
#pragma once

#include <array>

#include "assign/assignment_rules.h"

namespace tarn {

// Sub-pages 1..4.
inline constexpr int kPageCombination = 1;
inline constexpr int kPageMacro = 2;
inline constexpr int kPageBasic = 3;
inline constexpr int kPageActions = 4;
inline constexpr int kSubPageCount = 4;

enum class PanelEnd { None, Ok, Cancel };

// Each sub-page's part of OK: fills the result when that page is the visible one.
class SubPageFiller {
public:
    virtual ~SubPageFiller() = default;
    virtual void FillResult(int page, AssignmentResult& result) = 0;
};

class AssignmentPanelState {
public:
    explicit AssignmentPanelState(int buttonIndex);

    // n = 1..4. With the disable box checked every tab and sub-page goes and the capture stays
    // as it was; otherwise tab n and sub-page n show, and the capture is on for page 1 only.
    void ShowPage(int n);
    void ToggleDisable();  // then shows page 1 (or nothing, with the box now checked)

    // The three ways a button ends the panel; each switches the capture off.
    PanelEnd Close();
    PanelEnd Default();
    PanelEnd Ok(SubPageFiller& filler);
    // The panel ended some other way (closed by the system, its owner going away): a capture
    // left on would keep sending keys to a sub-page that no longer exists.
    void Ended() { capture_ = false; }

    bool TabChecked(int n) const { return n >= 1 && n <= kSubPageCount && tabs_[n - 1]; }
    bool PageVisible(int n) const { return n >= 1 && n <= kSubPageCount && visible_[n - 1]; }
    bool DisableChecked() const { return disabled_; }
    bool CaptureOn() const { return capture_; }
    const AssignmentResult& Result() const { return result_; }

private:
    AssignmentResult result_;
    std::array<bool, kSubPageCount> tabs_{};
    std::array<bool, kSubPageCount> visible_{};
    bool disabled_ = false;
    bool capture_ = false;
};

}  // namespace tarn
