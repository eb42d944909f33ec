// Splitting XML text into nodes: the one tokenizer behind the element index and element texts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

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
    size_t end = 0;          // one past the node
    size_t nameLength = 0;   // tags: the name after "<" or "</"
    std::u16string_view problem;  // Incorrect: what is wrong; Unterminated: the node's kind
};

// The node that starts at text[at] (a "<" or the first character of a text run).
ScannedNode ScanNode(std::u16string_view text, size_t at);

// Offset of the next "<" at or after from, or text.size().
size_t FindTagOpen(std::u16string_view text, size_t from);

// Characters of an element name starting at text[at] (the character after "<" or "</").
size_t NameLength(std::u16string_view text, size_t at);

bool IsXmlSpace(char16_t c);

}  // namespace tarn
