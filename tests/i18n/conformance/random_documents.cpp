#include "tests/i18n/conformance/random_documents.h"

#include <random>
#include <string_view>
#include <vector>

#include "base/text.h"
#include "tests/support/utf16_bytes.h"

namespace tarn::conformance {

namespace {

using Pool = std::vector<std::u16string_view>;

// Pieces of character data, with the characters that end nodes in a careless scanner.
const Pool kTextPieces = {u"a",  u"zz", u" ",  u"  ", u"\t", u"\n", u"\r\n", u"\r", u">",
                          u"]",  u"]]", u"\"", u"'",  u"/",  u"=",  u"?",    u"!",  u"-",
                          u"--", u"é",  u"中文", u"🖱", u";",  u"#",  u"x",    u"%",  u"[",
                          u"0"};
const Pool kElementNames = {u"a",   u"b",    u"item",    u"a.b", u"x-y",
                            u"n1",  u"_u",   u"ns:el",   u"élan", u"设置",
                            u"a·b", u"Str_main", u"str_main2"};
const Pool kAttributeNames = {u"k", u"v", u"x.y", u"data-1", u"ns:at", u"é"};
const Pool kAttributePieces = {u"plain", u">",     u"/>",    u"]]>",   u"-->",  u"?>",
                               u"&amp;", u"&lt;",  u"&#62;", u"[",     u"]",    u" ",
                               u"\n",    u"中",    u"=",     u"&quot;", u"&apos;"};
const Pool kEntityValues = {u"plain", u"a > b", u"x ] y", u"[", u"<b>bold</b>", u"é"};
const Pool kEntityNames = {u"e1", u"product", u"copy", u"nbsp", u"Long_entity_name"};
const Pool kLiterals = {u"doc.dtd", u"http://example.com/a>b[1].dtd", u"it]s"};

class Maker {
public:
    explicit Maker(uint32_t seed) : random_(seed) {}

    std::u16string Document() {
        std::u16string out;
        if (Chance(3, 4)) out += Declaration();
        Misc(out);
        if (Chance(1, 2)) {
            out += Doctype();
            Misc(out);
        }
        Element(out, 0);
        Misc(out);
        return out;
    }

private:
    size_t Below(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random_); }
    bool Chance(size_t in, size_t of) { return Below(of) < in; }
    std::u16string_view Pick(const Pool& pool) { return pool[Below(pool.size())]; }
    std::u16string_view Blank() { return Pick({u" ", u"\n", u"\r\n", u"\t", u"  "}); }

    std::u16string Declaration() {
        const std::u16string_view q = Chance(1, 2) ? u"\"" : u"'";
        std::u16string d = u"<?xml version=" + std::u16string(q) + u"1.0" + std::u16string(q);
        if (Chance(1, 3)) {
            d += u" standalone=" + std::u16string(q) + (Chance(1, 2) ? u"yes" : u"no") +
                 std::u16string(q);
        }
        return d + (Chance(1, 2) ? u"?>" : u" ?>") + std::u16string(Blank());
    }

    // Characters that a comment or a processing instruction may hold.
    std::u16string Loose(size_t most) {
        std::u16string s;
        for (size_t n = Below(most); n > 0; --n) {
            s += Pick({u"<", u">", u"a", u" ", u"'", u"\"", u"[", u"]", u"&", u"<b>", u"]]>",
                       u"-", u"?", u"/>", u"\r\n", u"中"});
        }
        return s;
    }

    std::u16string Comment() {
        std::u16string body = Loose(8);
        // "--" may not stand in a comment, nor "-" at its end.
        for (size_t at; (at = body.find(u"--")) != std::u16string::npos;) body.erase(at, 1);
        if (!body.empty() && body.back() == u'-') body += u' ';
        return u"<!--" + body + u"-->";
    }

    std::u16string Instruction() {
        std::u16string body = Loose(8);
        for (size_t at; (at = body.find(u"?>")) != std::u16string::npos;) body.erase(at, 1);
        if (body.empty()) return u"<?pi?>";
        return u"<?pi" + std::u16string(Blank()) + body + u"?>";
    }

    void Misc(std::u16string& out) {
        for (size_t n = Below(3); n > 0; --n) {
            const size_t kind = Below(3);
            out += kind == 0 ? Comment() : kind == 1 ? Instruction() : std::u16string(Blank());
        }
    }

    std::u16string Quoted(std::u16string_view value) {
        const bool single = value.find(u'"') != std::u16string_view::npos;
        const std::u16string q = single ? u"'" : u"\"";
        return q + std::u16string(value) + q;
    }

    std::u16string Doctype() {
        std::u16string d = u"<!DOCTYPE root";
        if (Chance(1, 3)) {
            d += u" SYSTEM " + Quoted(Pick(kLiterals));
        } else if (Chance(1, 3)) {
            d += u" PUBLIC \"-//Tarn//DTD it's 1.0//EN\" " + Quoted(Pick(kLiterals));
        }
        if (Chance(3, 4)) {
            d += u" [";
            for (size_t n = Below(6); n > 0; --n) {
                d += Blank();
                d += SubsetItem();
            }
            d += Blank();
            d += u"]";
        }
        return d + (Chance(1, 2) ? u">" : u"\n>") + std::u16string(Blank());
    }

    std::u16string SubsetItem() {
        switch (Below(8)) {
            case 0:
                return Comment();
            case 1:
                return Instruction();
            case 2:
                return u"<!ELEMENT " + std::u16string(Pick(kElementNames)) + u" ANY>";
            case 3:
                return u"<!ATTLIST item k CDATA " +
                       Quoted(Pick({u"x > y ]", u"it's", u"say \"hi\"", u"[a]"})) + u">";
            case 4: {
                const std::u16string_view name = Pick(kEntityNames);
                declared_.push_back(name);
                return u"<!ENTITY " + std::u16string(name) + u" " + Quoted(Pick(kEntityValues)) +
                       u">";
            }
            case 5:
                declared_.push_back(u"chapter");
                return u"<!ENTITY chapter SYSTEM " + Quoted(Pick(kLiterals)) + u">";
            case 6:
                return u"<!NOTATION png SYSTEM \"image>png\">";
            default:
                return u"<!ENTITY % pe 'text'>";
        }
    }

    std::u16string Text() {
        std::u16string s;
        for (size_t n = 1 + Below(4); n > 0; --n) s += Pick(kTextPieces);
        for (size_t at; (at = s.find(u"]]>")) != std::u16string::npos;) s.replace(at, 3, u"]]&gt;");
        // Nor may "]]>" form across two runs of text that follow each other.
        if (s.back() == u']') s += u'a';
        return s;
    }

    std::u16string Reference() {
        switch (Below(4)) {
            case 0:
                return std::u16string(Pick({u"&amp;", u"&lt;", u"&gt;", u"&apos;", u"&quot;"}));
            case 1:
                return std::u16string(Pick({u"&#65;", u"&#x41;", u"&#xe9;", u"&#20013;",
                                            u"&#x1F5B1;", u"&#128512;", u"&#13;", u"&#10;",
                                            u"&#32;", u"&#x10FFFF;", u"&#9;", u"&#x00041;"}));
            default:
                if (declared_.empty()) return u"&#38;";
                return u"&" + std::u16string(declared_[Below(declared_.size())]) + u";";
        }
    }

    std::u16string CData() {
        std::u16string body = Loose(6);
        for (size_t at; (at = body.find(u"]]>")) != std::u16string::npos;) body.erase(at, 1);
        return u"<![CDATA[" + body + u"]]>";
    }

    std::u16string Attributes() {
        std::u16string out;
        std::vector<std::u16string_view> used;
        for (size_t n = Below(3); n > 0; --n) {
            const std::u16string_view name = Pick(kAttributeNames);
            bool again = false;
            for (auto u : used) again |= u == name;
            if (again) continue;
            used.push_back(name);
            std::u16string value;
            for (size_t k = Below(4); k > 0; --k) value += Pick(kAttributePieces);
            if (Chance(1, 3)) value += Chance(1, 2) ? u"\"" : u"'";
            out += Blank();
            out += name;
            out += Chance(1, 4) ? u" = " : u"=";
            out += Quoted(value);
        }
        return out;
    }

    void Element(std::u16string& out, size_t depth) {
        const std::u16string name(Pick(kElementNames));
        out += u"<" + name + Attributes();
        if (Chance(1, 5)) {
            out += Chance(1, 2) ? u"/>" : u" />";
            return;
        }
        out += Chance(3, 4) ? u">" : std::u16string(Blank()) + u">";
        for (size_t n = Below(6); n > 0; --n) {
            switch (Below(depth < 4 ? 10 : 7)) {
                case 0:
                case 1:
                    out += Text();
                    break;
                case 2:
                    out += Reference();
                    break;
                case 3:
                    out += CData();
                    break;
                case 4:
                    out += Comment();
                    break;
                case 5:
                    out += Instruction();
                    break;
                case 6:
                    out += Blank();
                    break;
                default:
                    Element(out, depth + 1);
                    break;
            }
        }
        out += u"</" + name + (Chance(3, 4) ? u">" : std::u16string(Blank()) + u">");
    }

    std::mt19937 random_;
    std::vector<std::u16string_view> declared_;
};

}  // namespace

std::u16string RandomDocument(uint32_t seed) {
    return Maker(seed).Document();
}

std::string StoredForm(const std::u16string& document, uint32_t seed) {
    std::string out;
    switch (seed % 5) {
        case 0:
        case 1:
            if (seed % 5 == 1) out = "\xEF\xBB\xBF";
            out += ToUtf8(document);
            return out;
        default: {
            const bool big = seed % 5 == 2;
            // UTF-16 without a mark only where expat can tell it: a declaration comes first.
            const bool mark = seed % 5 != 4 || !document.starts_with(u"<?xml");
            return Utf16Bytes(document, big, mark);
        }
    }
}

}  // namespace tarn::conformance
