#include "skin/hover_win32.h"

#include <windowsx.h>

namespace tarn {

bool HoverTracker::OnMouseMove(HWND control, WPARAM keys) {
    const bool leftHeld = (keys & MK_LBUTTON) != 0;
    // Dragging in from elsewhere does not highlight.
    if (leftHeld && !hover_) return false;
    if (GetCapture() != control && GetActiveWindow() != nullptr) {
        hover_ = true;
        SetCapture(control);
        return true;
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    if (WindowFromPoint(cursor) == control) return false;
    const bool changed = hover_;
    hover_ = false;
    if (!leftHeld && GetCapture() == control) ReleaseCapture();
    return changed;
}

bool HoverTracker::OnKillFocus() {
    const bool changed = hover_;
    hover_ = false;
    return changed;
}

bool HoverTracker::OnCaptureChanged(HWND control, HWND newCapture) {
    if (!hover_ || newCapture == control) return false;
    hover_ = false;
    return true;
}

void ForwardMouseMove(HWND control, WPARAM keys, LPARAM position) {
    HWND parent = GetParent(control);
    if (!parent) return;
    POINT p{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    MapWindowPoints(control, parent, &p, 1);
    PostMessageW(parent, WM_MOUSEMOVE, keys, MAKELPARAM(p.x, p.y));
}

}  // namespace tarn
