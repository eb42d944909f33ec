#include "i18n/xml_nodes.h"

namespace tarn {

namespace xml_detail {

namespace {

// text.find, but looking for the first unit eight at a time: comments and CDATA sections can
// be long.
size_t Find(std::u16string_view text, std::u16string_view what, size_t from) {
    for (size_t i = from; i < text.size(); ++i) {
        i = FindUnit(text.data(), i, text.size(), what[0]);
        if (text.size() - i < what.size()) break;
        if (text.substr(i, what.size()) == what) return i;
    }
    return std::u16string_view::npos;
}

// A node that ends at the first terminator after from.
ScannedNode Delimited(std::u16string_view text, size_t from, std::u16string_view terminator,
                      NodeType type, std::u16string_view kind) {
    const size_t close = Find(text, terminator, from);
    if (close == std::u16string_view::npos) return Unterminated(kind, text.size());
    return {type, close + terminator.size(), 0, {}};
}

// Where the comment or processing instruction of an internal subset at text[i] ends (one past
// it), npos when it does not end, or i when none starts there.
size_t SubsetMarkupEnd(std::u16string_view text, size_t i) {
    const std::u16string_view rest = text.substr(i);
    std::u16string_view opening;
    std::u16string_view terminator;
    if (rest.starts_with(u"<!--")) {
        opening = u"<!--", terminator = u"-->";
    } else if (rest.starts_with(u"<?")) {
        opening = u"<?", terminator = u"?>";
    } else {
        return i;
    }
    // After the opening, so that "<!-->" does not end where it begins.
    const size_t close = Find(text, terminator, i + opening.size());
    return close == std::u16string_view::npos ? close : close + terminator.size();
}

// A document type ends at the first ">" outside its internal subset and quoted literals. The
// subset's comments and processing instructions are passed whole: they may hold a quote, a
// bracket or a ">" that is no markup, as in "<!-- the author doesn't ... -->".
ScannedNode Doctype(std::u16string_view text, size_t at) {
    size_t depth = 0;
    for (size_t i = at + 3; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (IsQuote(c)) {
            const size_t close = text.find(c, i + 1);
            if (close == std::u16string_view::npos) break;
            i = close;
        } else if (c == u'<' && depth > 0) {
            const size_t end = SubsetMarkupEnd(text, i);
            if (end == std::u16string_view::npos) break;
            if (end != i) i = end - 1;
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

}  // namespace

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

ScannedNode ProcessingInstruction(std::u16string_view text, size_t at) {
    return Delimited(text, at + 2, u"?>", NodeType::ProcessingInstruction,
                     u"Processing instruction");
}

}  // namespace xml_detail

bool IsXmlSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f';
}

}  // namespace tarn
