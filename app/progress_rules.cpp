#include "app/progress_rules.h"

#include "base/app_paths.h"
#include "base/language_state.h"

namespace tarn {

std::u16string_view ProgressText() {
    return Localized(u"更新进行中，请稍候...", u"Updating is in progress, please wait…");
}

std::u16string ProgressPicturePath(std::u16string_view name) {
    std::u16string path = programFolder;
    path += u"\\skins\\ProgressBar\\";
    path += name;
    return path;
}

ProgressStep OnProgress(uintptr_t position) {
    if (position >= static_cast<uintptr_t>(kProgressMaximum)) return {kProgressMaximum, true};
    return {static_cast<int>(position), false};
}

}  // namespace tarn
