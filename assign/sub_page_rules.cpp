#include "assign/sub_page_rules.h"

#include <algorithm>

#include "catalogue/key_names.h"

namespace tarn {

// ---- Key combination --------------------------------------------------------------------------

namespace {
constexpr std::array<uint8_t, kComboBoxCount> kBoxModifier{ModCtrl, ModAlt, ModShift, ModWin};
constexpr std::array<uint8_t, kComboBoxCount> kBoxUsage{0xE0, 0xE2, 0xE1, 0xE3};
}  // namespace

int ComboBoxOfKey(uint32_t vk) {
    switch (vk) {
        case 16:
        case 160:
        case 161:
            return BoxShift;
        case 17:
        case 162:
        case 163:
            return BoxCtrl;
        case 18:
        case 164:
        case 165:
            return BoxAlt;
        case 91:
        case 92:
            return BoxWin;
        default:
            return -1;
    }
}

bool TogglesModifier(uint32_t flags) {
    switch (flags) {
        case 0x00:
        case 0x01:
        case 0x10:
        case 0x11:
        case 0x20:
        case 0x21:
            return true;
        default:
            return false;
    }
}

bool ComboCapture::OnHookKey(uint32_t vk, uint32_t flags) {
    const int box = ComboBoxOfKey(vk);
    if (box >= 0) {
        if (TogglesModifier(flags)) boxes_[box] = !boxes_[box];
        return false;
    }
    capturedKey_ = vk;
    return true;
}

void ComboCapture::ToggleBox(int box) {
    if (box >= 0 && box < kComboBoxCount) boxes_[box] = !boxes_[box];
}

uint32_t ComboCapture::Word() const {
    uint8_t mods = 0, last = 0;
    int count = 0;
    for (int b = 0; b < kComboBoxCount; ++b) {
        if (!boxes_[b]) continue;
        mods |= kBoxModifier[b];
        last = kBoxUsage[b];
        ++count;
    }
    // Codes above a byte are no keys of the table (and must not alias one when cut to 8 bits).
    const uint8_t key =
        capturedKey_ <= 0xFF ? VirtualKeyToUsage(static_cast<uint8_t>(capturedKey_)) : 0;
    if (mods != 0 && key != 0) return KeyboardWord(mods, key);
    if (mods != 0) return count == 1 ? static_cast<uint32_t>(last) << 16 : 0;
    return static_cast<uint32_t>(key) << 16;
}

void ComboCapture::Fill(AssignmentResult& result) const {
    result.code = Word();
    result.kind = kKindCombination;
}

// ---- Basic functions --------------------------------------------------------------------------

const std::array<BasicEntry, kBasicEntryCount> BasicFunctions{{
    {StringKey::str_close, FnCloseWindow},
    {StringKey::str_lock, FnLockPc},
    {StringKey::str_run, FnRun},
    {StringKey::str_show, FnShowDesktop},
    {StringKey::str_win8_classic, FnClassicDesktop},
    {StringKey::str_win8_switch, FnSwitchApplications},
    {StringKey::str_win8_winp, FnZoomIn},
    {StringKey::str_win8_winm, FnZoomOut},
    {StringKey::str_find, FnSearch},
    {StringKey::str_mouseleft, FnClick},
    {StringKey::str_mouseright, FnMenu},
    {StringKey::str_mousemiddle, FnMiddle},
    {StringKey::str_pre, FnForward},
    {StringKey::str_back, FnBack},
    {StringKey::str_player, FnMusic},
    {StringKey::str_PL, FnPlayPause},
    {StringKey::str_stop, FnStop},
    {StringKey::str_pre_media, FnPreviousTrack},
    {StringKey::str_next_media, FnNextTrack},
    {StringKey::str_vol_dw, FnVolumeDown},
    {StringKey::str_vol_up, FnVolumeUp},
    {StringKey::str_mute, FnMute},
    {StringKey::str_snipe, FnSnipe},
    {StringKey::str_fire, FnFire},
}};

void FillBasic(int selected, AssignmentResult& result) {
    result.code = selected >= 0 && selected < kBasicEntryCount
                      ? static_cast<uint32_t>(BasicFunctions[selected].code)
                      : 0;
}

// ---- Macros -----------------------------------------------------------------------------------

std::u16string_view MacroGroupEntryText(int k, bool chineseUi) {
    const GameGroup group = k + kFirstGameGroup;
    // The panel has always shown Dota 2's Chinese title with its menu's trailing blank.
    if (chineseUi && group == 13) return GameGroupMenuText(group, true);
    return GameGroupSelectorText(group, chineseUi);
}

void FillMacro(bool macroSelected, uint32_t selectedMacroId, AssignmentResult& result) {
    if (!macroSelected) {
        result.code = 0;
        return;
    }
    result.kind = kKindMacro;
    result.code = selectedMacroId;
}

// ---- Software actions -------------------------------------------------------------------------

namespace {
const std::array<ActionPicker, kActionKindCount> kPickers{{
    {false, u".wav*", u"*.wav*", u"(*.wav*)|*.wav*||", u"c:\\Windows\\Media"},
    {false, u".exe", u"*.exe", u"(*.exe)|*.exe||", u"c:\\Program Files"},
    {false, u".", u"*.*", u"(*.*)|*.*||", u"D:\\"},
    {true, u"", u"", u"", u""},
}};
}  // namespace

const ActionPicker& PickerOfAction(int k) {
    return kPickers[static_cast<size_t>(std::clamp(k, 0, kActionKindCount - 1))];
}

void ActionChoices::Choose(int k) {
    for (int j = 0; j < kActionKindCount; ++j) checked[j] = j == k;
}

BrowseOutcome ActionChoices::Browse(int k, const std::u16string* chosen) {
    if (k < 0 || k >= kActionKindCount) return BrowseOutcome::Cancelled;
    Choose(k);
    if (!chosen || chosen->empty()) return BrowseOutcome::Cancelled;
    if (chosen->size() > kMaxActionPathLength) return BrowseOutcome::TooLong;
    paths[k] = *chosen;
    return BrowseOutcome::Taken;
}

void ActionChoices::Fill(int button, AssignmentResult& result) const {
    result.code = 0;
    for (int k = 0; k < kActionKindCount; ++k) {
        if (!checked[k] || paths[k].empty()) continue;
        result.code = ActionChoiceValue(k, button);
        result.kind = kKindSoftwareAction;
        result.actionKind = k;
        // Browse keeps no path that would not fit whole.
        const size_t n = std::min(paths[k].size(), kMaxActionPathLength);
        std::copy_n(paths[k].data(), n, result.path);
        std::fill(result.path + n, result.path + kPathUnits, u'\0');
        return;
    }
}

}  // namespace tarn
