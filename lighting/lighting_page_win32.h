// CDlgLEDSet: the lighting page (template 104). Mode buttons, the two speed sliders, the body
// light switch, the current-colour swatch, 26 preset swatches, R/G/B sliders with their number
// fields and the colour wheel painted into the page's skin. Its rules live in LedPageLogic; the
// window forwards each action there and redraws its controls from the resulting view.
#pragma once

#include <windows.h>

#include <array>
#include <vector>

#include "lighting/led_hints.h"
#include "lighting/led_view.h"
#include "skin/bitmap_button_win32.h"
#include "skin/bitmap_edit_win32.h"
#include "skin/color_button_win32.h"
#include "skin/page_win32.h"
#include "skin/picture_win32.h"
#include "skin/slider_win32.h"

namespace tarn {

class CDlgLEDSet : public CPage {
    TARN_DECLARE_MESSAGES()

public:
    CDlgLEDSet();

    void Refresh() override { RefreshLedView(); }
    void LanguageChanged() override;
    // Reads the current profile's lighting fields back into every control.
    void RefreshLedView();

protected:
    BOOL OnInitDialog() override;

private:
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnEraseBackground(WPARAM, LPARAM);
    LRESULT OnCommand(WPARAM, LPARAM);
    LRESULT OnSlider(WPARAM, LPARAM);
    LRESULT OnMouseMove(WPARAM, LPARAM);
    LRESULT OnLButtonDown(WPARAM, LPARAM);
    LRESULT OnLButtonUp(WPARAM, LPARAM);
    LRESULT OnSetCursor(WPARAM, LPARAM);

    void LoadPictures();
    void CreateButtons();
    void CreateSliders();
    void CreateNumberFields();
    void SkinButton(CGDIBitmapBtn& button, const geo::Rect& r);
    void CreateSlider(CPngHSliderBar& slider, const geo::Rect& r, UINT id, skin::SliderRange range);
    // Brings the controls in line with the logic's view, touching only what changed.
    void ShowView();
    void PostHints(int x, int y);
    bool IsSliderPart(HWND window) const;
    // The colour of the page pixel under a wheel press, or false when none can be read.
    bool ReadPixel(int x, int y, COLORREF& colour) const;

    LedPageLogic logic_;
    LedView shown_;
    bool shownOnce_ = false;
    bool chinese_ = false;  // the layout chosen at creation
    std::vector<LedHintTarget> hintTargets_;
    bool hintPosted_ = false;

    OwnedBitmap normal_, down_, over_;
    std::array<CGDIBitmapBtn, led::kModeCount> modeButtons_;  // mode k at index k - 1
    CGDIBitmapBtn bodyOn_, bodyOff_;
    CColorBtn swatch_;
    std::array<CGDIBitmapBtn, led::kPresetCount> presets_;
    CPngHSliderBar mode1Slider_, mode2Slider_;
    std::array<CPngHSliderBar, 3> colourSliders_;
    std::array<CBitmapEdit, 3> numberFields_;
};

}  // namespace tarn
