#include "device/device_commands.h"

#include <gtest/gtest.h>

#include <vector>

namespace tarn {
namespace {

using Bytes = std::vector<uint8_t>;

TEST(DeviceCommands, ReportIntervalKeepsTheFourRatesAndSendsAnythingElseAsTwo) {
    EXPECT_EQ(ReportIntervalCommand(3), (Bytes{0x01, 0x02}));
    for (uint32_t rate : {1u, 2u, 4u, 8u}) EXPECT_EQ(ReportIntervalCode(rate), rate);
    for (uint32_t other : {0u, 5u, 16u, 0x101u, 0xFFFFFFFFu})
        EXPECT_EQ(ReportIntervalCode(other), 2);
}

TEST(DeviceCommands, LedColourGoesGreenRedBlue) {
    EXPECT_EQ(LedColorCommand(0x000000FF), (Bytes{0x0C, 0x01, 0x00, 0xFF, 0x00}));
    EXPECT_EQ(LedColorCommand(0x00112233), (Bytes{0x0C, 0x01, 0x22, 0x33, 0x11}));
    // The top byte of the colour word is not part of the colour.
    EXPECT_EQ(LedColorCommand(0xFF000000), (Bytes{0x0C, 0x01, 0x00, 0x00, 0x00}));
}

TEST(DeviceCommands, LedEffectParametersFollowTheMode) {
    EXPECT_EQ(LedEffectFor(1, 7, 9), (LedEffectParameters{1, 7, 1}));
    EXPECT_EQ(LedEffectFor(2, 7, 9), (LedEffectParameters{2, 9, 1}));
    EXPECT_EQ(LedEffectFor(3, 7, 9), (LedEffectParameters{3, 2, 3}));
    EXPECT_EQ(LedEffectFor(4, 7, 9), (LedEffectParameters{4, 10, 2}));
    for (uint32_t off : {0u, 5u, 6u, 0xFFFFFFFFu}) {
        EXPECT_EQ(LedEffectFor(off, 7, 9), (LedEffectParameters{0, 0, 0}));
    }
    EXPECT_EQ(LedEffectCommand(4, 10, 2), (Bytes{0x0D, 0x01, 4, 10, 2}));
}

TEST(DeviceCommands, DpiCodesHaveTheOddOneForThreeThousand) {
    EXPECT_EQ(DpiCode(250), 0x01);
    EXPECT_EQ(DpiCode(2750), 0x0B);
    EXPECT_EQ(DpiCode(3000), 0x26);
    EXPECT_EQ(DpiCode(3250), 0x0D);
    EXPECT_EQ(DpiCode(4000), 0x28);
    EXPECT_EQ(DpiCode(7000), 0x2E);
    for (uint32_t unknown : {0u, 249u, 251u, 3750u, 4500u, 8000u}) {
        EXPECT_EQ(DpiCode(unknown), kInvalidDpiCode) << unknown;
    }
}

TEST(DeviceCommands, DpiTableRepeatsFiveCodesAndCountsValidLevelsUpToThree) {
    const uint32_t five[] = {750, 1000, 1500, 2000, 3000};
    const DpiTableBlock full = BuildDpiTable(five);
    EXPECT_EQ(full, (DpiTableBlock{0x03, 0x04, 0x06, 0x08, 0x26, 0x80, 0x80, 0x80, 0x03, 0x04, 0x06,
                                   0x08, 0x26, 0x80, 0x80, 0x80}));
    EXPECT_EQ(DpiLevelFor(full), 3);

    const uint32_t two[] = {500, 1000, 0, 0, 0};
    const DpiTableBlock partial = BuildDpiTable(two);
    EXPECT_EQ(partial, (DpiTableBlock{0x02, 0x04, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x02, 0x04,
                                      0x80, 0x80, 0x80, 0x80, 0x80, 0x80}));
    EXPECT_EQ(DpiLevelFor(partial), 2);

    // A sixth level is never sent, and all-zero levels give sixteen 0x80 bytes and level 0.
    const uint32_t six[] = {0, 0, 0, 0, 0, 1250};
    const DpiTableBlock none = BuildDpiTable(six);
    for (uint8_t code : none) EXPECT_EQ(code, 0x80);
    EXPECT_EQ(DpiLevelFor(none), 0);
}

TEST(DeviceCommands, FirmwareVersionNeedsTheMarkerByte) {
    uint32_t version = 0;
    const uint8_t reply[] = {0x01, 0x80, 0x01, 0x05, 0, 0, 0, 0};
    ASSERT_TRUE(FirmwareVersionFromReply(reply, &version));
    EXPECT_EQ(version, 15u);

    version = 99;
    const uint8_t unmarked[] = {0x01, 0x00, 0x01, 0x05, 0, 0, 0, 0};
    EXPECT_FALSE(FirmwareVersionFromReply(unmarked, &version));
    EXPECT_EQ(version, 99u);
    const uint8_t shortReply[] = {0x01, 0x80, 0x01};
    EXPECT_FALSE(FirmwareVersionFromReply(shortReply, &version));
}

}  // namespace
}  // namespace tarn
