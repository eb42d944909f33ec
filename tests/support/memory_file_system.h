// An in-memory file system for tests: folders, files, and injected failures by path.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/file_system.h"

namespace tarn::test {

class MemoryFileSystem final : public FileSystem {
public:
    std::map<std::u16string, std::vector<uint8_t>> files;
    std::set<std::u16string> folders;
    // Paths (files or folders) that may be read but not written, as a read-only attribute.
    std::set<std::u16string> readOnly;
    // Opens of these paths fail with the given cause.
    std::map<std::u16string, FileError> failOpen;
    // A write to a file fails after this many bytes (a full disk); -1 never.
    long long writeBudget = -1;
    std::vector<std::u16string> writesLog;  // every path opened for writing, in order
    // Files that never end, opened for reading only: their head, then the filler byte for ever.
    // They stand in for files of hundreds of megabytes that no reader may take whole;
    // endlessBytesRead counts what was read of them.
    struct EndlessFile {
        std::vector<uint8_t> head;
        uint8_t filler = 0;
    };
    std::map<std::u16string, EndlessFile> endless;
    unsigned long long endlessBytesRead = 0;

    void AddFile(const std::u16string& path, std::vector<uint8_t> bytes);
    void AddFolder(const std::u16string& path);  // with its parents
    bool Has(const std::u16string& path) const { return files.count(path) != 0; }
    const std::vector<uint8_t>& Bytes(const std::u16string& path) const { return files.at(path); }

    OpenResult OpenForRead(const std::u16string& path) override;
    OpenResult OpenForWrite(const std::u16string& path) override;
    FileError Replace(const std::u16string& source, const std::u16string& target) override;
    bool Remove(const std::u16string& path) override;
    bool Exists(const std::u16string& path) override;
    bool IsDirectory(const std::u16string& path) override;
    FileError CreateFolder(const std::u16string& path) override;
    FileError CreateFolders(const std::u16string& path) override;
    FileError CopyFileTo(const std::u16string& source, const std::u16string& target,
                         bool failIfExists) override;

    static std::u16string Parent(const std::u16string& path);

private:
    bool ParentExists(const std::u16string& path) const;
    bool IsReadOnly(const std::u16string& path) const;
};

// Puts a MemoryFileSystem in place for the life of a test.
class ScopedMemoryFileSystem {
public:
    ScopedMemoryFileSystem() { SetFileSystem(&fs); }
    ~ScopedMemoryFileSystem() { SetFileSystem(nullptr); }
    MemoryFileSystem fs;
};

}  // namespace tarn::test
