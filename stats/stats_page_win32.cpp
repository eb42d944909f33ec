#include "stats/stats_page_win32.h"

#include <windowsx.h>

#include <algorithm>
#include <string>

#include "base/language_state.h"
#include "base/message_poster.h"
#include "base/window_messages.h"
#include "skin/skin_geometry.h"
#include "stats/statistics_texts.h"

namespace tarn {

namespace {

namespace st = geo::stats_page;

constexpr UINT_PTR kDistanceTimer = 1;
constexpr UINT kDistancePeriodMs = 5000;
constexpr int kHintTrophy = 54;  // str_cups
constexpr int kHintReset = 55;   // str_resetSts
constexpr COLORREF kValueColour = 0xDCDCDC;
constexpr int kValueFontHeight = 14;
constexpr int kSmallValueFontHeight = 12;
// The lit part of the progress bar: from here, as wide as the level asks, in the pressed look.
constexpr int kBarLeft = 631, kBarTop = 62, kBarBottom = 77;
constexpr geo::Rect kBarAtCreation{630, 62, 901, 74};

RECT R(const geo::Rect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

bool InGrown(const geo::Rect& r, int x, int y) {
    return x >= r.left - 1 && x < r.right + 1 && y >= r.top - 1 && y < r.bottom + 1;
}

// Both skins' value columns, so one rectangle covers whichever is drawn.
RECT Column(int firstRow, int lastRow) {
    const geo::Rect zh = st::ValueRect(firstRow, true), en = st::ValueRect(firstRow, false);
    const geo::Rect zhLast = st::ValueRect(lastRow, true), enLast = st::ValueRect(lastRow, false);
    return {std::min(zh.left, en.left), zh.top, std::max(zhLast.right, enLast.right),
            zhLast.bottom};
}

}  // namespace

TARN_BEGIN_MESSAGES(CDlgSts)
TARN_ON(kMsgStatsHook, OnHookEvent)
TARN_ON(kMsgStatsSample, OnCursorSample)
TARN_ON(WM_TIMER, OnTimer)
TARN_ON(WM_PAINT, OnPaint)
TARN_ON(WM_ERASEBKGND, OnEraseBackground)
TARN_ON(WM_MOUSEMOVE, OnMouseMove)
TARN_ON(WM_COMMAND, OnCommand)
TARN_ON(WM_DESTROY, OnDestroy)
TARN_END_MESSAGES(CPage)

BOOL CDlgSts::OnInitDialog() {
    store_.Load();
    loaded_ = true;
    LoadSkins();
    CreateControls();
    ShowTrophyLevel();
    StartSampling();
    SetTimer(hwnd_, kDistanceTimer, kDistancePeriodMs, nullptr);
    return FALSE;
}

void CDlgSts::LoadSkins() {
    normal_ = LoadPictureFile(SkinPath(L"Sts_Normal.bmp"));
    down_ = LoadPictureFile(SkinPath(L"Sts_Down.bmp"));
    over_ = LoadPictureFile(SkinPath(L"Sts_Over.bmp"));
}

void CDlgSts::CreateControls() {
    const HBITMAP normal = normal_.get(), down = down_.get(), over = over_.get();
    auto make = [&](CGDIBitmapBtn& button, const geo::Rect& r, HBITMAP n, HBITMAP o, HBITMAP d) {
        button.CreateButton(R(r), hwnd_);
        button.SetSkinImages(r.left, r.top, r.right, r.bottom, n, o, d, normal);
    };
    make(bigTrophy_, st::kBigTrophy, normal, down, down);
    bigTrophy_.SetCheckMode(true);
    bigTrophy_.SetChecked(true);
    make(progressBar_, kBarAtCreation, normal, normal, down);
    progressBar_.SetCheckMode(true);
    progressBar_.SetChecked(true);
    for (int k = 0; k < kTrophyLevelCount; ++k) {
        make(smallTrophies_[k], st::SmallTrophy(k), normal, down, down);
        smallTrophies_[k].SetCheckMode(true);
    }
    make(reset_, st::kReset, normal, over, down);
    LanguageChanged();
}

void CDlgSts::LanguageChanged() {
    if (!hwnd_) return;
    bigTrophy_.SetTooltip(Text(StringKey::str_cups));
    reset_.SetTooltip(Text(StringKey::str_resetSts));
}

// The thread reads the cursor into the sampler's shared point; the page takes it from there
// when the post arrives, so both coordinates always come from the same sample.
void CDlgSts::StartSampling() {
    POINT now{};
    if (GetCursorPos(&now)) stats_.SetLastCursor({now.x, now.y});
    sampler_.Start(
        [](CursorPoint& p) {
            POINT cursor{};
            if (!GetCursorPos(&cursor)) return false;
            p = {cursor.x, cursor.y};
            return true;
        },
        Poster(), reinterpret_cast<WindowId>(hwnd_));
}

LRESULT CDlgSts::OnHookEvent(WPARAM wParam, LPARAM) {
    if (!stats_.CountHookEvent(wParam)) return 0;
    const RECT counters = Column(0, st::kDistanceRow - 1);
    InvalidateRect(hwnd_, &counters, FALSE);
    ShowTrophyLevel();
    return 0;
}

LRESULT CDlgSts::OnCursorSample(WPARAM, LPARAM) {
    stats_.AddCursorTravel(sampler_.Point());
    return 0;
}

LRESULT CDlgSts::OnTimer(WPARAM wParam, LPARAM) {
    if (wParam != kDistanceTimer) return Default();
    // An unchanged distance is not repainted: a page idle in the tray does no work at all.
    if (stats_.counters().cursorTravel != paintedTravel_) {
        const RECT distance = Column(st::kDistanceRow, st::kDistanceRow);
        InvalidateRect(hwnd_, &distance, FALSE);
    }
    if (stats_.AutoSaveDue()) store_.Save(SaveReason::Periodic);
    return 0;
}

void CDlgSts::SaveStatistics() {
    if (loaded_) store_.Save(SaveReason::SessionEnd);
}

void CDlgSts::SaveChangedStatistics() {
    if (loaded_) store_.Save(SaveReason::HideToTray);
}

// The page is destroyed at program exit: the sampling thread ends before anything it posts to
// could go, and the counters are written one last time.
LRESULT CDlgSts::OnDestroy(WPARAM, LPARAM) {
    sampler_.Stop();
    KillTimer(hwnd_, kDistanceTimer);
    if (loaded_) store_.Save(SaveReason::Exit);
    loaded_ = false;
    return Default();
}

LRESULT CDlgSts::OnEraseBackground(WPARAM, LPARAM) {
    return 1;  // WM_PAINT covers every pixel
}

// Painted into a memory picture of the invalid area and copied in one step, so the numbers
// never flicker while they count.
LRESULT CDlgSts::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    const RECT area = ps.rcPaint;
    const int w = area.right - area.left, h = area.bottom - area.top;
    if (w > 0 && h > 0) {
        HDC memory = CreateCompatibleDC(dc);
        HBITMAP picture = CreateCompatibleBitmap(dc, w, h);
        HGDIOBJ old = SelectObject(memory, picture);
        SetViewportOrgEx(memory, -area.left, -area.top, nullptr);
        PaintBackground(memory);
        DrawStatistics(memory);
        SetViewportOrgEx(memory, 0, 0, nullptr);
        BitBlt(dc, area.left, area.top, w, h, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteObject(picture);
        DeleteDC(memory);
    }
    EndPaint(hwnd_, &ps);
    return 0;
}

void CDlgSts::PaintBackground(HDC dc) {
    RECT client;
    GetClientRect(hwnd_, &client);
    if (!normal_) {
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return;
    }
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, normal_.get());
    BitBlt(dc, 0, 0, client.right, client.bottom, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

void CDlgSts::DrawStatistics(HDC dc) {
    stats_.UpdateTrophyLevel();
    const StatisticsTexts texts = FormatStatistics(stats_.counters());
    paintedTravel_ = stats_.counters().cursorTravel;
    HGDIOBJ oldFont = SelectObject(dc, CaptionFont(kValueFontHeight));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kValueColour);
    const bool chinese = ChineseSkin != 0;
    for (int row = 0; row < st::kRowCount; ++row) {
        RECT r = R(st::ValueRect(row, chinese));
        const auto* text = reinterpret_cast<const wchar_t*>(texts[row].c_str());
        const int length = static_cast<int>(texts[row].size());
        // Ten digits overflow the field at the usual height; a slightly smaller font keeps every
        // digit of a large count readable instead of cutting it off.
        SIZE size{};
        const bool fits = GetTextExtentPoint32W(dc, text, length, &size) && size.cx <= r.right - r.left;
        SelectObject(dc, CaptionFont(fits ? kValueFontHeight : kSmallValueFontHeight));
        DrawTextW(dc, text, length, &r,
                  DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
        SelectObject(dc, CaptionFont(kValueFontHeight));
    }
    SelectObject(dc, oldFont);
}

void CDlgSts::ShowTrophyLevel() {
    stats_.UpdateTrophyLevel();
    if (!stats_.TrophyPicturesStale()) return;
    const int level = stats_.trophyLevel();
    const std::u16string picture = TrophyPictureName(level);
    const std::wstring name(picture.begin(), picture.end());
    // A missing picture leaves the page's own look in place rather than a blank button.
    if (OwnedBitmap trophy = LoadPictureFile(SkinPath(name))) {
        const int w = trophy.width(), h = trophy.height();
        HBITMAP normal = CutPicture(trophy.get(), 0, 0, w, h).Release();
        HBITMAP over = CutPicture(trophy.get(), 0, 0, w, h).Release();
        HBITMAP down = CutPicture(trophy.get(), 0, 0, w, h).Release();
        bigTrophy_.SetStateBitmaps(normal, over, down, trophy.Release());
    }
    for (int k = 0; k < kTrophyLevelCount; ++k) smallTrophies_[k].SetChecked(SmallTrophyLit(k, level));

    const int width = ProgressBarWidth(level);
    if (progressBar_.hwnd()) {
        MoveWindow(progressBar_.hwnd(), kBarLeft, kBarTop, width, kBarBottom - kBarTop, FALSE);
    }
    progressBar_.SetSkinImages(kBarLeft, kBarTop, kBarLeft + width, kBarBottom, normal_.get(),
                               over_.get(), down_.get(), normal_.get());
    progressBar_.SetChecked(true);
    stats_.TrophyPicturesShown();
    // The page shows again where a shorter bar no longer covers it.
    const RECT bar{kBarAtCreation.left, kBarTop, kBarLeft + kProgressBarFullWidth, kBarBottom};
    InvalidateRect(hwnd_, &bar, FALSE);
}

LRESULT CDlgSts::OnMouseMove(WPARAM, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    if (InGrown(st::kBigTrophy, x, y)) PostHint(kHintTrophy);
    if (InGrown(st::kReset, x, y)) PostHint(kHintReset);
    return 0;
}

LRESULT CDlgSts::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED && reinterpret_cast<HWND>(lParam) == reset_.hwnd() &&
        reset_.hwnd()) {
        ResetStatistics();
        return 0;
    }
    return Default();
}

void CDlgSts::ResetStatistics() {
    if (!store_.ConfirmAndReset()) return;
    ShowTrophyLevel();
    InvalidateRect(hwnd_, nullptr, FALSE);
}

}  // namespace tarn
