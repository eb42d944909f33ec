#include "update/support_page_rules.h"

namespace tarn {

std::vector<int> SupportHintIdsAt(int x, int y) {
    std::vector<int> ids;
    for (const SupportControlRow& row : kSupportControls) {
        const geo::Rect& r = row.rect;
        const geo::Rect grown{r.left - 1, r.top - 1, r.right + 1, r.bottom + 1};
        if (grown.contains(x, y)) ids.push_back(row.hintId);
    }
    return ids;
}

std::u16string_view RestoreDefaultsQuestion() {
    return Localized(u"确定要恢复默认设置?", u"Do you want to restore the default setting?");
}

}  // namespace tarn
