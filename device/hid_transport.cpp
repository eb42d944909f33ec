#include "device/hid_transport.h"

#include <algorithm>

namespace tarn {

std::optional<ConfigurationValue> FindConfigurationValue(const HidInterfaceInfo& info,
                                                         uint16_t vendorId, uint16_t productId) {
    if (!info.attributesKnown || info.vendorId != vendorId || info.productId != productId) {
        return std::nullopt;
    }
    if (!info.capabilitiesKnown) return std::nullopt;
    const size_t examined = std::min(info.featureValues.size(), kMaxValueCapabilities);
    for (size_t i = 0; i < examined; ++i) {
        const HidValueCapability& cap = info.featureValues[i];
        if (cap.usagePage != kConfigUsagePage || cap.usage != kConfigUsage) continue;
        // A report longer than the 255-byte buffers (or one without room for a command) cannot
        // be driven; such an interface is passed over like one without the value.
        if (cap.reportCount == 0 || cap.reportCount + 1u > kReportBufferSize) {
            return std::nullopt;
        }
        return ConfigurationValue{cap.reportId, cap.reportCount};
    }
    return std::nullopt;
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

uint16_t ParseHexId(const char* text) {
    if (text == nullptr) return 0;
    while (*text == ' ' || *text == '\t') ++text;
    uint32_t value = 0;
    for (; *text; ++text) {
        const char c = *text;
        const int digit = HexDigitValue(c);
        if (digit < 0) break;
        value = (value << 4 | static_cast<uint32_t>(digit)) &
                0xFFFFF;  // kept bounded; only the low 16 bits count
    }
    return static_cast<uint16_t>(value & 0xFFFF);
}

}  // namespace tarn
