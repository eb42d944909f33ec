// The eight texts of the statistics page's value column, in row order: left, middle and right
// clicks, total clicks, wheel forward and backward, total wheel, distance.
#pragma once

#include <array>
#include <string>

#include "skin/skin_geometry.h"
#include "stats/usage_counters.h"

namespace tarn {

using StatisticsTexts = std::array<std::u16string, geo::stats_page::kRowCount>;

// Counts as unsigned decimal numbers (a count of 2^31 and more stays positive); the distance is
// cursorTravel x 0.0001 with two decimals ("%0.2f"), the unit being part of the skin.
StatisticsTexts FormatStatistics(const UsageCounters& counters);

// The distance text alone (timer 1 repaints only that row).
std::u16string FormatDistance(uint32_t cursorTravel);

}  // namespace tarn
