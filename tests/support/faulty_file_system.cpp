#include "tests/support/faulty_file_system.h"

#include <memory>

namespace tarn::test {

namespace {

class FaultyFile final : public File {
public:
    FaultyFile(std::unique_ptr<File> inner, FaultyFileSystem& owner, std::u16string path)
        : inner_(std::move(inner)), owner_(owner), path_(std::move(path)) {}
    size_t Read(void* buffer, size_t size) override { return inner_->Read(buffer, size); }
    bool Write(const void* data, size_t size) override {
        if (!owner_.Take(WriteStep::Write, path_)) return inner_->Write(data, size);
        inner_->Write(data, size / 2);
        return false;
    }
    bool Close() override {
        if (closed_) return true;
        closed_ = true;
        const bool ok = inner_->Close();
        return !owner_.Take(WriteStep::Flush, path_) && ok;
    }

private:
    std::unique_ptr<File> inner_;
    FaultyFileSystem& owner_;
    std::u16string path_;
    bool closed_ = false;
};

}  // namespace

const char* WriteStepName(WriteStep step) {
    switch (step) {
        case WriteStep::Open:
            return "open";
        case WriteStep::Write:
            return "write";
        case WriteStep::Flush:
            return "flush";
        case WriteStep::Rename:
            return "rename";
    }
    return "?";
}

void FaultyFileSystem::FailStep(int n, FileError cause) {
    failAt_ = n;
    cause_ = cause;
    steps_.clear();
    failed_ = false;
}

bool FaultyFileSystem::Take(WriteStep step, const std::u16string& path) {
    steps_.push_back(step);
    if (static_cast<int>(steps_.size()) != failAt_) return false;
    failed_ = true;
    failedStep_ = step;
    failedPath_ = path;
    return true;
}

OpenResult FaultyFileSystem::OpenForWrite(const std::u16string& path) {
    if (Take(WriteStep::Open, path)) return {nullptr, cause_};
    OpenResult opened = inner_.OpenForWrite(path);
    if (!opened) return opened;
    return {std::make_unique<FaultyFile>(std::move(opened.file), *this, path), FileError::None};
}

FileError FaultyFileSystem::Replace(const std::u16string& source, const std::u16string& target) {
    if (Take(WriteStep::Rename, target)) return cause_;
    return inner_.Replace(source, target);
}

}  // namespace tarn::test
