#include "app/hint_table.h"

#include <array>

namespace tarn {

namespace {

using K = StringKey;

// Runs of consecutive ids with their keys in id order; the gaps between runs show nothing.
struct HintRun {
    int firstId;
    const K* keys;
    int count;
};

constexpr K kMainKeys[] = {K::str_main,     K::str_led_title, K::str_macro_manager,
                           K::str_sts,      K::str_about,     K::str_profile1,
                           K::str_profile2, K::str_profile3,  K::str_profile4,
                           K::str_profile5, K::str_ok};
constexpr K kButtonPageKeys[] = {K::str_dpiwant,     K::str_mouseSpeed,  K::str_improveAccuracy,
                                 K::str_sheight,     K::str_rollingrate, K::str_rollerColumn,
                                 K::str_rollerScreen};
constexpr K kLightingKeys[] = {K::str_ledspe,        K::str_led_apmbre,    K::str_led_off,
                               K::str_led_norbre,    K::str_led_frequency, K::str_led_brealways,
                               K::str_led_brightness};
constexpr K kBodyLightKeys[] = {K::str_led_body_on, K::str_led_body_off, K::str_led_custom};
constexpr K kMacroKeys[] = {K::str_new_macro,  K::str_del_macro,    K::str_macro_new,
                            K::str_macro_del,  K::str_macro_modify, K::str_macro_start,
                            K::str_macro_end,  K::str_macro_delay,  K::str_macro_loop,
                            K::str_click,      K::str_middle,       K::str_menu,
                            K::str_macro_msg6, K::str_macro_msg7};
constexpr K kSupportKeys[] = {K::str_cups,       K::str_resetSts,   K::str_update,
                              K::str_nirelWeb,   K::str_importFile, K::str_exportFile,
                              K::str_defaultname};
constexpr K kPanelKeys[] = {
    K::str_dpi_setting,     K::str_sensor, K::str_usbrate,      K::str_windows_scroll,
    K::str_mouse_key,       K::str_panel,  K::str_cur_function, K::str_key_com,
    K::str_macro_set,       K::str_basic,  K::str_advance,      K::str_disable,
    K::str_default_setting, K::str_browse, K::str_backlight,    K::str_breath_speed};
constexpr K kColourKeys[] = {K::str_proximity_sensing, K::str_color_setting,   K::str_cur_color,
                             K::str_choose_color,      K::str_preset_color,    K::str_custom_color,
                             K::str_macro_choose,      K::str_marco_list,      K::str_key_list,
                             K::str_driver_version,    K::str_firmware_version};

template <size_t N>
constexpr HintRun Run(int firstId, const K (&keys)[N]) {
    return {firstId, keys, static_cast<int>(N)};
}

constexpr std::array kRuns = {
    Run(1, kMainKeys),   Run(12, kButtonPageKeys), Run(26, kLightingKeys), Run(37, kBodyLightKeys),
    Run(40, kMacroKeys), Run(54, kSupportKeys),    Run(61, kPanelKeys),    Run(80, kColourKeys)};

}  // namespace

std::optional<StringKey> HintKey(intptr_t id) {
    for (const HintRun& run : kRuns) {
        if (id >= run.firstId && id < run.firstId + run.count) return run.keys[id - run.firstId];
    }
    return std::nullopt;
}

std::u16string HintText(intptr_t id) {
    const std::optional<StringKey> key = HintKey(id);
    return key ? Text(*key) : std::u16string();
}

}  // namespace tarn
