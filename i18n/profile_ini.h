// Reading one integer from an INI file, as the platform's private-profile reader does.
#pragma once

#include <string>
#include <string_view>

namespace tarn {

// GetPrivateProfileIntW on Windows; the portable reader below elsewhere.
int ReadProfileInt(const std::u16string& path, std::u16string_view section, std::u16string_view key,
                   int defaultValue);

// The value of key in section of an INI text: names compare without regard to case, the first
// occurrence wins, lines starting with ";" are comments. A missing key or an empty value gives
// the default; a value that does not start with a number gives 0.
int ParseProfileInt(std::u16string_view text, std::u16string_view section, std::u16string_view key,
                    int defaultValue);

// The text of an INI file's bytes: UTF-16LE with its mark, else UTF-8 (with or without mark).
std::u16string ProfileText(std::string_view bytes);

}  // namespace tarn
