// A HID backend whose answers a test writes down beforehand and whose traffic it reads back.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "device/hid_transport.h"

namespace tarn::test {

class ScriptedTransport final : public HidTransport {
public:
    HidEnumeration enumeration;
    std::map<std::string, bool> openResults;  // paths missing here open fine
    std::vector<WriteStart> writeResults;     // one per output write; Completed once used up
    bool waitResult = true;

    uint16_t searchedVendor = 0;
    uint16_t searchedProduct = 0;
    std::vector<std::string> openAttempts;
    int closes = 0;
    std::vector<std::vector<uint8_t>> sets;
    std::vector<std::vector<uint8_t>> outputs;
    std::vector<uint32_t> waits;
    int gets = 0;
    std::vector<uint8_t> getReply;  // copied over the report on a read

    HidEnumeration Enumerate(uint16_t vendorId, uint16_t productId) override {
        searchedVendor = vendorId;
        searchedProduct = productId;
        return enumeration;
    }
    bool Open(const std::string& path) override {
        openAttempts.push_back(path);
        const auto found = openResults.find(path);
        open_ = found == openResults.end() || found->second;
        return open_;
    }
    void Close() override {
        ++closes;
        open_ = false;
    }
    bool IsOpen() const override { return open_; }
    bool SetFeature(const uint8_t* report, size_t length) override {
        sets.emplace_back(report, report + length);
        return true;
    }
    bool GetFeature(uint8_t* report, size_t length) override {
        ++gets;
        for (size_t i = 0; i < length && i < getReply.size(); ++i) report[i] = getReply[i];
        return true;
    }
    WriteStart StartOutputWrite(const uint8_t* report, size_t length) override {
        outputs.emplace_back(report, report + length);
        const size_t index = outputs.size() - 1;
        return index < writeResults.size() ? writeResults[index] : WriteStart::Completed;
    }
    bool WaitForPendingWrite(uint32_t timeoutMs) override {
        waits.push_back(timeoutMs);
        return waitResult;
    }

private:
    bool open_ = false;
};

// An interface of the mouse as the platform lists it.
inline HidInterfaceInfo MouseInterface(std::string path, std::vector<HidValueCapability> values,
                                       uint16_t vendorId = 0x3D5A, uint16_t productId = 0x4108) {
    HidInterfaceInfo info;
    info.path = std::move(path);
    info.attributesKnown = true;
    info.vendorId = vendorId;
    info.productId = productId;
    info.capabilitiesKnown = true;
    info.featureValues = std::move(values);
    return info;
}

}  // namespace tarn::test
