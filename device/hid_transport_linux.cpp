// The hidraw backend: sysfs lists the nodes and their descriptors, the node itself carries
// feature reports (HIDIOCSFEATURE / HIDIOCGFEATURE) and output reports (write).
#include <fcntl.h>
#include <linux/hidraw.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "device/hid_transport.h"
#include "device/hidraw_sysfs.h"

namespace tarn {

namespace {

class HidrawTransport final : public HidTransport {
public:
    ~HidrawTransport() override { Close(); }

    HidEnumeration Enumerate(uint16_t vendorId, uint16_t productId) override {
        return EnumerateHidraw(kHidrawClassFolder, kDeviceFolder, vendorId, productId);
    }

    // One descriptor open for reading and writing serves both directions on Linux.
    bool Open(const std::string& path) override {
        Close();
        fd_ = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
        return fd_ >= 0;
    }

    void Close() override {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

    bool IsOpen() const override { return fd_ >= 0; }

    bool SetFeature(const uint8_t* report, size_t length) override {
        if (fd_ < 0 || length == 0 || length > kReportBufferSize) return false;
        uint8_t buffer[kReportBufferSize];
        std::memcpy(buffer, report, length);
        return Retry([&] { return ::ioctl(fd_, HIDIOCSFEATURE(length), buffer); }) >= 0;
    }

    bool GetFeature(uint8_t* report, size_t length) override {
        if (fd_ < 0 || length == 0 || length > kReportBufferSize) return false;
        return Retry([&] { return ::ioctl(fd_, HIDIOCGFEATURE(length), report); }) >= 0;
    }

    WriteStart StartOutputWrite(const uint8_t* report, size_t length) override {
        if (fd_ < 0) return WriteStart::Failed;
        const ssize_t written =
            Retry([&] { return static_cast<int>(::write(fd_, report, length)); });
        return written == static_cast<ssize_t>(length) ? WriteStart::Completed : WriteStart::Failed;
    }

    // Writes to hidraw finish before write returns; nothing is ever pending.
    bool WaitForPendingWrite(uint32_t) override { return true; }

private:
    template <typename Call>
    static int Retry(Call call) {
        int result;
        do {
            result = call();
        } while (result < 0 && errno == EINTR);
        return result;
    }

    int fd_ = -1;
};

}  // namespace

std::unique_ptr<HidTransport> MakePlatformTransport() {
    return std::make_unique<HidrawTransport>();
}

}  // namespace tarn
