#include "lighting/led_view.h"

#include <algorithm>
#include <climits>

#include "skin/skin_geometry.h"

namespace tarn {

namespace {

bool IsColourMode(uint32_t mode) {
    return mode == led::kModeSteady || mode == led::kModeBreathing;
}

// The position a slider's thumb takes for a stored value: outside the range it sits at the
// start, as the slider itself places it.
int ThumbShows(uint32_t value, skin::SliderRange range) {
    return skin::NormalizeSliderValue(static_cast<int>(std::min<uint32_t>(value, INT_MAX)), range);
}

// A slider message may come from anywhere; only the slider's own range is written.
int Clamp(intptr_t position, skin::SliderRange range) {
    return static_cast<int>(std::clamp<intptr_t>(position, range.minimum, range.maximum));
}

int ColourChannelOf(unsigned sliderId) {
    switch (sliderId) {
        case kRedSliderId:
            return 0;
        case kGreenSliderId:
            return 1;
        case kBlueSliderId:
            return 2;
        default:
            return -1;
    }
}

}  // namespace

void LedPageLogic::RefreshLedView() {
    const uint32_t mode = profile_.ledMode;
    view_.modeChecked = {};
    if (mode >= led::kModeSteady && mode <= led::kModeOff) view_.modeChecked[mode - 1] = true;
    // A mode the page does not know (a damaged or foreign file) reaches the mouse as the
    // lights-off effect, so it shows as a mode without colour rather than as the last one shown.
    const bool colour = IsColourMode(mode);
    view_.mode1SliderEnabled = mode == led::kModeSteady;
    view_.mode2SliderEnabled = mode == led::kModeBreathing;
    view_.wheelActive = colour;
    EnableColourControls(colour);

    view_.bodyOnChecked = profile_.ledBodyLight != 0;
    view_.bodyOffChecked = !view_.bodyOnChecked;
    view_.mode1SliderPos = ThumbShows(profile_.ledSpeedMode1, kMode1Range);
    view_.mode2SliderPos = ThumbShows(profile_.ledSpeedMode2, kMode2Range);

    view_.presetChecked = {};
    if (profile_.ledColorCustom == 0) {
        if (profile_.ledPresetIndex >= static_cast<uint32_t>(led::kPresetCount)) {
            profile_.ledPresetIndex = 0;
        }
        view_.presetChecked[profile_.ledPresetIndex] = true;
        // The sliders keep the preset's channels even while disabled; the number fields keep
        // what EnableColourControls wrote.
        for (int i = 0; i < 3; ++i) {
            view_.colourSliderPos[i] = led::Channel(profile_.ledColor, i);
            view_.shownValues[i] = view_.colourSliderPos[i];
        }
    }
    view_.swatchColour = profile_.ledColor & 0xFFFFFF;
}

void LedPageLogic::EnableColourControls(bool on) {
    view_.presetChecked = {};
    view_.presetsEnabled = on;
    for (int i = 0; i < 3; ++i) {
        view_.shownValues[i] = on ? led::Channel(profile_.ledColor, i) : 0;
        view_.colourSliderPos[i] = view_.shownValues[i];
    }
    view_.colourSlidersEnabled = on;
    view_.fieldValues = view_.shownValues;
}

void LedPageLogic::ColourFromSliders() {
    view_.swatchColour = profile_.ledColor & 0xFFFFFF;
    profile_.ledColorCustom = 1;
    view_.fieldValues = view_.shownValues;
    view_.presetChecked = {};
}

void LedPageLogic::ChooseMode(uint32_t mode) {
    if (mode < led::kModeSteady || mode > led::kModeOff) return;
    profile_.ledMode = mode;
    RefreshLedView();
}

void LedPageLogic::SetBodyLight(bool on) {
    profile_.ledBodyLight = on ? 1 : 0;
    RefreshLedView();
}

void LedPageLogic::ChoosePreset(int k) {
    // Disabled swatches take no clicks; a stray command must not change the colour either.
    if (k < 0 || k >= led::kPresetCount || !view_.presetsEnabled) return;
    profile_.ledColor = led::kPresets[k];
    profile_.ledPresetIndex = static_cast<uint32_t>(k);
    profile_.ledColorCustom = 0;
    RefreshLedView();
}

bool LedPageLogic::OnSlider(unsigned id, intptr_t position) {
    const int channel = ColourChannelOf(id);
    if (channel >= 0) {
        if (!view_.colourSlidersEnabled) return true;
        const int value = Clamp(position, kColourRange);
        profile_.ledColor = led::WithChannel(profile_.ledColor, channel, value);
        view_.colourSliderPos[channel] = value;
        view_.shownValues[channel] = value;
        ColourFromSliders();
        return true;
    }
    if (id == kMode1SliderId) {
        if (!view_.mode1SliderEnabled) return true;
        view_.mode1SliderPos = Clamp(position, kMode1Range);
        profile_.ledSpeedMode1 = static_cast<uint32_t>(view_.mode1SliderPos);
        return true;
    }
    if (id == kMode2SliderId) {
        if (!view_.mode2SliderEnabled) return true;
        view_.mode2SliderPos = Clamp(position, kMode2Range);
        profile_.ledSpeedMode2 = static_cast<uint32_t>(view_.mode2SliderPos);
        return true;
    }
    return false;
}

bool LedPageLogic::WheelTakesPoint(int x, int y) const {
    return view_.wheelActive && InColourWheel(x, y);
}

void LedPageLogic::PickWheelColour(uint32_t colour) {
    colour &= 0xFFFFFF;
    profile_.ledColorCustom = 1;
    profile_.ledColor = colour;
    ShowColour(colour);
}

void LedPageLogic::ShowColour(uint32_t colour) {
    for (int i = 0; i < 3; ++i) {
        view_.shownValues[i] = led::Channel(colour, i);
        view_.colourSliderPos[i] = view_.shownValues[i];
    }
    view_.fieldValues = view_.shownValues;
    view_.swatchColour = colour;
    // The colour is the user's own now, as after the sliders: no preset stays marked.
    view_.presetChecked = {};
}

bool InColourWheel(int x, int y) {
    const geo::Rect& w = geo::lighting_page::kWheel;
    const double rx = w.width() / 2.0, ry = w.height() / 2.0;
    const double dx = (x + 0.5 - (w.left + rx)) / rx, dy = (y + 0.5 - (w.top + ry)) / ry;
    return dx * dx + dy * dy <= 1.0;
}

}  // namespace tarn
