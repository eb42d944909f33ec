// What Linux tells about its hidraw nodes through sysfs: the ids of each node's device and its
// report descriptor. Kept apart from the ioctl side so it runs on a copied tree in tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

#include "device/hid_transport.h"

namespace tarn {

inline constexpr char kHidrawClassFolder[] = "/sys/class/hidraw";
inline constexpr char kDeviceFolder[] = "/dev";

struct HidIds {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
};

// The ids from the HID_ID line of a uevent file ("HID_ID=0003:00003D5A:00004108").
std::optional<HidIds> ParseUeventIds(std::string_view uevent);

// The hidraw nodes under classFolder in number order (hidraw2 before hidraw10), each with its
// ids and, for nodes with the given ids, the first ten feature values of its descriptor. Paths are
// deviceFolder + "/hidrawN".
HidEnumeration EnumerateHidraw(const std::filesystem::path& classFolder,
                               const std::filesystem::path& deviceFolder, uint16_t vendorId,
                               uint16_t productId);

}  // namespace tarn
