#include "device/device_commands.h"

#include <algorithm>

namespace tarn {

namespace {

constexpr uint8_t kCommandReportInterval = 0x01;
constexpr uint8_t kCommandDpiLevel = 0x0B;
constexpr uint8_t kCommandLedColor = 0x0C;
constexpr uint8_t kCommandLedEffect = 0x0D;
constexpr uint8_t kCommandDpiTable = 0x11;
constexpr uint8_t kCommandKeyMatrix = 0x12;
constexpr uint8_t kCommandMacro = 0x13;
constexpr uint8_t kCommandFirmwareVersion = 0x80;
// The second byte of most commands; the mouse expects it, its meaning is not ours.
constexpr uint8_t kCommandSubcode = 0x01;

constexpr uint8_t kDpiTableIndex = 7;
constexpr uint8_t kKeyMatrixIndex = 0;

struct DpiCodeRow {
    uint32_t dpi;
    uint8_t code;
};
// 3000 DPI is 0x26, not the 0x0C its neighbours would suggest: that is what the firmware reads.
constexpr DpiCodeRow kDpiCodes[] = {
    {250, 0x01},  {500, 0x02},  {750, 0x03},  {1000, 0x04}, {1250, 0x05}, {1500, 0x06},
    {1750, 0x07}, {2000, 0x08}, {2250, 0x09}, {2500, 0x0A}, {2750, 0x0B}, {3000, 0x26},
    {3250, 0x0D}, {3500, 0x0E}, {4000, 0x28}, {5000, 0x2A}, {6000, 0x2C}, {7000, 0x2E},
};

constexpr size_t kDpiLevelsSent = 5;
constexpr uint8_t kVersionReplyMarker = 0x80;

}  // namespace

uint8_t ReportIntervalCode(uint32_t intervalMs) {
    switch (intervalMs) {
        case 1:
        case 2:
        case 4:
        case 8:
            return static_cast<uint8_t>(intervalMs);
        default:
            return 2;
    }
}

CommandBytes ReportIntervalCommand(uint32_t intervalMs) {
    return {kCommandReportInterval, ReportIntervalCode(intervalMs)};
}

CommandBytes DpiLevelCommand(uint8_t level) {
    return {kCommandDpiLevel, kCommandSubcode, level};
}

CommandBytes LedColorCommand(uint32_t colour) {
    const auto red = static_cast<uint8_t>(colour & 0xFF);
    const auto green = static_cast<uint8_t>((colour >> 8) & 0xFF);
    const auto blue = static_cast<uint8_t>((colour >> 16) & 0xFF);
    return {kCommandLedColor, kCommandSubcode, green, red, blue};
}

CommandBytes LedEffectCommand(uint8_t a, uint8_t b, uint8_t c) {
    return {kCommandLedEffect, kCommandSubcode, a, b, c};
}

CommandBytes FirmwareVersionQuery() {
    return {kCommandFirmwareVersion};
}

CommandBytes BlockHeader(uint8_t command, uint8_t index, uint16_t length) {
    return {command, kCommandSubcode, index, static_cast<uint8_t>(length & 0xFF),
            static_cast<uint8_t>(length >> 8)};
}

CommandBytes DpiTableHeader() {
    return BlockHeader(kCommandDpiTable, kDpiTableIndex, static_cast<uint16_t>(kDpiTableSize));
}

CommandBytes KeyMatrixHeader() {
    return BlockHeader(kCommandKeyMatrix, kKeyMatrixIndex, static_cast<uint16_t>(kKeyMatrixSize));
}

CommandBytes MacroHeader(uint8_t slot) {
    return BlockHeader(kCommandMacro, slot, static_cast<uint16_t>(kMacroBlockSize));
}

LedEffectParameters LedEffectFor(uint32_t ledMode, uint8_t speedMode1, uint8_t speedMode2) {
    switch (ledMode) {
        case 1:
            return {1, speedMode1, 1};
        case 2:
            return {2, speedMode2, 1};
        case 3:
            return {3, 2, 3};
        case 4:
            return {4, 10, 2};
        default:
            return {0, 0, 0};
    }
}

uint8_t DpiCode(uint32_t dpi) {
    for (const DpiCodeRow& row : kDpiCodes) {
        if (row.dpi == dpi) return row.code;
    }
    return kInvalidDpiCode;
}

DpiTableBlock BuildDpiTable(std::span<const uint32_t> dpiLevels) {
    DpiTableBlock block;
    block.fill(kInvalidDpiCode);
    const size_t used = std::min(dpiLevels.size(), kDpiLevelsSent);
    for (size_t i = 0; i < used; ++i) {
        block[i] = DpiCode(dpiLevels[i]);
        block[i + kDpiTableSize / 2] = block[i];
    }
    return block;
}

uint8_t DpiLevelFor(const DpiTableBlock& block) {
    uint8_t valid = 0;
    for (size_t i = 0; i < kDpiLevelsSent; ++i) {
        if (block[i] != kInvalidDpiCode) ++valid;
    }
    return std::min(valid, kMaxDpiLevel);
}

bool FirmwareVersionFromReply(std::span<const uint8_t> reply, uint32_t* version) {
    if (reply.size() < 4 || reply[1] != kVersionReplyMarker) return false;
    if (version) *version = static_cast<uint32_t>(reply[2]) * 10 + reply[3];
    return true;
}

}  // namespace tarn
