#include "i18n/xml_document.h"

#include "base/file_system.h"
#include "i18n/xml_decode.h"
#include "i18n/xml_index.h"
#include "i18n/xml_references.h"

namespace tarn {

namespace {

// Offsets are 32-bit; no document this program reads comes anywhere near this.
constexpr size_t kMaxFileBytes = size_t{256} << 20;
constexpr size_t kFirstReadBytes = size_t{64} << 10;

// The system's own wording for the causes the file layer reports.
std::u16string OpenFailureText(FileError error) {
    switch (error) {
        case FileError::NotFound:
            return u"The system cannot find the file specified.";
        case FileError::BadPath:
            return u"The system cannot find the path specified.";
        case FileError::AccessDenied:
            return u"Access is denied.";
        default:
            return u"The system cannot open the device or file specified.";
    }
}

char16_t FoldCase(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool IsNameEnd(std::u16string_view text, size_t at) {
    return at >= text.size() || xml_detail::IsNameStop(text[at]);
}

// A wanted name matches when it starts with the element's name (text from nameStart) and goes
// on, if at all, with a blank, "=", "/", "[" or "]". Only as much of the name is read as the
// wanted one can match, so long names cost no more than short ones.
bool NameMatches(std::u16string_view text, size_t nameStart, std::u16string_view wanted,
                 bool ignoreCase) {
    for (size_t i = 0;; ++i) {
        if (IsNameEnd(text, nameStart + i)) {
            if (i == 0) return false;
            if (i == wanted.size()) return true;
            const char16_t next = wanted[i];
            return next == u' ' || next == u'\t' || next == u'=' || next == u'/' || next == u'[' ||
                   next == u']';
        }
        if (i == wanted.size()) return false;
        char16_t a = text[nameStart + i];
        char16_t b = wanted[i];
        if (ignoreCase) a = FoldCase(a), b = FoldCase(b);
        if (a != b) return false;
    }
}

bool HasNonBlank(std::u16string_view text) {
    for (char16_t c : text) {
        if (!IsXmlSpace(c)) return true;
    }
    return false;
}

// Content with markup in it: text runs that carry something, and CDATA sections verbatim.
std::u16string JoinedText(std::u16string_view content) {
    std::u16string out;
    size_t i = 0;
    while (i < content.size()) {
        const ScannedNode node = ScanNode(content, i);
        const size_t end = node.end < content.size() ? node.end : content.size();
        if (node.type == NodeType::CData) {
            std::u16string_view inside = content.substr(i + 4, end - 3 - (i + 4));
            if (inside.starts_with(u"DATA[")) inside.remove_prefix(5);
            out.append(inside);
        } else if (node.type == NodeType::Text || node.type == NodeType::Incorrect) {
            // A "<" that starts no node is text, up to the next "<".
            const size_t textEnd = node.type == NodeType::Text ? end : FindTagOpen(content, i + 1);
            const std::u16string_view run = content.substr(i, textEnd - i);
            if (HasNonBlank(run)) AppendDecodedReferences(run, out);
            i = textEnd;
            continue;
        }
        i = end;
    }
    return out;
}

}  // namespace

bool XmlDocument::LoadXmlFile(const std::u16string& path) {
    OpenResult opened = Files().OpenForRead(path);
    if (!opened) {
        Load({}, {});
        loadResult_ = OpenFailureText(opened.error);
        return false;
    }
    // The file layer has no size query: read into a buffer that doubles as it fills.
    std::string bytes(kFirstReadBytes, '\0');
    size_t total = 0;
    for (;;) {
        if (total == bytes.size()) {
            if (total >= kMaxFileBytes) {
                opened.file->Close();
                Load({}, {});
                loadResult_ = u"File too large";
                return false;
            }
            bytes.resize(total * 2);
        }
        const size_t n = opened.file->Read(bytes.data() + total, bytes.size() - total);
        if (n == 0) break;
        total += n;
    }
    opened.file->Close();
    bytes.resize(total);
    return LoadXmlBytes(bytes);
}

bool XmlDocument::LoadXmlBytes(std::string_view bytes) {
    if (bytes.size() > kMaxFileBytes) {
        Load({}, {});
        loadResult_ = u"File too large";
        return false;
    }
    DecodedXml decoded = DecodeXmlBytes(bytes);
    return Load(std::move(decoded.text), std::move(decoded.report));
}

bool XmlDocument::Load(WideText text, std::u16string report) {
    text_ = std::move(text);
    const IndexOutcome outcome = BuildElementIndex(text_.View(), records_);
    loadResult_ = std::move(report);
    loadResult_ += outcome.firstError;
    Rewind();
    return outcome.wellFormed;
}

void XmlDocument::Rewind() {
    parent_ = current_ = child_ = 0;
    kind_ = NodeKind::None;
}

std::u16string_view XmlDocument::ElementName(uint32_t element) const {
    if (!Valid(element)) return {};
    const std::u16string_view text = text_.View();
    const size_t at = records_[element].start + 1;
    return text.substr(at, NameLength(text, at));
}

bool XmlDocument::Matches(uint32_t element, const std::u16string_view* name) const {
    return name == nullptr ||
           NameMatches(text_.View(), records_[element].start + 1, *name, ignoreCase_);
}

bool XmlDocument::FindElement(const std::u16string_view* name) {
    if (records_.empty()) return false;
    uint32_t e = current_ ? records_[current_].nextSibling : records_[parent_].firstChild;
    for (; e != 0; e = records_[e].nextSibling) {
        if (!Matches(e, name)) continue;
        current_ = e;
        parent_ = records_[e].parent;
        child_ = 0;
        kind_ = NodeKind::Element;
        return true;
    }
    return false;
}

bool XmlDocument::FindChild(const std::u16string_view* name) {
    if (current_ == 0 && !FindElement(nullptr)) return false;
    uint32_t e = child_ ? records_[child_].nextSibling : records_[current_].firstChild;
    for (; e != 0; e = records_[e].nextSibling) {
        if (!Matches(e, name)) continue;
        child_ = e;
        return true;
    }
    return false;
}

bool XmlDocument::NextElement() {
    return FindElement(nullptr);
}
bool XmlDocument::NextElement(std::u16string_view name) {
    return FindElement(&name);
}
bool XmlDocument::NextChild() {
    return FindChild(nullptr);
}
bool XmlDocument::NextChild(std::u16string_view name) {
    return FindChild(&name);
}

bool XmlDocument::EnterChild() {
    if (current_ == 0 || child_ == 0 || kind_ != NodeKind::Element) return false;
    parent_ = current_;
    current_ = child_;
    child_ = 0;
    return true;
}

std::u16string XmlDocument::ChildText() const {
    return ElementText(child_);
}

std::u16string XmlDocument::ElementText(uint32_t element) const {
    if (!Valid(element)) return {};
    const ElementRecord& r = records_[element];
    if (r.firstChild != 0) return {};
    const size_t from = r.start + r.startTagLength;
    const size_t to = r.start + r.length - r.endTagLength;
    if (to <= from) return {};
    const std::u16string_view content = text_.View().substr(from, to - from);
    if (content.find(u'<') == std::u16string_view::npos) return DecodeReferences(content);
    return JoinedText(content);
}

}  // namespace tarn
