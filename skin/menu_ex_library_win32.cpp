#include "skin/menu_ex_library_win32.h"

#include <string>

#include "base/app_paths.h"

namespace tarn {

namespace {

struct MenuExExports {
    HMODULE library = nullptr;
    CreateMenuExProc create = nullptr;
    DestroyMenuExProc destroy = nullptr;
    DllPreTranslateMessageProc preTranslate = nullptr;  // looked up, never called
};

MenuExExports& Exports() {
    static MenuExExports exports;
    return exports;
}

template <typename Proc>
Proc Lookup(HMODULE library, const char* name) {
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

std::wstring PicturePath(const char16_t* name) {
    std::u16string path = programFolder + u"\\skins\\Menu\\" + name;
    return std::wstring(path.begin(), path.end());
}

}  // namespace

bool LoadMenuExLibrary() {
    MenuExExports& e = Exports();
    if (e.create && e.destroy) return true;
    if (!e.library) e.library = LoadLibraryW(L"MenuEx.dll");
    if (!e.library) return false;
    e.create = Lookup<CreateMenuExProc>(e.library, "CreateMenuEx");
    e.destroy = Lookup<DestroyMenuExProc>(e.library, "DestroyMenuEx");
    e.preTranslate = Lookup<DllPreTranslateMessageProc>(e.library, "DllPreTranslateMessage");
    return e.create && e.destroy;
}

bool MenuExAvailable() {
    return Exports().create && Exports().destroy;
}

bool OpenMenuEx(HWND owner, POINT topLeft, const MenuExItem* items, int count) {
    if (!MenuExAvailable()) return false;
    std::wstring paths[8];
    for (int i = 0; i < 8; ++i) paths[i] = PicturePath(kMenuExPictures[i]);
    Exports().create(owner, kMenuExItemHeight, &topLeft, kMenuExNormalText, kMenuExHotText,
                     kMenuExHighlight, paths[0].c_str(), paths[1].c_str(), paths[2].c_str(),
                     paths[3].c_str(), paths[4].c_str(), paths[5].c_str(), paths[6].c_str(),
                     paths[7].c_str(), items, count);
    return true;
}

void DestroyMenuEx() {
    if (Exports().destroy) Exports().destroy();
}

}  // namespace tarn
