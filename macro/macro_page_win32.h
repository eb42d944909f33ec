// CDlgMacro: the macro manager page (template 105). It shows the macros of one game group and
// the events of the selected macro, records macros in real time and edits them entry by entry.
// The rules live in MacroEditor; this window makes the controls, hands every action and message
// to the editor and shows what the editor tells it.
#pragma once

#include <windows.h>

#include <array>

#include "macro/macro_editor.h"
#include "skin/bitmap_button_win32.h"
#include "skin/list_box_win32.h"
#include "skin/page_win32.h"
#include "skin/picture_win32.h"

namespace tarn {

class CDlgMacro : public CPage, private MacroEditorView {
    TARN_DECLARE_MESSAGES()

public:
    CDlgMacro() = default;
    ~CDlgMacro() override;

    // What the main window asks of the page; all of them work before the page's window exists.
    void ListMacrosOfGroup(int group) { editor_.ListMacrosOfGroup(group); }
    bool IsRecording() const { return editor_.IsRecording(); }
    void ToggleRecording() { editor_.ToggleRecording(); }
    // The OK button checks the loop field before the apply.
    void ValidateLoopField() { editor_.ValidateLoopField(); }
    void LanguageChanged() override;

protected:
    BOOL OnInitDialog() override;

private:
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnEraseBackground(WPARAM, LPARAM);
    LRESULT OnCommand(WPARAM, LPARAM);
    LRESULT OnCtlColorEdit(WPARAM, LPARAM);
    LRESULT OnMouseMove(WPARAM, LPARAM);
    LRESULT OnLButtonDown(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM, LPARAM);
    LRESULT OnDestroy(WPARAM, LPARAM);
    LRESULT OnListSelect(WPARAM, LPARAM);
    LRESULT OnListRename(WPARAM, LPARAM);
    LRESULT OnHookKey(WPARAM, LPARAM);
    LRESULT OnButtonPress(WPARAM, LPARAM);
    LRESULT OnMenuChosen(WPARAM, LPARAM);

    void CreateButtons();
    void CreateLists();
    void PlaceEdits();
    void SetTooltips();
    void OnButtonClicked(HWND sender);
    void OnEditChanged(int id);
    void OpenGroupMenu();
    void DimHiddenPanel(HDC dc);
    void SetFieldText(HWND edit, std::u16string_view text, bool caretToEnd);

    // Keys typed while the page captures them are recorded, not acted on by the page's
    // controls (a Tab or an arrow key would move the focus or the list selection).
    static LRESULT CALLBACK KeyFilter(int code, WPARAM wParam, LPARAM lParam);
    bool SwallowsKey(const MSG& msg) const;

    // MacroEditorView.
    void MacroListReset() override;
    void MacroListAppend(std::u16string_view name, uint32_t id, bool startEditing) override;
    void MacroListRemove(int index) override;
    void MacroListSetText(int index, std::u16string_view name) override;
    void MacroListSelect(int index) override;
    void MacroListRedraw(bool on) override;
    void EventListReset() override;
    void EventListInsert(int index, const EventEntry& entry) override;
    void EventListReplace(int index, const EventEntry& entry) override;
    void EventListRemove(int index) override;
    void EventListSelect(int index) override;
    void EventListRedraw(bool on) override;
    void ShowLoopText(std::u16string_view text, bool caretToEnd) override;
    void ShowKeyText(std::u16string_view text) override;
    void ShowDelayText(std::u16string_view text) override;
    void FocusKeyField() override;
    void FocusDelayField() override;
    void ShowPanel(const PanelLook& look) override;
    void ShowRecording(bool recording) override;
    void ShowSkipDelays(bool checked) override;
    void ShowGroupCaption(std::u16string_view caption) override;
    void DebugOutput(std::u16string_view text) override;

    MacroEditor editor_;
    bool chinese_ = false;  // the rectangles follow the interface language at creation
    OwnedBitmap normal_, down_, over_, scrollSkin_;
    HBRUSH editBrush_ = nullptr;
    HHOOK keyFilter_ = nullptr;
    bool settingText_ = false;

    CGDIBitmapBtn group_, newMacro_, deleteMacro_, insert_, deleteEntry_, modify_, record_,
        delayToggle_, leftSpot_, middleSpot_, rightSpot_, keyChoice_, keyConfirm_, delayChoice_,
        delayConfirm_, groupTitle_, macroFrame_, entryTitle_, entryFrame_;
    CListBoxEx macroList_, eventList_;
    HWND loopEdit_ = nullptr, keyEdit_ = nullptr, delayEdit_ = nullptr;
};

}  // namespace tarn
