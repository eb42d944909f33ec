#include "stats/statistics_store.h"

#include "base/language_state.h"
#include "base/user_messages.h"

namespace tarn {

namespace {

void AddInto(UsageCounters& target, const UsageCounters& more) {
    target.leftClicks = SaturatingAdd(target.leftClicks, more.leftClicks);
    target.middleClicks = SaturatingAdd(target.middleClicks, more.middleClicks);
    target.rightClicks = SaturatingAdd(target.rightClicks, more.rightClicks);
    target.wheelForward = SaturatingAdd(target.wheelForward, more.wheelForward);
    target.wheelBackward = SaturatingAdd(target.wheelBackward, more.wheelBackward);
    target.cursorTravel = SaturatingAdd(target.cursorTravel, more.cursorTravel);
}

}  // namespace

void StatisticsStore::Load() {
    const FileError error = LoadStatistics(stats_.counters());
    // A missing file has no counts to lose; one that exists but would not open (held by another
    // program) is read again before the first write.
    fileRead_ = error != FileError::Other;
    stats_.MarkSaved();
}

// The counts of a file that could not be read at start are added to those counted since.
bool StatisticsStore::ReadFileMissedAtLoad() {
    if (fileRead_) return true;
    UsageCounters stored{};
    const FileError error = ReadFileInto(Files(), StatisticsFilePath(), &stored, sizeof stored);
    if (error == FileError::Other) return false;
    if (error == FileError::None) AddInto(stats_.counters(), stored);
    fileRead_ = true;
    return true;
}

bool StatisticsStore::Save(SaveReason reason) {
    const bool automatic = reason == SaveReason::Periodic || reason == SaveReason::HideToTray;
    if (automatic && !stats_.Unsaved()) return true;
    if (!ReadFileMissedAtLoad()) {
        stats_.SaveFailed();
        return false;
    }
    const bool quiet = automatic && failureTold_;
    const FileError error = SaveStatistics(
        stats_.counters(), quiet ? SaveFailureNotice::Quiet : SaveFailureNotice::Show);
    if (error == FileError::None) {
        stats_.MarkSaved();
        failureTold_ = false;
        return true;
    }
    stats_.SaveFailed();
    if (automatic) failureTold_ = true;
    return false;
}

bool StatisticsStore::ConfirmAndReset() {
    const std::u16string_view question =
        Localized(u"确定要重置奖杯和统计数据么？", u"Do you want to reset trophy data ?");
    if (ShowInfoBox(question, true) != kInfoOk) return false;
    stats_.Reset();
    // The user asked for zeros: whatever the old file held is meant to go.
    fileRead_ = true;
    Save(SaveReason::Reset);
    return true;
}

}  // namespace tarn
