#include "skin/list_entry.h"

#include <gtest/gtest.h>

namespace tarn::skin {
namespace {

TEST(ListEntryValue, TypedEntriesShareTheWordWithTheirValue) {
    EXPECT_EQ(PackEntry(EntryDown, 0x41), 0x03000041u);
    EXPECT_EQ(PackEntry(EntryDelay, 0x12345678), 0x04345678u);  // the value keeps 24 bits
    EXPECT_EQ(EntryTypeOf(0x03000041, true), EntryDown);
    EXPECT_EQ(EntryValueOf(0x03000041, true), 0x41u);
    // A plain entry keeps all 32 bits of its value, and outside icon mode every word is read
    // whole.
    EXPECT_EQ(PackEntry(EntryPlain, 0x15ABCDEF), 0x15ABCDEFu);
    EXPECT_EQ(EntryTypeOf(0x03000041, false), EntryPlain);
    EXPECT_EQ(EntryValueOf(0x03000041, false), 0x03000041u);
}

TEST(ListEntryValue, AddingAPlainEntrySwitchesIconsOffForTheWholeList) {
    EXPECT_FALSE(IconModeAfterAdd(EntryPlain));
    EXPECT_TRUE(IconModeAfterAdd(EntryIndented));
    EXPECT_TRUE(IconModeAfterAdd(EntryUp));
    // Once off, an entry that was added as "up" draws as plain text at the plain place.
    EXPECT_EQ(EntryTextLeft(EntryTypeOf(PackEntry(EntryUp, 5), false), kListIconSize),
              kListPlainLeft);
}

TEST(ListEntryDrawing, IconsAndTextPlaces) {
    EXPECT_EQ(EntryIconFile(EntryUp, false), L"up_normal.png");
    EXPECT_EQ(EntryIconFile(EntryDown, true), L"down_select.png");
    EXPECT_EQ(EntryIconFile(EntryDelay, false), L"delay_normal.png");
    EXPECT_TRUE(EntryIconFile(EntryIndented, false).empty());
    EXPECT_TRUE(EntryIconFile(EntryPlain, true).empty());
    EXPECT_TRUE(EntryIconFile(9, true).empty());
    // Icon at 5, 16 wide, then 10 pixels of gap; an indented entry lines up with them.
    EXPECT_EQ(EntryTextLeft(EntryIndented, 16), 31);
    EXPECT_EQ(EntryTextLeft(EntryDelay, 16), 31);
    EXPECT_EQ(EntryTextLeft(EntryPlain, 16), 5);
    EXPECT_EQ(EntryTextLeft(7, 16), 5);
}

TEST(RenameInPlace, OpensOnlyOnAnEntryWhenEnabledAndNotAlreadyOpen) {
    RenameSession s;
    EXPECT_FALSE(s.Open(false, 0, 3));
    EXPECT_FALSE(s.Open(true, 3, 3));
    EXPECT_FALSE(s.Open(true, -1, 3));
    EXPECT_TRUE(s.Open(true, 2, 3));
    EXPECT_FALSE(s.Open(true, 1, 3));
    EXPECT_EQ(s.Index(), 2);
}

TEST(RenameInPlace, EndsOnceSoTheFocusLossOfRemovingTheEditorChangesNothing) {
    RenameSession s;
    ASSERT_TRUE(s.Open(true, 0, 1));
    EXPECT_EQ(s.On(RenameEvent::EnterReleased), RenameAction::Commit);
    EXPECT_EQ(s.On(RenameEvent::FocusLost), RenameAction::None);

    ASSERT_TRUE(s.Open(true, 0, 1));
    EXPECT_EQ(s.On(RenameEvent::EscapeReleased), RenameAction::Cancel);
    EXPECT_EQ(s.On(RenameEvent::FocusLost), RenameAction::None);

    ASSERT_TRUE(s.Open(true, 0, 1));
    EXPECT_EQ(s.On(RenameEvent::FocusLost), RenameAction::Commit);
    EXPECT_EQ(s.On(RenameEvent::EnterReleased), RenameAction::None);

    // A new entry ends the rename without a commit.
    ASSERT_TRUE(s.Open(true, 0, 1));
    s.Abandon();
    EXPECT_EQ(s.On(RenameEvent::FocusLost), RenameAction::None);
}

}  // namespace
}  // namespace tarn::skin
