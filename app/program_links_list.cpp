#include "app/program_links_list.h"

#include <algorithm>

#include "base/text.h"

namespace tarn {

void ProgramLinksList::Show(const ProgramLinks& links) {
    const LinkRow* before = SelectedRow();
    const LinkRow keep = before ? *before : LinkRow{LinkRow::Kind::Profile, -1, {}};
    rows_.clear();
    for (int slot = 0; slot < kSlotCount; ++slot) {
        rows_.push_back({LinkRow::Kind::Profile, slot, {}});
        const auto& programs = links.Programs(slot);
        if (programs.empty()) rows_.push_back({LinkRow::Kind::NoProgram, slot, {}});
        for (const std::u16string& program : programs) {
            rows_.push_back({LinkRow::Kind::Program, slot, program});
        }
    }
    selected_ = -1;
    first_ = std::min(first_, MaxFirst());
    if (keep.kind == LinkRow::Kind::Program) {
        SelectProgram(keep.slot, keep.program);
    } else if (keep.slot >= 0) {
        SelectProfile(keep.slot);
    }
}

const LinkRow* ProgramLinksList::SelectedRow() const {
    if (selected_ < 0 || selected_ >= static_cast<int>(rows_.size())) return nullptr;
    return &rows_[selected_];
}

int ProgramLinksList::SelectedSlot() const {
    const LinkRow* row = SelectedRow();
    return row ? row->slot : -1;
}

void ProgramLinksList::Select(int row) {
    selected_ = row >= 0 && row < static_cast<int>(rows_.size()) ? row : -1;
    KeepSelectionVisible();
}

void ProgramLinksList::SelectProfile(int slot) {
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i].kind == LinkRow::Kind::Profile && rows_[i].slot == slot) {
            Select(static_cast<int>(i));
            return;
        }
    }
    Select(-1);
}

// A program that is gone (just removed) leaves its profile's next program selected, or the
// profile itself.
void ProgramLinksList::SelectProgram(int slot, std::u16string_view program) {
    for (size_t i = 0; i < rows_.size(); ++i) {
        const LinkRow& row = rows_[i];
        if (row.kind == LinkRow::Kind::Program && row.slot == slot &&
            EqualsIgnoreCase(row.program, program)) {
            Select(static_cast<int>(i));
            return;
        }
    }
    SelectProfile(slot);
}

void ProgramLinksList::MoveSelection(int delta) {
    if (rows_.empty()) return;
    const int last = static_cast<int>(rows_.size()) - 1;
    const int from = selected_ < 0 ? (delta > 0 ? -1 : last + 1) : selected_;
    Select(std::clamp(from + delta, 0, last));
}

int ProgramLinksList::RowAt(int y, int rowHeight) const {
    if (y < 0 || rowHeight <= 0) return -1;
    const int shown = y / rowHeight;
    if (shown >= visibleRows_) return -1;
    const int row = first_ + shown;
    return row < static_cast<int>(rows_.size()) ? row : -1;
}

int ProgramLinksList::MaxFirst() const {
    return std::max(0, static_cast<int>(rows_.size()) - visibleRows_);
}

bool ProgramLinksList::Scroll(int rows) {
    const int next = std::clamp(first_ + rows, 0, MaxFirst());
    if (next == first_) return false;
    first_ = next;
    return true;
}

void ProgramLinksList::KeepSelectionVisible() {
    if (selected_ < 0) return;
    if (selected_ < first_) first_ = selected_;
    if (selected_ >= first_ + visibleRows_) first_ = selected_ - visibleRows_ + 1;
    first_ = std::clamp(first_, 0, MaxFirst());
}

ProgramLinksList::Thumb ProgramLinksList::ThumbIn(int trackHeight) const {
    const int total = static_cast<int>(rows_.size());
    if (total <= visibleRows_ || trackHeight <= 0) return {0, trackHeight};
    // Never thinner than a finger's hold.
    const int height = std::max(trackHeight * visibleRows_ / total, std::min(16, trackHeight));
    const int room = trackHeight - height;
    return {room * first_ / MaxFirst(), height};
}

bool ProgramLinksList::ScrollToThumb(int y, int trackHeight) {
    const Thumb thumb = ThumbIn(trackHeight);
    const int room = trackHeight - thumb.height;
    if (room <= 0) return false;
    const int top = std::clamp(y, 0, room);
    // Rounded to the nearest row, so the thumb lands where it was let go.
    const int first = (top * MaxFirst() + room / 2) / room;
    return Scroll(first - first_);
}

}  // namespace tarn
