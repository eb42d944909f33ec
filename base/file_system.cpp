#include "base/file_system.h"

#include <cstring>

namespace tarn {

namespace {
FileSystem* g_override = nullptr;
}

void SetFileSystem(FileSystem* fs) {
    g_override = fs;
}

FileSystem& Files() {
    return g_override ? *g_override : PlatformFileSystem();
}

FileError ReadFileInto(FileSystem& fs, const std::u16string& path, void* buffer, size_t size,
                       size_t* bytesRead) {
    std::memset(buffer, 0, size);
    if (bytesRead) *bytesRead = 0;
    OpenResult opened = fs.OpenForRead(path);
    if (!opened) return opened.error;
    size_t total = 0;
    auto* out = static_cast<uint8_t*>(buffer);
    while (total < size) {
        size_t n = opened.file->Read(out + total, size - total);
        if (n == 0) break;
        total += n;
    }
    opened.file->Close();
    if (bytesRead) *bytesRead = total;
    return FileError::None;
}

FileError WriteFileReplacing(FileSystem& fs, const std::u16string& path, const void* data,
                             size_t size) {
    const std::u16string temp = path + u".tmp";
    OpenResult opened = fs.OpenForWrite(temp);
    if (!opened) {
        // The temporary file shares the target's folder, so its cause is the target's cause; a
        // read-only target is still reported as denied, as a direct open of it would be.
        return opened.error;
    }
    bool ok = opened.file->Write(data, size);
    ok = opened.file->Close() && ok;
    if (!ok) {
        fs.Remove(temp);
        return FileError::Other;
    }
    FileError moved = fs.Replace(temp, path);
    if (moved != FileError::None) fs.Remove(temp);
    return moved;
}

}  // namespace tarn
