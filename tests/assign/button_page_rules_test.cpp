#include "assign/button_page_rules.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/language_state.h"

namespace tarn {
namespace {

class ButtonPageRules : public ::testing::Test {
protected:
    void SetUp() override {
        MakeDefaultProfile(profile);
        view = ViewFromProfile(profile);
    }
    std::vector<uint32_t> Levels() const {
        return std::vector<uint32_t>(profile.dpiLevels, profile.dpiLevels + 8);
    }
    int Toggle(uint32_t dpi) const {
        for (int i = 0; i < kDpiChoiceCount; ++i) {
            if (DpiChoices[i] == dpi) return i;
        }
        return -1;
    }
    void SetLevels(std::vector<uint32_t> levels) {
        for (int p = 0; p < 8; ++p) profile.dpiLevels[p] = p < int(levels.size()) ? levels[p] : 0;
        view = ViewFromProfile(profile);
    }
    ProfileRecord profile{};
    ButtonPageView view;
};

TEST_F(ButtonPageRules, FiveLevelsAtMostAndASixthClickDoesNothing) {
    // The default profile has five: 750, 1000, 1500, 2000, 3000.
    ClickDpiToggle(view, profile, Toggle(500));
    EXPECT_FALSE(view.dpi[Toggle(500)]);
    EXPECT_EQ(Levels(), (std::vector<uint32_t>{750, 1000, 1500, 2000, 3000, 0, 0, 0}));
    ClickDpiToggle(view, profile, Toggle(1500));
    EXPECT_EQ(Levels(), (std::vector<uint32_t>{750, 1000, 2000, 3000, 0, 0, 0, 0}));
}

TEST_F(ButtonPageRules, TheLastLevelCannotBeUnchecked) {
    SetLevels({1250});
    ClickDpiToggle(view, profile, Toggle(1250));
    EXPECT_TRUE(view.dpi[Toggle(1250)]);
    EXPECT_EQ(Levels(), (std::vector<uint32_t>{1250, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(ButtonPageRules, LevelsAreAscendingWhateverTheClickOrder) {
    SetLevels({1000});
    ClickDpiToggle(view, profile, Toggle(3000));
    ClickDpiToggle(view, profile, Toggle(500));
    ClickDpiToggle(view, profile, Toggle(1000));
    EXPECT_EQ(Levels(), (std::vector<uint32_t>{500, 3000, 0, 0, 0, 0, 0, 0}));
}

TEST_F(ButtonPageRules, AnUnknownStoredLevelChecksNothingAndGoesAtTheNextClick) {
    SetLevels({800, 1000});
    EXPECT_EQ(std::count(view.dpi.begin(), view.dpi.end(), true), 1);
    EXPECT_EQ(Levels()[0], 800u);  // shown is not stored
    ClickDpiToggle(view, profile, Toggle(2000));
    EXPECT_EQ(Levels(), (std::vector<uint32_t>{1000, 2000, 0, 0, 0, 0, 0, 0}));
    // Only positions 0..4 count as levels.
    SetLevels({500, 750, 1000, 1250, 1500, 3000});
    EXPECT_FALSE(view.dpi[Toggle(3000)]);
}

TEST_F(ButtonPageRules, ReportRatePrecisionAndTheirStoredValues) {
    ClickReportRate(view, profile, 0);
    EXPECT_EQ(profile.pollInterval, 8u);
    EXPECT_EQ(view.reportRate, (std::array<bool, 3>{true, false, false}));
    ClickReportRate(view, profile, 1);
    EXPECT_EQ(profile.pollInterval, 2u);
    profile.pollInterval = 4;  // none of the three
    view = ViewFromProfile(profile);
    EXPECT_EQ(view.reportRate, (std::array<bool, 3>{false, false, false}));
    ClickPrecision(view, profile);
    EXPECT_EQ(profile.enhancePointerPrecision, 1u);
    ClickPrecision(view, profile);
    EXPECT_EQ(profile.enhancePointerPrecision, 0u);
}

TEST_F(ButtonPageRules, TypedLinesAreCutToOneToThirty) {
    CommittedLines c = CommitScrollLines(u"007", view, profile);
    EXPECT_EQ(c.text, u"7");
    EXPECT_EQ(c.caret, 1u);
    EXPECT_EQ(profile.wheelScrollLines, 7);
    EXPECT_EQ(view.scrollLinesEdit, 7u);
    c = CommitScrollLines(u"45", view, profile);
    EXPECT_EQ(c.text, u"30");
    EXPECT_EQ(profile.wheelScrollLines, 30);
    c = CommitScrollLines(u"", view, profile);
    EXPECT_EQ(c.text, u"1");
    EXPECT_EQ(profile.wheelScrollLines, 1);
    EXPECT_EQ(CommitScrollLines(u"000", view, profile).text, u"1");
    // A long row of digits saturates instead of wrapping round to a small number.
    EXPECT_EQ(CommitScrollLines(u"4294967297", view, profile).text, u"30");
    // Pasted text without leading digits would mean a wheel that does not scroll.
    EXPECT_EQ(CommitScrollLines(u"0x5", view, profile).text, u"1");
    EXPECT_EQ(profile.wheelScrollLines, 1);
    EXPECT_EQ(CommitScrollLines(u"12ab", view, profile).text, u"12");
    // Signs, blanks and digits of other scripts are no digits: pasted, they mean one line.
    for (const char16_t* pasted : {u"-7", u"+7", u" 7", u"\uFF11\uFF15", u"\u0663", u"🎮"}) {
        EXPECT_EQ(CommitScrollLines(pasted, view, profile).text, u"1");
        EXPECT_EQ(profile.wheelScrollLines, 1);
    }
}

TEST_F(ButtonPageRules, StepButtonsStopAtTheEndsAndStartFromTheHeldNumber) {
    view.scrollLinesEdit = 30;
    StepLinesUp(view, profile);
    EXPECT_EQ(view.scrollLinesEdit, 30u);
    EXPECT_EQ(profile.wheelScrollLines, 30);
    view.scrollLinesEdit = 1;
    StepLinesDown(view, profile);
    EXPECT_EQ(view.scrollLinesEdit, 1u);
    StepLinesUp(view, profile);
    EXPECT_EQ(profile.wheelScrollLines, 2);
}

TEST_F(ButtonPageRules, ScreenChoiceAndBackToTheLastLines) {
    CommitScrollLines(u"12", view, profile);
    ChooseScreen(view, profile);
    EXPECT_EQ(profile.wheelScrollLines, -1);
    EXPECT_FALSE(view.linesEnabled);
    EXPECT_TRUE(view.screenChoice);
    ChooseLines(view, profile);
    EXPECT_EQ(profile.wheelScrollLines, 12);
    EXPECT_TRUE(view.linesEnabled);
    // A number typed and not yet taken is kept when the screen choice is clicked.
    ChooseLines(view, profile);
    EXPECT_EQ(ClickScreenChoice(u"018", view, profile), u"18");
    EXPECT_EQ(profile.wheelScrollLines, -1);
    ChooseLines(view, profile);
    EXPECT_EQ(profile.wheelScrollLines, 18);
    // Stored as one screen, the page shows 1 in the disabled field.
    profile.wheelScrollLines = -1;
    view = ViewFromProfile(profile);
    EXPECT_TRUE(view.screenChoice && !view.linesChoice && !view.linesEnabled);
    EXPECT_EQ(view.scrollLinesEdit, 1u);
    // A damaged stored amount shows the nearest usable one.
    profile.wheelScrollLines = -7;
    EXPECT_EQ(ViewFromProfile(profile).scrollLinesEdit, 1u);
    profile.wheelScrollLines = 99;
    EXPECT_EQ(ViewFromProfile(profile).scrollLinesEdit, 30u);
}

TEST_F(ButtonPageRules, ATabIsSelectedExactlyWhenItsFunctionDiffersFromTheDefault) {
    EXPECT_EQ(view.tabSelected, (std::array<bool, 7>{}));
    profile.buttons[4].functionType = 37;
    profile.buttons[6].functionType = 11;  // wheel down with wheel up's default
    profile.buttons[0].functionType = 1;
    view = ViewFromProfile(profile);
    EXPECT_EQ(view.tabSelected,
              (std::array<bool, 7>{false, false, false, false, true, false, true}));
}

}  // namespace
}  // namespace tarn
