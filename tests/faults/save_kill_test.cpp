// A child process saves every settings file over and over on the real file system, alternating
// two contents, and is killed at a random moment; after each kill every file must hold one of
// the two contents exactly. TARN_KILL_ROUNDS sets the number of kills (scripts/kill_saves.sh
// runs a long series); each round prints which save the kill interrupted.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "base/app_paths.h"
#include "base/clock.h"
#include "base/text.h"
#include "i18n/language_id_file.h"
#include "macro/macro_store.h"
#include "settings/file_dialogs.h"
#include "settings/profile_exchange.h"
#include "settings/profile_files.h"
#include "stats/statistics_file.h"

namespace tarn {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

// The saves of one round of the loop, in order; the child names the one under way.
enum Save { kProfile, kTable, kExport, kMacros, kLanguage, kCounters, kSaveCount };
const char* const kSaveNames[] = {"profile", "slot table", "export",
                                  "Macro.cfg", "Language.cfg", "Sts.cfg"};

template <typename T>
Bytes BytesOf(const T& value) {
    const auto* p = reinterpret_cast<const uint8_t*>(&value);
    return {p, p + sizeof value};
}

Bytes ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The macro store's pauses would only slow the loop down.
class NoPauseClock final : public Clock {
public:
    uint32_t TickCount() override { return 0; }
    void Sleep(uint32_t) override {}
};

class FixedExportPath final : public FileDialogs {
public:
    explicit FixedExportPath(std::u16string path) : path_(std::move(path)) {}
    bool AskExportPath(std::u16string& path) override {
        path = path_;
        return true;
    }
    bool AskImportPath(std::u16string&) override { return false; }

private:
    std::u16string path_;
};

// One of the two contents every file alternates between.
struct Contents {
    std::unique_ptr<SettingsModel> model = std::make_unique<SettingsModel>();
    std::unique_ptr<MacroStore> macros = std::make_unique<MacroStore>();
    LanguageId language;
    UsageCounters counters;
};

Contents MakeContents(int which, const std::u16string& profilePath) {
    Contents c;
    std::memset(c.model.get(), 0, sizeof *c.model);
    std::memset(c.macros.get(), 0, sizeof *c.macros);
    MakeDefaultProfile(c.model->currentProfile);
    c.model->currentSlot = 0;
    CopyToFixed(c.model->slotTable.slots[0].profilePath, profilePath);
    c.model->slotTable.slots[0].slotMagic = SlotMagic;
    c.model->slotTable.slots[0].active = 1;
    // Every byte differs between the two, so any mix of them shows.
    const uint8_t fill = which == 0 ? 0x11 : 0xEE;
    std::memset(c.model->currentProfile.buttons[3].reserved2, fill,
                sizeof c.model->currentProfile.buttons[3].reserved2);
    c.model->currentProfile.pointerSpeed = which == 0 ? 5 : 15;
    c.model->buttonMacroIds[4] = which == 0 ? 0x15000001 : 0x15000002;
    std::memset(c.model->slotTable.slots[2].reserved2, fill,
                sizeof c.model->slotTable.slots[2].reserved2);
    std::memset(c.macros.get(), fill, sizeof *c.macros);
    c.language = static_cast<LanguageId>(which == 0 ? 2 : 10);
    const uint32_t n = which == 0 ? 0x01010101 : 0xFEFEFEFE;
    c.counters = {n, n, n, n, n, n};
    return c;
}

class SaveKillTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tarn-kill-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root_ = pattern;
        fs::create_directories(root_ / "Profile");
        fs::create_directories(root_ / "Backups");
        dataFolder = FromUtf8(root_.string());
        contents_[0] = MakeContents(0, ProfileFilePath(0));
        contents_[1] = MakeContents(1, ProfileFilePath(0));
        paths_ = {root_ / "Profile" / "Profile1.cfg", root_ / "Profile" / "ConfigInfo.cfg",
                  root_ / "Backups" / "mine.cfg",     root_ / "Macro.cfg",
                  root_ / "Language.cfg",             root_ / "Sts.cfg"};
        SetClock(&clock_);
        // Both images of every file, as a whole save writes them.
        for (int which = 0; which < 2; ++which) {
            SaveAll(which, nullptr);
            for (int s = 0; s < kSaveCount; ++s) images_[which][s] = ReadAll(paths_[s]);
        }
        // Each round starts from the first contents.
        SaveAll(0, nullptr);
        shared_ = static_cast<std::atomic<int>*>(mmap(nullptr, sizeof(std::atomic<int>) * 2,
                                                      PROT_READ | PROT_WRITE,
                                                      MAP_SHARED | MAP_ANONYMOUS, -1, 0));
        ASSERT_NE(shared_, MAP_FAILED);
    }
    void TearDown() override {
        SetClock(nullptr);
        dataFolder.clear();
        if (shared_ && shared_ != MAP_FAILED) munmap(shared_, sizeof(std::atomic<int>) * 2);
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    // One round of every save with one of the two contents; phase, when given, names the save
    // under way for the parent.
    void SaveAll(int which, std::atomic<int>* phase) {
        Contents& c = contents_[which];
        auto mark = [&](Save s) {
            if (phase) phase->store(s);
        };
        mark(kProfile);
        // The profile and the table are one save; the phase moves on when the table starts.
        SaveProfileMarkingTable(*c.model, phase);
        mark(kExport);
        FixedExportPath dialogs(FromUtf8(paths_[kExport].string()));
        ExportProfile(*c.model, dialogs);
        mark(kMacros);
        SaveMacroStore(*c.macros);
        mark(kLanguage);
        WriteLanguageId(c.language);
        mark(kCounters);
        SaveStatistics(c.counters);
    }

    // SaveCurrentProfile writes the profile, then the table; the table's temporary file appearing
    // is how the child tells the parent the second half has begun.
    void SaveProfileMarkingTable(SettingsModel& model, std::atomic<int>* phase) {
        if (!phase) {
            SaveCurrentProfile(model);
            return;
        }
        struct Marking final : FileSystem {
            Marking(FileSystem& inner, std::atomic<int>* phase, std::u16string table)
                : inner(inner), phase(phase), table(std::move(table)) {}
            OpenResult OpenForRead(const std::u16string& p) override { return inner.OpenForRead(p); }
            OpenResult OpenForWrite(const std::u16string& p) override {
                if (p == table + u".tmp") phase->store(kTable);
                return inner.OpenForWrite(p);
            }
            FileError Replace(const std::u16string& s, const std::u16string& t) override {
                return inner.Replace(s, t);
            }
            bool Remove(const std::u16string& p) override { return inner.Remove(p); }
            bool Exists(const std::u16string& p) override { return inner.Exists(p); }
            bool IsDirectory(const std::u16string& p) override { return inner.IsDirectory(p); }
            FileError CreateFolder(const std::u16string& p) override {
                return inner.CreateFolder(p);
            }
            FileError CreateFolders(const std::u16string& p) override {
                return inner.CreateFolders(p);
            }
            FileError CopyFileTo(const std::u16string& s, const std::u16string& t,
                                 bool f) override {
                return inner.CopyFileTo(s, t, f);
            }
            FileSystem& inner;
            std::atomic<int>* phase;
            std::u16string table;
        } marking(PlatformFileSystem(), phase, SlotTablePath());
        SetFileSystem(&marking);
        SaveCurrentProfile(model);
        SetFileSystem(nullptr);
    }

    // The child: saves until killed, counting finished rounds in shared_[1].
    [[noreturn]] void SaveForever() {
        for (int round = 0;; ++round) {
            SaveAll(round % 2 == 0 ? 1 : 0, &shared_[0]);
            shared_[1].fetch_add(1);
        }
    }

    fs::path root_;
    std::vector<fs::path> paths_;
    Contents contents_[2];
    Bytes images_[2][kSaveCount];
    NoPauseClock clock_;
    std::atomic<int>* shared_ = nullptr;
};

TEST_F(SaveKillTest, AKilledSaveLeavesEveryFileWithItsOldOrNewBytes) {
    const char* env = std::getenv("TARN_KILL_ROUNDS");
    const int rounds = env ? std::atoi(env) : 40;
    std::mt19937 random(std::random_device{}());
    int interrupted[kSaveCount] = {};
    int leftovers = 0;
    for (int round = 0; round < rounds; ++round) {
        shared_[0].store(-1);
        shared_[1].store(0);
        const auto started = std::chrono::steady_clock::now();
        std::fflush(nullptr);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) SaveForever();
        // Wait for one whole round, so the kill can land anywhere in the next one or two.
        while (shared_[1].load() == 0) std::this_thread::sleep_for(std::chrono::microseconds(200));
        const auto roundTime = std::chrono::steady_clock::now() - started;
        std::uniform_int_distribution<long long> delay(
            0, 2 * std::chrono::duration_cast<std::chrono::microseconds>(roundTime).count());
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        const int phase = shared_[0].load();
        kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saving child ended on its own";
        if (phase >= 0 && phase < kSaveCount) ++interrupted[phase];

        for (int s = 0; s < kSaveCount; ++s) {
            const Bytes now = ReadAll(paths_[s]);
            EXPECT_TRUE(now == images_[0][s] || now == images_[1][s])
                << kSaveNames[s] << " holds " << now.size() << " bytes that are neither image"
                << " after a kill during the " << (phase >= 0 ? kSaveNames[phase] : "start");
            // A temporary file tells the kill came in the middle of that file's write. The
            // next save would write over it; it goes now so the next round counts afresh.
            fs::path temp = paths_[s];
            temp += ".tmp";
            if (fs::exists(temp)) {
                ++leftovers;
                fs::remove(temp);
            }
        }
        if (HasFailure()) return;
    }
    std::printf("%d kills; interrupted:", rounds);
    for (int s = 0; s < kSaveCount; ++s) std::printf(" %s %d,", kSaveNames[s], interrupted[s]);
    std::printf(" kills in the middle of a file's write: %d\n", leftovers);

    // After one more kill, the next whole save takes every file to its new bytes and leaves no
    // temporary file behind.
    shared_[1].store(0);
    const pid_t last = fork();
    ASSERT_GE(last, 0);
    if (last == 0) SaveForever();
    while (shared_[1].load() == 0) std::this_thread::sleep_for(std::chrono::microseconds(200));
    kill(last, SIGKILL);
    waitpid(last, nullptr, 0);
    SaveAll(1, nullptr);
    for (int s = 0; s < kSaveCount; ++s) {
        EXPECT_EQ(ReadAll(paths_[s]), images_[1][s]) << kSaveNames[s];
        fs::path temp = paths_[s];
        temp += ".tmp";
        EXPECT_FALSE(fs::exists(temp)) << kSaveNames[s];
    }
}

// The first start copies the installed defaults into a new data folder; a start cut short there
// leaves the folder behind, and later starts read what it holds without copying again.
TEST_F(SaveKillTest, AFirstStartCutShortLeavesEachDefaultWholeOrAbsent) {
    const fs::path program = root_ / "program";
    const std::vector<std::pair<std::string, Bytes>> defaults = {
        {"Macro.cfg", images_[0][kMacros]},
        {"Language.cfg", images_[0][kLanguage]},
        {"Sts.cfg", images_[0][kCounters]},
        {"Profile/ConfigInfo.cfg", images_[0][kTable]},
        {"Profile/Profile1.cfg", images_[0][kProfile]},
        {"Profile/Profile2.cfg", images_[1][kProfile]},
        {"Profile/Profile3.cfg", images_[0][kProfile]},
        {"Profile/Profile4.cfg", images_[1][kProfile]},
        {"Profile/Profile5.cfg", images_[0][kProfile]},
    };
    fs::create_directories(program / "Profile");
    for (const auto& [name, bytes] : defaults) {
        std::ofstream(program / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    const fs::path fresh = root_ / "fresh";
    programFolder = FromUtf8(program.string());
    dataFolder = FromUtf8(fresh.string());

    const char* env = std::getenv("TARN_KILL_ROUNDS");
    const int rounds = env ? std::atoi(env) : 40;
    std::mt19937 random(std::random_device{}());
    int cut = 0;
    for (int round = 0; round < rounds; ++round) {
        shared_[1].store(0);
        const auto started = std::chrono::steady_clock::now();
        std::fflush(nullptr);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (;;) {
                std::error_code ignored;
                fs::remove_all(fresh, ignored);
                SeedDataFolder();
                shared_[1].fetch_add(1);
            }
        }
        while (shared_[1].load() == 0) std::this_thread::sleep_for(std::chrono::microseconds(200));
        std::uniform_int_distribution<long long> delay(
            0, std::chrono::duration_cast<std::chrono::microseconds>(
                   std::chrono::steady_clock::now() - started)
                   .count());
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        for (const auto& [name, bytes] : defaults) {
            fs::path temp = fresh / name;
            temp += ".tmp";
            if (fs::exists(temp)) ++cut;
            if (!fs::exists(fresh / name)) continue;
            EXPECT_EQ(ReadAll(fresh / name), bytes) << name << " was copied in part";
        }
        if (HasFailure()) return;
    }
    programFolder.clear();
    std::printf("%d kills during a first start, %d of them in the middle of a copy\n", rounds, cut);
}

}  // namespace
}  // namespace tarn
