// A file system that passes everything to another one and fails one chosen step of writing:
// the n-th open for writing, write, flush (close) or rename, counted from the start. A save run
// with n = 1, 2, ... until it goes through has then failed once at every step it takes.
#pragma once

#include <string>
#include <vector>

#include "base/file_system.h"

namespace tarn::test {

enum class WriteStep { Open, Write, Flush, Rename };
const char* WriteStepName(WriteStep step);

class FaultyFileSystem final : public FileSystem {
public:
    explicit FaultyFileSystem(FileSystem& inner) : inner_(inner) {}

    // Fails the n-th write step from now on (1-based; 0 fails none) with the given cause. A
    // failed open and a failed rename report the cause; a failed write leaves half of its bytes
    // in the file, as a full disk does; a failed flush has written everything but reports it
    // may not have reached the disk.
    void FailStep(int n, FileError cause = FileError::Other);
    // The steps seen since FailStep, in order, and whether the chosen one was reached.
    const std::vector<WriteStep>& Steps() const { return steps_; }
    bool Failed() const { return failed_; }
    WriteStep FailedStep() const { return failedStep_; }
    // The file the failed step wrote: the opened path, or the rename's target.
    const std::u16string& FailedPath() const { return failedPath_; }

    OpenResult OpenForRead(const std::u16string& path) override { return inner_.OpenForRead(path); }
    OpenResult OpenForWrite(const std::u16string& path) override;
    FileError Replace(const std::u16string& source, const std::u16string& target) override;
    bool Remove(const std::u16string& path) override { return inner_.Remove(path); }
    bool Exists(const std::u16string& path) override { return inner_.Exists(path); }
    bool IsDirectory(const std::u16string& path) override { return inner_.IsDirectory(path); }
    FileError CreateFolder(const std::u16string& path) override {
        return inner_.CreateFolder(path);
    }
    FileError CreateFolders(const std::u16string& path) override {
        return inner_.CreateFolders(path);
    }
    FileError CopyFileTo(const std::u16string& source, const std::u16string& target,
                         bool failIfExists) override {
        return inner_.CopyFileTo(source, target, failIfExists);
    }

    // Used by the files it opens: true when this step is the one to fail.
    bool Take(WriteStep step, const std::u16string& path);

private:
    FileSystem& inner_;
    int failAt_ = 0;
    FileError cause_ = FileError::Other;
    std::vector<WriteStep> steps_;
    bool failed_ = false;
    WriteStep failedStep_ = WriteStep::Open;
    std::u16string failedPath_;
};

}  // namespace tarn::test
