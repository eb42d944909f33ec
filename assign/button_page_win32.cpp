#include "assign/button_page_win32.h"

#include <windowsx.h>

#include <algorithm>

#include "assign/assignment_panel_win32.h"
#include "base/language_state.h"
#include "base/user_messages.h"
#include "base/window_messages.h"
#include "macro/macro_store.h"
#include "skin/menu_ex_library_win32.h"

namespace tarn {

namespace bp = geo::button_page;

namespace {

constexpr UINT_PTR kMarkerTimer = 17;
constexpr UINT kMarkerIntervalMs = 200;
constexpr UINT_PTR kCommitTimer = 152;
constexpr UINT kCommitIntervalMs = 4000;
constexpr UINT kPointerSpeedId = 0xA00, kSecondSliderId = 0xA02, kLinesEditId = 0xA03;
constexpr DWORD kShapedStyle = WS_CHILD | WS_VISIBLE;
// The markers over the mouse picture light up while the cursor is over the middle of a tab.
constexpr int kMarkerInset = 17;
constexpr int kTrackShortening = 20;

// Hint ids (0x805) of the page's areas.
constexpr int kHintDpi = 12, kHintPointerSpeed = 13, kHintPrecision = 14, kHintSecondSlider = 15,
              kHintReportRate = 16, kHintLines = 17, kHintScreen = 18, kHintButtons = 65;
constexpr int kTitleHints[6] = {61, 13, 62, 63, 64, 65};

// Chinese pictures 160..162, English 163..165: down, normal, over.
int ResourceBase() {
    return ChineseUi == 1 ? 160 : 163;
}

const wchar_t* W(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

}  // namespace

TARN_BEGIN_MESSAGES(CDlgMainSet)
TARN_ON(WM_COMMAND, OnCommand)
TARN_ON(kMsgSlider, OnSlider)
TARN_ON(WM_TIMER, OnTimer)
TARN_ON(WM_MOUSEMOVE, OnMouseMove)
TARN_ON(WM_PAINT, OnPaint)
TARN_ON(WM_ERASEBKGND, OnEraseBackground)
TARN_ON(WM_DESTROY, OnDestroy)
TARN_END_MESSAGES(CPage)

BOOL CDlgMainSet::OnInitDialog() {
    BuildControls();
    // The macro page's group menu lives in this library; the page loads it for the process.
    // Without it only that menu is missing, so the button page stays (it used to close).
    LoadMenuExLibrary();
    SetTimer(hwnd_, kMarkerTimer, kMarkerIntervalMs, nullptr);
    SetTimer(hwnd_, kCommitTimer, kCommitIntervalMs, nullptr);
    RefreshFromProfile();
    return FALSE;
}

void CDlgMainSet::BuildControls() {
    // The template's own fields, if any, are not part of this page.
    EnumChildWindows(
        hwnd_,
        [](HWND child, LPARAM) -> BOOL {
            ShowWindow(child, SW_HIDE);
            return TRUE;
        },
        0);
    const bool zh = ChineseUi == 1;
    skin_.Load(L"Tarn_Main");
    background_ = LoadBitmapResource(ResourceBase());
    const HWND page = hwnd_;
    auto check = [&](CGDIBitmapBtn& b, const geo::Rect& r, bool toggleOnClick = false) {
        assign::MakeButton(b, r, page, skin_);
        b.SetCheckMode(true, toggleOnClick);
    };
    for (int i = 0; i < kDpiChoiceCount; ++i) check(dpi_[i], bp::DpiToggle(i));

    const std::wstring thumb = SkinPath(L"Slider.png");
    auto slider = [&](CPngHSliderBar& s, const geo::Rect& r, UINT id, int minimum, int maximum) {
        s.CreateSlider(thumb, r.left, r.top, r.right, r.bottom, page, id);
        s.SetTrackRect(r.left, r.top, r.right - kTrackShortening, r.bottom);
        s.SetSliderRange(minimum, maximum);
        s.SetSliderBackground(r.left, r.top, r.width(), r.height(), background_.get());
    };
    slider(pointerSpeed_, bp::kPointerSpeed, kPointerSpeedId, kPointerSpeedMin, kPointerSpeedMax);
    check(precision_, bp::kPrecision);
    slider(secondSlider_, bp::kSecondSlider, kSecondSliderId, kSecondSliderMin, kSecondSliderMax);
    for (int k = 0; k < kReportRateCount; ++k) check(rates_[k], bp::kReportRates[k]);
    check(linesChoice_, bp::kLinesChoice.get(zh));
    MakeLinesEdit(bp::kLinesEdit.get(zh));
    assign::MakeButton(stepUp_, bp::kStepUp.get(zh), page, skin_);
    assign::MakeButton(stepDown_, bp::kStepDown.get(zh), page, skin_);
    check(screenChoice_, bp::kScreenChoice.get(zh));
    for (int i = 0; i < kButtonCount; ++i) check(markers_[i], bp::kMarkers[i].get(zh), true);
    for (size_t t = 0; t < titles_.size(); ++t) check(titles_[t], bp::kTitles[t]);

    const OwnedBitmap down = LoadBitmapResource(ResourceBase());
    const OwnedBitmap normal = LoadBitmapResource(ResourceBase() + 1);
    const OwnedBitmap over = LoadBitmapResource(ResourceBase() + 2);
    for (int i = 0; i < kButtonCount; ++i) {
        tabs_[i].CreateShaped(u"", kShapedStyle, bp::Tab(i), page);
        tabs_[i].SetSticky(true);
        tabs_[i].CutStateBitmaps(normal.get(), down.get(), over.get(), normal.get());
    }
    SetTooltips();
    built_ = true;
}

// A one-line edit draws its text at its top; inside the field's frame it goes one text line
// high and centred, so the number sits in the middle of the frame the skin draws.
void CDlgMainSet::MakeLinesEdit(const geo::Rect& field) {
    linesEdit_.CreateEdit(WS_CHILD | WS_VISIBLE | ES_NUMBER | ES_AUTOHSCROLL | ES_CENTER,
                          assign::ToRect(field), hwnd_, kLinesEditId);
    int line = field.height();
    if (HDC dc = GetDC(linesEdit_.hwnd())) {
        auto font = reinterpret_cast<HFONT>(SendMessageW(linesEdit_.hwnd(), WM_GETFONT, 0, 0));
        HGDIOBJ old = SelectObject(dc, font);
        TEXTMETRICW metrics{};
        if (GetTextMetricsW(dc, &metrics)) line = std::min<int>(line, metrics.tmHeight + 2);
        SelectObject(dc, old);
        ReleaseDC(linesEdit_.hwnd(), dc);
    }
    const int top = field.top + (field.height() - line) / 2;
    MoveWindow(linesEdit_.hwnd(), field.left, top, field.width(), line, FALSE);
    linesEdit_.SetSkinBackground(field.left, top, field.width(), line, background_.get());
}

void CDlgMainSet::SetTooltips() {
    if (!hwnd_) return;
    for (CGDIBitmapBtn& b : dpi_) b.SetTooltip(Text(StringKey::str_dpiwant));
    precision_.SetTooltip(Text(StringKey::str_improveAccuracy));
    for (CGDIBitmapBtn& b : rates_) b.SetTooltip(Text(StringKey::str_rollingrate));
    linesChoice_.SetTooltip(Text(StringKey::str_rollerColumn));
    screenChoice_.SetTooltip(Text(StringKey::str_rollerScreen));
}

void CDlgMainSet::ShowView() {
    for (int i = 0; i < kDpiChoiceCount; ++i) dpi_[i].SetChecked(view_.dpi[i]);
    precision_.SetChecked(view_.precision);
    for (int k = 0; k < kReportRateCount; ++k) rates_[k].SetChecked(view_.reportRate[k]);
    linesChoice_.SetChecked(view_.linesChoice);
    screenChoice_.SetChecked(view_.screenChoice);
    for (HWND w : {stepUp_.hwnd(), stepDown_.hwnd(), linesEdit_.hwnd()}) {
        EnableWindow(w, view_.linesEnabled);
    }
    for (int i = 0; i < kButtonCount; ++i) tabs_[i].SetSelected(view_.tabSelected[i]);
}

void CDlgMainSet::RefreshFromProfile() {
    // Before the page exists (it is made once the window shows) there is nothing to show.
    if (!built_) return;
    const ProfileRecord& profile = Settings().currentProfile;
    view_ = ViewFromProfile(profile);
    ShowView();
    pointerSpeed_.SetSliderPos(static_cast<int>(profile.pointerSpeed));
    secondSlider_.SetSliderPos(static_cast<int>(profile.sheight));
    SetWindowTextW(linesEdit_.hwnd(), std::to_wstring(view_.scrollLinesEdit).c_str());
}

std::u16string CDlgMainSet::LinesText() const {
    wchar_t typed[64] = {};
    GetWindowTextW(linesEdit_.hwnd(), typed, 64);
    return std::u16string(typed, typed + wcslen(typed));
}

void CDlgMainSet::CommitScrollLines() {
    if (!built_) return;
    const std::u16string text = LinesText();
    const CommittedLines c = ::tarn::CommitScrollLines(text, view_, Settings().currentProfile);
    // Rewriting the same text would move the caret under the user's fingers for nothing.
    if (c.text != text) SetWindowTextW(linesEdit_.hwnd(), W(c.text));
    SendMessageW(linesEdit_.hwnd(), EM_SETSEL, c.caret, c.caret);
    SendMessageW(linesEdit_.hwnd(), EM_SCROLLCARET, 0, 0);
}

LRESULT CDlgMainSet::OnCommand(WPARAM, LPARAM lParam) {
    HWND from = reinterpret_cast<HWND>(lParam);
    if (!from || !built_) return Default();
    ProfileRecord& profile = Settings().currentProfile;
    for (int i = 0; i < kDpiChoiceCount; ++i) {
        if (from == dpi_[i].hwnd()) {
            ClickDpiToggle(view_, profile, i);
            ShowView();
            return 0;
        }
    }
    if (from == precision_.hwnd()) {
        ClickPrecision(view_, profile);
    } else if (from == rates_[0].hwnd() || from == rates_[1].hwnd() || from == rates_[2].hwnd()) {
        ClickReportRate(view_, profile,
                        from == rates_[0].hwnd()   ? 0
                        : from == rates_[1].hwnd() ? 1
                                                   : 2);
    } else if (from == linesChoice_.hwnd()) {
        ChooseLines(view_, profile);
        SetWindowTextW(linesEdit_.hwnd(), std::to_wstring(view_.scrollLinesEdit).c_str());
    } else if (from == stepUp_.hwnd() || from == stepDown_.hwnd()) {
        if (from == stepUp_.hwnd()) {
            StepLinesUp(view_, profile);
        } else {
            StepLinesDown(view_, profile);
        }
        SetWindowTextW(linesEdit_.hwnd(), std::to_wstring(view_.scrollLinesEdit).c_str());
    } else if (from == screenChoice_.hwnd()) {
        const std::u16string text = ClickScreenChoice(LinesText(), view_, profile);
        SetWindowTextW(linesEdit_.hwnd(), W(text));
    } else {
        for (int i = 0; i < kButtonCount; ++i) {
            if (from == tabs_[i].hwnd()) {
                OpenAssignmentPanel(i);
                return 0;
            }
        }
        return Default();
    }
    ShowView();
    return 0;
}

LRESULT CDlgMainSet::OnSlider(WPARAM value, LPARAM id) {
    ProfileRecord& profile = Settings().currentProfile;
    if (id == kPointerSpeedId) profile.pointerSpeed = static_cast<uint32_t>(value);
    if (id == kSecondSliderId) profile.sheight = static_cast<uint32_t>(value);
    return 1;
}

LRESULT CDlgMainSet::OnTimer(WPARAM id, LPARAM) {
    if (id == kMarkerTimer) {
        MarkerHighlight();
    } else if (id == kCommitTimer) {
        if (view_.linesChoice) CommitScrollLines();
    } else {
        return Default();
    }
    return 0;
}

void CDlgMainSet::OpenAssignmentPanel(int button) {
    selectedButton_ = button;
    const AssignOutcome outcome =
        RunAssignment(Settings(), Macros(), button, ChineseUi == 1, *this);
    const std::u16string_view message = RefusalMessage(outcome, ChineseUi == 1);
    if (!message.empty()) ShowInfoBox(message, false);
    tabs_[button].SetSelected(TabShownSelected(Settings().currentProfile, button));
    selectedButton_ = -1;
}

bool CDlgMainSet::RunPanel(int button, std::u16string_view currentName, AssignmentResult& result) {
    CSettingDlg panel(button, std::u16string(currentName));
    const bool ok = panel.Run(hwnd_);
    result = panel.Result();
    return ok;
}

void CDlgMainSet::MarkerHighlight() {
    POINT cursor{};
    if (!GetCursorPos(&cursor)) return;
    const bool front = GetForegroundWindow() == GetAncestor(hwnd_, GA_ROOT);
    for (int i = 0; i < kButtonCount; ++i) {
        RECT r{};
        GetWindowRect(tabs_[i].hwnd(), &r);
        r.left += kMarkerInset;
        r.right -= kMarkerInset;
        const bool inside = PtInRect(&r, cursor) != FALSE;
        if (inside && !front) continue;
        markers_[i].SetChecked(inside);
    }
}

void CDlgMainSet::PostHints(POINT point) {
    auto hint = [&](HWND control, int id) {
        RECT r{};
        if (!control || !GetWindowRect(control, &r)) return;
        MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
        InflateRect(&r, 1, 1);
        if (PtInRect(&r, point)) PostHint(id);
    };
    for (CGDIBitmapBtn& b : dpi_) hint(b.hwnd(), kHintDpi);
    hint(pointerSpeed_.hwnd(), kHintPointerSpeed);
    hint(precision_.hwnd(), kHintPrecision);
    hint(secondSlider_.hwnd(), kHintSecondSlider);
    for (CGDIBitmapBtn& b : rates_) hint(b.hwnd(), kHintReportRate);
    hint(linesChoice_.hwnd(), kHintLines);
    hint(screenChoice_.hwnd(), kHintScreen);
    for (CIrrButton& t : tabs_) hint(t.hwnd(), kHintButtons);
    for (size_t t = 0; t < titles_.size(); ++t) hint(titles_[t].hwnd(), kTitleHints[t]);
}

LRESULT CDlgMainSet::OnMouseMove(WPARAM, LPARAM lParam) {
    if (built_) PostHints({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    return 0;
}

LRESULT CDlgMainSet::OnEraseBackground(WPARAM, LPARAM) {
    return TRUE;
}

LRESULT CDlgMainSet::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    if (skin_.normal) {
        PaintPicture(dc, skin_.normal);
    } else {
        RECT client{};
        GetClientRect(hwnd_, &client);
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    EndPaint(hwnd_, &ps);
    return 0;
}

LRESULT CDlgMainSet::OnDestroy(WPARAM, LPARAM) {
    KillTimer(hwnd_, kMarkerTimer);
    KillTimer(hwnd_, kCommitTimer);
    built_ = false;
    return Default();
}

}  // namespace tarn
