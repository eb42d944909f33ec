#include "device/hid_descriptor.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "device/hidraw_sysfs.h"

namespace tarn {

void PrintTo(const HidValueCapability& c, std::ostream* os) {
    *os << std::hex << "{page " << c.usagePage << ", usage " << c.usage << ", id " << +c.reportId
        << ", count " << std::dec << c.reportCount << "}";
}

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

fs::path FixtureFolder() {
    if (const char* source = std::getenv("TARN_SOURCE_DIR")) {
        return fs::path(source) / "tests" / "device" / "fixtures";
    }
    return fs::path(__FILE__).parent_path() / "fixtures";
}

// A fixture is hex bytes separated by blanks; '#' starts a comment.
Bytes Fixture(const std::string& name) {
    std::ifstream in(FixtureFolder() / name);
    EXPECT_TRUE(in) << name;
    Bytes bytes;
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line.substr(0, line.find('#')));
        for (std::string word; words >> word;) {
            bytes.push_back(static_cast<uint8_t>(std::stoul(word, nullptr, 16)));
        }
    }
    return bytes;
}

using Caps = std::vector<HidValueCapability>;

TEST(HidDescriptor, ConfigurationInterfaceYieldsItsFeatureValue) {
    const DescriptorValues values = ParseFeatureValues(Fixture("tarn_config.hex"));
    EXPECT_TRUE(values.ok) << values.error;
    EXPECT_EQ(values.featureValues, (Caps{{0xFF01, 0x22, 1, 7}}));

    const DescriptorValues pointer = ParseFeatureValues(Fixture("boot_mouse.hex"));
    EXPECT_TRUE(pointer.ok) << pointer.error;
    EXPECT_TRUE(pointer.featureValues.empty());
}

TEST(HidDescriptor, OnlyDataVariableMultiBitFeaturesAreValues) {
    const DescriptorValues values = ParseFeatureValues(Fixture("mixed_features.hex"));
    EXPECT_TRUE(values.ok) << values.error;
    EXPECT_EQ(values.featureValues, (Caps{{0xFF00, 0x21, 3, 1},
                                          {0xFF00, 0x22, 3, 3},
                                          {0x000C, 0xE0, 3, 2},
                                          {0xFF01, 0x22, 1, 7}}));
}

TEST(HidDescriptor, BrokenDescriptorsStopWithAReasonAndNeverReadPastTheEnd) {
    const DescriptorValues cut = ParseFeatureValues(Fixture("truncated.hex"));
    EXPECT_FALSE(cut.ok);
    EXPECT_NE(cut.error.find("cut off"), std::string::npos) << cut.error;

    EXPECT_FALSE(ParseFeatureValues(Bytes{0xB4}).ok);              // pop without push
    EXPECT_FALSE(ParseFeatureValues(Bytes{0xFE, 0x05, 0x00}).ok);  // long item cut off
    EXPECT_FALSE(ParseFeatureValues(Bytes(17, 0xA4)).ok);          // pushed too deep
    EXPECT_TRUE(ParseFeatureValues(Bytes{}).ok);

    // Every cut of a real descriptor is read safely.
    const Bytes whole = Fixture("mixed_features.hex");
    for (size_t length = 0; length < whole.size(); ++length) {
        ParseFeatureValues(std::span<const uint8_t>(whole.data(), length));
    }
}

// A range from usage 0 to 0xFFFFFFFF holds 2^32 usages, one more than 32 bits count.
TEST(HidDescriptor, AWholeUsageRangeIsNoEmptyValue) {
    const Bytes descriptor = {
        0x06, 0x01, 0xFF,                    // usage page 0xFF01
        0x1B, 0x00, 0x00, 0x00, 0x00,        // usage minimum 0 (four bytes)
        0x2B, 0xFF, 0xFF, 0xFF, 0xFF,        // usage maximum 0xFFFFFFFF
        0x09, 0x22,                          // usage 0x22
        0x75, 0x08, 0x95, 0x07,              // report size 8, count 7
        0xB1, 0x02,                          // feature (data, variable)
    };
    const DescriptorValues values = ParseFeatureValues(descriptor);
    EXPECT_TRUE(values.ok) << values.error;
    ASSERT_FALSE(values.featureValues.empty());
    for (const HidValueCapability& cap : values.featureValues) EXPECT_GT(cap.reportCount, 0);
    EXPECT_EQ(values.featureValues.front().reportCount, 7);
}

TEST(HidrawSysfs, UeventGivesTheIds) {
    const auto ids = ParseUeventIds("DRIVER=hid-generic\nHID_ID=0003:00003d5a:00004108\nX=1\n");
    ASSERT_TRUE(ids);
    EXPECT_EQ(ids->vendorId, 0x3D5A);
    EXPECT_EQ(ids->productId, 0x4108);
    EXPECT_FALSE(ParseUeventIds("HID_NAME=x\n"));
    EXPECT_FALSE(ParseUeventIds("HID_ID=0003:3D5A\n"));
    EXPECT_FALSE(ParseUeventIds("HID_ID=0003:00013D5A:00004108\n"));
    EXPECT_FALSE(ParseUeventIds("HID_ID=0003:0000XD5A:00004108\n"));
}

class HidrawTree : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("tarn_hidraw_" + std::to_string(getpid()));
        fs::remove_all(root);
        fs::create_directories(root);
    }
    void TearDown() override { fs::remove_all(root); }

    void Node(const std::string& name, const std::string& uevent, const Bytes& descriptor) {
        const fs::path device = root / name / "device";
        fs::create_directories(device);
        if (!uevent.empty()) std::ofstream(device / "uevent") << uevent;
        std::ofstream out(device / "report_descriptor", std::ios::binary);
        out.write(reinterpret_cast<const char*>(descriptor.data()),
                  static_cast<std::streamsize>(descriptor.size()));
    }

    fs::path root;
};

TEST_F(HidrawTree, NodesComeInNumberOrderWithCapabilitiesOnlyForTheMouse) {
    const std::string mouse = "HID_ID=0003:00003D5A:00004108\n";
    Node("hidraw10", mouse, Fixture("tarn_config.hex"));
    Node("hidraw2", mouse, Fixture("boot_mouse.hex"));
    Node("hidraw3", "HID_ID=0003:0000046D:0000C077\n", Fixture("tarn_config.hex"));
    Node("hidraw4", "", Fixture("tarn_config.hex"));
    Node("hidrawX", mouse, Fixture("tarn_config.hex"));
    fs::create_directories(root / "notes");

    const HidEnumeration found = EnumerateHidraw(root, "/dev", 0x3D5A, 0x4108);
    EXPECT_TRUE(found.complete);
    ASSERT_EQ(found.interfaces.size(), 4u);
    EXPECT_EQ(found.interfaces[0].path, "/dev/hidraw2");
    EXPECT_EQ(found.interfaces[1].path, "/dev/hidraw3");
    EXPECT_EQ(found.interfaces[2].path, "/dev/hidraw4");
    EXPECT_EQ(found.interfaces[3].path, "/dev/hidraw10");
    EXPECT_FALSE(found.interfaces[0].capabilitiesKnown);  // a pointer has no feature value
    EXPECT_TRUE(found.interfaces[1].attributesKnown);
    EXPECT_FALSE(found.interfaces[1].capabilitiesKnown);  // another device: not read
    EXPECT_FALSE(found.interfaces[2].attributesKnown);

    size_t chosen = found.interfaces.size();
    for (size_t i = 0; i < found.interfaces.size() && chosen == found.interfaces.size(); ++i) {
        if (FindConfigurationValue(found.interfaces[i], 0x3D5A, 0x4108)) chosen = i;
    }
    EXPECT_EQ(chosen, 3u);

    EXPECT_FALSE(EnumerateHidraw(root / "missing", "/dev", 0x3D5A, 0x4108).complete);
}

}  // namespace
}  // namespace tarn
