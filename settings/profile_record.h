// The settings record and the profile slot table. Their byte layout is the file layout of
// Profile1.cfg .. Profile5.cfg and ConfigInfo.cfg: plain little-endian fields, no padding.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarn {

inline constexpr uint32_t ProfileMagic = 0x80800022;
inline constexpr uint32_t SlotMagic = 0xBEBE;
inline constexpr int kButtonCount = 7;
inline constexpr int kSlotCount = 5;
inline constexpr int kPathUnits = 260;

// Button indexes as the record orders them.
enum ButtonIndex : int {
    ButtonLeft = 0,
    ButtonMiddle = 1,
    ButtonRight = 2,
    ButtonForward = 3,
    ButtonBack = 4,
    ButtonWheelUp = 5,
    ButtonWheelDown = 6,
};

// Function codes with a meaning of their own for the record.
inline constexpr uint32_t kFunctionKeyCombo = 5;
inline constexpr uint32_t kFunctionMacro = 6;
inline constexpr uint32_t kFunctionSoftware = 19;

// Kinds of a software action.
inline constexpr uint32_t kActionSound = 0xC0;
inline constexpr uint32_t kActionProgram = 0xD0;
inline constexpr uint32_t kActionFile = 0xE0;
inline constexpr uint32_t kActionFolder = 0xF0;

#pragma pack(push, 1)
struct ButtonAssignment {
    uint32_t functionType;
    uint32_t macroId;
    uint32_t actionKind;
    uint32_t reserved0;
    uint32_t comboCode;
    uint32_t actionCode;
    char16_t actionPath[kPathUnits];
    uint32_t reserved1;
    char16_t displayName[kPathUnits];
    uint8_t reserved2[2080];
};

struct ProfileRecord {
    uint32_t magic;
    ButtonAssignment buttons[kButtonCount];
    uint32_t dpiLevels[8];
    uint8_t reserved0[40];
    uint32_t sheight;
    uint32_t pollInterval;
    uint32_t ledMode;
    uint32_t ledColor;  // 0x00BBGGRR
    uint32_t ledColorCustom;
    uint32_t ledPresetIndex;
    uint32_t ledBodyLight;
    uint32_t enhancePointerPrecision;
    uint32_t pointerSpeed;
    uint32_t ledSpeedMode1;
    uint32_t ledSpeedMode2;
    int32_t wheelScrollLines;  // -1 scrolls one screen per notch
};

struct ProfileSlot {
    uint32_t slotMagic;
    uint32_t active;
    uint32_t reserved0;
    char16_t reserved1[kPathUnits];
    char16_t profilePath[kPathUnits];
    uint8_t reserved2[520];
    uint32_t buttonMacroIds[kButtonCount];
};

struct ProfileSlotTable {
    ProfileSlot slots[kSlotCount];
};
#pragma pack(pop)

static_assert(sizeof(ButtonAssignment) == 3148);
static_assert(offsetof(ButtonAssignment, comboCode) == 0x010);
static_assert(offsetof(ButtonAssignment, actionPath) == 0x018);
static_assert(offsetof(ButtonAssignment, displayName) == 0x224);
static_assert(offsetof(ButtonAssignment, reserved2) == 0x42C);
static_assert(sizeof(ProfileRecord) == 22160);
static_assert(offsetof(ProfileRecord, buttons) == 0x0004);
static_assert(offsetof(ProfileRecord, dpiLevels) == 0x5618);
static_assert(offsetof(ProfileRecord, sheight) == 0x5660);
static_assert(offsetof(ProfileRecord, ledColor) == 0x566C);
static_assert(offsetof(ProfileRecord, pointerSpeed) == 0x5680);
static_assert(offsetof(ProfileRecord, wheelScrollLines) == 0x568C);
static_assert(sizeof(ProfileSlot) == 1600);
static_assert(offsetof(ProfileSlot, profilePath) == 0x214);
static_assert(offsetof(ProfileSlot, reserved2) == 0x41C);
static_assert(offsetof(ProfileSlot, buttonMacroIds) == 0x624);
static_assert(sizeof(ProfileSlotTable) == 8000);

// Default function code of each button.
inline constexpr uint32_t kDefaultButtonFunctions[kButtonCount] = {1, 4, 2, 8, 16, 11, 22};

// The default display name of a button in the interface language in force (ChineseUi).
const char16_t* DefaultButtonName(int button);
const char16_t* DefaultButtonName(int button, bool chinese);

// Fills the record with the defaults; the names follow ChineseUi at this moment.
void MakeDefaultProfile(ProfileRecord& record);

// The one settings model of the process: the pages edit it, the apply worker reads it.
struct SettingsModel {
    ProfileRecord currentProfile;
    ProfileSlotTable slotTable;
    int currentSlot;
    uint32_t buttonMacroIds[kButtonCount];
};

SettingsModel& Settings();

// Copies the current slot's bindings into the working copy.
void LoadButtonMacroIds(SettingsModel& model);
// Copies the working copy into the current slot.
void StoreButtonMacroIds(SettingsModel& model);
// Clears every slot's active flag, then sets the one of slot i.
void ActivateSlot(ProfileSlotTable& table, int slot);
// Whether a profile button shows selected: at start-up the slot must carry its marker and be
// active; after the user picked one only the active flag counts.
bool SlotShownSelected(const ProfileSlotTable& table, int slot, bool atStartUp);
// Defaults into the current profile and no macro bound to any button.
void ResetToDefaults(SettingsModel& model);

}  // namespace tarn
