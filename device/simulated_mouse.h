// A mouse in software behind the HID seam, selected explicitly (--simulate). It keeps what the
// commands set, answers the version query, checks every report against the protocol and writes a
// protocol log, one line per report:
//     <ms since the link first opened> SET|GET|OUT <bytes in hex, report id first>
// Protocol violations become "<ms> ERROR <what>" lines, reports refused on purpose (a configured
// failure, an unplugged mouse) "<ms> FAIL SET|GET|OUT <bytes>". A test clock put in place with
// SetClock (before the simulation is made) moves the log and the pacing checks; otherwise a
// steady millisecond clock does. It also stands for the USB bus around the mouse: which devices
// are plugged in, by the paths and hardware ids the system's notifications carry.
// Configuration: docs/simulated-mouse.md.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <iosfwd>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "device/hid_transport.h"

namespace tarn {

// Command bytes (byte 1 of a feature report) the mouse understands.
enum class DeviceCommand : uint8_t {
    ReportInterval = 0x01,
    DpiLevel = 0x0B,
    LedColor = 0x0C,
    LedEffect = 0x0D,
    DpiTable = 0x11,
    KeyMatrix = 0x12,
    Macro = 0x13,
    FirmwareVersion = 0x80,
};

// The device-interface paths of the mouse (and of the unrelated device) as the system names
// them in WM_DEVICECHANGE, and the first hardware id of each as the setup API lists it.
inline constexpr char kSimulatedDevicePath[] =
    "\\\\?\\USB#VID_3D5A&PID_4108#6&2b1c5d3e&0&2#{a5dcbf10-6530-11d2-901f-00c04fb951ed}";
inline constexpr char kSimulatedHardwareId[] = "USB\\VID_3D5A&PID_4108&REV_0105";
inline constexpr char kSimulatedLoaderPath[] =
    "\\\\?\\USB#VID_04D9&PID_8022#6&2b1c5d3e&0&2#{a5dcbf10-6530-11d2-901f-00c04fb951ed}";
inline constexpr char kSimulatedLoaderHardwareId[] = "USB\\VID_04D9&PID_8022&REV_0100";
inline constexpr char kSimulatedOtherPath[] =
    "\\\\?\\USB#VID_046D&PID_C077#5&1f3a2b4c&0&1#{a5dcbf10-6530-11d2-901f-00c04fb951ed}";
inline constexpr char kSimulatedOtherHardwareId[] = "USB\\VID_046D&PID_C077&REV_7200";

// One device on the simulated bus.
struct SimulatedUsbDevice {
    std::string interfacePath;
    std::string hardwareId;
    bool operator==(const SimulatedUsbDevice&) const = default;
};

// A failure the simulation is asked to produce.
struct SimulatedFailure {
    // Open: the open fails. Command: the command's feature report is refused. Data: the first
    // piece of the command's block (or the version reply) is refused. Pending: the first piece
    // of the block stays pending for ms, then arrives. Leave: the mouse leaves the bus right
    // after the first piece of the block and is back after ms. NoMarker: the version reply
    // lacks its 0x80. ShortReply: the version reply ends after its 0x80.
    enum class What { Open, Command, Data, Pending, Leave, NoMarker, ShortReply };
    What what = What::Command;
    uint8_t command = 0;      // for everything but Open
    uint32_t occurrence = 0;  // 0: every time; n: only the n-th time (1-based)
    uint32_t ms = 0;          // for Pending and Leave
};
// A pending piece that arrives later than the link waits for, and a short absence.
inline constexpr uint32_t kSimulatedPendingMs = 2000;
inline constexpr uint32_t kSimulatedLeaveMs = 1000;

struct SimulatedMouseConfig {
    uint8_t reportId = 1;
    uint32_t reportCount = 7;
    uint32_t firmwareVersion = 15;
    std::string logPath;  // UTF-8 host path; empty: no log file
    std::vector<SimulatedFailure> failures;
    // Absent from unplugAtMs after the simulation was made, back at replugAtMs (never if unset).
    std::optional<uint32_t> unplugAtMs;
    std::optional<uint32_t> replugAtMs;
    // Absent while this file exists.
    std::string unplugFile;
    // Gone for this long after a report-interval command that changes the interval, as the
    // mouse restarts when its report rate changes; 0 keeps it. The simulation starts with no
    // interval, so the first such command changes it.
    uint32_t restartMs = 0;
    // Waiting in its firmware-loader mode: not listed as the mouse, only by the loader's id.
    bool loaderMode = false;
    // The device-interface path the system's notifications give for the mouse.
    std::string devicePath = kSimulatedDevicePath;
    // An unrelated USB device is plugged in while this file exists.
    std::string otherDeviceFile;
    // What could not be understood; written to the log as ERROR lines at the first open.
    std::vector<std::string> problems;
};

// What the commands have set on the mouse.
struct SimulatedMouseState {
    std::array<uint8_t, 64> keyMatrix{};
    std::array<uint8_t, 16> dpiTable{};
    uint8_t dpiLevel = 0;
    uint32_t ledColor = 0;  // 0x00BBGGRR, rebuilt from the green, red, blue bytes
    std::array<uint8_t, 3> ledEffect{};
    uint32_t reportInterval = 0;
    std::map<uint32_t, std::array<uint8_t, 512>> macros;  // by slot
    uint32_t opens = 0;
};

// One parsed line of the protocol log.
struct ProtocolLogEntry {
    uint32_t ms = 0;
    std::string kind;            // SET, GET, OUT, ERROR or FAIL
    std::vector<uint8_t> bytes;  // for SET, GET, OUT and FAIL
    std::string text;            // the rest of the line
};
std::optional<ProtocolLogEntry> ParseProtocolLogLine(const std::string& line);

class SimulatedMouse final : public HidTransport {
public:
    explicit SimulatedMouse(SimulatedMouseConfig config = {});
    ~SimulatedMouse() override;

    HidEnumeration Enumerate(uint16_t vendorId, uint16_t productId) override;
    bool Open(const std::string& path) override;
    void Close() override;
    bool IsOpen() const override;
    bool SetFeature(const uint8_t* report, size_t length) override;
    bool GetFeature(uint8_t* report, size_t length) override;
    WriteStart StartOutputWrite(const uint8_t* report, size_t length) override;
    bool WaitForPendingWrite(uint32_t timeoutMs) override;

    SimulatedMouseState State() const;
    // Every line written so far (also when there is no log file), oldest first.
    std::vector<std::string> LogLines() const;
    // Only the ERROR lines.
    std::vector<std::string> Errors() const;

    // Pull the cable and put it back. An unplugged mouse is not listed and fails every report;
    // handles opened before the unplug stay dead until the link is opened again.
    void Unplug();
    void Replug();
    bool IsPresent() const;
    // The devices on the bus now: the mouse while present (in its loader mode by the loader's
    // path and id), the unrelated device while its file exists.
    std::vector<SimulatedUsbDevice> UsbDevices() const;
    void SetFirmwareVersion(uint32_t version);
    void AddFailure(const SimulatedFailure& failure);

private:
    struct Block {
        uint8_t command = 0;
        uint32_t index = 0;
        std::vector<uint8_t> data;
        size_t expected = 0;
        uint32_t generation = 0;  // the presence it began in
    };
    // An output report the system holds while the mouse takes its time.
    struct PendingWrite {
        std::vector<uint8_t> report;
        uint32_t ms = 0;
    };

    bool PresentLocked() const;
    bool HandleUsableLocked();
    // The configured failure that applies now, or null.
    const SimulatedFailure* ShouldFailLocked(SimulatedFailure::What what, uint8_t command);
    void LeaveBusLocked(uint32_t ms);
    WriteStart AcceptPieceLocked(const uint8_t* report, size_t length);
    uint32_t NowLocked() const;
    void OpenLogLocked();
    void WriteLineLocked(const std::string& line);
    void LogReportLocked(const char* kind, const uint8_t* bytes, size_t length);
    void LogErrorLocked(const std::string& message);
    void CheckPacingLocked(bool isOutput);
    bool CheckReportShapeLocked(const char* kind, const uint8_t* report, size_t length,
                                size_t expected);
    void InterruptBlockLocked(const char* by);
    void ExecuteLocked(const uint8_t* report, size_t length);
    void StartBlockLocked(const uint8_t* report);
    void AddPieceLocked(const uint8_t* data);
    void FinishBlockLocked();

    mutable std::mutex mutex_;
    SimulatedMouseConfig config_;
    SimulatedMouseState state_;
    uint32_t createdTick_ = 0;
    std::optional<uint32_t> logOriginTick_;
    std::unique_ptr<std::ostream> logFile_;
    std::deque<std::string> lines_;
    bool manuallyUnplugged_ = false;
    // The tick a restart after a report-rate change began, while it lasts.
    mutable std::optional<uint32_t> restartTick_;
    // The tick the mouse left in the middle of a block, and for how long.
    mutable std::optional<uint32_t> leaveTick_;
    uint32_t leaveMs_ = 0;
    std::optional<PendingWrite> pending_;
    // Presence is looked at lazily; a disappearance seen bumps the generation, which makes every
    // handle opened before it dead.
    mutable bool wasPresent_ = true;
    mutable uint32_t presenceGeneration_ = 0;
    uint32_t openGeneration_ = 0;
    bool open_ = false;
    std::optional<Block> block_;
    bool versionQueried_ = false;
    std::optional<uint32_t> lastReportTick_;
    bool lastReportWasOutput_ = false;
    std::map<std::pair<int, uint8_t>, uint32_t> attempts_;
};

// The interfaces the simulation lists, in order: the pointer and keyboard interfaces of the mouse
// (no configuration value), then the configuration interface.
inline constexpr char kSimulatedConfigPath[] = "sim:tarn/config";

// Reads the TARN_SIM_* settings through lookup (which returns null for an unset name).
SimulatedMouseConfig ParseSimulatedConfig(
    const std::function<std::optional<std::string>(const char*)>& lookup);
// The same from the process environment.
SimulatedMouseConfig SimulatedConfigFromEnvironment();
// The simulated mouse as the program's transport, configured from the environment.
std::unique_ptr<HidTransport> MakeSimulatedTransport();
// The same, for callers that also watch it (IsPresent for hot-plug in simulation).
std::unique_ptr<SimulatedMouse> MakeSimulatedMouse();

}  // namespace tarn
