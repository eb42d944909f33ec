// The twelve interface languages: the number the menu sends and "Language.cfg" stores, the file
// that holds the texts, and the pictures that stand for the language.
#pragma once

#include <iterator>
#include <string_view>

namespace tarn {

using LanguageId = int;

inline constexpr LanguageId kLanguageSimplifiedChinese = 1;
inline constexpr LanguageId kLanguageEnglish = 2;
inline constexpr LanguageId kLanguageTraditionalChinese = 12;

struct LanguageInfo {
    LanguageId id;
    std::u16string_view menuText;  // the same in every language
    std::u16string_view file;      // under the program folder
    int flagBitmap;                // 37 x 22, shown by the main window's language indicator
    int menuIcon;                  // 19 x 11 PNG before the name in the language menu
};

inline constexpr LanguageInfo kLanguages[] = {
    {1, u"Chinese", u"Language\\sc.xml", 142, 130},
    {2, u"English", u"Language\\en.xml", 143, 131},
    {3, u"French", u"Language\\fre.xml", 144, 132},
    {4, u"Korean", u"Language\\kor.xml", 145, 133},
    {5, u"German", u"Language\\ger.xml", 146, 134},
    {6, u"Italian", u"Language\\ita.xml", 147, 135},
    {7, u"Spanish", u"Language\\span.xml", 148, 136},
    {8, u"Dutch", u"Language\\dutch.xml", 149, 137},
    {9, u"Portuguese", u"Language\\pt.xml", 150, 138},
    {10, u"Russian", u"Language\\rus.xml", 151, 139},
    {11, u"Ukrainian", u"Language\\ukr.xml", 152, 140},
    {12, u"Trad.Chinese", u"Language\\tw.xml", 153, 141},
};

// The row of a language, or null for a number outside 1..12.
inline const LanguageInfo* FindLanguage(LanguageId id) {
    if (id < 1 || id > static_cast<LanguageId>(std::size(kLanguages))) return nullptr;
    return &kLanguages[id - 1];
}

}  // namespace tarn
