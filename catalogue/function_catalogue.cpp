#include "catalogue/function_catalogue.h"

#include <algorithm>
#include <iterator>

namespace tarn {

namespace {

using K = StringKey;

// Entries without a basic-list key carry str_main as a placeholder; inBasicList says it is unused.
constexpr FunctionInfo kCatalogue[] = {
    {FnClick, "FnClick", u"Click", u"单击", 0x00F00001, true, K::str_mouseleft},
    {FnMenu, "FnMenu", u"Menu", u"菜单", 0x00F10001, true, K::str_mouseright},
    {FnMiddle, "FnMiddle", u"Middle", u"中键", 0x00F20001, true, K::str_mousemiddle},
    {FnKeyCombination, "FnKeyCombination", u"", u"", 0, false, K::str_main},
    {FnMacro, "FnMacro", u"", u"", 0, false, K::str_main},
    {FnForward, "FnForward", u"Forward", u"前进", 0x00F40001, true, K::str_pre},
    {FnScrollUp, "FnScrollUp", u"Scroll up", u"滚轮前滚", 0x00010004, false, K::str_main},
    {FnBack, "FnBack", u"Back", u"后退", 0x00F30001, true, K::str_back},
    {FnSoftwareAction, "FnSoftwareAction", u"", u"", 0, false, K::str_main},
    {FnScrollDown, "FnScrollDown", u"Scroll", u"滚轮后滚", 0x00020004, false, K::str_main},
    {FnPlayPause, "FnPlayPause", u"Play/Pause", u"播放/暂停", 0x00CD0003, true, K::str_PL},
    {FnStop, "FnStop", u"Stop", u"停止", 0x00B70003, true, K::str_stop},
    {FnPreviousTrack, "FnPreviousTrack", u"Previous", u"上一曲", 0x00B60003, true,
     K::str_pre_media},
    {FnNextTrack, "FnNextTrack", u"Next", u"下一曲", 0x00B50003, true, K::str_next_media},
    {FnVolumeUp, "FnVolumeUp", u"Volume up", u"音量+", 0x00E90003, true, K::str_vol_up},
    {FnVolumeDown, "FnVolumeDown", u"Volume down", u"音量-", 0x00EA0003, true, K::str_vol_dw},
    {FnMute, "FnMute", u"Mute", u"静音", 0x00E20003, true, K::str_mute},
    {FnMusic, "FnMusic", u"Music", u"音乐", 0x01830003, true, K::str_player},
    {FnCloseWindow, "FnCloseWindow", u"Close window", u"关闭窗口", 0x003D0400, true, K::str_close},
    {FnLockPc, "FnLockPc", u"Lock PC", u"锁定电脑", 0x000F0800, true, K::str_lock},
    {FnRun, "FnRun", u"Run", u"运行", 0x00150800, true, K::str_run},
    {FnShowDesktop, "FnShowDesktop", u"Show desktop", u"显示桌面", 0x00070800, true, K::str_show},
    {FnDisableKey, "FnDisableKey", u"Disable key", u"禁用按键", 0x00000007, false, K::str_main},
    {FnClassicDesktop, "FnClassicDesktop", u"Enter classic desktop", u"进入传统界面", 0x00100800,
     true, K::str_win8_classic},
    {FnSwitchApplications, "FnSwitchApplications", u"Switch applications", u"切换应用程序",
     0x002B0400, true, K::str_win8_switch},
    {FnSearch, "FnSearch", u"Search", u"搜索", 0x00140800, true, K::str_find},
    {FnZoomIn, "FnZoomIn", u"sreen zoom in", u"放大", 0x00570800, true, K::str_win8_winp},
    {FnZoomOut, "FnZoomOut", u"sreen zoom out", u"缩小", 0x00560800, true, K::str_win8_winm},
    {FnSnipe, "FnSnipe", u"SNIPE", u"狙击键", 0x08040007, true, K::str_snipe},
    {FnFire, "FnFire", u"FIRE", u"火力", 0x0218F00A, true, K::str_fire},
};

bool HasButtonDependentWord(FunctionCode code) {
    return code == FnKeyCombination || code == FnMacro || code == FnSoftwareAction;
}

}  // namespace

std::span<const FunctionInfo> FunctionCatalogue() {
    return kCatalogue;
}

const FunctionInfo* FindFunction(FunctionCode code) {
    auto it = std::find_if(std::begin(kCatalogue), std::end(kCatalogue),
                           [code](const FunctionInfo& f) { return f.code == code; });
    return it == std::end(kCatalogue) ? nullptr : &*it;
}

std::u16string_view FunctionDisplayName(FunctionCode code, bool chinese) {
    const FunctionInfo* f = FindFunction(code);
    if (!f) return {};
    return chinese ? f->chinese : f->english;
}

std::u16string_view FunctionDisplayName(FunctionCode code) {
    return FunctionDisplayName(code, ChineseUi == 1);
}

DeviceKeyEntry FixedFunctionWord(FunctionCode code) {
    const FunctionInfo* f = FindFunction(code);
    return f ? f->word : 0;
}

ButtonWord WordOfButton(const ButtonAssignment& assignment, int button) {
    const auto code = static_cast<FunctionCode>(assignment.functionType);
    if (button < 0 || button >= kButtonCount) return {ButtonWordSource::None, 0};
    if (code == FnKeyCombination) return {ButtonWordSource::Combination, assignment.comboCode};
    if (code == FnMacro) return {ButtonWordSource::Macro, 0};
    if (code == FnSoftwareAction) {
        return {ButtonWordSource::SoftwareAction, FixedFunctionWord(DefaultFunctionCodes[button])};
    }
    if (!FindFunction(code) || HasButtonDependentWord(code)) return {ButtonWordSource::None, 0};
    return {ButtonWordSource::Fixed, FixedFunctionWord(code)};
}

KeyMatrix KeyMatrixWithoutMacros(const ProfileRecord& profile) {
    KeyMatrix matrix{};
    for (int i = 0; i < kButtonCount; ++i) {
        matrix.slots[KeyMatrixSlotOfButton[i]] = WordOfButton(profile.buttons[i], i).word;
    }
    matrix.slots[kFixedSlot] = kSlot3Word;
    return matrix;
}

std::u16string_view TranslateDefaultName(std::u16string_view name, bool toChinese) {
    for (const NamePair& pair : DefaultNameTranslation) {
        if (toChinese && name == pair.english) return pair.chinese;
        if (!toChinese && name == pair.chinese) return pair.english;
    }
    return name;
}

}  // namespace tarn
