#include "tests/support/memory_file_system.h"

#include <algorithm>
#include <cstring>

namespace tarn::test {

namespace {

class MemoryFile final : public File {
public:
    MemoryFile(std::vector<uint8_t>* bytes, long long* budget, bool writable)
        : bytes_(bytes), budget_(budget), writable_(writable) {}
    size_t Read(void* buffer, size_t size) override {
        const size_t n = std::min(size, bytes_->size() - pos_);
        if (n != 0) std::memcpy(buffer, bytes_->data() + pos_, n);  // an empty file has no data
        pos_ += n;
        return n;
    }
    bool Write(const void* data, size_t size) override {
        if (!writable_) return false;
        size_t n = size;
        if (*budget_ >= 0 && static_cast<long long>(n) > *budget_)
            n = static_cast<size_t>(*budget_);
        if (*budget_ >= 0) *budget_ -= static_cast<long long>(n);
        const auto* p = static_cast<const uint8_t*>(data);
        if (bytes_->size() < pos_ + n) bytes_->resize(pos_ + n);
        std::memcpy(bytes_->data() + pos_, p, n);
        pos_ += n;
        return n == size;
    }
    bool Close() override { return true; }

private:
    std::vector<uint8_t>* bytes_;
    long long* budget_;
    bool writable_;
    size_t pos_ = 0;
};

class EndlessMemoryFile final : public File {
public:
    EndlessMemoryFile(const MemoryFileSystem::EndlessFile& source, unsigned long long* counter)
        : source_(source), counter_(counter) {}
    size_t Read(void* buffer, size_t size) override {
        auto* out = static_cast<uint8_t*>(buffer);
        for (size_t i = 0; i < size; ++i, ++pos_) {
            out[i] = pos_ < source_.head.size() ? source_.head[pos_] : source_.filler;
        }
        *counter_ += size;
        return size;
    }
    bool Write(const void*, size_t) override { return false; }
    bool Close() override { return true; }

private:
    const MemoryFileSystem::EndlessFile& source_;
    unsigned long long* counter_;
    size_t pos_ = 0;
};

}  // namespace

std::u16string MemoryFileSystem::Parent(const std::u16string& path) {
    const size_t cut = path.rfind(u'\\');
    return cut == std::u16string::npos ? std::u16string() : path.substr(0, cut);
}

void MemoryFileSystem::AddFolder(const std::u16string& path) {
    std::u16string p = path;
    while (!p.empty()) {
        folders.insert(p);
        p = Parent(p);
    }
}

void MemoryFileSystem::AddFile(const std::u16string& path, std::vector<uint8_t> bytes) {
    AddFolder(Parent(path));
    files[path] = std::move(bytes);
}

bool MemoryFileSystem::ParentExists(const std::u16string& path) const {
    const std::u16string parent = Parent(path);
    return parent.empty() || folders.count(parent) != 0;
}

bool MemoryFileSystem::IsReadOnly(const std::u16string& path) const {
    return readOnly.count(path) != 0 || readOnly.count(Parent(path)) != 0;
}

OpenResult MemoryFileSystem::OpenForRead(const std::u16string& path) {
    if (auto it = failOpen.find(path); it != failOpen.end()) return {nullptr, it->second};
    if (!ParentExists(path)) return {nullptr, FileError::BadPath};
    if (auto e = endless.find(path); e != endless.end()) {
        return {std::make_unique<EndlessMemoryFile>(e->second, &endlessBytesRead), FileError::None};
    }
    auto it = files.find(path);
    if (it == files.end()) {
        return {nullptr, folders.count(path) ? FileError::AccessDenied : FileError::NotFound};
    }
    return {std::make_unique<MemoryFile>(&it->second, &writeBudget, false), FileError::None};
}

OpenResult MemoryFileSystem::OpenForWrite(const std::u16string& path) {
    writesLog.push_back(path);
    if (auto it = failOpen.find(path); it != failOpen.end()) return {nullptr, it->second};
    if (!ParentExists(path)) return {nullptr, FileError::BadPath};
    if (folders.count(path) || IsReadOnly(path)) return {nullptr, FileError::AccessDenied};
    auto& bytes = files[path];
    bytes.clear();
    return {std::make_unique<MemoryFile>(&bytes, &writeBudget, true), FileError::None};
}

FileError MemoryFileSystem::Replace(const std::u16string& source, const std::u16string& target) {
    auto it = files.find(source);
    if (it == files.end()) return FileError::NotFound;
    if (!ParentExists(target)) return FileError::BadPath;
    if (IsReadOnly(target)) return FileError::AccessDenied;
    files[target] = std::move(it->second);
    files.erase(source);
    return FileError::None;
}

bool MemoryFileSystem::Remove(const std::u16string& path) {
    return files.erase(path) != 0;
}

bool MemoryFileSystem::Exists(const std::u16string& path) {
    return files.count(path) != 0 || folders.count(path) != 0 || endless.count(path) != 0;
}

bool MemoryFileSystem::IsDirectory(const std::u16string& path) {
    return folders.count(path) != 0;
}

FileError MemoryFileSystem::CreateFolder(const std::u16string& path) {
    if (folders.count(path)) return FileError::None;
    if (!ParentExists(path)) return FileError::BadPath;
    if (IsReadOnly(Parent(path)) || readOnly.count(path)) return FileError::AccessDenied;
    folders.insert(path);
    return FileError::None;
}

FileError MemoryFileSystem::CreateFolders(const std::u16string& path) {
    const std::u16string parent = Parent(path);
    if (!parent.empty() && !folders.count(parent)) {
        if (FileError e = CreateFolders(parent); e != FileError::None) return e;
    }
    return CreateFolder(path);
}

FileError MemoryFileSystem::CopyFileTo(const std::u16string& source, const std::u16string& target,
                                       bool failIfExists) {
    auto it = files.find(source);
    if (it == files.end()) return ParentExists(source) ? FileError::NotFound : FileError::BadPath;
    if (failIfExists && files.count(target)) return FileError::Other;
    if (!ParentExists(target)) return FileError::BadPath;
    if (IsReadOnly(target)) return FileError::AccessDenied;
    files[target] = it->second;
    return FileError::None;
}

}  // namespace tarn::test
