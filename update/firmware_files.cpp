#include "update/firmware_files.h"

#include <string>

#include "base/app_paths.h"
#include "base/language_state.h"
#include "i18n/language_file.h"

namespace tarn {

namespace {

bool Blank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

std::u16string_view Trimmed(std::u16string_view text) {
    while (!text.empty() && Blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && Blank(text.back())) text.remove_suffix(1);
    return text;
}

std::u16string Decimal(uint32_t n) {
    const std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace

std::u16string UpdateFolderPath() {
    return programFolder + std::u16string(kUpdateFolder);
}

std::u16string LocalManifestPath() {
    return programFolder + std::u16string(kLocalManifestName);
}

std::u16string LocalImagePath() {
    return programFolder + std::u16string(kLocalImageName);
}

std::u16string FlashingToolPath() {
    return programFolder + std::u16string(kFlashingToolName);
}

std::u16string_view FlashingToolArgument() {
    return ChineseUi == 1 ? u"1" : u"0";
}

std::u16string ManifestAddress(const std::optional<std::u16string>& override) {
    if (override && !Trimmed(*override).empty()) return std::u16string(Trimmed(*override));
    return std::u16string(kDefaultManifestAddress);
}

std::optional<FirmwareManifest> ReadFirmwareManifest(const std::u16string& path) {
    SharedXmlAccess shared;
    if (!shared->LoadXmlFile(path) && shared->ElementCount() == 0) return std::nullopt;
    FirmwareManifest manifest;
    manifest.current = GetConfigString(shared.Document(), u"firmware", u"current");
    manifest.newfile =
        std::u16string(Trimmed(GetConfigString(shared.Document(), u"firmware", u"newfile")));
    manifest.sha256 =
        std::u16string(Trimmed(GetConfigString(shared.Document(), u"firmware", u"sha256")));
    return manifest;
}

uint32_t ReadFirmwareNumber(std::u16string_view text) {
    text = Trimmed(text);
    if (text.empty()) return 0;
    uint64_t value = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') return 0;
        value = value * 10 + (c - u'0');
        if (value > UINT32_MAX) value = UINT32_MAX;
    }
    return static_cast<uint32_t>(value);
}

std::u16string FirmwareVersionLabel(std::u16string_view digits) {
    digits = Trimmed(digits);
    bool number = !digits.empty();
    for (char16_t c : digits) number = number && c >= u'0' && c <= u'9';
    if (!number) return u"Unknown";
    const uint32_t n = ReadFirmwareNumber(digits);
    return u"V " + Decimal(n / 100) + u"." + Decimal(n / 10 % 10) + u"." + Decimal(n % 10);
}

}  // namespace tarn
