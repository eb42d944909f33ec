// Sts.cfg: loading, saving through a temporary file, the messages of failures, when the page
// writes on its own, and the reset that asks first.
#include <gtest/gtest.h>

#include <vector>

#include "base/app_paths.h"
#include "base/language_state.h"
#include "stats/statistics_store.h"
#include "tests/support/doubles.h"
#include "tests/support/memory_file_system.h"

namespace tarn::test {
namespace {

const std::u16string kData = u"C:\\Temp\\NIREL\\Tarn";
const std::u16string kPath = kData + u"\\Sts.cfg";

std::vector<uint8_t> Bytes(const UsageCounters& c) {
    const auto* p = reinterpret_cast<const uint8_t*>(&c);
    return {p, p + sizeof c};
}

// A power cut between writing the temporary file and renaming it: the rename never happens.
class CutBeforeRename final : public FileSystem {
public:
    explicit CutBeforeRename(MemoryFileSystem& fs) : fs_(fs) {}
    OpenResult OpenForRead(const std::u16string& p) override { return fs_.OpenForRead(p); }
    OpenResult OpenForWrite(const std::u16string& p) override { return fs_.OpenForWrite(p); }
    FileError Replace(const std::u16string&, const std::u16string&) override {
        return FileError::Other;
    }
    bool Remove(const std::u16string&) override { return false; }  // nothing runs after the cut
    bool Exists(const std::u16string& p) override { return fs_.Exists(p); }
    bool IsDirectory(const std::u16string& p) override { return fs_.IsDirectory(p); }
    FileError CreateFolder(const std::u16string& p) override { return fs_.CreateFolder(p); }
    FileError CreateFolders(const std::u16string& p) override { return fs_.CreateFolders(p); }
    FileError CopyFileTo(const std::u16string& s, const std::u16string& t, bool f) override {
        return fs_.CopyFileTo(s, t, f);
    }

private:
    MemoryFileSystem& fs_;
};

class StatisticsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dataFolder = kData;
        LanguageStrings.Set(StringKey::str_msg2, u"Missing %s");
        LanguageStrings.Set(StringKey::str_msg5, u"Denied");
        files.fs.AddFolder(kData);
    }
    void TearDown() override {
        dataFolder.clear();
        LanguageStrings.Clear();
        ChineseUi = 0;
    }
    const std::vector<ShownMessage>& Shown() const { return messages.messages.shown; }
    UsageCounters OnDisk() {
        UsageCounters c{};
        ReadFileInto(files.fs, kPath, &c, sizeof c);
        return c;
    }

    ScopedMemoryFileSystem files;
    ScopedMessages messages;
    UsageStatistics stats;
    StatisticsStore store{stats};
};

TEST_F(StatisticsFileTest, AShortFileFillsTheFirstCounters) {
    files.fs.AddFile(kPath, {7, 0, 0, 0, 1, 1, 0, 0});
    store.Load();
    EXPECT_EQ(stats.counters().leftClicks, 7u);
    EXPECT_EQ(stats.counters().middleClicks, 0x101u);
    EXPECT_EQ(stats.counters().rightClicks, 0u);
    EXPECT_EQ(stats.counters().cursorTravel, 0u);
    EXPECT_TRUE(Shown().empty());
}

TEST_F(StatisticsFileTest, AMissingFileIsToldWithItsPathAndCountingStartsAtZero) {
    store.Load();
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Shown()[0].kind, ShownMessage::Info);
    EXPECT_FALSE(Shown()[0].withCancel);
    EXPECT_EQ(Shown()[0].text,
              u"Failed to open file, check whether there is a C:\\Temp\\NIREL\\Tarn\\Sts.cfg path?");
    stats.CountHookEvent(0x201);
    EXPECT_TRUE(store.Save(SaveReason::Exit));
    EXPECT_EQ(files.fs.Bytes(kPath), Bytes({1, 0, 0, 0, 0, 0}));
}

TEST_F(StatisticsFileTest, SavesExactlyTwentyFourLittleEndianBytes) {
    store.Load();
    stats.counters() = {0x04030201, 2, 3, 4, 5, 0xA0B0C0D0};
    EXPECT_TRUE(store.Save(SaveReason::SessionEnd));
    const std::vector<uint8_t> expected{1, 2, 3, 4, 2, 0, 0, 0, 3, 0, 0, 0,
                                        4, 0, 0, 0, 5, 0, 0, 0, 0xD0, 0xC0, 0xB0, 0xA0};
    EXPECT_EQ(files.fs.Bytes(kPath), expected);
    EXPECT_FALSE(files.fs.Has(kPath + u".tmp"));
}

TEST_F(StatisticsFileTest, SaveFailuresTellTheUser) {
    dataFolder = u"C:\\Gone";
    stats.counters().leftClicks = 3;
    EXPECT_FALSE(SaveStatistics(stats.counters()) == FileError::None);
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Shown()[0].kind, ShownMessage::Plain);
    EXPECT_EQ(Shown()[0].text, u"Missing C:\\Gone\\Sts.cfg");

    dataFolder = kData;
    files.fs.readOnly.insert(kData);
    EXPECT_EQ(SaveStatistics(stats.counters()), FileError::AccessDenied);
    ASSERT_EQ(Shown().size(), 2u);
    EXPECT_EQ(Shown()[1].text, u"Denied");
}

TEST_F(StatisticsFileTest, ASaveCutBeforeTheRenameLeavesTheOldFile) {
    files.fs.AddFile(kPath, Bytes({10, 20, 30, 40, 50, 60}));
    store.Load();
    stats.CountHookEvent(0x201);
    CutBeforeRename cut(files.fs);
    SetFileSystem(&cut);
    EXPECT_FALSE(store.Save(SaveReason::Exit));
    SetFileSystem(&files.fs);
    EXPECT_EQ(files.fs.Bytes(kPath), Bytes({10, 20, 30, 40, 50, 60}));
    // The counts stay to be written by the next save.
    EXPECT_TRUE(stats.Unsaved());
    EXPECT_TRUE(store.Save(SaveReason::HideToTray));
    EXPECT_EQ(OnDisk().leftClicks, 11u);
}

TEST_F(StatisticsFileTest, ChangedCountersAreWrittenEveryFiveMinutes) {
    files.fs.AddFile(kPath, Bytes({}));
    store.Load();
    for (int tick = 0; tick < 2 * kAutoSaveTicks; ++tick) EXPECT_FALSE(stats.AutoSaveDue());
    // Nothing changed, so hiding to the tray writes nothing either.
    files.fs.writesLog.clear();
    EXPECT_TRUE(store.Save(SaveReason::HideToTray));
    EXPECT_TRUE(files.fs.writesLog.empty());

    stats.CountHookEvent(0x20A01);
    EXPECT_TRUE(stats.AutoSaveDue());  // the quiet period has long passed
    EXPECT_TRUE(store.Save(SaveReason::Periodic));
    EXPECT_EQ(OnDisk().wheelForward, 1u);
    stats.CountHookEvent(0x20A01);
    for (int tick = 1; tick < kAutoSaveTicks; ++tick) EXPECT_FALSE(stats.AutoSaveDue());
    EXPECT_TRUE(stats.AutoSaveDue());
}

TEST_F(StatisticsFileTest, AnAutomaticSaveTellsAFailureOnce) {
    files.fs.AddFile(kPath, Bytes({}));
    store.Load();
    files.fs.readOnly.insert(kData);
    for (int i = 0; i < 3; ++i) {
        stats.CountHookEvent(0x201);
        EXPECT_FALSE(store.Save(i == 1 ? SaveReason::HideToTray : SaveReason::Periodic));
    }
    EXPECT_EQ(Shown().size(), 1u);
    // Exit tells it again: it is the last chance.
    EXPECT_FALSE(store.Save(SaveReason::Exit));
    EXPECT_EQ(Shown().size(), 2u);
    files.fs.readOnly.clear();
    EXPECT_TRUE(store.Save(SaveReason::Periodic));
    EXPECT_EQ(OnDisk().leftClicks, 3u);
}

TEST_F(StatisticsFileTest, AFileThatWouldNotOpenIsNeverOverwritten) {
    files.fs.AddFile(kPath, Bytes({500, 0, 0, 0, 0, 0}));
    files.fs.failOpen[kPath] = FileError::Other;  // held by another program
    store.Load();
    EXPECT_TRUE(Shown().empty());
    stats.CountHookEvent(0x201);
    EXPECT_FALSE(store.Save(SaveReason::Exit));
    files.fs.failOpen.clear();
    EXPECT_EQ(OnDisk().leftClicks, 500u);
    // Once it opens, its counts and the new ones are written together.
    EXPECT_TRUE(store.Save(SaveReason::Periodic));
    EXPECT_EQ(OnDisk().leftClicks, 501u);
    EXPECT_EQ(stats.counters().leftClicks, 501u);
}

TEST_F(StatisticsFileTest, AConfirmedResetClearsEverythingAndWritesZeros) {
    files.fs.AddFile(kPath, Bytes({1, 2, 3, 400'000, 5, 6}));
    store.Load();
    stats.UpdateTrophyLevel();
    stats.TrophyPicturesShown();
    ASSERT_EQ(stats.trophyLevel(), 1);
    EXPECT_TRUE(store.ConfirmAndReset());
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Shown()[0].text, u"Do you want to reset trophy data ?");
    EXPECT_TRUE(Shown()[0].withCancel);
    EXPECT_EQ(files.fs.Bytes(kPath), std::vector<uint8_t>(24, 0));
    EXPECT_EQ(stats.trophyLevel(), 0);
    EXPECT_EQ(stats.shownTrophyLevel(), kNoTrophyShown);
    EXPECT_EQ(TrophyPictureName(stats.UpdateTrophyLevel()), u"trophy\\trophy0Down.bmp");
}

TEST_F(StatisticsFileTest, ACancelledResetChangesNothing) {
    files.fs.AddFile(kPath, Bytes({1, 2, 3, 400'000, 5, 6}));
    store.Load();
    stats.UpdateTrophyLevel();
    stats.TrophyPicturesShown();
    ChineseUi = 1;
    messages.messages.answer = kInfoClosed;
    files.fs.writesLog.clear();
    EXPECT_FALSE(store.ConfirmAndReset());
    EXPECT_EQ(Shown()[0].text, u"确定要重置奖杯和统计数据么？");
    EXPECT_TRUE(files.fs.writesLog.empty());
    EXPECT_EQ(stats.counters().wheelForward, 400'000u);
    EXPECT_EQ(stats.trophyLevel(), 1);
    EXPECT_FALSE(stats.TrophyPicturesStale());
}

}  // namespace
}  // namespace tarn::test
