// File system over the Win32 file API; the failure cause comes from GetLastError.
#include <windows.h>

#include <string>

#include "base/file_system.h"

namespace tarn {

namespace {

// The temporary file of a save is four characters longer than its target, so a target that
// just fits MAX_PATH would fail; such paths go to the system in their long form.
std::wstring SystemPath(const std::u16string& path) {
    std::wstring out(path.begin(), path.end());
    const bool absolute = out.size() > 2 && out[1] == L':' && out[2] == L'\\';
    if (absolute && out.size() >= MAX_PATH - 8) out.insert(0, L"\\\\?\\");
    return out;
}

struct W {
    explicit W(const std::u16string& path) : text(SystemPath(path)) {}
    operator const wchar_t*() const { return text.c_str(); }
    std::wstring text;
};

FileError CauseOf(DWORD error) {
    switch (error) {
        case ERROR_SUCCESS:
            return FileError::None;
        case ERROR_FILE_NOT_FOUND:
            return FileError::NotFound;
        case ERROR_PATH_NOT_FOUND:
        case ERROR_BAD_PATHNAME:
        case ERROR_INVALID_NAME:
        case ERROR_FILENAME_EXCED_RANGE:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
            return FileError::BadPath;
        case ERROR_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT:
        case ERROR_SHARING_VIOLATION:
            return FileError::AccessDenied;
        default:
            return FileError::Other;
    }
}

class Win32File final : public File {
public:
    explicit Win32File(HANDLE h) : h_(h) {}
    ~Win32File() override { Close(); }
    size_t Read(void* buffer, size_t size) override {
        DWORD got = 0;
        const DWORD want = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
        if (!ReadFile(h_, buffer, want, &got, nullptr)) return 0;
        return got;
    }
    bool Write(const void* data, size_t size) override {
        const auto* p = static_cast<const char*>(data);
        while (size > 0) {
            DWORD wrote = 0;
            const DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
            if (!WriteFile(h_, p, chunk, &wrote, nullptr) || wrote == 0) return false;
            p += wrote;
            size -= wrote;
        }
        return true;
    }
    bool Close() override {
        if (h_ == INVALID_HANDLE_VALUE) return true;
        bool ok = FlushFileBuffers(h_) || GetLastError() == ERROR_INVALID_HANDLE;
        ok = CloseHandle(h_) && ok;
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE h_;
};

class Win32FileSystem final : public FileSystem {
public:
    OpenResult OpenForRead(const std::u16string& path) override {
        return Open(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    }
    OpenResult OpenForWrite(const std::u16string& path) override {
        return Open(path, GENERIC_READ | GENERIC_WRITE, 0, CREATE_ALWAYS);
    }
    FileError Replace(const std::u16string& source, const std::u16string& target) override {
        if (MoveFileExW(W(source), W(target), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return FileError::None;
        }
        return CauseOf(GetLastError());
    }
    bool Remove(const std::u16string& path) override { return DeleteFileW(W(path)) != 0; }
    bool Exists(const std::u16string& path) override {
        return GetFileAttributesW(W(path)) != INVALID_FILE_ATTRIBUTES;
    }
    bool IsDirectory(const std::u16string& path) override {
        const DWORD a = GetFileAttributesW(W(path));
        return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
    }
    FileError CreateFolder(const std::u16string& path) override {
        if (CreateDirectoryW(W(path), nullptr)) return FileError::None;
        const DWORD error = GetLastError();
        if (error == ERROR_ALREADY_EXISTS && IsDirectory(path)) return FileError::None;
        return CauseOf(error);
    }
    FileError CreateFolders(const std::u16string& path) override {
        if (IsDirectory(path)) return FileError::None;
        const size_t cut = path.rfind(u'\\');
        if (cut != std::u16string::npos && cut > 2) {
            const FileError parent = CreateFolders(path.substr(0, cut));
            if (parent != FileError::None) return parent;
        }
        return CreateFolder(path);
    }
    FileError CopyFileTo(const std::u16string& source, const std::u16string& target,
                         bool failIfExists) override {
        if (CopyFileW(W(source), W(target), failIfExists ? TRUE : FALSE)) return FileError::None;
        return CauseOf(GetLastError());
    }

private:
    static OpenResult Open(const std::u16string& path, DWORD access, DWORD share, DWORD how) {
        HANDLE h =
            CreateFileW(W(path), access, share, nullptr, how, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) return {nullptr, CauseOf(GetLastError())};
        return {std::make_unique<Win32File>(h), FileError::None};
    }
};

}  // namespace

FileSystem& PlatformFileSystem() {
    static Win32FileSystem instance;
    return instance;
}

}  // namespace tarn
