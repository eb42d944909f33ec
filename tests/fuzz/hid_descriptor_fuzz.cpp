// Report descriptors and uevent files come from whatever device is plugged in.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "device/hid_descriptor.h"
#include "device/hidraw_sysfs.h"
#include "device/simulated_mouse.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const tarn::DescriptorValues values = tarn::ParseFeatureValues({data, size});
    for (const tarn::HidValueCapability& cap : values.featureValues) {
        if (cap.reportCount == 0) __builtin_trap();  // the reader never makes an empty value
    }
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    tarn::ParseUeventIds(text);
    tarn::ParseProtocolLogLine(std::string(text));
    return 0;
}
