// Turning the bytes of an XML file into UTF-16 text: byte-order marks, the declared encoding,
// UTF-8 detection, zero removal and code-page conversion.
#pragma once

#include <string>
#include <string_view>

#include "i18n/code_page.h"

namespace tarn {

struct DecodedXml {
    WideText text;
    // The load report up to the structural error: encoding, sizes and what was done.
    std::u16string report;
};

DecodedXml DecodeXmlBytes(std::string_view file);

// The encoding an XML declaration or an HTML meta element names in the start of a file without
// a byte-order mark; empty when none is declared.
std::u16string DeclaredEncoding(std::string_view head);

}  // namespace tarn
