// Loads arbitrary bytes as Macro.cfg, then lists every group, shows every listed macro, encodes
// every slot for the mouse and stores each listed record back (the rename path).
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "app/app_paths.h"
#include "app/clock.h"
#include "app/file_system.h"
#include "device/macro_block.h"
#include "macro/macro_events.h"
#include "macro/macro_store.h"

namespace {

using namespace tarn;

class BytesFile final : public File {
  public:
    BytesFile(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    size_t Read(void* buffer, size_t size) override {
        const size_t n = size < size_ - pos_ ? size : size_ - pos_;
        if (n) std::memcpy(buffer, data_ + pos_, n);
        pos_ += n;
        return n;
    }
    bool Write(const void*, size_t) override { return false; }
    bool Close() override { return true; }

  private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

// Reading gives the fuzzer's bytes; every write fails, so saves take their failure path.
class BytesFileSystem final : public FileSystem {
  public:
    const uint8_t* data = nullptr;
    size_t size = 0;
    OpenResult OpenForRead(const std::u16string&) override {
        return {std::make_unique<BytesFile>(data, size), FileError::None};
    }
    OpenResult OpenForWrite(const std::u16string&) override { return {nullptr, FileError::Other}; }
    FileError Replace(const std::u16string&, const std::u16string&) override {
        return FileError::Other;
    }
    bool Remove(const std::u16string&) override { return false; }
    bool Exists(const std::u16string&) override { return true; }
    bool IsDirectory(const std::u16string&) override { return false; }
    FileError CreateFolder(const std::u16string&) override { return FileError::Other; }
    FileError CreateFolders(const std::u16string&) override { return FileError::Other; }
    FileError CopyFileTo(const std::u16string&, const std::u16string&, bool) override {
        return FileError::Other;
    }
};

class NoWaitClock final : public Clock {
  public:
    uint32_t TickCount() override { return 0; }
    void Sleep(uint32_t) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static BytesFileSystem fs;
    static NoWaitClock clock;
    static auto store = std::make_unique<MacroStore>();
    SetFileSystem(&fs);
    SetClock(&clock);
    dataFolder = u"C:\\Data";
    fs.data = data;
    fs.size = size;

    LoadMacroStore(*store);
    for (GameGroup group = 0; group <= 255; ++group) {
        for (const MacroListItem& item : MacrosOfGroup(*store, group)) {
            EntriesOfMacro(*store, item.id);
            const int slot = FindMacroSlot(*store, item.id);
            if (slot >= 0) StoreMacro(*store, store->slots[slot]);
        }
    }
    for (const MacroRecord& record : store->slots) EncodeMacroBlock(record);
    return 0;
}
