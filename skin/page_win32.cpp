#include "skin/page_win32.h"

#include "base/window_messages.h"

namespace tarn {

bool CPage::CreatePage(HWND mainWindow, int templateId, const geo::Rect& area, bool shown) {
    if (hwnd_) return true;
    if (!CreateModeless(mainWindow, templateId)) return false;
    constexpr LONG_PTR kPageStyle = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    constexpr LONG_PTR kCompared = kPageStyle | WS_POPUP | WS_CAPTION | WS_THICKFRAME;
    UINT frame = 0;
    if ((GetWindowLongPtrW(hwnd_, GWL_STYLE) & kCompared) != kPageStyle) {
        // A template missing from the resources comes up as a pop-up; a page is a child.
        SetWindowLongPtrW(hwnd_, GWL_STYLE, kPageStyle);
        SetParent(hwnd_, mainWindow);
        frame = SWP_FRAMECHANGED;
    }
    SetWindowPos(hwnd_, nullptr, area.left, area.top, area.width(), area.height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | frame | (shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    return true;
}

void CPage::PostHint(int hintId) const {
    if (HWND parent = GetParent(hwnd_)) PostMessageW(parent, kMsgHint, 0, hintId);
}

TARN_BEGIN_MESSAGES(CEmptyPage)
TARN_ON(WM_ERASEBKGND, OnEraseBackground)
TARN_END_MESSAGES(CPage)

BOOL CEmptyPage::OnInitDialog() {
    EnumChildWindows(
        hwnd_,
        [](HWND child, LPARAM) -> BOOL {
            ShowWindow(child, SW_HIDE);
            return TRUE;
        },
        0);
    return FALSE;
}

LRESULT CEmptyPage::OnEraseBackground(WPARAM wParam, LPARAM) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    RECT client;
    GetClientRect(hwnd_, &client);
    if (!skin_) {
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return 1;
    }
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, skin_);
    BitBlt(dc, 0, 0, client.right, client.bottom, source, offset_.x, offset_.y, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
    return 1;
}

}  // namespace tarn
