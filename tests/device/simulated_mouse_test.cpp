#include "device/simulated_mouse.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>

#include "device/simulated_usb_watcher.h"
#include "device/usb_driver.h"
#include "macro/macro_record.h"
#include "tests/support/doubles.h"

namespace tarn {
namespace {

using Bytes = std::vector<uint8_t>;

std::function<std::optional<std::string>(const char*)> Settings(
    std::map<std::string, std::string> values) {
    return [values](const char* name) -> std::optional<std::string> {
        const auto found = values.find(name);
        if (found == values.end()) return std::nullopt;
        return found->second;
    };
}

bool HasLineContaining(const std::vector<std::string>& lines, const std::string& text) {
    for (const std::string& line : lines) {
        if (line.find(text) != std::string::npos) return true;
    }
    return false;
}

// The simulation spoken to directly, with reports a faulty host might send.
class SimulatedProtocolTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetClock(&clock);
        mouse = std::make_unique<SimulatedMouse>();
        ASSERT_TRUE(mouse->Open(kSimulatedConfigPath));
    }
    void TearDown() override { SetClock(nullptr); }

    bool Set(Bytes report) {
        clock.Sleep(100);
        return mouse->SetFeature(report.data(), report.size());
    }
    WriteStart Out(uint8_t fill) {
        clock.Sleep(100);
        Bytes report(33, fill);
        report[0] = 0x01;
        return mouse->StartOutputWrite(report.data(), report.size());
    }

    test::FakeClock clock;
    std::unique_ptr<SimulatedMouse> mouse;
};

TEST_F(SimulatedProtocolTest, ListsTheMouseWithItsConfigurationInterfaceLast) {
    const HidEnumeration found = mouse->Enumerate(0x3D5A, 0x4108);
    ASSERT_EQ(found.interfaces.size(), 3u);
    EXPECT_EQ(found.interfaces[2].path, kSimulatedConfigPath);
    const auto value = FindConfigurationValue(found.interfaces[2], 0x3D5A, 0x4108);
    ASSERT_TRUE(value);
    EXPECT_EQ(value->reportId, 1);
    EXPECT_EQ(value->reportCount, 7u);
    EXPECT_FALSE(FindConfigurationValue(found.interfaces[0], 0x3D5A, 0x4108));
    EXPECT_FALSE(FindConfigurationValue(found.interfaces[1], 0x3D5A, 0x4108));
}

TEST_F(SimulatedProtocolTest, MalformedFeatureReportsAreErrors) {
    EXPECT_FALSE(Set({0x01, 0x0C, 0x01, 0x00, 0xFF, 0x00}));              // six bytes, not eight
    EXPECT_FALSE(Set({0x02, 0x0C, 0x01, 0x00, 0xFF, 0x00, 0x00, 0x00}));  // wrong report id
    EXPECT_TRUE(Set({0x01, 0x01, 0x03, 0, 0, 0, 0, 0}));                  // interval 3
    EXPECT_TRUE(Set({0x01, 0x0C, 0x02, 0x00, 0xFF, 0x00, 0, 0}));         // byte 2 not 0x01
    EXPECT_TRUE(Set({0x01, 0x0B, 0x01, 0x02, 0x00, 0x00, 0x00, 0x09}));   // junk after the level
    EXPECT_TRUE(Set({0x01, 0x55, 0, 0, 0, 0, 0, 0}));                     // unknown command
    EXPECT_TRUE(Set({0x01, 0x12, 0x01, 0x03, 0x40, 0x00, 0, 0}));         // key matrix at index 3
    const std::vector<std::string> errors = mouse->Errors();
    ASSERT_EQ(errors.size(), 7u);
    EXPECT_TRUE(HasLineContaining(errors, "of 6 bytes, expected 8"));
    EXPECT_TRUE(HasLineContaining(errors, "report id 0x02"));
    EXPECT_TRUE(HasLineContaining(errors, "report interval 3"));
    EXPECT_TRUE(HasLineContaining(errors, "unknown command 0x55"));
    EXPECT_TRUE(HasLineContaining(errors, "WriteKeyMatrix header with index 3"));
    // Nothing of it changed the mouse.
    EXPECT_EQ(mouse->State().ledColor, 0u);
    EXPECT_EQ(mouse->State().reportInterval, 0u);
}

TEST_F(SimulatedProtocolTest, BlocksMustFollowTheirHeaderWhole) {
    EXPECT_EQ(Out(0), WriteStart::Completed);
    EXPECT_TRUE(HasLineContaining(mouse->Errors(), "output report without a block header"));

    ASSERT_TRUE(Set({0x01, 0x12, 0x01, 0x00, 0x40, 0x00, 0, 0}));
    EXPECT_EQ(Out(0x11), WriteStart::Completed);
    ASSERT_TRUE(Set({0x01, 0x0B, 0x01, 0x01, 0, 0, 0, 0}));
    EXPECT_TRUE(HasLineContaining(mouse->Errors(), "WriteKeyMatrix block cut short"));
    EXPECT_EQ(mouse->State().keyMatrix[0], 0);

    ASSERT_TRUE(Set({0x01, 0x12, 0x01, 0x00, 0x40, 0x00, 0, 0}));
    Out(0x11);
    Out(0x22);
    EXPECT_EQ(mouse->State().keyMatrix[0], 0x11);
    EXPECT_EQ(mouse->State().keyMatrix[63], 0x22);

    Bytes shortReport(20, 0x01);
    clock.Sleep(100);
    EXPECT_EQ(mouse->StartOutputWrite(shortReport.data(), shortReport.size()), WriteStart::Failed);
    EXPECT_EQ(mouse->Errors().size(), 3u);
}

TEST_F(SimulatedProtocolTest, OutputReportsTooCloseToTheirNeighboursAreErrors) {
    ASSERT_TRUE(Set({0x01, 0x12, 0x01, 0x00, 0x40, 0x00, 0, 0}));
    Bytes report(33, 0);
    report[0] = 0x01;
    clock.Sleep(49);
    mouse->StartOutputWrite(report.data(), report.size());
    clock.Sleep(50);
    mouse->StartOutputWrite(report.data(), report.size());
    const std::vector<std::string> errors = mouse->Errors();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("pacing: 49 ms"), std::string::npos) << errors[0];
}

TEST_F(SimulatedProtocolTest, LogLinesAreMillisecondsKindAndHexBytes) {
    clock.now += 1234;
    ASSERT_TRUE(mouse->SetFeature(Bytes{0x01, 0x0C, 0x01, 0x00, 0xFF, 0, 0, 0}.data(), 8));
    const std::vector<std::string> lines = mouse->LogLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "1234 SET 01 0c 01 00 ff 00 00 00");

    const auto entry = ParseProtocolLogLine(lines[0]);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->ms, 1234u);
    EXPECT_EQ(entry->kind, "SET");
    EXPECT_EQ(entry->bytes, (Bytes{0x01, 0x0C, 0x01, 0x00, 0xFF, 0, 0, 0}));
    EXPECT_TRUE(ParseProtocolLogLine("12 ERROR something odd"));
    EXPECT_EQ(ParseProtocolLogLine("7 FAIL OUT 01 02")->bytes, (Bytes{0x01, 0x02}));
    EXPECT_FALSE(ParseProtocolLogLine("12 SET 1g"));
    EXPECT_FALSE(ParseProtocolLogLine("x SET 01"));
    EXPECT_FALSE(ParseProtocolLogLine("12 HELLO"));
    EXPECT_FALSE(ParseProtocolLogLine(""));
}

TEST(SimulatedMouseConfig, ReadsEveryTarnSimSetting) {
    const SimulatedMouseConfig config = ParseSimulatedConfig(Settings({
        {"TARN_SIM_LOG", " /tmp/sim.log "},
        {"TARN_SIM_REPORT_ID", "0x07"},
        {"TARN_SIM_REPORT_COUNT", "15"},
        {"TARN_SIM_VERSION", "123"},
        {"TARN_SIM_FAIL", "WriteKeyMatrix, setledcolor@2,UploadMacro:data,OpenDevice"},
        {"TARN_SIM_UNPLUG", "1000-2500"},
        {"TARN_SIM_UNPLUG_FILE", "/tmp/unplugged"},
    }));
    EXPECT_TRUE(config.problems.empty());
    EXPECT_EQ(config.logPath, "/tmp/sim.log");
    EXPECT_EQ(config.reportId, 7);
    EXPECT_EQ(config.reportCount, 15u);
    EXPECT_EQ(config.firmwareVersion, 123u);
    ASSERT_EQ(config.failures.size(), 4u);
    EXPECT_EQ(config.failures[0].what, SimulatedFailure::What::Command);
    EXPECT_EQ(config.failures[0].command, 0x12);
    EXPECT_EQ(config.failures[1].command, 0x0C);
    EXPECT_EQ(config.failures[1].occurrence, 2u);
    EXPECT_EQ(config.failures[2].what, SimulatedFailure::What::Data);
    EXPECT_EQ(config.failures[2].command, 0x13);
    EXPECT_EQ(config.failures[3].what, SimulatedFailure::What::Open);
    EXPECT_EQ(config.unplugAtMs, 1000u);
    EXPECT_EQ(config.replugAtMs, 2500u);
    EXPECT_EQ(config.unplugFile, "/tmp/unplugged");
}

TEST(SimulatedMouseConfig, BadValuesKeepTheDefaultsAndAreReported) {
    const SimulatedMouseConfig config = ParseSimulatedConfig(Settings({
        {"TARN_SIM_REPORT_ID", "256"},
        {"TARN_SIM_REPORT_COUNT", "0"},
        {"TARN_SIM_VERSION", "fifteen"},
        {"TARN_SIM_FAIL", "SetDpiLevel:data, Bogus, WriteDpiTable@0, ,SetLedEffect"},
        {"TARN_SIM_UNPLUG", "3000-1000"},
    }));
    EXPECT_EQ(config.reportId, 1);
    EXPECT_EQ(config.reportCount, 7u);
    EXPECT_EQ(config.firmwareVersion, 15u);
    ASSERT_EQ(config.failures.size(), 1u);
    EXPECT_EQ(config.failures[0].command, 0x0D);
    EXPECT_FALSE(config.unplugAtMs);
    EXPECT_EQ(config.problems.size(), 7u);
}

// The failures and the cable, as the apply and hot-plug see them through the driver.
class SimulatedFailureTest : public ::testing::Test {
protected:
    void SetUp() override { SetClock(&clock); }
    void TearDown() override { SetClock(nullptr); }

    CUSBDriver& Make(SimulatedMouseConfig config = {}) {
        auto transport = std::make_unique<SimulatedMouse>(std::move(config));
        mouse = transport.get();
        driver = std::make_unique<CUSBDriver>(std::move(transport));
        return *driver;
    }

    test::FakeClock clock;
    SimulatedMouse* mouse = nullptr;
    std::unique_ptr<CUSBDriver> driver;
};

TEST_F(SimulatedFailureTest, NamedCommandFailsEveryTimeOrOnlyItsNthTime) {
    SimulatedMouseConfig config;
    config.failures = {{SimulatedFailure::What::Command, 0x0C, 0},
                       {SimulatedFailure::What::Command, 0x01, 2}};
    CUSBDriver& link = Make(config);
    ASSERT_TRUE(link.OpenDevice());
    EXPECT_FALSE(link.SetLedColor(0xFF));
    EXPECT_FALSE(link.SetLedColor(0xFF));
    EXPECT_TRUE(link.SetReportInterval(1));
    EXPECT_FALSE(link.SetReportInterval(1));
    EXPECT_TRUE(link.SetReportInterval(1));
    EXPECT_TRUE(HasLineContaining(mouse->LogLines(), "FAIL SET 01 0c 01 00 ff 00"));
    EXPECT_TRUE(mouse->Errors().empty());
}

TEST_F(SimulatedFailureTest, FailedDataDropsTheBlockWithoutAProtocolError) {
    SimulatedMouseConfig config;
    config.failures = {{SimulatedFailure::What::Data, 0x13, 1},
                       {SimulatedFailure::What::Data, 0x80, 0}};
    CUSBDriver& link = Make(config);
    ASSERT_TRUE(link.OpenDevice());
    const MacroEvent events[] = {MakeMacroEvent(KeyPress, 0x41)};
    bool sent = true;
    EXPECT_EQ(link.UploadMacroEvents(1, 1, events, &sent), 2u);
    EXPECT_FALSE(sent);
    EXPECT_TRUE(link.SetDpiLevel(1));
    EXPECT_EQ(link.UploadMacroEvents(2, 1, events, &sent), 2u);
    EXPECT_TRUE(sent);
    uint32_t version = 0;
    EXPECT_FALSE(link.ReadFirmwareVersion(&version));
    EXPECT_TRUE(mouse->Errors().empty()) << mouse->Errors().front();
    EXPECT_EQ(mouse->State().macros.count(1), 0u);
    EXPECT_EQ(mouse->State().macros.count(2), 1u);
}

TEST(SimulatedMouseConfig, ReadsTheWaysAMouseMisbehaves) {
    using What = SimulatedFailure::What;
    const SimulatedMouseConfig config = ParseSimulatedConfig(Settings({
        {"TARN_SIM_FAIL",
         "WriteKeyMatrix:pending, UploadMacro:pending=400@2, WriteDpiTable:leave=300, "
         "uploadmacro:LEAVE, ReadFirmwareVersion:nomarker, ReadFirmwareVersion:short@1, "
         "SetLedColor:pending, ReadFirmwareVersion:leave, WriteKeyMatrix:short, "
         "WriteDpiTable:data=5, UploadMacro:pending=x"},
    }));
    ASSERT_EQ(config.failures.size(), 6u);
    EXPECT_EQ(config.failures[0].what, What::Pending);
    EXPECT_EQ(config.failures[0].ms, kSimulatedPendingMs);
    EXPECT_EQ(config.failures[1].ms, 400u);
    EXPECT_EQ(config.failures[1].occurrence, 2u);
    EXPECT_EQ(config.failures[2].what, What::Leave);
    EXPECT_EQ(config.failures[2].command, 0x11);
    EXPECT_EQ(config.failures[2].ms, 300u);
    EXPECT_EQ(config.failures[3].ms, kSimulatedLeaveMs);
    EXPECT_EQ(config.failures[4].what, What::NoMarker);
    EXPECT_EQ(config.failures[5].what, What::ShortReply);
    // A command without a block cannot hold a piece back, only the version query has a reply,
    // and only pending and leave take a time.
    EXPECT_EQ(config.problems.size(), 5u);
}

TEST_F(SimulatedFailureTest, APendingPieceArrivesOnlyIfTheLinkWaitsForIt) {
    SimulatedMouseConfig config;
    config.failures = {{SimulatedFailure::What::Pending, 0x12, 1, 400},
                       {SimulatedFailure::What::Pending, 0x12, 2, 2000}};
    CUSBDriver& link = Make(config);
    ASSERT_TRUE(link.OpenDevice());
    std::array<uint8_t, 64> matrix{};
    matrix[0] = 0x42;
    EXPECT_TRUE(link.WriteKeyMatrix(matrix));
    EXPECT_EQ(mouse->State().keyMatrix[0], 0x42);
    matrix[0] = 0x43;
    clock.sleeps.clear();
    EXPECT_FALSE(link.WriteKeyMatrix(matrix));
    // After the piece's pause the link waited its 1500 ms and no longer; the mouse dropped the
    // block.
    EXPECT_EQ(clock.sleeps, (std::vector<uint32_t>{100, 50, 50, 1500}));
    EXPECT_EQ(mouse->State().keyMatrix[0], 0x42);
    EXPECT_TRUE(mouse->Errors().empty()) << mouse->Errors().front();
}

TEST_F(SimulatedFailureTest, LeavingInTheMiddleOfABlockKillsTheHandlesUntilTheLinkReopens) {
    SimulatedMouseConfig config;
    config.failures = {{SimulatedFailure::What::Leave, 0x12, 1, 300}};
    CUSBDriver& link = Make(config);
    ASSERT_TRUE(link.OpenDevice());
    const std::array<uint8_t, 64> matrix{1, 2, 3};
    EXPECT_FALSE(link.WriteKeyMatrix(matrix));
    EXPECT_FALSE(mouse->IsPresent());
    EXPECT_FALSE(link.OpenDevice());
    clock.now += 300;
    EXPECT_TRUE(mouse->IsPresent());
    EXPECT_FALSE(link.SetDpiLevel(1));  // the old handles stay dead
    ASSERT_TRUE(link.OpenDevice());
    // The half block was forgotten with the restart: the next block is taken whole.
    EXPECT_TRUE(link.WriteKeyMatrix(matrix));
    EXPECT_EQ(mouse->State().keyMatrix[2], 3);
    EXPECT_TRUE(mouse->Errors().empty()) << mouse->Errors().front();
}

TEST_F(SimulatedFailureTest, VersionRepliesWithoutTheMarkerOrCutShort) {
    SimulatedMouseConfig config;
    config.failures = {{SimulatedFailure::What::NoMarker, 0x80, 1},
                       {SimulatedFailure::What::ShortReply, 0x80, 1}};
    CUSBDriver& link = Make(config);
    ASSERT_TRUE(link.OpenDevice());
    uint32_t version = 99;
    EXPECT_FALSE(link.ReadFirmwareVersion(&version));
    EXPECT_TRUE(HasLineContaining(mouse->LogLines(), "GET 01 00 01 05 00"));
    ASSERT_TRUE(link.ReadFirmwareVersion(&version));
    EXPECT_EQ(version, 0u);  // the program shows no version for 0
    ASSERT_TRUE(link.ReadFirmwareVersion(&version));
    EXPECT_EQ(version, 15u);
}

TEST_F(SimulatedFailureTest, ConfiguredReportCountAndVersionAreWhatTheDriverSees) {
    SimulatedMouseConfig config;
    config.reportId = 9;
    config.reportCount = 15;
    config.firmwareVersion = 207;
    CUSBDriver& link = Make(config);
    ASSERT_TRUE(link.OpenDevice());
    EXPECT_EQ(link.ReportId(), 9u);
    EXPECT_EQ(link.ReportCount(), 15u);
    uint32_t version = 0;
    ASSERT_TRUE(link.ReadFirmwareVersion(&version));
    EXPECT_EQ(version, 207u);
    const auto entry = ParseProtocolLogLine(mouse->LogLines().front());
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->bytes.size(), 16u);
    EXPECT_EQ(entry->bytes[0], 9);

    mouse->AddFailure({SimulatedFailure::What::Open, 0, 0});
    EXPECT_FALSE(link.OpenDevice());
}

TEST_F(SimulatedFailureTest, UnpluggedMouseVanishesAndOldHandlesStayDeadAfterItReturns) {
    CUSBDriver& link = Make();
    ASSERT_TRUE(link.OpenDevice());
    mouse->Unplug();
    EXPECT_FALSE(mouse->IsPresent());
    EXPECT_FALSE(link.SetDpiLevel(1));
    EXPECT_FALSE(link.OpenDevice());
    EXPECT_TRUE(mouse->Enumerate(0x3D5A, 0x4108).interfaces.empty());

    mouse->Replug();
    EXPECT_TRUE(mouse->IsPresent());
    ASSERT_TRUE(link.OpenDevice());
    EXPECT_TRUE(link.SetDpiLevel(1));
    EXPECT_EQ(mouse->State().opens, 2u);

    // Pulled and put back between two commands: the handle from before is dead.
    mouse->Unplug();
    mouse->Replug();
    EXPECT_FALSE(link.SetDpiLevel(2));
    ASSERT_TRUE(link.OpenDevice());
    EXPECT_TRUE(link.SetDpiLevel(2));
    EXPECT_EQ(mouse->State().dpiLevel, 2);
    EXPECT_TRUE(mouse->Errors().empty());
}

TEST_F(SimulatedFailureTest, TimedAndFileControlledUnplug) {
    SimulatedMouseConfig config;
    config.unplugAtMs = 1000;
    config.replugAtMs = 2000;
    const std::filesystem::path flag =
        std::filesystem::temp_directory_path() / ("tarn_sim_unplug_" + std::to_string(getpid()));
    std::filesystem::remove(flag);
    config.unplugFile = flag.string();
    Make(config);
    EXPECT_TRUE(mouse->IsPresent());
    clock.Sleep(1000);
    EXPECT_FALSE(mouse->IsPresent());
    clock.Sleep(1000);
    EXPECT_TRUE(mouse->IsPresent());

    std::ofstream(flag).put('x');
    EXPECT_FALSE(mouse->IsPresent());
    std::filesystem::remove(flag);
    EXPECT_TRUE(mouse->IsPresent());
}

TEST_F(SimulatedFailureTest, LogFileStartsAtTheFirstOpenAndHoldsConfigProblems) {
    const std::filesystem::path log =
        std::filesystem::temp_directory_path() / ("tarn_sim_log_" + std::to_string(getpid()));
    { std::ofstream(log) << "old contents\n"; }
    SimulatedMouseConfig config = ParseSimulatedConfig(Settings({
        {"TARN_SIM_LOG", log.string()},
        {"TARN_SIM_VERSION", "-1"},
    }));
    CUSBDriver& link = Make(config);
    ASSERT_TRUE(link.OpenDevice());
    clock.Sleep(60);
    ASSERT_TRUE(link.SetReportInterval(4));
    ASSERT_TRUE(link.OpenDevice());  // a second open keeps writing to the same log

    std::ifstream in(log);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    std::filesystem::remove(log);
    EXPECT_EQ(lines, mouse->LogLines());
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find("0 ERROR config: TARN_SIM_VERSION=-1"), std::string::npos) << lines[0];
    EXPECT_EQ(lines[1], "60 SET 01 01 04 00 00 00 00 00");
}

TEST(SimulatedMouseConfig, ReadsTheBusSettings) {
    SimulatedMouseConfig config = ParseSimulatedConfig(Settings({
        {"TARN_SIM_RESTART", "1500"},
        {"TARN_SIM_LOADER", "1"},
        {"TARN_SIM_DEVICE_PATH", "\\\\?\\usb#vid_3d5a&pid_4108#x"},
        {"TARN_SIM_OTHER_FILE", "/tmp/other"},
    }));
    EXPECT_TRUE(config.problems.empty());
    EXPECT_EQ(config.restartMs, 1500u);
    EXPECT_TRUE(config.loaderMode);
    EXPECT_EQ(config.devicePath, "\\\\?\\usb#vid_3d5a&pid_4108#x");
    EXPECT_EQ(config.otherDeviceFile, "/tmp/other");
    config = ParseSimulatedConfig(Settings({{"TARN_SIM_LOADER", "yes"}, {"TARN_SIM_RESTART", "x"}}));
    EXPECT_FALSE(config.loaderMode);
    EXPECT_EQ(config.restartMs, 0u);
    EXPECT_EQ(config.devicePath, kSimulatedDevicePath);
    EXPECT_EQ(config.problems.size(), 2u);
}

// A new report rate restarts the mouse: it leaves the bus for a while, and the link has to be
// opened again when it is back. The same rate again keeps it.
TEST_F(SimulatedFailureTest, NewReportRateRestartsTheMouse) {
    SimulatedMouseConfig config;
    config.restartMs = 1500;
    CUSBDriver& link = Make(config);
    ASSERT_TRUE(link.OpenDevice());
    ASSERT_TRUE(link.SetReportInterval(1));
    EXPECT_FALSE(mouse->IsPresent());
    EXPECT_TRUE(mouse->UsbDevices().empty());
    clock.Sleep(1499);
    EXPECT_FALSE(link.OpenDevice());
    clock.Sleep(1);
    EXPECT_TRUE(mouse->IsPresent());
    EXPECT_FALSE(link.SetDpiLevel(1));  // the handle from before the restart
    ASSERT_TRUE(link.OpenDevice());
    ASSERT_TRUE(link.SetReportInterval(1));
    EXPECT_TRUE(mouse->IsPresent());
    EXPECT_TRUE(link.SetDpiLevel(1));
    EXPECT_TRUE(mouse->Errors().empty());
}

TEST_F(SimulatedFailureTest, LoaderModeShowsOnlyTheLoadersId) {
    SimulatedMouseConfig config;
    config.loaderMode = true;
    CUSBDriver& link = Make(config);
    EXPECT_FALSE(link.OpenDevice());
    EXPECT_EQ(mouse->UsbDevices(), (std::vector<SimulatedUsbDevice>{
                                       {kSimulatedLoaderPath, kSimulatedLoaderHardwareId}}));
}

TEST_F(SimulatedFailureTest, BusListsTheMouseAndTheUnrelatedDevice) {
    const std::filesystem::path other =
        std::filesystem::temp_directory_path() / ("tarn_sim_other_" + std::to_string(getpid()));
    std::filesystem::remove(other);
    SimulatedMouseConfig config;
    config.otherDeviceFile = other.string();
    Make(config);
    const SimulatedUsbDevice tarn{kSimulatedDevicePath, kSimulatedHardwareId};
    const SimulatedUsbDevice logi{kSimulatedOtherPath, kSimulatedOtherHardwareId};
    EXPECT_EQ(mouse->UsbDevices(), std::vector<SimulatedUsbDevice>{tarn});
    std::ofstream(other).put('x');
    EXPECT_EQ(mouse->UsbDevices(), (std::vector<SimulatedUsbDevice>{tarn, logi}));
    mouse->Unplug();
    EXPECT_EQ(mouse->UsbDevices(), std::vector<SimulatedUsbDevice>{logi});
    std::filesystem::remove(other);
}

TEST(SimulatedUsbWatcherTest, ChangesAreRemovalsThenArrivals) {
    const SimulatedUsbDevice a{"a", "A"}, b{"b", "B"}, c{"c", "C"};
    EXPECT_EQ(UsbChanges({a, b}, {b, c}),
              (std::vector<UsbChange>{{false, "a"}, {true, "c"}}));
    EXPECT_TRUE(UsbChanges({a}, {a}).empty());
}

TEST(SimulatedUsbWatcherTest, ReportsAPulledAndReturnedCable) {
    SimulatedMouse mouse;
    std::mutex mutex;
    std::vector<UsbChange> seen;
    SimulatedUsbWatcher watcher;
    watcher.Start(mouse, [&](const UsbChange& change) {
        std::lock_guard<std::mutex> lock(mutex);
        seen.push_back(change);
    }, 2);
    auto count = [&] {
        std::lock_guard<std::mutex> lock(mutex);
        return seen.size();
    };
    auto waitFor = [&](size_t n) {
        for (int i = 0; i < 500 && count() < n; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    };
    mouse.Unplug();
    waitFor(1);
    mouse.Replug();
    waitFor(2);
    watcher.Stop();
    EXPECT_EQ(seen, (std::vector<UsbChange>{{false, kSimulatedDevicePath},
                                            {true, kSimulatedDevicePath}}));
}

}  // namespace
}  // namespace tarn
