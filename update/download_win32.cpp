// Downloads through WinINet. Unlike a one-call download it tells the status code and the
// announced length, so an error page or a cut connection is not taken for the file, it has
// time-outs, and closing its handle from another thread ends a download at shut-down.
// wininet.dll is loaded at the first download: most starts never check for an update.
#include <windows.h>
#include <wininet.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "update/downloader.h"

namespace tarn {

namespace {

// Nothing sensible is larger; a server that sends more is not sending a firmware image.
constexpr uint64_t kMaxDownloadBytes = 64ull * 1024 * 1024;
// The check itself gives up after 2 s; these only bound how long the worker waits.
constexpr DWORD kConnectTimeoutMs = 10000;
constexpr DWORD kReceiveTimeoutMs = 15000;

struct WinInetApi {
    decltype(&InternetOpenW) open = nullptr;
    decltype(&InternetOpenUrlW) openUrl = nullptr;
    decltype(&InternetSetOptionW) setOption = nullptr;
    decltype(&HttpQueryInfoW) queryInfo = nullptr;
    decltype(&InternetReadFile) readFile = nullptr;
    decltype(&InternetCloseHandle) closeHandle = nullptr;
};

template <typename F>
bool Resolve(HMODULE module, const char* name, F& target) {
    target = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    return target != nullptr;
}

// Loaded once and kept for the life of the process (a worker left in a download at exit may
// still be inside it).
const WinInetApi* Api() {
    static const WinInetApi* api = []() -> const WinInetApi* {
        HMODULE module = LoadLibraryW(L"wininet.dll");
        if (!module) return nullptr;
        auto* table = new WinInetApi;
        const bool complete = Resolve(module, "InternetOpenW", table->open) &&
                              Resolve(module, "InternetOpenUrlW", table->openUrl) &&
                              Resolve(module, "InternetSetOptionW", table->setOption) &&
                              Resolve(module, "HttpQueryInfoW", table->queryInfo) &&
                              Resolve(module, "InternetReadFile", table->readFile) &&
                              Resolve(module, "InternetCloseHandle", table->closeHandle);
        if (!complete) {
            delete table;
            return nullptr;
        }
        return table;
    }();
    return api;
}

bool IsWebAddress(const std::wstring& address) {
    auto startsWith = [&](const wchar_t* prefix) {
        const size_t n = wcslen(prefix);
        return address.size() > n && _wcsnicmp(address.c_str(), prefix, n) == 0;
    };
    return startsWith(L"http://") || startsWith(L"https://");
}

// The announced length, when the server gave one.
bool ContentLength(const WinInetApi& api, HINTERNET request, uint64_t* length) {
    wchar_t text[32] = {};
    DWORD size = sizeof text - sizeof(wchar_t);
    if (!api.queryInfo(request, HTTP_QUERY_CONTENT_LENGTH, text, &size, nullptr)) return false;
    uint64_t value = 0;
    bool digits = false;
    for (const wchar_t* p = text; *p; ++p) {
        if (*p == L' ') continue;
        if (*p < L'0' || *p > L'9') return false;
        value = value * 10 + static_cast<uint64_t>(*p - L'0');
        if (value > kMaxDownloadBytes) value = kMaxDownloadBytes + 1;
        digits = true;
    }
    *length = value;
    return digits;
}

class WinInetDownloader final : public Downloader {
public:
    bool Download(const std::u16string& address, const std::u16string& path) override;
    void Abort() override;

private:
    bool Transfer(const WinInetApi& api, HINTERNET request, const std::wstring& path);
    HINTERNET Track(HINTERNET session);
    void Untrack(const WinInetApi& api);

    std::mutex mutex_;
    HINTERNET session_ = nullptr;
    std::atomic<bool> aborted_{false};
};

HINTERNET WinInetDownloader::Track(HINTERNET session) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (aborted_) return nullptr;
    session_ = session;
    return session;
}

// Closes the session unless an abort already did.
void WinInetDownloader::Untrack(const WinInetApi& api) {
    HINTERNET session = nullptr;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        session = session_;
        session_ = nullptr;
    }
    if (session) api.closeHandle(session);
}

void WinInetDownloader::Abort() {
    aborted_ = true;
    const WinInetApi* api = Api();
    HINTERNET session = nullptr;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        session = session_;
        session_ = nullptr;
    }
    // Closing the session ends the blocking calls made under it.
    if (api && session) api->closeHandle(session);
}

bool WinInetDownloader::Download(const std::u16string& address, const std::u16string& path) {
    const std::wstring url(address.begin(), address.end());
    const std::wstring file(path.begin(), path.end());
    const WinInetApi* api = Api();
    if (aborted_ || !api || !IsWebAddress(url)) return false;
    HINTERNET session = api->open(L"TarnDriver", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (!session) return false;
    if (!Track(session)) {
        api->closeHandle(session);
        return false;
    }
    DWORD timeout = kConnectTimeoutMs;
    api->setOption(session, INTERNET_OPTION_CONNECT_TIMEOUT, &timeout, sizeof timeout);
    timeout = kReceiveTimeoutMs;
    api->setOption(session, INTERNET_OPTION_RECEIVE_TIMEOUT, &timeout, sizeof timeout);
    api->setOption(session, INTERNET_OPTION_SEND_TIMEOUT, &timeout, sizeof timeout);
    constexpr DWORD kFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                             INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_NO_UI |
                             INTERNET_FLAG_NO_COOKIES;
    bool ok = false;
    if (HINTERNET request = api->openUrl(session, url.c_str(), nullptr, 0, kFlags, 0)) {
        ok = Transfer(*api, request, file);
        if (!aborted_) api->closeHandle(request);
    }
    Untrack(*api);
    return ok && !aborted_;
}

bool WinInetDownloader::Transfer(const WinInetApi& api, HINTERNET request,
                                 const std::wstring& path) {
    DWORD status = 0, size = sizeof status;
    if (!api.queryInfo(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                       nullptr) ||
        status != HTTP_STATUS_OK) {
        return false;
    }
    uint64_t announced = 0;
    const bool hasLength = ContentLength(api, request, &announced);
    if (hasLength && announced > kMaxDownloadBytes) return false;
    HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return false;
    std::vector<char> buffer(64 * 1024);
    uint64_t total = 0;
    bool ok = true;
    for (;;) {
        DWORD read = 0;
        if (aborted_ || !api.readFile(request, buffer.data(), static_cast<DWORD>(buffer.size()),
                                      &read)) {
            ok = false;
            break;
        }
        if (read == 0) break;
        total += read;
        DWORD written = 0;
        if (total > kMaxDownloadBytes || !WriteFile(out, buffer.data(), read, &written, nullptr) ||
            written != read) {
            ok = false;
            break;
        }
    }
    if (!FlushFileBuffers(out)) ok = false;
    CloseHandle(out);
    // A connection that ends early reads like the end of the file; only the length tells.
    return ok && (!hasLength || total == announced);
}

}  // namespace

std::unique_ptr<Downloader> MakePlatformDownloader() {
    return std::make_unique<WinInetDownloader>();
}

}  // namespace tarn
