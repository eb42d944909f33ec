// CDlgMainSet: the button settings page (template 103). It edits the performance settings of
// the current profile and opens the assignment panel for a button's tab; the rules live in
// button_page_rules and assignment_rules, and the page shows the state they keep.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "assign/assign_skin_win32.h"
#include "assign/assignment_rules.h"
#include "assign/button_page_rules.h"
#include "skin/bitmap_button_win32.h"
#include "skin/bitmap_edit_win32.h"
#include "skin/irr_button_win32.h"
#include "skin/page_win32.h"
#include "skin/slider_win32.h"

namespace tarn {

class CDlgMainSet : public CPage, private AssignmentPanelRunner {
    TARN_DECLARE_MESSAGES()

public:
    void Refresh() override { RefreshFromProfile(); }
    void LanguageChanged() override { SetTooltips(); }
    // Every control from the current profile.
    void RefreshFromProfile();
    // The typed wheel lines into the profile (the main window's OK runs it before applying).
    void CommitScrollLines();

protected:
    BOOL OnInitDialog() override;

private:
    LRESULT OnCommand(WPARAM, LPARAM);
    LRESULT OnSlider(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM, LPARAM);
    LRESULT OnMouseMove(WPARAM, LPARAM);
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnEraseBackground(WPARAM, LPARAM);
    LRESULT OnDestroy(WPARAM, LPARAM);

    void BuildControls();
    void MakeLinesEdit(const geo::Rect& field);
    std::u16string LinesText() const;
    void SetTooltips();
    void ShowView();
    void OpenAssignmentPanel(int button);
    bool RunPanel(int button, std::u16string_view currentName, AssignmentResult& result) override;
    void MarkerHighlight();
    void PostHints(POINT point);

    assign::SkinSet skin_;
    OwnedBitmap background_;  // resource 160 or 163: the sliders' and the edit's backgrounds
    std::array<CGDIBitmapBtn, kDpiChoiceCount> dpi_;
    CPngHSliderBar pointerSpeed_, secondSlider_;
    CGDIBitmapBtn precision_;
    std::array<CGDIBitmapBtn, kReportRateCount> rates_;
    CGDIBitmapBtn linesChoice_, stepUp_, stepDown_, screenChoice_;
    CBitmapEdit linesEdit_;
    std::array<CGDIBitmapBtn, kButtonCount> markers_;
    std::array<CGDIBitmapBtn, 6> titles_;
    std::array<CIrrButton, kButtonCount> tabs_;
    ButtonPageView view_;
    int selectedButton_ = -1;
    bool built_ = false;
};

}  // namespace tarn
