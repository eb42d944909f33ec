// The progress window's rules: its text in the interface language, where its pictures are, and
// what a progress message does.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "skin/skin_geometry.h"

namespace tarn {

inline constexpr std::u16string_view kProgressWindowText = u"NirelTarnProcessDlg";
inline constexpr int kProgressBarId = 777;
inline constexpr int kProgressMaximum = 100;
// The window stays this long at 100 so the user sees the bar full.
inline constexpr uint32_t kProgressCloseDelayMs = 500;

// The text above the bar, chosen by ChineseUi when the window opens.
std::u16string_view ProgressText();
// "<programFolder>\skins\ProgressBar\<name>".
std::u16string ProgressPicturePath(std::u16string_view name);

struct ProgressStep {
    int position;  // what the bar shows
    bool close;    // close the window after kProgressCloseDelayMs
};

// A position beyond 100 counts as 100, so a stray value never leaves the window open.
ProgressStep OnProgress(uintptr_t position);

}  // namespace tarn
