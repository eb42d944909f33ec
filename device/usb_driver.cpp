#include "device/usb_driver.h"

#include <algorithm>
#include <cstring>

#include "base/clock.h"
#include "device/device_commands.h"
#include "device/macro_block.h"

namespace tarn {

namespace {

// The mouse needs time between a block command and its data.
constexpr uint32_t kDpiTableDataPauseMs = 50;
constexpr uint32_t kLongBlockDataPauseMs = 100;
constexpr uint32_t kVersionReplyPauseMs = 50;
// The apply uses macro slots 1..7; the mouse has no slot above 7.
constexpr uint32_t kHighestMacroSlot = 7;

void Pause(uint32_t ms) {
    SystemClock().Sleep(ms);
}

}  // namespace

CUSBDriver::CUSBDriver(std::unique_ptr<HidTransport> transport)
    : transport_(std::move(transport)) {}

CUSBDriver::~CUSBDriver() {
    std::lock_guard<std::mutex> lock(mutex_);
    transport_->Close();
}

bool CUSBDriver::PrepareLink() {
    std::lock_guard<std::mutex> lock(mutex_);
    return transport_->PrepareLink();
}

bool CUSBDriver::OpenDevice() {
    std::lock_guard<std::mutex> lock(mutex_);
    transport_->Close();
    vendorId_ = ParseHexId(kVendorIdText);
    productId_ = ParseHexId(kProductIdText);
    const HidEnumeration found = transport_->Enumerate(vendorId_, productId_);
    for (const HidInterfaceInfo& info : found.interfaces) {
        const std::optional<ConfigurationValue> value =
            FindConfigurationValue(info, vendorId_, productId_);
        if (!value) continue;
        if (!transport_->Open(info.path)) continue;
        reportId_ = value->reportId;
        reportCount_ = value->reportCount;
        return true;
    }
    return false;
}

void CUSBDriver::CloseDevice() {
    std::lock_guard<std::mutex> lock(mutex_);
    transport_->Close();
}

bool CUSBDriver::IsOpen() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return transport_->IsOpen();
}

uint32_t CUSBDriver::ReportId() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return reportId_;
}

uint32_t CUSBDriver::ReportCount() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return reportCount_;
}

bool CUSBDriver::SetFeatureReport(std::span<const uint8_t> commandBytes) {
    std::lock_guard<std::mutex> lock(mutex_);
    return SetFeatureLocked(commandBytes);
}

bool CUSBDriver::GetFeatureReport(std::vector<uint8_t>& reply) {
    std::lock_guard<std::mutex> lock(mutex_);
    return GetFeatureLocked(reply);
}

bool CUSBDriver::WriteOutputReport(std::span<const uint8_t, kOutputDataSize> data) {
    std::lock_guard<std::mutex> lock(mutex_);
    return WriteOutputLocked(data.data());
}

bool CUSBDriver::WriteBlock(const uint8_t* data, size_t length) {
    std::lock_guard<std::mutex> lock(mutex_);
    return WriteBlockLocked(data, length);
}

// A command longer than the report would be cut off silently; it is refused instead.
bool CUSBDriver::SetFeatureLocked(std::span<const uint8_t> commandBytes) {
    if (!transport_->IsOpen()) return false;
    const size_t length = reportCount_ + 1;
    if (commandBytes.size() > reportCount_) return false;
    outBuffer_.fill(0);
    std::copy(commandBytes.begin(), commandBytes.end(), outBuffer_.begin() + 1);
    outBuffer_[0] = static_cast<uint8_t>(reportId_);
    return transport_->SetFeature(outBuffer_.data(), length);
}

bool CUSBDriver::GetFeatureLocked(std::vector<uint8_t>& reply) {
    if (!transport_->IsOpen()) return false;
    const size_t length = reportCount_ + 1;
    inBuffer_.fill(0);
    inBuffer_[0] = static_cast<uint8_t>(reportId_);
    if (!transport_->GetFeature(inBuffer_.data(), length)) return false;
    reply.assign(inBuffer_.begin(), inBuffer_.begin() + length);
    return true;
}

bool CUSBDriver::WriteOutputLocked(const uint8_t* data) {
    if (!transport_->IsOpen()) return false;
    uint8_t report[kOutputReportSize];
    report[0] = static_cast<uint8_t>(reportId_);
    std::memcpy(report + 1, data, kOutputDataSize);
    const WriteStart start = transport_->StartOutputWrite(report, sizeof report);
    Pause(kWritePacingMs);
    switch (start) {
        case WriteStart::Completed:
            return true;
        case WriteStart::Pending:
            // A late write that finishes within the wait is sent. One that does not is called
            // off by the transport and has not reached the mouse: counting it as sent would let
            // an apply report success for data the mouse never got.
            return transport_->WaitForPendingWrite(kWriteWaitMs);
        case WriteStart::Failed:
            break;
    }
    return false;
}

bool CUSBDriver::WriteBlockLocked(const uint8_t* data, size_t length) {
    if (data == nullptr || length % kOutputDataSize != 0) return false;
    for (size_t offset = 0; offset < length; offset += kOutputDataSize) {
        Pause(kWritePacingMs);
        if (!WriteOutputLocked(data + offset)) return false;
    }
    return true;
}

bool CUSBDriver::BlockCommandLocked(std::span<const uint8_t> header, uint32_t pauseMs,
                                    const uint8_t* data, size_t length) {
    if (!SetFeatureLocked(header)) return false;
    Pause(pauseMs);
    return WriteBlockLocked(data, length);
}

bool CUSBDriver::SetReportInterval(uint32_t intervalMs) {
    std::lock_guard<std::mutex> lock(mutex_);
    return SetFeatureLocked(ReportIntervalCommand(intervalMs));
}

bool CUSBDriver::SetDpiLevel(uint8_t level) {
    std::lock_guard<std::mutex> lock(mutex_);
    return SetFeatureLocked(DpiLevelCommand(level));
}

bool CUSBDriver::SetLedColor(uint32_t colour) {
    std::lock_guard<std::mutex> lock(mutex_);
    return SetFeatureLocked(LedColorCommand(colour));
}

bool CUSBDriver::SetLedEffect(uint8_t a, uint8_t b, uint8_t c) {
    std::lock_guard<std::mutex> lock(mutex_);
    return SetFeatureLocked(LedEffectCommand(a, b, c));
}

// The table is 16 bytes; it travels as one 32-byte piece padded with zeros.
bool CUSBDriver::WriteDpiTable(std::span<const uint8_t> block) {
    if (block.size() != kDpiTableSize) return false;
    uint8_t piece[kOutputDataSize] = {};
    std::copy(block.begin(), block.end(), piece);
    std::lock_guard<std::mutex> lock(mutex_);
    return BlockCommandLocked(DpiTableHeader(), kDpiTableDataPauseMs, piece, sizeof piece);
}

bool CUSBDriver::WriteKeyMatrix(std::span<const uint8_t> block) {
    if (block.size() != kKeyMatrixSize) return false;
    std::lock_guard<std::mutex> lock(mutex_);
    return BlockCommandLocked(KeyMatrixHeader(), kLongBlockDataPauseMs, block.data(), block.size());
}

uint32_t CUSBDriver::UploadMacro(uint32_t slot, const MacroRecord& macro, bool* sent) {
    const MacroBlock block = EncodeMacroBlock(macro);
    std::lock_guard<std::mutex> lock(mutex_);
    return UploadEncodedLocked(slot, block.bytes.data(), block.entries, sent);
}

uint32_t CUSBDriver::UploadMacroEvents(uint32_t slot, uint32_t loopCount,
                                       std::span<const uint32_t> events, bool* sent) {
    const MacroBlock block = EncodeMacroBlock(loopCount, events);
    std::lock_guard<std::mutex> lock(mutex_);
    return UploadEncodedLocked(slot, block.bytes.data(), block.entries, sent);
}

uint32_t CUSBDriver::UploadEncodedLocked(uint32_t slot, const uint8_t* block, uint32_t entries,
                                         bool* sent) {
    bool ok = false;
    if (slot <= kHighestMacroSlot) {
        ok = BlockCommandLocked(MacroHeader(static_cast<uint8_t>(slot)), kLongBlockDataPauseMs,
                                block, kMacroBlockSize);
    }
    if (sent) *sent = ok;
    return entries;
}

bool CUSBDriver::ReadFirmwareVersion(uint32_t* version) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!SetFeatureLocked(FirmwareVersionQuery())) return false;
    Pause(kVersionReplyPauseMs);
    std::vector<uint8_t> reply;
    if (!GetFeatureLocked(reply)) return false;
    return FirmwareVersionFromReply(reply, version);
}

}  // namespace tarn
