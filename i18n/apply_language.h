// Choosing the interface language: the start-up order and the main window's handler of the
// language message (0x401).
#pragma once

#include <cstdint>

#include "base/message_poster.h"
#include "i18n/language_table.h"

namespace tarn {

// What a language change does to the main window. The main window implements it.
class LanguageWindow {
public:
    virtual ~LanguageWindow() = default;
    // Whether the language menu is open now.
    virtual bool LanguageMenuOpen() const = 0;
    // Shows a flag bitmap resource in the language indicator (control 1010).
    virtual void ShowLanguageFlag(int bitmapResource) = 0;
    // Gives every tooltip that carries a language text its new text.
    virtual void RefreshTooltips() = 0;
    // Posts WM_CLOSE to the open language menu if its window still exists, and forgets it.
    virtual void CloseLanguageMenu() = 0;
    // The menu reported that it closed and is deleting itself: drop any reference to it.
    virtual void ForgetLanguageMenu() = 0;
};

// Start-up step 1, before the main window exists: Simplified Chinese texts.
void LoadStartupLanguage();

// Start-up step 2, while the main window initialises: the skin's language from
// "skins\languagetype.ini" decides both flags, the texts and the flag shown.
void LoadSkinLanguage(LanguageWindow& window);

// Start-up step 3: posts the stored language to the main window.
void PostStoredLanguage(WindowId mainWindow);

// The handler of 0x401: lParam is the LanguageId (0 when the menu closes), wParam 0x110 at
// start-up and 0 from the menu. Returns the message result, always 0.
intptr_t ApplyLanguage(LanguageWindow& window, uintptr_t wParam, intptr_t lParam);

}  // namespace tarn
