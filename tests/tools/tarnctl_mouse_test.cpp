// tarnctl apply and firmware against the simulated mouse, checked through its protocol log.
#include <cstring>
#include <memory>
#include <sstream>

#include "device/simulated_mouse.h"
#include "macro/macro_events.h"
#include "settings/profile_record.h"
#include "tests/tools/tarnctl_runner.h"

namespace tarn::test {
namespace {

// The log reduced to its shape: "S12" for a feature report with command 0x12, "O" for an
// output report, "F0c" for a refused one, "E" for a protocol error.
std::string LogShape(const std::string& log, std::vector<ProtocolLogEntry>* outputs = nullptr) {
    std::istringstream lines(log);
    std::string line;
    std::string shape;
    while (std::getline(lines, line)) {
        const auto entry = ParseProtocolLogLine(line);
        if (!entry) continue;
        char item[8] = "E";
        if (entry->kind == "SET" && entry->bytes.size() > 1) {
            std::snprintf(item, sizeof item, "S%02x", entry->bytes[1]);
        } else if (entry->kind == "FAIL" && entry->bytes.size() > 1) {
            std::snprintf(item, sizeof item, "F%02x", entry->bytes[1]);
        } else if (entry->kind == "OUT") {
            std::strcpy(item, "O");
            if (outputs) outputs->push_back(*entry);
        }
        shape += (shape.empty() ? "" : " ") + std::string(item);
    }
    return shape;
}

std::string Repeat(const std::string& item, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += " " + item;
    return out;
}

TEST_F(TarnctlTest, ApplySendsTheDefaultProfileInTheMouseOrder) {
    const RunResult result =
        Run({"apply", Installed("Profile/Profile1.cfg"), "--simulate", "--log", Path("sim.log")});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out,
              "progress 0\nprogress 7\nprogress 14\nprogress 21\nprogress 28\nprogress 35\n"
              "progress 42\nprogress 60\nprogress 70\nprogress 75\nprogress 80\nprogress 90\n"
              "progress 100\napplied\n");
    std::vector<ProtocolLogEntry> outputs;
    EXPECT_EQ(LogShape(Slurp(Path("sim.log")), &outputs), "S12 O O S0c S0d S11 O S0b S01");
    ASSERT_EQ(outputs.size(), 3u);
    // The first half of the key matrix, after the report id: slots 0..7.
    EXPECT_EQ(std::vector<uint8_t>(outputs[0].bytes.begin() + 1, outputs[0].bytes.begin() + 9),
              (std::vector<uint8_t>{0x01, 0x00, 0xF0, 0x00, 0x01, 0x00, 0xF1, 0x00}));
}

TEST_F(TarnctlTest, ApplyUploadsMacrosFirstAndSendsTheKeyMatrixThatKeymatrixPrints) {
    ProfileRecord profile;
    MakeDefaultProfile(profile);
    profile.buttons[ButtonForward].functionType = kFunctionMacro;
    profile.buttons[ButtonBack].functionType = kFunctionMacro;
    WriteBytes(Path("profile.cfg"), &profile, sizeof profile);
    ProfileSlotTable table{};
    table.slots[0].slotMagic = SlotMagic;
    table.slots[0].active = 1;
    table.slots[0].buttonMacroIds[ButtonForward] = 0x15000001;
    table.slots[0].buttonMacroIds[ButtonBack] = 0x15000001;
    WriteBytes(Path("ConfigInfo.cfg"), &table, sizeof table);
    std::vector<EventEntry> entries = {MakeKeyEntry(EntryPress, 0x42),
                                       MakeKeyEntry(EntryRelease, 0x42)};
    auto store = std::make_unique<MacroStore>();
    store->slots[0] = BuildMacroRecord(entries, u"2", 0x15000001, u"B")->record;
    WriteBytes(Path("Macro.cfg"), store.get(), sizeof *store);

    const std::vector<std::string> inputs = {Path("profile.cfg"), "--macros", Path("Macro.cfg"),
                                             "--slots", Path("ConfigInfo.cfg")};
    std::vector<std::string> apply = {"apply"};
    apply.insert(apply.end(), inputs.begin(), inputs.end());
    apply.insert(apply.end(), {"--simulate", "--log", Path("sim.log")});
    ASSERT_EQ(Run(apply).status, 0);

    // The same macro on two buttons goes up twice, as macros 1 and 2, before the key matrix.
    std::vector<ProtocolLogEntry> outputs;
    const std::string shape = LogShape(Slurp(Path("sim.log")), &outputs);
    EXPECT_EQ(shape, "S13" + Repeat("O", 16) + " S13" + Repeat("O", 16) +
                         " S12 O O S0c S0d S11 O S0b S01");
    ASSERT_EQ(outputs.size(), 35u);
    std::string sent;
    for (int piece = 32; piece < 34; ++piece) {
        for (int word = 0; word < 8; ++word) {
            const uint8_t* b = outputs[piece].bytes.data() + 1 + word * 4;
            char text[12];
            std::snprintf(text, sizeof text, "%02x%02x%02x%02x ", b[3], b[2], b[1], b[0]);
            sent += text;
        }
    }
    sent.back() = '\n';
    std::vector<std::string> keymatrix = {"keymatrix"};
    keymatrix.insert(keymatrix.end(), inputs.begin(), inputs.end());
    EXPECT_EQ(Run(keymatrix).out, sent);
    EXPECT_NE(sent.find("03020009 03010009"), std::string::npos) << sent;
}

TEST_F(TarnctlTest, ARefusedStepEndsTheApplyWithItsTextAndStatusTwo) {
    const RunResult result =
        Run({"apply", Installed("Profile/Profile1.cfg"), "--simulate", "--log", Path("sim.log")},
            {"TARN_SIM_FAIL=SetLedColor"});
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find("Write mouse LED color failed."), std::string::npos) << result.err;
    EXPECT_EQ(result.out.substr(result.out.size() - 12), "progress 60\n");
    EXPECT_EQ(LogShape(Slurp(Path("sim.log"))), "S12 O O F0c");

    const RunResult noMouse = Run({"firmware", "--simulate"}, {"TARN_SIM_FAIL=OpenDevice"});
    EXPECT_EQ(noMouse.status, 1);
    EXPECT_NE(noMouse.err.find("no Nirel Tarn mouse found"), std::string::npos);
    EXPECT_EQ(Run({"apply", Installed("Profile/Profile1.cfg"), "--simulate", "--log",
                   Path("no/such/dir/sim.log")})
                  .status,
              1);
}

TEST_F(TarnctlTest, FirmwarePrintsTheVersionTheMouseReports) {
    EXPECT_EQ(Run({"firmware", "--simulate"}).out, "15\n");
    EXPECT_EQ(Run({"firmware", "--simulate"}, {"TARN_SIM_VERSION=27"}).out, "27\n");
    const RunResult noReply =
        Run({"firmware", "--simulate"}, {"TARN_SIM_FAIL=ReadFirmwareVersion:data"});
    EXPECT_EQ(noReply.status, 1);
    EXPECT_EQ(noReply.out, "");
}

}  // namespace
}  // namespace tarn::test
