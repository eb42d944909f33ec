#include "assign/assignment_panel_state.h"

#include <gtest/gtest.h>

#include <vector>

namespace tarn {
namespace {

struct FakePages : SubPageFiller {
    std::vector<int> filled;
    uint32_t code = 0;
    void FillResult(int page, AssignmentResult& result) override {
        filled.push_back(page);
        result.code = code;
        if (page == kPageCombination) result.kind = kKindCombination;
    }
};

TEST(AssignmentPanel, OpensOnTheCombinationPageWithTheCaptureOn) {
    AssignmentPanelState p(3);
    p.ShowPage(kPageCombination);
    EXPECT_TRUE(p.TabChecked(1) && p.PageVisible(1));
    EXPECT_FALSE(p.TabChecked(2) || p.PageVisible(3));
    EXPECT_TRUE(p.CaptureOn());
    p.ShowPage(kPageBasic);
    EXPECT_FALSE(p.CaptureOn());
    EXPECT_TRUE(p.PageVisible(3) && !p.PageVisible(1));
}

TEST(AssignmentPanel, TheDisableBoxHidesEverythingUntilUnchecked) {
    AssignmentPanelState p(0);
    p.ShowPage(kPageMacro);
    p.ToggleDisable();
    for (int n = 1; n <= 4; ++n) EXPECT_FALSE(p.TabChecked(n) || p.PageVisible(n));
    p.ShowPage(kPageBasic);
    EXPECT_FALSE(p.PageVisible(3));
    p.ToggleDisable();
    EXPECT_TRUE(p.PageVisible(1) && p.CaptureOn());
    // OK with the box checked ignores the sub-pages.
    p.ToggleDisable();
    FakePages pages;
    pages.code = 37;
    EXPECT_EQ(p.Ok(pages), PanelEnd::Ok);
    EXPECT_TRUE(pages.filled.empty());
    EXPECT_EQ(p.Result().code, kDisabledCode);
    EXPECT_EQ(p.Result().kind, kKindDisabled);
}

TEST(AssignmentPanel, EveryEndingSwitchesTheCaptureOff) {
    FakePages pages;
    AssignmentPanelState close(1);
    close.ShowPage(kPageCombination);
    EXPECT_EQ(close.Close(), PanelEnd::Cancel);
    EXPECT_FALSE(close.CaptureOn());

    AssignmentPanelState ok(1);
    ok.ShowPage(kPageCombination);
    EXPECT_EQ(ok.Ok(pages), PanelEnd::Cancel);  // nothing chosen
    EXPECT_EQ(pages.filled, std::vector<int>{1});
    EXPECT_FALSE(ok.CaptureOn());

    AssignmentPanelState other(1);
    other.ShowPage(kPageCombination);
    other.Ended();
    EXPECT_FALSE(other.CaptureOn());
}

TEST(AssignmentPanel, DefaultGivesTheButtonsOwnFunction) {
    AssignmentPanelState wheel(6);
    wheel.ShowPage(kPageCombination);
    EXPECT_EQ(wheel.Default(), PanelEnd::Ok);
    EXPECT_EQ(wheel.Result().code, 22u);
    EXPECT_EQ(wheel.Result().kind, kKindBasic);
    EXPECT_FALSE(wheel.CaptureOn());
    AssignmentPanelState left(0);
    left.Default();
    EXPECT_EQ(left.Result().code, 1u);
}

TEST(AssignmentPanel, OkAsksOnlyTheVisiblePage) {
    AssignmentPanelState p(4);
    p.ShowPage(kPageBasic);
    FakePages pages;
    pages.code = 37;
    EXPECT_EQ(p.Ok(pages), PanelEnd::Ok);
    EXPECT_EQ(pages.filled, std::vector<int>{3});
    EXPECT_EQ(p.Result().code, 37u);
    EXPECT_EQ(p.Result().buttonIndex, 4);
}

}  // namespace
}  // namespace tarn
