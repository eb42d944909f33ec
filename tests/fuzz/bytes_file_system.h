// The file system of the fuzz targets: every file reads as the fuzzer's bytes. Writes either all
// fail (so saves take their failure paths) or all land nowhere and succeed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "base/file_system.h"

namespace tarn::fuzz {

class BytesFile final : public File {
public:
    BytesFile(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    size_t Read(void* buffer, size_t size) override {
        const size_t n = size < size_ - pos_ ? size : size_ - pos_;
        if (n) std::memcpy(buffer, data_ + pos_, n);
        pos_ += n;
        return n;
    }
    bool Write(const void*, size_t) override { return true; }
    bool Close() override { return true; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

class BytesFileSystem final : public FileSystem {
public:
    const uint8_t* data = nullptr;
    size_t size = 0;
    bool writesSucceed = false;

    OpenResult OpenForRead(const std::u16string&) override { return Open(); }
    OpenResult OpenForWrite(const std::u16string&) override {
        if (!writesSucceed) return {nullptr, FileError::Other};
        return Open();
    }
    FileError Replace(const std::u16string&, const std::u16string&) override { return Result(); }
    bool Remove(const std::u16string&) override { return writesSucceed; }
    bool Exists(const std::u16string&) override { return true; }
    bool IsDirectory(const std::u16string&) override { return writesSucceed; }
    FileError CreateFolder(const std::u16string&) override { return Result(); }
    FileError CreateFolders(const std::u16string&) override { return Result(); }
    FileError CopyFileTo(const std::u16string&, const std::u16string&, bool) override {
        return Result();
    }

private:
    OpenResult Open() { return {std::make_unique<BytesFile>(data, size), FileError::None}; }
    FileError Result() const { return writesSucceed ? FileError::None : FileError::Other; }
};

}  // namespace tarn::fuzz
