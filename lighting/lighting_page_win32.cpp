#include "lighting/lighting_page_win32.h"

#include <windowsx.h>

#include <string>

#include "base/language_state.h"
#include "base/window_messages.h"

namespace tarn {

namespace {

namespace lp = geo::lighting_page;

// Hint id that empties the main window's hint line.
constexpr int kNoHint = 99;

RECT R(const geo::Rect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

// The mode buttons by mode (index mode - 1): their placement and tooltip.
const geo::Placed* const kModeRects[led::kModeCount] = {&lp::kMode1, &lp::kMode2, &lp::kMode3,
                                                        &lp::kMode4, &lp::kMode5};
constexpr StringKey kModeTips[led::kModeCount] = {
    StringKey::str_led_brealways, StringKey::str_led_norbre, StringKey::str_led_apmbre,
    StringKey::str_ledspe, StringKey::str_led_off};

HCURSOR CrossHair() {
    static const HCURSOR cursor = LoadCursorW(nullptr, IDC_CROSS);
    return cursor;
}

}  // namespace

TARN_BEGIN_MESSAGES(CDlgLEDSet)
TARN_ON(WM_PAINT, OnPaint)
TARN_ON(WM_ERASEBKGND, OnEraseBackground)
TARN_ON(WM_COMMAND, OnCommand)
TARN_ON(kMsgSlider, OnSlider)
TARN_ON(WM_MOUSEMOVE, OnMouseMove)
TARN_ON(WM_LBUTTONDOWN, OnLButtonDown)
TARN_ON(WM_LBUTTONUP, OnLButtonUp)
TARN_ON(WM_SETCURSOR, OnSetCursor)
TARN_END_MESSAGES(CPage)

CDlgLEDSet::CDlgLEDSet() : logic_(Settings().currentProfile) {}

BOOL CDlgLEDSet::OnInitDialog() {
    chinese_ = ChineseUi == 1;
    hintTargets_ = LedHintTargets(chinese_);
    LoadPictures();
    CreateButtons();
    CreateSliders();
    CreateNumberFields();
    LanguageChanged();
    RefreshLedView();
    return FALSE;
}

void CDlgLEDSet::LoadPictures() {
    normal_ = LoadPictureFile(SkinPath(L"Light\\LedSet_normal.bmp"));
    down_ = LoadPictureFile(SkinPath(L"Light\\LedSet_down.bmp"));
    over_ = LoadPictureFile(SkinPath(L"Light\\LedSet_over.bmp"));
}

void CDlgLEDSet::SkinButton(CGDIBitmapBtn& button, const geo::Rect& r) {
    button.CreateButton(R(r), hwnd_);
    button.SetSkinImages(r.left, r.top, r.right, r.bottom, normal_.get(), over_.get(), down_.get(),
                         normal_.get());
    // Radio buttons and swatches: checked only through SetChecked, never by a click alone.
    button.SetCheckMode(true, false);
}

void CDlgLEDSet::CreateButtons() {
    for (int k = 0; k < led::kModeCount; ++k) {
        SkinButton(modeButtons_[k], kModeRects[k]->get(chinese_));
    }
    SkinButton(bodyOn_, lp::kBodyOn.get(chinese_));
    SkinButton(bodyOff_, lp::kBodyOff.get(chinese_));
    swatch_.CreateButton(R(lp::kSwatch.get(chinese_)), hwnd_);
    for (int k = 0; k < led::kPresetCount; ++k) {
        SkinButton(presets_[k], lp::PresetSwatch(k, chinese_));
    }
}

void CDlgLEDSet::CreateSlider(CPngHSliderBar& slider, const geo::Rect& r, UINT id,
                              skin::SliderRange range) {
    slider.CreateSlider(SkinPath(L"Slider.png"), r.left, r.top, r.right, r.bottom, hwnd_, id);
    slider.SetTrackRect(r.left, r.top, r.right, r.bottom);
    slider.SetSliderRange(range.minimum, range.maximum);
    slider.SetSliderBackground(r.left, r.top, r.width(), r.height(), normal_.get());
}

void CDlgLEDSet::CreateSliders() {
    CreateSlider(mode2Slider_, lp::kMode2Slider.get(chinese_), kMode2SliderId, kMode2Range);
    CreateSlider(mode1Slider_, lp::kMode1Slider.get(chinese_), kMode1SliderId, kMode1Range);
    const geo::Placed* rects[3] = {&lp::kRedSlider, &lp::kGreenSlider, &lp::kBlueSlider};
    const UINT ids[3] = {kRedSliderId, kGreenSliderId, kBlueSliderId};
    for (int i = 0; i < 3; ++i) {
        CreateSlider(colourSliders_[i], rects[i]->get(chinese_), ids[i], kColourRange);
    }
}

void CDlgLEDSet::CreateNumberFields() {
    // Display only: the values come from the sliders and the wheel, typing is not possible.
    constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_DISABLED | ES_NUMBER | ES_AUTOHSCROLL;
    for (int i = 0; i < 3; ++i) {
        const geo::Rect& r = lp::kNumberFields[i];
        numberFields_[i].CreateEdit(kStyle, R(r), hwnd_, kRedFieldId + i);
        numberFields_[i].SetSkinBackground(r.left, r.top, r.width(), r.height(), normal_.get());
    }
}

void CDlgLEDSet::LanguageChanged() {
    if (!hwnd_) return;
    for (int k = 0; k < led::kModeCount; ++k) modeButtons_[k].SetTooltip(Text(kModeTips[k]));
    bodyOn_.SetTooltip(Text(StringKey::str_led_body_on));
    bodyOff_.SetTooltip(Text(StringKey::str_led_body_off));
    swatch_.SetTooltip(Text(StringKey::str_choose_color));
}

void CDlgLEDSet::RefreshLedView() {
    logic_.RefreshLedView();
    ShowView();
}

void CDlgLEDSet::ShowView() {
    if (!hwnd_) return;
    const LedView& v = logic_.view();
    const bool all = !shownOnce_;
    for (int k = 0; k < led::kModeCount; ++k) modeButtons_[k].SetChecked(v.modeChecked[k]);
    mode1Slider_.EnableSlider(v.mode1SliderEnabled);
    mode2Slider_.EnableSlider(v.mode2SliderEnabled);
    // Placing a thumb repaints its bar, so only the ones that moved are placed.
    if (all || v.mode1SliderPos != shown_.mode1SliderPos)
        mode1Slider_.SetSliderPos(v.mode1SliderPos);
    if (all || v.mode2SliderPos != shown_.mode2SliderPos)
        mode2Slider_.SetSliderPos(v.mode2SliderPos);
    bodyOn_.SetChecked(v.bodyOnChecked);
    bodyOff_.SetChecked(v.bodyOffChecked);
    for (int k = 0; k < led::kPresetCount; ++k) {
        EnableWindow(presets_[k].hwnd(), v.presetsEnabled);
        presets_[k].SetChecked(v.presetChecked[k]);
    }
    for (int i = 0; i < 3; ++i) {
        colourSliders_[i].EnableSlider(v.colourSlidersEnabled);
        if (all || v.colourSliderPos[i] != shown_.colourSliderPos[i]) {
            colourSliders_[i].SetSliderPos(v.colourSliderPos[i]);
        }
        if (all || v.fieldValues[i] != shown_.fieldValues[i]) {
            SetWindowTextW(numberFields_[i].hwnd(), std::to_wstring(v.fieldValues[i]).c_str());
        }
    }
    if (all || v.swatchColour != shown_.swatchColour) swatch_.SetSwatchColor(v.swatchColour);
    shown_ = v;
    shownOnce_ = true;
}

LRESULT CDlgLEDSet::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    if (!PaintPicture(dc, normal_)) {
        // Without its skin the page is still usable; the wheel then reads this black.
        FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    EndPaint(hwnd_, &ps);
    return 0;
}

// The picture covers the page; erasing first would only flicker.
LRESULT CDlgLEDSet::OnEraseBackground(WPARAM, LPARAM) {
    return TRUE;
}

LRESULT CDlgLEDSet::OnCommand(WPARAM wParam, LPARAM lParam) {
    const HWND sender = reinterpret_cast<HWND>(lParam);
    if (!sender || HIWORD(wParam) != BN_CLICKED) return 0;
    for (int k = 0; k < led::kModeCount; ++k) {
        if (sender == modeButtons_[k].hwnd()) logic_.ChooseMode(static_cast<uint32_t>(k + 1));
    }
    if (sender == bodyOn_.hwnd()) logic_.SetBodyLight(true);
    if (sender == bodyOff_.hwnd()) logic_.SetBodyLight(false);
    for (int k = 0; k < led::kPresetCount; ++k) {
        if (sender == presets_[k].hwnd()) logic_.ChoosePreset(k);
    }
    ShowView();
    return 0;
}

LRESULT CDlgLEDSet::OnSlider(WPARAM wParam, LPARAM lParam) {
    if (logic_.OnSlider(static_cast<unsigned>(lParam), static_cast<intptr_t>(wParam))) ShowView();
    return 0;
}

LRESULT CDlgLEDSet::OnMouseMove(WPARAM, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    if (logic_.WheelTakesPoint(x, y)) SetCursor(CrossHair());
    PostHints(x, y);
    return 0;
}

// The colour is taken at the press only; dragging over the wheel picks nothing.
LRESULT CDlgLEDSet::OnLButtonDown(WPARAM, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    if (!logic_.WheelTakesPoint(x, y)) return 0;
    SetCursor(CrossHair());
    COLORREF colour = 0;
    if (!ReadPixel(x, y, colour)) return 0;
    logic_.PickWheelColour(colour);
    ShowView();
    return 0;
}

LRESULT CDlgLEDSet::OnLButtonUp(WPARAM, LPARAM lParam) {
    if (logic_.WheelTakesPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))) SetCursor(CrossHair());
    return 0;
}

LRESULT CDlgLEDSet::OnSetCursor(WPARAM wParam, LPARAM lParam) {
    const HWND over = reinterpret_cast<HWND>(wParam);
    POINT p{};
    GetCursorPos(&p);
    ScreenToClient(hwnd_, &p);
    // The page's own cursor is the arrow; over the live wheel it is the cross-hair, set here
    // so the arrow does not flash in between two moves.
    if (over == hwnd_ && LOWORD(lParam) == HTCLIENT && logic_.WheelTakesPoint(p.x, p.y)) {
        SetCursor(CrossHair());
        return TRUE;
    }
    // Sliders pass no mouse moves on; their hints follow the pointer from here.
    if (LOWORD(lParam) == HTCLIENT && HIWORD(lParam) == WM_MOUSEMOVE && IsSliderPart(over)) {
        PostHints(p.x, p.y);
    }
    return Default();
}

void CDlgLEDSet::PostHints(int x, int y) {
    const std::vector<int> ids = LedHintIds(hintTargets_, x, y);
    for (int id : ids) PostHint(id);
    // Off every control the line empties, so it never explains a control the pointer left.
    if (ids.empty() && hintPosted_) PostHint(kNoHint);
    hintPosted_ = !ids.empty();
}

bool CDlgLEDSet::IsSliderPart(HWND window) const {
    if (!window) return false;
    const HWND parent = GetParent(window);
    for (const CPngHSliderBar* s : {&mode1Slider_, &mode2Slider_, &colourSliders_[0],
                                    &colourSliders_[1], &colourSliders_[2]}) {
        if (window == s->hwnd() || parent == s->hwnd()) return true;
    }
    return false;
}

bool CDlgLEDSet::ReadPixel(int x, int y, COLORREF& colour) const {
    HDC dc = GetDC(hwnd_);
    if (!dc) return false;
    const COLORREF pixel = GetPixel(dc, x, y);
    ReleaseDC(hwnd_, dc);
    // A pixel that cannot be read must not become the colour: it would reach the profile and
    // the mouse as white with a stray top byte.
    if (pixel == CLR_INVALID) return false;
    colour = pixel & 0xFFFFFF;
    return true;
}

}  // namespace tarn
