// Every save of every settings file, failed once at each step it takes (open, write, flush,
// rename of each file it writes): the files on disk hold their old or their new bytes, never a
// mix, no temporary file stays behind, and the user is told what the messages say. With
// TARN_FAULT_TABLE set, each run prints one row of the table in docs/robustness.md.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/app_paths.h"
#include "base/language_state.h"
#include "base/text.h"
#include "i18n/language_id_file.h"
#include "macro/macro_store.h"
#include "settings/file_dialogs.h"
#include "settings/profile_exchange.h"
#include "settings/profile_files.h"
#include "stats/statistics_file.h"
#include "tests/support/doubles.h"
#include "tests/support/faulty_file_system.h"
#include "tests/support/memory_file_system.h"

namespace tarn::test {
namespace {

const std::u16string kData = u"C:\\Users\\Gamer\\AppData\\Local\\Temp\\NIREL\\Tarn";
const std::u16string kProfile = kData + u"\\Profile\\Profile2.cfg";
const std::u16string kTable = kData + u"\\Profile\\ConfigInfo.cfg";
const std::u16string kMacros = kData + u"\\Macro.cfg";
const std::u16string kLanguage = kData + u"\\Language.cfg";
const std::u16string kCounters = kData + u"\\Sts.cfg";
const std::u16string kExport = u"D:\\Backups\\mine.cfg";

using Bytes = std::vector<uint8_t>;

template <typename T>
Bytes BytesOf(const T& value) {
    const auto* p = reinterpret_cast<const uint8_t*>(&value);
    return {p, p + sizeof value};
}

class ExportDialogs final : public FileDialogs {
public:
    bool AskExportPath(std::u16string& path) override {
        path = kExport;
        return true;
    }
    bool AskImportPath(std::u16string&) override { return false; }
};

// One file a save writes, with what it holds before and what the save should leave.
struct Target {
    std::u16string path;
    Bytes before;
    Bytes after;
};

// What the user saw, one text per box.
using Told = std::vector<std::u16string>;
// The boxes expected when the given step of the given target failed with the given cause.
using Expect = std::function<Told(size_t target, WriteStep step, FileError cause)>;

class SaveFaultTest : public ::testing::Test {
protected:
    void SetUp() override {
        dataFolder = kData;
        LanguageStrings.Set(StringKey::str_msg2, u"Missing %s");
        LanguageStrings.Set(StringKey::str_msg4, u"No access (4)");
        LanguageStrings.Set(StringKey::str_msg5, u"No access (5)");
        memory.AddFolder(kData + u"\\Profile");
        memory.AddFolder(u"D:\\Backups");
        SetFileSystem(&faulty);
        SetClock(&clock);
    }
    void TearDown() override {
        SetFileSystem(nullptr);
        SetClock(nullptr);
        dataFolder.clear();
        LanguageStrings.Clear();
    }

    // Runs the save with its n-th step failing, n = 1, 2, ... until a run goes through, for each
    // cause; every run starts from the old files. wholeSteps receives the steps of a whole save.
    void FailEveryStep(const char* name, std::vector<Target> targets,
                         const std::function<void()>& save, const Expect& expect,
                         const Told& toldOnSuccess = {}) {
        for (FileError cause : {FileError::Other, FileError::AccessDenied}) {
            for (int n = 1;; ++n) {
                for (const Target& t : targets) memory.files[t.path] = t.before;
                messages.messages.shown.clear();
                faulty.FailStep(n, cause);
                save();
                if (!faulty.Failed()) {
                    for (const Target& t : targets) {
                        EXPECT_EQ(memory.Bytes(t.path), t.after) << name << ": a whole save";
                    }
                    EXPECT_EQ(Shown(), toldOnSuccess) << name << ": a whole save";
                    wholeSteps = faulty.Steps().size();
                    break;
                }
                ASSERT_LT(n, 40) << name << " never went through";
                CheckFailedRun(name, n, cause, targets, expect);
            }
        }
    }

    void CheckFailedRun(const char* name, int n, FileError cause,
                        const std::vector<Target>& targets, const Expect& expect) {
        const WriteStep step = faulty.FailedStep();
        size_t failedTarget = targets.size();
        for (size_t i = 0; i < targets.size(); ++i) {
            const std::u16string& p = faulty.FailedPath();
            if (p == targets[i].path || p == targets[i].path + u".tmp") failedTarget = i;
        }
        ASSERT_LT(failedTarget, targets.size()) << name << " wrote a file it should not";
        const std::string where = std::string(name) + ", step " + std::to_string(n) + " (" +
                                  WriteStepName(step) + "), cause " + CauseName(cause);
        for (size_t i = 0; i < targets.size(); ++i) {
            const Target& t = targets[i];
            ASSERT_TRUE(memory.Has(t.path)) << where;
            const Bytes& now = memory.Bytes(t.path);
            EXPECT_TRUE(now == t.before || now == t.after) << where << ": file " << i << " is a mix";
            if (i == failedTarget) {
                EXPECT_EQ(now, t.before) << where << ": the failed file changed";
            }
            EXPECT_FALSE(memory.Has(t.path + u".tmp")) << where << ": a temporary file stayed";
        }
        EXPECT_EQ(Shown(), expect(failedTarget, step, cause)) << where;
        if (std::getenv("TARN_FAULT_TABLE")) PrintRow(name, n, step, cause);
    }

    Told Shown() const {
        Told out;
        for (const ShownMessage& m : messages.messages.shown) out.push_back(m.text);
        return out;
    }

    static const char* CauseName(FileError cause) {
        return cause == FileError::AccessDenied ? "access denied" : "other (disk full, I/O)";
    }
    // Write and flush failures always reach the save as "other": the cause applies to the open
    // and the rename only, so those are the only rows printed twice.
    void PrintRow(const char* name, int n, WriteStep step, FileError cause) const {
        if (cause == FileError::AccessDenied && step != WriteStep::Open &&
            step != WriteStep::Rename) {
            return;
        }
        std::string told;
        for (const std::u16string& text : Shown()) told += (told.empty() ? "" : " / ") + ToUtf8(text);
        std::printf("| %s | %d %s | %s | %s |\n", name, n, WriteStepName(step), CauseName(cause),
                    told.empty() ? "nothing" : ("\"" + told + "\"").c_str());
    }

    MemoryFileSystem memory;
    FaultyFileSystem faulty{memory};
    ScopedMessages messages;
    FakeClock clock;
    size_t wholeSteps = 0;
};

// Write and flush failures come back from the seam as "other".
FileError SeenCause(WriteStep step, FileError cause) {
    return step == WriteStep::Open || step == WriteStep::Rename ? cause : FileError::Other;
}

TEST_F(SaveFaultTest, ProfileAndSlotTableAfterAnApply) {
    auto model = std::make_unique<SettingsModel>();
    std::memset(model.get(), 0, sizeof *model);
    MakeDefaultProfile(model->currentProfile);
    model->currentSlot = 1;
    CopyToFixed(model->slotTable.slots[1].profilePath, kProfile);
    const Bytes oldProfile = BytesOf(model->currentProfile);
    const Bytes oldTable = BytesOf(model->slotTable);
    model->currentProfile.pointerSpeed = 17;
    model->currentProfile.dpiLevels[4] = 1250;
    model->buttonMacroIds[3] = 0x15000042;
    auto expected = std::make_unique<ProfileSlotTable>(model->slotTable);
    expected->slots[1].buttonMacroIds[3] = 0x15000042;

    FailEveryStep(
        "profile + slot table",
        {{kProfile, oldProfile, BytesOf(model->currentProfile)},
         {kTable, oldTable, BytesOf(*expected)}},
        [&] {
            // The save stores the bindings into the table; each run starts from the old one.
            std::memcpy(&model->slotTable, oldTable.data(), oldTable.size());
            SaveCurrentProfile(*model);
        },
        [](size_t target, WriteStep step, FileError cause) -> Told {
            if (target == 1) return {u"The profile could not be saved to " + kTable + u"."};
            if (SeenCause(step, cause) == FileError::AccessDenied) return {u"No access (5)"};
            return {u"The profile could not be saved to " + kProfile + u"."};
        });
    EXPECT_EQ(wholeSteps, 8u);
}

TEST_F(SaveFaultTest, DefaultProfileReplacingABrokenOne) {
    auto model = std::make_unique<SettingsModel>();
    std::memset(model.get(), 0, sizeof *model);
    auto defaults = std::make_unique<ProfileRecord>();
    MakeDefaultProfile(*defaults);
    const Bytes broken(22160, 0x5A);
    FailEveryStep(
        "default profile", {{kProfile, broken, BytesOf(*defaults)}},
        [&] { CreateDefaultProfileFile(*model, kProfile); },
        [](size_t, WriteStep step, FileError cause) -> Told {
            if (SeenCause(step, cause) == FileError::AccessDenied) return {u"No access (4)"};
            return {};
        });
}

TEST_F(SaveFaultTest, Export) {
    auto model = std::make_unique<SettingsModel>();
    std::memset(model.get(), 0, sizeof *model);
    MakeDefaultProfile(model->currentProfile);
    model->currentProfile.ledColor = 0x00123456;
    auto image = std::make_unique<ProfileExportImage>();
    std::memcpy(&image->profile, &model->currentProfile, sizeof image->profile);
    std::memcpy(&image->slotTable, &model->slotTable, sizeof image->slotTable);
    const Bytes older(30160, 0x11);
    ExportDialogs dialogs;
    FailEveryStep(
        "export", {{kExport, older, BytesOf(*image)}}, [&] { ExportProfile(*model, dialogs); },
        [](size_t, WriteStep, FileError) -> Told { return {kExport + u" export failed!"}; },
        {kExport + u" export success!"});
}

TEST_F(SaveFaultTest, MacroFile) {
    auto store = std::make_unique<MacroStore>();
    std::memset(store.get(), 0, sizeof *store);
    const Bytes old = BytesOf(*store);
    store->slots[7].size = 4108;
    store->slots[7].tag = MacroTag;
    store->slots[7].id = 0x15000001;
    store->slots[7].eventCount = 2;
    store->slots[7].events[0] = MakeMacroEvent(KeyPress, 'R');
    store->slots[7].events[1] = MakeMacroEvent(KeyRelease, 'R');
    FailEveryStep(
        "Macro.cfg", {{kMacros, old, BytesOf(*store)}}, [&] { SaveMacroStore(*store); },
        [](size_t, WriteStep step, FileError cause) -> Told {
            if (SeenCause(step, cause) == FileError::AccessDenied) return {u"No access (4)"};
            return {u"The macros could not be saved to " + kMacros + u"."};
        });
}

TEST_F(SaveFaultTest, LanguageFile) {
    FailEveryStep(
        "Language.cfg", {{kLanguage, {1, 0, 0, 0}, {7, 0, 0, 0}}},
        [] { WriteLanguageId(static_cast<LanguageId>(7)); },
        [](size_t, WriteStep step, FileError cause) -> Told {
            // The choice is written again at every start and every change of language.
            if (SeenCause(step, cause) == FileError::AccessDenied) return {u"No access (5)"};
            return {};
        });
}

TEST_F(SaveFaultTest, StatisticsFile) {
    const UsageCounters old{10, 20, 30, 40, 50, 60};
    const UsageCounters fresh{11, 20, 31, 40, 52, 6000};
    FailEveryStep(
        "Sts.cfg", {{kCounters, BytesOf(old), BytesOf(fresh)}}, [&] { SaveStatistics(fresh); },
        [](size_t, WriteStep step, FileError cause) -> Told {
            if (SeenCause(step, cause) == FileError::AccessDenied) return {u"No access (5)"};
            return {u"The statistics could not be saved to " + kCounters + u"."};
        });
}

}  // namespace
}  // namespace tarn::test
