// Process-wide language state: which interface language is loaded, and its texts by key.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace tarn {

// 1 while Simplified Chinese is the loaded interface language (Traditional Chinese is not).
extern int ChineseUi;
// 1 when the installed skin pictures carry Chinese labels.
extern int ChineseSkin;

// The keys of the language files, in table order.
enum class StringKey : int {
    str_main,
    str_led_title,
    str_macro_manager,
    str_sts,
    str_about,
    str_profile1,
    str_profile2,
    str_profile3,
    str_profile4,
    str_profile5,
    str_ok,
    str_dpiwant,
    str_mouseSpeed,
    str_improveAccuracy,
    str_sheight,
    str_rollingrate,
    str_rollerColumn,
    str_rollerScreen,
    str_close,
    str_lock,
    str_run,
    str_show,
    str_win8_classic,
    str_win8_switch,
    str_win8_winp,
    str_win8_winm,
    str_find,
    str_mouseleft,
    str_mousemiddle,
    str_mouseright,
    str_pre,
    str_back,
    str_player,
    str_PL,
    str_stop,
    str_pre_media,
    str_next_media,
    str_vol_dw,
    str_vol_up,
    str_mute,
    str_snipe,
    str_fire,
    str_advanced_sound,
    str_advanced_exe,
    str_advanced_file,
    str_advanced_dir,
    str_ledspe,
    str_led_apmbre,
    str_led_off,
    str_led_norbre,
    str_led_frequency,
    str_led_brealways,
    str_led_brightness,
    str_led_body_on,
    str_led_body_off,
    str_led_custom,
    str_new_macro,
    str_del_macro,
    str_macro_new,
    str_macro_del,
    str_macro_modify,
    str_macro_start,
    str_macro_end,
    str_macro_delay,
    str_macro_loop,
    str_click,
    str_middle,
    str_menu,
    str_macro_msg6,
    str_macro_msg7,
    str_cups,
    str_resetSts,
    str_update,
    str_nirelWeb,
    str_defaultname,
    str_importFile,
    str_exportFile,
    str_msg2,
    str_msg4,
    str_msg5,
    str_dpi_setting,
    str_sensor,
    str_usbrate,
    str_windows_scroll,
    str_mouse_key,
    str_panel,
    str_cur_function,
    str_key_com,
    str_macro_set,
    str_basic,
    str_advance,
    str_disable,
    str_default_setting,
    str_browse,
    str_backlight,
    str_breath_speed,
    str_proximity_sensing,
    str_color_setting,
    str_cur_color,
    str_choose_color,
    str_preset_color,
    str_custom_color,
    str_macro_choose,
    str_marco_list,
    str_key_list,
    str_driver_version,
    str_firmware_version,
};

inline constexpr size_t kStringKeyCount = 107;

// The key's name as it stands in the language files ("str_main").
std::string_view StringKeyName(StringKey key);
inline StringKey StringKeyAt(size_t index) {
    return static_cast<StringKey>(index);
}

class LanguageStringTable {
public:
    // An unloaded key reads as the empty string.
    const std::u16string& Get(StringKey key) const { return texts_[static_cast<size_t>(key)]; }
    void Set(StringKey key, std::u16string text) {
        texts_[static_cast<size_t>(key)] = std::move(text);
    }
    void Clear() {
        for (auto& t : texts_) t.clear();
    }

private:
    std::array<std::u16string, kStringKeyCount> texts_;
};

extern LanguageStringTable LanguageStrings;

inline const std::u16string& Text(StringKey key) {
    return LanguageStrings.Get(key);
}

// A built-in text in its two forms; the Chinese one while ChineseUi is 1.
inline std::u16string_view Localized(std::u16string_view chinese, std::u16string_view english) {
    return ChineseUi == 1 ? chinese : english;
}

// The text of a message key (str_msg2, str_msg4, str_msg5), or the program's own words when the
// language file gave none: a missing or broken file must not turn a failed save into an empty
// box. Other keys are their plain Text.
std::u16string MessageText(StringKey key);

}  // namespace tarn
