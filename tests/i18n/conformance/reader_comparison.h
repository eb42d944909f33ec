// Compares what XmlDocument reads from a document with what a conforming parser reads: the
// elements in document order with their nesting, and the text of every element. Differences
// the reader makes by its own definition are put in classes and counted; anything else is a
// fault of the reader.
#pragma once

#include <array>
#include <cstddef>
#include <map>
#include <string>
#include <string_view>

#include "tests/i18n/conformance/expat_oracle.h"

namespace tarn::conformance {

// The reader's own rules that make a text differ from the conforming one.
enum class DesignClass : size_t {
    LineEndsKept,        // CR LF and lone CR stay as written, in text and in CDATA
    BlankRunsDropped,    // whitespace-only runs beside comments, PIs and CDATA are left out
    DtdEntityLiteral,    // an entity the DTD declares stays "&name;"
    DtdEntityAsHtml,     // ... or is read as the HTML 4 name of the same spelling
    ExternalEntityLiteral,  // an external entity is not fetched and stays "&name;"
    LongReferenceLiteral,   // a reference of more than nine characters stays as written
    WindowsCodePage,     // a declared name is read with the Windows code page it stands for
    UnknownEncodingName,  // a name the encoding table lacks is read with the ANSI code page
    MarkOverDeclaration,  // a byte-order mark decides over a declaration that names another
    HtmlMetaCharset,      // without a declaration, an HTML meta element names the encoding
    Count,
};

std::string_view DesignClassName(DesignClass c);

using ClassCounts = std::array<size_t, static_cast<size_t>(DesignClass::Count)>;

struct TextComparison {
    bool identical = false;  // equal to the conforming text
    bool fault = false;      // not explained by the reader's own rules either
    ClassCounts classes{};   // 1 for each class the difference needed
    std::u16string expected;  // the conforming text, for messages
};

TextComparison CompareElementText(const OracleElement& element,
                                  const std::map<std::u16string, std::u16string>& plainEntities,
                                  std::u16string_view readerText);

struct DocumentComparison {
    bool accepted = false;  // by the conforming parser; nothing else is compared otherwise
    std::string oracleError;
    bool loaded = false;  // LoadXmlBytes returned true
    std::u16string loadResult;
    size_t elements = 0;
    size_t identicalElements = 0;
    ClassCounts classElements{};  // elements whose difference needed each class
    std::string fault;            // the first fault, empty when there is none
};

DocumentComparison CompareDocument(std::string_view bytes);
// The same for a file on disk, which the reader loads itself (bytes are the file's content).
DocumentComparison CompareFile(const std::string& path, std::string_view bytes);

}  // namespace tarn::conformance
