// The seam between the link to the mouse and the platform's HID stack. A backend lists the HID
// interfaces with what their descriptors declare, opens one of them, and moves raw reports; it
// knows nothing of the bytes' meaning. Backends: Win32 (SetupAPI + hid.dll), Linux (hidraw) and
// the simulated mouse.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tarn {

// One feature value capability as the HID parser reports it. For a usage range, usage is the
// first usage of the range.
struct HidValueCapability {
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    uint8_t reportId = 0;
    uint16_t reportCount = 0;
    bool operator==(const HidValueCapability&) const = default;
};

// One present HID interface, in the platform's enumeration order.
struct HidInterfaceInfo {
    std::string path;  // backend-specific, UTF-8; handed back to Open
    bool attributesKnown = false;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    // False when the preparsed data, the capabilities or the value list could not be read.
    bool capabilitiesKnown = false;
    // The first feature value capabilities of the interface, at most kMaxValueCapabilities.
    std::vector<HidValueCapability> featureValues;
};

struct HidEnumeration {
    // False when the platform gave up part way (the listed interfaces are still valid).
    bool complete = true;
    std::vector<HidInterfaceInfo> interfaces;
};

enum class WriteStart { Completed, Pending, Failed };

class HidTransport {
public:
    virtual ~HidTransport() = default;

    // The check of the support library; true when the device work may go ahead.
    virtual bool PrepareLink() { return true; }
    // Lists the present interfaces. A backend may skip reading the capabilities of interfaces
    // whose ids differ from the ones given; it still lists them with their ids.
    virtual HidEnumeration Enumerate(uint16_t vendorId, uint16_t productId) = 0;
    // Opens the interface for reading and for writing; on failure nothing stays open.
    virtual bool Open(const std::string& path) = 0;
    // Closes what is open; harmless when nothing is.
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;

    // A whole feature report, report id first.
    virtual bool SetFeature(const uint8_t* report, size_t length) = 0;
    // Fills a whole feature report; report[0] holds the report id on entry.
    virtual bool GetFeature(uint8_t* report, size_t length) = 0;
    // Starts writing one output report, report id first.
    virtual WriteStart StartOutputWrite(const uint8_t* report, size_t length) = 0;
    // Waits for the write that StartOutputWrite left pending. False when the time ran out (the
    // write is then called off) or the write failed; true once it went out.
    virtual bool WaitForPendingWrite(uint32_t timeoutMs) = 0;
};

// The configuration protocol lives on one vendor-defined feature value of the mouse.
constexpr uint16_t kConfigUsagePage = 0xFF01;
constexpr uint16_t kConfigUsage = 0x22;
// Only this many feature value capabilities of an interface are examined.
constexpr size_t kMaxValueCapabilities = 10;
// Feature reports go through 255-byte buffers, so the report count can be at most 254.
constexpr size_t kReportBufferSize = 255;

struct ConfigurationValue {
    uint8_t reportId = 0;
    uint32_t reportCount = 0;
};

// The configuration value of an interface: the ids must match, and the first of its first ten
// feature values on usage page 0xFF01 with usage 0x22 is taken. None when the interface does not
// carry it, or when its report would not fit the report buffer.
std::optional<ConfigurationValue> FindConfigurationValue(const HidInterfaceInfo& info,
                                                         uint16_t vendorId, uint16_t productId);

// Parses a hexadecimal id such as "3D5A" the way "%X" does: leading blanks skipped, digits read
// until the first other character. Zero when no digit comes first.
uint16_t ParseHexId(const char* text);
// The value of one hexadecimal digit of either case, or -1.
int HexDigitValue(char c);

// The backend of the platform the program runs on: Win32 HID or Linux hidraw.
std::unique_ptr<HidTransport> MakePlatformTransport();

}  // namespace tarn
