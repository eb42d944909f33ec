// The rules of the button settings page without its window: the resolution toggles, the report
// rate, pointer precision and the wheel scroll amount, read from and written into the current
// profile. The page's window shows the view state these functions keep.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "settings/profile_record.h"

namespace tarn {

inline constexpr int kDpiChoiceCount = 8;
inline constexpr std::array<uint32_t, kDpiChoiceCount> DpiChoices{500,  750,  1000, 1250,
                                                                  1500, 1750, 2000, 3000};
inline constexpr int kMaxDpiLevels = 5;
inline constexpr int kDpiLevelSlots = 8;

// 125 Hz, 500 Hz, 1000 Hz as milliseconds between reports.
inline constexpr int kReportRateCount = 3;
inline constexpr std::array<uint32_t, kReportRateCount> ReportRateIntervals{8, 2, 1};

inline constexpr uint32_t kMinScrollLines = 1;
inline constexpr uint32_t kMaxScrollLines = 30;
inline constexpr int32_t kScrollOneScreen = -1;

inline constexpr int kPointerSpeedMin = 1, kPointerSpeedMax = 20;
inline constexpr int kSecondSliderMin = 1, kSecondSliderMax = 30;

// What the page's controls show.
struct ButtonPageView {
    std::array<bool, kDpiChoiceCount> dpi{};
    bool precision = false;
    std::array<bool, kReportRateCount> reportRate{};
    bool linesChoice = true;
    bool screenChoice = false;
    bool linesEnabled = true;  // the edit and its two step buttons
    uint32_t scrollLinesEdit = 1;
    std::array<bool, kButtonCount> tabSelected{};
};

// The whole view from the profile (the page's refresh).
ButtonPageView ViewFromProfile(const ProfileRecord& profile);

// A tab shows selected exactly while its button's function differs from the default.
bool TabShownSelected(const ProfileRecord& profile, int button);

// A click on resolution toggle i: one to five levels stay checked; then dpiLevels holds the
// checked choices in ascending order, followed by zeros.
void ClickDpiToggle(ButtonPageView& view, ProfileRecord& profile, int i);
void WriteDpiLevels(const std::array<bool, kDpiChoiceCount>& checked, ProfileRecord& profile);

void ClickPrecision(ButtonPageView& view, ProfileRecord& profile);
// k: 0 125 Hz, 1 500 Hz, 2 1000 Hz.
void ClickReportRate(ButtonPageView& view, ProfileRecord& profile, int k);
// The report-rate toggle of a stored interval; -1 for a value that is none of the three.
int ReportRateChoiceOf(uint32_t pollInterval);

void ChooseLines(ButtonPageView& view, ProfileRecord& profile);
void ChooseScreen(ButtonPageView& view, ProfileRecord& profile);
void StepLinesUp(ButtonPageView& view, ProfileRecord& profile);
void StepLinesDown(ButtonPageView& view, ProfileRecord& profile);

// Taking the typed lines: the edit's new text and where its caret goes.
struct CommittedLines {
    std::u16string text;
    size_t caret = 0;
};
CommittedLines CommitScrollLines(std::u16string_view typed, ButtonPageView& view,
                                 ProfileRecord& profile);

// The screen choice as a click makes it: a number typed into the field a moment ago (and not
// yet taken by the timer) is taken first, so choosing the lines again brings it back instead of
// the number before it. Returns the field's text.
std::u16string ClickScreenChoice(std::u16string_view typed, ButtonPageView& view,
                                 ProfileRecord& profile);

}  // namespace tarn
