// tarnctl links: the program links file as a script sees it.
#include "tests/tools/tarnctl_runner.h"

namespace tarn::test {
namespace {

TEST_F(TarnctlTest, LinksAddListAndRemoveShareTheProgramsFile) {
    const std::string file = Path("ProgramLinks.txt");
    const RunResult empty = Run({"links", "list", "--file", file});
    EXPECT_EQ(empty.status, 0);
    EXPECT_EQ(empty.out, "");
    EXPECT_NE(empty.err.find("no links"), std::string::npos) << empty.err;

    EXPECT_EQ(Run({"links", "add", "3", "C:\\Games\\Notepad.EXE", "--file", file}).status, 0);
    EXPECT_EQ(Run({"links", "add", "1", "game.exe", "--file", file}).status, 0);
    const RunResult again = Run({"links", "add", "3", "notepad.exe", "--file", file});
    EXPECT_EQ(again.status, 0);
    EXPECT_NE(again.err.find("already linked"), std::string::npos) << again.err;
    const RunResult lower = Run({"links", "add", "4", "GAME.exe", "--file", file});
    EXPECT_NE(lower.err.find("profile 1, which comes first"), std::string::npos) << lower.err;
    EXPECT_EQ(Run({"links", "list", "--file", file}).out,
              "1 game.exe\n3 Notepad.EXE\n4 GAME.exe\n");
    EXPECT_NE(Slurp(file).find("3=Notepad.EXE\r\n"), std::string::npos);

    EXPECT_EQ(Run({"links", "remove", "3", "NOTEPAD.exe", "--file", file}).status, 0);
    EXPECT_EQ(Run({"links", "remove", "3", "notepad.exe", "--file", file}).status, 1);
    EXPECT_EQ(Run({"links", "list", "--file", file}).out, "1 game.exe\n4 GAME.exe\n");
}

TEST_F(TarnctlTest, LinksRefuseADamagedFileAndWrongArguments) {
    const std::string file = Path("ProgramLinks.txt");
    const std::string damaged = "1=game.exe\nnot a link\n";
    WriteBytes(file, damaged.data(), damaged.size());
    const RunResult list = Run({"links", "list", "--file", file});
    EXPECT_EQ(list.status, 1);
    EXPECT_NE(list.err.find("(line 2)"), std::string::npos) << list.err;
    EXPECT_EQ(Run({"links", "add", "2", "x.exe", "--file", file}).status, 1);
    EXPECT_EQ(Slurp(file), damaged);

    const std::string fresh = Path("fresh.txt");
    for (const char* slot : {"0", "6", "x", "-1"}) {
        EXPECT_EQ(Run({"links", "add", slot, "a.exe", "--file", fresh}).status, 64) << slot;
    }
    EXPECT_EQ(Run({"links", "add", "2", "bad|name.exe", "--file", fresh}).status, 64);
    EXPECT_EQ(Run({"links", "add", "2", "--file", fresh}).status, 64);
    EXPECT_FALSE(fs::exists(fresh));
    // Natively there is no data folder to fall back on.
    EXPECT_EQ(Run({"links", "list"}).status, 64);
}

}  // namespace
}  // namespace tarn::test
