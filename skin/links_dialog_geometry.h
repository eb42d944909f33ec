// The "Programs" dialog (bitmap resources 1020..1022): where its list, status line and buttons
// sit, shared by the skin renderer that paints the pictures and the window that cuts them.
#pragma once

#include "skin/skin_geometry.h"

namespace tarn::geo::links_dialog {

inline constexpr Size kSize{440, 380};
inline constexpr Rect kTitle{10, 9, 220, 23};
inline constexpr Rect kClose{410, 0, 439, 29};
// The light card of the list, and the rows inside it.
inline constexpr Rect kCard{12, 38, 428, 292};
inline constexpr Rect kRows{18, 44, 410, 286};
inline constexpr int kRowHeight = 22;
inline constexpr int kVisibleRows = kRows.height() / kRowHeight;
// Program rows are indented under their profile's row.
inline constexpr int kProgramIndent = 22;
// The scroll bar beside the rows, shown when they do not all fit.
inline constexpr Rect kScrollTrack{414, 46, 422, 284};
inline constexpr Rect kStatus{14, 298, 426, 330};
inline constexpr Rect kAdd{12, 336, 112, 370};
inline constexpr Rect kPick{116, 336, 236, 370};
inline constexpr Rect kRemove{240, 336, 330, 370};
inline constexpr Rect kCloseButton{338, 336, 428, 370};
// Resources: normal, over, down.
inline constexpr int kNormalPicture = 1020, kOverPicture = 1021, kDownPicture = 1022;

}  // namespace tarn::geo::links_dialog
