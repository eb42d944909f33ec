// The sub-page base and the key-combination sub-page.
#include <string>

#include "assign/sub_pages_win32.h"
#include "base/window_messages.h"
#include "catalogue/key_names.h"

namespace tarn {

namespace sp = geo::sub_page;

namespace {
constexpr COLORREF kKeyNameColour = 0xC39417;
// The key name is drawn in its rectangle, two pixels in from where it is cleared.
constexpr geo::Rect kKeyNameArea{168, 77, 326, 100};
}  // namespace

// ---- CSubPage ---------------------------------------------------------------------------------

TARN_BEGIN_MESSAGES(CSubPage)
TARN_ON(WM_ERASEBKGND, OnEraseBackground)
TARN_END_MESSAGES(win::Dialog)

bool CSubPage::CreateSubPage(HWND panel, int templateId, const geo::Rect& at, int buttonIndex) {
    buttonIndex_ = buttonIndex;
    if (!CreateModeless(panel, templateId)) return false;
    constexpr LONG_PTR kChild = WS_CHILD | WS_CLIPCHILDREN;
    if ((GetWindowLongPtrW(hwnd_, GWL_STYLE) & (kChild | WS_POPUP | WS_CAPTION)) != kChild) {
        // A template missing from the resources comes up as a pop-up.
        SetWindowLongPtrW(hwnd_, GWL_STYLE, kChild);
        SetParent(hwnd_, panel);
    }
    SetWindowPos(hwnd_, nullptr, at.left, at.top, at.width(), at.height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW | SWP_FRAMECHANGED);
    return true;
}

LRESULT CSubPage::OnEraseBackground(WPARAM, LPARAM) {
    return TRUE;
}

// ---- CSetting_SingleComboDlg ------------------------------------------------------------------

TARN_BEGIN_MESSAGES(CSetting_SingleComboDlg)
TARN_ON(kMsgHookKey, OnHookKey)
TARN_ON(WM_COMMAND, OnCommand)
TARN_ON(WM_PAINT, OnPaint)
TARN_END_MESSAGES(CSubPage)

BOOL CSetting_SingleComboDlg::OnInitDialog() {
    skin_.Load(L"combo\\Combo");
    for (int b = 0; b < kComboBoxCount; ++b) {
        assign::MakeButton(boxes_[b], sp::kModifiers[b], hwnd_, skin_);
        boxes_[b].SetCheckMode(true, false);
    }
    return FALSE;
}

void CSetting_SingleComboDlg::ShowBoxes() {
    for (int b = 0; b < kComboBoxCount; ++b) boxes_[b].SetChecked(capture_.Checked(b));
}

LRESULT CSetting_SingleComboDlg::OnHookKey(WPARAM vk, LPARAM flags) {
    if (capture_.OnHookKey(static_cast<uint32_t>(vk), static_cast<uint32_t>(flags))) {
        const RECT area = assign::ToRect(kKeyNameArea);
        InvalidateRect(hwnd_, &area, TRUE);
    }
    ShowBoxes();
    return 1;
}

LRESULT CSetting_SingleComboDlg::OnCommand(WPARAM, LPARAM lParam) {
    for (int b = 0; b < kComboBoxCount; ++b) {
        if (reinterpret_cast<HWND>(lParam) == boxes_[b].hwnd()) {
            capture_.ToggleBox(b);
            ShowBoxes();
            return 0;
        }
    }
    return 0;
}

LRESULT CSetting_SingleComboDlg::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    PaintPicture(dc, skin_.normal);
    if (capture_.CapturedKey() != 0) {
        assign::DrawLabel(dc, VirtualKeyName(capture_.CapturedKey()), sp::kComboKey,
                          kKeyNameColour);
    }
    EndPaint(hwnd_, &ps);
    return 0;
}

}  // namespace tarn
