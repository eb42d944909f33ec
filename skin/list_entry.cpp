#include "skin/list_entry.h"

namespace tarn::skin {

std::wstring_view EntryIconFile(int type, bool selected) {
    switch (type) {
        case EntryUp:
            return selected ? L"up_select.png" : L"up_normal.png";
        case EntryDown:
            return selected ? L"down_select.png" : L"down_normal.png";
        case EntryDelay:
            return selected ? L"delay_select.png" : L"delay_normal.png";
        default:
            return {};
    }
}

int EntryTextLeft(int type, int iconWidth) {
    if (type >= EntryIndented && type <= EntryDelay) {
        return kListIconLeft + iconWidth + kListTextGap;
    }
    return kListPlainLeft;
}

bool RenameSession::Open(bool enabled, int index, int count) {
    if (!enabled || IsOpen() || index < 0 || index >= count) return false;
    index_ = index;
    return true;
}

RenameAction RenameSession::On(RenameEvent event) {
    if (!IsOpen()) return RenameAction::None;
    index_ = -1;
    return event == RenameEvent::EscapeReleased ? RenameAction::Cancel : RenameAction::Commit;
}

}  // namespace tarn::skin
