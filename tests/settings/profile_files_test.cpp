#include "settings/profile_files.h"

#include "tests/settings/settings_fixture.h"

namespace tarn::test {
namespace {

using ProfileFileTest = SettingsFilesTest;
const std::u16string kMissingText = u"Failed to open file, check whether there is a %s path?";

TEST_F(ProfileFileTest, FirstStartCopiesTheDefaultsWithoutOverwritingAndSkipsWhatIsMissing) {
    files.fs.files.clear();
    files.fs.folders.clear();
    const std::u16string program = programFolder;
    files.fs.AddFile(program + u"\\Macro.cfg", {1});
    files.fs.AddFile(program + u"\\Profile\\Profile3.cfg", {3});
    SeedDataFolder();
    EXPECT_TRUE(files.fs.IsDirectory(kProfileDir));
    EXPECT_EQ(files.fs.Bytes(kData + u"\\Macro.cfg"), std::vector<uint8_t>{1});
    EXPECT_EQ(files.fs.Bytes(ProfilePath(2)), std::vector<uint8_t>{3});
    EXPECT_FALSE(files.fs.Has(kData + u"\\Sts.cfg"));

    // An existing data folder is left alone, even when files are missing from it.
    files.fs.AddFile(program + u"\\Sts.cfg", {7});
    files.fs.files[kData + u"\\Macro.cfg"] = {9};
    SeedDataFolder();
    EXPECT_FALSE(files.fs.Has(kData + u"\\Sts.cfg"));
    EXPECT_EQ(files.fs.Bytes(kData + u"\\Macro.cfg"), std::vector<uint8_t>{9});
}

TEST_F(ProfileFileTest, SlotTableReadsAsFarAsTheTableAndKeepsItsContentWhenMissing) {
    std::vector<uint8_t> longer(9000, 0x11);
    files.fs.AddFile(kTablePath, longer);
    ReadSlotTable(*model);
    EXPECT_EQ(BytesOf(model->slotTable), std::vector<uint8_t>(8000, 0x11));

    files.fs.files[kTablePath] = {0xBE, 0xBE};
    ReadSlotTable(*model);
    EXPECT_EQ(model->slotTable.slots[0].slotMagic, SlotMagic);
    EXPECT_EQ(model->slotTable.slots[0].active, 0u);  // the short file's rest reads as zero

    files.fs.failOpen[kTablePath] = FileError::AccessDenied;
    ReadSlotTable(*model);
    EXPECT_TRUE(Texts().empty());
    files.fs.failOpen.clear();
    files.fs.files.clear();
    files.fs.folders.erase(kProfileDir);  // a missing Profile folder: a bad path
    ReadSlotTable(*model);
    EXPECT_EQ(model->slotTable.slots[0].slotMagic, SlotMagic);
    ASSERT_EQ(Texts().size(), 1u);
    EXPECT_EQ(Texts()[0], FormatOne(kMissingText, kTablePath));
    EXPECT_EQ(KindOf(0), ShownMessage::Info);
}

TEST_F(ProfileFileTest, LoadingTellsProfilesFromOtherBytes) {
    std::vector<uint8_t> longer = BytesOf(Profile(7));
    longer.resize(30000, 0xEE);
    files.fs.AddFile(ProfilePath(0), longer);
    EXPECT_EQ(LoadProfileFile(*model, ProfilePath(0), true), kProfileLoaded);
    EXPECT_EQ(model->currentProfile.pointerSpeed, 7u);

    std::vector<uint8_t> shorter = BytesOf(Profile(7));
    shorter.resize(0x5680);  // ends before pointerSpeed
    files.fs.AddFile(ProfilePath(1), shorter);
    EXPECT_EQ(LoadProfileFile(*model, ProfilePath(1), true), kProfileLoaded);
    EXPECT_EQ(model->currentProfile.pointerSpeed, 0u);
    EXPECT_TRUE(Texts().empty());

    files.fs.AddFile(ProfilePath(2), {});
    files.fs.AddFile(ProfilePath(3), {0x23, 0x00, 0x80, 0x80, 5});
    EXPECT_EQ(LoadProfileFile(*model, ProfilePath(2), true), kProfileInvalid);
    EXPECT_EQ(LoadProfileFile(*model, ProfilePath(3), true), kProfileInvalid);
    EXPECT_EQ(model->currentProfile.magic, 0x80800023u);  // what was read stays
    ASSERT_EQ(Texts().size(), 2u);
    EXPECT_EQ(Texts()[1], ProfilePath(3) + u" is an invaild Profile!");
    EXPECT_EQ(KindOf(1), ShownMessage::Plain);
    // A profile that is not one is never replaced by a load.
    EXPECT_EQ(files.fs.Bytes(ProfilePath(3)).size(), 5u);
}

TEST_F(ProfileFileTest, AMissingProfileIsReportedAndRecreatedOnlyWhenAsked) {
    EXPECT_EQ(LoadProfileFile(*model, ProfilePath(4), false), kProfileNotOpened);
    EXPECT_TRUE(Texts().empty());
    EXPECT_FALSE(files.fs.Has(ProfilePath(4)));

    files.fs.folders.erase(kProfileDir);
    EXPECT_EQ(LoadProfileFile(*model, ProfilePath(4), true), kProfileNotOpened);
    EXPECT_EQ(Texts(), std::vector<std::u16string>({FormatOne(kMissingText, ProfilePath(4))}));
    EXPECT_EQ(files.fs.Bytes(ProfilePath(4)), BytesOf(*defaults));  // folder made again
    EXPECT_EQ(BytesOf(model->currentProfile), BytesOf(*defaults));

    files.fs.failOpen[ProfilePath(0)] = FileError::AccessDenied;
    EXPECT_EQ(LoadProfileFile(*model, ProfilePath(0), true), kProfileNotOpened);
    EXPECT_EQ(Texts().size(), 1u);
}

TEST_F(ProfileFileTest, AReadOnlyDataFolderKeepsItsFilesAndTellsWhy) {
    files.fs.AddFile(ProfilePath(0), {1, 2, 3});
    files.fs.readOnly.insert(kProfileDir);
    EXPECT_EQ(CreateDefaultProfileFile(*model, ProfilePath(0)), 0);
    EXPECT_EQ(files.fs.Bytes(ProfilePath(0)), (std::vector<uint8_t>{1, 2, 3}));
    // Memory still holds a usable profile.
    EXPECT_EQ(BytesOf(model->currentProfile), BytesOf(*defaults));

    model->currentSlot = 0;
    model->buttonMacroIds[3] = 77;
    SaveCurrentProfile(*model);
    EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"No access (4)", u"No access (5)"}));
    EXPECT_EQ(KindOf(0), ShownMessage::Info);
    EXPECT_EQ(KindOf(1), ShownMessage::Plain);
    EXPECT_EQ(files.fs.Bytes(ProfilePath(0)), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_FALSE(files.fs.Has(kTablePath));
}

TEST_F(ProfileFileTest, SavingWritesProfileAndTableAndSurvivesAFullDisk) {
    model->currentProfile = Profile(12);
    model->currentSlot = 2;
    CopyToFixed(model->slotTable.slots[2].profilePath, ProfilePath(2));
    model->buttonMacroIds[6] = 0x01000042;
    SaveCurrentProfile(*model);
    EXPECT_EQ(files.fs.Bytes(ProfilePath(2)), BytesOf(Profile(12)));
    EXPECT_EQ(model->slotTable.slots[2].buttonMacroIds[6], 0x01000042u);
    EXPECT_EQ(files.fs.Bytes(kTablePath), BytesOf(model->slotTable));

    // A full disk: the old file stays, and the user hears of it once for both files.
    files.fs.writeBudget = 1000;
    model->currentProfile.pointerSpeed = 3;
    SaveCurrentProfile(*model);
    EXPECT_EQ(files.fs.Bytes(ProfilePath(2)), BytesOf(Profile(12)));
    EXPECT_FALSE(files.fs.Has(ProfilePath(2) + u".tmp"));
    EXPECT_EQ(Texts(), std::vector<std::u16string>{u"The profile could not be saved to " +
                                                   ProfilePath(2) + u"."});
    messages.messages.shown.clear();

    // The folder went away: the file's path is named, and the table write is still tried.
    files.fs.writeBudget = -1;
    files.fs.files.clear();
    files.fs.folders.erase(kProfileDir);
    files.fs.writesLog.clear();
    SaveCurrentProfile(*model);
    EXPECT_EQ(Texts(), std::vector<std::u16string>{u"Missing " + ProfilePath(2)});
    EXPECT_EQ(files.fs.writesLog.back(), kTablePath + u".tmp");
}

TEST_F(ProfileFileTest, APathOfMoreThan259UnitsIsABadPathAndNeverCutShort) {
    const std::u16string fits(259 - 4, u'a');
    files.fs.AddFile(fits + u".cfg", BytesOf(*defaults));
    EXPECT_EQ(LoadProfileFile(*model, fits + u".cfg", true), kProfileLoaded);

    const std::u16string tooLong = fits + u"a.cfg";
    EXPECT_EQ(LoadProfileFile(*model, tooLong, true), kProfileNotOpened);
    EXPECT_EQ(Texts(), std::vector<std::u16string>({FormatOne(kMissingText, tooLong)}));
    for (const auto& [path, bytes] : files.fs.files) EXPECT_LE(path.size(), 259u);
}

}  // namespace
}  // namespace tarn::test
