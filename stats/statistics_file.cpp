#include "stats/statistics_file.h"

#include "base/app_paths.h"
#include "base/language_state.h"
#include "base/text.h"
#include "base/user_messages.h"

namespace tarn {

std::u16string StatisticsFilePath() {
    return JoinPath(dataFolder, u"\\Sts.cfg");
}

FileError LoadStatistics(UsageCounters& counters) {
    const std::u16string path = StatisticsFilePath();
    const FileError error = ReadFileInto(Files(), path, &counters, sizeof counters);
    if (error == FileError::NotFound || error == FileError::BadPath) {
        // This one message is English in every language, as the program has always shown it.
        ShowInfoBox(FormatOne(u"Failed to open file, check whether there is a %s path?", path),
                    false);
    }
    return error;
}

FileError SaveStatistics(const UsageCounters& counters, SaveFailureNotice notice) {
    const std::u16string path = StatisticsFilePath();
    const FileError error = WriteFileReplacing(Files(), path, &counters, sizeof counters);
    if (notice == SaveFailureNotice::Quiet) return error;
    if (error == FileError::NotFound || error == FileError::BadPath) {
        ShowPlainInfo(FormatOne(MessageText(StringKey::str_msg2), path));
    } else if (error == FileError::AccessDenied) {
        ShowPlainInfo(MessageText(StringKey::str_msg5));
    } else if (error != FileError::None) {
        // A full disk or a refused write would otherwise lose the counts without a word.
        ShowPlainInfo(FormatOne(
            Localized(u"统计数据保存失败：%s", u"The statistics could not be saved to %s."), path));
    }
    return error;
}

}  // namespace tarn
