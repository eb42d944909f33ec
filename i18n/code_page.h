// Converting bytes of a Windows code page to UTF-16. UTF-8 is decoded by our own code on every
// platform so that both builds give the same text; other code pages go through the platform
// (MultiByteToWideChar on Windows, iconv elsewhere).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace tarn {

// A UTF-16 text filled in place. Documents can be large and are written once, so the buffer is
// not zeroed first.
struct WideText {
    std::unique_ptr<char16_t[]> data;
    size_t size = 0;
    std::u16string_view View() const { return {data.get(), size}; }
    static WideText Uninitialised(size_t capacity);
    static WideText Copy(std::u16string_view text);
};

// Decodes UTF-8; each byte that does not start a valid sequence becomes U+FFFD. Returns false
// when any replacement was made, so the caller can tell valid UTF-8 from other bytes.
bool DecodeUtf8(std::string_view bytes, WideText& out);
// The same, also telling whether any byte was zero.
bool DecodeUtf8(std::string_view bytes, WideText& out, bool& zeros);
bool DecodeUtf8(std::string_view bytes, std::u16string& out);

// Converts bytes of the given code page. Unsupported code pages use the system's default ANSI
// code page; bytes that the code page does not define become U+FFFD.
WideText ConvertFromCodePage(uint32_t codePage, std::string_view bytes);

// Platform part: the default ANSI code page, and the conversion of code pages other than UTF-8.
// Returns false when the platform does not know the code page.
uint32_t SystemAnsiCodePage();
bool PlatformConvertCodePage(uint32_t codePage, std::string_view bytes, std::u16string& out);

}  // namespace tarn
