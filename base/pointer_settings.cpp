#include "base/pointer_settings.h"

namespace tarn {

namespace {

class NullPointerSettings final : public PointerSettings {
public:
    bool SetMouse(const int (&)[3]) override { return false; }
    bool SetMouseSpeed(uint32_t) override { return false; }
    bool SetWheelScrollLines(uint32_t) override { return false; }
    void NotifyChange(WindowId, uint32_t, const int*) override {}
};

PointerSettings* g_override = nullptr;

}  // namespace

#ifndef _WIN32
PointerSettings& PlatformPointerSettings() {
    static NullPointerSettings instance;
    return instance;
}
#endif

void SetPointerSettings(PointerSettings* settings) {
    g_override = settings;
}

PointerSettings& CurrentPointerSettings() {
    return g_override ? *g_override : PlatformPointerSettings();
}

}  // namespace tarn
