#include "settings/profile_selection.h"

#include "tests/settings/settings_fixture.h"

namespace tarn::test {
namespace {

class RecordingView final : public ProfileView {
public:
    std::vector<std::pair<int, bool>> shown;
    int reloads = 0;
    void ShowProfileSelected(int slot, bool selected) override {
        shown.push_back({slot, selected});
    }
    void ReloadPagesFromProfile() override { ++reloads; }
    std::vector<int> Selected() const {
        std::vector<int> out;
        for (auto [slot, selected] : shown) {
            if (selected) out.push_back(slot);
        }
        return out;
    }
};

class ProfileSelectionTest : public SettingsFilesTest {
protected:
    // The installed table with slot `active` current, each slot's file holding pointerSpeed
    // 11 + slot.
    void InstallProfiles(int active) {
        auto table = std::make_unique<ProfileSlotTable>();
        std::memset(table.get(), 0, sizeof *table);
        for (int i = 0; i < kSlotCount; ++i) {
            table->slots[i].slotMagic = SlotMagic;
            table->slots[i].buttonMacroIds[0] = 100 + i;
            CopyToFixed(table->slots[i].profilePath, u"D:\\elsewhere");
            files.fs.AddFile(ProfilePath(i), BytesOf(Profile(11 + i)));
        }
        if (active >= 0) table->slots[active].active = 1;
        files.fs.AddFile(kTablePath, BytesOf(*table));
    }
    RecordingView view;
};

TEST_F(ProfileSelectionTest, StartLoadsTheActiveSlotWithRebuiltPaths) {
    InstallProfiles(3);
    LoadProfilesAtStart(*model, &view);
    EXPECT_EQ(model->currentSlot, 3);
    EXPECT_EQ(model->currentProfile.pointerSpeed, 14u);
    for (int i = 0; i < kSlotCount; ++i) {
        EXPECT_EQ(FromFixed(model->slotTable.slots[i].profilePath), ProfilePath(i));
    }
    EXPECT_EQ(view.shown.size(), 5u);
    EXPECT_EQ(view.Selected(), std::vector<int>{3});
}

TEST_F(ProfileSelectionTest, StartWithNoActiveSlotFallsBackToProfile1) {
    InstallProfiles(-1);
    model->currentSlot = 4;
    LoadProfilesAtStart(*model, &view);
    EXPECT_EQ(model->currentSlot, 0);
    EXPECT_EQ(model->currentProfile.pointerSpeed, 11u);
    EXPECT_EQ(view.Selected(), std::vector<int>{0});

    // Without a table nothing is shown selected, and a missing Profile1.cfg is made silently.
    files.fs.files.clear();
    std::memset(model.get(), 0, sizeof *model);
    RecordingView fresh;
    LoadProfilesAtStart(*model, &fresh);
    EXPECT_EQ(model->currentSlot, 0);
    EXPECT_TRUE(fresh.Selected().empty());
    EXPECT_EQ(files.fs.Bytes(ProfilePath(0)), BytesOf(*defaults));
    EXPECT_EQ(Texts().size(), 1u);  // only the missing table
}

TEST_F(ProfileSelectionTest, StartReplacesABrokenActiveProfileByDefaults) {
    InstallProfiles(2);
    files.fs.files[ProfilePath(2)] = {1, 2, 3, 4};
    LoadProfilesAtStart(*model, &view);
    EXPECT_EQ(Texts(), std::vector<std::u16string>{ProfilePath(2) + u" is an invaild Profile!"});
    EXPECT_EQ(files.fs.Bytes(ProfilePath(2)), BytesOf(*defaults));
    EXPECT_EQ(model->slotTable.slots[2].active, 0u);
    EXPECT_EQ(model->currentSlot, 0);
    EXPECT_EQ(model->currentProfile.pointerSpeed, 11u);
}

TEST_F(ProfileSelectionTest, ADataFolderTooLongForItsPathsNeverWritesACutName) {
    dataFolder = u"C:\\" + std::u16string(259 - 24, u'd');  // Profile1.cfg path: 259 units
    const std::u16string first = ProfileFilePath(0);
    ASSERT_EQ(first.size(), 259u);
    files.fs.AddFolder(dataFolder + u"\\Profile");
    LoadProfilesAtStart(*model, &view);
    EXPECT_EQ(files.fs.Bytes(first), BytesOf(*defaults));

    dataFolder += u"d";
    files.fs.files.clear();
    files.fs.AddFolder(dataFolder + u"\\Profile");
    LoadProfilesAtStart(*model, &view);
    EXPECT_TRUE(files.fs.files.empty());
    EXPECT_EQ(model->slotTable.slots[0].profilePath[0], 0);
    EXPECT_EQ(BytesOf(model->currentProfile), BytesOf(*defaults));
}

TEST_F(ProfileSelectionTest, SelectingASlotLoadsItAndMovesTheFlag) {
    InstallProfiles(0);
    LoadProfilesAtStart(*model, nullptr);
    SelectProfileSlot(*model, 4, &view);
    EXPECT_EQ(model->currentProfile.pointerSpeed, 15u);
    EXPECT_EQ(model->buttonMacroIds[0], 104u);
    EXPECT_EQ(model->slotTable.slots[0].active, 0u);
    EXPECT_EQ(model->slotTable.slots[4].active, 1u);
    EXPECT_EQ(view.shown.size(), 6u);  // all five cleared, then the selected one
    EXPECT_EQ(view.Selected(), std::vector<int>{4});
    EXPECT_EQ(view.reloads, 1);
    SelectProfileSlot(*model, 5, &view);
    SelectProfileSlot(*model, -1, &view);
    EXPECT_EQ(model->currentSlot, 4);
}

TEST_F(ProfileSelectionTest, SelectingAMissingOrBrokenFileLeavesTheFlagsOnThePreviousSlot) {
    InstallProfiles(1);
    LoadProfilesAtStart(*model, nullptr);
    model->buttonMacroIds[0] = 55;
    files.fs.files.erase(ProfilePath(3));
    files.fs.files[ProfilePath(2)] = {0};
    SelectProfileSlot(*model, 3, &view);
    EXPECT_EQ(model->currentSlot, 3);
    EXPECT_EQ(files.fs.Bytes(ProfilePath(3)), BytesOf(*defaults));
    SelectProfileSlot(*model, 2, &view);
    EXPECT_EQ(files.fs.Bytes(ProfilePath(2)), std::vector<uint8_t>{0});
    EXPECT_EQ(Texts().size(), 2u);
    EXPECT_EQ(model->slotTable.slots[1].active, 1u);
    EXPECT_EQ(model->buttonMacroIds[0], 55u);
    EXPECT_TRUE(view.shown.empty());
    EXPECT_EQ(view.reloads, 0);

    // An unreadable file: the next save must not put the old profile over it.
    model->currentSlot = 1;
    files.fs.failOpen[ProfilePath(4)] = FileError::AccessDenied;
    SelectProfileSlot(*model, 4, &view);
    EXPECT_EQ(model->currentSlot, 1);
}

}  // namespace
}  // namespace tarn::test
