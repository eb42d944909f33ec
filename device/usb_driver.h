// CUSBDriver: the program's one link to the mouse. It finds the configuration interface, moves
// feature and output reports with the pauses the mouse needs, and speaks the command set.
//
// The user-interface thread and the apply worker share one instance. Every public operation holds
// one mutex for its whole length, pauses inside a block included, so reports of two callers never
// interleave on the wire.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

#include "device/hid_transport.h"

namespace tarn {

struct MacroRecord;

// The ids the mouse is searched by, as text parsed at each search.
inline constexpr char kVendorIdText[] = "3D5A";
inline constexpr char kProductIdText[] = "4108";

// Output reports are the report id and 32 data bytes.
constexpr size_t kOutputDataSize = 32;
constexpr size_t kOutputReportSize = kOutputDataSize + 1;
// The mouse needs this much silence before and after every output report.
constexpr uint32_t kWritePacingMs = 50;
// The longest wait for an output write the system left pending.
constexpr uint32_t kWriteWaitMs = 1500;

class CUSBDriver {
public:
    explicit CUSBDriver(std::unique_ptr<HidTransport> transport);
    ~CUSBDriver();
    CUSBDriver(const CUSBDriver&) = delete;
    CUSBDriver& operator=(const CUSBDriver&) = delete;

    // The support-library check; true when the device work may go ahead.
    bool PrepareLink();
    // Closes whatever is open, then opens the first interface of the mouse that carries the
    // configuration value. True when the link is open.
    bool OpenDevice();
    void CloseDevice();
    bool IsOpen() const;
    uint32_t ReportId() const;
    uint32_t ReportCount() const;

    // Sends one feature report: reportId, then the given bytes, then zeros up to reportCount + 1
    // bytes. False when closed, or when the bytes do not fit the report.
    bool SetFeatureReport(std::span<const uint8_t> commandBytes);
    // Reads one feature report of reportCount + 1 bytes, report id first, into reply.
    bool GetFeatureReport(std::vector<uint8_t>& reply);
    // One 33-byte output report: reportId and the 32 bytes, then a 50 ms pause. A write the
    // system leaves pending is waited for up to 1500 ms; one still pending then has failed.
    bool WriteOutputReport(std::span<const uint8_t, kOutputDataSize> data);
    // The data as consecutive output reports, 50 ms before each. The length must be a multiple
    // of 32 (0 sends nothing and succeeds); stops at the first failed piece.
    bool WriteBlock(const uint8_t* data, size_t length);

    // The command set. All of them fail on a closed link.
    bool SetReportInterval(uint32_t intervalMs);
    bool SetDpiLevel(uint8_t level);
    bool SetLedColor(uint32_t colour);  // colour is 0x00BBGGRR
    bool SetLedEffect(uint8_t a, uint8_t b, uint8_t c);
    bool WriteDpiTable(std::span<const uint8_t> block);   // exactly 16 bytes
    bool WriteKeyMatrix(std::span<const uint8_t> block);  // exactly 64 bytes
    // Encodes the macro and, for slots 0..7, sends it; slots above 7 are only encoded. Returns the
    // entry count of the encoded block. sent, when given, tells whether the whole transfer went
    // out (the apply does not need it).
    uint32_t UploadMacro(uint32_t slot, const MacroRecord& macro, bool* sent = nullptr);
    // The same for a loop count and a list of macro event words.
    uint32_t UploadMacroEvents(uint32_t slot, uint32_t loopCount, std::span<const uint32_t> events,
                               bool* sent = nullptr);
    bool ReadFirmwareVersion(uint32_t* version);

    HidTransport& Transport() { return *transport_; }

private:
    bool SetFeatureLocked(std::span<const uint8_t> commandBytes);
    bool GetFeatureLocked(std::vector<uint8_t>& reply);
    bool WriteOutputLocked(const uint8_t* data);
    bool WriteBlockLocked(const uint8_t* data, size_t length);
    bool BlockCommandLocked(std::span<const uint8_t> header, uint32_t pauseMs, const uint8_t* data,
                            size_t length);
    uint32_t UploadEncodedLocked(uint32_t slot, const uint8_t* block, uint32_t entries, bool* sent);

    mutable std::mutex mutex_;
    std::unique_ptr<HidTransport> transport_;
    uint16_t vendorId_ = 0;
    uint16_t productId_ = 0;
    uint32_t reportId_ = 0;
    uint32_t reportCount_ = 0;
    std::array<uint8_t, kReportBufferSize> outBuffer_{};
    std::array<uint8_t, kReportBufferSize> inBuffer_{};
};

}  // namespace tarn
