// The native build has no web client: the update check only runs in the Windows program, and
// the native tests give the worker a downloader of their own.
#include "update/downloader.h"

namespace tarn {

namespace {

class NoDownloader final : public Downloader {
public:
    bool Download(const std::u16string&, const std::u16string&) override { return false; }
    void Abort() override {}
};

}  // namespace

std::unique_ptr<Downloader> MakePlatformDownloader() {
    return std::make_unique<NoDownloader>();
}

}  // namespace tarn
