#include "tools/tarnctl/output.h"

#include <cstdio>

namespace tarnctl {

void Print(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
}

void Error(std::string_view text) {
    std::string line = "tarnctl: ";
    line += text;
    line += '\n';
    std::fflush(stdout);
    std::fwrite(line.data(), 1, line.size(), stderr);
}

void Note(std::string_view text) {
    std::string line = "note: ";
    line += text;
    Error(line);
}

int Fail(std::string_view text) {
    Error(text);
    return kExitFailed;
}

std::string Hex32(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08x", value);
    return text;
}

std::string HexBytes(const uint8_t* bytes, size_t count) {
    static const char kDigits[] = "0123456789abcdef";
    std::string out;
    out.reserve(count * 3);
    for (size_t i = 0; i < count; ++i) {
        if (i != 0) out += ' ';
        out += kDigits[bytes[i] >> 4];
        out += kDigits[bytes[i] & 0x0F];
    }
    return out;
}

}  // namespace tarnctl
