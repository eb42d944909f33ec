// The assignment panel's four sub-pages: child dialogs on templates 109..112 placed by the
// panel, each filling the panel's result on OK while it is the visible one.
#pragma once

#include <windows.h>

#include <array>

#include "assign/assign_skin_win32.h"
#include "assign/assignment_rules.h"
#include "assign/sub_page_rules.h"
#include "base/window_win32.h"
#include "skin/bitmap_button_win32.h"
#include "skin/list_box_win32.h"

namespace tarn {

class CSubPage : public win::Dialog {
    TARN_DECLARE_MESSAGES()

public:
    // Made hidden at its rectangle in the panel; buttonIndex is the button being assigned.
    bool CreateSubPage(HWND panel, int templateId, const geo::Rect& at, int buttonIndex);
    virtual void FillResult(AssignmentResult& result) = 0;

protected:
    LRESULT OnEraseBackground(WPARAM, LPARAM);
    int buttonIndex_ = 0;
};

// Key combination (template 109): four modifier boxes and the last key the hook caught.
class CSetting_SingleComboDlg : public CSubPage {
    TARN_DECLARE_MESSAGES()

public:
    void FillResult(AssignmentResult& result) override { capture_.Fill(result); }
    const ComboCapture& Capture() const { return capture_; }

protected:
    BOOL OnInitDialog() override;

private:
    LRESULT OnHookKey(WPARAM, LPARAM);
    LRESULT OnCommand(WPARAM, LPARAM);
    LRESULT OnPaint(WPARAM, LPARAM);
    void ShowBoxes();

    assign::SkinSet skin_;
    std::array<CGDIBitmapBtn, kComboBoxCount> boxes_;
    ComboCapture capture_;
};

// Basic functions (template 111): the 24 fixed functions.
class CSetting_BaseDlg : public CSubPage {
    TARN_DECLARE_MESSAGES()

public:
    void FillResult(AssignmentResult& result) override { FillBasic(list_.Selection(), result); }

protected:
    BOOL OnInitDialog() override;

private:
    LRESULT OnPaint(WPARAM, LPARAM);
    assign::SkinSet skin_;
    CListBoxEx list_;
    OwnedBitmap scrollSkin_;
};

// Macros (template 110): the 21 game groups and the macros of the chosen one.
class CSetting_MacroDlg : public CSubPage {
    TARN_DECLARE_MESSAGES()

public:
    void FillResult(AssignmentResult& result) override;

protected:
    BOOL OnInitDialog() override;

private:
    LRESULT OnListSelect(WPARAM, LPARAM);
    LRESULT OnPaint(WPARAM, LPARAM);
    void FillMacroList(GameGroup group);
    assign::SkinSet skin_;
    CListBoxEx groups_, macros_;
    OwnedBitmap scrollSkin_;
    int rememberedGroup_ = -1;
};

// Software actions (template 112): play a sound, run a program, open a file or a folder.
class CSetting_AdvanceDlg : public CSubPage {
    TARN_DECLARE_MESSAGES()

public:
    void FillResult(AssignmentResult& result) override { choices_.Fill(buttonIndex_, result); }

protected:
    BOOL OnInitDialog() override;

private:
    LRESULT OnCommand(WPARAM, LPARAM);
    LRESULT OnPaint(WPARAM, LPARAM);
    void Browse(int k);
    void ShowChoices();
    bool AskPath(int k, std::u16string& path);

    assign::SkinSet skin_;
    std::array<CGDIBitmapBtn, kActionKindCount> choiceButtons_, paths_, browse_;
    ActionChoices choices_;
    // A double click on a path field browses; the owner-drawn buttons report it as two clicks.
    HWND lastPathClick_ = nullptr;
    DWORD lastPathClickTime_ = 0;
};

}  // namespace tarn
