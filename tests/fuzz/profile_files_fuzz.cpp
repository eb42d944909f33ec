// Reads arbitrary bytes as ConfigInfo.cfg, as every profile file and as an import file, then
// selects every slot, saves and exports. Whatever the bytes, the start-up must end on a slot
// 0..4 holding a real profile, since every write here succeeds.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "app/app_paths.h"
#include "app/file_system.h"
#include "settings/file_dialogs.h"
#include "settings/profile_exchange.h"
#include "settings/profile_files.h"
#include "settings/profile_selection.h"

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
    bool Write(const void*, size_t) override { return true; }
    bool Close() override { return true; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

// Every file reads as the fuzzer's bytes; every write lands nowhere and succeeds.
class BytesFileSystem final : public FileSystem {
public:
    const uint8_t* data = nullptr;
    size_t size = 0;
    OpenResult OpenForRead(const std::u16string&) override { return Open(); }
    OpenResult OpenForWrite(const std::u16string&) override { return Open(); }
    FileError Replace(const std::u16string&, const std::u16string&) override {
        return FileError::None;
    }
    bool Remove(const std::u16string&) override { return true; }
    bool Exists(const std::u16string&) override { return true; }
    bool IsDirectory(const std::u16string&) override { return true; }
    FileError CreateFolder(const std::u16string&) override { return FileError::None; }
    FileError CreateFolders(const std::u16string&) override { return FileError::None; }
    FileError CopyFileTo(const std::u16string&, const std::u16string&, bool) override {
        return FileError::None;
    }

private:
    OpenResult Open() { return {std::make_unique<BytesFile>(data, size), FileError::None}; }
};

class FixedDialogs final : public FileDialogs {
public:
    bool AskExportPath(std::u16string& path) override { return Answer(path); }
    bool AskImportPath(std::u16string& path) override { return Answer(path); }

private:
    static bool Answer(std::u16string& path) {
        path = u"C:\\Export\\mine.cfg";
        return true;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static BytesFileSystem fs;
    static FixedDialogs dialogs;
    static auto model = std::make_unique<SettingsModel>();
    SetFileSystem(&fs);
    dataFolder = u"C:\\Data";
    fs.data = data;
    fs.size = size;
    std::memset(model.get(), 0, sizeof *model);

    LoadProfilesAtStart(*model, nullptr);
    if (model->currentSlot < 0 || model->currentSlot >= kSlotCount) __builtin_trap();
    if (model->currentProfile.magic != ProfileMagic) __builtin_trap();
    LoadButtonMacroIds(*model);
    for (int slot = 0; slot < kSlotCount; ++slot) SelectProfileSlot(*model, slot, nullptr);
    ImportProfile(*model, dialogs);
    SaveCurrentProfile(*model);
    ExportProfile(*model, dialogs);
    return 0;
}
