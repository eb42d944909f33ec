#include "skin/dlg_info_win32.h"

#include <algorithm>

#include "base/language_state.h"
#include "base/user_messages.h"

namespace tarn {

namespace {
const wchar_t* W(const std::u16string& s) {
    return reinterpret_cast<const wchar_t*>(s.c_str());
}
constexpr COLORREF kBodyText = RGB(83, 97, 103);
constexpr COLORREF kTitleText = RGB(200, 204, 212);

RECT ToRect(const geo::Rect& r) {
    return {r.left, r.top, r.right, r.bottom};
}
}  // namespace

TARN_BEGIN_MESSAGES(CDlgInfo)
TARN_ON(WM_PAINT, OnPaint)
TARN_ON(WM_ERASEBKGND, OnEraseBackground)
TARN_ON(WM_COMMAND, OnCommand)
TARN_ON(WM_TIMER, OnTimer)
TARN_ON(WM_CLOSE, OnClose)
TARN_END_MESSAGES(win::Dialog)

int CDlgInfo::Run(HWND owner) {
    const INT_PTR result = DoModal(owner, kInfoDialogTemplate);
    return result == kInfoOk ? kInfoOk : kInfoClosed;
}

void CDlgInfo::MakeButton(CGDIBitmapBtn& button, const geo::Rect& r, std::u16string_view caption) {
    button.CreateButton(ToRect(r), hwnd_);
    button.SetSkinImages(r.left, r.top, r.right, r.bottom, normal_.get(), over_.get(), down_.get(),
                         normal_.get());
    if (!caption.empty()) {
        button.SetCaption(caption);
        button.SetTextColors(kBodyText, RGB(255, 255, 255), RGB(255, 255, 255));
    }
}

BOOL CDlgInfo::OnInitDialog() {
    SetWindowTextW(hwnd_, L"NirelTarnInfoDlg");
    const skin::InfoBoxLayout layout = skin::LayoutInfoBox(withCancel_);
    normal_ = LoadBitmapResource(layout.normalPicture);
    over_ = LoadBitmapResource(layout.overPicture);
    down_ = LoadBitmapResource(layout.downPicture);

    // Without its picture the box keeps its usual size, so the texts and buttons still show.
    const geo::Size size =
        normal_ ? geo::Size{normal_.width(), normal_.height()} : geo::info_box::kSize;
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const geo::Rect workArea{work.left, work.top, work.right, work.bottom};
    geo::Point at = skin::CentredPosition(workArea, size);

    MakeButton(close_, geo::info_box::kClose, {});
    const bool chinese = ChineseUi == 1;
    MakeButton(ok_, layout.ok, InfoOkCaption());
    if (layout.hasCancel) MakeButton(cancel_, layout.cancel, InfoCancelCaption());

    if (autoClose_) {
        ok_.SetCaption(skin::CountdownCaption(skin::kCountdownSeconds, chinese));
        at = skin::AutoClosePosition(workArea, size);
        countdown_.Start();
        SetTimer(hwnd_, skin::kCountdownTimerId, skin::kCountdownIntervalMs, nullptr);
    }
    SetWindowPos(hwnd_, HWND_TOP, at.x, at.y, size.width, size.height, SWP_SHOWWINDOW);
    SetForegroundWindow(hwnd_);
    return FALSE;
}

LRESULT CDlgInfo::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    if (!PaintPicture(dc, normal_)) {
        RECT client{};
        GetClientRect(hwnd_, &client);
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    HGDIOBJ oldFont = SelectObject(dc, CaptionFontFor(14, message_));
    SetBkMode(dc, TRANSPARENT);

    // The body: word-wrapped and vertically centred on its line; a message of several lines
    // grows into the panel around it, and only what does not fit there ends in "...".
    const RECT line = ToRect(geo::info_box::kMessage);
    const RECT room = ToRect(geo::info_box::kMessageRoom);
    RECT measure = line;
    DrawTextW(dc, W(message_), -1, &measure,
              DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
    SetTextColor(dc, kBodyText);
    const int centre = (line.top + line.bottom) / 2;
    const int height = std::min<int>(measure.bottom - measure.top, room.bottom - room.top);
    RECT body = line;
    body.top = std::max<int>(room.top, centre - height / 2);
    body.bottom = std::min<int>(room.bottom, body.top + height);
    DrawTextW(dc, W(message_), -1, &body,
              DT_WORDBREAK | DT_EDITCONTROL | DT_END_ELLIPSIS | DT_NOPREFIX);

    RECT title = ToRect(geo::info_box::kTitle);
    SetTextColor(dc, kTitleText);
    const std::u16string titleText(InfoTitle());
    SelectObject(dc, CaptionFontFor(14, titleText));
    DrawTextW(dc, W(titleText), -1, &title, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    EndPaint(hwnd_, &ps);
    return 0;
}

LRESULT CDlgInfo::OnEraseBackground(WPARAM, LPARAM) {
    return TRUE;
}

void CDlgInfo::Finish(int result) {
    KillTimer(hwnd_, skin::kCountdownTimerId);
    EndDialog(result);
}

LRESULT CDlgInfo::OnCommand(WPARAM wParam, LPARAM lParam) {
    HWND from = reinterpret_cast<HWND>(lParam);
    if (from && from == ok_.hwnd()) {
        Finish(kInfoOk);
    } else if (from && (from == cancel_.hwnd() || from == close_.hwnd())) {
        Finish(kInfoClosed);
    } else if (!from && LOWORD(wParam) == IDOK) {
        // Enter presses the OK button, as in the platform's own box.
        Finish(kInfoOk);
    } else if (!from && LOWORD(wParam) == IDCANCEL) {
        Finish(kInfoClosed);
    }
    return 0;
}

LRESULT CDlgInfo::OnTimer(WPARAM wParam, LPARAM) {
    if (wParam != skin::kCountdownTimerId) return Default();
    const skin::InfoCountdown::Tick tick = countdown_.OnTick();
    if (tick.close) {
        KillTimer(hwnd_, skin::kCountdownTimerId);
        PostMessageW(hwnd_, WM_CLOSE, 0, 0);
        Sleep(100);
    }
    ok_.SetCaption(skin::CountdownCaption(tick.captionSeconds, ChineseUi == 1));
    return 0;
}

LRESULT CDlgInfo::OnClose(WPARAM, LPARAM) {
    Finish(kInfoClosed);
    return 0;
}

}  // namespace tarn
