// The one way the portable code reaches files. Paths are UTF-16 with backslashes, exactly as the
// Windows program builds them; the native implementation maps them onto the host's file system.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace tarn {

// Why a file did not open. The settings files tell the user different things for the first three.
enum class FileError { None, NotFound, BadPath, AccessDenied, Other };

class File {
public:
    virtual ~File() = default;
    // Reads up to size bytes; returns the number read (0 at the end or on an error).
    virtual size_t Read(void* buffer, size_t size) = 0;
    // Returns false unless every byte was written.
    virtual bool Write(const void* data, size_t size) = 0;
    // Flushes and closes; false when the data may not have reached the disk.
    virtual bool Close() = 0;
};

struct OpenResult {
    std::unique_ptr<File> file;  // null when the open failed
    FileError error = FileError::None;
    explicit operator bool() const { return file != nullptr; }
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual OpenResult OpenForRead(const std::u16string& path) = 0;
    // Create or truncate, read-write.
    virtual OpenResult OpenForWrite(const std::u16string& path) = 0;
    // Moves source over target, replacing it in one step where the platform allows.
    virtual FileError Replace(const std::u16string& source, const std::u16string& target) = 0;
    virtual bool Remove(const std::u16string& path) = 0;
    virtual bool Exists(const std::u16string& path) = 0;
    virtual bool IsDirectory(const std::u16string& path) = 0;
    // Creates one folder; an existing folder is success.
    virtual FileError CreateFolder(const std::u16string& path) = 0;
    // Creates the folder and every missing parent.
    virtual FileError CreateFolders(const std::u16string& path) = 0;
    // Copies a file; with failIfExists an existing target is left untouched and reported.
    virtual FileError CopyFileTo(const std::u16string& source, const std::u16string& target,
                                 bool failIfExists) = 0;
};

// The file system of the running platform (Win32 on Windows, the C++ library elsewhere).
FileSystem& PlatformFileSystem();
// Lets tests and tools put a double in place; null restores the platform one.
void SetFileSystem(FileSystem* fs);
FileSystem& Files();

// Reads up to size bytes into a zeroed buffer. Returns the open error (None when it opened).
FileError ReadFileInto(FileSystem& fs, const std::u16string& path, void* buffer, size_t size,
                       size_t* bytesRead = nullptr);

// Writes the bytes to a temporary file beside path and renames it over path, so the previous
// file survives any failure. The error is the cause of opening the target's place, as the
// messages of the settings files distinguish it.
FileError WriteFileReplacing(FileSystem& fs, const std::u16string& path, const void* data,
                             size_t size);

}  // namespace tarn
