#include "device/hidraw_sysfs.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include "device/hid_descriptor.h"
#include "device/hid_transport.h"

namespace tarn {

namespace {

// The kernel keeps descriptors below 4 KiB; anything longer is not a descriptor.
constexpr std::streamsize kMaxDescriptorBytes = 4096;
constexpr std::streamsize kMaxUeventBytes = 16384;

std::optional<uint32_t> HexField(std::string_view text) {
    if (text.empty() || text.size() > 8) return std::nullopt;
    uint32_t value = 0;
    for (const char c : text) {
        const int digit = HexDigitValue(c);
        if (digit < 0) return std::nullopt;
        value = value << 4 | static_cast<uint32_t>(digit);
    }
    return value;
}

std::optional<std::string> ReadSmallFile(const std::filesystem::path& path, std::streamsize limit) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes(static_cast<size_t>(limit) + 1, '\0');
    in.read(bytes.data(), limit + 1);
    const std::streamsize got = in.gcount();
    if (got > limit) return std::nullopt;
    bytes.resize(static_cast<size_t>(got));
    return bytes;
}

// The number of a "hidrawN" entry; none for other names.
std::optional<uint32_t> NodeNumber(const std::string& name) {
    constexpr std::string_view prefix = "hidraw";
    if (name.size() <= prefix.size() || name.size() > prefix.size() + 6) return std::nullopt;
    if (name.compare(0, prefix.size(), prefix) != 0) return std::nullopt;
    uint32_t number = 0;
    for (size_t i = prefix.size(); i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9') return std::nullopt;
        number = number * 10 + static_cast<uint32_t>(name[i] - '0');
    }
    return number;
}

void ReadCapabilities(const std::filesystem::path& deviceFolder, HidInterfaceInfo& info) {
    const std::optional<std::string> bytes =
        ReadSmallFile(deviceFolder / "report_descriptor", kMaxDescriptorBytes);
    if (!bytes) return;
    const auto* data = reinterpret_cast<const uint8_t*>(bytes->data());
    const DescriptorValues values = ParseFeatureValues({data, bytes->size()});
    if (!values.ok || values.featureValues.empty()) return;
    info.capabilitiesKnown = true;
    const size_t used = std::min(values.featureValues.size(), kMaxValueCapabilities);
    info.featureValues.assign(values.featureValues.begin(), values.featureValues.begin() + used);
}

bool ReadIds(const std::filesystem::path& deviceFolder, HidIds& ids) {
    const std::optional<std::string> uevent =
        ReadSmallFile(deviceFolder / "uevent", kMaxUeventBytes);
    if (!uevent) return false;
    const std::optional<HidIds> parsed = ParseUeventIds(*uevent);
    if (!parsed) return false;
    ids = *parsed;
    return true;
}

}  // namespace

std::optional<HidIds> ParseUeventIds(std::string_view uevent) {
    constexpr std::string_view key = "HID_ID=";
    size_t start = 0;
    while (start < uevent.size()) {
        size_t end = uevent.find('\n', start);
        if (end == std::string_view::npos) end = uevent.size();
        std::string_view line = uevent.substr(start, end - start);
        start = end + 1;
        if (line.substr(0, key.size()) != key) continue;
        line.remove_prefix(key.size());
        const size_t first = line.find(':');
        const size_t second = line.find(':', first == std::string_view::npos ? 0 : first + 1);
        if (first == std::string_view::npos || second == std::string_view::npos) return {};
        const auto vendor = HexField(line.substr(first + 1, second - first - 1));
        const auto product = HexField(line.substr(second + 1));
        if (!vendor || !product || *vendor > 0xFFFF || *product > 0xFFFF) return {};
        return HidIds{static_cast<uint16_t>(*vendor), static_cast<uint16_t>(*product)};
    }
    return std::nullopt;
}

HidEnumeration EnumerateHidraw(const std::filesystem::path& classFolder,
                               const std::filesystem::path& deviceFolder, uint16_t vendorId,
                               uint16_t productId) {
    HidEnumeration result;
    std::error_code error;
    std::vector<std::pair<uint32_t, std::string>> nodes;
    std::filesystem::directory_iterator it(classFolder, error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (const std::optional<uint32_t> number = NodeNumber(name)) {
            nodes.emplace_back(*number, name);
        }
    }
    if (error) result.complete = false;
    std::sort(nodes.begin(), nodes.end());
    for (const auto& [number, name] : nodes) {
        const std::filesystem::path device = classFolder / name / "device";
        HidInterfaceInfo info;
        info.path = (deviceFolder / name).string();
        HidIds ids;
        if (ReadIds(device, ids)) {
            info.attributesKnown = true;
            info.vendorId = ids.vendorId;
            info.productId = ids.productId;
            if (ids.vendorId == vendorId && ids.productId == productId) {
                ReadCapabilities(device, info);
            }
        }
        result.interfaces.push_back(std::move(info));
    }
    return result;
}

}  // namespace tarn
