#include "assign/assignment_panel_win32.h"

#include <windowsx.h>

#include "base/hook_state.h"
#include "base/language_state.h"

namespace tarn {

namespace pn = geo::panel;

namespace {

constexpr int kSubPageTemplates[kSubPageCount] = {109, 110, 111, 112};
constexpr StringKey kTabKeys[kSubPageCount] = {StringKey::str_key_com, StringKey::str_macro_set,
                                               StringKey::str_basic, StringKey::str_advance};
constexpr COLORREF kTitleColour = 0x695F58;
constexpr COLORREF kTextColour = 0xC8BDBD;
constexpr COLORREF kTabNormal = 0x676153, kTabOver = 0xFFFFFF, kTabDown = 0xFFFFFF;

// The panel whose keys the thread's dialog loop filters (one panel runs at a time).
HWND g_panel = nullptr;

WindowId Id(HWND hwnd) {
    return reinterpret_cast<WindowId>(hwnd);
}

}  // namespace

TARN_BEGIN_MESSAGES(CSettingDlg)
TARN_ON(WM_COMMAND, OnCommand)
TARN_ON(WM_LBUTTONDOWN, OnLButtonDown)
TARN_ON(WM_PAINT, OnPaint)
TARN_ON(WM_ERASEBKGND, OnEraseBackground)
TARN_ON(WM_CLOSE, OnClose)
TARN_ON(WM_DESTROY, OnDestroy)
TARN_END_MESSAGES(win::Dialog)

CSettingDlg::CSettingDlg(int buttonIndex, std::u16string currentName)
    : state_(buttonIndex), currentName_(std::move(currentName)) {}

CSettingDlg::~CSettingDlg() {
    if (keyFilter_) UnhookWindowsHookEx(keyFilter_);
}

bool CSettingDlg::Run(HWND page) {
    page_ = page;
    return DoModal(page, kPanelTemplate) == IDOK;
}

// Enter, Escape and Space would end the panel or press its focused button; the keyboard
// capture takes its keys from the hook, not from these messages.
LRESULT CALLBACK CSettingDlg::KeyFilter(int code, WPARAM wParam, LPARAM lParam) {
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code >= 0 && msg && g_panel && (msg->hwnd == g_panel || IsChild(g_panel, msg->hwnd))) {
        const bool key =
            msg->message == WM_KEYDOWN || msg->message == WM_KEYUP || msg->message == WM_CHAR;
        const WPARAM k = msg->wParam;
        if (key && (k == VK_RETURN || k == VK_ESCAPE || k == VK_SPACE)) return TRUE;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL CSettingDlg::OnInitDialog() {
    g_panel = hwnd_;
    keyFilter_ =
        SetWindowsHookExW(WH_MSGFILTER, &CSettingDlg::KeyFilter, nullptr, GetCurrentThreadId());
    SetWindowLongPtrW(hwnd_, GWL_STYLE, WS_POPUP | WS_CLIPCHILDREN);
    SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, 0);
    skin_.Load(L"setting\\Setting");
    CentreOnParent(page_ ? page_ : GetParent(hwnd_));

    assign::MakeButton(close_, pn::kClose, hwnd_, skin_);
    for (int n = 0; n < kSubPageCount; ++n) {
        const std::u16string& caption = Text(kTabKeys[n]);
        assign::MakeButton(tabs_[n], pn::kTabs[n], hwnd_, skin_, caption);
        tabs_[n].SetCheckMode(true, false);
        tabs_[n].SetTextColors(kTabNormal, kTabOver, kTabDown);
        tabs_[n].SetTooltip(caption);
    }
    assign::MakeButton(disable_, pn::kDisable, hwnd_, skin_);
    disable_.SetCheckMode(true, false);
    disable_.SetTooltip(Text(StringKey::str_disable));
    assign::MakeButton(default_, pn::kDefault, hwnd_, skin_, Text(StringKey::str_default_setting));
    default_.SetTooltip(Text(StringKey::str_default_setting));
    assign::MakeButton(ok_, pn::kOk, hwnd_, skin_, Text(StringKey::str_ok));
    ok_.SetTooltip(Text(StringKey::str_ok));

    const int button = state_.Result().buttonIndex;
    for (int n = 1; n <= kSubPageCount; ++n) {
        SubPage(n)->CreateSubPage(hwnd_, kSubPageTemplates[n - 1], pn::kSubPage, button);
    }
    state_.ShowPage(kPageCombination);
    Show();
    return FALSE;
}

void CSettingDlg::CentreOnParent(HWND parent) {
    const int w = skin_.normal ? skin_.normal.width() : pn::kSize.width;
    const int h = skin_.normal ? skin_.normal.height() : pn::kSize.height;
    RECT p{};
    if (parent) GetWindowRect(parent, &p);
    const int x = p.left + (p.right - p.left - w) / 2;
    const int y = p.top + (p.bottom - p.top - h) / 2;
    SetWindowPos(hwnd_, nullptr, x, y, w, h, SWP_NOZORDER | SWP_FRAMECHANGED);
}

CSubPage* CSettingDlg::SubPage(int n) {
    switch (n) {
        case kPageCombination:
            return &combo_;
        case kPageMacro:
            return &macro_;
        case kPageBasic:
            return &basic_;
        default:
            return &actions_;
    }
}

void CSettingDlg::FillResult(int page, AssignmentResult& result) {
    SubPage(page)->FillResult(result);
}

void CSettingDlg::SyncCapture() {
    if (state_.CaptureOn()) {
        SetForwardTarget(Id(combo_.hwnd()));
        SetForwarding(true, false);
        captureApplied_ = true;
    } else if (captureApplied_) {
        SetForwarding(false, false);
        captureApplied_ = false;
    }
}

void CSettingDlg::Show() {
    for (int n = 1; n <= kSubPageCount; ++n) {
        tabs_[n - 1].SetChecked(state_.TabChecked(n));
        if (HWND page = SubPage(n)->hwnd()) {
            ShowWindow(page, state_.PageVisible(n) ? SW_SHOWNA : SW_HIDE);
        }
    }
    disable_.SetChecked(state_.DisableChecked());
    SyncCapture();
}

void CSettingDlg::Finish(PanelEnd end) {
    SyncCapture();
    EndDialog(end == PanelEnd::Ok ? IDOK : IDCANCEL);
}

LRESULT CSettingDlg::OnCommand(WPARAM, LPARAM lParam) {
    HWND from = reinterpret_cast<HWND>(lParam);
    // Keyboard commands (IDOK, IDCANCEL) have no sender: the panel ends by its buttons.
    if (!from) return 0;
    if (from == close_.hwnd()) {
        Finish(state_.Close());
        return 0;
    }
    for (int n = 1; n <= kSubPageCount; ++n) {
        if (from == tabs_[n - 1].hwnd()) {
            state_.ShowPage(n);
            Show();
            return 0;
        }
    }
    if (from == disable_.hwnd()) {
        state_.ToggleDisable();
        Show();
    } else if (from == default_.hwnd()) {
        Finish(state_.Default());
    } else if (from == ok_.hwnd()) {
        Finish(state_.Ok(*this));
    }
    return 0;
}

LRESULT CSettingDlg::OnLButtonDown(WPARAM, LPARAM lParam) {
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(hwnd_, &p);
    PostMessageW(hwnd_, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(p.x, p.y));
    return 0;
}

LRESULT CSettingDlg::OnEraseBackground(WPARAM, LPARAM) {
    return TRUE;
}

LRESULT CSettingDlg::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    PaintPicture(dc, skin_.normal);
    assign::DrawLabel(dc, Text(StringKey::str_panel), pn::kTitle, kTitleColour, DT_CENTER);
    assign::DrawLabel(dc, Text(StringKey::str_cur_function) + currentName_, pn::kCurrentRoom,
                      kTextColour);
    assign::DrawLabel(dc, Text(StringKey::str_disable), pn::kDisableLabelRoom, kTextColour);
    EndPaint(hwnd_, &ps);
    return 0;
}

// The system's close (Alt+F4 reaches a modal dialog as WM_CLOSE) ends the panel like its own
// close button.
LRESULT CSettingDlg::OnClose(WPARAM, LPARAM) {
    Finish(state_.Close());
    return 0;
}

// However the panel goes, the capture goes with it.
LRESULT CSettingDlg::OnDestroy(WPARAM, LPARAM) {
    state_.Ended();
    SyncCapture();
    if (keyFilter_) UnhookWindowsHookEx(keyFilter_);
    keyFilter_ = nullptr;
    g_panel = nullptr;
    return Default();
}

}  // namespace tarn
