#include "macro/macro_store.h"

#include "catalogue/function_catalogue.h"
#include "tests/macro/macro_fixture.h"

namespace tarn::test {
namespace {

constexpr uint32_t kIdA = 21u << 24 | 0x000123;
constexpr uint32_t kIdB = 21u << 24 | 0x000456;
const MacroEvent kPressA = MakeMacroEvent(KeyPress, 'A');
const MacroEvent kReleaseA = MakeMacroEvent(KeyRelease, 'A');

using MacroFileTest = MacroTest;

TEST_F(MacroFileTest, ShortFileFillsItsSlotsAndLeavesTheRestFree) {
    auto image = std::make_unique<MacroStore>();
    image->slots[0] = Saved(kIdA, {kPressA, kReleaseA});
    image->slots[1] = Saved(kIdB, {kPressA});
    std::vector<uint8_t> bytes = StoreBytes(*image);
    bytes.resize(sizeof(MacroRecord) + 10);  // slot 1 is cut after its tag and id bytes
    files.fs.AddFile(kMacroPath, bytes);
    Macros().slots[499].tag = MacroTag;  // stale content must not survive a load

    EXPECT_TRUE(LoadMacroStore());
    EXPECT_EQ(Macros().slots[0].id, kIdA);
    EXPECT_EQ(Macros().slots[0].eventCount, 2u);
    EXPECT_EQ(Macros().slots[1].tag, MacroTag);
    EXPECT_EQ(Macros().slots[1].eventCount, 0u);
    EXPECT_EQ(Macros().slots[499].tag, 0u);
    EXPECT_TRUE(Shown().empty());
}

TEST_F(MacroFileTest, LongerFileIsCutAtTheStoreSize) {
    auto image = std::make_unique<MacroStore>();
    image->slots[499] = Saved(kIdA, {kPressA});
    std::vector<uint8_t> bytes = StoreBytes(*image);
    bytes.resize(bytes.size() + 5000, 0xEE);
    files.fs.AddFile(kMacroPath, bytes);
    EXPECT_TRUE(LoadMacroStore());
    EXPECT_EQ(Macros().slots[499].id, kIdA);
}

TEST_F(MacroFileTest, MissingFileIsToldWithItsPathOtherFailuresAreSilent) {
    EXPECT_FALSE(LoadMacroStore());
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Shown()[0].kind, ShownMessage::Info);
    EXPECT_EQ(Shown()[0].text, u"Missing " + kMacroPath);
    EXPECT_FALSE(Shown()[0].withCancel);

    files.fs.failOpen[kMacroPath] = FileError::AccessDenied;
    EXPECT_FALSE(LoadMacroStore());
    EXPECT_EQ(Shown().size(), 1u);
}

TEST_F(MacroFileTest, SaveOverAnExistingFilePausesAroundTheWrite) {
    files.fs.AddFile(kMacroPath, std::vector<uint8_t>(sizeof(MacroStore)));
    Macros().slots[7] = Saved(kIdA, {kPressA});
    EXPECT_TRUE(SaveMacroStore());
    EXPECT_EQ(clock.sleeps, (std::vector<uint32_t>{100, 100}));
    EXPECT_EQ(files.fs.Bytes(kMacroPath), StoreBytes(Macros()));
    EXPECT_FALSE(files.fs.Has(kMacroPath + u".tmp"));
    EXPECT_TRUE(Shown().empty());
}

TEST_F(MacroFileTest, SaveOfAMissingFileAnnouncesAndCreatesIt) {
    EXPECT_TRUE(SaveMacroStore());
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Shown()[0].kind, ShownMessage::Plain);
    EXPECT_EQ(Shown()[0].text, u"Missing " + kMacroPath);
    EXPECT_EQ(files.fs.Bytes(kMacroPath).size(), sizeof(MacroStore));
    EXPECT_TRUE(clock.sleeps.empty());
}

TEST_F(MacroFileTest, FailedSaveKeepsTheOldFileAndSaysSo) {
    const std::vector<uint8_t> old(sizeof(MacroStore), 0x5A);
    files.fs.AddFile(kMacroPath, old);
    Macros().slots[0] = Saved(kIdA, {kPressA});

    files.fs.writeBudget = 1000;  // the disk fills up during the write
    EXPECT_FALSE(SaveMacroStore());
    EXPECT_EQ(files.fs.Bytes(kMacroPath), old);
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_NE(Shown()[0].text.find(kMacroPath), std::u16string::npos);

    files.fs.writeBudget = -1;
    files.fs.readOnly.insert(kMacroPath);
    EXPECT_FALSE(SaveMacroStore());
    EXPECT_EQ(files.fs.Bytes(kMacroPath), old);
    EXPECT_EQ(Shown().back().text, u"No access");
}

using StoreMacroTest = MacroTest;

TEST_F(StoreMacroTest, RefusesRecordsThatAreNotSaved) {
    MacroRecord shortSize = Saved(kIdA, {});
    ASSERT_EQ(shortSize.size, 4100u);
    EXPECT_FALSE(StoreMacro(shortSize));
    MacroRecord wrongTag = Saved(kIdA, {kPressA});
    wrongTag.tag = 0xE8E70010;
    EXPECT_FALSE(StoreMacro(wrongTag));
    EXPECT_TRUE(files.fs.writesLog.empty());
    EXPECT_EQ(Macros().slots[0].tag, 0u);
}

TEST_F(StoreMacroTest, SameIdIsUpdatedInPlaceAndOldEventsCleared) {
    Macros().slots[0] = Saved(kIdB, {kPressA});
    Macros().slots[3] = Saved(kIdA, {kPressA, kPressA, kPressA, kReleaseA});
    EXPECT_TRUE(StoreMacro(Saved(kIdA, {kReleaseA}, 9)));
    const MacroRecord& r = Macros().slots[3];
    EXPECT_EQ(r.eventCount, 1u);
    EXPECT_EQ(r.events[0], kReleaseA);
    EXPECT_EQ(r.events[1], 0u);
    EXPECT_EQ(r.events[3], 0u);
    EXPECT_EQ(r.loopCount, 9u);
    EXPECT_EQ(Macros().slots[1].tag, 0u);
    EXPECT_EQ(files.fs.Bytes(kMacroPath), StoreBytes(Macros()));
}

// A slot that the listing counts as a macro (size alone) is still free for storing.
TEST_F(StoreMacroTest, FreeSlotIsFoundByTagAlone) {
    Macros().slots[0] = Saved(kIdB, {kPressA});
    Macros().slots[1].size = 4108;
    EXPECT_TRUE(StoreMacro(Saved(kIdA, {kPressA})));
    EXPECT_EQ(Macros().slots[1].id, kIdA);
}

TEST_F(StoreMacroTest, FullStoreTellsTheUserAndChangesNothing) {
    for (int i = 0; i < kMacroSlots; ++i) Macros().slots[i] = Saved(0x01000000u + i, {kPressA});
    EXPECT_FALSE(StoreMacro(Saved(kIdA, {kPressA})));
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Shown()[0].kind, ShownMessage::Info);
    EXPECT_NE(Shown()[0].text.find(u"full"), std::u16string::npos);
    EXPECT_TRUE(files.fs.writesLog.empty());
    ChineseUi = 1;
    StoreMacro(Saved(kIdA, {kPressA}));
    EXPECT_NE(Shown()[1].text.find(u"已满"), std::u16string::npos);
}

TEST_F(StoreMacroTest, RenamingTheStoredRecordKeepsItsEvents) {
    Macros().slots[2] = Saved(kIdA, {kPressA, kReleaseA});
    CopyToFixed(Macros().slots[2].name, u"renamed");
    EXPECT_TRUE(StoreMacro(Macros().slots[2]));
    EXPECT_EQ(Macros().slots[2].eventCount, 2u);
    EXPECT_EQ(Macros().slots[2].events[1], kReleaseA);
    EXPECT_EQ(FromFixed(Macros().slots[2].name), u"renamed");
}

TEST_F(StoreMacroTest, ClaimedEventCountAboveCapacityIsCut) {
    MacroRecord r = Saved(kIdA, {kPressA});
    r.eventCount = 70000;
    EXPECT_TRUE(StoreMacro(r));
    EXPECT_EQ(Macros().slots[0].eventCount, 1000u);
}

using DeleteMacroTest = MacroTest;

TEST_F(DeleteMacroTest, MacroBoundInAnyProfileSlotIsRefused) {
    for (int i = 0; i < 4; ++i) Macros().slots[i] = Saved(0x01000000u + i, {kPressA});
    Macros().slots[4] = Saved(kIdA, {kPressA});
    for (int slot = 0; slot < kSlotCount; ++slot) {
        settings->slotTable.slots[slot].buttonMacroIds[slot % kButtonCount] = kIdA;
        EXPECT_FALSE(DeleteMacro(Macros(), *settings, kIdA)) << slot;
        settings->slotTable.slots[slot].buttonMacroIds[slot % kButtonCount] = 0;
    }
    EXPECT_EQ(Shown().size(), 5u);
    EXPECT_EQ(Shown()[0].text, u"The macro is being applied and cannot be deleted!");
    EXPECT_EQ(Macros().slots[4].id, kIdA);

    EXPECT_TRUE(DeleteMacro(Macros(), *settings, kIdA));
    EXPECT_EQ(Macros().slots[4].tag, 0u);
    EXPECT_EQ(Macros().slots[4].size, 0u);
    EXPECT_TRUE(StoreMacro(Saved(kIdB, {kPressA})));
    EXPECT_EQ(Macros().slots[4].id, kIdB);
}

TEST_F(DeleteMacroTest, CurrentProfileCountsOnlyMacroButtons) {
    settings->currentProfile.buttons[3].macroId = kIdA;
    settings->currentProfile.buttons[3].functionType = FnKeyCombination;
    EXPECT_FALSE(IsMacroInUse(*settings, kIdA));
    settings->currentProfile.buttons[3].functionType = FnMacro;
    EXPECT_TRUE(IsMacroInUse(*settings, kIdA));
    ChineseUi = 1;
    EXPECT_FALSE(DeleteMacro(Macros(), *settings, kIdA));
    EXPECT_EQ(Shown()[0].text, u"当前宏正在被使用，不能删除！");
}

using MacroLookupTest = MacroTest;

TEST_F(MacroLookupTest, GroupListingUsesEitherMarker) {
    Macros().slots[0] = Saved(kIdA, {kPressA});
    Macros().slots[1].size = 4104;  // size alone
    Macros().slots[1].id = 21u << 24 | 1;
    Macros().slots[2].tag = MacroTag;  // tag alone
    Macros().slots[2].id = 21u << 24 | 2;
    Macros().slots[3] = Saved(3u << 24 | 7, {kPressA});  // another group
    Macros().slots[4].id = 21u << 24 | 4;                // no marker at all
    const auto items = MacrosOfGroup(Macros(), 21);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].id, kIdA);
    EXPECT_EQ(items[0].name, u"m");
    EXPECT_EQ(items[2].id, 21u << 24 | 2);
}

TEST_F(MacroLookupTest, FirstSlotWithTheIdWins) {
    Macros().slots[5] = Saved(kIdA, {kPressA});
    Macros().slots[9] = Saved(kIdA, {kReleaseA});
    EXPECT_EQ(FindMacroById(Macros(), kIdA), &Macros().slots[5]);
    EXPECT_EQ(FindMacroById(Macros(), kIdB), nullptr);
}

TEST_F(MacroLookupTest, NewIdCarriesGroupAndLowTickBits) {
    clock.now = 0x12345678;
    EXPECT_EQ(NewMacroId(21), 0x15345678u);
    EXPECT_EQ(MacroGroupOf(NewMacroId(3)), 3);
}

}  // namespace
}  // namespace tarn::test
