// tarnctl on settings, macro and XML files: what it prints, and how it refuses what is not one.
#include <cstring>
#include <memory>

#include "base/text.h"
#include "macro/macro_events.h"
#include "settings/profile_exchange.h"
#include "tests/tools/tarnctl_runner.h"

namespace tarn::test {
namespace {

constexpr char kDefaultMatrix[] =
    "00f00001 00f10001 00f20001 00030007 00f30001 00f40001 00000000 00000000 00000000 00000000 "
    "00000000 00000000 00000000 00000000 00010004 00020004\n";

constexpr uint32_t kMacroId = 0x15000123;

// An export as the support page writes it: an edited profile and a table whose slot 1 is
// current and binds a macro to the forward button.
std::unique_ptr<ProfileExportImage> SampleExport() {
    auto image = std::make_unique<ProfileExportImage>();
    std::memset(image.get(), 0, sizeof *image);
    MakeDefaultProfile(image->profile);
    CopyToFixed(image->profile.buttons[4].displayName, u"Say \"hi\"\n中文😀");
    image->profile.wheelScrollLines = -1;
    image->profile.ledColor = 0x00112233;
    ProfileSlot& slot = image->slotTable.slots[1];
    slot.slotMagic = SlotMagic;
    slot.active = 1;
    CopyToFixed(slot.profilePath, u"C:\\Users\\x\\Profile2.cfg");
    slot.buttonMacroIds[ButtonForward] = kMacroId;
    return image;
}

// A macro as recording leaves it: press A, 50 ms, release A.
std::unique_ptr<MacroStore> StoreWithRecordedMacro() {
    std::vector<EventEntry> entries = {MakeKeyEntry(EntryPress, 0x41), MakeDelayEntry(50),
                                       MakeKeyEntry(EntryRelease, 0x41)};
    auto built = BuildMacroRecord(entries, u"1", kMacroId, u"Burst \"one\"");
    auto store = std::make_unique<MacroStore>();
    if (built) store->slots[2] = built->record;
    return store;
}

TEST_F(TarnctlTest, ProfileShowDecodesAnExportWithItsSlotTable) {
    const auto image = SampleExport();
    WriteBytes(Path("export.cfg"), image.get(), sizeof *image);

    const RunResult json = Run({"profile", "show", "--json", Path("export.cfg")});
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(json.out.front(), '{');
    EXPECT_EQ(json.out.substr(json.out.size() - 2), "}\n");
    // The keys come in the record's order, the slot table last.
    size_t last = 0;
    for (const char* key : {"magic",          "buttons",
                            "functionType",   "macroId",
                            "actionKind",     "comboCode",
                            "actionCode",     "actionPath",
                            "displayName",    "dpiLevels",
                            "sheight",        "pollInterval",
                            "ledMode",        "ledColor",
                            "ledColorCustom", "ledPresetIndex",
                            "ledBodyLight",   "enhancePointerPrecision",
                            "pointerSpeed",   "ledSpeedMode1",
                            "ledSpeedMode2",  "wheelScrollLines",
                            "slots",          "slotMagic",
                            "active",         "profilePath",
                            "buttonMacroIds"}) {
        const size_t at = json.out.find("\"" + std::string(key) + "\":", last);
        ASSERT_NE(at, std::string::npos) << key;
        last = at;
    }
    EXPECT_NE(json.out.find("\"magic\":2155872290,"), std::string::npos);
    EXPECT_NE(json.out.find("\"displayName\":\"Say \\\"hi\\\"\\n中文😀\""), std::string::npos);
    EXPECT_NE(json.out.find("\"dpiLevels\":[750,1000,1500,2000,3000,0,0,0]"), std::string::npos);
    EXPECT_NE(json.out.find("\"ledColor\":1122867,"), std::string::npos);
    EXPECT_NE(json.out.find("\"wheelScrollLines\":-1,\"slots\":[{\"slotMagic\":0,"),
              std::string::npos);
    EXPECT_NE(json.out.find("{\"slotMagic\":48830,\"active\":1,\"profilePath\":"
                            "\"C:\\\\Users\\\\x\\\\Profile2.cfg\",\"buttonMacroIds\":[0,0,0," +
                            std::to_string(kMacroId) + ",0,0,0]}"),
              std::string::npos);

    const RunResult text = Run({"profile", "show", Path("export.cfg")});
    ASSERT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("magic: 0x80800022\n"), std::string::npos);
    EXPECT_NE(text.out.find("  functionType: 16 (FnBack)\n"), std::string::npos);
    EXPECT_NE(text.out.find("slot 1:\n  slotMagic: 0x0000bebe\n  active: 1\n"), std::string::npos);

    // A plain profile file has no slot table to show.
    const RunResult plain = Run({"profile", "show", "--json", Installed("Profile/Profile1.cfg")});
    ASSERT_EQ(plain.status, 0);
    EXPECT_EQ(plain.out.find("slots"), std::string::npos);
    EXPECT_NE(plain.out.find("\"displayName\":\"Scroll\""), std::string::npos);
}

TEST_F(TarnctlTest, WhatIsNotAProfileIsRefusedWithAMessage) {
    const uint8_t wrongMagic[8] = {0x00, 0x00, 0x80, 0x80};
    WriteBytes(Path("wrong.cfg"), wrongMagic, sizeof wrongMagic);
    WriteBytes(Path("empty.cfg"), "", 0);
    for (const char* name : {"wrong.cfg", "empty.cfg", "missing.cfg", ""}) {
        const RunResult result = Run({"profile", "show", "--json", Path(name)});
        EXPECT_EQ(result.status, 1) << name;
        EXPECT_EQ(result.out, "") << name;
        EXPECT_NE(result.err.find(Path(name)), std::string::npos) << result.err;
    }
    EXPECT_NE(Run({"profile", "show", Path("wrong.cfg")}).err.find("starts with 0x80800000"),
              std::string::npos);
    // The same reading guards the commands that take a profile.
    EXPECT_EQ(Run({"keymatrix", Path("wrong.cfg")}).status, 1);
    EXPECT_EQ(Run({"apply", Path("wrong.cfg"), "--simulate"}).status, 1);
}

TEST_F(TarnctlTest, ProfileDefaultWritesTheDefaultsInEitherLanguage) {
    ASSERT_EQ(Run({"profile", "default", Path("en.cfg")}).status, 0);
    EXPECT_EQ(Slurp(Path("en.cfg")), Slurp(Installed("Profile/Profile1.cfg")));

    ASSERT_EQ(Run({"profile", "default", "--chinese", Path("zh.cfg")}).status, 0);
    const RunResult shown = Run({"profile", "show", Path("zh.cfg")});
    EXPECT_NE(shown.out.find("displayName: \"单击\""), std::string::npos);

    EXPECT_EQ(Run({"profile", "default", Path("no/such/folder/x.cfg")}).status, 1);
}

TEST_F(TarnctlTest, KeyMatrixOfTheDefaultProfileIsTheKnownSixteenWords) {
    EXPECT_EQ(Run({"keymatrix", Installed("Profile/Profile1.cfg")}).out, kDefaultMatrix);
    const RunResult withFiles =
        Run({"keymatrix", Installed("Profile/Profile1.cfg"), "--macros", Installed("Macro.cfg"),
             "--slots", Installed("Profile/ConfigInfo.cfg")});
    EXPECT_EQ(withFiles.status, 0);
    EXPECT_EQ(withFiles.out, kDefaultMatrix);
    EXPECT_EQ(withFiles.err, "");
}

TEST_F(TarnctlTest, KeyMatrixTakesMacroWordsFromTheStoreAndTheChosenSlot) {
    auto image = SampleExport();
    image->profile.buttons[ButtonForward].functionType = kFunctionMacro;
    image->profile.buttons[ButtonMiddle].functionType = kFunctionMacro;  // bound to nothing stored
    image->slotTable.slots[1].buttonMacroIds[ButtonMiddle] = 0x15999999;
    WriteBytes(Path("profile.cfg"), &image->profile, sizeof image->profile);
    WriteBytes(Path("ConfigInfo.cfg"), &image->slotTable, sizeof image->slotTable);
    const auto store = StoreWithRecordedMacro();
    WriteBytes(Path("Macro.cfg"), store.get(), sizeof *store);

    const std::vector<std::string> base = {"keymatrix", Path("profile.cfg"),
                                           "--macros",  Path("Macro.cfg"),
                                           "--slots",   Path("ConfigInfo.cfg")};
    // Slot 1 is the active one: macro 1 of three entries on the forward slot; the middle
    // button's missing macro leaves it its default word.
    const RunResult bound = Run(base);
    EXPECT_EQ(bound.out.substr(0, 53), "00f00001 00f10001 00f20001 00030007 00f30001 03010009");
    EXPECT_NE(bound.err.find("button 1 carries a macro bound to 0x15999999"), std::string::npos)
        << bound.err;

    std::vector<std::string> otherSlot = base;
    otherSlot.insert(otherSlot.end(), {"--slot", "0"});
    EXPECT_EQ(Run(otherSlot).out, kDefaultMatrix);

    const RunResult noStore = Run({"keymatrix", Path("profile.cfg")});
    EXPECT_EQ(noStore.out, kDefaultMatrix);
    EXPECT_NE(noStore.err.find("button 3 carries a macro"), std::string::npos);
}

TEST_F(TarnctlTest, MacroCommandsListAndEncodeARecordedMacro) {
    const auto store = StoreWithRecordedMacro();
    WriteBytes(Path("Macro.cfg"), store.get(), sizeof *store);

    EXPECT_EQ(Run({"macro", "list", Path("Macro.cfg")}).out,
              "2 0x15000123 21 1 3 \"Burst \\\"one\\\"\"\n");
    EXPECT_EQ(Run({"macro", "list", "--group", "21", Path("Macro.cfg")}).out.substr(0, 2), "2 ");
    EXPECT_EQ(Run({"macro", "list", "--group", "3", Path("Macro.cfg")}).out, "");
    EXPECT_EQ(Run({"macro", "list", Installed("Macro.cfg")}).out, "");

    std::string block = "00 01 06 04 81 04";
    for (int i = 6; i < 512; ++i) block += " 00";
    const RunResult hex = Run({"macro", "encode", Path("Macro.cfg"), "0x15000123"});
    EXPECT_EQ(hex.out, "3\n" + block + "\n");
    EXPECT_EQ(Run({"macro", "encode", Path("Macro.cfg"), std::to_string(kMacroId)}).out, hex.out);

    const RunResult missing = Run({"macro", "encode", Path("Macro.cfg"), "0x15000124"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("no macro with id 0x15000124"), std::string::npos);
    EXPECT_EQ(Run({"macro", "encode", Path("Macro.cfg"), "0"}).status, 1);
    EXPECT_EQ(Run({"macro", "list", Path("nothing.cfg")}).status, 1);
}

TEST_F(TarnctlTest, XmlCheckAndGetReadFilesAsTheProgramDoes) {
    const std::string english =
        std::string(std::getenv("TARN_SOURCE_DIR") ? std::getenv("TARN_SOURCE_DIR") : ".") +
        "/Language/en.xml";
    const RunResult good = Run({"xml", "check", english});
    EXPECT_EQ(good.status, 0);
    EXPECT_EQ(good.out.substr(0, 6), "UTF-8 ");

    const std::string broken = "<language><config><str_msg2>Kept</str_msg2><open>";
    WriteBytes(Path("broken.xml"), broken.data(), broken.size());
    const RunResult bad = Run({"xml", "check", Path("broken.xml")});
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.out.find("not ended"), std::string::npos) << bad.out;
    // A broken file is still read as far as it goes.
    EXPECT_EQ(Run({"xml", "get", Path("broken.xml"), "config", "str_msg2"}).out, "Kept\n");

    EXPECT_EQ(Run({"xml", "get", english, "config", "str_msg2"}).out, "File not found: %s\n");
    EXPECT_EQ(Run({"xml", "get", english, "config", "no_such_key"}).out, "\n");
    EXPECT_EQ(Run({"xml", "get", Path("missing.xml"), "config", "str_msg2"}).status, 1);
    EXPECT_EQ(Run({"xml", "check", Path("missing.xml")}).status, 1);
}

}  // namespace
}  // namespace tarn::test
