#include <gtest/gtest.h>

#include "device/apply_pointer_settings.h"
#include "tests/support/recording_pointer_settings.h"

namespace tarn {
namespace {

constexpr WindowId kMain = 0x42;

ProfileRecord Profile(uint32_t precision, uint32_t speed, int32_t lines) {
    ProfileRecord profile;
    MakeDefaultProfile(profile);
    profile.enhancePointerPrecision = precision;
    profile.pointerSpeed = speed;
    profile.wheelScrollLines = lines;
    return profile;
}

TEST(ApplyPointerSettingsTest, EachChangeIsFollowedByItsNotificationToTheMainWindow) {
    test::RecordingPointerSettings settings;
    ApplyPointerSettings(Profile(1, 14, 5), kMain, settings);
    const auto& calls = settings.calls;
    ASSERT_EQ(calls.size(), 6u);
    EXPECT_EQ(calls[0].what, "mouse");
    EXPECT_EQ((std::vector<int>{calls[0].values[0], calls[0].values[1], calls[0].values[2]}),
              (std::vector<int>{6, 10, 1}));
    EXPECT_EQ(calls[1].what, "notify");
    EXPECT_EQ(calls[1].value, kSpiSetMouse);
    EXPECT_EQ(calls[1].window, kMain);
    EXPECT_TRUE(calls[1].withValues);
    EXPECT_EQ(calls[1].values[1], 10);
    EXPECT_EQ(calls[2].what, "speed");
    EXPECT_EQ(calls[2].value, 14u);
    EXPECT_EQ(calls[3].value, kSpiSetMouseSpeed);
    EXPECT_FALSE(calls[3].withValues);
    EXPECT_EQ(calls[4].what, "lines");
    EXPECT_EQ(calls[4].value, 5u);
    EXPECT_EQ(calls[5].value, kSpiSetWheelScrollLines);
}

TEST(ApplyPointerSettingsTest, PrecisionOffAnythingButOneAndAScreenPerNotch) {
    for (uint32_t precision : {0u, 2u, 0xFFFFFFFFu}) {
        test::RecordingPointerSettings settings;
        ApplyPointerSettings(Profile(precision, 10, -1), kMain, settings);
        EXPECT_EQ(
            settings.calls[0].values[0] + settings.calls[0].values[1] + settings.calls[0].values[2],
            0);
        EXPECT_EQ(settings.calls[4].value, kWheelPageScroll);
    }
}

TEST(ApplyPointerSettingsTest, ValuesTheSystemCannotHoldAreLeftAlone) {
    test::RecordingPointerSettings settings;
    ApplyPointerSettings(Profile(0, 0, -2), kMain, settings);
    ASSERT_EQ(settings.calls.size(), 2u);  // precision and its notification only
    settings.calls.clear();
    ApplyPointerSettings(Profile(0, 21, 0), kMain, settings);
    ASSERT_EQ(settings.calls.size(), 4u);
    EXPECT_EQ(settings.calls[2].what, "lines");
    EXPECT_EQ(settings.calls[2].value, 0u);
}

}  // namespace
}  // namespace tarn
