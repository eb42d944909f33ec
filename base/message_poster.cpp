#include "base/message_poster.h"

namespace tarn {

namespace {

class NullPoster final : public MessagePoster {
public:
    bool Post(WindowId, uint32_t, uintptr_t, intptr_t) override { return false; }
};

MessagePoster* g_override = nullptr;

}  // namespace

#ifndef _WIN32
MessagePoster& PlatformPoster() {
    static NullPoster instance;
    return instance;
}
#endif

void SetPoster(MessagePoster* poster) {
    g_override = poster;
}

MessagePoster& Poster() {
    return g_override ? *g_override : PlatformPoster();
}

}  // namespace tarn
