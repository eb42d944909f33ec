// Hover of the flat skinned buttons: the control takes the mouse capture while the pointer is
// over it, so it learns when the pointer leaves, and hands the hover over to the next control.
// Mouse moves are passed on to the parent, whose hint line keeps working over its buttons.
#pragma once

#include <windows.h>

namespace tarn {

class HoverTracker {
public:
    bool hover() const { return hover_; }
    // Returns true when the hover changed (the control repaints).
    bool OnMouseMove(HWND control, WPARAM keys);
    bool OnKillFocus();
    bool OnCaptureChanged(HWND control, HWND newCapture);
    void Clear() { hover_ = false; }

private:
    bool hover_ = false;
};

// The move, with the position in the parent's client coordinates.
void ForwardMouseMove(HWND control, WPARAM keys, LPARAM position);

}  // namespace tarn
