#include "skin/tooltip_win32.h"

#include <commctrl.h>

#include "base/window_win32.h"
#include "skin/bitmap_button_win32.h"

namespace tarn {

namespace {
constexpr int kTooltipFontHeight = 16;

TTTOOLINFOW ToolFor(HWND control, wchar_t* text) {
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_SUBCLASS;
    ti.hwnd = control;
    ti.uId = 1;
    ti.hinst = win::ModuleInstance();
    ti.lpszText = text;
    GetClientRect(control, &ti.rect);
    return ti;
}
}  // namespace

ControlTooltip::~ControlTooltip() {
    if (tip_ && IsWindow(tip_)) DestroyWindow(tip_);
}

void ControlTooltip::Set(HWND control, std::u16string_view text, bool activate) {
    if (!control) return;
    if (!tip_ || !IsWindow(tip_)) {
        tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, control, nullptr,
                               win::ModuleInstance(), nullptr);
        hasTool_ = false;
        if (!tip_) return;
    }
    text_.assign(reinterpret_cast<const wchar_t*>(text.data()), text.size());
    TTTOOLINFOW ti = ToolFor(control, text_.data());
    if (!hasTool_) {
        hasTool_ = SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)) != FALSE;
    } else {
        SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
    }
    // The system's tooltip face may have no Chinese characters (under Wine it has none).
    HFONT chinese = CaptionFontFor(kTooltipFontHeight, text);
    if (chinese != CaptionFont(kTooltipFontHeight)) {
        SendMessageW(tip_, WM_SETFONT, reinterpret_cast<WPARAM>(chinese), FALSE);
    }
    SendMessageW(tip_, TTM_ACTIVATE, activate ? TRUE : FALSE, 0);
}

void ControlTooltip::Resize(HWND control) {
    if (!tip_ || !hasTool_) return;
    TTTOOLINFOW ti = ToolFor(control, text_.data());
    SendMessageW(tip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&ti));
}

}  // namespace tarn
