// The basic-function and macro sub-pages: their lists.
#include "assign/sub_pages_win32.h"

#include "base/language_state.h"
#include "base/window_messages.h"
#include "macro/macro_store.h"
#include "skin/skin_scroll_wnd_win32.h"

namespace tarn {

namespace {
constexpr int kScrollSkinResource = 166;
constexpr COLORREF kListBackground = 0x0F0F0F, kListSelection = 0x252525;
constexpr COLORREF kListText = 0x6B5C53, kListSelectedText = 0x969696;
constexpr UINT kBasicListId = 101, kGroupListId = 10001, kMacroListId = 10002;
constexpr RECT kBasicList{0, 0, 372, 171};
constexpr RECT kGroupList{1, 1, 184, 168};
constexpr RECT kMacroList{188, 1, 369, 168};

void MakeList(CListBoxEx& list, const RECT& r, HWND parent, UINT id, int itemHeight) {
    list.CreateList(r, parent, id);
    list.SetListColors(kListBackground, kListSelection);
    list.SetTextColors(kListText, kListSelectedText);
    list.SetItemHeight(itemHeight);
}
}  // namespace

// ---- CSetting_BaseDlg -------------------------------------------------------------------------

TARN_BEGIN_MESSAGES(CSetting_BaseDlg)
TARN_ON(WM_PAINT, OnPaint)
TARN_END_MESSAGES(CSubPage)

BOOL CSetting_BaseDlg::OnInitDialog() {
    skin_.Load(L"base\\Base");
    scrollSkin_ = LoadBitmapResource(kScrollSkinResource);
    MakeList(list_, kBasicList, hwnd_, kBasicListId, 18);
    list_.SetRedraw(false);
    for (const BasicEntry& e : BasicFunctions) list_.AddEntry(skin::EntryPlain, Text(e.text), 0);
    // Nothing is chosen until the user picks an entry, and the list starts at its top.
    list_.Select(-1);
    list_.SetTopIndex(0);
    list_.SetRedraw(true);
    AttachSkinScroll(list_.hwnd(), scrollSkin_.get());
    return FALSE;
}

LRESULT CSetting_BaseDlg::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    PaintPicture(dc, skin_.normal);
    EndPaint(hwnd_, &ps);
    return 0;
}

// ---- CSetting_MacroDlg ------------------------------------------------------------------------

TARN_BEGIN_MESSAGES(CSetting_MacroDlg)
TARN_ON(kMsgListSelect, OnListSelect)
TARN_ON(WM_PAINT, OnPaint)
TARN_END_MESSAGES(CSubPage)

BOOL CSetting_MacroDlg::OnInitDialog() {
    // The lists leave a gap between them and a pixel round them; the skin fills it, or the
    // sub-page shown before would show through there.
    skin_.Load(L"macro\\Macro");
    scrollSkin_ = LoadBitmapResource(kScrollSkinResource);
    MakeList(groups_, kGroupList, hwnd_, kGroupListId, 16);
    MakeList(macros_, kMacroList, hwnd_, kMacroListId, 16);
    groups_.SetRedraw(false);
    for (int k = 0; k < kGameGroupCount; ++k) {
        groups_.AddEntry(skin::EntryPlain, MacroGroupEntryText(k, ChineseUi == 1),
                         static_cast<uint32_t>(k));
    }
    groups_.Select(-1);
    groups_.SetTopIndex(0);
    groups_.SetRedraw(true);
    rememberedGroup_ = groups_.Selection();
    FillMacroList(0);
    AttachSkinScroll(groups_.hwnd(), scrollSkin_.get());
    AttachSkinScroll(macros_.hwnd(), scrollSkin_.get());
    return FALSE;
}

LRESULT CSetting_MacroDlg::OnListSelect(WPARAM id, LPARAM index) {
    if (id != kGroupListId || static_cast<int>(index) == rememberedGroup_) return 0;
    rememberedGroup_ = groups_.Selection();
    FillMacroList(rememberedGroup_ + 1);
    return 0;
}

LRESULT CSetting_MacroDlg::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    PaintPicture(dc, skin_.normal);
    EndPaint(hwnd_, &ps);
    return 0;
}

void CSetting_MacroDlg::FillMacroList(GameGroup group) {
    macros_.SetRedraw(false);
    macros_.ResetContent();
    for (const MacroListItem& item : MacrosOfGroup(Macros(), group)) {
        macros_.AddEntry(skin::EntryPlain, item.name, item.id);
    }
    macros_.Select(-1);
    macros_.SetTopIndex(0);
    macros_.SetRedraw(true);
}

void CSetting_MacroDlg::FillResult(AssignmentResult& result) {
    const int selected = macros_.Selection();
    FillMacro(selected >= 0, selected >= 0 ? macros_.EntryValue(selected) : 0, result);
}

}  // namespace tarn
