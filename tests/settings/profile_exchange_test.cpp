#include "settings/profile_exchange.h"

#include "settings/file_dialogs.h"
#include "tests/settings/settings_fixture.h"

namespace tarn::test {
namespace {

const std::u16string kExport = u"E:\\backup\\mine.cfg";

class FakeDialogs final : public FileDialogs {
public:
    std::u16string answer = kExport;  // empty: the user cancels
    bool AskExportPath(std::u16string& path) override { return Answer(path); }
    bool AskImportPath(std::u16string& path) override { return Answer(path); }

private:
    bool Answer(std::u16string& path) {
        path = answer;
        return !answer.empty();
    }
};

class ProfileExchangeTest : public SettingsFilesTest {
protected:
    void SetUp() override {
        SettingsFilesTest::SetUp();
        files.fs.AddFolder(u"E:\\backup");
        model->currentProfile = Profile(17);
        model->currentSlot = 1;
        model->slotTable.slots[1].buttonMacroIds[2] = 5;
        model->buttonMacroIds[2] = 0x02000009;
    }
    FakeDialogs dialogs;
};

TEST_F(ProfileExchangeTest, ExportWritesProfileThenTableWithTheWorkingBindings) {
    ExportProfile(*model, dialogs);
    const auto& bytes = files.fs.Bytes(kExport);
    ASSERT_EQ(bytes.size(), 30160u);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 22160), BytesOf(Profile(17)));
    auto image = std::make_unique<ProfileExportImage>();
    std::memcpy(image.get(), bytes.data(), bytes.size());
    EXPECT_EQ(image->slotTable.slots[1].buttonMacroIds[2], 0x02000009u);
    EXPECT_EQ(Texts(), std::vector<std::u16string>{kExport + u" export success!"});
}

TEST_F(ProfileExchangeTest, AFailedOrCancelledExportKeepsTheOldFile) {
    files.fs.AddFile(kExport, {4, 4});
    files.fs.readOnly.insert(kExport);
    ExportProfile(*model, dialogs);
    dialogs.answer.clear();
    ExportProfile(*model, dialogs);
    EXPECT_EQ(files.fs.Bytes(kExport), (std::vector<uint8_t>{4, 4}));
    EXPECT_EQ(Texts(), std::vector<std::u16string>{kExport + u" export failed!"});
}

TEST_F(ProfileExchangeTest, ImportOfAPlainProfileKeepsTheCurrentBindings) {
    files.fs.AddFile(kExport, BytesOf(Profile(4)));
    ImportProfile(*model, dialogs);
    EXPECT_EQ(BytesOf(model->currentProfile), BytesOf(Profile(4)));
    EXPECT_EQ(model->buttonMacroIds[2], 5u);  // reloaded from the untouched current slot
    EXPECT_EQ(Texts(), std::vector<std::u16string>{kExport + u" import success!"});
    EXPECT_FALSE(files.fs.Has(ProfilePath(1)));  // memory only
}

TEST_F(ProfileExchangeTest, ImportTakesTheBindingsOfTheLastActiveSlot) {
    auto image = std::make_unique<ProfileExportImage>();
    std::memset(image.get(), 0, sizeof *image);
    image->profile = Profile(6);
    image->slotTable.slots[0].active = 1;
    image->slotTable.slots[0].buttonMacroIds[0] = 10;
    image->slotTable.slots[3].active = 7;
    image->slotTable.slots[3].buttonMacroIds[0] = 30;
    files.fs.AddFile(kExport, BytesOf(*image));
    ImportProfile(*model, dialogs);
    EXPECT_EQ(model->slotTable.slots[1].buttonMacroIds[0], 30u);
    EXPECT_EQ(model->buttonMacroIds[0], 30u);
    EXPECT_EQ(model->buttonMacroIds[2], 0u);
    EXPECT_EQ(model->slotTable.slots[0].buttonMacroIds[0], 0u);
}

TEST_F(ProfileExchangeTest, ABadImportChangesNothing) {
    const auto before = BytesOf(*model);
    std::vector<uint8_t> wrong = BytesOf(Profile(4));
    wrong[3] = 0x81;
    files.fs.AddFile(kExport, wrong);
    files.fs.AddFile(u"E:\\backup\\empty.cfg", {});
    ImportProfile(*model, dialogs);
    dialogs.answer = u"E:\\backup\\empty.cfg";
    ImportProfile(*model, dialogs);
    dialogs.answer = u"E:\\backup\\gone.cfg";
    ImportProfile(*model, dialogs);
    dialogs.answer.clear();
    ImportProfile(*model, dialogs);
    EXPECT_EQ(BytesOf(*model), before);
    EXPECT_EQ(Texts(),
              (std::vector<std::u16string>{kExport + u" is an invaild Profile!",
                                           u"E:\\backup\\empty.cfg is an invaild Profile!",
                                           u"E:\\backup\\gone.cfg is an invaild Profile!"}));
}

TEST_F(ProfileExchangeTest, OddSizedRandomAndEndlessFilesAreRefusedAndReadOnlyInPart) {
    const auto before = BytesOf(*model);
    std::vector<uint8_t> random(30160);
    uint32_t seed = 12345;
    for (auto& b : random) b = static_cast<uint8_t>((seed = seed * 1103515245 + 12345) >> 16);
    random[0] = 0x21;
    const std::vector<std::pair<std::u16string, std::vector<uint8_t>>> bad = {
        {u"E:\\backup\\one.cfg", {0x22}},
        {u"E:\\backup\\three.cfg", {0x22, 0x00, 0x80}},
        {u"E:\\backup\\random.cfg", random},
    };
    for (const auto& [path, bytes] : bad) {
        files.fs.AddFile(path, bytes);
        dialogs.answer = path;
        ImportProfile(*model, dialogs);
    }
    // Hundreds of megabytes, as far as a reader can tell: it must take the export's size only.
    files.fs.endless[u"E:\\backup\\huge.cfg"] = {{}, 0xAB};
    dialogs.answer = u"E:\\backup\\huge.cfg";
    ImportProfile(*model, dialogs);
    EXPECT_EQ(BytesOf(*model), before);
    EXPECT_LE(files.fs.endlessBytesRead, sizeof(ProfileExportImage));
    ASSERT_EQ(Texts().size(), 4u);
    for (const auto& text : Texts()) {
        EXPECT_NE(text.find(u" is an invaild Profile!"), std::u16string::npos);
    }
    // A huge file that begins with an export is that export.
    auto image = std::make_unique<ProfileExportImage>();
    std::memset(image.get(), 0, sizeof *image);
    image->profile = Profile(9);
    files.fs.endless[u"E:\\backup\\huge.cfg"] = {BytesOf(*image), 0xAB};
    ImportProfile(*model, dialogs);
    EXPECT_EQ(BytesOf(model->currentProfile), BytesOf(Profile(9)));
    EXPECT_LE(files.fs.endlessBytesRead, 2 * sizeof(ProfileExportImage));
}

TEST_F(ProfileExchangeTest, PathsOfAnyLengthAndScriptGoBothWays) {
    // Deeper than MAX_PATH, with the characters that trip command lines and formatters.
    const std::u16string folder =
        u"E:\\backup\\Ärger & 100% %TEMP% %s %d \"q\" 备份 Копия 🎮\\" + std::u16string(250, u'x');
    files.fs.AddFolder(folder);
    dialogs.answer = folder + u"\\mine.cfg";
    ExportProfile(*model, dialogs);
    ASSERT_TRUE(files.fs.Has(dialogs.answer));
    model->currentProfile = Profile(3);
    ImportProfile(*model, dialogs);
    EXPECT_EQ(BytesOf(model->currentProfile), BytesOf(Profile(17)));
    EXPECT_EQ(Texts(), (std::vector<std::u16string>{dialogs.answer + u" export success!",
                                                    dialogs.answer + u" import success!"}));
}

TEST(FileDialogFilterTest, BarsBecomeTheDoubleZeroTerminatedList) {
    EXPECT_EQ(SystemDialogFilter(kProfileFileFilter),
              std::u16string(u"CFG Files(*.cfg)\0*.cfg\0\0", 24));
    EXPECT_EQ(SystemDialogFilter(u"A|*.a"), std::u16string(u"A\0*.a\0\0", 7));
}

}  // namespace
}  // namespace tarn::test
