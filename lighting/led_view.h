// The lighting page's rules, without a window: every user action writes the lighting fields of
// the current profile at once and leaves behind what each control must show (LedView). The page
// window forwards the actions here and redraws its controls from the view. Nothing here sends to
// the mouse; the next apply does.
#pragma once

#include <array>
#include <cstdint>

#include "lighting/led_colours.h"
#include "settings/profile_record.h"
#include "skin/slider_math.h"

namespace tarn {

// Control ids the sliders report with message 0x800, and the ids of the number fields.
inline constexpr unsigned kRedSliderId = 0x301;
inline constexpr unsigned kGreenSliderId = 0x302;
inline constexpr unsigned kBlueSliderId = 0x303;
inline constexpr unsigned kRedFieldId = 0x304;
inline constexpr unsigned kGreenFieldId = 0x305;
inline constexpr unsigned kBlueFieldId = 0x306;
inline constexpr unsigned kMode1SliderId = 0x309;
inline constexpr unsigned kMode2SliderId = 0x30A;

inline constexpr skin::SliderRange kMode1Range{1, 10};  // brightness of the steady light
inline constexpr skin::SliderRange kMode2Range{1, 5};   // breathing speed
inline constexpr skin::SliderRange kColourRange{0, 255};

// What every control of the page shows. Channels are in the order red, green, blue.
struct LedView {
    std::array<bool, led::kModeCount> modeChecked{};  // mode k at index k - 1
    bool mode1SliderEnabled = true;
    bool mode2SliderEnabled = true;
    int mode1SliderPos = kMode1Range.minimum;
    int mode2SliderPos = kMode2Range.minimum;
    bool bodyOnChecked = false;
    bool bodyOffChecked = false;
    std::array<bool, led::kPresetCount> presetChecked{};
    bool presetsEnabled = true;
    std::array<int, 3> colourSliderPos{};
    bool colourSlidersEnabled = true;
    // The values the page remembers as shown, and what the three number fields display: they
    // part in the disabled modes, where the fields say 0 while the sliders keep a preset's value.
    std::array<int, 3> shownValues{};
    std::array<int, 3> fieldValues{};
    uint32_t swatchColour = 0xFFFFFF;
    bool wheelActive = true;

    bool operator==(const LedView&) const = default;
};

class LedPageLogic {
public:
    // The page holds no copy of the profile: it edits the record it is given in place.
    explicit LedPageLogic(ProfileRecord& profile) : profile_(profile) {}

    const LedView& view() const { return view_; }

    // Puts every control into the state the profile's lighting fields describe.
    void RefreshLedView();
    // The preset swatches, colour sliders and number fields on (the colour of ledColor) or off.
    void EnableColourControls(bool on);
    // After a colour slider moved: the colour is the user's own now.
    void ColourFromSliders();

    // The user's actions. Values outside what the controls can produce are refused.
    void ChooseMode(uint32_t mode);
    void SetBodyLight(bool on);
    void ChoosePreset(int k);
    // Message 0x800 from a slider; false when the id is none of the page's sliders.
    bool OnSlider(unsigned id, intptr_t position);

    // Whether the wheel takes a colour at this page point now (inside it, in a colour mode).
    bool WheelTakesPoint(int x, int y) const;
    // The colour of the pixel under a press on the wheel (checked with WheelTakesPoint).
    void PickWheelColour(uint32_t colour);

private:
    void ShowColour(uint32_t colour);

    ProfileRecord& profile_;
    LedView view_;
};

// Whether a page point lies on the colour wheel: the ellipse inscribed in its rectangle, tested
// at pixel centres, exactly the pixels the skin paints as the wheel.
bool InColourWheel(int x, int y);

}  // namespace tarn
