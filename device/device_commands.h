// The bytes of the mouse's configuration commands, as pure functions: what goes after the report
// id of a feature report, and the values the commands carry. CUSBDriver sends them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tarn {

// The command bytes of one feature report (positions 1 onwards).
using CommandBytes = std::vector<uint8_t>;

// 1, 2, 4 and 8 ms are the rates the mouse has; anything else is sent as 2 (500 Hz).
uint8_t ReportIntervalCode(uint32_t intervalMs);
CommandBytes ReportIntervalCommand(uint32_t intervalMs);
CommandBytes DpiLevelCommand(uint8_t level);
// colour is 0x00BBGGRR; the mouse takes green, red, blue.
CommandBytes LedColorCommand(uint32_t colour);
CommandBytes LedEffectCommand(uint8_t a, uint8_t b, uint8_t c);
CommandBytes FirmwareVersionQuery();

// The shared header of the block commands: command, 0x01, index, block length little-endian.
CommandBytes BlockHeader(uint8_t command, uint8_t index, uint16_t length);
CommandBytes DpiTableHeader();
CommandBytes KeyMatrixHeader();
CommandBytes MacroHeader(uint8_t slot);

constexpr size_t kDpiTableSize = 16;
constexpr size_t kKeyMatrixSize = 64;
constexpr size_t kMacroBlockSize = 512;
constexpr uint8_t kInvalidDpiCode = 0x80;
// The highest level SetDpiLevel is given.
constexpr uint8_t kMaxDpiLevel = 3;

struct LedEffectParameters {
    uint8_t a = 0;
    uint8_t b = 0;
    uint8_t c = 0;
    bool operator==(const LedEffectParameters&) const = default;
};
// The effect parameters of a lighting mode; modes outside 1..4 turn the effect off.
LedEffectParameters LedEffectFor(uint32_t ledMode, uint8_t speedMode1, uint8_t speedMode2);

// The resolution code of a DPI value; 0x80 for a value the mouse does not have.
uint8_t DpiCode(uint32_t dpi);
using DpiTableBlock = std::array<uint8_t, kDpiTableSize>;
// The 16-byte block of the first five levels: c0..c4 80 80 80, twice. Levels after the fifth are
// never sent.
DpiTableBlock BuildDpiTable(std::span<const uint32_t> dpiLevels);
// The level byte: the count of valid codes among the five, at most 3.
uint8_t DpiLevelFor(const DpiTableBlock& block);

// The version in a reply to the version query (report id at position 0): valid only with 0x80
// in byte 1; byte 2 × 10 + byte 3.
bool FirmwareVersionFromReply(std::span<const uint8_t> reply, uint32_t* version);

}  // namespace tarn
