// File system over the C++ library and POSIX, for the native build (tests, tools, tarnctl).
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <unistd.h>

#include "base/file_system.h"
#include "base/text.h"

namespace tarn {

namespace {

namespace fs = std::filesystem;

fs::path HostPath(const std::u16string& path) {
    std::u16string mapped = path;
    for (auto& c : mapped) {
        if (c == u'\\') c = u'/';
    }
    return fs::path(ToUtf8(mapped));
}

FileError CauseOf(int err, const fs::path& path) {
    switch (err) {
        case ENOENT: {
            std::error_code ec;
            const fs::path parent = path.parent_path();
            if (!parent.empty() && !fs::is_directory(parent, ec)) return FileError::BadPath;
            return FileError::NotFound;
        }
        case ENOTDIR:
        case ENAMETOOLONG:
        case EINVAL:
            return FileError::BadPath;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
            return FileError::AccessDenied;
        default:
            return FileError::Other;
    }
}

class StdFile final : public File {
public:
    explicit StdFile(std::FILE* f) : f_(f) {}
    ~StdFile() override { Close(); }
    size_t Read(void* buffer, size_t size) override {
        return f_ ? std::fread(buffer, 1, size, f_) : 0;
    }
    bool Write(const void* data, size_t size) override {
        return f_ && std::fwrite(data, 1, size, f_) == size;
    }
    bool Close() override {
        if (!f_) return true;
        bool ok = std::fflush(f_) == 0;
        ok = ::fsync(fileno(f_)) == 0 && ok;
        ok = std::fclose(f_) == 0 && ok;
        f_ = nullptr;
        return ok;
    }

private:
    std::FILE* f_;
};

class StdFileSystem final : public FileSystem {
public:
    OpenResult OpenForRead(const std::u16string& path) override { return Open(path, "rb"); }
    OpenResult OpenForWrite(const std::u16string& path) override { return Open(path, "w+b"); }

    FileError Replace(const std::u16string& source, const std::u16string& target) override {
        const fs::path to = HostPath(target);
        // A read-only file is not replaced, as on Windows.
        if (::access(to.c_str(), F_OK) == 0 && ::access(to.c_str(), W_OK) != 0) {
            return FileError::AccessDenied;
        }
        if (std::rename(HostPath(source).c_str(), to.c_str()) != 0) return CauseOf(errno, to);
        return FileError::None;
    }
    bool Remove(const std::u16string& path) override {
        std::error_code ec;
        return fs::remove(HostPath(path), ec);
    }
    bool Exists(const std::u16string& path) override {
        std::error_code ec;
        return fs::exists(HostPath(path), ec);
    }
    bool IsDirectory(const std::u16string& path) override {
        std::error_code ec;
        return fs::is_directory(HostPath(path), ec);
    }
    FileError CreateFolder(const std::u16string& path) override {
        std::error_code ec;
        const fs::path p = HostPath(path);
        if (fs::create_directory(p, ec) || fs::is_directory(p)) return FileError::None;
        return CauseOf(ec.value(), p);
    }
    FileError CreateFolders(const std::u16string& path) override {
        std::error_code ec;
        const fs::path p = HostPath(path);
        fs::create_directories(p, ec);
        if (fs::is_directory(p)) return FileError::None;
        return CauseOf(ec.value(), p);
    }
    FileError CopyFileTo(const std::u16string& source, const std::u16string& target,
                         bool failIfExists) override {
        std::error_code ec;
        const auto options =
            failIfExists ? fs::copy_options::none : fs::copy_options::overwrite_existing;
        const fs::path to = HostPath(target);
        if (failIfExists && fs::exists(to, ec)) return FileError::Other;
        if (fs::copy_file(HostPath(source), to, options, ec)) return FileError::None;
        return CauseOf(ec.value(), to);
    }

private:
    static OpenResult Open(const std::u16string& path, const char* mode) {
        const fs::path p = HostPath(path);
        std::error_code ec;
        if (fs::is_directory(p, ec)) return {nullptr, FileError::AccessDenied};
        errno = 0;
        std::FILE* f = std::fopen(p.c_str(), mode);
        if (!f) return {nullptr, CauseOf(errno, p)};
        return {std::make_unique<StdFile>(f), FileError::None};
    }
};

}  // namespace

FileSystem& PlatformFileSystem() {
    static StdFileSystem instance;
    return instance;
}

}  // namespace tarn
