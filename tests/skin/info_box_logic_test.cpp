#include "skin/info_box_logic.h"

#include <gtest/gtest.h>

#include <vector>

namespace tarn::skin {
namespace {

TEST(InfoCountdown, CaptionsReadFiveTwiceThenFourToOneAndCloseAtTheSixthTick) {
    InfoCountdown countdown;
    countdown.Start();
    std::vector<std::u16string> captions{CountdownCaption(countdown.SecondsLeft(), false)};
    int closedAt = 0;
    for (int tick = 1; tick <= 8 && !closedAt; ++tick) {
        const InfoCountdown::Tick t = countdown.OnTick();
        if (t.close)
            closedAt = tick;
        else
            captions.push_back(CountdownCaption(t.captionSeconds, false));
    }
    EXPECT_EQ(closedAt, 6);
    const std::vector<std::u16string> expected{u"OK (5s)", u"OK (5s)", u"OK (4s)",
                                               u"OK (3s)", u"OK (2s)", u"OK (1s)"};
    EXPECT_EQ(captions, expected);
}

TEST(InfoCountdown, ChineseCaptionAndRestart) {
    EXPECT_EQ(CountdownCaption(5, true), u"确定 (5s)");
    EXPECT_EQ(CountdownCaption(12, false), u"OK (12s)");
    InfoCountdown countdown;
    countdown.OnTick();
    countdown.OnTick();
    countdown.Start();
    EXPECT_EQ(countdown.SecondsLeft(), 5);
}

TEST(InfoBoxLayout, PicturesAndButtonsByMode) {
    const InfoBoxLayout two = LayoutInfoBox(true);
    EXPECT_EQ(two.normalPicture, 1006);
    EXPECT_EQ(two.overPicture, 1008);
    EXPECT_EQ(two.downPicture, 1004);
    EXPECT_TRUE(two.hasCancel);
    EXPECT_EQ(two.ok.left, 178);
    EXPECT_EQ(two.cancel.right, 311);
    const InfoBoxLayout one = LayoutInfoBox(false);
    EXPECT_EQ(one.normalPicture, 1007);
    EXPECT_EQ(one.overPicture, 1009);
    EXPECT_EQ(one.downPicture, 1005);
    EXPECT_FALSE(one.hasCancel);
    EXPECT_EQ(one.ok.left, 240);
}

TEST(InfoBoxPosition, BottomRightForTheSelfClosingBoxCentreOtherwise) {
    const geo::Size box{330, 160};
    const geo::Point corner = AutoClosePosition({0, 0, 1024, 738}, box);
    EXPECT_EQ(corner.x, 1024 - 330 - 10);
    EXPECT_EQ(corner.y, 738 - 160);
    // A work area that starts below a top taskbar keeps the box inside it.
    EXPECT_EQ(AutoClosePosition({0, 30, 1024, 768}, box).y, 768 - 160);
    const geo::Point centre = CentredPosition({0, 0, 1024, 768}, box);
    EXPECT_EQ(centre.x, 347);
    EXPECT_EQ(centre.y, 304);
}

}  // namespace
}  // namespace tarn::skin
