// Loading Macro.cfg and listing one group, and storing a macro, with all 500 slots in use. The
// 100 ms pauses of a save are left out through a clock that does not wait; the file system is the
// real one under a temporary folder, plus an in-memory one to show the cost without the disk.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "base/app_paths.h"
#include "base/clock.h"
#include "base/file_system.h"
#include "base/text.h"
#include "macro/macro_store.h"

namespace {

using namespace tarn;

class NoWaitClock final : public Clock {
public:
    uint32_t TickCount() override { return 0; }
    void Sleep(uint32_t) override {}
};

class VectorFile final : public File {
public:
    VectorFile(std::vector<uint8_t>* bytes, bool writing) : bytes_(bytes) {
        if (writing) bytes_->clear();
    }
    size_t Read(void* buffer, size_t size) override {
        const size_t n = std::min(size, bytes_->size() - pos_);
        std::memcpy(buffer, bytes_->data() + pos_, n);
        pos_ += n;
        return n;
    }
    bool Write(const void* data, size_t size) override {
        const auto* p = static_cast<const uint8_t*>(data);
        bytes_->insert(bytes_->end(), p, p + size);
        return true;
    }
    bool Close() override { return true; }

private:
    std::vector<uint8_t>* bytes_;
    size_t pos_ = 0;
};

// One file and its temporary twin, enough for loading and the replacing save.
class OneFileSystem final : public FileSystem {
public:
    std::vector<uint8_t> file, temp;
    std::vector<uint8_t>& Pick(const std::u16string& p) {
        return p.ends_with(u".tmp") ? temp : file;
    }
    OpenResult OpenForRead(const std::u16string& p) override {
        return {std::make_unique<VectorFile>(&Pick(p), false), FileError::None};
    }
    OpenResult OpenForWrite(const std::u16string& p) override {
        return {std::make_unique<VectorFile>(&Pick(p), true), FileError::None};
    }
    FileError Replace(const std::u16string&, const std::u16string&) override {
        file.swap(temp);
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

// Every slot holds a macro of 500 events, spread over the 21 groups.
std::unique_ptr<MacroStore> FullStore() {
    auto store = std::make_unique<MacroStore>();
    for (int i = 0; i < kMacroSlots; ++i) {
        MacroRecord& r = store->slots[i];
        r.size = 4100 + 4 * 500;
        r.tag = MacroTag;
        r.id = static_cast<uint32_t>(1 + i % kGameGroupCount) << 24 | static_cast<uint32_t>(i);
        r.loopCount = 1;
        r.eventCount = 500;
        for (int k = 0; k < 500; ++k) r.events[k] = MakeMacroEvent(KeyPress, 'A' + k % 26);
        CopyToFixed(r.name, u"Macro " + FromUtf8(std::to_string(i)));
    }
    return store;
}

struct Setup {
    NoWaitClock clock;
    OneFileSystem memory;
    std::unique_ptr<MacroStore> store = FullStore();
    explicit Setup(bool onDisk) {
        SetClock(&clock);
        if (onDisk) {
            const auto folder = std::filesystem::temp_directory_path() / "tarn_macro_bench";
            std::filesystem::create_directories(folder);
            dataFolder = FromUtf8(folder.string());
            SetFileSystem(nullptr);
        } else {
            dataFolder = u"C:\\Data";
            SetFileSystem(&memory);
        }
        SaveMacroStore(*store);
    }
    ~Setup() {
        SetFileSystem(nullptr);
        SetClock(nullptr);
    }
};

void LoadAndListGroup(benchmark::State& state, bool onDisk) {
    Setup setup(onDisk);
    auto loaded = std::make_unique<MacroStore>();
    for (auto _ : state) {
        LoadMacroStore(*loaded);
        auto items = MacrosOfGroup(*loaded, kUserGameGroup);
        benchmark::DoNotOptimize(items.data());
    }
}

void StoreIntoFullStore(benchmark::State& state, bool onDisk) {
    Setup setup(onDisk);
    // The last slot's macro, edited: the id search runs over the whole store.
    MacroRecord edited = setup.store->slots[kMacroSlots - 1];
    edited.eventCount = 999;
    for (auto _ : state) {
        edited.loopCount ^= 1;
        benchmark::DoNotOptimize(StoreMacro(*setup.store, edited));
    }
}

BENCHMARK_CAPTURE(LoadAndListGroup, disk, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LoadAndListGroup, memory, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StoreIntoFullStore, disk, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StoreIntoFullStore, memory, false)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
