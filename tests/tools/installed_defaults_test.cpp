#include "tools/tarn_defaults/installed_defaults.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/settings/settings_fixture.h"

namespace tarn::test {
namespace {

namespace fs = std::filesystem;
const std::u16string kOut = u"C:\\Program Files\\Tarn";

using InstalledDefaultsTest = SettingsFilesTest;

TEST_F(InstalledDefaultsTest, FilesCarryTheDefaultsInTheSkinLanguage) {
    ASSERT_TRUE(WriteInstalledDefaults(files.fs, kOut, false));
    ProfileSlotTable table;
    std::memcpy(&table, files.fs.Bytes(kOut + u"\\Profile\\ConfigInfo.cfg").data(), sizeof table);
    for (int i = 0; i < kSlotCount; ++i) {
        EXPECT_EQ(table.slots[i].slotMagic, SlotMagic);
        EXPECT_EQ(table.slots[i].active, i == 0 ? 1u : 0u);
    }
    EXPECT_EQ(files.fs.Bytes(kOut + u"\\Profile\\Profile5.cfg"), BytesOf(*defaults));
    EXPECT_EQ(files.fs.Bytes(kOut + u"\\Macro.cfg"), std::vector<uint8_t>(2052000, 0));
    EXPECT_EQ(files.fs.Bytes(kOut + u"\\Language.cfg"), (std::vector<uint8_t>{2, 0, 0, 0}));
    EXPECT_EQ(files.fs.Bytes(kOut + u"\\Sts.cfg"), std::vector<uint8_t>(24, 0));

    ASSERT_TRUE(WriteInstalledDefaults(files.fs, kOut, true));
    EXPECT_EQ(ChineseUi, 0);
    const auto& chinese = files.fs.Bytes(kOut + u"\\Profile\\Profile1.cfg");
    EXPECT_EQ(chinese[4 + 0x224], 0x55);  // "单" is U+5355
    EXPECT_EQ(chinese[4 + 0x225], 0x53);
    EXPECT_EQ(files.fs.Bytes(kOut + u"\\Language.cfg"), (std::vector<uint8_t>{1, 0, 0, 0}));

    files.fs.readOnly.insert(kOut);
    const DefaultsResult denied = WriteInstalledDefaults(files.fs, kOut, false);
    EXPECT_EQ(denied.error, FileError::AccessDenied);
    EXPECT_EQ(denied.failedPath, kOut + u"\\Macro.cfg");
}

std::vector<char> Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The tool's output seeds a new data folder on the real disk, byte for byte.
TEST_F(InstalledDefaultsTest, ToolOutputSeedsADataFolderOnDisk) {
    // The tool is built beside this test program.
    const fs::path tool = fs::read_symlink("/proc/self/exe").parent_path() / "tarn_defaults";
    if (!fs::exists(tool)) GTEST_SKIP() << "tarn_defaults is not built";
    const fs::path root = fs::temp_directory_path() / ("tarn-seed-" + std::to_string(::getpid()));
    fs::remove_all(root);
    ASSERT_EQ(std::system((tool.string() + " " + (root / "program").string()).c_str()), 0);
    SetFileSystem(nullptr);
    programFolder = FromUtf8((root / "program").string());
    dataFolder = FromUtf8((root / "data/NIREL/Tarn").string());
    SeedDataFolder();
    SetFileSystem(&files.fs);
    size_t compared = 0;
    for (const auto& entry : fs::recursive_directory_iterator(root / "program")) {
        if (!entry.is_regular_file()) continue;
        const fs::path seeded =
            root / "data/NIREL/Tarn" / fs::relative(entry.path(), root / "program");
        EXPECT_EQ(Slurp(entry.path()), Slurp(seeded)) << seeded;
        ++compared;
    }
    EXPECT_EQ(compared, 9u);
    fs::remove_all(root);
}

}  // namespace
}  // namespace tarn::test
