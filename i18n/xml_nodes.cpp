#include "i18n/xml_nodes.h"

#include <array>

namespace tarn {

namespace {

constexpr std::array<bool, 128> MakeNameStops() {
    std::array<bool, 128> stops{};
    for (char c : std::string_view(" \t\n\v\f\r<>=\\/?!\"';")) stops[static_cast<size_t>(c)] = true;
    return stops;
}
constexpr std::array<bool, 128> kNameStops = MakeNameStops();

bool IsNameStart(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u':' || c == u'_' ||
           c > u'z';
}

bool IsQuote(char16_t c) { return c == u'"' || c == u'\''; }

size_t Find(std::u16string_view text, std::u16string_view what, size_t from) {
    return from > text.size() ? std::u16string_view::npos : text.find(what, from);
}

ScannedNode Unterminated(std::u16string_view kind, size_t textSize) {
    return {NodeType::Unterminated, textSize, 0, kind};
}

ScannedNode Incorrect(std::u16string_view what, size_t at) {
    return {NodeType::Incorrect, at + 1, 0, what};
}

// A node that ends at the first terminator after from.
ScannedNode Delimited(std::u16string_view text, size_t from, std::u16string_view terminator,
                      NodeType type, std::u16string_view kind) {
    const size_t close = Find(text, terminator, from);
    if (close == std::u16string_view::npos) return Unterminated(kind, text.size());
    return {type, close + terminator.size(), 0, {}};
}

ScannedNode StartTag(std::u16string_view text, size_t at) {
    const size_t nameLength = NameLength(text, at + 1);
    size_t i = at + 1 + nameLength;
    while (i < text.size()) {
        const char16_t c = text[i];
        if (c == u'>') break;
        if (IsQuote(c)) {
            const size_t close = text.find(c, i + 1);
            if (close == std::u16string_view::npos) return Unterminated(u"Element tag", text.size());
            i = close;
        }
        ++i;
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

ScannedNode EndTag(std::u16string_view text, size_t at) {
    const size_t nameLength = NameLength(text, at + 2);
    const size_t close = text.find(u'>', at + 2 + nameLength);
    if (close == std::u16string_view::npos) return Unterminated(u"Element end tag", text.size());
    return {NodeType::EndTag, close + 1, nameLength, {}};
}

// A document type ends at the first ">" outside its internal subset and quoted literals.
ScannedNode Doctype(std::u16string_view text, size_t at) {
    size_t depth = 0;
    for (size_t i = at + 3; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (IsQuote(c)) {
            const size_t close = text.find(c, i + 1);
            if (close == std::u16string_view::npos) break;
            i = close;
        } else if (c == u'[') {
            ++depth;
        } else if (c == u']' && depth > 0) {
            --depth;
        } else if (c == u'>' && depth == 0) {
            return {NodeType::Doctype, i + 1, 0, {}};
        }
    }
    return Unterminated(u"Doctype", text.size());
}

ScannedNode Bang(std::u16string_view text, size_t at) {
    const char16_t c = at + 2 < text.size() ? text[at + 2] : 0;
    const char16_t d = at + 3 < text.size() ? text[at + 3] : 0;
    if (c == 0) return Unterminated(u"tag", text.size());
    switch (c) {
        case u'-':
            if (d == 0) return Unterminated(u"Comment", text.size());
            if (d != u'-') return Incorrect(u"comment tag", at);
            return Delimited(text, at + 4, u"-->", NodeType::Comment, u"Comment");
        case u'[':
            if (d == 0) return Unterminated(u"CDATA Section", text.size());
            if (d != u'C') return Incorrect(u"tag", at);
            return Delimited(text, at + 4, u"]]>", NodeType::CData, u"CDATA Section");
        case u'D':
            return Doctype(text, at);
        case u'E':
        case u'A':
        case u'N':
            return Delimited(text, at + 3, u">", NodeType::Declaration, u"tag");
        default:
            return Incorrect(u"! tag", at);
    }
}

}  // namespace

bool IsXmlSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f';
}

size_t NameLength(std::u16string_view text, size_t at) {
    size_t i = at;
    while (i < text.size() && (text[i] >= 128 || !kNameStops[text[i]])) ++i;
    return i - at;
}

size_t FindTagOpen(std::u16string_view text, size_t from) {
    const char16_t* p = text.data() + from;
    const char16_t* end = text.data() + text.size();
    while (p < end && *p != u'<') ++p;
    return static_cast<size_t>(p - text.data());
}

ScannedNode ScanNode(std::u16string_view text, size_t at) {
    if (text[at] != u'<') return {NodeType::Text, FindTagOpen(text, at + 1), 0, {}};
    if (at + 1 >= text.size()) return Unterminated(u"tag", text.size());
    const char16_t c = text[at + 1];
    if (c == u'/') return EndTag(text, at);
    if (c == u'?') {
        return Delimited(text, at + 2, u"?>", NodeType::ProcessingInstruction,
                         u"Processing instruction");
    }
    if (c == u'!') return Bang(text, at);
    if (IsNameStart(c)) return StartTag(text, at);
    return Incorrect(u"tag name character", at);
}

}  // namespace tarn
