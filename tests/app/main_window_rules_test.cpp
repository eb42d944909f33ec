// The main window's portable rules: hint ids, the hover margin, the key filter and the progress
// window's steps.
#include <gtest/gtest.h>

#include "app/hint_table.h"
#include "app/hover_hints.h"
#include "app/key_filter.h"
#include "base/language_state.h"
#include "app/progress_rules.h"

namespace tarn {
namespace {

TEST(HintTable, RunsStartAndEndAtTheirFirstAndLastKeys) {
    const std::pair<int, StringKey> edges[] = {{1, StringKey::str_main},
                                               {11, StringKey::str_ok},
                                               {12, StringKey::str_dpiwant},
                                               {18, StringKey::str_rollerScreen},
                                               {26, StringKey::str_ledspe},
                                               {32, StringKey::str_led_brightness},
                                               {37, StringKey::str_led_body_on},
                                               {39, StringKey::str_led_custom},
                                               {40, StringKey::str_new_macro},
                                               {53, StringKey::str_macro_msg7},
                                               {54, StringKey::str_cups},
                                               {60, StringKey::str_defaultname},
                                               {58, StringKey::str_importFile},
                                               {61, StringKey::str_dpi_setting},
                                               {76, StringKey::str_breath_speed},
                                               {80, StringKey::str_proximity_sensing},
                                               {90, StringKey::str_firmware_version}};
    for (const auto& [id, key] : edges) {
        ASSERT_TRUE(HintKey(id).has_value()) << id;
        EXPECT_EQ(*HintKey(id), key) << id;
    }
}

TEST(HintTable, IdsInTheGapsAndOutsideEmptyTheLine) {
    for (int id : {0, -1, 19, 25, 33, 36, 77, 79, 91, 99, 1000}) {
        EXPECT_FALSE(HintKey(id).has_value()) << id;
    }
    LanguageStrings.Set(StringKey::str_sts, u"Statistics");
    EXPECT_EQ(HintText(4), u"Statistics");
    EXPECT_EQ(HintText(33), u"");
    LanguageStrings.Clear();
    EXPECT_EQ(HintText(4), u"");
}

TEST(HoverHints, OnePixelOutsideAButtonStillSelectsIt) {
    const auto targets = MainWindowHintTargets();
    ASSERT_EQ(targets.size(), 11u);
    // Tab 1's box is (30,85)-(210,121).
    EXPECT_EQ(HoverHintIds(targets, 29, 84), std::vector<int>{1});
    EXPECT_EQ(HoverHintIds(targets, 29, 121), std::vector<int>{1});
    EXPECT_TRUE(HoverHintIds(targets, 28, 100).empty());
    EXPECT_TRUE(HoverHintIds(targets, 100, 123).empty());
    // The OK button's box is (806,591)-(940,632).
    EXPECT_EQ(HoverHintIds(targets, 900, 610), std::vector<int>{11});
    EXPECT_TRUE(HoverHintIds(targets, 500, 300).empty());
}

TEST(HoverHints, OverlappingBoxesSelectEveryButtonInOrder) {
    // Tabs 1 and 2 overlap between x 193 and 210; profile boxes overlap the same way.
    EXPECT_EQ(HoverHintIds(MainWindowHintTargets(), 200, 100), (std::vector<int>{1, 2}));
    EXPECT_EQ(HoverHintIds(MainWindowHintTargets(), 430, 620), (std::vector<int>{6, 7}));
}

TEST(KeyFilter, MainWindowSwallowsDialogKeysAndHidesOnAltF4) {
    for (uint32_t key : {kVkReturn, kVkEscape, kVkSpace}) {
        EXPECT_EQ(FilterMainWindowKey(kKeyDownMessage, key), KeyFilter::Swallow);
        EXPECT_EQ(FilterMainWindowKey(kKeyUpMessage, key), KeyFilter::Swallow);
    }
    EXPECT_EQ(FilterMainWindowKey(kSysKeyDownMessage, kVkF4), KeyFilter::HideToTray);
    EXPECT_EQ(FilterMainWindowKey(kKeyDownMessage, kVkF4), KeyFilter::Pass);
    EXPECT_EQ(FilterMainWindowKey(kKeyDownMessage, 'A'), KeyFilter::Pass);
    EXPECT_EQ(FilterMainWindowKey(kSysKeyDownMessage, kVkReturn), KeyFilter::Pass);
}

TEST(KeyFilter, ProgressWindowCannotBeClosedFromTheKeyboard) {
    EXPECT_EQ(FilterProgressKey(kSysKeyDownMessage, kVkF4), KeyFilter::Swallow);
    EXPECT_EQ(FilterProgressKey(kKeyUpMessage, kVkEscape), KeyFilter::Swallow);
    EXPECT_EQ(FilterProgressKey(kKeyDownMessage, 'X'), KeyFilter::Pass);
}

TEST(ProgressRules, ClosesOnlyAtTheEndAndNeverOverfills) {
    EXPECT_EQ(OnProgress(0).position, 0);
    EXPECT_FALSE(OnProgress(99).close);
    EXPECT_TRUE(OnProgress(100).close);
    EXPECT_EQ(OnProgress(250).position, 100);
    EXPECT_TRUE(OnProgress(250).close);
}

TEST(ProgressRules, TextFollowsTheInterfaceLanguage) {
    ChineseUi = 1;
    EXPECT_EQ(ProgressText(), u"更新进行中，请稍候...");
    ChineseUi = 0;
    EXPECT_EQ(ProgressText(), u"Updating is in progress, please wait…");
}

}  // namespace
}  // namespace tarn
