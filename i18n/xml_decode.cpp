#include "i18n/xml_decode.h"

#include <cstdint>
#include <cstring>

#include "i18n/code_page.h"
#include "i18n/encoding_table.h"

namespace tarn {

namespace {

// The declared encoding is looked for in this much of the file.
constexpr size_t kHeadBytes = 1024;
constexpr size_t kLongestEncodingName = 100;

enum class Form { Bytes, Utf16Le, Utf16Be };

bool IsSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

char16_t Lower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

// Case-insensitive search for an ASCII word (given in lower case).
size_t FindWord(std::u16string_view text, std::string_view word, size_t from) {
    if (word.size() > text.size()) return std::u16string_view::npos;
    for (size_t i = from; i + word.size() <= text.size(); ++i) {
        size_t k = 0;
        while (k < word.size() && Lower(text[i + k]) == static_cast<char16_t>(word[k])) ++k;
        if (k == word.size()) return i;
    }
    return std::u16string_view::npos;
}

bool EqualsWord(std::u16string_view text, std::string_view word) {
    return text.size() == word.size() && FindWord(text, word, 0) == 0;
}

size_t SkipSpaces(std::u16string_view text, size_t i) {
    while (i < text.size() && IsSpace(text[i])) ++i;
    return i;
}

// A value after "=": quoted, or up to a blank or one of the stop characters.
std::u16string_view ValueAt(std::u16string_view text, size_t i, std::u16string_view stops) {
    i = SkipSpaces(text, i);
    if (i >= text.size()) return {};
    if (text[i] == u'"' || text[i] == u'\'') {
        const size_t close = text.find(text[i], i + 1);
        const size_t end = close == std::u16string_view::npos ? text.size() : close;
        return text.substr(i + 1, end - i - 1);
    }
    size_t end = i;
    while (end < text.size() && !IsSpace(text[end]) && stops.find(text[end]) == stops.npos) ++end;
    return text.substr(i, end - i);
}

// The value of "name=" inside one tag's text, or empty.
std::u16string_view AttributeValue(std::u16string_view tag, std::string_view name) {
    size_t at = 0;
    while ((at = FindWord(tag, name, at)) != std::u16string_view::npos) {
        const size_t eq = SkipSpaces(tag, at + name.size());
        const bool standsAlone = at == 0 || IsSpace(tag[at - 1]);
        if (standsAlone && eq < tag.size() && tag[eq] == u'=') {
            return ValueAt(tag, eq + 1, u"?>/");
        }
        at += name.size();
    }
    return {};
}

std::u16string_view XmlDeclarationEncoding(std::u16string_view head) {
    const size_t end = head.find(u"?>");
    return AttributeValue(head.substr(0, end), "encoding");
}

// <meta http-equiv="Content-Type" content="text/html; charset=..."> in the head of a page.
std::u16string_view MetaCharset(std::u16string_view head) {
    const size_t headEnd = FindWord(head, "</head", 0);
    head = head.substr(0, headEnd);
    size_t at = 0;
    while ((at = FindWord(head, "<meta", at)) != std::u16string_view::npos) {
        const size_t close = head.find(u'>', at);
        const std::u16string_view tag =
            head.substr(at, close == head.npos ? head.npos : close - at);
        at += 5;
        if (!EqualsWord(AttributeValue(tag, "http-equiv"), "content-type")) continue;
        const std::u16string_view content = AttributeValue(tag, "content");
        const size_t charset = FindWord(content, "charset", 0);
        if (charset == content.npos) continue;
        const size_t eq = SkipSpaces(content, charset + 7);
        if (eq >= content.size() || content[eq] != u'=') continue;
        return ValueAt(content, eq + 1, u";\"'");
    }
    return {};
}

// A UTF-16 document without a mark still shows its byte order: it begins with "<" and an ASCII
// character ("<?xml", "<root"), each with a zero byte beside it. Read as bytes with the zeros
// removed, only its ASCII would survive. A stray zero after the "<" of a byte file ("<\0?xml")
// does not look like this.
Form UnmarkedUtf16(std::string_view file) {
    if (file.size() < 4) return Form::Bytes;
    if (file[0] == '<' && file[1] == 0 && file[2] != 0 && file[3] == 0) return Form::Utf16Le;
    if (file[0] == 0 && file[1] == '<' && file[2] == 0 && file[3] != 0) return Form::Utf16Be;
    return Form::Bytes;
}

std::string WithoutZeros(std::string_view bytes, size_t& removed) {
    std::string out;
    out.reserve(bytes.size());
    for (char b : bytes) {
        if (b != 0) out += b;
    }
    removed = bytes.size() - out.size();
    return out;
}

WideText Utf16Units(std::string_view bytes, bool bigEndian, size_t& units, size_t& removed) {
    units = bytes.size() / 2;
    WideText out = WideText::Uninitialised(units);
    char16_t* dest = out.data.get();
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    for (size_t i = 0; i < units; ++i, p += 2) {
        const char16_t c = bigEndian ? static_cast<char16_t>((p[0] << 8) | p[1])
                                     : static_cast<char16_t>(p[0] | (p[1] << 8));
        if (c != 0) *dest++ = c;
    }
    out.size = static_cast<size_t>(dest - out.data.get());
    removed = units - out.size;
    return out;
}

// Text stored as bytes: zeros removed, then, without a known encoding, UTF-8 when every
// sequence is valid, else the code page. The usual file is UTF-8 without zeros: it is decoded
// once and its zeros are looked for on the way; only a file that has some is stripped and
// decoded again.
WideText DecodeBytes(std::string_view content, std::u16string& name, size_t& removed,
                     bool& detected) {
    const uint32_t codePage = name.empty() ? 0 : EncodingTable(name);
    if (!content.empty() && (name.empty() || codePage == kCodePageUtf8)) {
        WideText text;
        bool zeros = false;
        const bool valid = DecodeUtf8(content, text, zeros);
        if (!zeros) {
            if (!name.empty()) return text;
            if (!valid) return ConvertFromCodePage(0, content);
            name = u"UTF-8";
            detected = true;
            return text;
        }
    }
    std::string stripped;
    std::string_view bytes = content;
    if (!content.empty() && std::memchr(content.data(), 0, content.size()) != nullptr) {
        stripped = WithoutZeros(content, removed);
        bytes = stripped;
    }
    WideText text;
    if (name.empty() && !bytes.empty() && DecodeUtf8(bytes, text)) {
        name = u"UTF-8";
        detected = true;
        return text;
    }
    return ConvertFromCodePage(codePage, bytes);
}

std::u16string Number(size_t n) {
    const std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace

std::u16string DeclaredEncoding(std::string_view head) {
    size_t removed = 0;
    std::u16string text;
    DecodeUtf8(WithoutZeros(head.substr(0, kHeadBytes), removed), text);
    std::u16string_view name;
    if (text.starts_with(u"<?xml")) {
        name = XmlDeclarationEncoding(text);
    } else {
        name = MetaCharset(text);
    }
    return std::u16string(name.substr(0, kLongestEncodingName));
}

DecodedXml DecodeXmlBytes(std::string_view file) {
    DecodedXml result;
    std::u16string name;
    bool mark = false;
    Form form = Form::Bytes;
    std::string_view content = file;
    if (file.starts_with("\xEF\xBB\xBF")) {
        name = u"UTF-8", mark = true, content.remove_prefix(3);
    } else if (file.starts_with("\xFF\xFE")) {
        name = u"UTF-16LE", mark = true, form = Form::Utf16Le, content.remove_prefix(2);
    } else if (file.starts_with("\xFE\xFF")) {
        name = u"UTF-16BE", mark = true, form = Form::Utf16Be, content.remove_prefix(2);
    } else {
        name = DeclaredEncoding(file);
        form = UnmarkedUtf16(file);
        if (name.empty() && form == Form::Utf16Le) name = u"UTF-16LE";
        if (name.empty() && form == Form::Utf16Be) name = u"UTF-16BE";
        if (name.empty() && file.starts_with('<')) name = u"UTF-8";
    }

    size_t units = content.size();
    size_t removed = 0;
    bool detected = false;
    if (form != Form::Bytes) {
        result.text = Utf16Units(content, form == Form::Utf16Be, units, removed);
    } else {
        result.text = DecodeBytes(content, name, removed, detected);
    }

    std::u16string& r = result.report;
    r = name.empty() ? u"ANSI" : name;
    if (mark) r += u" BOM +";
    r += u' ';
    if (units == 0) {
        r += u"0 length ";
        return result;
    }
    r += u"length " + Number(units) + u" ";
    if (removed != 0) r += u"(" + Number(removed) + u" nulls removed) ";
    if (form == Form::Utf16Be) r += u"endian swap ";
    if (detected) r += u"(used UTF-8 detection) ";
    r += u"to " + Number(result.text.size) + u" wide chars ";
    return result;
}

}  // namespace tarn
