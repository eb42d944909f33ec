// The vocabulary of button assignment: the function codes a ButtonAssignment stores, their names,
// and the 32-bit word the mouse executes for each of them (one word per KeyMatrix slot).
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "base/language_state.h"
#include "settings/profile_record.h"

namespace tarn {

// The value of ButtonAssignment::functionType.
using FunctionCode = int32_t;

inline constexpr FunctionCode FnClick = 1;
inline constexpr FunctionCode FnMenu = 2;
inline constexpr FunctionCode FnMiddle = 4;
inline constexpr FunctionCode FnKeyCombination = 5;
inline constexpr FunctionCode FnMacro = 6;
inline constexpr FunctionCode FnForward = 8;
inline constexpr FunctionCode FnScrollUp = 11;
inline constexpr FunctionCode FnBack = 16;
inline constexpr FunctionCode FnSoftwareAction = 19;
inline constexpr FunctionCode FnScrollDown = 22;
inline constexpr FunctionCode FnPlayPause = 32;
inline constexpr FunctionCode FnStop = 33;
inline constexpr FunctionCode FnPreviousTrack = 34;
inline constexpr FunctionCode FnNextTrack = 35;
inline constexpr FunctionCode FnVolumeUp = 37;
inline constexpr FunctionCode FnVolumeDown = 38;
inline constexpr FunctionCode FnMute = 39;
inline constexpr FunctionCode FnMusic = 40;
inline constexpr FunctionCode FnCloseWindow = 81;
inline constexpr FunctionCode FnLockPc = 82;
inline constexpr FunctionCode FnRun = 84;
inline constexpr FunctionCode FnShowDesktop = 85;
inline constexpr FunctionCode FnDisableKey = 121;
inline constexpr FunctionCode FnClassicDesktop = 123;
inline constexpr FunctionCode FnSwitchApplications = 124;
inline constexpr FunctionCode FnSearch = 125;
inline constexpr FunctionCode FnZoomIn = 126;
inline constexpr FunctionCode FnZoomOut = 127;
inline constexpr FunctionCode FnSnipe = 142;
inline constexpr FunctionCode FnFire = 143;

// One little-endian word of the KeyMatrix; byte 0 is the EntryKind.
using DeviceKeyEntry = uint32_t;

enum EntryKind : uint8_t {
    EntryKeyboard = 0x00,   // byte 1 ModifierBits, byte 2 HID keyboard usage
    EntryMouse = 0x01,      // byte 2 0xF0..0xF4
    EntryConsumer = 0x03,   // bytes 2 and 3 the consumer-page usage
    EntryWheel = 0x04,      // byte 2 1 up, 2 down
    EntrySpecial = 0x07,    // no function, slot 3, sniper
    EntryMacro = 0x09,      // byte 2 macro number, byte 3 low byte of the upload's entry count
    EntryRapidFire = 0x0A,  // the fixed FnFire word
};

// The left-hand modifier bits of the HID boot keyboard modifier byte.
enum ModifierBits : uint8_t {
    ModCtrl = 0x01,
    ModShift = 0x02,
    ModAlt = 0x04,
    ModWin = 0x08,
};

inline constexpr int kKeyMatrixSlots = 16;
// Slot 3 is not a button; the firmware expects this word there.
inline constexpr DeviceKeyEntry kSlot3Word = 0x00030007;
inline constexpr int kFixedSlot = 3;

struct KeyMatrix {
    DeviceKeyEntry slots[kKeyMatrixSlots];
};
static_assert(sizeof(KeyMatrix) == 64);

// The button table, indexed by ButtonIndex.
inline constexpr FunctionCode DefaultFunctionCodes[kButtonCount] = {
    FnClick, FnMiddle, FnMenu, FnForward, FnBack, FnScrollUp, FnScrollDown};
inline constexpr int KeyMatrixSlotOfButton[kButtonCount] = {0, 2, 1, 5, 4, 14, 15};
// The codes by which the hooks report each button: mouse message numbers, the extra buttons as
// 0x20B | number << 16, the wheel as 0x20A << 8 plus 1 for up.
inline constexpr uint32_t ButtonReportCodes[kButtonCount] = {0x201,   0x207,   0x204,  0x2020B,
                                                             0x1020B, 0x20A01, 0x20A00};

struct FunctionInfo {
    FunctionCode code;
    const char* name;             // "FnClick"
    std::u16string_view english;  // empty for the codes whose stored name comes from elsewhere
    std::u16string_view chinese;
    DeviceKeyEntry word;     // 0 for 5, 6 and 19, whose word depends on the button
    bool inBasicList;        // offered by the basic sub-page
    StringKey basicListKey;  // its text there; meaningful only with inBasicList
};

// Every function code the program stores, in code order.
std::span<const FunctionInfo> FunctionCatalogue();
// Null for a code that is not in the catalogue.
const FunctionInfo* FindFunction(FunctionCode code);

// The display name in the language of ChineseUi; empty for codes without one (5, 6, 19, unknown).
std::u16string_view FunctionDisplayName(FunctionCode code);
std::u16string_view FunctionDisplayName(FunctionCode code, bool chinese);

// The fixed word of a catalogue function; 0 for 5, 6, 19 and for codes outside the catalogue.
DeviceKeyEntry FixedFunctionWord(FunctionCode code);

// A keyboard word (kind 0): byte 1 the modifiers, byte 2 the usage.
constexpr DeviceKeyEntry KeyboardWord(uint8_t modifiers, uint8_t usage) {
    return static_cast<DeviceKeyEntry>(modifiers) << 8 | static_cast<DeviceKeyEntry>(usage) << 16;
}
// The word of a macro button: the macro's number in this apply and the upload's entry count.
constexpr DeviceKeyEntry MacroWord(uint8_t macroNumber, uint32_t uploadedEntries) {
    return EntryMacro | static_cast<DeviceKeyEntry>(macroNumber) << 16 |
           (uploadedEntries & 0xFF) << 24;
}

// How a button's KeyMatrix word is found, so the apply knows what else to do for it.
enum class ButtonWordSource {
    Fixed,           // the catalogue word
    Combination,     // the stored comboCode
    Macro,           // built while the macro is uploaded; word is 0 here
    SoftwareAction,  // the default function's word; the hook swallows the button
    None,            // not a known code: the slot stays 0
};

struct ButtonWord {
    ButtonWordSource source;
    DeviceKeyEntry word;
};

ButtonWord WordOfButton(const ButtonAssignment& assignment, int button);

// The KeyMatrix of a profile with every macro button left at 0 and slot 3 set; the apply fills
// the macro slots as it uploads.
KeyMatrix KeyMatrixWithoutMacros(const ProfileRecord& profile);

// Display names that are rewritten when the interface language differs from the stored name's.
struct NamePair {
    std::u16string_view chinese;
    std::u16string_view english;
};
inline constexpr NamePair DefaultNameTranslation[7] = {
    {u"单击", u"Click"},           {u"中键", u"Middle"}, {u"菜单", u"Menu"},
    {u"前进", u"Forward"},         {u"后退", u"Back"},   {u"滚轮前滚", u"Scroll up"},
    {u"滚轮后滚", u"Scroll down"},
};
// The other-language twin of a default name in the wanted language; the name itself when it is
// not one of the seven or is already in that language.
std::u16string_view TranslateDefaultName(std::u16string_view name, bool toChinese);

}  // namespace tarn
