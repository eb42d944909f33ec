#include "assign/button_page_rules.h"

#include <algorithm>

#include "catalogue/function_catalogue.h"

namespace tarn {

namespace {

uint32_t ClampLines(uint32_t n) {
    return std::clamp(n, kMinScrollLines, kMaxScrollLines);
}

void ShowLinesNumber(ButtonPageView& view, ProfileRecord& profile, uint32_t n) {
    view.scrollLinesEdit = n;
    profile.wheelScrollLines = static_cast<int32_t>(n);
}

}  // namespace

bool TabShownSelected(const ProfileRecord& profile, int button) {
    if (button < 0 || button >= kButtonCount) return false;
    return static_cast<FunctionCode>(profile.buttons[button].functionType) !=
           DefaultFunctionCodes[button];
}

int ReportRateChoiceOf(uint32_t pollInterval) {
    for (int k = 0; k < kReportRateCount; ++k) {
        if (ReportRateIntervals[k] == pollInterval) return k;
    }
    return -1;
}

ButtonPageView ViewFromProfile(const ProfileRecord& profile) {
    ButtonPageView view;
    for (int i = 0; i < kDpiChoiceCount; ++i) {
        for (int p = 0; p < kMaxDpiLevels; ++p) {
            if (profile.dpiLevels[p] == DpiChoices[i]) view.dpi[i] = true;
        }
    }
    view.precision = profile.enhancePointerPrecision == 1;
    const int rate = ReportRateChoiceOf(profile.pollInterval);
    if (rate >= 0) view.reportRate[rate] = true;
    if (profile.wheelScrollLines == kScrollOneScreen) {
        view.linesChoice = false;
        view.screenChoice = true;
        view.linesEnabled = false;
        view.scrollLinesEdit = 1;
    } else {
        view.linesChoice = true;
        view.screenChoice = false;
        view.linesEnabled = true;
        // A damaged file may hold 0, a negative number or a huge one: the edit shows the
        // nearest number the system takes instead of wrapping to a ten-digit count.
        const int32_t stored = profile.wheelScrollLines;
        view.scrollLinesEdit =
            stored < 1 ? kMinScrollLines : ClampLines(static_cast<uint32_t>(stored));
    }
    for (int i = 0; i < kButtonCount; ++i) view.tabSelected[i] = TabShownSelected(profile, i);
    return view;
}

void WriteDpiLevels(const std::array<bool, kDpiChoiceCount>& checked, ProfileRecord& profile) {
    int next = 0;
    for (int i = 0; i < kDpiChoiceCount; ++i) {
        if (checked[i] && next < kDpiLevelSlots) profile.dpiLevels[next++] = DpiChoices[i];
    }
    for (int p = next; p < kDpiLevelSlots; ++p) profile.dpiLevels[p] = 0;
}

void ClickDpiToggle(ButtonPageView& view, ProfileRecord& profile, int i) {
    if (i < 0 || i >= kDpiChoiceCount) return;
    const int n = static_cast<int>(std::count(view.dpi.begin(), view.dpi.end(), true));
    bool& toggle = view.dpi[i];
    if (n >= kMaxDpiLevels) {
        // Full: only unchecking is possible.
        if (toggle) toggle = false;
    } else if (toggle) {
        // The last level stays: the mouse needs one.
        if (n > 1) toggle = false;
    } else {
        toggle = true;
    }
    WriteDpiLevels(view.dpi, profile);
}

void ClickPrecision(ButtonPageView& view, ProfileRecord& profile) {
    view.precision = !view.precision;
    profile.enhancePointerPrecision = view.precision ? 1 : 0;
}

void ClickReportRate(ButtonPageView& view, ProfileRecord& profile, int k) {
    if (k < 0 || k >= kReportRateCount) return;
    for (int j = 0; j < kReportRateCount; ++j) view.reportRate[j] = j == k;
    profile.pollInterval = ReportRateIntervals[k];
}

void ChooseLines(ButtonPageView& view, ProfileRecord& profile) {
    view.linesChoice = true;
    view.screenChoice = false;
    view.linesEnabled = true;
    profile.wheelScrollLines = static_cast<int32_t>(ClampLines(view.scrollLinesEdit));
}

void ChooseScreen(ButtonPageView& view, ProfileRecord& profile) {
    view.linesChoice = false;
    view.screenChoice = true;
    view.linesEnabled = false;
    profile.wheelScrollLines = kScrollOneScreen;
}

void StepLinesUp(ButtonPageView& view, ProfileRecord& profile) {
    const uint32_t n =
        view.scrollLinesEdit >= kMaxScrollLines ? kMaxScrollLines : view.scrollLinesEdit + 1;
    ShowLinesNumber(view, profile, n);
}

void StepLinesDown(ButtonPageView& view, ProfileRecord& profile) {
    const uint32_t n =
        view.scrollLinesEdit <= kMinScrollLines ? kMinScrollLines : view.scrollLinesEdit - 1;
    ShowLinesNumber(view, profile, n);
}

CommittedLines CommitScrollLines(std::u16string_view typed, ButtonPageView& view,
                                 ProfileRecord& profile) {
    std::u16string_view text = typed;
    while (!text.empty() && text.front() == u'0') text.remove_prefix(1);
    if (text.empty()) {
        ShowLinesNumber(view, profile, 1);
        return {u"1", 1};
    }
    uint32_t n = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') break;
        // Saturates instead of wrapping, so a long row of digits still means "many".
        n = std::min<uint32_t>(n * 10 + static_cast<uint32_t>(c - u'0'), kMaxScrollLines);
    }
    // Text that starts with no digit (pasted into the field) would give 0 lines, a wheel
    // that no longer scrolls; it counts as empty.
    if (n == 0) n = kMinScrollLines;
    ShowLinesNumber(view, profile, n);
    const std::string digits = std::to_string(n);
    return {std::u16string(digits.begin(), digits.end()), text.size()};
}

std::u16string ClickScreenChoice(std::u16string_view typed, ButtonPageView& view,
                                 ProfileRecord& profile) {
    std::u16string text(typed);
    if (view.linesChoice) text = CommitScrollLines(typed, view, profile).text;
    ChooseScreen(view, profile);
    return text;
}

}  // namespace tarn
