// A small JSON writer for the --json output: objects, arrays, numbers and UTF-8 strings, written
// compactly on one line. Commas are placed by the writer, so callers only say what comes next.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarnctl {

// The text as a JSON string literal: quotes, backslashes and control characters escaped.
// The text must be valid UTF-8 (ToUtf8 of the core always is).
std::string JsonQuote(std::string_view utf8);

class JsonWriter {
public:
    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    // The key of the next value inside an object.
    void Key(std::string_view name);
    void Number(int64_t value);
    void String(std::string_view utf8);

    // Shorthands for a key and its value.
    void Field(std::string_view name, int64_t value) {
        Key(name);
        Number(value);
    }
    void Field(std::string_view name, std::string_view utf8) {
        Key(name);
        String(utf8);
    }

    const std::string& Text() const { return out_; }

private:
    void BeforeValue();

    std::string out_;
    // One entry per open object or array: whether a value has been written in it.
    std::vector<bool> hasValue_;
    bool afterKey_ = false;
};

}  // namespace tarnctl
