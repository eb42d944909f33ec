// Where every skinned control sits, in its window's client pixels (left, top, right, bottom).
// The skin renderer paints the pictures from these rectangles and the windows create their
// controls at them, so a painted label can never drift away from its button. Portable: no
// platform header, only constants.
#pragma once

#include <array>

namespace tarn::geo {

struct Rect {
    int left, top, right, bottom;
    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    constexpr bool contains(int x, int y) const {
        return x >= left && x < right && y >= top && y < bottom;
    }
};

struct Point {
    int x, y;
};

// A quadrilateral outline, corners clockwise from the top left.
using Quad = std::array<Point, 4>;

struct Size {
    int width, height;
};

// A control with a Chinese and an English placement (first while ChineseUi is set).
struct Placed {
    Rect zh, en;
    constexpr const Rect& get(bool chinese) const { return chinese ? zh : en; }
};
constexpr Placed Both(Rect r) {
    return {r, r};
}

constexpr Rect BoundingBox(const Quad& q) {
    Rect r{q[0].x, q[0].y, q[0].x, q[0].y};
    for (const Point& p : q) {
        if (p.x < r.left) r.left = p.x;
        if (p.y < r.top) r.top = p.y;
        if (p.x > r.right) r.right = p.x;
        if (p.y > r.bottom) r.bottom = p.y;
    }
    return r;
}

// ---- Main window: "Main_*.bmp" and the tab resources 154..159 -------------------------------
namespace main_window {
inline constexpr Size kSize{959, 639};
inline constexpr Rect kMinimize{887, 2, 921, 33};
inline constexpr Rect kHide{922, 2, 956, 33};
inline constexpr Rect kLanguageButton{15, 617, 57, 635};
inline constexpr Rect kLanguageIndicator{19, 592, 55, 615};
inline constexpr Rect kHintLine{67, 598, 300, 628};
inline constexpr Rect kPageArea{15, 128, 940, 580};
inline constexpr std::array<Quad, 5> kTabs{{
    {{{30, 85}, {189, 85}, {210, 121}, {30, 121}}},
    {{{193, 85}, {375, 85}, {396, 121}, {214, 121}}},
    {{{377, 85}, {559, 85}, {579, 121}, {399, 121}}},
    {{{562, 85}, {743, 85}, {764, 121}, {583, 121}}},
    {{{747, 85}, {928, 85}, {928, 121}, {768, 121}}},
}};
inline constexpr std::array<Quad, 5> kProfiles{{
    {{{342, 608}, {435, 608}, {414, 635}, {321, 635}}},
    {{{439, 608}, {533, 608}, {512, 635}, {417, 635}}},
    {{{536, 608}, {628, 608}, {605, 635}, {513, 635}}},
    {{{630, 608}, {723, 608}, {700, 635}, {607, 635}}},
    {{{725, 608}, {818, 608}, {795, 635}, {703, 635}}},
}};
inline constexpr Quad kOk{{{841, 591}, {940, 591}, {940, 632}, {806, 632}}};
}  // namespace main_window

// ---- Information box: bitmap resources 1004..1009 --------------------------------------------
namespace info_box {
inline constexpr Size kSize{330, 160};
inline constexpr Rect kClose{300, 0, 329, 29};
inline constexpr Rect kOkWithCancel{178, 127, 244, 159};
inline constexpr Rect kCancel{245, 127, 311, 159};
inline constexpr Rect kOkAlone{240, 127, 306, 159};
inline constexpr Rect kMessage{90, 73, 305, 91};
// A message longer than one line grows into the panel above and below its line instead of being
// cut after a few words (a path in an error message must stay readable).
inline constexpr Rect kMessageRoom{90, 42, 305, 122};
inline constexpr Rect kTitle{10, 9, 100, 23};
// Resources: normal, over, down by mode.
inline constexpr int kWithCancelNormal = 1006, kWithCancelOver = 1008, kWithCancelDown = 1004;
inline constexpr int kOkOnlyNormal = 1007, kOkOnlyOver = 1009, kOkOnlyDown = 1005;
}  // namespace info_box

// ---- Progress window: "ProgressBar\Progress_Normal.png" / "Progress_Over.png" ---------------
namespace progress_window {
inline constexpr Size kSize{330, 80};
inline constexpr Rect kBar{35, 47, 295, 56};
inline constexpr Rect kText{35, 20, 345, 60};
}  // namespace progress_window

// ---- The slider thumb "Slider.png" ------------------------------------------------------------
inline constexpr Size kSliderThumb{12, 12};

// ---- Button page: "Tarn_Main_*.bmp" and resources 160..165 -----------------------------------
namespace button_page {
inline constexpr Size kSize{925, 452};
inline constexpr Size kResourceSize{925, 456};
inline constexpr std::array<int, 8> kDpiLeft{69, 135, 206, 277, 347, 418, 486, 557};
inline constexpr std::array<int, 8> kDpiRight{111, 182, 255, 325, 393, 464, 534, 606};
inline constexpr int kDpiTop = 66, kDpiBottom = 80;
constexpr Rect DpiToggle(int i) {
    return {kDpiLeft[i], kDpiTop, kDpiRight[i], kDpiBottom};
}
inline constexpr Rect kPointerSpeed{104, 167, 293, 179};
inline constexpr Rect kPrecision{68, 203, 178, 219};
inline constexpr Rect kSecondSlider{422, 167, 624, 179};
inline constexpr std::array<Rect, 3> kReportRates{
    {{67, 303, 120, 317}, {134, 303, 190, 317}, {201, 303, 261, 317}}};
inline constexpr Placed kLinesChoice{{406, 331, 558, 345}, {406, 331, 669, 347}};
inline constexpr Placed kLinesEdit{{574, 333, 590, 358}, {550, 355, 573, 377}};
inline constexpr Placed kStepUp{{594, 330, 607, 340}, {573, 350, 588, 361}};
inline constexpr Placed kStepDown{{594, 341, 607, 350}, {573, 361, 588, 372}};
inline constexpr Placed kScreenChoice{{406, 361, 527, 375}, {406, 375, 672, 393}};
inline constexpr std::array<Placed, 7> kMarkers{{
    {{764, 138, 788, 161}, {763, 139, 787, 160}},
    {{798, 148, 820, 170}, {795, 151, 820, 172}},
    {{831, 140, 853, 162}, {831, 139, 855, 163}},
    {{717, 193, 747, 233}, {716, 192, 747, 233}},
    {{725, 243, 749, 266}, {725, 243, 749, 266}},
    {{799, 123, 821, 146}, {799, 120, 820, 144}},
    {{798, 178, 820, 200}, {798, 176, 820, 199}},
}};
// Area titles: resolution, pointer speed, sensor, report rate, wheel, buttons.
inline constexpr std::array<Rect, 6> kTitles{{{40, 27, 176, 49},
                                              {29, 127, 288, 157},
                                              {372, 129, 568, 154},
                                              {30, 262, 208, 287},
                                              {374, 263, 661, 287},
                                              {29, 366, 205, 395}}};
// Tab i is the polygon (x1,408) (x2,408) (x3,441) (x4,441).
inline constexpr int kTabTop = 408, kTabBottom = 441;
inline constexpr std::array<std::array<int, 4>, 7> kTabX{{{19, 127, 95, 19},
                                                          {130, 214, 182, 98},
                                                          {218, 302, 270, 186},
                                                          {306, 389, 357, 274},
                                                          {393, 476, 444, 361},
                                                          {481, 581, 549, 449},
                                                          {586, 692, 660, 554}}};
constexpr Quad Tab(int i) {
    return {{{kTabX[i][0], kTabTop},
             {kTabX[i][1], kTabTop},
             {kTabX[i][2], kTabBottom},
             {kTabX[i][3], kTabBottom}}};
}
}  // namespace button_page

// ---- Assignment panel: "setting\Setting_*.bmp" -----------------------------------------------
namespace panel {
inline constexpr Size kSize{412, 290};
inline constexpr Rect kClose{383, 1, 411, 24};
inline constexpr std::array<Rect, 4> kTabs{
    {{0, 37, 110, 64}, {111, 37, 207, 64}, {208, 37, 303, 64}, {304, 37, 412, 64}}};
inline constexpr Rect kDisable{23, 258, 42, 277};
inline constexpr Rect kDefault{238, 254, 315, 289};
inline constexpr Rect kOk{316, 254, 393, 289};
inline constexpr Rect kSubPage{21, 74, 391, 243};
inline constexpr Rect kTitle{75, 1, 317, 20};
inline constexpr Rect kCurrent{5, 16, 180, 38};
inline constexpr Rect kDisableLabel{46, 258, 106, 278};
// Most languages' texts are longer than the short Chinese ones these two were drawn for: they
// may run on over the free panel up to the next control before they are cut.
inline constexpr Rect kCurrentRoom{5, 16, 378, 38};
inline constexpr Rect kDisableLabelRoom{46, 258, 234, 278};
}  // namespace panel

// ---- Sub-pages of the panel: "combo\", "base\", "macro\", "advanced\" ------------------------
namespace sub_page {
inline constexpr Size kSize{370, 169};
inline constexpr std::array<Rect, 4> kModifiers{{{59, 45, 72, 58},  // Ctrl, Alt, Shift, Win
                                                 {59, 70, 72, 83},
                                                 {59, 94, 72, 108},
                                                 {58, 119, 72, 133}}};
inline constexpr Rect kComboKey{170, 77, 326, 100};
inline constexpr std::array<Rect, 4> kActionChoices{
    {{21, 37, 38, 54}, {21, 63, 38, 80}, {21, 88, 38, 105}, {21, 114, 38, 131}}};
inline constexpr std::array<Rect, 4> kActionPaths{
    {{124, 36, 263, 52}, {124, 63, 262, 79}, {124, 89, 262, 105}, {124, 116, 262, 132}}};
inline constexpr std::array<Rect, 4> kActionBrowse{
    {{273, 33, 349, 55}, {273, 59, 349, 81}, {273, 86, 349, 108}, {273, 113, 349, 135}}};
inline constexpr std::array<Rect, 4> kActionLabels{
    {{41, 36, 127, 56}, {41, 63, 127, 83}, {41, 89, 127, 109}, {41, 116, 127, 136}}};
}  // namespace sub_page

// ---- Macro manager: "Macro_*.bmp" ------------------------------------------------------------
namespace macro_page {
inline constexpr Size kSize{925, 452};
inline constexpr Rect kGroupButton{25, 48, 327, 71};
inline constexpr Rect kMacroList{27, 89, 325, 406};
inline constexpr Rect kNewMacro{26, 412, 67, 441};
inline constexpr Rect kDeleteMacro{77, 412, 139, 441};
inline constexpr Rect kEventList{345, 51, 626, 406};
inline constexpr Placed kInsert{{361, 412, 391, 441}, {343, 412, 373, 440}};
inline constexpr Placed kDeleteEntry{{394, 412, 424, 441}, {376, 412, 406, 440}};
inline constexpr Placed kModify{{427, 412, 457, 441}, {409, 412, 439, 440}};
inline constexpr Rect kRecord{783, 22, 899, 53};
inline constexpr Rect kDelayToggle{646, 58, 834, 76};
inline constexpr Rect kLoopField{852, 87, 892, 102};
inline constexpr Placed kLeftSpot{{718, 213, 745, 257}, {715, 185, 740, 207}};
inline constexpr Placed kMiddleSpot{{754, 205, 782, 256}, {756, 166, 780, 189}};
inline constexpr Placed kRightSpot{{791, 213, 823, 257}, {802, 186, 825, 209}};
inline constexpr Placed kKeyChoice{{644, 340, 757, 357}, {644, 316, 779, 335}};
inline constexpr Placed kKeyField{{666, 365, 821, 379}, {664, 340, 823, 358}};
inline constexpr Placed kKeyConfirm{{852, 362, 892, 383}, {852, 340, 892, 358}};
inline constexpr Placed kDelayChoice{{644, 389, 768, 405}, {644, 364, 790, 382}};
inline constexpr Placed kDelayField{{666, 415, 821, 428}, {664, 389, 823, 407}};
inline constexpr Placed kDelayConfirm{{852, 412, 892, 434}, {852, 389, 892, 407}};
inline constexpr Rect kGroupTitle{24, 19, 120, 40};
inline constexpr Rect kEntryTitle{340, 19, 427, 39};
// The insert/modify panel's area around the key and delay rows; dimmed while it is closed.
inline constexpr Placed kEditArea{{642, 334, 908, 440}, {642, 310, 908, 413}};
// Beneath the two lists, only for their hints.
inline constexpr Rect kMacroListFrame{26, 87, 324, 406};
inline constexpr Rect kEntryListFrame{342, 49, 625, 407};
}  // namespace macro_page

// ---- Lighting page: "Light\LedSet_*.bmp" -----------------------------------------------------
namespace lighting_page {
inline constexpr Size kSize{925, 452};
inline constexpr Placed kMode4{{197, 36, 309, 52}, {197, 36, 407, 53}};
inline constexpr Placed kMode3{{368, 36, 481, 52}, {450, 34, 665, 52}};
inline constexpr Placed kMode5{{557, 36, 638, 52}, {710, 34, 828, 54}};
inline constexpr Placed kMode2{{197, 68, 279, 86}, {196, 70, 286, 87}};
inline constexpr Placed kMode2Slider{{459, 65, 603, 80}, {571, 72, 713, 83}};
inline constexpr Placed kMode1{{197, 103, 279, 120}, {196, 103, 301, 118}};
inline constexpr Placed kMode1Slider{{459, 99, 603, 114}, {571, 105, 713, 115}};
inline constexpr Placed kBodyOn{{199, 136, 248, 150}, {325, 133, 394, 153}};
inline constexpr Placed kBodyOff{{325, 136, 375, 150}, {451, 133, 526, 152}};
inline constexpr Placed kSwatch{{171, 206, 196, 232}, {170, 207, 195, 232}};
inline constexpr Placed kRedSlider{{564, 272, 692, 287}, {571, 279, 698, 287}};
inline constexpr Placed kGreenSlider{{564, 319, 692, 334}, {571, 326, 698, 336}};
inline constexpr Placed kBlueSlider{{564, 354, 692, 379}, {571, 370, 698, 379}};
inline constexpr std::array<Rect, 3> kNumberFields{
    {{713, 275, 738, 290}, {713, 323, 738, 338}, {713, 367, 738, 383}}};
// Title areas with hint ids 75, 80, 81, 82, 84, 85.
inline constexpr std::array<Placed, 6> kTitles{{
    Both({21, 25, 176, 50}),
    {{21, 138, 171, 167}, {17, 159, 253, 183}},
    {{25, 166, 404, 195}, {17, 184, 516, 206}},
    Both({28, 207, 159, 229}),
    Both({30, 247, 131, 265}),
    Both({482, 239, 631, 260}),
}};
// Preset swatch k: three rows of seven and a fourth of five.
inline constexpr int kPresetCount = 26;
constexpr Rect PresetSwatch(int k, bool chinese) {
    const int c = k % 7, r = k / 7;
    const int left = (chinese ? 140 : 177) + 40 * c - (c > 4 ? 1 : 0);
    const int top = (chinese ? 256 : 258) + 41 * r;
    return {left, top, left + 31, top + (chinese ? 32 : 31)};
}
// The colour wheel: the ellipse inscribed in this rectangle, painted into the normal picture
// as a hue wheel (white at the centre). The page reads the pixel under a click, so the painted
// colour is the chosen one.
inline constexpr Rect kWheel{771, 264, 891, 383};
}  // namespace lighting_page

// ---- Statistics page: "Sts_*.bmp" and "trophy\trophy%dDown.bmp" ------------------------------
namespace stats_page {
inline constexpr Size kSize{925, 452};
inline constexpr Rect kBigTrophy{309, 0, 607, 451};
inline constexpr Size kTrophySize{298, 451};
inline constexpr Rect kProgressBar{630, 62, 901, 74};
inline constexpr Rect kReset{703, 379, 832, 410};
constexpr Rect SmallTrophy(int k) {
    const int left = 647 + 50 * (k % 5), top = 132 + 58 * (k / 5);
    return {left, top, left + 43, top + 50};
}
inline constexpr int kTrophyLevels = 13;
// Counter rows: value rectangles' y ranges (left clicks .. distance).
inline constexpr int kRowCount = 8;
inline constexpr int kDistanceRow = 7;
inline constexpr std::array<int, 8> kRowTop{85, 119, 152, 183, 250, 284, 319, 384};
inline constexpr std::array<int, 8> kRowBottom{106, 139, 172, 203, 270, 304, 339, 404};
// A row's value text, right-aligned in it; the Chinese labels are wider, and the Chinese
// distance label wider still.
constexpr Rect ValueRect(int row, bool chinese) {
    const int left = !chinese ? 152 : row == kDistanceRow ? 187 : 167;
    return {left, kRowTop[row], left + 75, kRowBottom[row]};
}
}  // namespace stats_page

// ---- Support page: "support_*.bmp" -----------------------------------------------------------
namespace support_page {
inline constexpr Size kSize{925, 452};
inline constexpr Rect kUpdate{405, 264, 520, 293};
inline constexpr Rect kWebSite{711, 264, 826, 293};
inline constexpr Rect kImport{134, 389, 224, 420};
inline constexpr Rect kExport{234, 389, 324, 420};
inline constexpr Rect kRestore{785, 388, 873, 417};
inline constexpr Rect kDriverVersion{77, 110, 274, 141};
inline constexpr Rect kFirmwareVersion{380, 113, 559, 140};
}  // namespace support_page

// ---- Language menu and other resources -------------------------------------------------------
inline constexpr Size kFlag{37, 22};
inline constexpr Size kLanguageIcon{19, 11};
inline constexpr Size kPopupBackground{65, 65};
inline constexpr Size kScrollSkin{163, 54};
inline constexpr Size kMenuPiece{200, 24};
inline constexpr Size kListIcon{12, 12};

}  // namespace tarn::geo
