// What the statistics page counts and shows, without the window: the counters, the last cursor
// sample, the trophy level, and when the counters are due to be written. The page's window
// forwards every event here and draws from the result.
#pragma once

#include <cstdint>

#include "stats/trophy_levels.h"
#include "stats/usage_counters.h"

namespace tarn {

struct CursorPoint {
    int32_t x = 0;
    int32_t y = 0;
};

// Timer 1 ticks every 5 s; changed counters are written after this many ticks (5 minutes), so a
// crash or a power cut costs minutes of counting, not everything since the start.
inline constexpr int kAutoSaveTicks = 60;

class UsageStatistics {
public:
    UsageCounters& counters() { return counters_; }
    const UsageCounters& counters() const { return counters_; }

    // One hook report (0x4C9's wParam): true when it was a counted button press or wheel notch.
    bool CountHookEvent(uintptr_t code);
    // Adds abs(dx) + abs(dy) from the previous sample and keeps the point for the next one.
    void AddCursorTravel(CursorPoint point);
    void SetLastCursor(CursorPoint point) { lastCursor_ = point; }
    CursorPoint lastCursor() const { return lastCursor_; }

    // trophyLevel = max(itself, level of total clicks, level of total wheel); never falls.
    int UpdateTrophyLevel();
    int trophyLevel() const { return trophyLevel_; }
    // The level whose pictures the page shows; kNoTrophyShown until the first drawing.
    int shownTrophyLevel() const { return shownTrophyLevel_; }
    bool TrophyPicturesStale() const { return trophyLevel_ != shownTrophyLevel_; }
    void TrophyPicturesShown() { shownTrophyLevel_ = trophyLevel_; }

    // Everything back to 0 and the pictures to be loaded again.
    void Reset();

    // Counters changed since they were last written (or loaded).
    bool Unsaved() const { return unsaved_; }
    void MarkSaved();
    // A write failed: the counters stay unsaved and the next try waits a full period.
    void SaveFailed() { ticksSinceSave_ = 0; }
    // One tick of timer 1: true when changed counters are due to be written.
    bool AutoSaveDue();

private:
    UsageCounters counters_{};
    CursorPoint lastCursor_{};
    int trophyLevel_ = 0;
    int shownTrophyLevel_ = kNoTrophyShown;
    bool unsaved_ = false;
    int ticksSinceSave_ = 0;
};

}  // namespace tarn
