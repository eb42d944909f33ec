#include "device/hid_descriptor.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace tarn {

namespace {

enum ItemType { Main = 0, Global = 1, Local = 2 };

constexpr uint8_t kLongItemPrefix = 0xFE;
constexpr uint8_t kMainFeature = 0x0B;
constexpr uint8_t kGlobalUsagePage = 0x0;
constexpr uint8_t kGlobalReportSize = 0x7;
constexpr uint8_t kGlobalReportId = 0x8;
constexpr uint8_t kGlobalReportCount = 0x9;
constexpr uint8_t kGlobalPush = 0xA;
constexpr uint8_t kGlobalPop = 0xB;
constexpr uint8_t kLocalUsage = 0x0;
constexpr uint8_t kLocalUsageMinimum = 0x1;
constexpr uint8_t kLocalUsageMaximum = 0x2;
constexpr uint32_t kConstantFlag = 0x01;
constexpr uint32_t kVariableFlag = 0x02;
// Bounds against hostile descriptors; real ones stay far below.
constexpr size_t kMaxPushDepth = 16;
constexpr size_t kMaxCapabilities = 1024;
constexpr size_t kMaxUsagesPerItem = 1024;

struct GlobalState {
    uint16_t usagePage = 0;
    uint8_t reportId = 0;
    uint32_t reportSize = 0;
    uint32_t reportCount = 0;
};

struct UsageEntry {
    bool extended = false;  // the page is in the high half
    uint32_t first = 0;
    uint32_t count = 1;  // usages in the entry: more than one for a range
};

struct LocalState {
    std::vector<UsageEntry> usages;
    std::optional<uint32_t> minimum;
    bool minimumExtended = false;
    std::optional<uint32_t> maximum;
};

struct Item {
    uint8_t type = 0;
    uint8_t tag = 0;
    uint32_t data = 0;
    size_t size = 0;
};

class Parser {
public:
    explicit Parser(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    DescriptorValues Run() {
        size_t offset = 0;
        while (offset < bytes_.size() && result_.ok) {
            const size_t next = Step(offset);
            if (next == 0) break;
            offset = next;
        }
        return result_;
    }

private:
    // Handles the item at offset; returns the offset after it, or 0 when reading stops.
    size_t Step(size_t offset) {
        const uint8_t prefix = bytes_[offset];
        if (prefix == kLongItemPrefix) {
            if (offset + 2 >= bytes_.size() || offset + 3 + bytes_[offset + 1] > bytes_.size()) {
                return Fail("long item at offset " + std::to_string(offset) + " is cut off");
            }
            return offset + 3 + bytes_[offset + 1];  // no long item is defined; skipped
        }
        Item item;
        item.size = (prefix & 3) == 3 ? 4 : prefix & 3;
        item.type = (prefix >> 2) & 3;
        item.tag = prefix >> 4;
        if (offset + 1 + item.size > bytes_.size()) {
            return Fail("item at offset " + std::to_string(offset) + " is cut off");
        }
        for (size_t i = 0; i < item.size; ++i) {
            item.data |= static_cast<uint32_t>(bytes_[offset + 1 + i]) << (8 * i);
        }
        Handle(item);
        return result_.ok ? offset + 1 + item.size : 0;
    }

    size_t Fail(std::string message) {
        result_.ok = false;
        result_.error = std::move(message);
        return 0;
    }

    void Handle(const Item& item) {
        switch (item.type) {
            case Main:
                if (item.tag == kMainFeature) AddFeature(item.data);
                local_ = LocalState{};
                return;
            case Global:
                HandleGlobal(item);
                return;
            case Local:
                HandleLocal(item);
                return;
            default:
                return;  // reserved items carry nothing we use
        }
    }

    void HandleGlobal(const Item& item) {
        switch (item.tag) {
            case kGlobalUsagePage:
                global_.usagePage = static_cast<uint16_t>(item.data);
                return;
            case kGlobalReportSize:
                global_.reportSize = item.data;
                return;
            case kGlobalReportId:
                global_.reportId = static_cast<uint8_t>(item.data);
                return;
            case kGlobalReportCount:
                global_.reportCount = item.data;
                return;
            case kGlobalPush:
                if (stack_.size() >= kMaxPushDepth) {
                    Fail("push nested deeper than " + std::to_string(kMaxPushDepth));
                    return;
                }
                stack_.push_back(global_);
                return;
            case kGlobalPop:
                if (stack_.empty()) {
                    Fail("pop without push");
                    return;
                }
                global_ = stack_.back();
                stack_.pop_back();
                return;
            default:
                return;
        }
    }

    void HandleLocal(const Item& item) {
        const bool extended = item.size == 4;
        switch (item.tag) {
            case kLocalUsage:
                AddUsage({extended, item.data, 1});
                return;
            case kLocalUsageMinimum:
                local_.minimum = item.data;
                local_.minimumExtended = extended;
                break;
            case kLocalUsageMaximum:
                local_.maximum = item.data;
                break;
            default:
                return;
        }
        if (local_.minimum && local_.maximum) {
            const uint32_t first = *local_.minimum;
            const uint32_t last = std::max(*local_.maximum, first);
            // The whole 32-bit range holds one usage more than 32 bits count; it must not wrap
            // to an empty range.
            const uint64_t count = uint64_t{last} - first + 1;
            AddUsage({local_.minimumExtended, first,
                      static_cast<uint32_t>(std::min<uint64_t>(count, UINT32_MAX))});
            local_.minimum.reset();
            local_.maximum.reset();
        }
    }

    void AddUsage(const UsageEntry& entry) {
        if (local_.usages.size() < kMaxUsagesPerItem) local_.usages.push_back(entry);
    }

    // Constant fields are padding and array fields are buttons to the Windows parser, and so are
    // one-bit fields; everything else is a value.
    void AddFeature(uint32_t flags) {
        if ((flags & kConstantFlag) || !(flags & kVariableFlag)) return;
        if (global_.reportSize <= 1 || global_.reportCount == 0) return;
        std::vector<UsageEntry> usages = local_.usages;
        if (usages.empty()) usages.push_back({});
        uint32_t fieldsLeft = global_.reportCount;
        for (size_t i = 0; i < usages.size() && fieldsLeft > 0; ++i) {
            if (result_.featureValues.size() >= kMaxCapabilities) return;
            const UsageEntry& usage = usages[i];
            const bool last = i + 1 == usages.size();
            const uint32_t fields = last ? fieldsLeft : std::min(usage.count, fieldsLeft);
            HidValueCapability cap;
            cap.usagePage =
                usage.extended ? static_cast<uint16_t>(usage.first >> 16) : global_.usagePage;
            cap.usage = static_cast<uint16_t>(usage.first & 0xFFFF);
            cap.reportId = global_.reportId;
            cap.reportCount = static_cast<uint16_t>(std::min<uint32_t>(fields, 0xFFFF));
            result_.featureValues.push_back(cap);
            fieldsLeft -= fields;
        }
    }

    std::span<const uint8_t> bytes_;
    DescriptorValues result_;
    GlobalState global_;
    LocalState local_;
    std::vector<GlobalState> stack_;
};

}  // namespace

DescriptorValues ParseFeatureValues(std::span<const uint8_t> descriptor) {
    return Parser(descriptor).Run();
}

}  // namespace tarn
