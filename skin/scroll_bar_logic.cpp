#include "skin/scroll_bar_logic.h"

#include <algorithm>

namespace tarn::skin {

ScrollLayout LayOutScrollBar(int length, int cell, const ScrollState& state, bool dragging) {
    ScrollLayout l;
    l.length = std::max(length, 0);
    l.arrow = l.length - 2 * cell > 0 ? cell : l.length / 2;
    l.track = std::max(l.length - 2 * cell, 0);
    l.range = state.maximum - state.minimum - state.page + 1;
    const int span = state.maximum - state.minimum + 1;
    // A page larger than the range (r below 0) would give a thumb longer than its track; it
    // is drawn like a bar with nothing to scroll.
    if (l.range <= 0 || l.track <= kNoThumbTrack || span <= 0) {
        l.thumbLength = 0;
    } else {
        const long long k = static_cast<long long>(state.page) * l.track / span;
        l.thumbLength = static_cast<int>(std::clamp<long long>(k, kMinimumThumb, l.track));
    }
    const int free = l.track - l.thumbLength;
    if (l.range > 0) {
        const int v = std::clamp((dragging ? state.trackPosition : state.position) - state.minimum,
                                 0, l.range);
        l.thumbStart = l.arrow + static_cast<int>(static_cast<long long>(v) * free / l.range);
    } else {
        l.thumbStart = l.arrow + free / 2;
    }
    return l;
}

ScrollPart HitScrollPart(const ScrollLayout& l, int along) {
    if (along < 0 || along >= l.length) return ScrollPart::None;
    if (along < l.arrow) return ScrollPart::FirstArrow;
    if (along < l.thumbStart) return ScrollPart::PageBefore;
    if (along < l.thumbStart + l.thumbLength) return ScrollPart::Thumb;
    if (along < l.length - l.arrow) return ScrollPart::PageAfter;
    return ScrollPart::SecondArrow;
}

int ScrollCodeOf(ScrollPart part) {
    switch (part) {
        case ScrollPart::FirstArrow:
            return kScrollLineUp;
        case ScrollPart::SecondArrow:
            return kScrollLineDown;
        case ScrollPart::PageBefore:
            return kScrollPageUp;
        case ScrollPart::PageAfter:
            return kScrollPageDown;
        default:
            return -1;
    }
}

int LastScrollPosition(const ScrollState& s) {
    return std::max(s.minimum, s.maximum - s.page + 1);
}

int DraggedScrollPosition(const ScrollLayout& l, const ScrollState& s, int startPosition,
                          int delta) {
    const int free = l.track - l.thumbLength;
    int v = startPosition;
    if (free > 0) v += static_cast<int>(static_cast<long long>(delta) * l.range / free);
    return std::clamp(v, s.minimum, LastScrollPosition(s));
}

int ScrollCellRow(ScrollPart part, ScrollPart hovered, ScrollPart pressed) {
    if (part == ScrollPart::None) return 0;
    if (part == pressed) return 2;
    if (part == hovered) return 1;
    return 0;
}

ScrollRepeat::Step ScrollRepeat::Press(ScrollPart part) {
    if (ScrollCodeOf(part) < 0) {
        pressed_ = ScrollPart::None;
        return {};
    }
    pressed_ = part;
    return {true, kRepeatFirstDelayMs};
}

ScrollRepeat::Step ScrollRepeat::Fire(ScrollPart underCursor, const ScrollState& s) {
    if (pressed_ == ScrollPart::None) return {};
    Step step{false, kRepeatIntervalMs};
    if (underCursor != pressed_) return step;
    if (pressed_ == ScrollPart::FirstArrow && s.position <= s.minimum) return step;
    if (pressed_ == ScrollPart::SecondArrow && s.position >= LastScrollPosition(s)) return step;
    step.send = true;
    return step;
}

}  // namespace tarn::skin
