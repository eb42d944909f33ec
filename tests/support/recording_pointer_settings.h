// A double of the system's pointer options: remembers every change and notification in order.
#pragma once

#include <string>
#include <vector>

#include "base/pointer_settings.h"

namespace tarn::test {

struct PointerCall {
    std::string what;           // "mouse", "speed", "lines" or "notify"
    uint32_t value = 0;         // speed, lines, or the notified action
    int values[3] = {0, 0, 0};  // precision values, also those handed to a notification
    WindowId window = 0;
    bool withValues = false;
};

class RecordingPointerSettings final : public PointerSettings {
public:
    std::vector<PointerCall> calls;
    bool SetMouse(const int (&v)[3]) override {
        calls.push_back({"mouse", 0, {v[0], v[1], v[2]}, 0, true});
        return true;
    }
    bool SetMouseSpeed(uint32_t speed) override {
        calls.push_back({"speed", speed});
        return true;
    }
    bool SetWheelScrollLines(uint32_t lines) override {
        calls.push_back({"lines", lines});
        return true;
    }
    void NotifyChange(WindowId window, uint32_t action, const int* v) override {
        PointerCall call{"notify", action};
        call.window = window;
        if (v) {
            call.withValues = true;
            for (int i = 0; i < 3; ++i) call.values[i] = v[i];
        }
        calls.push_back(call);
    }
};

// Installs the recording settings for the life of a test.
class ScopedPointerSettings {
public:
    ScopedPointerSettings() { SetPointerSettings(&settings); }
    ~ScopedPointerSettings() { SetPointerSettings(nullptr); }
    RecordingPointerSettings settings;
};

}  // namespace tarn::test
