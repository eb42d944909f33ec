// A wrong command line gets the usage and status 64, never a crash or a half-run command.
#include "tests/tools/tarnctl_runner.h"

namespace tarn::test {
namespace {

TEST_F(TarnctlTest, BadArgumentsGiveTheUsageAndStatus64) {
    const std::string profile = Installed("Profile/Profile1.cfg");
    const std::string macros = Installed("Macro.cfg");
    const std::string slots = Installed("Profile/ConfigInfo.cfg");
    const std::vector<std::vector<std::string>> lines = {
        {},
        {"frobnicate"},
        {"profile"},
        {"profile", "eat", profile},
        {"profile", "show"},
        {"profile", "show", profile, profile},
        {"profile", "show", "--yaml", profile},
        {"profile", "show", "--json=yes", profile},
        {"profile", "show", "-j", profile},
        {"keymatrix", profile, "--slot", "1"},
        {"keymatrix", profile, "--slots", slots, "--slot", "5"},
        {"keymatrix", profile, "--slots", slots, "--slot", "-1"},
        {"keymatrix", profile, "--macros"},
        {"keymatrix", profile, "--macros", macros, "--macros", macros},
        {"macro", "list", "--group", "0", macros},
        {"macro", "list", "--group", "22", macros},
        {"macro", "encode", macros, "12x"},
        {"macro", "encode", macros, "0x"},
        {"macro", "encode", macros, "0x100000000"},
        {"xml", "get", profile, "config"},
        {"apply", profile},
        {"apply", profile, "--simulate", "--device"},
        {"apply", profile, "--device", "--log", Path("x.log")},
        {"firmware"},
        {"firmware", "--simulate", "extra"},
    };
    for (const auto& line : lines) {
        const RunResult result = Run(line);
        std::string shown;
        for (const auto& word : line) shown += word + " ";
        EXPECT_EQ(result.status, 64) << shown;
        EXPECT_NE(result.err.find("usage:"), std::string::npos) << shown << result.err;
        EXPECT_EQ(result.out, "") << shown;
    }
    EXPECT_FALSE(fs::exists(Path("x.log")));
}

TEST_F(TarnctlTest, HelpDescribesEveryCommandOnStandardOutput) {
    const RunResult all = Run({"--help"});
    EXPECT_EQ(all.status, 0);
    for (const char* command : {"profile show", "profile default", "keymatrix", "macro list",
                                "macro encode", "xml check", "xml get", "apply", "firmware"}) {
        EXPECT_NE(all.out.find(std::string("tarnctl ") + command + " "), std::string::npos)
            << command;
    }
    const RunResult one = Run({"apply", "--help"});
    EXPECT_EQ(one.status, 0);
    EXPECT_EQ(one.out.rfind("usage: tarnctl apply PROFILE", 0), 0u) << one.out;
    EXPECT_EQ(Run({"macro", "--help"}).status, 0);
    // "--" lets a file whose name starts with a dash be named.
    ASSERT_EQ(Run({"profile", "default", "--", Path("-odd.cfg")}).status, 0);
    EXPECT_EQ(Run({"profile", "show", "--", Path("-odd.cfg")}).status, 0);
}

}  // namespace
}  // namespace tarn::test
