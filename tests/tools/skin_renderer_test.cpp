// The skin renderer as the build runs it: every picture the program loads, at its size, in
// the formats the program reads, with visible state differences and a real colour wheel.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "lighting/led_colours.h"
#include "lighting/led_view.h"
#include "skin/bmp_check.h"
#include "skin/links_dialog_geometry.h"
#include "skin/skin_geometry.h"

namespace {

namespace fs = std::filesystem;
namespace geo = tarn::geo;

fs::path Renderer() {
    if (const char* dir = std::getenv("TARN_BINARY_DIR"))
        return fs::path(dir) / "bin" / "skin_renderer";
    return fs::read_symlink("/proc/self/exe").parent_path() / "skin_renderer";
}

int RunRenderer(const std::string& args) {
    const int status = std::system((Renderer().string() + " " + args + " 2>/dev/null").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<uint8_t> Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
uint32_t Be32(const std::vector<uint8_t>& b, size_t at) {
    return (static_cast<uint32_t>(b[at]) << 24) | (b[at + 1] << 16) | (b[at + 2] << 8) | b[at + 3];
}

// A 24-bit BMP as the picture loaders read it.
struct Bmp {
    std::vector<uint8_t> data;
    int width = 0, height = 0, bits = 0;
    explicit Bmp(const fs::path& path) : data(Bytes(path)) {
        if (data.size() < 54 || data[0] != 'B' || data[1] != 'M') return;
        width = static_cast<int>(Le32(data, 18));
        height = static_cast<int>(Le32(data, 22));
        bits = data[28] | (data[29] << 8);
    }
    // Red, green, blue of a pixel (rows are stored bottom-up).
    std::array<int, 3> At(int x, int y) const {
        const size_t row = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
        const size_t at = 54 + row * (height - 1 - y) + 3 * static_cast<size_t>(x);
        return {data[at + 2], data[at + 1], data[at]};
    }
    long Difference(const Bmp& other, const geo::Rect& r) const {
        long sum = 0;
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) {
                const auto a = At(x, y), b = other.At(x, y);
                for (int i = 0; i < 3; ++i) sum += std::abs(a[i] - b[i]);
            }
        }
        return sum;
    }
};

void ExpectBmp(const fs::path& path, geo::Size size) {
    const Bmp bmp(path);
    EXPECT_EQ(bmp.width, size.width) << path;
    EXPECT_EQ(bmp.height, size.height) << path;
    EXPECT_EQ(bmp.bits, 24) << path;
    // The program loads only pictures that pass its check of cut-off files.
    EXPECT_TRUE(tarn::skin::PictureBytesLoadable(bmp.data.data(), bmp.data.size())) << path;
}

// Pictures drawn over the page need their transparency; opaque ones may do without.
void ExpectPng(const fs::path& path, geo::Size size, bool alpha = true) {
    const std::vector<uint8_t> b = Bytes(path);
    ASSERT_GE(b.size(), 26u) << path;
    EXPECT_EQ(b[1], 'P') << path;
    EXPECT_EQ(Be32(b, 16), static_cast<uint32_t>(size.width)) << path;
    EXPECT_EQ(Be32(b, 20), static_cast<uint32_t>(size.height)) << path;
    if (alpha) {
        EXPECT_EQ(b[25], 6) << path << " has no alpha channel";
    } else {
        EXPECT_TRUE(b[25] == 2 || b[25] == 6) << path << " is not a colour PNG";
    }
}

class SkinRenderer : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!fs::exists(Renderer())) return;
        root_ = fs::temp_directory_path() / ("skin_renderer_test_" + std::to_string(getpid()));
        fs::remove_all(root_);
        status_ = RunRenderer("--skins " + (root_ / "en").string() + " --resources " +
                              (root_ / "res").string());
        chineseStatus_ = RunRenderer("--chinese --skins " + (root_ / "zh").string());
    }
    static void TearDownTestSuite() {
        if (!root_.empty()) fs::remove_all(root_);
    }
    void SetUp() override {
        if (!fs::exists(Renderer())) GTEST_SKIP() << "skin_renderer is not built";
    }
    static fs::path root_;
    static int status_, chineseStatus_;
};
fs::path SkinRenderer::root_;
int SkinRenderer::status_ = -1;
int SkinRenderer::chineseStatus_ = -1;

TEST_F(SkinRenderer, WritesEverySkinFileTheProgramLoads) {
    ASSERT_EQ(status_, 0);
    const fs::path en = root_ / "en";
    const geo::Size page = geo::button_page::kSize;
    const struct {
        const char* folder;
        const char* names[3];
        geo::Size size;
    } threes[] = {
        {"", {"Main_Normal.bmp", "Main_Down.bmp", "Main_Over.bmp"}, geo::main_window::kSize},
        {"", {"Tarn_Main_Normal.bmp", "Tarn_Main_Down.bmp", "Tarn_Main_Over.bmp"}, page},
        {"setting",
         {"Setting_Normal.bmp", "Setting_Down.bmp", "Setting_Over.bmp"},
         geo::panel::kSize},
        {"base", {"Base_Normal.bmp", "Base_Down.bmp", "Base_Over.bmp"}, geo::sub_page::kSize},
        {"advanced",
         {"Advanced_Normal.bmp", "Advanced_Down.bmp", "Advanced_Over.bmp"},
         geo::sub_page::kSize},
        {"macro", {"Macro_Normal.bmp", "Macro_Down.bmp", "Macro_Over.bmp"}, geo::sub_page::kSize},
        {"combo", {"Combo_Normal.bmp", "Combo_Down.bmp", "Combo_Over.bmp"}, geo::sub_page::kSize},
        {"", {"Macro_normal.bmp", "Macro_down.bmp", "Macro_over.bmp"}, page},
        {"Light", {"LedSet_normal.bmp", "LedSet_down.bmp", "LedSet_over.bmp"}, page},
        {"", {"Sts_Normal.bmp", "Sts_Down.bmp", "Sts_Over.bmp"}, page},
        {"", {"support_normal.bmp", "support_down.bmp", "support_over.bmp"}, page},
        {"Menu", {"MenuNorL.BMP", "MenuOverL.BMP", "MenuDownL.BMP"}, geo::kMenuPiece},
        {"Menu",
         {"MenuNorHaveSub.BMP", "MenuOverHaveSub.BMP", "MenuDownHaveSub.BMP"},
         geo::kMenuPiece},
    };
    for (const auto& t : threes) {
        for (const char* name : t.names) ExpectBmp(en / t.folder / name, t.size);
    }
    for (int level = 0; level < geo::stats_page::kTrophyLevels; ++level) {
        ExpectBmp(en / "trophy" / ("trophy" + std::to_string(level) + "Down.bmp"),
                  geo::stats_page::kTrophySize);
    }
    ExpectPng(en / "Slider.png", geo::kSliderThumb);
    ExpectPng(en / "ProgressBar" / "Progress_Normal.png", geo::progress_window::kSize);
    ExpectPng(en / "ProgressBar" / "Progress_Over.png", geo::progress_window::kSize);
    for (const char* icon : {"up", "down", "delay"}) {
        ExpectPng(en / (std::string(icon) + "_normal.png"), geo::kListIcon);
        ExpectPng(en / (std::string(icon) + "_select.png"), geo::kListIcon);
    }
}

TEST_F(SkinRenderer, WritesThePictureResourcesAtTheirSizes) {
    ASSERT_EQ(status_, 0);
    const fs::path res = root_ / "res";
    auto bitmap = [&](int id) { return res / ("bitmap" + std::to_string(id) + ".bmp"); };
    for (int id = 142; id <= 153; ++id) ExpectBmp(bitmap(id), geo::kFlag);
    for (int id = 154; id <= 159; ++id) ExpectBmp(bitmap(id), geo::main_window::kSize);
    for (int id = 160; id <= 165; ++id) ExpectBmp(bitmap(id), geo::button_page::kResourceSize);
    ExpectBmp(bitmap(166), geo::kScrollSkin);
    for (int id = 1004; id <= 1009; ++id) ExpectBmp(bitmap(id), geo::info_box::kSize);
    for (int id = 1020; id <= 1022; ++id) ExpectBmp(bitmap(id), geo::links_dialog::kSize);
    ExpectPng(res / "png129.png", geo::kPopupBackground);
    for (int id = 130; id <= 141; ++id) {
        ExpectPng(res / ("png" + std::to_string(id) + ".png"), geo::kLanguageIcon, false);
    }
    for (int id : {128, 1011, 1012, 1013}) {
        const std::vector<uint8_t> ico = Bytes(res / ("icon" + std::to_string(id) + ".ico"));
        ASSERT_GE(ico.size(), 22u) << id;
        EXPECT_EQ(ico[2], 1) << "icon " << id << " is not an icon file";
        EXPECT_GE(ico[4], 2) << "icon " << id << " has one size only";
    }
}

TEST_F(SkinRenderer, LanguageFileTellsTheSkinLanguage) {
    ASSERT_EQ(status_, 0);
    ASSERT_EQ(chineseStatus_, 0);
    auto text = [](const fs::path& p) {
        const std::vector<uint8_t> b = Bytes(p);
        return std::string(b.begin(), b.end());
    };
    EXPECT_EQ(text(root_ / "en" / "languagetype.ini"), "[languagetype]\r\nvalue=0\r\n");
    EXPECT_EQ(text(root_ / "zh" / "languagetype.ini"), "[languagetype]\r\nvalue=1\r\n");
    // The labels are painted in: an area title reads differently in the two skins.
    const Bmp en(root_ / "en" / "Tarn_Main_Normal.bmp"), zh(root_ / "zh" / "Tarn_Main_Normal.bmp");
    EXPECT_GT(en.Difference(zh, geo::button_page::kTitles[1]), 10000);
}

TEST_F(SkinRenderer, NormalOverAndDownDifferAtEveryKindOfControl) {
    ASSERT_EQ(status_, 0);
    const fs::path en = root_ / "en";
    const struct {
        const char* normal;
        const char* over;
        const char* down;
        geo::Rect control;
    } cases[] = {
        {"Main_Normal.bmp", "Main_Over.bmp", "Main_Down.bmp", geo::main_window::kMinimize},
        {"Tarn_Main_Normal.bmp", "Tarn_Main_Over.bmp", "Tarn_Main_Down.bmp",
         geo::button_page::DpiToggle(3)},
        {"Tarn_Main_Normal.bmp", "Tarn_Main_Over.bmp", "Tarn_Main_Down.bmp",
         geo::button_page::kMarkers[2].en},
        {"Light/LedSet_normal.bmp", "Light/LedSet_over.bmp", "Light/LedSet_down.bmp",
         geo::lighting_page::PresetSwatch(12, false)},
        {"Sts_Normal.bmp", "Sts_Over.bmp", "Sts_Down.bmp", geo::stats_page::kReset},
        {"support_normal.bmp", "support_over.bmp", "support_down.bmp", geo::support_page::kUpdate},
        {"setting/Setting_Normal.bmp", "setting/Setting_Over.bmp", "setting/Setting_Down.bmp",
         geo::panel::kOk},
    };
    for (const auto& c : cases) {
        const Bmp normal(en / c.normal), over(en / c.over), down(en / c.down);
        // At least a tenth of the channel range on average over the control.
        const long visible = 25L * c.control.width() * c.control.height();
        EXPECT_GT(normal.Difference(over, c.control), visible) << c.normal;
        EXPECT_GT(normal.Difference(down, c.control), visible) << c.normal;
        EXPECT_GT(over.Difference(down, c.control), visible) << c.normal;
    }
    // Both language sets of the tab pictures: 157 normal against 159 down at tab 1.
    const fs::path res = root_ / "res";
    const Bmp tabNormal(res / "bitmap157.bmp"), tabDown(res / "bitmap159.bmp");
    EXPECT_GT(tabNormal.Difference(tabDown, geo::BoundingBox(geo::main_window::kTabs[0])), 100000);
}

TEST_F(SkinRenderer, ColourWheelIsATrueHueWheel) {
    ASSERT_EQ(status_, 0);
    const Bmp led(root_ / "en" / "Light" / "LedSet_normal.bmp");
    const geo::Rect w = geo::lighting_page::kWheel;
    const int cx = (w.left + w.right) / 2, cy = (w.top + w.bottom) / 2;
    // White in the middle, the pure hues on the rim: red at the right, green at the lower
    // left (240 degrees is blue, counted anticlockwise from the right).
    const auto centre = led.At(cx, cy);
    EXPECT_GE(centre[0], 245);
    EXPECT_GE(centre[1], 245);
    EXPECT_GE(centre[2], 245);
    const auto right = led.At(w.right - 2, cy);
    EXPECT_EQ(right[0], 255);
    EXPECT_LE(right[1], 20);
    EXPECT_LE(right[2], 20);
    const auto top = led.At(cx, w.top + 2);  // 90 degrees: chartreuse
    EXPECT_GE(top[1], 250);
    EXPECT_NEAR(top[0], 128, 16);
    EXPECT_LE(top[2], 20);
    const auto bottom = led.At(cx, w.bottom - 2);  // 270 degrees: violet
    EXPECT_GE(bottom[2], 250);
    EXPECT_NEAR(bottom[0], 128, 16);
    EXPECT_LE(bottom[1], 20);
}

// Hue of a colour in degrees, 0..360 (red 0, green 120, blue 240).
double HueOf(const std::array<int, 3>& c) {
    const int mx = std::max({c[0], c[1], c[2]}), mn = std::min({c[0], c[1], c[2]});
    if (mx == mn) return -1;
    double h = 0;
    if (mx == c[0])
        h = 60.0 * (c[1] - c[2]) / (mx - mn);
    else if (mx == c[1])
        h = 120 + 60.0 * (c[2] - c[0]) / (mx - mn);
    else
        h = 240 + 60.0 * (c[0] - c[1]) / (mx - mn);
    return h < 0 ? h + 360 : h;
}

TEST_F(SkinRenderer, EveryWheelPixelHasTheHueOfItsAngle) {
    ASSERT_EQ(status_, 0);
    const Bmp led(root_ / "en" / "Light" / "LedSet_normal.bmp");
    const geo::Rect w = geo::lighting_page::kWheel;
    const double cx = (w.left + w.right) / 2.0, cy = (w.top + w.bottom) / 2.0;
    const double rx = w.width() / 2.0, ry = w.height() / 2.0;
    int checked = 0;
    for (int y = w.top; y < w.bottom; y += 3) {
        for (int x = w.left; x < w.right; x += 3) {
            const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
            const double d = std::sqrt(dx * dx + dy * dy);
            if (d > 0.95 || d < 0.2) continue;  // the rim is anti-aliased against its frame
            const auto c = led.At(x, y);
            // Full value everywhere, saturation growing with the distance from the centre.
            ASSERT_EQ(std::max({c[0], c[1], c[2]}), 255) << x << "," << y;
            const double saturation = 1.0 - std::min({c[0], c[1], c[2]}) / 255.0;
            EXPECT_NEAR(saturation, std::min(1.0, d * 1.05), 0.03) << x << "," << y;
            double angle = std::atan2(-dy, dx) * 180 / M_PI;
            if (angle < 0) angle += 360;
            double diff = std::fabs(HueOf(c) - angle);
            diff = std::min(diff, 360 - diff);
            EXPECT_LT(diff, 3.0) << x << "," << y;
            ++checked;
        }
    }
    EXPECT_GT(checked, 1000);
}

// The page takes the pixel under a click on the wheel as the colour, so every point it counts
// as wheel must be painted as wheel (full value), and the preset swatches must show their
// stored colours, in both skins.
TEST_F(SkinRenderer, LightingPageReadsWhatTheSkinPaints) {
    ASSERT_EQ(status_, 0);
    ASSERT_EQ(chineseStatus_, 0);
    namespace lp = geo::lighting_page;
    for (const char* skin : {"en", "zh"}) {
        const bool chinese = std::string(skin) == "zh";
        const Bmp led(root_ / skin / "Light" / "LedSet_normal.bmp");
        int inside = 0;
        for (int y = lp::kWheel.top - 2; y < lp::kWheel.bottom + 2; ++y) {
            for (int x = lp::kWheel.left - 2; x < lp::kWheel.right + 2; ++x) {
                if (!tarn::InColourWheel(x, y)) continue;
                const auto c = led.At(x, y);
                ASSERT_EQ(std::max({c[0], c[1], c[2]}), 255) << skin << " " << x << "," << y;
                ++inside;
            }
        }
        EXPECT_GT(inside, 10000) << skin;
        for (int k = 0; k < tarn::led::kPresetCount; ++k) {
            const geo::Rect r = lp::PresetSwatch(k, chinese);
            // Below the swatch's highlight, away from its rounded border.
            const auto c = led.At((r.left + r.right) / 2, r.bottom - 8);
            const uint32_t preset = tarn::led::kPresets[k];
            for (int i = 0; i < 3; ++i) {
                EXPECT_NEAR(c[i], tarn::led::Channel(preset, i), 1) << skin << " preset " << k;
            }
        }
    }
}

TEST_F(SkinRenderer, BitmapRowsArePaddedAndIconsAreConsistent) {
    ASSERT_EQ(status_, 0);
    const fs::path res = root_ / "res";
    // Widths whose rows need padding: 37 * 3 = 111 bytes, 163 * 3 = 489, 959 * 3 = 2877.
    for (const auto& [id, size] : {std::pair{142, geo::kFlag}, std::pair{166, geo::kScrollSkin},
                                   std::pair{157, geo::main_window::kSize}}) {
        const std::vector<uint8_t> b = Bytes(res / ("bitmap" + std::to_string(id) + ".bmp"));
        const size_t row = (static_cast<size_t>(size.width) * 3 + 3) & ~size_t{3};
        EXPECT_EQ(b.size(), 54 + row * size.height) << id;
        EXPECT_EQ(Le32(b, 2), b.size()) << id;
        EXPECT_EQ(Le32(b, 10), 54u) << id;
    }
    for (int id : {128, 1011, 1012, 1013}) {
        const std::vector<uint8_t> ico = Bytes(res / ("icon" + std::to_string(id) + ".ico"));
        const int count = ico[4] | (ico[5] << 8);
        for (int i = 0; i < count; ++i) {
            const size_t entry = 6 + 16 * static_cast<size_t>(i);
            const int side = ico[entry] == 0 ? 256 : ico[entry];
            const uint32_t bytes = Le32(ico, entry + 8), offset = Le32(ico, entry + 12);
            ASSERT_LE(static_cast<size_t>(offset) + bytes, ico.size()) << id;
            // A 32-bit image of twice the height (colour and mask), the mask rows padded.
            EXPECT_EQ(Le32(ico, offset + 4), static_cast<uint32_t>(side)) << id;
            EXPECT_EQ(Le32(ico, offset + 8), static_cast<uint32_t>(2 * side)) << id;
            EXPECT_EQ(ico[offset + 14], 32) << id;
            const size_t mask = ((static_cast<size_t>(side) + 31) / 32) * 4 * side;
            EXPECT_EQ(bytes, 40 + 4u * side * side + mask) << id;
        }
    }
}

TEST_F(SkinRenderer, RefusesBadArgumentsAndUnwritableFolders) {
    EXPECT_EQ(RunRenderer("--frobnicate"), 2);
    EXPECT_EQ(RunRenderer(""), 2);
    EXPECT_EQ(RunRenderer("--skins"), 2);
    EXPECT_EQ(RunRenderer("--skins /proc/no/such/folder"), 1);
}

}  // namespace
