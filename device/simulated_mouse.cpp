#include "device/simulated_mouse.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "base/clock.h"
#include "device/device_commands.h"

namespace tarn {

namespace {

constexpr char kPointerPath[] = "sim:tarn/pointer";
constexpr char kKeyboardPath[] = "sim:tarn/keyboard";
constexpr uint16_t kVendorId = 0x3D5A;
constexpr uint16_t kProductId = 0x4108;
constexpr uint8_t kSubcode = 0x01;
constexpr size_t kPieceSize = 32;
constexpr size_t kOutputReportLength = kPieceSize + 1;
constexpr uint32_t kPacingMs = 50;
constexpr uint8_t kHighestMacroSlot = 7;
// Enough for hours of applies; older lines are dropped from memory (the file keeps them).
constexpr size_t kMaxLinesKept = 100000;

std::string Hex(const uint8_t* bytes, size_t length) {
    std::string out;
    char digits[4];
    for (size_t i = 0; i < length; ++i) {
        std::snprintf(digits, sizeof digits, i ? " %02x" : "%02x", bytes[i]);
        out += digits;
    }
    return out;
}

std::string HexByte(uint8_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02x", value);
    return text;
}

const char* CommandName(uint8_t command) {
    switch (static_cast<DeviceCommand>(command)) {
        case DeviceCommand::ReportInterval:
            return "SetReportInterval";
        case DeviceCommand::DpiLevel:
            return "SetDpiLevel";
        case DeviceCommand::LedColor:
            return "SetLedColor";
        case DeviceCommand::LedEffect:
            return "SetLedEffect";
        case DeviceCommand::DpiTable:
            return "WriteDpiTable";
        case DeviceCommand::KeyMatrix:
            return "WriteKeyMatrix";
        case DeviceCommand::Macro:
            return "UploadMacro";
        case DeviceCommand::FirmwareVersion:
            return "ReadFirmwareVersion";
    }
    return "unknown command";
}

std::filesystem::path HostPath(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

bool FileExists(const std::string& utf8) {
    std::error_code error;
    return std::filesystem::exists(HostPath(utf8), error);
}

// The log and the pacing check need millisecond precision; the system tick of Windows (and of
// Wine) moves in 16 ms steps. So the steady clock is used unless a test has put its own clock in
// place, whose time the simulation then follows.
uint32_t SimulationTick() {
    Clock& clock = SystemClock();
    if (&clock != &PlatformClock()) return clock.TickCount();
    using namespace std::chrono;
    return static_cast<uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

bool AllZero(const uint8_t* bytes, size_t length) {
    for (size_t i = 0; i < length; ++i) {
        if (bytes[i] != 0) return false;
    }
    return true;
}

}  // namespace

SimulatedMouse::SimulatedMouse(SimulatedMouseConfig config)
    : config_(std::move(config)), createdTick_(SimulationTick()) {}

SimulatedMouse::~SimulatedMouse() = default;

HidEnumeration SimulatedMouse::Enumerate(uint16_t, uint16_t) {
    std::lock_guard<std::mutex> lock(mutex_);
    HidEnumeration result;
    if (!PresentLocked() || config_.loaderMode) return result;
    HidInterfaceInfo info;
    info.attributesKnown = true;
    info.vendorId = kVendorId;
    info.productId = kProductId;
    info.capabilitiesKnown = true;
    info.path = kPointerPath;
    result.interfaces.push_back(info);
    info.path = kKeyboardPath;
    info.featureValues = {{0x000C, 0x0001, 3, 2}};
    result.interfaces.push_back(info);
    // The configuration interface carries a neighbouring vendor value first, as the mouse does.
    info.path = kSimulatedConfigPath;
    const uint8_t otherId = static_cast<uint8_t>(config_.reportId + 1);
    info.featureValues = {
        {0xFF01, 0x0021, otherId, 1},
        {0xFF01, 0x0022, config_.reportId, static_cast<uint16_t>(config_.reportCount)}};
    result.interfaces.push_back(info);
    return result;
}

bool SimulatedMouse::Open(const std::string& path) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!logOriginTick_) {
        logOriginTick_ = SimulationTick();
        OpenLogLocked();
    }
    open_ = false;
    if (!PresentLocked() || config_.loaderMode || path != kSimulatedConfigPath) return false;
    if (ShouldFailLocked(SimulatedFailure::What::Open, 0)) return false;
    open_ = true;
    openGeneration_ = presenceGeneration_;
    ++state_.opens;
    return true;
}

void SimulatedMouse::Close() {
    std::lock_guard<std::mutex> lock(mutex_);
    open_ = false;
}

bool SimulatedMouse::IsOpen() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return open_;
}

bool SimulatedMouse::SetFeature(const uint8_t* report, size_t length) {
    std::lock_guard<std::mutex> lock(mutex_);
    const uint8_t command = length > 1 ? report[1] : 0;
    if (!HandleUsableLocked() || ShouldFailLocked(SimulatedFailure::What::Command, command)) {
        WriteLineLocked(std::to_string(NowLocked()) + " FAIL SET " + Hex(report, length));
        return false;
    }
    LogReportLocked("SET", report, length);
    CheckPacingLocked(false);
    if (!CheckReportShapeLocked("feature report", report, length, config_.reportCount + 1)) {
        return false;
    }
    InterruptBlockLocked("a feature report");
    ExecuteLocked(report, length);
    return true;
}

bool SimulatedMouse::GetFeature(uint8_t* report, size_t length) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!HandleUsableLocked() ||
        (versionQueried_ &&
         ShouldFailLocked(SimulatedFailure::What::Data,
                          static_cast<uint8_t>(DeviceCommand::FirmwareVersion)))) {
        WriteLineLocked(std::to_string(NowLocked()) + " FAIL GET " + Hex(report, length));
        return false;
    }
    if (length != config_.reportCount + 1 || report[0] != config_.reportId) {
        LogReportLocked("GET", report, length);
        return CheckReportShapeLocked("feature read", report, length, config_.reportCount + 1);
    }
    for (size_t i = 1; i < length; ++i) report[i] = 0;
    if (versionQueried_ && length >= 4) {
        const uint32_t version = config_.firmwareVersion;
        const auto query = static_cast<uint8_t>(DeviceCommand::FirmwareVersion);
        report[1] = 0x80;
        report[2] = static_cast<uint8_t>(version / 10 > 0xFF ? 0xFF : version / 10);
        report[3] = static_cast<uint8_t>(version % 10);
        if (ShouldFailLocked(SimulatedFailure::What::NoMarker, query)) {
            report[1] = 0x00;
        } else if (ShouldFailLocked(SimulatedFailure::What::ShortReply, query)) {
            // Only the marker arrived; the rest of the caller's buffer is left as it was.
            report[2] = report[3] = 0;
        }
    }
    versionQueried_ = false;
    LogReportLocked("GET", report, length);
    CheckPacingLocked(false);
    InterruptBlockLocked("a feature read");
    return true;
}

WriteStart SimulatedMouse::StartOutputWrite(const uint8_t* report, size_t length) {
    std::lock_guard<std::mutex> lock(mutex_);
    const bool usable = HandleUsableLocked();
    // Each way of failing a block counts the command's blocks, so "@n" means the n-th block
    // whatever else was asked of the earlier ones.
    std::optional<uint32_t> refuse, slow, gone;
    if (usable && block_ && block_->data.empty()) {
        const uint8_t command = block_->command;
        if (auto* f = ShouldFailLocked(SimulatedFailure::What::Data, command)) refuse = f->ms;
        if (auto* f = ShouldFailLocked(SimulatedFailure::What::Pending, command)) slow = f->ms;
        if (auto* f = ShouldFailLocked(SimulatedFailure::What::Leave, command)) gone = f->ms;
    }
    if (!usable || refuse) {
        WriteLineLocked(std::to_string(NowLocked()) + " FAIL OUT " + Hex(report, length));
        block_.reset();  // the mouse drops a block whose piece never arrived
        return WriteStart::Failed;
    }
    if (slow) {
        pending_ = PendingWrite{std::vector<uint8_t>(report, report + length), *slow};
        return WriteStart::Pending;
    }
    const WriteStart accepted = AcceptPieceLocked(report, length);
    if (gone && accepted == WriteStart::Completed) LeaveBusLocked(*gone);
    return accepted;
}

WriteStart SimulatedMouse::AcceptPieceLocked(const uint8_t* report, size_t length) {
    LogReportLocked("OUT", report, length);
    CheckPacingLocked(true);
    if (!CheckReportShapeLocked("output report", report, length, kOutputReportLength)) {
        return WriteStart::Failed;
    }
    if (!block_) {
        LogErrorLocked("output report without a block header");
        return WriteStart::Completed;
    }
    AddPieceLocked(report + 1);
    return WriteStart::Completed;
}

// The piece arrives when its time has come, if the caller waits that long; otherwise it never
// does, and the mouse drops its block.
bool SimulatedMouse::WaitForPendingWrite(uint32_t timeoutMs) {
    std::optional<PendingWrite> pending;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        pending.swap(pending_);
    }
    if (!pending) return true;
    const bool inTime = pending->ms <= timeoutMs;
    SystemClock().Sleep(inTime ? pending->ms : timeoutMs);
    std::lock_guard<std::mutex> lock(mutex_);
    const std::vector<uint8_t>& report = pending->report;
    if (inTime && HandleUsableLocked()) {
        return AcceptPieceLocked(report.data(), report.size()) == WriteStart::Completed;
    }
    WriteLineLocked(std::to_string(NowLocked()) + " FAIL OUT " + Hex(report.data(), report.size()));
    block_.reset();
    return false;
}

// The mouse drops off the bus as if its cable were pulled for a moment; every handle dies.
void SimulatedMouse::LeaveBusLocked(uint32_t ms) {
    leaveTick_ = SimulationTick();
    leaveMs_ = ms;
    if (wasPresent_) ++presenceGeneration_;
    wasPresent_ = false;
    block_.reset();
}

SimulatedMouseState SimulatedMouse::State() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return state_;
}

std::vector<std::string> SimulatedMouse::LogLines() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return {lines_.begin(), lines_.end()};
}

std::vector<std::string> SimulatedMouse::Errors() const {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<std::string> errors;
    for (const std::string& line : lines_) {
        const std::optional<ProtocolLogEntry> entry = ParseProtocolLogLine(line);
        if (entry && entry->kind == "ERROR") errors.push_back(line);
    }
    return errors;
}

void SimulatedMouse::Unplug() {
    std::lock_guard<std::mutex> lock(mutex_);
    manuallyUnplugged_ = true;
    PresentLocked();
}

void SimulatedMouse::Replug() {
    std::lock_guard<std::mutex> lock(mutex_);
    manuallyUnplugged_ = false;
    PresentLocked();
}

bool SimulatedMouse::IsPresent() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return PresentLocked();
}

std::vector<SimulatedUsbDevice> SimulatedMouse::UsbDevices() const {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<SimulatedUsbDevice> devices;
    if (PresentLocked()) {
        if (config_.loaderMode) {
            devices.push_back({kSimulatedLoaderPath, kSimulatedLoaderHardwareId});
        } else {
            devices.push_back({config_.devicePath, kSimulatedHardwareId});
        }
    }
    if (!config_.otherDeviceFile.empty() && FileExists(config_.otherDeviceFile)) {
        devices.push_back({kSimulatedOtherPath, kSimulatedOtherHardwareId});
    }
    return devices;
}

void SimulatedMouse::SetFirmwareVersion(uint32_t version) {
    std::lock_guard<std::mutex> lock(mutex_);
    config_.firmwareVersion = version;
}

void SimulatedMouse::AddFailure(const SimulatedFailure& failure) {
    std::lock_guard<std::mutex> lock(mutex_);
    config_.failures.push_back(failure);
}

bool SimulatedMouse::PresentLocked() const {
    bool present = !manuallyUnplugged_;
    if (present && config_.unplugAtMs) {
        const uint32_t since = SimulationTick() - createdTick_;
        const bool gone = since >= *config_.unplugAtMs;
        const bool back = config_.replugAtMs && since >= *config_.replugAtMs;
        present = !gone || back;
    }
    if (present && !config_.unplugFile.empty()) present = !FileExists(config_.unplugFile);
    if (present && restartTick_) {
        if (SimulationTick() - *restartTick_ < config_.restartMs) {
            present = false;
        } else {
            restartTick_.reset();
        }
    }
    if (present && leaveTick_) {
        if (SimulationTick() - *leaveTick_ < leaveMs_) {
            present = false;
        } else {
            leaveTick_.reset();
        }
    }
    if (wasPresent_ && !present) ++presenceGeneration_;
    wasPresent_ = present;
    return present;
}

bool SimulatedMouse::HandleUsableLocked() {
    const bool usable = open_ && PresentLocked() && openGeneration_ == presenceGeneration_;
    // A mouse that was gone meanwhile has restarted and forgotten a block it was receiving.
    if (block_ && block_->generation != presenceGeneration_) block_.reset();
    return usable;
}

const SimulatedFailure* SimulatedMouse::ShouldFailLocked(SimulatedFailure::What what,
                                                         uint8_t command) {
    const uint32_t attempt = ++attempts_[{static_cast<int>(what), command}];
    for (const SimulatedFailure& failure : config_.failures) {
        if (failure.what != what) continue;
        if (what != SimulatedFailure::What::Open && failure.command != command) continue;
        if (failure.occurrence == 0 || failure.occurrence == attempt) return &failure;
    }
    return nullptr;
}

uint32_t SimulatedMouse::NowLocked() const {
    return logOriginTick_ ? SimulationTick() - *logOriginTick_ : 0;
}

// The log starts afresh with the first open of the link in this process.
void SimulatedMouse::OpenLogLocked() {
    if (!config_.logPath.empty()) {
        auto file = std::make_unique<std::ofstream>(HostPath(config_.logPath),
                                                    std::ios::out | std::ios::trunc);
        if (*file) {
            logFile_ = std::move(file);
        } else {
            config_.problems.push_back("cannot write the log file " + config_.logPath);
        }
    }
    for (const std::string& problem : config_.problems) LogErrorLocked("config: " + problem);
}

void SimulatedMouse::WriteLineLocked(const std::string& line) {
    if (lines_.size() >= kMaxLinesKept) lines_.pop_front();
    lines_.push_back(line);
    if (logFile_) {
        *logFile_ << line << '\n';
        logFile_->flush();  // tests and people read the log while the program runs
    }
}

void SimulatedMouse::LogReportLocked(const char* kind, const uint8_t* bytes, size_t length) {
    WriteLineLocked(std::to_string(NowLocked()) + " " + kind + " " + Hex(bytes, length));
}

void SimulatedMouse::LogErrorLocked(const std::string& message) {
    WriteLineLocked(std::to_string(NowLocked()) + " ERROR " + message);
}

// The mouse needs 50 ms of silence on each side of an output report.
void SimulatedMouse::CheckPacingLocked(bool isOutput) {
    const uint32_t now = SimulationTick();
    if (lastReportTick_ && (isOutput || lastReportWasOutput_)) {
        const uint32_t gap = now - *lastReportTick_;
        if (gap < kPacingMs) {
            LogErrorLocked("pacing: " + std::to_string(gap) +
                           " ms between an output report and its neighbour");
        }
    }
    lastReportTick_ = now;
    lastReportWasOutput_ = isOutput;
}

bool SimulatedMouse::CheckReportShapeLocked(const char* kind, const uint8_t* report, size_t length,
                                            size_t expected) {
    if (length != expected) {
        LogErrorLocked(std::string(kind) + " of " + std::to_string(length) + " bytes, expected " +
                       std::to_string(expected));
        return false;
    }
    if (report[0] != config_.reportId) {
        LogErrorLocked(std::string(kind) + " with report id " + HexByte(report[0]));
        return false;
    }
    return true;
}

void SimulatedMouse::InterruptBlockLocked(const char* by) {
    if (!block_) return;
    LogErrorLocked(std::string(CommandName(block_->command)) + " block cut short by " + by + ": " +
                   std::to_string(block_->data.size()) + " of " + std::to_string(block_->expected) +
                   " bytes");
    block_.reset();
}

void SimulatedMouse::ExecuteLocked(const uint8_t* report, size_t length) {
    const uint8_t command = report[1];
    size_t used = 0;
    switch (static_cast<DeviceCommand>(command)) {
        case DeviceCommand::ReportInterval:
            used = 2;
            break;
        case DeviceCommand::DpiLevel:
            used = 3;
            break;
        case DeviceCommand::LedColor:
        case DeviceCommand::LedEffect:
        case DeviceCommand::DpiTable:
        case DeviceCommand::KeyMatrix:
        case DeviceCommand::Macro:
            used = 5;
            break;
        case DeviceCommand::FirmwareVersion:
            used = 1;
            break;
        default:
            LogErrorLocked("unknown command " + HexByte(command));
            return;
    }
    if (length < used + 1) {
        LogErrorLocked(std::string(CommandName(command)) + " does not fit the report");
        return;
    }
    if (!AllZero(report + used + 1, length - used - 1)) {
        LogErrorLocked(std::string(CommandName(command)) + " with non-zero bytes after it");
    }
    if (used >= 3 && report[2] != kSubcode) {
        LogErrorLocked(std::string(CommandName(command)) + " with " + HexByte(report[2]) +
                       " in byte 2");
        return;
    }
    switch (static_cast<DeviceCommand>(command)) {
        case DeviceCommand::ReportInterval:
            if (report[2] != 1 && report[2] != 2 && report[2] != 4 && report[2] != 8) {
                LogErrorLocked("report interval " + std::to_string(report[2]) + " ms");
                return;
            }
            // A new report rate restarts the mouse: it leaves the bus and enumerates again.
            if (config_.restartMs != 0 && report[2] != state_.reportInterval) {
                restartTick_ = SimulationTick();
                // The handles die with the restart even if nobody looks while it lasts.
                if (wasPresent_) ++presenceGeneration_;
                wasPresent_ = false;
            }
            state_.reportInterval = report[2];
            return;
        case DeviceCommand::DpiLevel:
            state_.dpiLevel = report[3];
            return;
        case DeviceCommand::LedColor:
            state_.ledColor = uint32_t{report[5]} << 16 | uint32_t{report[3]} << 8 | report[4];
            return;
        case DeviceCommand::LedEffect:
            state_.ledEffect = {report[3], report[4], report[5]};
            return;
        case DeviceCommand::FirmwareVersion:
            versionQueried_ = true;
            return;
        default:
            StartBlockLocked(report);
            return;
    }
}

void SimulatedMouse::StartBlockLocked(const uint8_t* report) {
    const uint8_t command = report[1];
    const uint8_t index = report[3];
    const size_t length = report[4] | size_t{report[5]} << 8;
    bool valid = false;
    switch (static_cast<DeviceCommand>(command)) {
        case DeviceCommand::DpiTable:
            valid = index == 7 && length == kDpiTableSize;
            break;
        case DeviceCommand::KeyMatrix:
            valid = index == 0 && length == kKeyMatrixSize;
            break;
        default:
            valid = index <= kHighestMacroSlot && length == kMacroBlockSize;
            break;
    }
    if (!valid) {
        LogErrorLocked(std::string(CommandName(command)) + " header with index " +
                       std::to_string(index) + " and length " + std::to_string(length));
        return;
    }
    // Data travels in whole 32-byte pieces; the DPI table's 16 bytes fill one piece.
    const size_t pieces = (length + kPieceSize - 1) / kPieceSize;
    block_ = Block{command, index, {}, pieces * kPieceSize, presenceGeneration_};
}

void SimulatedMouse::AddPieceLocked(const uint8_t* data) {
    block_->data.insert(block_->data.end(), data, data + kPieceSize);
    if (block_->data.size() >= block_->expected) FinishBlockLocked();
}

void SimulatedMouse::FinishBlockLocked() {
    const Block& block = *block_;
    const uint8_t* data = block.data.data();
    switch (static_cast<DeviceCommand>(block.command)) {
        case DeviceCommand::DpiTable:
            std::copy(data, data + kDpiTableSize, state_.dpiTable.begin());
            if (!AllZero(data + kDpiTableSize, kPieceSize - kDpiTableSize)) {
                LogErrorLocked("WriteDpiTable piece with non-zero bytes after the table");
            }
            break;
        case DeviceCommand::KeyMatrix:
            std::copy(data, data + kKeyMatrixSize, state_.keyMatrix.begin());
            break;
        default:
            std::copy(data, data + kMacroBlockSize, state_.macros[block.index].begin());
            break;
    }
    block_.reset();
}

}  // namespace tarn
