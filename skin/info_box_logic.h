// The information box's mode-dependent layout and its self-closing countdown, without windows.
#pragma once

#include <string>

#include "skin/skin_geometry.h"

namespace tarn::skin {

struct InfoBoxLayout {
    int normalPicture, overPicture, downPicture;  // bitmap resources
    geo::Rect ok;
    bool hasCancel;
    geo::Rect cancel;  // only with hasCancel
};
InfoBoxLayout LayoutInfoBox(bool withCancel);

// "确定 (%ds)" / "OK (%ds)".
std::u16string CountdownCaption(int seconds, bool chinese);

inline constexpr int kCountdownSeconds = 5;
inline constexpr unsigned kCountdownTimerId = 2321;
inline constexpr unsigned kCountdownIntervalMs = 1000;

// The countdown shows the seconds as they were before each tick, so the caption reads (5s) at
// opening and after the first second, then (4s) .. (1s), and the box closes at the sixth tick.
class InfoCountdown {
public:
    struct Tick {
        bool close;
        int captionSeconds;
    };
    void Start() { left_ = kCountdownSeconds; }
    int SecondsLeft() const { return left_; }
    Tick OnTick() {
        const Tick tick{left_ <= 0, left_};
        --left_;
        return tick;
    }

private:
    int left_ = kCountdownSeconds;
};

// Position of the self-closing box: bottom right of the work area, 10 pixels from its right.
geo::Point AutoClosePosition(const geo::Rect& workArea, geo::Size box);
// Centred in the work area.
geo::Point CentredPosition(const geo::Rect& workArea, geo::Size box);

}  // namespace tarn::skin
