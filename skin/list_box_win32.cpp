#include "skin/list_box_win32.h"

#include <gdiplus.h>

#include <array>

#include "base/window_messages.h"
#include "skin/bitmap_button_win32.h"
#include "skin/picture_win32.h"

namespace tarn {

namespace {
constexpr int kFontHeight = 14;
constexpr int kFontWeight = 400;
// The editor goes away one message later: it is often the window whose message is being
// handled when the rename ends.
constexpr UINT kMsgCloseEditor = WM_APP + 0x2B0;

const wchar_t* W(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

// The six icon pictures, loaded on first use and kept for the life of the program (the
// platform's picture library must outlive them, so they are never freed at exit).
Gdiplus::Image* EntryIcon(int type, bool selected) {
    static std::array<Gdiplus::Image*, 10> icons{};
    static std::array<bool, 10> tried{};
    if (type < skin::EntryUp || type > skin::EntryDelay) return nullptr;
    const size_t slot = static_cast<size_t>((type - skin::EntryUp) * 2 + (selected ? 1 : 0));
    if (!tried[slot]) {
        tried[slot] = true;
        icons[slot] = LoadImageFile(SkinPath(skin::EntryIconFile(type, selected))).release();
    }
    return icons[slot];
}
}  // namespace

// ---- CRenameEdit ------------------------------------------------------------------------------

TARN_BEGIN_MESSAGES(CRenameEdit)
TARN_ON(WM_GETDLGCODE, OnGetDlgCode)
TARN_ON(WM_KEYDOWN, OnKeyDown)
TARN_ON(WM_KEYUP, OnKeyUp)
TARN_ON(WM_CHAR, OnChar)
TARN_ON(WM_KILLFOCUS, OnKillFocus)
TARN_END_MESSAGES(win::Window)

// Enter and Escape belong to the editor, not to the dialog around the list.
LRESULT CRenameEdit::OnGetDlgCode(WPARAM, LPARAM) {
    return DLGC_WANTALLKEYS | Default();
}

LRESULT CRenameEdit::OnKeyDown(WPARAM key, LPARAM) {
    if (key == VK_RETURN || key == VK_ESCAPE) return 0;
    return Default();
}

LRESULT CRenameEdit::OnKeyUp(WPARAM key, LPARAM) {
    if (key == VK_RETURN) {
        list_.OnRenameEvent(skin::RenameEvent::EnterReleased);
        return 0;
    }
    if (key == VK_ESCAPE) {
        list_.OnRenameEvent(skin::RenameEvent::EscapeReleased);
        return 0;
    }
    return Default();
}

// A one-line edit beeps at Enter and Escape.
LRESULT CRenameEdit::OnChar(WPARAM ch, LPARAM) {
    if (ch == '\r' || ch == 0x1B) return 0;
    return Default();
}

LRESULT CRenameEdit::OnKillFocus(WPARAM, LPARAM) {
    const LRESULT result = Default();
    list_.OnRenameEvent(skin::RenameEvent::FocusLost);
    return result;
}

// ---- CListBoxEx -------------------------------------------------------------------------------

TARN_BEGIN_MESSAGES(CListBoxEx)
TARN_ON(win::kReflectBase + WM_DRAWITEM, OnDrawItem)
TARN_ON(win::kReflectBase + WM_MEASUREITEM, OnMeasureItem)
TARN_ON(WM_LBUTTONDOWN, OnLButtonDown)
TARN_ON(WM_LBUTTONDBLCLK, OnLButtonDblClk)
TARN_ON(WM_MOUSEMOVE, OnTrackedInput)
TARN_ON(WM_LBUTTONUP, OnTrackedInput)
TARN_ON(WM_KEYDOWN, OnTrackedInput)
TARN_ON(win::kReflectBase + WM_CTLCOLORLISTBOX, OnCtlColor)
TARN_ON(WM_CTLCOLOREDIT, OnCtlColor)
TARN_ON(WM_ERASEBKGND, OnEraseBackground)
TARN_ON(WM_ENABLE, OnEnable)
TARN_ON(kMsgCloseEditor, OnCloseEditorMessage)
TARN_END_MESSAGES(win::Window)

CListBoxEx::CListBoxEx()
    : text_(GetSysColor(COLOR_WINDOWTEXT)),
      selectedText_(GetSysColor(COLOR_HIGHLIGHTTEXT)),
      background_(GetSysColor(COLOR_WINDOW)),
      selection_(GetSysColor(COLOR_HIGHLIGHT)),
      editor_(*this) {}

CListBoxEx::~CListBoxEx() {
    if (backgroundBrush_) DeleteObject(backgroundBrush_);
    if (editBrush_) DeleteObject(editBrush_);
}

bool CListBoxEx::CreateList(const RECT& rect, HWND parent, UINT id, DWORD style) {
    creator_ = parent;
    DWORD s = style | LBS_NOINTEGRALHEIGHT | WS_CLIPCHILDREN;
    if (s & WS_VSCROLL) s |= LBS_DISABLENOSCROLL;
    if (!CreateControl(L"LISTBOX", L"", s, rect, parent, id)) return false;
    SendMessageW(hwnd_, WM_SETFONT,
                 reinterpret_cast<WPARAM>(TextFontFor(kFontHeight, kFontWeight, u"")), FALSE);
    return true;
}

int CListBoxEx::Place(int index, bool replace, std::u16string_view text, uint32_t data) {
    if (!hwnd_) return -1;
    const std::u16string copy(text);
    if (replace) {
        if (index < 0 || index >= Count()) return -1;
        SendMessageW(hwnd_, LB_DELETESTRING, index, 0);
    }
    const LRESULT at =
        SendMessageW(hwnd_, LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(W(copy)));
    if (at < 0) return -1;
    SendMessageW(hwnd_, LB_SETITEMDATA, at, static_cast<LPARAM>(data));
    // Set here rather than only measured: the measuring message goes to the window the list was
    // made in, which no longer holds it once a scroll wrapper does.
    SendMessageW(hwnd_, LB_SETITEMHEIGHT, at, itemHeight_);
    SendMessageW(hwnd_, LB_SETCURSEL, at, 0);
    return static_cast<int>(at);
}

int CListBoxEx::AddEntry(int type, std::u16string_view text, uint32_t value, bool startEditing) {
    CancelRename();
    const bool iconMode = skin::IconModeAfterAdd(type);
    const bool changed = iconMode != iconMode_;
    iconMode_ = iconMode;
    const int index = Place(-1, false, text, skin::PackEntry(type, value));
    if (changed) Repaint();
    if (index >= 0 && startEditing) BeginRename(index);
    return index;
}

int CListBoxEx::InsertEntry(int index, int type, std::u16string_view text, uint32_t value) {
    CancelRename();
    if (index < 0 || index > Count()) index = -1;
    return Place(index, false, text, skin::PackEntry(type, value));
}

int CListBoxEx::ReplaceEntry(int index, int type, std::u16string_view text, uint32_t value) {
    CancelRename();
    return Place(index, true, text, skin::PackEntry(type, value));
}

bool CListBoxEx::DeleteEntry(int index) {
    if (!hwnd_ || index < 0 || index >= Count()) return false;
    CancelRename();
    return SendMessageW(hwnd_, LB_DELETESTRING, index, 0) != LB_ERR;
}

void CListBoxEx::ResetContent() {
    CancelRename();
    if (hwnd_) SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0);
}

int CListBoxEx::Count() const {
    return hwnd_ ? static_cast<int>(SendMessageW(hwnd_, LB_GETCOUNT, 0, 0)) : 0;
}

int CListBoxEx::Selection() const {
    if (!hwnd_) return -1;
    const LRESULT sel = SendMessageW(hwnd_, LB_GETCURSEL, 0, 0);
    return sel == LB_ERR ? -1 : static_cast<int>(sel);
}

void CListBoxEx::Select(int index) {
    if (hwnd_) SendMessageW(hwnd_, LB_SETCURSEL, index, 0);
}

int CListBoxEx::TopIndex() const {
    return hwnd_ ? static_cast<int>(SendMessageW(hwnd_, LB_GETTOPINDEX, 0, 0)) : 0;
}

void CListBoxEx::SetTopIndex(int index) {
    if (hwnd_) SendMessageW(hwnd_, LB_SETTOPINDEX, index, 0);
}

std::u16string CListBoxEx::EntryText(int index) const {
    if (!hwnd_) return {};
    const LRESULT length = SendMessageW(hwnd_, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR || length < 0) return {};
    std::u16string text(static_cast<size_t>(length) + 1, u'\0');
    const LRESULT got =
        SendMessageW(hwnd_, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(got == LB_ERR ? 0 : static_cast<size_t>(got));
    return text;
}

uint32_t CListBoxEx::EntryData(int index) const {
    if (!hwnd_) return 0;
    const LRESULT data = SendMessageW(hwnd_, LB_GETITEMDATA, index, 0);
    return data == LB_ERR ? 0 : static_cast<uint32_t>(data);
}

uint32_t CListBoxEx::EntryValue(int index) const {
    return skin::EntryValueOf(EntryData(index), iconMode_);
}

int CListBoxEx::EntryType(int index) const {
    return skin::EntryTypeOf(EntryData(index), iconMode_);
}

void CListBoxEx::SetIconMode(bool on) {
    if (iconMode_ == on) return;
    iconMode_ = on;
    Repaint();
}

void CListBoxEx::SetListColors(COLORREF background, COLORREF selection) {
    background_ = background;
    selection_ = selection;
    Repaint();
}

void CListBoxEx::SetTextColors(COLORREF text, COLORREF selectedText) {
    text_ = text;
    selectedText_ = selectedText;
    Repaint();
}

void CListBoxEx::SetItemHeight(int pixels) {
    if (pixels <= 0) return;
    itemHeight_ = pixels;
    if (!hwnd_) return;
    const int count = Count();
    for (int i = 0; i < count; ++i) SendMessageW(hwnd_, LB_SETITEMHEIGHT, i, pixels);
    Repaint();
}

void CListBoxEx::SetNotifyTarget(HWND target, bool use) {
    notifyTarget_ = target;
    useTarget_ = use;
}

void CListBoxEx::SetRedraw(bool redraw) {
    if (!hwnd_) return;
    SendMessageW(hwnd_, WM_SETREDRAW, redraw ? TRUE : FALSE, 0);
    if (redraw) InvalidateRect(hwnd_, nullptr, TRUE);
}

void CListBoxEx::Repaint() {
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

HWND CListBoxEx::NotifyTarget() const {
    return useTarget_ && notifyTarget_ ? notifyTarget_ : creator_;
}

void CListBoxEx::Notify(UINT message, int index) const {
    HWND target = NotifyTarget();
    if (target) PostMessageW(target, message, static_cast<WPARAM>(GetDlgCtrlID(hwnd_)), index);
}

HBRUSH CListBoxEx::BackgroundBrush() {
    if (!IsWindowEnabled(hwnd_)) return GetSysColorBrush(COLOR_INACTIVEBORDER);
    if (!backgroundBrush_ || brushColour_ != background_) {
        if (backgroundBrush_) DeleteObject(backgroundBrush_);
        backgroundBrush_ = CreateSolidBrush(background_);
        brushColour_ = background_;
    }
    return backgroundBrush_;
}

LRESULT CListBoxEx::OnMeasureItem(WPARAM, LPARAM lParam) {
    auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    mis->itemHeight = static_cast<UINT>(itemHeight_);
    return TRUE;
}

LRESULT CListBoxEx::OnDrawItem(WPARAM, LPARAM lParam) {
    const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (dis->itemID == static_cast<UINT>(-1)) return TRUE;
    const int index = static_cast<int>(dis->itemID);
    const bool selected = (dis->itemState & ODS_SELECTED) != 0;
    const bool enabled = IsWindowEnabled(hwnd_) != FALSE;
    RECT r = dis->rcItem;
    HDC dc = dis->hDC;
    if (selected) {
        HBRUSH fill = CreateSolidBrush(selection_);
        FillRect(dc, &r, fill);
        DeleteObject(fill);
    } else {
        FillRect(dc, &r, BackgroundBrush());
    }
    const int type = EntryType(index);
    if (Gdiplus::Image* icon = EntryIcon(type, selected)) {
        Gdiplus::Graphics g(dc);
        g.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
        g.DrawImage(icon, static_cast<INT>(r.left + skin::kListIconLeft),
                    static_cast<INT>(r.top + skin::kListIconTop), iconSize_, iconSize_);
    }
    const std::u16string text = EntryText(index);
    RECT textRect{r.left + skin::EntryTextLeft(type, iconSize_), r.top, r.right - 2, r.bottom};
    HGDIOBJ oldFont = SelectObject(dc, TextFontFor(kFontHeight, kFontWeight, text));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, !enabled ? GetSysColor(COLOR_BTNSHADOW) : (selected ? selectedText_ : text_));
    DrawTextW(dc, W(text), static_cast<int>(text.size()), &textRect,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    return TRUE;
}

// The list box tells its selection changes to the window it was created in, and a page that
// handles its own buttons' commands may never pass them on; so the list watches the input that
// selects instead. A click on an entry always reports (also on the selected one), keys and drags
// report when the selection moved.
bool CListBoxEx::OnEntry(LPARAM point) const {
    const LRESULT hit = SendMessageW(hwnd_, LB_ITEMFROMPOINT, 0, point);
    return HIWORD(hit) == 0 && static_cast<int>(LOWORD(hit)) < Count();
}

LRESULT CListBoxEx::OnLButtonDown(WPARAM, LPARAM lParam) {
    const LRESULT result = Default();
    if (OnEntry(lParam) && Selection() >= 0) Notify(kMsgListSelect, Selection());
    return result;
}

LRESULT CListBoxEx::OnLButtonDblClk(WPARAM, LPARAM lParam) {
    const int before = Selection();
    const LRESULT result = Default();
    const int after = Selection();
    if (after != before && after >= 0) Notify(kMsgListSelect, after);
    if (OnEntry(lParam)) BeginRename(after);
    return result;
}

LRESULT CListBoxEx::OnTrackedInput(WPARAM, LPARAM) {
    const int before = Selection();
    const LRESULT result = Default();
    const int after = Selection();
    if (after != before && after >= 0) Notify(kMsgListSelect, after);
    return result;
}

LRESULT CListBoxEx::OnCtlColor(WPARAM wParam, LPARAM lParam) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    if (reinterpret_cast<HWND>(lParam) == editor_.hwnd() && editor_.hwnd()) {
        // The editor looks like the selected entry it covers.
        if (!editBrush_ || editColour_ != selection_) {
            if (editBrush_) DeleteObject(editBrush_);
            editBrush_ = CreateSolidBrush(selection_);
            editColour_ = selection_;
        }
        SetTextColor(dc, selectedText_);
        SetBkColor(dc, selection_);
        return reinterpret_cast<LRESULT>(editBrush_);
    }
    SetTextColor(dc, text_);
    SetBkColor(dc, background_);
    return reinterpret_cast<LRESULT>(BackgroundBrush());
}

LRESULT CListBoxEx::OnEraseBackground(WPARAM wParam, LPARAM) {
    RECT client{};
    GetClientRect(hwnd_, &client);
    FillRect(reinterpret_cast<HDC>(wParam), &client, BackgroundBrush());
    return TRUE;
}

LRESULT CListBoxEx::OnEnable(WPARAM, LPARAM) {
    const LRESULT result = Default();
    Repaint();
    return result;
}

HWND CListBoxEx::RenameEditor() const {
    return editor_.hwnd();
}

bool CListBoxEx::BeginRename(int index) {
    if (!hwnd_ || !session_.Open(renameEnabled_, index, Count())) return false;
    // An editor of an earlier rename that is still waiting to go goes now.
    if (editor_.hwnd()) editor_.Destroy();
    RECT r{};
    SendMessageW(hwnd_, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
    const std::u16string text = EntryText(index);
    if (!editor_.CreateControl(L"EDIT", W(text), WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, r, hwnd_,
                               0)) {
        session_.Abandon();
        return false;
    }
    SendMessageW(editor_.hwnd(), WM_SETFONT,
                 reinterpret_cast<WPARAM>(TextFontFor(kFontHeight, kFontWeight, text)), FALSE);
    SendMessageW(editor_.hwnd(), EM_LIMITTEXT, skin::kRenameLimit, 0);
    SendMessageW(editor_.hwnd(), EM_SETSEL, 0, -1);
    SetFocus(editor_.hwnd());
    return true;
}

void CListBoxEx::CancelRename() {
    session_.Abandon();
    CloseEditor();
}

void CListBoxEx::CloseEditor() {
    HWND editor = editor_.hwnd();
    if (!editor) return;
    if (GetFocus() == editor) SetFocus(hwnd_);
    ShowWindow(editor, SW_HIDE);
    PostMessageW(hwnd_, kMsgCloseEditor, 0, 0);
}

LRESULT CListBoxEx::OnCloseEditorMessage(WPARAM, LPARAM) {
    if (!session_.IsOpen() && editor_.hwnd()) editor_.Destroy();
    return 0;
}

void CListBoxEx::OnRenameEvent(skin::RenameEvent event) {
    const int index = session_.Index();
    const skin::RenameAction action = session_.On(event);
    if (action == skin::RenameAction::None) return;
    if (action == skin::RenameAction::Cancel) {
        Select(index);
        CloseEditor();
        return;
    }
    std::u16string text(static_cast<size_t>(GetWindowTextLengthW(editor_.hwnd())) + 1, u'\0');
    const int got = GetWindowTextW(editor_.hwnd(), reinterpret_cast<wchar_t*>(text.data()),
                                   static_cast<int>(text.size()));
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    const uint32_t data = EntryData(index);
    Place(index, true, text, data);
    CloseEditor();
    Repaint();
    Notify(kMsgListRename, index);
}

}  // namespace tarn
