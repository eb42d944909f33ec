#include "tests/i18n/conformance/expat_oracle.h"

#include <expat.h>
#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "base/text.h"

namespace tarn::conformance {

namespace {

// expat itself knows UTF-8, UTF-16, ISO-8859-1 and US-ASCII; every other declared encoding
// is handed to it as a byte map built through iconv. Lead bytes of two-byte encodings (Shift_JIS,
// GBK, Big5, EUC-KR) are those iconv calls incomplete on their own.
struct ByteConverter {
    iconv_t cd = reinterpret_cast<iconv_t>(-1);
    ~ByteConverter() {
        if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
    }
};

// The code point of the bytes, 0 when incomplete, -1 when invalid.
int ConvertBytes(iconv_t cd, const char* bytes, size_t count) {
    char32_t out[4] = {};
    char* in = const_cast<char*>(bytes);
    size_t inLeft = count;
    char* dest = reinterpret_cast<char*>(out);
    size_t destLeft = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    const size_t done = iconv(cd, &in, &inLeft, &dest, &destLeft);
    if (done == static_cast<size_t>(-1)) return errno == EINVAL ? 0 : -1;
    // Converters that compose (windows-1255, windows-1258) hold a letter back until they
    // know no mark follows.
    iconv(cd, nullptr, nullptr, &dest, &destLeft);
    if (inLeft != 0 || destLeft != sizeof out - sizeof(char32_t)) return -1;
    return static_cast<int>(out[0]);
}

int XMLCALL ConvertTwoBytes(void* data, const char* s) {
    const int code = ConvertBytes(static_cast<ByteConverter*>(data)->cd, s, 2);
    return code == 0 ? -1 : code;
}

void XMLCALL ReleaseConverter(void* data) {
    delete static_cast<ByteConverter*>(data);
}

// With replace set, bytes the encoding does not define read as U+FFFD, as a code-page
// conversion gives them, instead of making the document ill-formed.
int XMLCALL UnknownEncoding(void* replace, const XML_Char* name, XML_Encoding* info) {
    auto converter = std::make_unique<ByteConverter>();
    converter->cd = iconv_open("UTF-32LE", name);
    if (converter->cd == reinterpret_cast<iconv_t>(-1)) return XML_STATUS_ERROR;
    bool multiByte = false;
    for (int b = 0; b < 256; ++b) {
        const char byte = static_cast<char>(b);
        const int code = ConvertBytes(converter->cd, &byte, 1);
        info->map[b] = code == 0 && b != 0 ? -2 : code;
        if (info->map[b] == -1 && replace != nullptr) info->map[b] = 0xFFFD;
        multiByte |= info->map[b] == -2;
    }
    info->map[0] = -1;
    info->data = converter.release();
    info->convert = multiByte ? ConvertTwoBytes : nullptr;
    info->release = ReleaseConverter;
    return XML_STATUS_OK;
}

std::u16string Wide(const XML_Char* text, int length) {
    return FromUtf8(std::string_view(text, static_cast<size_t>(length)));
}

std::u16string Wide(const XML_Char* text) {
    return FromUtf8(text);
}

class Collector {
public:
    explicit Collector(XML_Parser parser) : parser_(parser) {}

    OracleResult result;

    void Start(const XML_Char* name) {
        if (!open_.empty()) result.elements[open_.back()].hasChildElements = true;
        OracleElement e;
        e.name = Wide(name);
        e.depth = open_.size();
        open_.push_back(result.elements.size());
        result.elements.push_back(std::move(e));
    }
    void End() {
        if (!open_.empty()) open_.pop_back();
    }

    void Characters(const XML_Char* text, int length) {
        if (open_.empty()) return;
        ContentPiece piece;
        piece.kind = inCData_ ? ContentPiece::Kind::CData : ContentPiece::Kind::Text;
        piece.text = Wide(text, length);
        // The text as written: the default handler receives it while capturing.
        capturing_ = true;
        captured_.clear();
        XML_DefaultCurrent(parser_);
        capturing_ = false;
        piece.raw = captured_.empty() ? piece.text : captured_;
        Add(std::move(piece));
    }
    void Default(const XML_Char* text, int length) {
        if (capturing_) captured_ += Wide(text, length);
    }
    void Boundary() {
        if (!open_.empty()) Add({ContentPiece::Kind::Boundary, {}, {}, false});
    }
    void Entity(const XML_Char* name, bool external) {
        if (open_.empty()) return;
        const std::u16string wide = Wide(name);
        Add({ContentPiece::Kind::Entity, {}, u"&" + wide + u";", external});
    }
    // Even an empty section is markup: the reader then leaves blank runs beside it out.
    void CDataStart() {
        Boundary();
        inCData_ = true;
    }
    void CDataEnd() { inCData_ = false; }

    void EntityDeclared(const XML_Char* name, bool parameter, const XML_Char* value, int length) {
        if (parameter || value == nullptr) return;
        const std::u16string text = Wide(value, length);
        if (text.find_first_of(u"<&") != std::u16string::npos) return;
        result.plainEntities.emplace(Wide(name), text);
    }

private:
    void Add(ContentPiece piece) { result.elements[open_.back()].pieces.push_back(std::move(piece)); }

    XML_Parser parser_;
    std::vector<size_t> open_;
    bool inCData_ = false;
    bool capturing_ = false;
    std::u16string captured_;
};

Collector& Of(void* data) {
    return *static_cast<Collector*>(data);
}

void Install(XML_Parser p, Collector& c) {
    XML_SetUserData(p, &c);
    XML_SetElementHandler(
        p, [](void* d, const XML_Char* name, const XML_Char**) { Of(d).Start(name); },
        [](void* d, const XML_Char*) { Of(d).End(); });
    XML_SetCharacterDataHandler(
        p, [](void* d, const XML_Char* s, int len) { Of(d).Characters(s, len); });
    XML_SetCommentHandler(p, [](void* d, const XML_Char*) { Of(d).Boundary(); });
    XML_SetProcessingInstructionHandler(
        p, [](void* d, const XML_Char*, const XML_Char*) { Of(d).Boundary(); });
    XML_SetCdataSectionHandler(
        p, [](void* d) { Of(d).CDataStart(); }, [](void* d) { Of(d).CDataEnd(); });
    // Not the expanding variant: internal entities then stay references, as in the reader,
    // and reach the skipped-entity handler.
    XML_SetDefaultHandler(p, [](void* d, const XML_Char* s, int len) { Of(d).Default(s, len); });
    XML_SetSkippedEntityHandler(p, [](void* d, const XML_Char* name, int parameter) {
        if (!parameter) Of(d).Entity(name, false);
    });
    XML_SetExternalEntityRefHandler(
        p, [](XML_Parser parser, const XML_Char* context, const XML_Char*, const XML_Char*,
              const XML_Char*) {
            // Without namespaces the context is the name of the entity being opened; its text
            // is never fetched.
            Collector& c = Of(XML_GetUserData(parser));
            if (context != nullptr) c.Entity(context, true);
            return static_cast<int>(XML_STATUS_OK);
        });
    XML_SetEntityDeclHandler(
        p, [](void* d, const XML_Char* name, int parameter, const XML_Char* value, int length,
              const XML_Char*, const XML_Char*, const XML_Char*, const XML_Char*) {
            Of(d).EntityDeclared(name, parameter != 0, value, length);
        });
    XML_SetXmlDeclHandler(p, [](void* d, const XML_Char*, const XML_Char* encoding, int) {
        if (encoding != nullptr) Of(d).result.declaredEncoding = encoding;
    });
}

}  // namespace

OracleResult ParseWithExpat(std::string_view bytes, const char* encoding) {
    XML_Parser parser = XML_ParserCreate(encoding);
    Collector collector(parser);
    Install(parser, collector);
    static bool replace = true;
    XML_SetUnknownEncodingHandler(parser, UnknownEncoding, encoding ? &replace : nullptr);
    // No external subset or parameter entity is read: the reader reads none either.
    XML_SetParamEntityParsing(parser, XML_PARAM_ENTITY_PARSING_NEVER);
    const bool ok = XML_Parse(parser, bytes.data(), static_cast<int>(bytes.size()), 1) ==
                    XML_STATUS_OK;
    OracleResult result = std::move(collector.result);
    result.accepted = ok;
    if (!ok) {
        result.error = std::string(XML_ErrorString(XML_GetErrorCode(parser))) + " at line " +
                       std::to_string(XML_GetCurrentLineNumber(parser));
    }
    XML_ParserFree(parser);
    return result;
}

}  // namespace tarn::conformance
