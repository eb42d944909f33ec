// Reading and writing Sts.cfg, with the messages the user gets when it fails.
#pragma once

#include "base/file_system.h"
#include "stats/usage_counters.h"

namespace tarn {

// Zeroes the counters and reads up to 24 bytes into them, so a shorter file leaves the rest 0.
// A missing file or folder is told to the user with the full path; other failures are silent.
FileError LoadStatistics(UsageCounters& counters);

enum class SaveFailureNotice { Show, Quiet };

// Writes the 24 bytes beside Sts.cfg and renames them over it, so the file is always the old or
// the new counters. A missing folder shows str_msg2 with the path, a denied write str_msg5 and
// any other failure a message with the path, unless told to keep quiet. The error comes back
// either way.
FileError SaveStatistics(const UsageCounters& counters,
                         SaveFailureNotice notice = SaveFailureNotice::Show);

}  // namespace tarn
