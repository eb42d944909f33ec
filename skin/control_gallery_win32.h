// A window that shows every skinned control at once, for checking them under Wine (the hidden
// start switch --gallery). Each event the controls report is appended to
// %TEMP%\TarnGallery.log, one line each, so a test can read the order back.
#pragma once

#include <string>

namespace tarn {

// With a skin name (relative to the skins folder, or "res:<id>" for a bitmap resource), shows
// only that picture in a window titled "TarnSkinView"; otherwise the gallery "TarnGallery".
// With chineseUi the built-in texts are the Simplified Chinese ones.
int RunControlGallery(const std::wstring& skinToShow, bool chineseUi = false);

}  // namespace tarn
