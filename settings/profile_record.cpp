#include "settings/profile_record.h"

#include <cstring>

#include "base/language_state.h"
#include "base/text.h"

namespace tarn {

namespace {

constexpr const char16_t* kChineseNames[kButtonCount] = {u"单击", u"中键",     u"菜单",    u"前进",
                                                         u"后退", u"滚轮前滚", u"滚轮后滚"};
constexpr const char16_t* kEnglishNames[kButtonCount] = {
    u"Click", u"Middle", u"Menu", u"Forward", u"Back", u"Scroll up", u"Scroll"};

}  // namespace

const char16_t* DefaultButtonName(int button, bool chinese) {
    if (button < 0 || button >= kButtonCount) return u"";
    return chinese ? kChineseNames[button] : kEnglishNames[button];
}

const char16_t* DefaultButtonName(int button) {
    return DefaultButtonName(button, ChineseUi == 1);
}

void MakeDefaultProfile(ProfileRecord& record) {
    std::memset(&record, 0, sizeof record);
    record.magic = ProfileMagic;
    const uint32_t dpi[] = {750, 1000, 1500, 2000, 3000};
    for (int i = 0; i < 5; ++i) record.dpiLevels[i] = dpi[i];
    record.pointerSpeed = 10;
    record.enhancePointerPrecision = 0;
    record.sheight = 15;
    record.pollInterval = 1;
    record.wheelScrollLines = 3;
    for (int i = 0; i < kButtonCount; ++i) {
        ButtonAssignment& b = record.buttons[i];
        b.functionType = kDefaultButtonFunctions[i];
        CopyToFixed(b.displayName, DefaultButtonName(i));
        b.macroId = 0;
    }
    record.ledMode = 4;
    record.ledSpeedMode2 = 3;
    record.ledSpeedMode1 = 5;
    record.ledColorCustom = 1;
    record.ledColor = 0x000000FF;
}

SettingsModel& Settings() {
    static SettingsModel model{};
    return model;
}

namespace {
// A slot index from outside (a damaged state, a caller's bug) never indexes past the table.
int SafeSlot(int slot) {
    return slot >= 0 && slot < kSlotCount ? slot : 0;
}
}  // namespace

void LoadButtonMacroIds(SettingsModel& model) {
    const ProfileSlot& slot = model.slotTable.slots[SafeSlot(model.currentSlot)];
    std::memcpy(model.buttonMacroIds, slot.buttonMacroIds, sizeof model.buttonMacroIds);
}

void StoreButtonMacroIds(SettingsModel& model) {
    ProfileSlot& slot = model.slotTable.slots[SafeSlot(model.currentSlot)];
    std::memcpy(slot.buttonMacroIds, model.buttonMacroIds, sizeof model.buttonMacroIds);
}

void ActivateSlot(ProfileSlotTable& table, int slot) {
    for (auto& s : table.slots) s.active = 0;
    if (slot >= 0 && slot < kSlotCount) table.slots[slot].active = 1;
}

bool SlotShownSelected(const ProfileSlotTable& table, int slot, bool atStartUp) {
    if (slot < 0 || slot >= kSlotCount) return false;
    const ProfileSlot& s = table.slots[slot];
    if (atStartUp) return s.slotMagic == SlotMagic && s.active != 0;
    return s.active == 1;
}

void ResetToDefaults(SettingsModel& model) {
    MakeDefaultProfile(model.currentProfile);
    std::memset(model.buttonMacroIds, 0, sizeof model.buttonMacroIds);
}

}  // namespace tarn
