// The support page without its window: its controls with their hints and tooltips, the texts it
// paints and the questions it asks. Portable.
#pragma once

#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "base/language_state.h"
#include "skin/skin_geometry.h"

namespace tarn {

enum class SupportControl { Update, WebSite, Import, Export, Restore, DriverVersion, FirmwareVersion };

struct SupportControlRow {
    SupportControl control;
    geo::Rect rect;  // page client pixels
    std::optional<StringKey> tooltip;
    int hintId;
};

// In the order the hover rule looks at them.
inline constexpr std::array<SupportControlRow, 7> kSupportControls{{
    {SupportControl::Update, geo::support_page::kUpdate, StringKey::str_update, 56},
    {SupportControl::WebSite, geo::support_page::kWebSite, StringKey::str_nirelWeb, 57},
    {SupportControl::Import, geo::support_page::kImport, StringKey::str_importFile, 58},
    {SupportControl::Export, geo::support_page::kExport, StringKey::str_exportFile, 59},
    {SupportControl::Restore, geo::support_page::kRestore, StringKey::str_defaultname, 60},
    {SupportControl::DriverVersion, geo::support_page::kDriverVersion, std::nullopt, 89},
    {SupportControl::FirmwareVersion, geo::support_page::kFirmwareVersion, std::nullopt, 90},
}};

// The hint ids for a pointer at (x, y): every control whose rectangle, grown by one pixel on
// each side, holds it, in table order.
std::vector<int> SupportHintIdsAt(int x, int y);

// This program's own version, painted on the page.
inline constexpr std::u16string_view kProgramVersionText = u"V1.0.2";
// The vendor's web site, opened by the web-site button.
inline constexpr std::u16string_view kVendorWebSite = u"https://www.nirel-gaming.com/";

// Where the two versions are painted: x, y, width, height in page pixels.
struct TextBox {
    int x, y, width, height;
};
inline constexpr TextBox kProgramVersionBox{127, 169, 247, 192};
inline constexpr TextBox kFirmwareVersionBox{440, 169, 515, 192};
// 12-point "MS Shell Dlg" in opaque 0xC1D2EE.
inline constexpr int kVersionTextPoints = 12;
inline constexpr uint32_t kVersionTextArgb = 0xFFC1D2EE;

std::u16string_view RestoreDefaultsQuestion();

}  // namespace tarn
