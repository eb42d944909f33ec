#include "settings/profile_selection.h"

#include "base/text.h"
#include "settings/profile_files.h"

namespace tarn {

namespace {

// A path that does not fit is left empty rather than cut: a cut name would be another file.
void RebuildSlotPaths(SettingsModel& model) {
    for (int i = 0; i < kSlotCount; ++i) {
        const std::u16string path = ProfileFilePath(i);
        CopyToFixed(model.slotTable.slots[i].profilePath,
                    path.size() <= kMaxPathLength ? path : std::u16string());
    }
}

// The first active slot whose file holds a profile, or -1. Slots that fail are switched off and
// get a default file.
int LoadFirstActiveSlot(SettingsModel& model) {
    for (int i = 0; i < kSlotCount; ++i) {
        ProfileSlot& slot = model.slotTable.slots[i];
        if (slot.slotMagic != SlotMagic || slot.active == 0) continue;
        const std::u16string path = SlotFilePath(model, i);
        if (LoadProfileFile(model, path, true) == kProfileLoaded) return i;
        slot.active = 0;
        CreateDefaultProfileFile(model, path);
    }
    return -1;
}

}  // namespace

void LoadProfilesAtStart(SettingsModel& model, ProfileView* view) {
    ReadSlotTable(model);
    RebuildSlotPaths(model);
    int loaded = LoadFirstActiveSlot(model);
    if (loaded < 0) {
        const std::u16string path = SlotFilePath(model, 0);
        if (LoadProfileFile(model, path, false) != kProfileLoaded) {
            CreateDefaultProfileFile(model, path);
        }
        model.slotTable.slots[0].active = 1;
        loaded = 0;
    }
    model.currentSlot = loaded;
    if (!view) return;
    for (int i = 0; i < kSlotCount; ++i) {
        view->ShowProfileSelected(i, SlotShownSelected(model.slotTable, i, true));
    }
}

void SelectProfileSlot(SettingsModel& model, int slot, ProfileView* view) {
    if (slot < 0 || slot >= kSlotCount) return;
    const int previous = model.currentSlot;
    model.currentSlot = slot;
    FileError openError = FileError::None;
    const int loaded = LoadProfileFile(model, SlotFilePath(model, slot), true, &openError);
    if (loaded == kProfileNotOpened && openError != FileError::NotFound &&
        openError != FileError::BadPath) {
        // The file exists but could not be read, so memory still holds the previous profile;
        // staying on the previous slot keeps the next save from writing it over this one.
        model.currentSlot = previous;
        return;
    }
    if (loaded != kProfileLoaded) return;
    LoadButtonMacroIds(model);
    ActivateSlot(model.slotTable, slot);
    if (!view) return;
    for (int i = 0; i < kSlotCount; ++i) view->ShowProfileSelected(i, false);
    for (int i = 0; i < kSlotCount; ++i) {
        if (SlotShownSelected(model.slotTable, i, false)) view->ShowProfileSelected(i, true);
    }
    view->ReloadPagesFromProfile();
}

}  // namespace tarn
