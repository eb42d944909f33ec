#include "stats/usage_statistics.h"

#include <algorithm>
#include <cstdlib>

#include "base/hook_state.h"

namespace tarn {

bool UsageStatistics::CountHookEvent(uintptr_t code) {
    uint32_t* counter = nullptr;
    switch (code) {
        case kReportLeftDown:
            counter = &counters_.leftClicks;
            break;
        case kReportMiddleDown:
            counter = &counters_.middleClicks;
            break;
        case kReportRightDown:
            counter = &counters_.rightClicks;
            break;
        case kReportWheelUp:
            counter = &counters_.wheelForward;
            break;
        case kReportWheelDown:
            counter = &counters_.wheelBackward;
            break;
        default:
            return false;
    }
    *counter = SaturatingAdd(*counter, 1);
    unsaved_ = true;
    return true;
}

void UsageStatistics::AddCursorTravel(CursorPoint point) {
    // In 64 bits, so points far apart (several monitors, odd values from the system) cannot
    // overflow the difference.
    const int64_t dx = std::llabs(static_cast<int64_t>(point.x) - lastCursor_.x);
    const int64_t dy = std::llabs(static_cast<int64_t>(point.y) - lastCursor_.y);
    lastCursor_ = point;
    if (dx + dy == 0) return;
    counters_.cursorTravel = SaturatingAdd(counters_.cursorTravel, static_cast<uint64_t>(dx + dy));
    unsaved_ = true;
}

int UsageStatistics::UpdateTrophyLevel() {
    trophyLevel_ = std::max({trophyLevel_, TrophyLevelOf(TotalClicks(counters_)),
                             TrophyLevelOf(TotalWheel(counters_))});
    return trophyLevel_;
}

void UsageStatistics::Reset() {
    counters_ = {};
    trophyLevel_ = 0;
    shownTrophyLevel_ = kNoTrophyShown;
    unsaved_ = true;
}

void UsageStatistics::MarkSaved() {
    unsaved_ = false;
    ticksSinceSave_ = 0;
}

bool UsageStatistics::AutoSaveDue() {
    if (ticksSinceSave_ < kAutoSaveTicks) ++ticksSinceSave_;
    return unsaved_ && ticksSinceSave_ >= kAutoSaveTicks;
}

}  // namespace tarn
