#include <windows.h>

#include "base/message_poster.h"

namespace tarn {

namespace {

class Win32Poster final : public MessagePoster {
public:
    bool Post(WindowId window, uint32_t message, uintptr_t wParam, intptr_t lParam) override {
        return PostMessageW(reinterpret_cast<HWND>(window), message, wParam, lParam) != 0;
    }
};

}  // namespace

MessagePoster& PlatformPoster() {
    static Win32Poster instance;
    return instance;
}

}  // namespace tarn
