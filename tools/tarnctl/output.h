// What tarnctl prints: results on standard output, messages on standard error, all UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarnctl {

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;       // a file that is not what it should be, no mouse, ...
inline constexpr int kExitApplyFailed = 2;  // the mouse refused a step of the apply
inline constexpr int kExitUsage = 64;       // the command line itself is wrong

void Print(std::string_view text);
// "tarnctl: " + text + newline on standard error.
void Error(std::string_view text);
void Note(std::string_view text);  // "tarnctl: note: ..."
// Error, then kExitFailed.
int Fail(std::string_view text);

// Lower-case hex: "0x0000bebe" with Hex32, bytes as "de ad" with HexBytes.
std::string Hex32(uint32_t value);
std::string HexBytes(const uint8_t* bytes, size_t count);

}  // namespace tarnctl
