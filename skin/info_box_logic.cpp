#include "skin/info_box_logic.h"

namespace tarn::skin {

InfoBoxLayout LayoutInfoBox(bool withCancel) {
    using namespace geo::info_box;
    if (withCancel) {
        return {kWithCancelNormal, kWithCancelOver, kWithCancelDown, kOkWithCancel, true, kCancel};
    }
    return {kOkOnlyNormal, kOkOnlyOver, kOkOnlyDown, kOkAlone, false, {}};
}

std::u16string CountdownCaption(int seconds, bool chinese) {
    std::u16string caption = chinese ? u"确定 (" : u"OK (";
    if (seconds < 0) {
        caption += u'-';
        seconds = -seconds;
    }
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + seconds % 10));
        seconds /= 10;
    } while (seconds > 0);
    caption += digits;
    caption += u"s)";
    return caption;
}

// Work areas need not start at 0 (a taskbar on the left or top), so the offsets are kept.
geo::Point AutoClosePosition(const geo::Rect& work, geo::Size box) {
    return {work.left + work.width() - box.width - 10, work.top + work.height() - box.height};
}

geo::Point CentredPosition(const geo::Rect& work, geo::Size box) {
    return {work.left + (work.width() - box.width) / 2,
            work.top + (work.height() - box.height) / 2};
}

}  // namespace tarn::skin
