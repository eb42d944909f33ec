// The arithmetic of the skinned scroll bars: where the arrows, the page areas and the thumb lie
// along a bar, what a point hits, where a dragged thumb puts the position, and when a held
// arrow repeats. Portable, so the rules are checked without a screen.
#pragma once

#include <cstdint>

namespace tarn::skin {

// The bar's own copy of the platform's scroll information.
struct ScrollState {
    int minimum = 0;
    int maximum = 100;
    int page = 0;
    int position = 0;
    int trackPosition = 0;
};

// Along the bar, in pixels from its start.
struct ScrollLayout {
    int length = 0;
    int arrow = 0;        // each arrow's length
    int track = 0;        // between the arrows
    int range = 0;        // positions the thumb can take beyond the first
    int thumbLength = 0;  // 0: no thumb drawn
    int thumbStart = 0;
};

inline constexpr int kMinimumThumb = 6;
// A track this short or shorter has no thumb.
inline constexpr int kNoThumbTrack = 5;

// While dragging the tracking position stands in for the position.
ScrollLayout LayOutScrollBar(int length, int cell, const ScrollState& state, bool dragging);

// The parts in the order a point is tested against them.
enum class ScrollPart { None, FirstArrow, PageBefore, Thumb, PageAfter, SecondArrow };
ScrollPart HitScrollPart(const ScrollLayout& layout, int along);

// The platform's scroll codes a part sends (line up 0, line down 1, page up 2, page down 3);
// -1 for the thumb and for nothing.
inline constexpr int kScrollLineUp = 0;
inline constexpr int kScrollLineDown = 1;
inline constexpr int kScrollPageUp = 2;
inline constexpr int kScrollPageDown = 3;
inline constexpr int kScrollThumbPosition = 4;
inline constexpr int kScrollThumbTrack = 5;
int ScrollCodeOf(ScrollPart part);

// The last position the thumb can take: the range's end less one page.
int LastScrollPosition(const ScrollState& state);

// The position while the thumb is dragged delta pixels from where the drag started.
int DraggedScrollPosition(const ScrollLayout& layout, const ScrollState& state, int startPosition,
                          int delta);

// Row of the skin cell a part is drawn from: 0 normal, 1 hovered, 2 pressed.
int ScrollCellRow(ScrollPart part, ScrollPart hovered, ScrollPart pressed);

// A press on an arrow or a page area sends its code at once, again after 500 ms and then every
// 100 ms while the cursor stays on the pressed part, until the position reaches its end (line
// parts) or the thumb reaches the cursor (page parts, where the part under the cursor changes).
inline constexpr uint32_t kRepeatFirstDelayMs = 500;
inline constexpr uint32_t kRepeatIntervalMs = 100;

class ScrollRepeat {
public:
    struct Step {
        bool send = false;
        uint32_t nextDelay = 0;  // arm the timer again after this long; 0: no timer
    };
    // The press itself: sends unless the part is the thumb or nothing.
    Step Press(ScrollPart part);
    // A timer tick, with the part now under the cursor and the bar's current state.
    Step Fire(ScrollPart underCursor, const ScrollState& state);
    void Release() { pressed_ = ScrollPart::None; }
    ScrollPart Pressed() const { return pressed_; }

private:
    ScrollPart pressed_ = ScrollPart::None;
};

}  // namespace tarn::skin
