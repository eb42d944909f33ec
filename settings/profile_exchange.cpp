#include "settings/profile_exchange.h"

#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "base/file_system.h"
#include "base/text.h"
#include "base/user_messages.h"
#include "settings/file_dialogs.h"
#include "settings/profile_files.h"

namespace tarn {

namespace {

constexpr std::u16string_view kInvalidProfileMessage = u"%s is an invaild Profile!";

// The slot the bindings go to; a damaged index falls back to slot 0, as the record's own
// helpers do.
ProfileSlot& CurrentSlot(SettingsModel& model) {
    const int slot = model.currentSlot;
    return model.slotTable.slots[slot >= 0 && slot < kSlotCount ? slot : 0];
}

}  // namespace

// The exchange file's path comes from the dialog and is never kept in a record, so unlike the
// settings files it may be longer than MAX_PATH: the file layer reaches such paths in their long
// form. Refusing them would call a good profile in a deep folder invalid.
void ExportProfile(SettingsModel& model, FileDialogs& dialogs) {
    std::u16string path;
    if (!dialogs.AskExportPath(path)) return;
    StoreButtonMacroIds(model);
    auto image = std::make_unique<ProfileExportImage>();
    std::memcpy(&image->profile, &model.currentProfile, sizeof image->profile);
    std::memcpy(&image->slotTable, &model.slotTable, sizeof image->slotTable);
    const bool written =
        WriteFileReplacing(Files(), path, image.get(), sizeof *image) == FileError::None;
    ShowPlainInfo(FormatOne(written ? u"%s export success!" : u"%s export failed!", path));
}

void ImportProfile(SettingsModel& model, FileDialogs& dialogs) {
    std::u16string path;
    if (!dialogs.AskImportPath(path)) return;
    // A plain profile file ends after the record; its slot table then reads as all zero.
    auto image = std::make_unique<ProfileExportImage>();
    if (ReadFileInto(Files(), path, image.get(), sizeof *image) != FileError::None ||
        image->profile.magic != ProfileMagic) {
        ShowPlainInfo(FormatOne(kInvalidProfileMessage, path));
        return;
    }
    std::memcpy(&model.currentProfile, &image->profile, sizeof model.currentProfile);
    ProfileSlot& current = CurrentSlot(model);
    for (const ProfileSlot& scratch : image->slotTable.slots) {
        if (scratch.active == 0) continue;
        std::memcpy(current.buttonMacroIds, scratch.buttonMacroIds, sizeof current.buttonMacroIds);
    }
    LoadButtonMacroIds(model);
    ShowPlainInfo(FormatOne(u"%s import success!", path));
}

}  // namespace tarn
