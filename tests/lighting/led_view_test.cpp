#include "lighting/led_view.h"

#include <gtest/gtest.h>

#include <cstring>

#include "skin/skin_geometry.h"

namespace tarn {
namespace {

using Channels = std::array<int, 3>;

class LedPage : public ::testing::Test {
protected:
    LedPage() {
        MakeDefaultProfile(profile);
        page.RefreshLedView();
    }

    // The number of preset swatches shown checked, and which one (-1 for none).
    int CheckedPreset() const {
        int found = -1, count = 0;
        for (int k = 0; k < led::kPresetCount; ++k) {
            if (page.view().presetChecked[k]) found = k, ++count;
        }
        return count == 1 ? found : (count == 0 ? -1 : -2);
    }

    ProfileRecord profile{};
    LedPageLogic page{profile};
};

TEST_F(LedPage, PresetInTheSteadyModeSetsItsColourAndShowsItsChannels) {
    page.ChooseMode(led::kModeSteady);
    page.ChoosePreset(12);
    EXPECT_EQ(profile.ledColor, 0xF80024u);
    EXPECT_EQ(profile.ledPresetIndex, 12u);
    EXPECT_EQ(profile.ledColorCustom, 0u);
    const LedView& v = page.view();
    EXPECT_EQ(v.colourSliderPos, (Channels{36, 0, 248}));
    EXPECT_EQ(v.fieldValues, (Channels{36, 0, 248}));
    EXPECT_EQ(v.swatchColour, 0xF80024u);
    EXPECT_EQ(CheckedPreset(), 12);
}

TEST_F(LedPage, ColourSliderMakesTheColourCustomAndNoPresetStaysChecked) {
    page.ChooseMode(led::kModeSteady);
    page.ChoosePreset(12);
    ASSERT_TRUE(page.OnSlider(kRedSliderId, 200));
    EXPECT_EQ(profile.ledColor, 0xF800C8u);
    EXPECT_EQ(profile.ledColorCustom, 1u);
    EXPECT_EQ(profile.ledPresetIndex, 12u);  // kept, unused while the colour is custom
    EXPECT_EQ(CheckedPreset(), -1);
    EXPECT_EQ(page.view().fieldValues, (Channels{200, 0, 248}));
    EXPECT_EQ(page.view().swatchColour, 0xF800C8u);

    // Another page and back: the main window refreshes the page from the profile.
    page.RefreshLedView();
    EXPECT_EQ(CheckedPreset(), -1);
    EXPECT_EQ(page.view().colourSliderPos, (Channels{200, 0, 248}));

    ASSERT_TRUE(page.OnSlider(kGreenSliderId, 17));
    ASSERT_TRUE(page.OnSlider(kBlueSliderId, 1));
    EXPECT_EQ(profile.ledColor, 0x0111C8u);
}

TEST_F(LedPage, ModesWithoutColourDisableTheColourControlsButKeepTheColour) {
    page.ChooseMode(led::kModeSteady);
    page.ChoosePreset(12);
    page.ChooseMode(led::kModeSpectrum);
    const LedView& v = page.view();
    EXPECT_EQ(profile.ledColor, 0xF80024u);
    EXPECT_FALSE(v.presetsEnabled);
    EXPECT_FALSE(v.colourSlidersEnabled);
    EXPECT_EQ(v.fieldValues, (Channels{0, 0, 0}));
    EXPECT_EQ(v.swatchColour, 0xF80024u);
    // A stored preset still shows on the disabled controls.
    EXPECT_EQ(v.colourSliderPos, (Channels{36, 0, 248}));
    EXPECT_EQ(CheckedPreset(), 12);

    // A custom colour does not: the disabled sliders rest at 0.
    profile.ledColorCustom = 1;
    page.RefreshLedView();
    EXPECT_EQ(page.view().colourSliderPos, (Channels{0, 0, 0}));
    EXPECT_EQ(CheckedPreset(), -1);
    EXPECT_EQ(page.view().swatchColour, 0xF80024u);

    // Back in a colour mode the controls show the colour again.
    page.ChooseMode(led::kModeBreathing);
    EXPECT_TRUE(page.view().colourSlidersEnabled);
    EXPECT_EQ(page.view().fieldValues, (Channels{36, 0, 248}));
}

TEST_F(LedPage, DisabledControlsChangeNothing) {
    page.ChooseMode(led::kModeClickBreathing);
    const ProfileRecord before = profile;
    page.ChoosePreset(3);
    EXPECT_TRUE(page.OnSlider(kRedSliderId, 90));
    EXPECT_TRUE(page.OnSlider(kMode1SliderId, 9));
    EXPECT_TRUE(page.OnSlider(kMode2SliderId, 4));
    EXPECT_EQ(std::memcmp(&before, &profile, sizeof profile), 0);
}

TEST_F(LedPage, SpeedSlidersWriteOnlyTheirOwnField) {
    profile.ledSpeedMode2 = 4;
    page.ChooseMode(led::kModeSteady);
    EXPECT_FALSE(page.view().mode2SliderEnabled);
    EXPECT_EQ(page.view().mode2SliderPos, 4);

    const ProfileRecord before = profile;
    ASSERT_TRUE(page.OnSlider(kMode1SliderId, 7));
    EXPECT_EQ(profile.ledSpeedMode1, 7u);
    ProfileRecord expected = before;
    expected.ledSpeedMode1 = 7;
    EXPECT_EQ(std::memcmp(&expected, &profile, sizeof profile), 0);
    EXPECT_EQ(page.view().mode2SliderPos, 4);
}

TEST_F(LedPage, SliderValuesStayInsideTheirRanges) {
    page.ChooseMode(led::kModeSteady);
    page.OnSlider(kRedSliderId, 999);
    page.OnSlider(kMode1SliderId, 0);
    EXPECT_EQ(led::Channel(profile.ledColor, 0), 255);
    EXPECT_EQ(profile.ledSpeedMode1, 1u);
    page.ChooseMode(led::kModeBreathing);
    page.OnSlider(kMode2SliderId, 6);
    EXPECT_EQ(profile.ledSpeedMode2, 5u);
    EXPECT_FALSE(page.OnSlider(0x2560, 3));
}

TEST_F(LedPage, StoredValuesOutsideTheRangesShowAtTheSliderStart) {
    profile.ledMode = led::kModeSteady;
    profile.ledSpeedMode1 = 50;
    profile.ledSpeedMode2 = 0xFFFFFFFF;
    page.RefreshLedView();
    EXPECT_EQ(page.view().mode1SliderPos, 1);
    EXPECT_EQ(page.view().mode2SliderPos, 1);
    EXPECT_EQ(profile.ledSpeedMode1, 50u);  // shown, not rewritten
}

TEST_F(LedPage, PresetIndexOutOfRangeFallsBackToTheFirst) {
    profile.ledMode = led::kModeSteady;
    profile.ledColorCustom = 0;
    profile.ledPresetIndex = 25;
    page.RefreshLedView();
    EXPECT_EQ(CheckedPreset(), 25);
    profile.ledPresetIndex = 26;
    page.RefreshLedView();
    EXPECT_EQ(profile.ledPresetIndex, 0u);
    EXPECT_EQ(CheckedPreset(), 0);
    profile.ledPresetIndex = 0xFFFFFFFF;
    profile.ledColorCustom = 1;
    page.RefreshLedView();
    EXPECT_EQ(profile.ledPresetIndex, 0xFFFFFFFFu);  // only a preset colour needs its index
    page.ChoosePreset(26);
    page.ChoosePreset(-1);
    EXPECT_EQ(profile.ledColorCustom, 1u);
}

TEST_F(LedPage, UnknownModeShowsNoModeAndNoColourControls) {
    page.ChooseMode(led::kModeSteady);
    page.ChooseMode(6);
    page.ChooseMode(0);
    EXPECT_EQ(profile.ledMode, led::kModeSteady);
    // A damaged file: the mouse would get the lights-off effect for it.
    profile.ledMode = 9;
    page.RefreshLedView();
    const LedView& v = page.view();
    EXPECT_EQ(v.modeChecked, (std::array<bool, 5>{}));
    EXPECT_FALSE(v.mode1SliderEnabled);
    EXPECT_FALSE(v.colourSlidersEnabled);
    EXPECT_FALSE(v.wheelActive);
}

TEST_F(LedPage, WheelTakesColoursOnlyInsideTheEllipseInAColourMode) {
    const geo::Rect& w = geo::lighting_page::kWheel;
    const int cx = (w.left + w.right) / 2, cy = (w.top + w.bottom) / 2;
    page.ChooseMode(led::kModeClickBreathing);
    EXPECT_FALSE(page.WheelTakesPoint(cx, cy));
    page.ChooseMode(led::kModeBreathing);
    EXPECT_TRUE(page.WheelTakesPoint(cx, cy));
    EXPECT_TRUE(page.WheelTakesPoint(w.left, cy));
    EXPECT_TRUE(page.WheelTakesPoint(w.right - 1, cy));
    EXPECT_FALSE(page.WheelTakesPoint(w.right, cy));
    EXPECT_FALSE(page.WheelTakesPoint(w.left + 3, w.top + 3));  // inside the box, off the wheel
    EXPECT_FALSE(page.WheelTakesPoint(w.right - 4, w.bottom - 4));
}

TEST_F(LedPage, WheelColourBecomesTheCustomColour) {
    page.ChooseMode(led::kModeSteady);
    page.ChoosePreset(5);
    page.PickWheelColour(0x0A80FF40);  // the top byte is not part of a colour
    EXPECT_EQ(profile.ledColor, 0x80FF40u);
    EXPECT_EQ(profile.ledColorCustom, 1u);
    EXPECT_EQ(page.view().colourSliderPos, (Channels{0x40, 0xFF, 0x80}));
    EXPECT_EQ(page.view().fieldValues, (Channels{0x40, 0xFF, 0x80}));
    EXPECT_EQ(page.view().swatchColour, 0x80FF40u);
    EXPECT_EQ(CheckedPreset(), -1);
}

TEST_F(LedPage, ActionsWriteOnlyTheLightingFields) {
    const ProfileRecord before = profile;
    page.ChooseMode(led::kModeSteady);
    page.ChoosePreset(7);
    page.OnSlider(kBlueSliderId, 3);
    page.SetBodyLight(true);
    EXPECT_TRUE(page.view().bodyOnChecked);
    EXPECT_FALSE(page.view().bodyOffChecked);
    page.PickWheelColour(0x123456);
    ProfileRecord masked = profile;
    masked.ledMode = before.ledMode;
    masked.ledColor = before.ledColor;
    masked.ledColorCustom = before.ledColorCustom;
    masked.ledPresetIndex = before.ledPresetIndex;
    masked.ledBodyLight = before.ledBodyLight;
    EXPECT_EQ(std::memcmp(&before, &masked, sizeof masked), 0);
}

}  // namespace
}  // namespace tarn
