// The lighting modes and colours as the profile stores them. Shared by the lighting page and the
// skin renderer, which paints the preset swatches in exactly these colours.
#pragma once

#include <array>
#include <cstdint>

namespace tarn::led {

// ledMode values, named after what the mouse shows.
inline constexpr uint32_t kModeSteady = 1;          // one colour, brightness 1..10
inline constexpr uint32_t kModeBreathing = 2;       // one colour, breathing speed 1..5
inline constexpr uint32_t kModeClickBreathing = 3;  // breathes with the click speed
inline constexpr uint32_t kModeSpectrum = 4;        // cycles through the spectrum
inline constexpr uint32_t kModeOff = 5;
inline constexpr int kModeCount = 5;

inline constexpr int kPresetCount = 26;

// Preset k as a COLORREF (0x00BBGGRR).
inline constexpr std::array<uint32_t, kPresetCount> kPresets = {
    0x7E05FA, 0x0012FA, 0x0179F8, 0x00EDF9, 0x09F0C1, 0x00F927, 0x2AA418, 0x93E713, 0xDFE90D,
    0xFAC101, 0xFA8E05, 0xF96F00, 0xF80024, 0xE3185A, 0xE21B7F, 0xE218C1, 0x54FAE6, 0x30B900,
    0x7D63FA, 0x233BC4, 0x1603DE, 0xAD7A17, 0x12B900, 0xC05A4A, 0xEE4E6F, 0xB95401};

// Channel i (0 red, 1 green, 2 blue) of a COLORREF, and the colour with one channel replaced.
constexpr int Channel(uint32_t colour, int i) {
    return static_cast<int>((colour >> (8 * i)) & 0xFF);
}
constexpr uint32_t WithChannel(uint32_t colour, int i, int value) {
    const uint32_t mask = 0xFFu << (8 * i);
    return (colour & ~mask) | ((static_cast<uint32_t>(value) & 0xFF) << (8 * i));
}

}  // namespace tarn::led
