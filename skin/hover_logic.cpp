#include "skin/hover_logic.h"

namespace tarn::skin {

HoverAction DecideHover(const HoverInput& in) {
    HoverAction a;
    a.hovered = in.hovered;
    // Dragging in from elsewhere does not highlight.
    if (in.leftHeld && !in.hovered) return a;
    if (!in.hasCapture && in.appActive) {
        a.hovered = true;
        a.capture = true;
        a.repaint = true;
        return a;
    }
    if (in.cursorOnControl) return a;
    // The pointer left: the look goes back at once; a held button keeps the capture so the
    // press still ends on this control.
    a.hovered = false;
    a.repaint = in.hovered;
    a.release = !in.leftHeld && in.hasCapture;
    return a;
}

}  // namespace tarn::skin
