// Posting a window message from portable code (workers, hooks) to a window of the program.
#pragma once

#include <cstdint>

namespace tarn {

// A window handle carried as a number, so the portable side never sees HWND.
using WindowId = uintptr_t;

class MessagePoster {
public:
    virtual ~MessagePoster() = default;
    // Returns false when the window is gone or its queue is full.
    virtual bool Post(WindowId window, uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
};

// PostMessageW on Windows; elsewhere a poster that drops everything.
MessagePoster& PlatformPoster();
void SetPoster(MessagePoster* poster);
MessagePoster& Poster();

}  // namespace tarn
