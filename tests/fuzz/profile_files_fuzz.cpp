// Reads arbitrary bytes as ConfigInfo.cfg, as every profile file and as an import file, then
// selects every slot, saves and exports. Whatever the bytes, the start-up must end on a slot
// 0..4 holding a real profile, since every write here succeeds.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "base/app_paths.h"
#include "base/file_system.h"
#include "settings/file_dialogs.h"
#include "settings/profile_exchange.h"
#include "settings/profile_files.h"
#include "settings/profile_selection.h"

#include "tests/fuzz/bytes_file_system.h"

namespace {

using namespace tarn;

using fuzz::BytesFileSystem;

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
    fs.writesSucceed = true;
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
