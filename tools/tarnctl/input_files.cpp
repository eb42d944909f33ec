#include "tools/tarnctl/input_files.h"

#include <cstring>

#include "base/file_system.h"
#include "base/text.h"
#include "tools/tarnctl/output.h"

namespace tarnctl {

namespace {

const char* CauseText(tarn::FileError error) {
    switch (error) {
        case tarn::FileError::NotFound:
            return "no such file";
        case tarn::FileError::BadPath:
            return "no such folder, or the path is not valid";
        case tarn::FileError::AccessDenied:
            return "access denied";
        default:
            return "it cannot be read";
    }
}

// Reads as far as size; false with the message printed when the file does not open.
bool ReadInto(const std::string& path, void* buffer, size_t size, size_t* bytesRead) {
    std::memset(buffer, 0, size);
    tarn::FileSystem& fs = tarn::Files();
    const std::u16string wide = tarn::FromUtf8(path);
    // A folder opens for reading on some systems and then reads as empty.
    if (fs.IsDirectory(wide)) {
        Error("cannot read " + path + ": it is a folder");
        return false;
    }
    const tarn::FileError error = tarn::ReadFileInto(fs, wide, buffer, size, bytesRead);
    if (error != tarn::FileError::None) {
        Error("cannot open " + path + ": " + CauseText(error));
        return false;
    }
    return true;
}

}  // namespace

bool ReadProfileInput(const std::string& path, ProfileInput& input) {
    // One byte more than an export shows whether the file is longer than one.
    struct {
        tarn::ProfileExportImage image;
        uint8_t extra;
    } buffer;
    size_t read = 0;
    if (!ReadInto(path, &buffer, sizeof buffer, &read)) return false;
    input.image = buffer.image;
    input.bytesRead = read;
    const uint32_t magic = input.image.profile.magic;
    if (read < sizeof magic || magic != tarn::ProfileMagic) {
        Error(path + " is not a profile file (it starts with " +
              (read < sizeof magic ? std::string("fewer than 4 bytes") : Hex32(magic)) +
              ", a profile with " + Hex32(tarn::ProfileMagic) + ")");
        return false;
    }
    constexpr size_t kProfileBytes = sizeof(tarn::ProfileRecord);
    constexpr size_t kExportBytes = sizeof(tarn::ProfileExportImage);
    input.isExport = read > kProfileBytes;
    if (read < kProfileBytes) {
        Note(path + " holds " + std::to_string(read) + " bytes, less than a profile's " +
             std::to_string(kProfileBytes) + "; the rest reads as zero");
    } else if (input.isExport && read < kExportBytes) {
        Note(path + " holds " + std::to_string(read) + " bytes, less than an export's " +
             std::to_string(kExportBytes) + "; the rest of the slot table reads as zero");
    } else if (read > kExportBytes) {
        Note(path + " is longer than an export file; only its first " +
             std::to_string(kExportBytes) + " bytes are read");
    }
    return true;
}

bool ReadSlotTableInput(const std::string& path, tarn::ProfileSlotTable& table) {
    size_t read = 0;
    if (!ReadInto(path, &table, sizeof table, &read)) return false;
    if (read < sizeof table) {
        Note(path + " holds " + std::to_string(read) + " bytes, less than a slot table's " +
             std::to_string(sizeof table) + "; the rest reads as zero");
    }
    return true;
}

std::unique_ptr<tarn::MacroStore> ReadMacroStoreInput(const std::string& path) {
    auto store = std::make_unique<tarn::MacroStore>();
    size_t read = 0;
    if (!ReadInto(path, store.get(), sizeof(tarn::MacroStore), &read)) return nullptr;
    return store;
}

}  // namespace tarnctl
