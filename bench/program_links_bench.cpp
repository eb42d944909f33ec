// What the interface thread does for one settled change of the program in front: read
// ProgramLinks.txt, match the program, compare the shown profile with its file and read the
// target profile. It must stay far below a frame (16 ms) so that a switch never stalls the
// window, also with far more links than anyone keeps. On the real file system in a temporary
// folder.
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "base/app_paths.h"
#include "base/file_system.h"
#include "base/text.h"
#include "settings/profile_files.h"
#include "settings/program_links.h"

namespace {

using namespace tarn;

struct Folder {
    std::u16string linksPath;
    std::u16string profiles[2];
    explicit Folder(int links) {
        const auto folder = std::filesystem::temp_directory_path() / "tarn_links_bench";
        std::filesystem::create_directories(folder);
        dataFolder = FromUtf8(folder.string());
        SetFileSystem(nullptr);
        ProgramLinks all;
        for (int i = 0; i < links; ++i) {
            all.Add(i % kSlotCount, u"Some Game Title " + FromUtf8(std::to_string(i)) + u".exe");
        }
        all.Add(2, u"game.exe");
        linksPath = ProgramLinksPath();
        SaveProgramLinks(linksPath, all);
        auto record = std::make_unique<ProfileRecord>();
        MakeDefaultProfile(*record);
        for (int i = 0; i < 2; ++i) {
            profiles[i] = dataFolder + u"\\Profile" + char16_t(u'1' + i) + u".cfg";
            WriteSettingsFile(profiles[i], record.get(), sizeof *record);
        }
    }
};

void ParseLinks(benchmark::State& state) {
    ProgramLinks links;
    for (int i = 0; i < state.range(0); ++i) {
        links.Add(i % kSlotCount, u"Some Game Title " + FromUtf8(std::to_string(i)) + u".exe");
    }
    const std::string text = FormatProgramLinks(links);
    for (auto _ : state) {
        const LinksLoad load = ParseProgramLinks(text);
        benchmark::DoNotOptimize(load.links.SlotFor(u"C:\\Games\\GAME.EXE"));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void SettledForeground(benchmark::State& state) {
    const Folder folder(static_cast<int>(state.range(0)));
    auto shown = std::make_unique<ProfileRecord>();
    auto saved = std::make_unique<ProfileRecord>();
    auto next = std::make_unique<ProfileRecord>();
    ReadSettingsFile(folder.profiles[0], shown.get(), sizeof *shown);
    for (auto _ : state) {
        const LinksLoad load = ReadProgramLinks(folder.linksPath);
        const int slot = load.links.SlotFor(u"C:\\Games\\Game.exe");
        ReadSettingsFile(folder.profiles[0], saved.get(), sizeof *saved);
        const bool edits = std::memcmp(saved.get(), shown.get(), sizeof *saved) != 0;
        ReadSettingsFile(folder.profiles[1], next.get(), sizeof *next);
        benchmark::DoNotOptimize(slot + edits + next->magic);
    }
}

BENCHMARK(ParseLinks)->Arg(10)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(SettledForeground)->Arg(10)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
