// Splitting XML text into nodes: the one tokenizer behind the element index and element texts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "i18n/xml_scan.h"

namespace tarn {

enum class NodeKind : uint8_t {
    None = 0,
    Element = 1,
    Text = 2,
    Whitespace = 4,
    CData = 8,
    ProcessingInstruction = 16,
    Comment = 32,
    Declaration = 64,
    StrayEndTag = 128,
};

enum class NodeType : uint8_t {
    Text,
    StartTag,
    EmptyTag,
    EndTag,
    CData,
    ProcessingInstruction,
    Comment,
    Doctype,
    Declaration,
    Incorrect,     // "<" that starts no node; the "<" counts as text
    Unterminated,  // the text ends inside the node
};

struct ScannedNode {
    NodeType type = NodeType::Text;
    size_t end = 0;               // one past the node
    size_t nameLength = 0;        // tags: the name after "<" or "</"
    std::u16string_view problem;  // Incorrect: what is wrong; Unterminated: the node's kind
};

bool IsXmlSpace(char16_t c);

namespace xml_detail {

inline bool IsNameStart(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u':' || c == u'_' ||
           c > u'z';
}

inline bool IsQuote(char16_t c) {
    return c == u'"' || c == u'\'';
}

inline ScannedNode Unterminated(std::u16string_view kind, size_t textSize) {
    return {NodeType::Unterminated, textSize, 0, kind};
}

inline ScannedNode Incorrect(std::u16string_view what, size_t at) {
    return {NodeType::Incorrect, at + 1, 0, what};
}

// "<!" nodes and processing instructions: rare enough to stay out of line.
ScannedNode Bang(std::u16string_view text, size_t at);
ScannedNode ProcessingInstruction(std::u16string_view text, size_t at);

}  // namespace xml_detail

// Characters of an element name starting at text[at] (the character after "<" or "</").
inline size_t NameLength(std::u16string_view text, size_t at) {
    size_t i = at;
    while (i < text.size() && !xml_detail::IsNameStop(text[i])) ++i;
    return i - at;
}

// Offset of the next "<" at or after from, or text.size().
inline size_t FindTagOpen(std::u16string_view text, size_t from) {
    if (from >= text.size()) return text.size();
    return xml_detail::FindUnit(text.data(), from, text.size(), u'<');
}

// A start tag ends at the first ">" outside quoted attribute values; it is an empty element
// when it ends with "/>" and the "/" follows the name, a blank or a quote.
inline ScannedNode ScanStartTag(std::u16string_view text, size_t at) {
    using namespace xml_detail;
    const size_t nameLength = NameLength(text, at + 1);
    size_t i = at + 1 + nameLength;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'>') break;
        if (IsQuote(c)) {
            // Values are short: a plain loop keeps the scan from waiting on a vector search.
            size_t close = i + 1;
            while (close < text.size() && text[close] != c) ++close;
            if (close >= text.size()) return Unterminated(u"Element tag", text.size());
            i = close;
        }
    }
    if (i >= text.size()) return Unterminated(u"Element tag", text.size());
    NodeType type = NodeType::StartTag;
    const size_t slash = i - 1;
    if (text[slash] == u'/' && slash > at) {
        const bool afterName = slash == at + 1 + nameLength;
        if (afterName || IsXmlSpace(text[slash - 1]) || IsQuote(text[slash - 1])) {
            type = NodeType::EmptyTag;
        }
    }
    return {type, i + 1, nameLength, {}};
}

inline ScannedNode ScanEndTag(std::u16string_view text, size_t at) {
    const size_t nameLength = NameLength(text, at + 2);
    const size_t from = at + 2 + nameLength;
    // The ">" nearly always follows the name at once.
    const size_t close = from < text.size() && text[from] == u'>'
                             ? from
                             : xml_detail::FindUnit(text.data(), from, text.size(), u'>');
    if (close >= text.size()) {
        return xml_detail::Unterminated(u"Element end tag", text.size());
    }
    return {NodeType::EndTag, close + 1, nameLength, {}};
}

// The node that starts at text[at] (a "<" or the first character of a text run).
inline ScannedNode ScanNode(std::u16string_view text, size_t at) {
    using namespace xml_detail;
    if (text[at] != u'<') return {NodeType::Text, FindTagOpen(text, at + 1), 0, {}};
    if (at + 1 >= text.size()) return Unterminated(u"tag", text.size());
    const char16_t c = text[at + 1];
    if (IsNameStart(c)) return ScanStartTag(text, at);
    if (c == u'/') return ScanEndTag(text, at);
    if (c == u'?') return ProcessingInstruction(text, at);
    if (c == u'!') return Bang(text, at);
    return Incorrect(u"tag name character", at);
}

}  // namespace tarn
