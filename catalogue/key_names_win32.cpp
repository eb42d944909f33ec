// The keyboard layout's character for a key, for the names the fixed table does not give.
#include <windows.h>

#include "catalogue/key_names.h"

namespace tarn {

namespace {

char LayoutCharWin32(uint32_t virtualKey) {
    const UINT scanCode = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    BYTE keyState[256] = {};  // nothing held down: the unshifted character
    WORD chars[2] = {};
    if (ToAscii(virtualKey, scanCode, keyState, chars, 0) <= 0) return 0;
    return static_cast<char>(chars[0] & 0xFF);
}

// The whole Windows library is linked into the program, so this runs before main.
const bool g_installed = (SetKeyboardLayoutChar(LayoutCharWin32), true);

}  // namespace

}  // namespace tarn
