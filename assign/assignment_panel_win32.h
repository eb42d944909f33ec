// CSettingDlg: the modal panel (template 108) in which one button gets its new function. Its
// rules live in AssignmentPanelState; the window shows the state after every command and
// carries out the keyboard capture it asks for.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "assign/assign_skin_win32.h"
#include "assign/assignment_panel_state.h"
#include "assign/sub_pages_win32.h"
#include "base/window_win32.h"
#include "skin/bitmap_button_win32.h"

namespace tarn {

inline constexpr int kPanelTemplate = 108;

class CSettingDlg : public win::Dialog, private SubPageFiller {
    TARN_DECLARE_MESSAGES()

public:
    CSettingDlg(int buttonIndex, std::u16string currentName);
    ~CSettingDlg() override;
    // Runs modally over the button page; true when it ended with OK.
    bool Run(HWND page);
    const AssignmentResult& Result() const { return state_.Result(); }

protected:
    BOOL OnInitDialog() override;

private:
    LRESULT OnCommand(WPARAM, LPARAM);
    LRESULT OnLButtonDown(WPARAM, LPARAM);
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnEraseBackground(WPARAM, LPARAM);
    LRESULT OnClose(WPARAM, LPARAM);
    LRESULT OnDestroy(WPARAM, LPARAM);
    void FillResult(int page, AssignmentResult& result) override;

    void CentreOnParent(HWND parent);
    void Show();
    void Finish(PanelEnd end);
    void SyncCapture();
    CSubPage* SubPage(int n);

    static LRESULT CALLBACK KeyFilter(int code, WPARAM wParam, LPARAM lParam);

    AssignmentPanelState state_;
    std::u16string currentName_;
    assign::SkinSet skin_;
    CGDIBitmapBtn close_, disable_, default_, ok_;
    std::array<CGDIBitmapBtn, kSubPageCount> tabs_;
    CSetting_SingleComboDlg combo_;
    CSetting_MacroDlg macro_;
    CSetting_BaseDlg basic_;
    CSetting_AdvanceDlg actions_;
    HWND page_ = nullptr;
    bool captureApplied_ = false;
    HHOOK keyFilter_ = nullptr;
};

}  // namespace tarn
