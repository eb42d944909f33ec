// Where the firmware update keeps its files and finds the flashing program, what the update
// manifest says, and how the support page shows a firmware number. Portable.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarn {

// Under programFolder.
inline constexpr std::u16string_view kUpdateFolder = u"\\FWUpdate\\new_version";
inline constexpr std::u16string_view kLocalManifestName = u"\\FWUpdate\\new_version\\update.xml";
inline constexpr std::u16string_view kLocalImageName =
    u"\\FWUpdate\\new_version\\NirelGameDevice.bin";
inline constexpr std::u16string_view kFlashingToolName = u"\\FWUpdate\\ZezovoRO.exe";
// A download lands beside its target under this ending and is renamed only once complete, so
// a cut connection never leaves a partial manifest or image under the real name.
inline constexpr std::u16string_view kPartialEnding = u".part";

std::u16string UpdateFolderPath();
std::u16string LocalManifestPath();
std::u16string LocalImagePath();
std::u16string FlashingToolPath();
// The flashing program's one argument: "1" for a Simplified Chinese interface, "0" otherwise.
std::u16string_view FlashingToolArgument();

// The vendor's manifest; TARN_UPDATE_MANIFEST in the environment replaces it (tests point it at
// a local server).
inline constexpr std::u16string_view kDefaultManifestAddress =
    u"https://www.nirel-gaming.com/software/Tarn/update.xml";
inline constexpr char kManifestAddressVariable[] = "TARN_UPDATE_MANIFEST";
// The override when it is set and not blank, else the vendor's address.
std::u16string ManifestAddress(const std::optional<std::u16string>& override);

// The two texts of the manifest that matter, and the optional digest of the image.
struct FirmwareManifest {
    std::u16string current;  // the newest firmware number, decimal
    std::u16string newfile;  // the full address of its image
    std::u16string sha256;   // 64 hexadecimal digits, or empty when the manifest has none
    bool operator==(const FirmwareManifest&) const = default;
};

// Reads <firmware><current>, <newfile> and <sha256> under the root through the XML document
// shared with language loading (under its lock). None when the file cannot be read at all.
std::optional<FirmwareManifest> ReadFirmwareManifest(const std::u16string& path);

// A firmware number as text read as a decimal number: blanks around it are allowed, anything
// that is not digits reads as 0 (so a damaged manifest never counts as newer), and a number too
// large for 32 bits stays at the largest one.
uint32_t ReadFirmwareNumber(std::u16string_view text);

// What the support page shows for the mouse's firmware number: "Unknown" without one, else the
// hundreds, tens and units as "V a.b.c" (7 gives V 0.0.7, 15 gives V 0.1.5, 123 gives V 1.2.3,
// 2559 gives V 25.5.9).
std::u16string FirmwareVersionLabel(std::u16string_view digits);

}  // namespace tarn
