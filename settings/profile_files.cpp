#include "settings/profile_files.h"

#include <cstring>
#include <string_view>

#include "base/app_paths.h"
#include "base/language_state.h"
#include "base/text.h"
#include "base/user_messages.h"

namespace tarn {

namespace {

constexpr std::u16string_view kMissingFileMessage =
    u"Failed to open file, check whether there is a %s path?";
constexpr std::u16string_view kInvalidProfileMessage = u"%s is an invaild Profile!";

// The installed defaults, in the order a first start copies them.
constexpr std::u16string_view kSeedFiles[] = {
    u"\\Macro.cfg",
    u"\\Language.cfg",
    u"\\Sts.cfg",
    u"\\Profile\\ConfigInfo.cfg",
    u"\\Profile\\Profile1.cfg",
    u"\\Profile\\Profile2.cfg",
    u"\\Profile\\Profile3.cfg",
    u"\\Profile\\Profile4.cfg",
    u"\\Profile\\Profile5.cfg",
};

bool IsMissing(FileError error) {
    return error == FileError::NotFound || error == FileError::BadPath;
}

void ReportMissingFile(const std::u16string& path) {
    ShowInfoBox(FormatOne(kMissingFileMessage, path));
}

int SafeSlot(int slot) {
    return slot >= 0 && slot < kSlotCount ? slot : 0;
}

// Later starts find the data folder and copy nothing more, so a first start cut short must not
// leave a half-copied file behind: the copy lands beside its target and is renamed into place.
// An existing file is never overwritten.
void CopyDefaultFile(FileSystem& fs, const std::u16string& source, const std::u16string& target) {
    if (fs.Exists(target)) return;
    const std::u16string temp = target + u".tmp";
    if (fs.CopyFileTo(source, temp, false) != FileError::None ||
        fs.Replace(temp, target) != FileError::None) {
        fs.Remove(temp);
    }
}

// Told when a save fails for a cause the settings messages have no text for (a full disk, a
// write the system refused).
std::u16string_view SaveFailedMessage() {
    return Localized(u"配置文件保存失败：%s", u"The profile could not be saved to %s.");
}

// The mouse already holds what could not be saved, so a silent failure would let the user believe
// the settings are kept until the next start brings back the old ones. Returns whether a box was
// shown.
bool ReportSaveFailure(FileError error, const std::u16string& path) {
    switch (error) {
        case FileError::None:
            return false;
        case FileError::NotFound:
        case FileError::BadPath:
            ShowPlainInfo(FormatOne(MessageText(StringKey::str_msg2), path));
            return true;
        case FileError::AccessDenied:
            ShowPlainInfo(MessageText(StringKey::str_msg5));
            return true;
        case FileError::Other:
            break;
    }
    ShowPlainInfo(FormatOne(SaveFailedMessage(), path));
    return true;
}

}  // namespace

std::u16string SlotTablePath() {
    return JoinPath(dataFolder, u"\\Profile\\ConfigInfo.cfg");
}

std::u16string ProfileFilePath(int slot) {
    std::u16string path = JoinPath(dataFolder, u"\\Profile\\Profile");
    path += static_cast<char16_t>(u'1' + SafeSlot(slot));
    path += u".cfg";
    return path;
}

std::u16string SlotFilePath(const SettingsModel& model, int slot) {
    std::u16string stored = FromFixed(model.slotTable.slots[SafeSlot(slot)].profilePath);
    return stored.empty() ? ProfileFilePath(slot) : stored;
}

FileError ReadSettingsFile(const std::u16string& path, void* buffer, size_t size) {
    if (path.empty() || path.size() > kMaxPathLength) return FileError::BadPath;
    return ReadFileInto(Files(), path, buffer, size);
}

FileError WriteSettingsFile(const std::u16string& path, const void* data, size_t size) {
    if (path.empty() || path.size() > kMaxPathLength) return FileError::BadPath;
    return WriteFileReplacing(Files(), path, data, size);
}

void SeedDataFolder() {
    FileSystem& fs = Files();
    if (fs.Exists(dataFolder)) return;
    fs.CreateFolders(dataFolder);
    fs.CreateFolder(JoinPath(dataFolder, u"\\Profile"));
    // A file that cannot be copied is recreated later by the part that reads it.
    for (std::u16string_view name : kSeedFiles) {
        CopyDefaultFile(fs, JoinPath(programFolder, name), JoinPath(dataFolder, name));
    }
}

void ReadSlotTable(SettingsModel& model) {
    const std::u16string path = SlotTablePath();
    // Read into a scratch table so a file that does not open leaves the table as it was.
    ProfileSlotTable scratch;
    const FileError error = ReadSettingsFile(path, &scratch, sizeof scratch);
    if (error == FileError::None) {
        std::memcpy(&model.slotTable, &scratch, sizeof scratch);
        return;
    }
    if (IsMissing(error)) ReportMissingFile(path);
}

int LoadProfileFile(SettingsModel& model, const std::u16string& path, bool reportMissing,
                    FileError* openError) {
    ProfileRecord scratch;
    const FileError error = ReadSettingsFile(path, &scratch, sizeof scratch);
    if (openError) *openError = error;
    if (error == FileError::None) {
        // What was read stays in the current profile even when it is not a profile.
        std::memcpy(&model.currentProfile, &scratch, sizeof scratch);
        if (model.currentProfile.magic != ProfileMagic) {
            ShowPlainInfo(FormatOne(kInvalidProfileMessage, path));
            return kProfileInvalid;
        }
        return kProfileLoaded;
    }
    if (IsMissing(error) && reportMissing) {
        ReportMissingFile(path);
        CreateDefaultProfileFile(model, path);
    }
    return kProfileNotOpened;
}

int CreateDefaultProfileFile(SettingsModel& model, const std::u16string& path) {
    Files().CreateFolder(JoinPath(dataFolder, u"\\Profile"));
    // The defaults are made before the write, so a profile that cannot be written still leaves
    // a usable profile in memory rather than what a failed read left behind.
    MakeDefaultProfile(model.currentProfile);
    const FileError error =
        WriteSettingsFile(path, &model.currentProfile, sizeof model.currentProfile);
    if (error == FileError::None) return 1;
    if (error == FileError::AccessDenied) ShowInfoBox(MessageText(StringKey::str_msg4));
    return 0;
}

void SaveCurrentProfile(SettingsModel& model) {
    StoreButtonMacroIds(model);
    const std::u16string path = SlotFilePath(model, model.currentSlot);
    const bool told = ReportSaveFailure(
        WriteSettingsFile(path, &model.currentProfile, sizeof model.currentProfile), path);
    // The slot table is written even when the profile was not. Its failure is told only when the
    // profile's was not: one cause (a full disk, a read-only folder) gets one box.
    const std::u16string table = SlotTablePath();
    const FileError tableError = WriteSettingsFile(table, &model.slotTable, sizeof model.slotTable);
    if (tableError != FileError::None && !told) {
        ShowPlainInfo(FormatOne(SaveFailedMessage(), table));
    }
}

}  // namespace tarn
