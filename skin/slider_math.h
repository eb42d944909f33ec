// The arithmetic of the skinned sliders and the progress bar, kept apart from the windows so the
// placement, click and drag rules can be checked without a screen.
#pragma once

namespace tarn::skin {

struct SliderRange {
    int minimum = 0;
    int maximum = 10;
};

// A value outside the range is taken as the minimum (a page that sets a stale value sees the
// thumb at the start rather than outside the bar).
int NormalizeSliderValue(int value, SliderRange range);

// Left edge of the thumb for a value: (W - w) x (v - m) / (M - m). A range of one value is not
// a slider; it places the thumb at the start instead of dividing by zero.
int ThumbLeft(int value, SliderRange range, int barWidth, int thumbWidth);
// Bottom-aligned in the bar.
int ThumbTop(int barHeight, int thumbHeight);

// Value for a click at parent x on the track [trackLeft, trackRight), with the snapping at the
// top end of the short ranges 1..5, 1..10 and 1..3, clamped to the range.
int TrackClickValue(int x, int trackLeft, int trackRight, SliderRange range);

// Thumb dragging: the left edge after moving by dx, kept inside the travel 0..barWidth-w.
int DraggedThumbLeft(int currentLeft, int dx, int barWidth, int thumbWidth);
// Value of a thumb whose left edge is at left: the nearest whole value, clamped to the range.
int ThumbValue(int left, SliderRange range, int barWidth, int thumbWidth);

// Width of the fill of a progress bar of the given width.
int ProgressFillWidth(int value, SliderRange range, int width);
// A value outside the range sets the minimum.
int NormalizeProgressValue(int value, SliderRange range);
// Value under the cursor at parent x while dragging a bar spanning [left, right).
int ProgressValueAt(int x, int left, int right, SliderRange range);

}  // namespace tarn::skin
