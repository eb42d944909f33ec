// Fetching a file from a web address, behind a small interface so the update worker runs
// natively in tests. The Windows side speaks HTTP through the platform (download_win32.cpp).
#pragma once

#include <memory>
#include <string>

namespace tarn {

class Downloader {
public:
    virtual ~Downloader() = default;
    // Fetches the address into the file at path, creating or replacing it. True only when the
    // server answered with success and every byte it announced arrived; a failed download may
    // leave a partial file behind, which the caller removes.
    virtual bool Download(const std::u16string& address, const std::u16string& path) = 0;
    // Called from another thread at shut-down: a download under way gives up as soon as the
    // platform lets it, and every later one fails at once.
    virtual void Abort() = 0;
};

// The platform's downloader; on other platforms one that always fails.
std::unique_ptr<Downloader> MakePlatformDownloader();

}  // namespace tarn
