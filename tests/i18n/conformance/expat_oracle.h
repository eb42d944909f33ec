// What a conforming parser (expat, used only as a black box through its public interface) makes
// of a document: its elements in document order, each with its depth and the pieces of its
// content, so the reader's element texts can be compared with it.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tarn::conformance {

struct ContentPiece {
    enum class Kind {
        Text,      // character data outside CDATA: literal text, a newline or one reference
        CData,     // character data inside a CDATA section
        Boundary,  // a comment or processing instruction: markup the text is split at
        Entity,    // a general entity the parser left unexpanded (declared in a DTD)
    };
    Kind kind = Kind::Text;
    std::u16string text;  // as the parser reports it: newlines normalised, references decoded
    std::u16string raw;   // as written in the document: "\r\n", "&#65;", "&amp;", "&name;"
    bool external = false;  // Entity: declared as an external entity
};

struct OracleElement {
    std::u16string name;
    size_t depth = 0;  // 0 for the root
    bool hasChildElements = false;
    std::vector<ContentPiece> pieces;  // content pieces of the element itself, in order
};

struct OracleResult {
    bool accepted = false;
    std::string error;  // the parser's message and line when not accepted
    std::string declaredEncoding;  // of the XML declaration, empty when none
    std::vector<OracleElement> elements;
    // Internal general entities whose value is plain text: name -> value.
    std::map<std::u16string, std::u16string> plainEntities;
};

// encoding, when given, replaces what the document declares (an iconv name such as "CP932").
OracleResult ParseWithExpat(std::string_view bytes, const char* encoding = nullptr);

}  // namespace tarn::conformance
