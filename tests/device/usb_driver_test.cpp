#include "device/usb_driver.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "device/device_commands.h"
#include "device/macro_block.h"
#include "device/simulated_mouse.h"
#include "tests/device/scripted_transport.h"
#include "tests/support/doubles.h"

namespace tarn {
namespace {

using Bytes = std::vector<uint8_t>;
using test::MouseInterface;
using test::ScriptedTransport;

const HidValueCapability kConfigValue{0xFF01, 0x22, 0x05, 7};

TEST(ConfigurationSelection, TakesTheFirstVendorValueAmongTheFirstTen) {
    const HidInterfaceInfo plain = MouseInterface("p", {});
    EXPECT_FALSE(FindConfigurationValue(plain, 0x3D5A, 0x4108));

    // Right ids, but the value is on another page or has another usage: skipped.
    const HidInterfaceInfo near = MouseInterface("n", {{0xFF00, 0x22, 1, 7}, {0xFF01, 0x21, 1, 7}});
    EXPECT_FALSE(FindConfigurationValue(near, 0x3D5A, 0x4108));

    const HidInterfaceInfo two =
        MouseInterface("t", {{0xFF01, 0x21, 9, 1}, kConfigValue, {0xFF01, 0x22, 6, 15}});
    const auto found = FindConfigurationValue(two, 0x3D5A, 0x4108);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->reportId, 5);
    EXPECT_EQ(found->reportCount, 7u);

    std::vector<HidValueCapability> many(9, HidValueCapability{0x0001, 0x30, 1, 1});
    many.push_back(kConfigValue);
    EXPECT_TRUE(FindConfigurationValue(MouseInterface("10", many), 0x3D5A, 0x4108));
    many.insert(many.begin(), HidValueCapability{0x0001, 0x31, 1, 1});
    EXPECT_FALSE(FindConfigurationValue(MouseInterface("11", many), 0x3D5A, 0x4108));
}

TEST(ConfigurationSelection, NeedsMatchingIdsKnownCapabilitiesAndAReportThatFits) {
    EXPECT_FALSE(
        FindConfigurationValue(MouseInterface("v", {kConfigValue}, 0x3D5B), 0x3D5A, 0x4108));
    EXPECT_FALSE(FindConfigurationValue(MouseInterface("p", {kConfigValue}, 0x3D5A, 0x4109), 0x3D5A,
                                        0x4108));
    HidInterfaceInfo unknown = MouseInterface("u", {kConfigValue});
    unknown.attributesKnown = false;
    EXPECT_FALSE(FindConfigurationValue(unknown, 0x3D5A, 0x4108));
    unknown = MouseInterface("c", {kConfigValue});
    unknown.capabilitiesKnown = false;
    EXPECT_FALSE(FindConfigurationValue(unknown, 0x3D5A, 0x4108));

    // The report has to fit the 255-byte buffers and hold at least a command byte.
    EXPECT_TRUE(
        FindConfigurationValue(MouseInterface("254", {{0xFF01, 0x22, 1, 254}}), 0x3D5A, 0x4108));
    EXPECT_FALSE(
        FindConfigurationValue(MouseInterface("255", {{0xFF01, 0x22, 1, 255}}), 0x3D5A, 0x4108));
    EXPECT_FALSE(
        FindConfigurationValue(MouseInterface("0", {{0xFF01, 0x22, 1, 0}}), 0x3D5A, 0x4108));
}

TEST(ConfigurationSelection, IdsParseAsHexadecimalText) {
    EXPECT_EQ(ParseHexId(kVendorIdText), 0x3D5A);
    EXPECT_EQ(ParseHexId(kProductIdText), 0x4108);
    EXPECT_EQ(ParseHexId(" 3d5a"), 0x3D5A);
    EXPECT_EQ(ParseHexId("12G4"), 0x12);
    EXPECT_EQ(ParseHexId("xyz"), 0);
    EXPECT_EQ(ParseHexId(nullptr), 0);
}

class DriverTest : public ::testing::Test {
protected:
    void SetUp() override { SetClock(&clock); }
    void TearDown() override { SetClock(nullptr); }

    // A driver over a scripted backend whose mouse shows a pointer interface first.
    ScriptedTransport& Scripted(uint16_t reportCount = 7) {
        auto transport = std::make_unique<ScriptedTransport>();
        scripted = transport.get();
        scripted->enumeration.interfaces = {
            MouseInterface("pointer", {}),
            MouseInterface("config", {{0xFF01, 0x22, 0x05, reportCount}})};
        driver = std::make_unique<CUSBDriver>(std::move(transport));
        return *scripted;
    }

    test::FakeClock clock;
    ScriptedTransport* scripted = nullptr;
    std::unique_ptr<CUSBDriver> driver;
};

TEST_F(DriverTest, OpenSkipsInterfacesWithoutTheValueOrThatDoNotOpen) {
    ScriptedTransport& t = Scripted();
    t.enumeration.interfaces.insert(t.enumeration.interfaces.begin() + 1,
                                    MouseInterface("busy", {kConfigValue}));
    t.openResults["busy"] = false;
    ASSERT_TRUE(driver->OpenDevice());
    EXPECT_EQ(t.searchedVendor, 0x3D5A);
    EXPECT_EQ(t.searchedProduct, 0x4108);
    EXPECT_EQ(t.openAttempts, (std::vector<std::string>{"busy", "config"}));
    EXPECT_EQ(driver->ReportId(), 5u);
    EXPECT_EQ(driver->ReportCount(), 7u);
}

TEST_F(DriverTest, OpenWhileOpenClosesTheOldHandlesFirst) {
    ScriptedTransport& t = Scripted();
    ASSERT_TRUE(driver->OpenDevice());
    const int closesAfterFirst = t.closes;
    ASSERT_TRUE(driver->OpenDevice());
    EXPECT_EQ(t.closes, closesAfterFirst + 1);
    EXPECT_EQ(t.openAttempts.size(), 2u);

    // Nothing found: the link stays closed.
    t.enumeration.interfaces.clear();
    t.enumeration.complete = false;
    EXPECT_FALSE(driver->OpenDevice());
    EXPECT_FALSE(driver->IsOpen());
}

TEST_F(DriverTest, EveryFeatureReportIsReportCountPlusOneBytesWithTheIdFirst) {
    ScriptedTransport& t = Scripted();
    ASSERT_TRUE(driver->OpenDevice());
    EXPECT_TRUE(driver->SetReportInterval(8));
    EXPECT_TRUE(driver->SetDpiLevel(2));
    EXPECT_TRUE(driver->SetLedColor(0x000000FF));
    EXPECT_TRUE(driver->SetLedEffect(1, 2, 3));
    ASSERT_EQ(t.sets.size(), 4u);
    for (const Bytes& report : t.sets) EXPECT_EQ(report.size(), 8u);
    EXPECT_EQ(t.sets[0], (Bytes{0x05, 0x01, 0x08, 0, 0, 0, 0, 0}));
    EXPECT_EQ(t.sets[2], (Bytes{0x05, 0x0C, 0x01, 0x00, 0xFF, 0x00, 0, 0}));

    // A command longer than the report is refused, not cut off.
    Scripted(3);
    ASSERT_TRUE(driver->OpenDevice());
    EXPECT_TRUE(driver->SetDpiLevel(1));
    EXPECT_FALSE(driver->SetLedColor(0x123456));
    ASSERT_EQ(scripted->sets.size(), 1u);
    EXPECT_EQ(scripted->sets[0].size(), 4u);
}

TEST_F(DriverTest, ClosedLinkFailsEveryOperationWithoutTouchingTheDevice) {
    ScriptedTransport& t = Scripted();
    const uint8_t table[16] = {};
    const uint8_t piece[32] = {};
    std::vector<uint8_t> reply;
    uint32_t version = 0;
    bool sent = true;
    EXPECT_FALSE(driver->SetReportInterval(1));
    EXPECT_FALSE(driver->WriteDpiTable(table));
    EXPECT_FALSE(driver->GetFeatureReport(reply));
    EXPECT_FALSE(driver->WriteOutputReport(std::span<const uint8_t, 32>(piece)));
    EXPECT_FALSE(driver->ReadFirmwareVersion(&version));
    EXPECT_EQ(driver->UploadMacroEvents(1, 1, {}, &sent), 1u);
    EXPECT_FALSE(sent);
    EXPECT_TRUE(t.sets.empty());
    EXPECT_TRUE(t.outputs.empty());
    EXPECT_EQ(t.gets, 0);
}

TEST_F(DriverTest, BlocksGoOutIn33BytePiecesWithFiftyMillisecondsAroundEach) {
    ScriptedTransport& t = Scripted();
    ASSERT_TRUE(driver->OpenDevice());
    std::array<uint8_t, 64> data;
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i + 1);
    clock.sleeps.clear();
    ASSERT_TRUE(driver->WriteBlock(data.data(), data.size()));
    ASSERT_EQ(t.outputs.size(), 2u);
    for (size_t piece = 0; piece < 2; ++piece) {
        ASSERT_EQ(t.outputs[piece].size(), 33u);
        EXPECT_EQ(t.outputs[piece][0], 0x05);
        EXPECT_TRUE(std::equal(data.begin() + 32 * piece, data.begin() + 32 * (piece + 1),
                               t.outputs[piece].begin() + 1));
    }
    EXPECT_EQ(clock.sleeps, (std::vector<uint32_t>{50, 50, 50, 50}));

    EXPECT_FALSE(driver->WriteBlock(data.data(), 48));
    EXPECT_FALSE(driver->WriteBlock(nullptr, 32));
    EXPECT_TRUE(driver->WriteBlock(data.data(), 0));
    EXPECT_EQ(t.outputs.size(), 2u);
}

TEST_F(DriverTest, PendingWriteCountsOnlyWhenItFinishesWithinTheWait) {
    ScriptedTransport& t = Scripted();
    ASSERT_TRUE(driver->OpenDevice());
    const uint8_t piece[32] = {};
    t.writeResults = {WriteStart::Pending, WriteStart::Pending, WriteStart::Failed};
    EXPECT_TRUE(driver->WriteOutputReport(std::span<const uint8_t, 32>(piece)));
    EXPECT_EQ(t.waits, (std::vector<uint32_t>{1500}));
    // Still pending after 1500 ms: it never reached the mouse, and the block stops there.
    t.waitResult = false;
    const uint8_t block[96] = {};
    EXPECT_FALSE(driver->WriteBlock(block, sizeof block));
    EXPECT_EQ(t.outputs.size(), 2u);
    EXPECT_EQ(t.waits, (std::vector<uint32_t>{1500, 1500}));

    t.writeResults.clear();
    t.outputs.clear();
    t.writeResults = {WriteStart::Completed, WriteStart::Failed};
    EXPECT_FALSE(driver->WriteBlock(block, sizeof block));
    EXPECT_EQ(t.outputs.size(), 2u);  // the failed piece was the last one tried
}

TEST_F(DriverTest, VersionIsReadAfterTheQueryAndNeedsItsMarker) {
    ScriptedTransport& t = Scripted();
    ASSERT_TRUE(driver->OpenDevice());
    t.getReply = {0x05, 0x80, 0x01, 0x05};
    clock.sleeps.clear();
    uint32_t version = 0;
    ASSERT_TRUE(driver->ReadFirmwareVersion(&version));
    EXPECT_EQ(version, 15u);
    EXPECT_EQ(t.sets.back(), (Bytes{0x05, 0x80, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(clock.sleeps, (std::vector<uint32_t>{50}));
    t.getReply = {0x05, 0x81, 0x01, 0x05};
    EXPECT_FALSE(driver->ReadFirmwareVersion(&version));
}

// The command set against the simulated mouse, read back from its state and its log.
class SimulatedDriverTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetClock(&clock);
        auto transport = std::make_unique<SimulatedMouse>();
        mouse = transport.get();
        driver = std::make_unique<CUSBDriver>(std::move(transport));
        ASSERT_TRUE(driver->OpenDevice());
    }
    void TearDown() override { SetClock(nullptr); }

    std::vector<ProtocolLogEntry> Log() const {
        std::vector<ProtocolLogEntry> entries;
        for (const std::string& line : mouse->LogLines()) {
            auto entry = ParseProtocolLogLine(line);
            EXPECT_TRUE(entry) << line;
            if (entry) entries.push_back(*entry);
        }
        return entries;
    }

    test::FakeClock clock;
    SimulatedMouse* mouse = nullptr;
    std::unique_ptr<CUSBDriver> driver;
};

TEST_F(SimulatedDriverTest, CommandsReachTheMouseState) {
    const uint32_t levels[] = {750, 1000, 1500, 2000, 3000};
    const DpiTableBlock table = BuildDpiTable(levels);
    std::array<uint8_t, 64> matrix;
    for (size_t i = 0; i < matrix.size(); ++i) matrix[i] = static_cast<uint8_t>(0xA0 + i);
    ASSERT_TRUE(driver->WriteKeyMatrix(matrix));
    ASSERT_TRUE(driver->SetLedColor(0x00332211));
    ASSERT_TRUE(driver->SetLedEffect(2, 4, 1));
    ASSERT_TRUE(driver->WriteDpiTable(table));
    ASSERT_TRUE(driver->SetDpiLevel(DpiLevelFor(table)));
    ASSERT_TRUE(driver->SetReportInterval(3));
    uint32_t version = 0;
    ASSERT_TRUE(driver->ReadFirmwareVersion(&version));

    const SimulatedMouseState state = mouse->State();
    EXPECT_EQ(state.keyMatrix, matrix);
    EXPECT_EQ(state.ledColor, 0x00332211u);
    EXPECT_EQ(state.ledEffect, (std::array<uint8_t, 3>{2, 4, 1}));
    EXPECT_TRUE(std::equal(table.begin(), table.end(), state.dpiTable.begin()));
    EXPECT_EQ(state.dpiLevel, 3);
    EXPECT_EQ(state.reportInterval, 2u);
    EXPECT_EQ(version, 15u);
    EXPECT_TRUE(mouse->Errors().empty()) << mouse->Errors().front();

    // Wrong block sizes are refused before anything is sent.
    const size_t lines = mouse->LogLines().size();
    EXPECT_FALSE(driver->WriteDpiTable(std::span<const uint8_t>(matrix.data(), 15)));
    EXPECT_FALSE(driver->WriteKeyMatrix(std::span<const uint8_t>(matrix.data(), 32)));
    EXPECT_EQ(mouse->LogLines().size(), lines);
}

TEST_F(SimulatedDriverTest, DpiTableTravelsAsOnePiecePaddedWithZeros) {
    const uint32_t levels[] = {500, 1000};
    ASSERT_TRUE(driver->WriteDpiTable(BuildDpiTable(levels)));
    const std::vector<ProtocolLogEntry> log = Log();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].kind, "SET");
    EXPECT_EQ(log[0].bytes, (Bytes{0x01, 0x11, 0x01, 0x07, 0x10, 0x00, 0x00, 0x00}));
    EXPECT_EQ(log[1].kind, "OUT");
    Bytes expected = {0x01, 0x02, 0x04, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80,
                      0x02, 0x04, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80};
    expected.resize(33, 0);
    EXPECT_EQ(log[1].bytes, expected);
    EXPECT_EQ(log[1].ms - log[0].ms, 100u);  // 50 ms after the header, 50 before the piece
}

TEST_F(SimulatedDriverTest, MacrosUploadToSlotsUpToSevenAndAreOnlyCountedAbove) {
    const MacroEvent events[] = {MakeMacroEvent(KeyPress, 0x41), MakeMacroEvent(Delay, 50),
                                 MakeMacroEvent(KeyRelease, 0x41)};
    bool sent = false;
    EXPECT_EQ(driver->UploadMacroEvents(7, 1, events, &sent), 3u);
    EXPECT_TRUE(sent);
    const size_t lines = mouse->LogLines().size();
    EXPECT_EQ(lines, 17u);  // the header and sixteen pieces
    EXPECT_EQ(driver->UploadMacroEvents(8, 1, events, &sent), 3u);
    EXPECT_FALSE(sent);
    EXPECT_EQ(mouse->LogLines().size(), lines);

    const SimulatedMouseState state = mouse->State();
    ASSERT_EQ(state.macros.count(7), 1u);
    EXPECT_EQ(state.macros.at(7), EncodeMacroBlock(1, events).bytes);
    EXPECT_EQ(state.macros.count(8), 0u);
    EXPECT_TRUE(mouse->Errors().empty());
}

TEST_F(SimulatedDriverTest, EveryOutputReportHasFiftyMillisecondsOfSilenceAroundIt) {
    std::array<uint8_t, 64> matrix{};
    const uint32_t levels[] = {1000};
    const MacroEvent events[] = {MakeMacroEvent(KeyPress, 0x41)};
    ASSERT_TRUE(driver->WriteKeyMatrix(matrix));
    ASSERT_TRUE(driver->SetLedColor(1));
    driver->UploadMacroEvents(1, 1, events);
    ASSERT_TRUE(driver->WriteDpiTable(BuildDpiTable(levels)));
    ASSERT_TRUE(driver->WriteKeyMatrix(matrix));
    ASSERT_TRUE(driver->SetDpiLevel(1));
    uint32_t version;
    ASSERT_TRUE(driver->ReadFirmwareVersion(&version));

    const std::vector<ProtocolLogEntry> log = Log();
    ASSERT_GT(log.size(), 20u);
    int outputs = 0;
    for (size_t i = 0; i < log.size(); ++i) {
        ASSERT_NE(log[i].kind, "ERROR") << log[i].text;
        if (log[i].kind != "OUT") continue;
        ++outputs;
        EXPECT_EQ(log[i].bytes.size(), 33u);
        if (i > 0) {
            EXPECT_GE(log[i].ms - log[i - 1].ms, 50u) << "before line " << i;
        }
        if (i + 1 < log.size()) {
            EXPECT_GE(log[i + 1].ms - log[i].ms, 50u) << "after line " << i;
        }
    }
    EXPECT_EQ(outputs, 2 + 16 + 1 + 2);
}

// A clock for two threads: time moves only when slept on, and a real short sleep lets the other
// thread run in between.
class SharedFakeClock final : public Clock {
public:
    uint32_t TickCount() override { return now.load(); }
    void Sleep(uint32_t ms) override {
        now += ms;
        std::this_thread::sleep_for(std::chrono::microseconds(300));
    }
    std::atomic<uint32_t> now{5000};
};

TEST(DriverConcurrency, TwoThreadsNeverInterleaveTheirReports) {
    SharedFakeClock clock;
    SetClock(&clock);
    auto transport = std::make_unique<SimulatedMouse>();
    SimulatedMouse* mouse = transport.get();
    CUSBDriver driver(std::move(transport));
    ASSERT_TRUE(driver.OpenDevice());

    std::array<uint8_t, 64> matrix{};
    std::thread worker([&] {
        for (int i = 0; i < 5; ++i) driver.WriteKeyMatrix(matrix);
    });
    uint32_t version = 0;
    int versions = 0;
    for (int i = 0; i < 20; ++i) versions += driver.ReadFirmwareVersion(&version) ? 1 : 0;
    worker.join();
    SetClock(nullptr);

    EXPECT_EQ(versions, 20);
    const std::vector<std::string> errors = mouse->Errors();
    EXPECT_TRUE(errors.empty()) << errors.front();
}

}  // namespace
}  // namespace tarn
