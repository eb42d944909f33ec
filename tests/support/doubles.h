// Doubles of the small platform seams: a clock that only moves when slept on, a poster and a
// message box that record what they were given.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "base/clock.h"
#include "base/message_poster.h"
#include "base/user_messages.h"

namespace tarn::test {

class FakeClock final : public Clock {
public:
    uint32_t now = 1000;
    std::vector<uint32_t> sleeps;
    uint32_t TickCount() override { return now; }
    void Sleep(uint32_t milliseconds) override {
        sleeps.push_back(milliseconds);
        now += milliseconds;
    }
};

struct PostedMessage {
    WindowId window;
    uint32_t message;
    uintptr_t wParam;
    intptr_t lParam;
    bool operator==(const PostedMessage&) const = default;
};

class RecordingPoster final : public MessagePoster {
public:
    bool Post(WindowId window, uint32_t message, uintptr_t wParam, intptr_t lParam) override {
        std::lock_guard<std::mutex> lock(mutex_);
        posted_.push_back({window, message, wParam, lParam});
        return true;
    }
    std::vector<PostedMessage> Posted() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return posted_;
    }

private:
    mutable std::mutex mutex_;
    std::vector<PostedMessage> posted_;
};

struct ShownMessage {
    enum Kind { Info, SelfClosing, Plain } kind;
    std::u16string text;
    bool withCancel;
};

class RecordingMessages final : public UserMessages {
public:
    std::vector<ShownMessage> shown;
    int answer = kInfoOk;  // what the user presses in an information box
    int InfoBox(std::u16string_view message, bool withCancel) override {
        shown.push_back({ShownMessage::Info, std::u16string(message), withCancel});
        return answer;
    }
    int SelfClosingInfo(std::u16string_view message) override {
        shown.push_back({ShownMessage::SelfClosing, std::u16string(message), false});
        return kInfoClosed;
    }
    void PlainInfo(std::u16string_view message) override {
        shown.push_back({ShownMessage::Plain, std::u16string(message), false});
    }
};

// Installs the recording message boxes for the life of a test.
class ScopedMessages {
public:
    ScopedMessages() { SetUserMessages(&messages); }
    ~ScopedMessages() { SetUserMessages(nullptr); }
    RecordingMessages messages;
};

}  // namespace tarn::test
