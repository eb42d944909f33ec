#include "macro/macro_page_win32.h"

#include <windowsx.h>

#include <string>
#include <utility>

#include "base/language_state.h"
#include "base/window_messages.h"
#include "skin/menu_ex_library_win32.h"
#include "skin/skin_geometry.h"
#include "skin/skin_scroll_wnd_win32.h"

namespace tarn {

namespace {

namespace mp = geo::macro_page;

constexpr int kLoopEditId = 1001;
constexpr int kKeyEditId = 1002;
constexpr int kDelayEditId = 1003;
constexpr int kLoopLimit = 5;
constexpr int kKeyLimit = 1;
constexpr int kDelayLimit = 4;
constexpr UINT_PTR kLoopTimer = 153;
constexpr UINT kLoopTimerMs = 4000;
constexpr int kScrollSkinResource = 166;
constexpr int kItemHeight = 18;

// Colours are 0x00BBGGRR.
constexpr COLORREF kListBackground = 0x000000;
constexpr COLORREF kListSelection = 0x141414;
constexpr COLORREF kListText = 0x676153;
constexpr COLORREF kListSelectedText = 0xB98C15;
constexpr COLORREF kEditText = 0xB98C15;
constexpr COLORREF kEditBackground = 0x0F0F0F;
constexpr COLORREF kGroupText = 0x676153;
constexpr COLORREF kRecordText = 0xD3BB3D;
constexpr COLORREF kWhite = 0xFFFFFF;
// How much of a hidden panel control's painted look still shows: enough to read it, little
// enough that it reads as not available.
constexpr BYTE kHiddenDim = 150;
constexpr BYTE kDisabledDim = 120;
constexpr int kEditFontHeight = 12;

// The one page of the process, for the keyboard filter.
CDlgMacro* g_page = nullptr;

RECT R(const geo::Rect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

const wchar_t* W(std::u16string_view text, std::u16string& holder) {
    holder.assign(text);
    return reinterpret_cast<const wchar_t*>(holder.c_str());
}

std::u16string WindowText(HWND window) {
    std::u16string text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, u'\0');
    const int got = GetWindowTextW(window, reinterpret_cast<wchar_t*>(text.data()),
                                   static_cast<int>(text.size()));
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

std::u16string_view RecordCaption(bool recording) {
    return recording ? Localized(u"停止录制", u"Stop Record")
                     : Localized(u"开始录制", u"Start Record");
}

bool IsKeyMessage(UINT message) {
    return message >= WM_KEYFIRST && message <= WM_KEYLAST;
}

// Darkens a rectangle of a device context by blending black over it.
void Dim(HDC dc, const RECT& r, BYTE amount) {
    HDC black = CreateCompatibleDC(dc);
    HBITMAP pixel = CreateCompatibleBitmap(dc, 1, 1);
    HGDIOBJ old = SelectObject(black, pixel);
    const RECT one{0, 0, 1, 1};
    FillRect(black, &one, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, amount, 0};
    AlphaBlend(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, black, 0, 0, 1, 1, blend);
    SelectObject(black, old);
    DeleteObject(pixel);
    DeleteDC(black);
}

// The page skin has no disabled look of its own; the buttons a recording disables take theirs
// from a darkened copy of the normal one, so they show that they do not answer. The copy is a
// bottom-up section like the loaded skins, the layout the cutting of the buttons reads.
OwnedBitmap DimmedCopy(const OwnedBitmap& picture) {
    if (!picture) return {};
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = picture.width();
    bi.bmiHeader.biHeight = picture.height();
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    OwnedBitmap copy(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!copy) return copy;
    HDC target = CreateCompatibleDC(nullptr);
    HDC source = CreateCompatibleDC(nullptr);
    HGDIOBJ oldTarget = SelectObject(target, copy.get());
    HGDIOBJ oldSource = SelectObject(source, picture.get());
    BitBlt(target, 0, 0, picture.width(), picture.height(), source, 0, 0, SRCCOPY);
    Dim(target, {0, 0, picture.width(), picture.height()}, kDisabledDim);
    SelectObject(source, oldSource);
    SelectObject(target, oldTarget);
    DeleteDC(source);
    DeleteDC(target);
    return copy;
}

}  // namespace

TARN_BEGIN_MESSAGES(CDlgMacro)
TARN_ON(WM_PAINT, OnPaint)
TARN_ON(WM_ERASEBKGND, OnEraseBackground)
TARN_ON(WM_COMMAND, OnCommand)
TARN_ON(WM_CTLCOLOREDIT, OnCtlColorEdit)
TARN_ON(WM_MOUSEMOVE, OnMouseMove)
TARN_ON(WM_LBUTTONDOWN, OnLButtonDown)
TARN_ON(WM_TIMER, OnTimer)
TARN_ON(WM_DESTROY, OnDestroy)
TARN_ON(kMsgListSelect, OnListSelect)
TARN_ON(kMsgListRename, OnListRename)
TARN_ON(kMsgHookKey, OnHookKey)
TARN_ON(kMsgButtonPress, OnButtonPress)
TARN_ON(kMsgMenuChosen, OnMenuChosen)
TARN_END_MESSAGES(CPage)

CDlgMacro::~CDlgMacro() {
    editor_.Attach(nullptr, 0);
    if (keyFilter_) UnhookWindowsHookEx(keyFilter_);
    if (editBrush_) DeleteObject(editBrush_);
    if (g_page == this) g_page = nullptr;
}

BOOL CDlgMacro::OnInitDialog() {
    chinese_ = ChineseUi == 1;
    normal_ = LoadPictureFile(SkinPath(L"Macro_normal.bmp"));
    down_ = LoadPictureFile(SkinPath(L"Macro_down.bmp"));
    over_ = LoadPictureFile(SkinPath(L"Macro_over.bmp"));
    scrollSkin_ = LoadBitmapResource(kScrollSkinResource);
    editBrush_ = CreateSolidBrush(kEditBackground);
    CreateButtons();
    CreateLists();
    PlaceEdits();
    SetTooltips();
    editor_.Attach(this, reinterpret_cast<WindowId>(hwnd_));
    SetTimer(hwnd_, kLoopTimer, kLoopTimerMs, nullptr);
    g_page = this;
    keyFilter_ =
        SetWindowsHookExW(WH_MSGFILTER, &CDlgMacro::KeyFilter, nullptr, GetCurrentThreadId());
    return FALSE;
}

// Every button of the page, in the order of the page's control table; the list frames come
// with the lists.
void CDlgMacro::CreateButtons() {
    HBITMAP n = normal_.get(), o = over_.get(), d = down_.get();
    const OwnedBitmap dimmed = DimmedCopy(normal_);
    auto make = [&](CGDIBitmapBtn& b, const geo::Rect& r, HBITMAP normal, HBITMAP over,
                    HBITMAP down, HBITMAP disabled = nullptr) {
        b.CreateButton(R(r), hwnd_);
        b.SetSkinImages(r.left, r.top, r.right, r.bottom, normal, over, down,
                        disabled ? disabled : n);
    };
    const bool zh = chinese_;
    make(group_, mp::kGroupButton, n, n, d);
    group_.SetTextColors(kGroupText, kWhite, kWhite);
    // The five buttons a recording disables.
    make(newMacro_, mp::kNewMacro, n, o, d, dimmed.get());
    make(deleteMacro_, mp::kDeleteMacro, n, o, d, dimmed.get());
    make(insert_, mp::kInsert.get(zh), n, o, d, dimmed.get());
    make(deleteEntry_, mp::kDeleteEntry.get(zh), n, o, d, dimmed.get());
    make(modify_, mp::kModify.get(zh), n, o, d, dimmed.get());
    make(record_, mp::kRecord, n, o, d);
    record_.SetTextColors(kRecordText, kWhite, kWhite);
    make(delayToggle_, mp::kDelayToggle, n, o, d);
    delayToggle_.SetCheckMode(true, false);
    make(leftSpot_, mp::kLeftSpot.get(zh), n, d, d);
    make(middleSpot_, mp::kMiddleSpot.get(zh), n, d, d);
    make(rightSpot_, mp::kRightSpot.get(zh), n, d, d);
    for (CGDIBitmapBtn* spot : {&leftSpot_, &middleSpot_, &rightSpot_}) spot->SetPressNotify(true);
    make(keyChoice_, mp::kKeyChoice.get(zh), n, o, d);
    keyChoice_.SetCheckMode(true, false);
    make(keyConfirm_, mp::kKeyConfirm.get(zh), o, o, d);
    make(delayChoice_, mp::kDelayChoice.get(zh), n, o, d);
    delayChoice_.SetCheckMode(true, false);
    make(delayConfirm_, mp::kDelayConfirm.get(zh), o, o, d);
    make(groupTitle_, mp::kGroupTitle, n, o, d);
    groupTitle_.SetCheckMode(true, false);
    make(entryTitle_, mp::kEntryTitle, n, o, d);
}

void CDlgMacro::CreateLists() {
    auto make = [&](CListBoxEx& list, const geo::Rect& r, UINT id, bool rename) {
        list.CreateList(R(r), hwnd_, id);
        list.SetListColors(kListBackground, kListSelection);
        list.SetTextColors(kListText, kListSelectedText);
        list.SetItemHeight(kItemHeight);
        list.EnableRename(rename);
        list.SetNotifyTarget(hwnd_, true);
        AttachSkinScroll(list.hwnd(), scrollSkin_.get());
    };
    make(macroList_, mp::kMacroList, kMacroListId, true);
    make(eventList_, mp::kEventList, kEventListId, false);
    // The frames serve only the hints. They draw the skin under them, so the pixel strips they
    // show beside the lists look like the page, and they lie beneath the lists.
    for (auto [frame, r] : {std::pair{&macroFrame_, mp::kMacroListFrame},
                            std::pair{&entryFrame_, mp::kEntryListFrame}}) {
        // Clipped by the lists above them, so they never paint over the entries.
        frame->CreateButton(R(r), hwnd_, u"", CGDIBitmapBtn::kStyle | WS_CLIPSIBLINGS);
        frame->SetSkinImages(r.left, r.top, r.right, r.bottom, normal_.get(), normal_.get(),
                             normal_.get(), normal_.get());
        frame->SetHoverEnabled(false);
        SetWindowPos(frame->hwnd(), HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void CDlgMacro::PlaceEdits() {
    const bool zh = chinese_;
    loopEdit_ = GetDlgItem(hwnd_, kLoopEditId);
    keyEdit_ = GetDlgItem(hwnd_, kKeyEditId);
    delayEdit_ = GetDlgItem(hwnd_, kDelayEditId);
    const struct {
        HWND edit;
        geo::Rect rect;
        int limit;
    } edits[] = {{loopEdit_, mp::kLoopField, kLoopLimit},
                 {keyEdit_, mp::kKeyField.get(zh), kKeyLimit},
                 {delayEdit_, mp::kDelayField.get(zh), kDelayLimit}};
    HFONT font = TextFontFor(kEditFontHeight, FW_NORMAL, u"");
    for (const auto& e : edits) {
        if (!e.edit) continue;
        MoveWindow(e.edit, e.rect.left, e.rect.top, e.rect.width(), e.rect.height(), FALSE);
        SendMessageW(e.edit, EM_LIMITTEXT, e.limit, 0);
        SendMessageW(e.edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
}

void CDlgMacro::SetTooltips() {
    using K = StringKey;
    const struct {
        CGDIBitmapBtn* button;
        K key;
    } tips[] = {{&newMacro_, K::str_new_macro},     {&deleteMacro_, K::str_del_macro},
                {&insert_, K::str_macro_new},       {&deleteEntry_, K::str_macro_del},
                {&modify_, K::str_macro_modify},    {&delayToggle_, K::str_macro_delay},
                {&leftSpot_, K::str_click},         {&middleSpot_, K::str_middle},
                {&rightSpot_, K::str_menu},         {&keyChoice_, K::str_macro_msg6},
                {&keyConfirm_, K::str_macro_msg6},  {&delayChoice_, K::str_macro_msg7},
                {&delayConfirm_, K::str_macro_msg7}};
    for (const auto& t : tips) t.button->SetTooltip(Text(t.key));
}

void CDlgMacro::LanguageChanged() {
    if (hwnd_) SetTooltips();
}

// ---- painting --------------------------------------------------------------------------------

LRESULT CDlgMacro::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    if (!PaintPicture(dc, normal_)) {
        FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    DimHiddenPanel(dc);
    EndPaint(hwnd_, &ps);
    return 0;
}

// The painted page shows the key and delay rows even while their controls are hidden; dimmed
// then, the closed panel reads as what the insert and modify buttons open.
void CDlgMacro::DimHiddenPanel(HDC dc) {
    if (editor_.Panel() != PanelLook{}) return;
    Dim(dc, R(mp::kEditArea.get(chinese_)), kHiddenDim);
}

LRESULT CDlgMacro::OnEraseBackground(WPARAM, LPARAM) {
    return 1;  // the page paints its whole picture
}

LRESULT CDlgMacro::OnCtlColorEdit(WPARAM wParam, LPARAM lParam) {
    const HWND edit = reinterpret_cast<HWND>(lParam);
    if (edit != loopEdit_ && edit != keyEdit_ && edit != delayEdit_) return Default();
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetTextColor(dc, kEditText);
    SetBkColor(dc, kEditBackground);
    return reinterpret_cast<LRESULT>(editBrush_);
}

// ---- input -----------------------------------------------------------------------------------

LRESULT CDlgMacro::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (code == EN_CHANGE && (id == kLoopEditId || id == kKeyEditId || id == kDelayEditId)) {
        OnEditChanged(id);
        return 0;
    }
    if (code == BN_CLICKED && lParam) OnButtonClicked(reinterpret_cast<HWND>(lParam));
    return 0;
}

void CDlgMacro::OnButtonClicked(HWND sender) {
    if (sender == group_.hwnd()) {
        OpenGroupMenu();
    } else if (sender == newMacro_.hwnd()) {
        editor_.OnNewMacroButton();
    } else if (sender == deleteMacro_.hwnd()) {
        editor_.OnDeleteMacro();
    } else if (sender == insert_.hwnd()) {
        editor_.OnInsert();
    } else if (sender == deleteEntry_.hwnd()) {
        editor_.OnDeleteEntry();
    } else if (sender == modify_.hwnd()) {
        editor_.OnModify();
    } else if (sender == record_.hwnd()) {
        editor_.ToggleRecording();
    } else if (sender == delayToggle_.hwnd()) {
        editor_.OnDelayToggle();
    } else if (sender == keyChoice_.hwnd()) {
        editor_.OnKeyChoice();
    } else if (sender == keyConfirm_.hwnd()) {
        editor_.OnKeyConfirm();
    } else if (sender == delayChoice_.hwnd()) {
        editor_.OnDelayChoice();
    } else if (sender == delayConfirm_.hwnd()) {
        editor_.OnDelayConfirm();
    }
}

void CDlgMacro::OnEditChanged(int id) {
    if (settingText_) return;
    if (id == kLoopEditId) editor_.OnLoopTextTyped(WindowText(loopEdit_));
    if (id == kKeyEditId) editor_.OnKeyTextTyped(WindowText(keyEdit_));
    if (id == kDelayEditId) editor_.OnDelayTextTyped(WindowText(delayEdit_));
}

LRESULT CDlgMacro::OnMouseMove(WPARAM, LPARAM lParam) {
    for (int id : MacroPageHintIds(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), chinese_,
                                   editor_.IsRecording(), editor_.Panel())) {
        PostHint(id);
    }
    return 0;
}

LRESULT CDlgMacro::OnLButtonDown(WPARAM, LPARAM) {
    DestroyMenuEx();
    return 0;
}

LRESULT CDlgMacro::OnTimer(WPARAM id, LPARAM) {
    if (id != kLoopTimer) return Default();
    editor_.ValidateLoopField();
    return 0;
}

LRESULT CDlgMacro::OnDestroy(WPARAM, LPARAM) {
    // The program is closing with a recording running: what was recorded is kept.
    if (editor_.IsRecording()) editor_.ToggleRecording();
    KillTimer(hwnd_, kLoopTimer);
    if (keyFilter_) UnhookWindowsHookEx(keyFilter_);
    keyFilter_ = nullptr;
    editor_.Attach(nullptr, 0);
    return Default();
}

LRESULT CDlgMacro::OnListSelect(WPARAM wParam, LPARAM lParam) {
    editor_.OnSelectionChanged(static_cast<int>(wParam), static_cast<int>(lParam));
    return 0;
}

LRESULT CDlgMacro::OnListRename(WPARAM wParam, LPARAM lParam) {
    if (static_cast<int>(wParam) != kMacroListId) return 0;
    const int index = static_cast<int>(lParam);
    editor_.OnRename(index, macroList_.EntryText(index));
    return 0;
}

LRESULT CDlgMacro::OnHookKey(WPARAM wParam, LPARAM lParam) {
    editor_.OnKeyEvent(static_cast<uint32_t>(wParam), static_cast<uint32_t>(lParam));
    return 0;
}

LRESULT CDlgMacro::OnButtonPress(WPARAM wParam, LPARAM lParam) {
    const HWND button = reinterpret_cast<HWND>(lParam);
    const auto message = static_cast<uint32_t>(wParam);
    if (button == leftSpot_.hwnd()) editor_.OnHotSpot(HotSpot::Left, message);
    if (button == middleSpot_.hwnd()) editor_.OnHotSpot(HotSpot::Middle, message);
    if (button == rightSpot_.hwnd()) editor_.OnHotSpot(HotSpot::Right, message);
    return 0;
}

LRESULT CDlgMacro::OnMenuChosen(WPARAM, LPARAM lParam) {
    DestroyMenuEx();
    editor_.SelectGroup(static_cast<int>(lParam));
    return 0;
}

void CDlgMacro::OpenGroupMenu() {
    RECT r;
    GetWindowRect(group_.hwnd(), &r);
    const POINT at{r.left + 1, r.bottom + 1};
    std::array<MenuExItem, kGameGroupCount> items;
    for (int k = 0; k < kGameGroupCount; ++k) {
        items[k] = MakeMenuExItem(k + 1, GameGroupMenuText(k + 1));
    }
    if (LoadMenuExLibrary() && OpenMenuEx(hwnd_, at, items.data(), kGameGroupCount)) return;
    // Without the menu library the groups still can be chosen, from a plain menu.
    HMENU menu = CreatePopupMenu();
    if (!menu) return;
    for (const MenuExItem& item : items) {
        AppendMenuW(menu, MF_STRING, item.id, reinterpret_cast<const wchar_t*>(item.text));
    }
    const int chosen = static_cast<int>(TrackPopupMenu(
        menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y, 0,
        hwnd_, nullptr));
    DestroyMenu(menu);
    if (chosen > 0) editor_.SelectGroup(chosen);
}

// ---- the keyboard filter ---------------------------------------------------------------------

LRESULT CALLBACK CDlgMacro::KeyFilter(int code, WPARAM wParam, LPARAM lParam) {
    const auto* msg = reinterpret_cast<const MSG*>(lParam);
    if (code >= 0 && msg && g_page && g_page->SwallowsKey(*msg)) return TRUE;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool CDlgMacro::SwallowsKey(const MSG& msg) const {
    if (!hwnd_ || !editor_.IsCapturingKeys() || !IsKeyMessage(msg.message) || !msg.hwnd) {
        return false;
    }
    // Typing into the loop field or a new name stays possible on purpose.
    if (msg.hwnd == loopEdit_ || msg.hwnd == macroList_.RenameEditor()) return false;
    HWND root = GetAncestor(hwnd_, GA_ROOT);
    return root && GetAncestor(msg.hwnd, GA_ROOT) == root;
}

// ---- MacroEditorView -------------------------------------------------------------------------

void CDlgMacro::MacroListReset() {
    macroList_.ResetContent();
}

void CDlgMacro::MacroListAppend(std::u16string_view name, uint32_t id, bool startEditing) {
    macroList_.AddEntry(skin::EntryPlain, name, id, startEditing);
}

void CDlgMacro::MacroListRemove(int index) {
    macroList_.DeleteEntry(index);
}

void CDlgMacro::MacroListSetText(int index, std::u16string_view name) {
    macroList_.ReplaceEntry(index, skin::EntryPlain, name, macroList_.EntryValue(index));
}

void CDlgMacro::MacroListSelect(int index) {
    macroList_.Select(index);
}

void CDlgMacro::MacroListRedraw(bool on) {
    macroList_.SetRedraw(on);
}

void CDlgMacro::EventListReset() {
    eventList_.ResetContent();
}

void CDlgMacro::EventListInsert(int index, const EventEntry& entry) {
    if (index < 0) {
        eventList_.AddEntry(entry.type, entry.text, entry.value);
    } else {
        eventList_.InsertEntry(index, entry.type, entry.text, entry.value);
    }
}

void CDlgMacro::EventListReplace(int index, const EventEntry& entry) {
    eventList_.ReplaceEntry(index, entry.type, entry.text, entry.value);
}

void CDlgMacro::EventListRemove(int index) {
    eventList_.DeleteEntry(index);
}

void CDlgMacro::EventListSelect(int index) {
    eventList_.Select(index);
}

void CDlgMacro::EventListRedraw(bool on) {
    eventList_.SetRedraw(on);
}

void CDlgMacro::SetFieldText(HWND edit, std::u16string_view text, bool caretToEnd) {
    if (!edit) return;
    std::u16string holder;
    settingText_ = true;
    SetWindowTextW(edit, W(text, holder));
    settingText_ = false;
    if (caretToEnd) {
        const auto end = static_cast<WPARAM>(text.size());
        SendMessageW(edit, EM_SETSEL, end, static_cast<LPARAM>(end));
    }
}

void CDlgMacro::ShowLoopText(std::u16string_view text, bool caretToEnd) {
    SetFieldText(loopEdit_, text, caretToEnd);
}

void CDlgMacro::ShowKeyText(std::u16string_view text) {
    SetFieldText(keyEdit_, text, false);
}

void CDlgMacro::ShowDelayText(std::u16string_view text) {
    SetFieldText(delayEdit_, text, false);
}

void CDlgMacro::FocusKeyField() {
    if (keyEdit_) SetFocus(keyEdit_);
}

void CDlgMacro::FocusDelayField() {
    if (delayEdit_) SetFocus(delayEdit_);
}

void CDlgMacro::ShowPanel(const PanelLook& look) {
    const struct {
        HWND window;
        bool shown;
    } parts[] = {{keyChoice_.hwnd(), look.keyChoice},     {keyEdit_, look.keyField},
                 {keyConfirm_.hwnd(), look.keyConfirm},   {delayChoice_.hwnd(), look.delayChoice},
                 {delayEdit_, look.delayField},           {delayConfirm_.hwnd(), look.delayConfirm}};
    keyChoice_.SetChecked(look.keyChoiceChecked);
    delayChoice_.SetChecked(look.delayChoiceChecked);
    const HWND focus = GetFocus();
    bool focusHidden = false;
    for (const auto& part : parts) {
        if (!part.window) continue;
        // By its own style: the page itself may be hidden, and with it every control.
        const bool shown = (GetWindowLongPtrW(part.window, GWL_STYLE) & WS_VISIBLE) != 0;
        if (shown == part.shown) continue;
        if (!part.shown && part.window == focus) focusHidden = true;
        ShowWindow(part.window, part.shown ? SW_SHOWNA : SW_HIDE);
    }
    // The focus goes back to the entries just edited, not on to the loop field, where the next
    // digit typed would change the repeat count.
    if (focusHidden) SetFocus(eventList_.hwnd());
    // The area is painted again, dimmed or not.
    const RECT area = R(mp::kEditArea.get(chinese_));
    InvalidateRect(hwnd_, &area, FALSE);
}

void CDlgMacro::ShowRecording(bool recording) {
    record_.SetCaption(RecordCaption(recording));
    for (CGDIBitmapBtn* b : {&newMacro_, &deleteMacro_, &insert_, &deleteEntry_, &modify_}) {
        EnableWindow(b->hwnd(), recording ? FALSE : TRUE);
    }
}

void CDlgMacro::ShowSkipDelays(bool checked) {
    delayToggle_.SetChecked(checked);
}

void CDlgMacro::ShowGroupCaption(std::u16string_view caption) {
    group_.SetCaption(caption);
}

void CDlgMacro::DebugOutput(std::u16string_view text) {
    std::u16string holder;
    OutputDebugStringW(W(text, holder));
}

}  // namespace tarn
