// The "Programs" dialog's list: its rows, what stays selected across changes, and scrolling.
#include "app/program_links_list.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

using Kind = LinkRow::Kind;

ProgramLinks Links(int programsInSlot2) {
    ProgramLinks links;
    links.Add(0, u"first.exe");
    for (int i = 0; i < programsInSlot2; ++i) {
        links.Add(2, u"game" + std::u16string(1, char16_t(u'a' + i)) + u".exe");
    }
    return links;
}

TEST(ProgramLinksList, EveryProfileHasARowAndItsProgramsOrAnEmptyRow) {
    ProgramLinksList list(11);
    list.Show(Links(2));
    const auto& rows = list.Rows();
    ASSERT_EQ(rows.size(), 11u);  // 5 profiles, 3 programs, 3 empty rows
    EXPECT_EQ(rows[0].kind, Kind::Profile);
    EXPECT_EQ(rows[1].program, u"first.exe");
    EXPECT_EQ(rows[3].kind, Kind::NoProgram);
    EXPECT_EQ(rows[3].slot, 1);
    EXPECT_EQ(rows[5].program, u"gamea.exe");
    EXPECT_EQ(rows[6].program, u"gameb.exe");
    EXPECT_EQ(rows[10].slot, 4);
    EXPECT_FALSE(list.NeedsScrollBar());
}

TEST(ProgramLinksList, TheSelectionSurvivesChangesOfTheLinks) {
    ProgramLinksList list(11);
    list.Show(Links(2));
    list.SelectProgram(2, u"GAMEB.exe");
    EXPECT_EQ(list.Selected(), 6);
    EXPECT_EQ(list.SelectedSlot(), 2);
    // Another program added above it: the same program stays selected.
    ProgramLinks more = Links(2);
    more.Add(1, u"tool.exe");
    list.Show(more);
    EXPECT_EQ(list.SelectedRow()->program, u"gameb.exe");
    // The selected program removed: its profile's row is selected instead.
    more.Remove(2, u"gameb.exe");
    list.Show(more);
    EXPECT_EQ(list.SelectedRow()->kind, Kind::Profile);
    EXPECT_EQ(list.SelectedSlot(), 2);
    list.Select(99);
    EXPECT_EQ(list.SelectedSlot(), -1);
    list.MoveSelection(1);
    EXPECT_EQ(list.Selected(), 0);
    list.MoveSelection(-5);
    EXPECT_EQ(list.Selected(), 0);
}

TEST(ProgramLinksList, ATallListScrollsAndKeepsTheSelectionInView) {
    ProgramLinksList list(11);
    list.Show(Links(10));  // 5 + 11 programs + 3 empty rows = 19 rows
    ASSERT_EQ(list.Rows().size(), 19u);
    EXPECT_TRUE(list.NeedsScrollBar());
    EXPECT_EQ(list.RowAt(0, 22), 0);
    EXPECT_EQ(list.RowAt(22 * 11, 22), -1);
    EXPECT_FALSE(list.Scroll(-1));
    EXPECT_TRUE(list.Scroll(100));
    EXPECT_EQ(list.FirstVisible(), 8);
    EXPECT_EQ(list.RowAt(5, 22), 8);
    EXPECT_EQ(list.RowAt(22 * 10 + 21, 22), 18);
    list.Select(0);
    EXPECT_EQ(list.FirstVisible(), 0);
    list.SelectProfile(4);  // row 17
    EXPECT_EQ(list.FirstVisible(), 17 - 10);
    list.Scroll(1);

    // The thumb spans its share of the track and follows a drag to the end and back.
    const auto top = list.ThumbIn(238);
    EXPECT_EQ(top.height, 238 * 11 / 19);
    EXPECT_EQ(top.top, 238 - top.height);
    EXPECT_TRUE(list.ScrollToThumb(0, 238));
    EXPECT_EQ(list.FirstVisible(), 0);
    EXPECT_TRUE(list.ScrollToThumb(500, 238));
    EXPECT_EQ(list.FirstVisible(), 8);
    // Fewer rows than room: the view goes back to the top.
    list.Show(Links(0));
    EXPECT_EQ(list.FirstVisible(), 0);
    EXPECT_FALSE(list.ScrollToThumb(100, 238));
}

}  // namespace
}  // namespace tarn
