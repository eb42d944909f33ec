#include "skin/hover_logic.h"

#include <gtest/gtest.h>

namespace tarn::skin {
namespace {

TEST(HoverRule, EnteringTakesTheCaptureAndLightsTheButton) {
    HoverInput in;
    in.appActive = true;
    in.cursorOnControl = true;
    const HoverAction a = DecideHover(in);
    EXPECT_TRUE(a.hovered);
    EXPECT_TRUE(a.capture);
    EXPECT_TRUE(a.repaint);
    EXPECT_FALSE(a.release);
    // Without an active window of the application nothing lights up.
    in.appActive = false;
    EXPECT_FALSE(DecideHover(in).hovered);
    EXPECT_FALSE(DecideHover(in).capture);
}

TEST(HoverRule, DraggingInFromElsewhereDoesNotHighlight) {
    HoverInput in;
    in.appActive = true;
    in.cursorOnControl = true;
    in.leftHeld = true;
    const HoverAction a = DecideHover(in);
    EXPECT_FALSE(a.hovered);
    EXPECT_FALSE(a.capture);
    EXPECT_FALSE(a.repaint);
}

TEST(HoverRule, MovingWhileOverTheButtonChangesNothing) {
    HoverInput in;
    in.appActive = true;
    in.hovered = true;
    in.hasCapture = true;
    in.cursorOnControl = true;
    const HoverAction a = DecideHover(in);
    EXPECT_TRUE(a.hovered);
    EXPECT_FALSE(a.capture || a.release || a.repaint);
}

TEST(HoverRule, LeavingHandsTheHoverOnAndKeepsAHeldPress) {
    HoverInput in;
    in.appActive = true;
    in.hovered = true;
    in.hasCapture = true;
    in.cursorOnControl = false;
    HoverAction a = DecideHover(in);
    EXPECT_FALSE(a.hovered);
    EXPECT_TRUE(a.repaint);
    EXPECT_TRUE(a.release);  // so the next button gets the move and the hover
    // With the button held the look goes back but the capture stays, so the press still ends
    // on this control.
    in.leftHeld = true;
    a = DecideHover(in);
    EXPECT_FALSE(a.hovered);
    EXPECT_TRUE(a.repaint);
    EXPECT_FALSE(a.release);
}

}  // namespace
}  // namespace tarn::skin
