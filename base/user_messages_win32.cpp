// The plain "Info" box, and a standard-box stand-in for the information box that the skinned
// dialog replaces once it is installed.
#include <windows.h>

#include <string>

#include "base/user_messages.h"
#include "base/user_messages_win32.h"

namespace tarn {

namespace {

const wchar_t* W(std::u16string_view s, std::u16string& keep) {
    keep.assign(s);
    return reinterpret_cast<const wchar_t*>(keep.c_str());
}

HWND Owner() {
    HWND active = GetActiveWindow();
    return active ? active : GetForegroundWindow();
}

constexpr UINT_PTR kCloseTimer = 0x5EC;
HWND g_closeTarget = nullptr;
bool g_closedByTimer = false;

void CALLBACK CloseBoxSoon(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    g_closedByTimer = true;
    HWND box = GetActiveWindow();
    if (box && box != g_closeTarget) PostMessageW(box, WM_CLOSE, 0, 0);
}

class StandardBoxes final : public UserMessages {
public:
    int InfoBox(std::u16string_view message, bool withCancel) override {
        std::u16string text, title;
        const int r = MessageBoxW(Owner(), W(message, text), W(InfoTitle(), title),
                                  (withCancel ? MB_OKCANCEL : MB_OK) | MB_ICONINFORMATION);
        return r == IDOK ? kInfoOk : kInfoClosed;
    }
    int SelfClosingInfo(std::u16string_view message) override {
        std::u16string text, title;
        g_closeTarget = Owner();
        g_closedByTimer = false;
        const UINT_PTR timer = SetTimer(nullptr, kCloseTimer, 6000, &CloseBoxSoon);
        const int r = MessageBoxW(g_closeTarget, W(message, text), W(InfoTitle(), title),
                                  MB_OK | MB_ICONINFORMATION);
        KillTimer(nullptr, timer);
        return r == IDOK && !g_closedByTimer ? kInfoOk : kInfoClosed;
    }
    void PlainInfo(std::u16string_view message) override { ShowPlainInfoBox(Owner(), message); }
};

}  // namespace

void ShowPlainInfoBox(HWND owner, std::u16string_view message) {
    std::u16string text;
    MessageBoxW(owner, W(message, text), L"Info", MB_OK);
}

UserMessages& StandardUserMessages() {
    static StandardBoxes instance;
    return instance;
}

}  // namespace tarn
