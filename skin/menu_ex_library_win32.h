// Reaching "MenuEx.dll" at run time. The exports are looked up once; until the library has been
// loaded the calls do nothing, so closing a menu is always safe.
#pragma once

#include <windows.h>

#include "skin/menu_ex_library.h"

namespace tarn {

using CreateMenuExProc = int (*)(HWND owner, int itemHeight, const POINT* topLeft,
                                 COLORREF normalText, COLORREF hotText, COLORREF highlight,
                                 const wchar_t* itemNormal, const wchar_t* itemHover,
                                 const wchar_t* itemPressed, const wchar_t* itemNormal2,
                                 const wchar_t* subNormal, const wchar_t* subHover,
                                 const wchar_t* subPressed, const wchar_t* subNormal2,
                                 const MenuExItem* items, int count);
using DestroyMenuExProc = void (*)();
using DllPreTranslateMessageProc = BOOL (*)(MSG* message);

// Loads the library by name (the executable's folder comes first in the search) and looks up
// its exports; true when CreateMenuEx and DestroyMenuEx are both there.
bool LoadMenuExLibrary();
bool MenuExAvailable();

// Opens the group menu at a screen point with the standard pictures and colours.
bool OpenMenuEx(HWND owner, POINT topLeft, const MenuExItem* items, int count);
// Closes an open menu; harmless when none is open or the library is not loaded.
void DestroyMenuEx();

}  // namespace tarn
