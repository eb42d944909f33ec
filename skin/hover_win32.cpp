#include "skin/hover_win32.h"

#include <windowsx.h>

#include "skin/hover_logic.h"

namespace tarn {

bool HoverTracker::OnMouseMove(HWND control, WPARAM keys) {
    skin::HoverInput in;
    in.leftHeld = (keys & MK_LBUTTON) != 0;
    in.hovered = hover_;
    in.hasCapture = GetCapture() == control;
    in.appActive = GetActiveWindow() != nullptr;
    POINT cursor{};
    GetCursorPos(&cursor);
    in.cursorOnControl = WindowFromPoint(cursor) == control;
    const skin::HoverAction a = skin::DecideHover(in);
    hover_ = a.hovered;
    if (a.capture) SetCapture(control);
    if (a.release) ReleaseCapture();
    return a.repaint;
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
