#include "update/firmware_files.h"

#include <gtest/gtest.h>

#include "base/app_paths.h"
#include "base/language_state.h"
#include "tests/support/memory_file_system.h"
#include "update/support_page_rules.h"

namespace tarn {
namespace {

std::vector<uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

TEST(FirmwareNumberTest, DecimalTextWithSafeDefaults) {
    EXPECT_EQ(ReadFirmwareNumber(u"16"), 16u);
    EXPECT_EQ(ReadFirmwareNumber(u" 16\r\n"), 16u);
    EXPECT_EQ(ReadFirmwareNumber(u""), 0u);
    // Anything but digits never counts as newer than the mouse.
    EXPECT_EQ(ReadFirmwareNumber(u"-1"), 0u);
    EXPECT_EQ(ReadFirmwareNumber(u"1.6"), 0u);
    EXPECT_EQ(ReadFirmwareNumber(u"16a"), 0u);
    EXPECT_EQ(ReadFirmwareNumber(u"99999999999999"), UINT32_MAX);
}

TEST(FirmwareNumberTest, LabelsOfTheSupportPage) {
    EXPECT_EQ(FirmwareVersionLabel(u""), u"Unknown");
    EXPECT_EQ(FirmwareVersionLabel(u"7"), u"V 0.0.7");
    EXPECT_EQ(FirmwareVersionLabel(u"15"), u"V 0.1.5");
    EXPECT_EQ(FirmwareVersionLabel(u"123"), u"V 1.2.3");
    EXPECT_EQ(FirmwareVersionLabel(u"2559"), u"V 25.5.9");
    EXPECT_EQ(FirmwareVersionLabel(u"x1"), u"Unknown");
}

class FirmwareFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        programFolder = u"C:\\Tarn";
        ChineseUi = 0;
        files.fs.AddFolder(u"C:\\Tarn\\FWUpdate\\new_version");
    }
    void TearDown() override { ChineseUi = 0; }
    test::ScopedMemoryFileSystem files;
};

TEST_F(FirmwareFilesTest, PathsAndTheFlashingToolsArgument) {
    EXPECT_EQ(LocalManifestPath(), u"C:\\Tarn\\FWUpdate\\new_version\\update.xml");
    EXPECT_EQ(LocalImagePath(), u"C:\\Tarn\\FWUpdate\\new_version\\NirelGameDevice.bin");
    EXPECT_EQ(FlashingToolPath(), u"C:\\Tarn\\FWUpdate\\ZezovoRO.exe");
    EXPECT_EQ(FlashingToolArgument(), u"0");
    ChineseUi = 1;
    EXPECT_EQ(FlashingToolArgument(), u"1");
}

TEST_F(FirmwareFilesTest, ManifestAddressTakesANonBlankOverride) {
    EXPECT_EQ(ManifestAddress(std::nullopt), kDefaultManifestAddress);
    EXPECT_EQ(ManifestAddress(u"  "), kDefaultManifestAddress);
    EXPECT_EQ(ManifestAddress(u" http://127.0.0.1:8080/update.xml "),
              u"http://127.0.0.1:8080/update.xml");
    EXPECT_TRUE(kDefaultManifestAddress.ends_with(u"/software/Tarn/update.xml"));
}

TEST_F(FirmwareFilesTest, ManifestTextsUnderFirmware) {
    files.fs.AddFile(LocalManifestPath(),
                     Bytes("<?xml version=\"1.0\"?><update><firmware><current>16</current>"
                           "<newfile> http://h/f.bin </newfile><sha256>ab</sha256></firmware>"
                           "</update>"));
    const auto manifest = ReadFirmwareManifest(LocalManifestPath());
    ASSERT_TRUE(manifest);
    EXPECT_EQ(manifest->current, u"16");
    EXPECT_EQ(manifest->newfile, u"http://h/f.bin");
    EXPECT_EQ(manifest->sha256, u"ab");

    // Names match exactly; a manifest without the digest still reads.
    files.fs.AddFile(LocalManifestPath(),
                     Bytes("<u><Firmware><current>20</current></Firmware>"
                           "<firmware><current>17</current><newfile>x</newfile></firmware></u>"));
    EXPECT_EQ(ReadFirmwareManifest(LocalManifestPath()),
              (FirmwareManifest{u"17", u"x", u""}));
    EXPECT_FALSE(ReadFirmwareManifest(u"C:\\Tarn\\missing.xml"));
    files.fs.AddFile(LocalManifestPath(), Bytes("\x00\x01garbage"));
    EXPECT_EQ(ReadFirmwareNumber(
                  ReadFirmwareManifest(LocalManifestPath()).value_or(FirmwareManifest{}).current),
              0u);
}

TEST(SupportPageRulesTest, HintsOfTheControlsOnePixelAround) {
    EXPECT_EQ(SupportHintIdsAt(405, 264), std::vector<int>{56});
    EXPECT_EQ(SupportHintIdsAt(404, 263), std::vector<int>{56});  // one pixel outside
    EXPECT_EQ(SupportHintIdsAt(403, 263), std::vector<int>{});
    EXPECT_EQ(SupportHintIdsAt(826, 280), std::vector<int>{57});
    EXPECT_EQ(SupportHintIdsAt(150, 400), std::vector<int>{58});
    EXPECT_EQ(SupportHintIdsAt(300, 400), std::vector<int>{59});
    EXPECT_EQ(SupportHintIdsAt(800, 400), std::vector<int>{60});
    EXPECT_EQ(SupportHintIdsAt(100, 120), std::vector<int>{89});
    EXPECT_EQ(SupportHintIdsAt(450, 120), std::vector<int>{90});
    EXPECT_EQ(SupportHintIdsAt(600, 20), std::vector<int>{});
}

TEST(SupportPageRulesTest, RestoreQuestionByLanguage) {
    ChineseUi = 1;
    EXPECT_EQ(RestoreDefaultsQuestion(), u"确定要恢复默认设置?");
    ChineseUi = 0;
    EXPECT_EQ(RestoreDefaultsQuestion(), u"Do you want to restore the default setting?");
}

}  // namespace
}  // namespace tarn
