#include "stats/statistics_texts.h"

#include <cstdio>

namespace tarn {

namespace {

std::u16string Widen(const char* ascii) {
    std::u16string out;
    for (const char* p = ascii; *p; ++p) out += static_cast<char16_t>(*p);
    return out;
}

std::u16string FormatCount(uint32_t value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%u", static_cast<unsigned>(value));
    return Widen(buffer);
}

}  // namespace

std::u16string FormatDistance(uint32_t cursorTravel) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%0.2f", static_cast<double>(cursorTravel) * 0.0001);
    return Widen(buffer);
}

StatisticsTexts FormatStatistics(const UsageCounters& c) {
    return {FormatCount(c.leftClicks),    FormatCount(c.middleClicks),  FormatCount(c.rightClicks),
            FormatCount(TotalClicks(c)),  FormatCount(c.wheelForward),  FormatCount(c.wheelBackward),
            FormatCount(TotalWheel(c)),   FormatDistance(c.cursorTravel)};
}

}  // namespace tarn
