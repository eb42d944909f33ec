// The hover rule of the flat skinned buttons, on each mouse move: what to do with the hover
// flag and the mouse capture, given what the platform reports.
#pragma once

namespace tarn::skin {

struct HoverInput {
    bool leftHeld = false;         // the left button is down
    bool hovered = false;          // the control shows its over look
    bool hasCapture = false;       // the control holds the mouse capture
    bool appActive = false;        // the application has an active window
    bool cursorOnControl = false;  // the window under the cursor is the control
};

struct HoverAction {
    bool hovered = false;  // the new hover flag
    bool capture = false;  // take the capture
    bool release = false;  // let the capture go
    bool repaint = false;
};

HoverAction DecideHover(const HoverInput& in);

}  // namespace tarn::skin
