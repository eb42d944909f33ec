// The HID backend of Windows: SetupAPI lists the HID interfaces, hid.dll reads their attributes
// and capabilities and carries feature reports, overlapped WriteFile carries output reports.
// clang-format off
// windows.h first; MinGW's HID headers have no C++ guards of their own, and hidsdi.h brings the
// usage types and hidpi.h in the order they need.
#include <windows.h>
#include <setupapi.h>
extern "C" {
#include <hidsdi.h>
}
// clang-format on

#include <algorithm>
#include <memory>
#include <new>
#include <string>

#include "base/app_paths.h"
#include "base/text.h"
#include "device/hid_transport.h"

namespace tarn {

namespace {

constexpr DWORD kShareReadWrite = FILE_SHARE_READ | FILE_SHARE_WRITE;

std::wstring Wide(const std::string& utf8) {
    const std::u16string text = FromUtf8(utf8);
    return std::wstring(text.begin(), text.end());
}

std::string Utf8(const wchar_t* text) {
    const std::wstring wide(text);
    return ToUtf8(std::u16string(wide.begin(), wide.end()));
}

// Reads what the descriptor of one interface declares. The query handle asks for no access, so
// interfaces the system holds exclusively (keyboards, pointers) still answer.
bool QueryInterface(const std::wstring& path, uint16_t vendorId, uint16_t productId,
                    HidInterfaceInfo& info) {
    HANDLE query =
        CreateFileW(path.c_str(), 0, kShareReadWrite, nullptr, OPEN_EXISTING, 0, nullptr);
    if (query == INVALID_HANDLE_VALUE) return false;
    HIDD_ATTRIBUTES attributes{};
    attributes.Size = sizeof attributes;
    if (HidD_GetAttributes(query, &attributes)) {
        info.attributesKnown = true;
        info.vendorId = attributes.VendorID;
        info.productId = attributes.ProductID;
    }
    if (!info.attributesKnown || info.vendorId != vendorId || info.productId != productId) {
        CloseHandle(query);
        return true;
    }
    PHIDP_PREPARSED_DATA preparsed = nullptr;
    if (HidD_GetPreparsedData(query, &preparsed)) {
        HIDP_CAPS caps{};
        if (HidP_GetCaps(preparsed, &caps) == HIDP_STATUS_SUCCESS &&
            caps.NumberFeatureValueCaps > 0) {
            HIDP_VALUE_CAPS values[kMaxValueCapabilities]{};
            USHORT count = kMaxValueCapabilities;
            if (HidP_GetSpecificValueCaps(HidP_Feature, 0, 0, 0, values, &count, preparsed) ==
                HIDP_STATUS_SUCCESS) {
                info.capabilitiesKnown = true;
                const USHORT used = std::min<USHORT>(count, kMaxValueCapabilities);
                for (USHORT i = 0; i < used; ++i) {
                    const HIDP_VALUE_CAPS& v = values[i];
                    info.featureValues.push_back({v.UsagePage,
                                                  v.IsRange ? v.Range.UsageMin : v.NotRange.Usage,
                                                  v.ReportID, v.ReportCount});
                }
            }
        }
        HidD_FreePreparsedData(preparsed);
    }
    CloseHandle(query);
    return true;
}

class Win32HidTransport final : public HidTransport {
public:
    ~Win32HidTransport() override {
        Close();
        if (library_) FreeLibrary(library_);
    }

    bool PrepareLink() override;
    HidEnumeration Enumerate(uint16_t vendorId, uint16_t productId) override;
    bool Open(const std::string& path) override;
    void Close() override;
    bool IsOpen() const override {
        return readHandle_ != INVALID_HANDLE_VALUE && writeHandle_ != INVALID_HANDLE_VALUE;
    }
    bool SetFeature(const uint8_t* report, size_t length) override;
    bool GetFeature(uint8_t* report, size_t length) override;
    WriteStart StartOutputWrite(const uint8_t* report, size_t length) override;
    bool WaitForPendingWrite(uint32_t timeoutMs) override;

private:
    void SettlePendingWrite();

    HMODULE library_ = nullptr;
    HANDLE readHandle_ = INVALID_HANDLE_VALUE;
    HANDLE writeHandle_ = INVALID_HANDLE_VALUE;
    HANDLE writeEvent_ = nullptr;
    // Created as the mouse's tools always have; reads are not overlapped and never use it.
    HANDLE readEvent_ = nullptr;
    OVERLAPPED writeOverlapped_{};
    // The system may still read the buffer of a pending write, so it lives here, not on a stack.
    uint8_t writeBuffer_[kReportBufferSize]{};
    bool writePending_ = false;
};

// "HidParse.dll" ships beside the program; only its presence matters. Without it the check
// passes. It is loaded from the program's own folder only, never from the search path.
bool Win32HidTransport::PrepareLink() {
    if (library_) return true;
    std::wstring path(programFolder.begin(), programFolder.end());
    if (path.empty()) {
        wchar_t module[MAX_PATH] = {};
        const DWORD length = GetModuleFileNameW(nullptr, module, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) return true;
        const std::u16string folder =
            ProgramFolderFromModule(std::u16string(module, module + length));
        path.assign(folder.begin(), folder.end());
    }
    path += L"\\HidParse.dll";
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return true;
    library_ = LoadLibraryW(path.c_str());
    if (library_ == nullptr) return false;
    if (GetProcAddress(library_, "OpenHidDevice") != nullptr) return true;
    FreeLibrary(library_);
    library_ = nullptr;
    return false;
}

HidEnumeration Win32HidTransport::Enumerate(uint16_t vendorId, uint16_t productId) {
    HidEnumeration result;
    GUID hidGuid;
    HidD_GetHidGuid(&hidGuid);
    HDEVINFO list =
        SetupDiGetClassDevsW(&hidGuid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (list == INVALID_HANDLE_VALUE) {
        result.complete = false;
        return result;
    }
    for (DWORD index = 0;; ++index) {
        SP_DEVICE_INTERFACE_DATA data{};
        data.cbSize = sizeof data;
        if (!SetupDiEnumDeviceInterfaces(list, nullptr, &hidGuid, index, &data)) break;
        DWORD size = 0;
        SetupDiGetDeviceInterfaceDetailW(list, &data, nullptr, 0, &size, nullptr);
        if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) continue;
        std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[size]);
        if (!buffer) {
            result.complete = false;
            break;
        }
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(buffer.get());
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
        if (!SetupDiGetDeviceInterfaceDetailW(list, &data, detail, size, nullptr, nullptr)) {
            continue;
        }
        HidInterfaceInfo info;
        info.path = Utf8(detail->DevicePath);
        if (QueryInterface(detail->DevicePath, vendorId, productId, info)) {
            result.interfaces.push_back(std::move(info));
        }
    }
    SetupDiDestroyDeviceInfoList(list);
    return result;
}

bool Win32HidTransport::Open(const std::string& path) {
    Close();
    const std::wstring wide = Wide(path);
    readHandle_ = CreateFileW(wide.c_str(), GENERIC_READ, kShareReadWrite, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OVERLAPPED, nullptr);
    writeHandle_ = CreateFileW(wide.c_str(), GENERIC_WRITE, kShareReadWrite, nullptr, OPEN_EXISTING,
                               FILE_FLAG_OVERLAPPED, nullptr);
    writeEvent_ = CreateEventW(nullptr, TRUE, FALSE, L"WriteDataOverLappedEvent");
    readEvent_ = CreateEventW(nullptr, TRUE, FALSE, L"ReadDataOverLappedEvent");
    writeOverlapped_ = OVERLAPPED{};
    if (!IsOpen() || writeEvent_ == nullptr) {
        Close();
        return false;
    }
    return true;
}

void Win32HidTransport::Close() {
    SettlePendingWrite();
    if (readHandle_ != INVALID_HANDLE_VALUE) CloseHandle(readHandle_);
    if (writeHandle_ != INVALID_HANDLE_VALUE) CloseHandle(writeHandle_);
    if (writeEvent_) CloseHandle(writeEvent_);
    if (readEvent_) CloseHandle(readEvent_);
    readHandle_ = writeHandle_ = INVALID_HANDLE_VALUE;
    writeEvent_ = readEvent_ = nullptr;
}

bool Win32HidTransport::SetFeature(const uint8_t* report, size_t length) {
    if (writeHandle_ == INVALID_HANDLE_VALUE || length > kReportBufferSize) return false;
    uint8_t buffer[kReportBufferSize];
    std::copy(report, report + length, buffer);
    return HidD_SetFeature(writeHandle_, buffer, static_cast<ULONG>(length)) != FALSE;
}

bool Win32HidTransport::GetFeature(uint8_t* report, size_t length) {
    if (readHandle_ == INVALID_HANDLE_VALUE) return false;
    return HidD_GetFeature(readHandle_, report, static_cast<ULONG>(length)) != FALSE;
}

WriteStart Win32HidTransport::StartOutputWrite(const uint8_t* report, size_t length) {
    if (writeHandle_ == INVALID_HANDLE_VALUE || length > kReportBufferSize) {
        return WriteStart::Failed;
    }
    SettlePendingWrite();
    std::copy(report, report + length, writeBuffer_);
    writeOverlapped_ = OVERLAPPED{};
    writeOverlapped_.hEvent = writeEvent_;
    ResetEvent(writeEvent_);
    DWORD written = 0;
    if (WriteFile(writeHandle_, writeBuffer_, static_cast<DWORD>(length), &written,
                  &writeOverlapped_)) {
        return WriteStart::Completed;
    }
    if (GetLastError() != ERROR_IO_PENDING) return WriteStart::Failed;
    writePending_ = true;
    return WriteStart::Pending;
}

bool Win32HidTransport::WaitForPendingWrite(uint32_t timeoutMs) {
    if (!writePending_) return true;
    const DWORD waited = WaitForSingleObject(writeEvent_, timeoutMs);
    ResetEvent(writeEvent_);
    // A write still pending is called off now rather than at the next write, so the caller's
    // answer is final: it went out only if it completed, before or despite the cancel.
    if (waited != WAIT_OBJECT_0 && !HasOverlappedIoCompleted(&writeOverlapped_)) {
        CancelIoEx(writeHandle_, &writeOverlapped_);
    }
    DWORD written = 0;
    const BOOL done = GetOverlappedResult(writeHandle_, &writeOverlapped_, &written, TRUE);
    writePending_ = false;
    return done != FALSE;
}

// A write still pending when the next one starts (or the link closes) is cancelled and waited
// for, so the record and buffer it uses are never reused while the system still holds them.
void Win32HidTransport::SettlePendingWrite() {
    if (!writePending_) return;
    if (!HasOverlappedIoCompleted(&writeOverlapped_)) CancelIoEx(writeHandle_, &writeOverlapped_);
    DWORD written = 0;
    GetOverlappedResult(writeHandle_, &writeOverlapped_, &written, TRUE);
    writePending_ = false;
}

}  // namespace

std::unique_ptr<HidTransport> MakePlatformTransport() {
    return std::make_unique<Win32HidTransport>();
}

}  // namespace tarn
