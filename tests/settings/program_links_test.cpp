// The program links: matching a program in front to a slot, the file's text both ways, and what
// a damaged or missing file means.
#include "settings/program_links.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/app_paths.h"
#include "base/text.h"
#include "tests/support/memory_file_system.h"

namespace tarn {
namespace {

std::vector<uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

std::string Text(const std::vector<uint8_t>& bytes) {
    return {bytes.begin(), bytes.end()};
}

TEST(ProgramLinks, MatchByFileNameWhateverTheCaseAndFolder) {
    ProgramLinks links;
    ASSERT_EQ(links.Add(2, u"Game.exe"), LinkChange::Added);
    EXPECT_EQ(links.SlotFor(u"game.exe"), 2);
    EXPECT_EQ(links.SlotFor(u"C:\\Program Files\\Games\\GAME.EXE"), 2);
    EXPECT_EQ(links.SlotFor(u"Z:/home/user/game.EXE"), 2);
    EXPECT_EQ(links.SlotFor(u"C:\\Games\\game.exe.bak"), -1);
    EXPECT_EQ(links.SlotFor(u"C:\\Games\\agame.exe"), -1);
    EXPECT_EQ(links.SlotFor(u"C:\\game.exe\\other.exe"), -1);
    EXPECT_EQ(links.SlotFor(u""), -1);
}

TEST(ProgramLinks, AProgramLinkedToTwoSlotsBringsTheLowerOne) {
    ProgramLinks links;
    links.Add(3, u"shooter.exe");
    links.Add(1, u"SHOOTER.exe");
    EXPECT_EQ(links.SlotFor(u"C:\\shooter.exe"), 1);
    EXPECT_EQ(links.OtherSlotFor(u"shooter.exe", 3), 1);
    EXPECT_EQ(links.OtherSlotFor(u"shooter.exe", 1), 3);
    links.Remove(1, u"shooter.exe");
    EXPECT_EQ(links.SlotFor(u"shooter.exe"), 3);
}

TEST(ProgramLinks, AddKeepsTheFileNameAndRefusesWhatCannotBeOne) {
    ProgramLinks links;
    EXPECT_EQ(links.Add(0, u"  C:\\Games\\Race.exe "), LinkChange::Added);
    EXPECT_EQ(links.Programs(0), std::vector<std::u16string>{u"Race.exe"});
    EXPECT_EQ(links.Add(0, u"race.EXE"), LinkChange::AlreadyLinked);
    for (const char16_t* bad : {u"", u"   ", u"C:\\Games\\", u"bad|name.exe", u"what?.exe",
                                u"name.", u"..", u"tab\there.exe"}) {
        EXPECT_EQ(links.Add(1, bad), LinkChange::BadName) << ToUtf8(bad);
    }
    EXPECT_EQ(links.Add(1, std::u16string(260, u'a')), LinkChange::BadName);
    EXPECT_EQ(links.Add(1, std::u16string(259, u'a')), LinkChange::Added);
    EXPECT_EQ(links.Add(-1, u"x.exe"), LinkChange::BadSlot);
    EXPECT_EQ(links.Add(5, u"x.exe"), LinkChange::BadSlot);
    EXPECT_EQ(links.Remove(0, u"other.exe"), LinkChange::NotLinked);
    EXPECT_EQ(links.Remove(0, u"RACE.exe"), LinkChange::Removed);
    EXPECT_EQ(links.Count(), 1u);
}

TEST(ProgramLinksFile, TextRoundTripIsExact) {
    ProgramLinks links;
    links.Add(4, u"last.exe");
    links.Add(0, u"first.exe");
    links.Add(0, u"Ünïcode 游戏.exe");
    links.Add(2, u"a=b.exe");
    const std::string text = FormatProgramLinks(links);
    EXPECT_NE(text.find("1=first.exe\r\n1=\xC3\x9Cn\xC3\xAF" "code \xE6\xB8\xB8\xE6\x88\x8F.exe\r\n"
                        "3=a=b.exe\r\n5=last.exe\r\n"),
              std::string::npos)
        << text;
    const LinksLoad back = ParseProgramLinks(text);
    ASSERT_EQ(back.status, LinksStatus::Loaded);
    EXPECT_TRUE(back.links == links);
    EXPECT_EQ(FormatProgramLinks(back.links), text);
    EXPECT_EQ(ParseProgramLinks(FormatProgramLinks(ProgramLinks{})).links.Count(), 0u);
}

TEST(ProgramLinksFile, HandWrittenFilesAreRead) {
    const LinksLoad load = ParseProgramLinks(
        "\xEF\xBB\xBF# mine\n\n  ; games  \n 2 = Game.exe \r\n3=tool.exe\n2=GAME.EXE\n1=last.exe");
    ASSERT_EQ(load.status, LinksStatus::Loaded);
    EXPECT_EQ(load.links.Programs(1), std::vector<std::u16string>{u"Game.exe"});
    EXPECT_EQ(load.links.SlotFor(u"tool.exe"), 2);
    EXPECT_EQ(load.links.SlotFor(u"last.exe"), 0);
}

TEST(ProgramLinksFile, ADamagedFileMeansNoLinksAndTellsTheLine) {
    const struct {
        std::string text;
        int line;
    } damaged[] = {
        {"1=ok.exe\n3 game.exe\n", 2},  {"6=game.exe", 1},        {"0=game.exe", 1},
        {"12=game.exe", 1},             {"x=game.exe", 1},        {"3=", 1},
        {"3=bad|name.exe", 1},          {"\n\n3=a\xFF.exe", 3},   {"3=a\xC0\xAF.exe", 1},
        {std::string("3=a\0b.exe", 9), 1}, {"; fine\n\x01\x02\x03", 2},
    };
    for (const auto& d : damaged) {
        const LinksLoad load = ParseProgramLinks(d.text);
        EXPECT_EQ(load.status, LinksStatus::Damaged) << d.text;
        EXPECT_EQ(load.line, d.line) << d.text;
        EXPECT_TRUE(load.links.Empty()) << d.text;
    }
    const LinksLoad huge = ParseProgramLinks(std::string(kMaxLinksFileSize + 1, ';'));
    EXPECT_EQ(huge.status, LinksStatus::Damaged);
    EXPECT_EQ(huge.line, 0);
}

class ProgramLinksDisk : public ::testing::Test {
protected:
    void SetUp() override {
        dataFolder = u"C:\\Temp\\NIREL\\Tarn";
        files.fs.AddFolder(dataFolder);
        path = ProgramLinksPath();
    }
    void TearDown() override { dataFolder.clear(); }
    test::ScopedMemoryFileSystem files;
    std::u16string path;
};

TEST_F(ProgramLinksDisk, MissingAndUnreadableFilesMeanNoLinks) {
    EXPECT_EQ(path, u"C:\\Temp\\NIREL\\Tarn\\ProgramLinks.txt");
    EXPECT_EQ(ReadProgramLinks(path).status, LinksStatus::Missing);
    files.fs.AddFile(path, Bytes("1=a.exe\r\n"));
    files.fs.failOpen[path] = FileError::AccessDenied;
    const LinksLoad load = ReadProgramLinks(path);
    EXPECT_EQ(load.status, LinksStatus::Unreadable);
    EXPECT_TRUE(load.links.Empty());
}

TEST_F(ProgramLinksDisk, SaveWritesTheTextThroughATemporaryFile) {
    ProgramLinks links;
    links.Add(2, u"notepad.exe");
    ASSERT_EQ(SaveProgramLinks(path, links), FileError::None);
    EXPECT_EQ(Text(files.fs.Bytes(path)), FormatProgramLinks(links));
    EXPECT_FALSE(files.fs.Has(path + u".tmp"));
    EXPECT_TRUE(ReadProgramLinks(path).links == links);
    // A full disk keeps the previous file whole.
    links.Add(3, u"game.exe");
    files.fs.writeBudget = 10;
    EXPECT_NE(SaveProgramLinks(path, links), FileError::None);
    EXPECT_EQ(ReadProgramLinks(path).links.SlotFor(u"game.exe"), -1);
    EXPECT_EQ(ReadProgramLinks(path).links.SlotFor(u"notepad.exe"), 2);
}

TEST_F(ProgramLinksDisk, SavingOverADamagedFileKeepsItAside) {
    const std::string damaged = "1=first.exe\r\nmy own notes\r\n";
    files.fs.AddFile(path, Bytes(damaged));
    ProgramLinks links;
    links.Add(0, u"new.exe");
    ASSERT_EQ(SaveProgramLinks(path, links), FileError::None);
    EXPECT_EQ(Text(files.fs.Bytes(path + u".damaged")), damaged);
    EXPECT_TRUE(ReadProgramLinks(path).links == links);
    // A sound file is replaced without a copy.
    files.fs.files.erase(path + u".damaged");
    ASSERT_EQ(SaveProgramLinks(path, ProgramLinks{}), FileError::None);
    EXPECT_FALSE(files.fs.Has(path + u".damaged"));
}

TEST_F(ProgramLinksDisk, ADamagedFileThatCannotBeKeptIsNotOverwritten) {
    files.fs.AddFile(path, Bytes("garbage"));
    files.fs.readOnly.insert(path + u".damaged");
    ProgramLinks links;
    links.Add(0, u"new.exe");
    EXPECT_NE(SaveProgramLinks(path, links), FileError::None);
    EXPECT_EQ(Text(files.fs.Bytes(path)), "garbage");
}

}  // namespace
}  // namespace tarn
