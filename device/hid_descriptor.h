// Reading a HID report descriptor for its feature values, the way the Windows HID parser lists
// them as value capabilities, so the hidraw backend picks the same interface and report as the
// Windows program does.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "device/hid_transport.h"

namespace tarn {

struct DescriptorValues {
    bool ok = true;
    std::string error;  // why the descriptor was not read to its end
    // Feature items that are data, variable and wider than one bit, in descriptor order. One
    // capability per usage (a usage range counts as one); the last takes the remaining fields.
    std::vector<HidValueCapability> featureValues;
};

// Never reads past the bytes given. A usage of one or two bytes takes the usage page in effect
// at its main item; a four-byte usage carries its own page.
DescriptorValues ParseFeatureValues(std::span<const uint8_t> descriptor);

}  // namespace tarn
