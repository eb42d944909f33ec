// The page's counters together with their file: when they are written, what the user is told,
// and the reset that asks first.
#pragma once

#include "stats/statistics_file.h"
#include "stats/usage_statistics.h"

namespace tarn {

enum class SaveReason {
    Exit,        // the page is destroyed at program exit
    SessionEnd,  // the system asks whether it may shut down or log the user off
    Reset,       // the user confirmed a reset
    Periodic,    // timer 1, every few minutes while the counters change
    HideToTray,  // the main window hides to the tray
};

class StatisticsStore {
public:
    explicit StatisticsStore(UsageStatistics& stats) : stats_(stats) {}

    // Reads Sts.cfg into the counters (LoadStatistics) at the page's creation.
    void Load();
    // Exit, SessionEnd and Reset always write and tell every failure. Periodic and HideToTray write
    // only changed counters and tell a failure once until a write succeeds again, so a missing
    // folder does not bring up a box every few minutes. True when the file holds the counters.
    bool Save(SaveReason reason);
    // Asks the user; only a confirmed reset clears everything and writes the zeros. True when
    // the counters were reset.
    bool ConfirmAndReset();

private:
    bool ReadFileMissedAtLoad();

    UsageStatistics& stats_;
    // False while an existing Sts.cfg could not be read: its counts are not in memory, so writing
    // over it would lose them.
    bool fileRead_ = false;
    bool failureTold_ = false;
};

}  // namespace tarn
