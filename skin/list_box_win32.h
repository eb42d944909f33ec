// CListBoxEx: the owner-drawn list of the pages (the macro and event lists of the macro page,
// the basic-function, group and macro lists of the assignment panel). An entry is a text and a
// 32-bit value; in icon mode the value's top byte is the entry's type, drawn as a small icon
// (up, down, delay). Entries can be renamed in place. A selection by the user posts 0x465, a
// committed rename 0x470, both to the notify target (the parent the list was made in when no
// target is set), wParam the list's control id.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "base/window_win32.h"
#include "skin/list_entry.h"

namespace tarn {

class CListBoxEx;

// The one-line editor of an in-place rename; it reports its keys and focus to its list.
class CRenameEdit : public win::Window {
    TARN_DECLARE_MESSAGES()

public:
    explicit CRenameEdit(CListBoxEx& list) : list_(list) {}

private:
    LRESULT OnGetDlgCode(WPARAM, LPARAM);
    LRESULT OnKeyDown(WPARAM, LPARAM);
    LRESULT OnKeyUp(WPARAM, LPARAM);
    LRESULT OnChar(WPARAM, LPARAM);
    LRESULT OnKillFocus(WPARAM, LPARAM);
    CListBoxEx& list_;
};

class CListBoxEx : public win::Window {
    TARN_DECLARE_MESSAGES()

public:
    static constexpr DWORD kStyle =
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS;

    CListBoxEx();
    ~CListBoxEx() override;

    // The list keeps its scroll bar even when everything fits, so a skinned bar stays in place
    // (disabled) instead of coming and going.
    bool CreateList(const RECT& rect, HWND parent, UINT id, DWORD style = kStyle);

    // Appends an entry and selects it; the type sets icon mode (plain: off, any other: on).
    int AddEntry(int type, std::u16string_view text, uint32_t value, bool startEditing = false);
    // Insert before, or replace at, an index and select it; icon mode is left as it is.
    int InsertEntry(int index, int type, std::u16string_view text, uint32_t value);
    int ReplaceEntry(int index, int type, std::u16string_view text, uint32_t value);
    bool DeleteEntry(int index);
    void ResetContent();

    int Count() const;
    int Selection() const;  // -1 for none
    void Select(int index);
    // The first entry shown.
    int TopIndex() const;
    void SetTopIndex(int index);
    std::u16string EntryText(int index) const;
    // The caller's value (without the type in icon mode), the type, and the raw item data.
    uint32_t EntryValue(int index) const;
    int EntryType(int index) const;
    uint32_t EntryData(int index) const;
    bool IconMode() const { return iconMode_; }
    void SetIconMode(bool on);

    void SetListColors(COLORREF background, COLORREF selection);
    void SetTextColors(COLORREF text, COLORREF selectedText);
    void SetItemHeight(int pixels);
    int ItemHeight() const { return itemHeight_; }
    void EnableRename(bool enable) { renameEnabled_ = enable; }
    void SetNotifyTarget(HWND target, bool use);
    // Stops and restarts drawing around a bulk fill.
    void SetRedraw(bool redraw);

    // Opens the in-place editor on an entry (as a double click does); false when renaming is
    // off, a rename is already open or there is no such entry.
    bool BeginRename(int index);
    void CancelRename();
    bool IsRenaming() const { return session_.IsOpen(); }
    HWND RenameEditor() const;

private:
    friend class CRenameEdit;
    LRESULT OnDrawItem(WPARAM, LPARAM);
    LRESULT OnMeasureItem(WPARAM, LPARAM);
    LRESULT OnLButtonDown(WPARAM, LPARAM);
    LRESULT OnLButtonDblClk(WPARAM, LPARAM);
    LRESULT OnTrackedInput(WPARAM, LPARAM);
    bool OnEntry(LPARAM point) const;
    LRESULT OnCtlColor(WPARAM, LPARAM);
    LRESULT OnEraseBackground(WPARAM, LPARAM);
    LRESULT OnEnable(WPARAM, LPARAM);
    LRESULT OnCloseEditorMessage(WPARAM, LPARAM);
    void OnRenameEvent(skin::RenameEvent event);
    void CloseEditor();
    int Place(int index, bool replace, std::u16string_view text, uint32_t data);
    HWND NotifyTarget() const;
    void Notify(UINT message, int index) const;
    HBRUSH BackgroundBrush();
    void Repaint();

    bool iconMode_ = true;
    int itemHeight_ = skin::kListItemHeight;
    int iconSize_ = skin::kListIconSize;
    COLORREF text_, selectedText_, background_, selection_;
    HBRUSH backgroundBrush_ = nullptr;
    COLORREF brushColour_ = 0;
    HBRUSH editBrush_ = nullptr;
    COLORREF editColour_ = 0;
    bool renameEnabled_ = false;
    HWND notifyTarget_ = nullptr;
    bool useTarget_ = false;
    HWND creator_ = nullptr;
    skin::RenameSession session_;
    CRenameEdit editor_;
};

}  // namespace tarn
