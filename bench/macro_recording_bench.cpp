// The cost of one key event while a macro is recorded: the keyboard hook's decision (what to
// post, on the hook thread, while the key waits to go on to the system) and the macro page's
// handling of the posted event (the repeat filter, the limit, the measured delay, the entry and
// its name). Target: well under 50 us each, so recording adds no delay to typing. The page's
// list control is left out (it is the platform's); the commit that ends each recording of 124
// keys runs outside the timing, on a file system in memory and a clock that does not wait.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "base/app_paths.h"
#include "base/clock.h"
#include "base/file_system.h"
#include "base/hook_state.h"
#include "base/text.h"
#include "macro/macro_editor.h"
#include "macro/macro_store.h"

namespace {

using namespace tarn;

// A tick that moves 30 ms per reading, like keys typed quickly.
class StepClock final : public Clock {
public:
    uint32_t TickCount() override { return now_ += 30; }
    void Sleep(uint32_t) override {}

private:
    uint32_t now_ = 1000;
};

class DiscardFile final : public File {
public:
    size_t Read(void*, size_t) override { return 0; }
    bool Write(const void*, size_t) override { return true; }
    bool Close() override { return true; }
};

class DiscardFileSystem final : public FileSystem {
public:
    OpenResult OpenForRead(const std::u16string&) override {
        return {std::make_unique<DiscardFile>(), FileError::None};
    }
    OpenResult OpenForWrite(const std::u16string&) override {
        return {std::make_unique<DiscardFile>(), FileError::None};
    }
    FileError Replace(const std::u16string&, const std::u16string&) override {
        return FileError::None;
    }
    bool Remove(const std::u16string&) override { return true; }
    bool Exists(const std::u16string&) override { return true; }
    bool IsDirectory(const std::u16string&) override { return false; }
    FileError CreateFolder(const std::u16string&) override { return FileError::None; }
    FileError CreateFolders(const std::u16string&) override { return FileError::None; }
    FileError CopyFileTo(const std::u16string&, const std::u16string&, bool) override {
        return FileError::None;
    }
};

// A page with one stored macro of the user's group, selected, as the main window lists it.
struct Page {
    StepClock clock;
    DiscardFileSystem files;
    MacroEditor editor;
    Page() {
        SetClock(&clock);
        SetFileSystem(&files);
        dataFolder = u"C:\\Data";
        std::memset(&Macros(), 0, sizeof(MacroStore));
        MacroRecord& r = Macros().slots[0];
        r.size = 4104;
        r.tag = MacroTag;
        r.id = uint32_t{kUserGameGroup} << 24 | 1;
        r.loopCount = 1;
        r.eventCount = 1;
        r.events[0] = MakeMacroEvent(KeyPress, 'A');
        CopyToFixed(r.name, u"bench");
        editor.Attach(nullptr, 0);
        editor.ListMacrosOfGroup(kUserGameGroup);
    }
    ~Page() {
        if (editor.IsRecording()) editor.ToggleRecording();
        SetFileSystem(nullptr);
        SetClock(nullptr);
        std::memset(&Macros(), 0, sizeof(MacroStore));
    }
};

// Keys pressed and released in turn, each a different key from the one before.
uint32_t KeyOf(uint64_t n) {
    return 'A' + static_cast<uint32_t>((n / 2) % 26);
}
uint32_t FlagsOf(uint64_t n) {
    return n % 2 ? kKeyReleasedFlag : 0;
}

void PageRecordsKeyEvent(benchmark::State& state) {
    Page page;
    page.editor.ToggleRecording();
    uint64_t n = 0;
    for (auto _ : state) {
        page.editor.OnKeyEvent(KeyOf(n), FlagsOf(n));
        ++n;
        // At the limit of a recording, a new one starts; the commit is not what is measured.
        if (page.editor.RecordedCount() >= kRecordLimit) {
            state.PauseTiming();
            page.editor.ToggleRecording();
            page.editor.ToggleRecording();
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(static_cast<int64_t>(n));
    // Entries in the list at the end: a check that the events were recorded, not dropped.
    state.counters["listed"] = static_cast<double>(page.editor.Events().size());
}

void PageDropsAutoRepeat(benchmark::State& state) {
    Page page;
    page.editor.ToggleRecording();
    page.editor.OnKeyEvent('W', 0);
    for (auto _ : state) page.editor.OnKeyEvent('W', 0);
    state.SetItemsProcessed(state.iterations());
}

void HookDecidesKeyEvent(benchmark::State& state) {
    HookState hooks;
    SetHookWindows(hooks, 0x100);
    SetReporting(hooks, false, true);
    SetForwardTarget(hooks, 0x200);
    SetForwarding(hooks, true, false);
    uint64_t n = 0;
    for (auto _ : state) {
        const HookDecision d = DecideKeyEvent(hooks, KeyOf(n), FlagsOf(n));
        benchmark::DoNotOptimize(d.postCount);
        ++n;
    }
    state.SetItemsProcessed(static_cast<int64_t>(n));
}

BENCHMARK(PageRecordsKeyEvent)->Unit(benchmark::kMicrosecond);
BENCHMARK(PageDropsAutoRepeat)->Unit(benchmark::kMicrosecond);
BENCHMARK(HookDecidesKeyEvent)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
