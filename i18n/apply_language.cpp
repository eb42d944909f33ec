#include "i18n/apply_language.h"

#include "base/app_paths.h"
#include "base/language_state.h"
#include "base/text.h"
#include "base/window_messages.h"
#include "i18n/language_file.h"
#include "i18n/language_id_file.h"
#include "i18n/profile_ini.h"

namespace tarn {

namespace {

std::u16string LanguagePath(const LanguageInfo& language) {
    std::u16string path = programFolder;
    path += u'\\';
    path += language.file;
    return path;
}

}  // namespace

void LoadStartupLanguage() {
    LoadLanguageFile(JoinPath(programFolder, u"\\Language\\sc.xml"));
}

void LoadSkinLanguage(LanguageWindow& window) {
    const int type = ReadProfileInt(JoinPath(programFolder, u"\\skins\\languagetype.ini"),
                                    u"languagetype", u"value", 0);
    const bool chinese = type == 1;
    ChineseUi = chinese ? 1 : 0;
    ChineseSkin = chinese ? 1 : 0;
    const LanguageInfo& language =
        *FindLanguage(chinese ? kLanguageSimplifiedChinese : kLanguageEnglish);
    LoadLanguageFile(LanguagePath(language));
    window.ShowLanguageFlag(language.flagBitmap);
}

void PostStoredLanguage(WindowId mainWindow) {
    Poster().Post(mainWindow, kMsgLanguage, kLanguageStartUp, ReadLanguageId());
}

intptr_t ApplyLanguage(LanguageWindow& window, uintptr_t wParam, intptr_t lParam) {
    const bool startUp = wParam == kLanguageStartUp;
    if (lParam == 0) {
        // From the menu this means it is deleting itself; nothing else changes.
        if (!startUp) window.ForgetLanguageMenu();
        return 0;
    }
    if (!startUp && !window.LanguageMenuOpen()) return 0;

    ChineseUi = 0;
    if (const LanguageInfo* language = FindLanguage(static_cast<LanguageId>(lParam))) {
        if (language->id == kLanguageSimplifiedChinese) ChineseUi = 1;
        LoadLanguageFile(LanguagePath(*language));
        window.ShowLanguageFlag(language->flagBitmap);
    }
    WriteLanguageId(static_cast<LanguageId>(lParam));
    window.RefreshTooltips();
    if (!startUp) window.CloseLanguageMenu();
    return 0;
}

}  // namespace tarn
