#include "settings/file_dialogs.h"

namespace tarn {

std::u16string SystemDialogFilter(std::u16string_view filter) {
    std::u16string out(filter);
    for (auto& c : out) {
        if (c == u'|') c = u'\0';
    }
    // The system reads pairs until an empty string, so the list must end in two zeros.
    while (out.size() < 2 || out[out.size() - 1] != u'\0' || out[out.size() - 2] != u'\0') {
        out += u'\0';
    }
    return out;
}

}  // namespace tarn
