// Character and entity references in XML text.
#pragma once

#include <string>
#include <string_view>

namespace tarn {

// Decodes "&#65;", "&#x41;" and the HTML 4 entity names plus "apos" (A..Z folded to lower
// case). A reference longer than nine characters, unterminated, naming an unknown entity or
// code point 0, or holding a character above 127, keeps its "&" as written.
std::u16string DecodeReferences(std::u16string_view text);
void AppendDecodedReferences(std::u16string_view text, std::u16string& out);

// The code point of an entity name (already lower case), or 0 when it is not known.
char32_t LookUpEntity(std::u16string_view lowerName);

}  // namespace tarn
