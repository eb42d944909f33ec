// The list of the "Programs" dialog without the window: one row for each profile followed by
// its programs (or a "no program yet" row), the selection, and the scrolling of a list taller
// than its window.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "settings/program_links.h"

namespace tarn {

struct LinkRow {
    enum class Kind { Profile, Program, NoProgram };
    Kind kind;
    int slot;
    std::u16string program;  // for Program rows
};

class ProgramLinksList {
public:
    explicit ProgramLinksList(int visibleRows) : visibleRows_(visibleRows < 1 ? 1 : visibleRows) {}

    // Rebuilds the rows; the selected program (or profile) stays selected when it is still there.
    void Show(const ProgramLinks& links);
    const std::vector<LinkRow>& Rows() const { return rows_; }

    int Selected() const { return selected_; }
    const LinkRow* SelectedRow() const;
    // The slot a new program goes to: the selected row's.
    int SelectedSlot() const;
    // Out-of-range rows select nothing; the selection is scrolled into view.
    void Select(int row);
    void SelectProfile(int slot);
    void SelectProgram(int slot, std::u16string_view program);
    // Up or down by some rows, staying within the list.
    void MoveSelection(int delta);

    int FirstVisible() const { return first_; }
    int VisibleRows() const { return visibleRows_; }
    // The row under a point `y` pixels below the top of the rows, or -1.
    int RowAt(int y, int rowHeight) const;
    // Returns whether the view moved.
    bool Scroll(int rows);
    bool NeedsScrollBar() const { return static_cast<int>(rows_.size()) > visibleRows_; }

    // The scroll bar's thumb in a track of the given height.
    struct Thumb {
        int top, height;
    };
    Thumb ThumbIn(int trackHeight) const;
    // Scrolls so that the thumb's top sits near `y` pixels into the track.
    bool ScrollToThumb(int y, int trackHeight);

private:
    int MaxFirst() const;
    void KeepSelectionVisible();

    std::vector<LinkRow> rows_;
    int visibleRows_;
    int selected_ = -1;
    int first_ = 0;
};

}  // namespace tarn
