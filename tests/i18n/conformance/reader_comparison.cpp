#include "tests/i18n/conformance/reader_comparison.h"

#include <algorithm>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "base/text.h"
#include "i18n/code_page.h"
#include "i18n/encoding_table.h"
#include "i18n/xml_decode.h"
#include "i18n/xml_document.h"
#include "i18n/xml_references.h"

namespace tarn::conformance {

namespace {

using Kind = ContentPiece::Kind;

// The reader takes a reference of up to nine characters between "&" and ";".
constexpr size_t kLongestReference = 9;

constexpr size_t kNoClass = static_cast<size_t>(DesignClass::Count);

// One way a piece of the content may appear in the reader's text, and the class it needs.
struct Choice {
    std::u16string text;
    size_t designClass = kNoClass;
};
using Token = std::vector<Choice>;

bool IsBlank(std::u16string_view text) {
    for (char16_t c : text) {
        if (c != u' ' && c != u'\t' && c != u'\r' && c != u'\n') return false;
    }
    return true;
}

// The character the reader's definition gives an entity name (HTML 4 names and "apos", A..Z
// folded), or nothing.
std::optional<std::u16string> HtmlEntity(std::u16string_view name) {
    if (name.size() > kLongestReference) return std::nullopt;
    std::u16string lower;
    for (char16_t c : name) {
        if (c > 127) return std::nullopt;
        lower += c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
    }
    const char32_t code = LookUpEntity(lower);
    if (code == 0) return std::nullopt;
    std::u16string out;
    if (code >= 0x10000) {
        out += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
        out += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
        out += static_cast<char16_t>(code);
    }
    return out;
}

Token Fixed(std::u16string text, size_t designClass = kNoClass) {
    return {Choice{std::move(text), designClass}};
}

// A piece of character data as the reader's definition gives it.
Token CharacterToken(const ContentPiece& p) {
    if (p.raw != p.text && (p.raw == u"\r\n" || p.raw == u"\r")) {
        return Fixed(p.raw, static_cast<size_t>(DesignClass::LineEndsKept));
    }
    if (p.kind == Kind::Text && p.raw.starts_with(u'&') &&
        p.raw.size() > kLongestReference + 2) {
        return Fixed(p.raw, static_cast<size_t>(DesignClass::LongReferenceLiteral));
    }
    return Fixed(p.text);
}

Token EntityToken(const ContentPiece& p,
                  const std::map<std::u16string, std::u16string>& plainEntities) {
    const std::u16string name = p.raw.substr(1, p.raw.size() - 2);
    Token token;
    if (const auto declared = plainEntities.find(name); declared != plainEntities.end()) {
        token.push_back({declared->second, kNoClass});
    }
    if (const auto html = HtmlEntity(name)) {
        token.push_back({*html, static_cast<size_t>(DesignClass::DtdEntityAsHtml)});
    } else {
        const DesignClass literal =
            p.external ? DesignClass::ExternalEntityLiteral : DesignClass::DtdEntityLiteral;
        token.push_back({p.raw, static_cast<size_t>(literal)});
    }
    return token;
}

// The content as the reader's definition reads it: with markup in the element, runs of text
// between markup that are blank as written are left out.
std::vector<Token> ReaderTokens(const OracleElement& element,
                                const std::map<std::u16string, std::u16string>& plainEntities) {
    const auto& pieces = element.pieces;
    bool markup = false;
    for (const ContentPiece& p : pieces) markup |= p.kind == Kind::CData || p.kind == Kind::Boundary;
    std::vector<Token> tokens;
    for (size_t i = 0; i < pieces.size();) {
        if (pieces[i].kind == Kind::Boundary) {
            ++i;
            continue;
        }
        if (pieces[i].kind == Kind::CData) {
            tokens.push_back(CharacterToken(pieces[i++]));
            continue;
        }
        size_t end = i;
        std::u16string raw;
        while (end < pieces.size() &&
               (pieces[end].kind == Kind::Text || pieces[end].kind == Kind::Entity)) {
            raw += pieces[end++].raw;
        }
        if (markup && IsBlank(raw)) {
            tokens.push_back(Fixed(u"", static_cast<size_t>(DesignClass::BlankRunsDropped)));
        } else {
            for (size_t k = i; k < end; ++k) {
                tokens.push_back(pieces[k].kind == Kind::Entity
                                     ? EntityToken(pieces[k], plainEntities)
                                     : CharacterToken(pieces[k]));
            }
        }
        i = end;
    }
    return tokens;
}

// Whether seen can be made of the tokens from token t and offset at on; the classes of the
// choices taken are added to used.
class Matcher {
public:
    Matcher(const std::vector<Token>& tokens, std::u16string_view seen)
        : tokens_(tokens), seen_(seen) {}

    bool Match(size_t t, size_t at, std::vector<size_t>& used) {
        if (t == tokens_.size()) return at == seen_.size();
        if (failed_.contains({t, at})) return false;
        for (const Choice& c : tokens_[t]) {
            if (seen_.substr(at, c.text.size()) != c.text) continue;
            used.push_back(c.designClass);
            if (Match(t + 1, at + c.text.size(), used)) return true;
            used.pop_back();
        }
        failed_.insert({t, at});
        return false;
    }

private:
    const std::vector<Token>& tokens_;
    std::u16string_view seen_;
    std::set<std::pair<size_t, size_t>> failed_;
};

std::u16string ConformingText(const OracleElement& element,
                              const std::map<std::u16string, std::u16string>& plainEntities) {
    std::u16string text;
    for (const ContentPiece& p : element.pieces) {
        if (p.kind == Kind::Entity) {
            const auto declared = plainEntities.find(p.raw.substr(1, p.raw.size() - 2));
            text += declared != plainEntities.end() ? declared->second : p.raw;
        } else {
            text += p.text;
        }
    }
    return text;
}

// Depth of each element of the reader's index, from its parent chain.
std::vector<size_t> ReaderDepths(const XmlDocument& doc) {
    std::vector<size_t> depth(doc.ElementCount() + 1, 0);
    for (uint32_t e = 1; e <= doc.ElementCount(); ++e) {
        const uint32_t parent = doc.Record(e).parent;
        depth[e] = parent == 0 || parent >= e ? 0 : depth[parent] + 1;
    }
    return depth;
}

std::string Quoted(std::u16string_view text) {
    std::string out = "\"";
    for (char c : ToUtf8(text.substr(0, 200))) {
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else {
            out += c;
        }
    }
    return out + (text.size() > 200 ? "...\"" : "\"");
}

// Navigation walks the child lists, not the parents: each list must hold, in order, exactly
// the elements that name its owner as their parent.
std::string ChildListFault(const XmlDocument& doc) {
    std::vector<uint32_t> expectedNext(doc.ElementCount() + 1, 0);  // next sibling
    std::vector<uint32_t> lastChild(doc.ElementCount() + 1, 0);
    std::vector<uint32_t> firstChild(doc.ElementCount() + 1, 0);
    for (uint32_t e = 1; e <= doc.ElementCount(); ++e) {
        const uint32_t parent = doc.Record(e).parent;
        if (parent >= e) return "element " + std::to_string(e) + " has a later parent";
        if (firstChild[parent] == 0) firstChild[parent] = e;
        if (lastChild[parent] != 0) expectedNext[lastChild[parent]] = e;
        lastChild[parent] = e;
    }
    for (uint32_t e = 0; e <= doc.ElementCount(); ++e) {
        if (doc.Record(e).firstChild != firstChild[e] ||
            (e != 0 && doc.Record(e).nextSibling != expectedNext[e])) {
            return "child list of element " + std::to_string(e) + " is broken";
        }
    }
    return {};
}

// The first element whose name or nesting differs, or empty.
std::string StructureFault(const XmlDocument& doc, const OracleResult& oracle) {
    const std::vector<size_t> depth = ReaderDepths(doc);
    const size_t common = std::min(doc.ElementCount(), oracle.elements.size());
    for (size_t i = 0; i < common; ++i) {
        const auto e = static_cast<uint32_t>(i + 1);
        const OracleElement& o = oracle.elements[i];
        if (doc.ElementName(e) != o.name || depth[e] != o.depth) {
            return "element " + std::to_string(e) + ": reader <" + ToUtf8(doc.ElementName(e)) +
                   "> at depth " + std::to_string(depth[e]) + ", expected <" + ToUtf8(o.name) +
                   "> at depth " + std::to_string(o.depth);
        }
    }
    if (doc.ElementCount() != oracle.elements.size()) {
        return "reader has " + std::to_string(doc.ElementCount()) + " elements, expected " +
               std::to_string(oracle.elements.size());
    }
    return ChildListFault(doc);
}

}  // namespace

std::string_view DesignClassName(DesignClass c) {
    switch (c) {
        case DesignClass::LineEndsKept:
            return "line ends kept as written";
        case DesignClass::BlankRunsDropped:
            return "blank runs beside markup dropped";
        case DesignClass::DtdEntityLiteral:
            return "DTD entity kept as written";
        case DesignClass::DtdEntityAsHtml:
            return "DTD entity read as its HTML name";
        case DesignClass::ExternalEntityLiteral:
            return "external entity kept as written";
        case DesignClass::LongReferenceLiteral:
            return "reference over nine characters kept";
        case DesignClass::WindowsCodePage:
            return "Windows code page of the declared name";
        case DesignClass::UnknownEncodingName:
            return "unknown encoding name read as ANSI";
        case DesignClass::MarkOverDeclaration:
            return "byte-order mark over the declaration";
        case DesignClass::HtmlMetaCharset:
            return "HTML meta charset without a declaration";
        default:
            return "?";
    }
}

TextComparison CompareElementText(const OracleElement& element,
                                  const std::map<std::u16string, std::u16string>& plainEntities,
                                  std::u16string_view readerText) {
    TextComparison result;
    if (element.hasChildElements) {
        // An element with element children has no text of its own in the reader.
        result.identical = readerText.empty();
        result.fault = !readerText.empty();
        return result;
    }
    result.expected = ConformingText(element, plainEntities);
    if (readerText == result.expected) {
        result.identical = true;
        return result;
    }
    const std::vector<Token> tokens = ReaderTokens(element, plainEntities);
    Matcher matcher(tokens, readerText);
    std::vector<size_t> used;
    if (!matcher.Match(0, 0, used)) {
        result.fault = true;
        return result;
    }
    for (size_t c : used) {
        if (c != kNoClass) result.classes[c] = 1;
    }
    return result;
}

namespace {

DocumentComparison Compare(const XmlDocument& doc, const OracleResult& oracle) {
    DocumentComparison result;
    result.accepted = true;
    result.elements = oracle.elements.size();
    const std::string structure = StructureFault(doc, oracle);
    if (!structure.empty()) {
        result.fault = structure;
        return result;
    }
    for (size_t i = 0; i < oracle.elements.size(); ++i) {
        const auto e = static_cast<uint32_t>(i + 1);
        const std::u16string seen = doc.ElementText(e);
        const TextComparison text =
            CompareElementText(oracle.elements[i], oracle.plainEntities, seen);
        if (text.identical) ++result.identicalElements;
        for (size_t c = 0; c < text.classes.size(); ++c) result.classElements[c] += text.classes[c];
        if (text.fault && result.fault.empty()) {
            result.fault = "element " + std::to_string(e) + " <" + ToUtf8(oracle.elements[i].name) +
                           ">: reader " + Quoted(seen) + ", expected " + Quoted(text.expected);
        }
    }
    return result;
}

// The encoding the reader's definition reads a document with, as an iconv name, when it may
// differ from the conforming reading; empty otherwise. A byte-order mark decides over any
// declaration; without a declaration an HTML meta element may name one.
std::string ReaderEncoding(std::string_view bytes, const std::string& declared,
                           DesignClass& why) {
    why = DesignClass::MarkOverDeclaration;
    const bool named = !declared.empty();
    if (bytes.starts_with("\xEF\xBB\xBF")) return named ? "UTF-8" : "";
    if (bytes.starts_with("\xFF\xFE")) return named ? "UTF-16LE" : "";
    if (bytes.starts_with("\xFE\xFF")) return named ? "UTF-16BE" : "";
    std::string name = declared;
    why = DesignClass::WindowsCodePage;
    if (!named) {
        name = ToUtf8(DeclaredEncoding(bytes));
        why = DesignClass::HtmlMetaCharset;
        if (name.empty()) return {};
    }
    const uint32_t page = EncodingTable(FromUtf8(name));
    if (page == 0) {
        why = DesignClass::UnknownEncodingName;
        return "CP" + std::to_string(SystemAnsiCodePage());
    }
    const bool windows = page == 874 || page == 932 || page == 936 || page == 949 ||
                         page == 950 || (page >= 1250 && page <= 1258);
    if (windows) return "CP" + std::to_string(page);
    return named ? std::string() : name;
}

// Elements whose conforming text differs between two readings of the same document.
size_t ChangedTexts(const OracleResult& a, const OracleResult& b) {
    size_t changed = 0;
    for (size_t i = 0; i < a.elements.size() && i < b.elements.size(); ++i) {
        changed += ConformingText(a.elements[i], a.plainEntities) !=
                   ConformingText(b.elements[i], b.plainEntities);
    }
    return changed;
}

DocumentComparison CompareLoaded(std::string_view bytes, const std::string* path) {
    const OracleResult oracle = ParseWithExpat(bytes);
    if (!oracle.accepted) {
        DocumentComparison rejected;
        rejected.oracleError = oracle.error;
        return rejected;
    }
    XmlDocument doc;
    const bool loaded = path ? doc.LoadXmlFile(FromUtf8(*path)) : doc.LoadXmlBytes(bytes);
    DocumentComparison result = Compare(doc, oracle);
    // A difference that goes away when the conforming parser reads the bytes in the encoding
    // the reader chooses is that choice, not a fault.
    DesignClass why = DesignClass::Count;
    const std::string page = result.fault.empty()
                                 ? std::string()
                                 : ReaderEncoding(bytes, oracle.declaredEncoding, why);
    if (!page.empty()) {
        const OracleResult again = ParseWithExpat(bytes, page.c_str());
        DocumentComparison second = again.accepted ? Compare(doc, again) : DocumentComparison{};
        if (again.accepted && second.fault.empty()) {
            const size_t changed = ChangedTexts(oracle, again);
            second.classElements[static_cast<size_t>(why)] = changed;
            second.identicalElements -= std::min(second.identicalElements, changed);
            result = second;
        }
    }
    result.loaded = loaded;
    result.loadResult = doc.LoadResult();
    if (!loaded) result.fault = "not loaded: " + ToUtf8(doc.LoadResult()) + "; " + result.fault;
    return result;
}

}  // namespace

DocumentComparison CompareDocument(std::string_view bytes) {
    return CompareLoaded(bytes, nullptr);
}

DocumentComparison CompareFile(const std::string& path, std::string_view bytes) {
    return CompareLoaded(bytes, &path);
}

}  // namespace tarn::conformance
