// The tooltip every skinned button may carry: created on first use, covering the whole client
// area of its control.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tarn {

class ControlTooltip {
public:
    ControlTooltip() = default;
    ControlTooltip(const ControlTooltip&) = delete;
    ControlTooltip& operator=(const ControlTooltip&) = delete;
    ~ControlTooltip();

    void Set(HWND control, std::u16string_view text, bool activate);
    // Keeps the tool's rectangle equal to the client area after a resize.
    void Resize(HWND control);

private:
    HWND tip_ = nullptr;
    bool hasTool_ = false;
    HFONT defaultFont_ = nullptr;  // the tip's own, owned by the system
    std::wstring text_;
};

}  // namespace tarn
