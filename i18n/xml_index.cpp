#include "i18n/xml_index.h"

#include <cstdint>
#include <string>

namespace tarn {

namespace {

// Stack steps that failed searches may take before open names are counted.
constexpr size_t kFreeSearchWork = 1 << 16;

struct OpenElement {
    uint32_t index;
    uint32_t nameStart;
    uint32_t nameLength;
};

// How many open elements carry each name, so an end tag that matches none of them is known
// without walking the whole open stack. Only broken documents that would otherwise make the
// walks quadratic turn it on.
class OpenNameCounts {
public:
    void Add(std::u16string_view name) { ++Slot(name).count; }
    void Remove(std::u16string_view name) { --Slot(name).count; }
    bool Contains(std::u16string_view name) const {
        if (slots_.empty()) return false;
        const size_t mask = slots_.size() - 1;
        for (size_t i = Hash(name) & mask;; i = (i + 1) & mask) {
            const Entry& e = slots_[i];
            if (e.name == nullptr) return false;
            if (Same(e, name)) return e.count != 0;
        }
    }

private:
    struct Entry {
        const char16_t* name = nullptr;
        size_t length = 0;
        uint32_t count = 0;
    };

    static size_t Hash(std::u16string_view name) {
        uint64_t h = 1469598103934665603ull;
        for (char16_t c : name) h = (h ^ c) * 1099511628211ull;
        return static_cast<size_t>(h ^ (h >> 29));
    }
    static bool Same(const Entry& e, std::u16string_view name) {
        return std::u16string_view(e.name, e.length) == name;
    }

    Entry& Slot(std::u16string_view name) {
        if ((used_ + 1) * 2 > slots_.size()) Grow();
        const size_t mask = slots_.size() - 1;
        for (size_t i = Hash(name) & mask;; i = (i + 1) & mask) {
            Entry& e = slots_[i];
            if (e.name == nullptr) {
                e.name = name.data();
                e.length = name.size();
                ++used_;
                return e;
            }
            if (Same(e, name)) return e;
        }
    }
    void Grow() {
        std::vector<Entry> old = std::move(slots_);
        slots_.assign(old.empty() ? 16 : old.size() * 2, Entry{});
        const size_t mask = slots_.size() - 1;
        for (const Entry& e : old) {
            if (e.name == nullptr) continue;
            size_t i = Hash({e.name, e.length}) & mask;
            while (slots_[i].name != nullptr) i = (i + 1) & mask;
            slots_[i] = e;
        }
    }

    std::vector<Entry> slots_;
    size_t used_ = 0;
};

std::u16string Number(size_t n) {
    const std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
}

class Indexer {
public:
    Indexer(std::u16string_view text, ElementRecords& records) : text_(text), records_(records) {}

    IndexOutcome Run();

private:
    void StartElement(size_t at, const ScannedNode& node);
    void EndElement(size_t at, const ScannedNode& node);
    size_t CloseInnermost(size_t at);
    void CloseNormally(uint32_t element, size_t endTagStart, size_t endTagEnd);
    void LoseEnds(size_t outer);
    void Pop();
    size_t FindOpen(std::u16string_view name);
    void LinkAsLastChild(uint32_t parent, uint32_t child, ElementRecord& record);
    void Fault(std::u16string message);
    void MarkMalformedBelow();
    std::u16string_view NameOf(const OpenElement& e) const {
        return text_.substr(e.nameStart, e.nameLength);
    }

    std::u16string_view text_;
    ElementRecords& records_;
    std::vector<OpenElement> open_;
    OpenNameCounts openNames_;
    bool counted_ = false;
    size_t failedSearchWork_ = 0;
    std::u16string firstError_;
    bool malformed_ = false;
};

void Indexer::Fault(std::u16string message) {
    malformed_ = true;
    if (firstError_.empty()) firstError_ = std::move(message);
}

void Indexer::MarkMalformedBelow() {
    if (!open_.empty()) records_[open_.back().index].flags |= kElementMalformedBelow;
}

// Links the record about to be appended as the last child of parent; the record is written
// whole once, when it is appended.
void Indexer::LinkAsLastChild(uint32_t parent, uint32_t child, ElementRecord& record) {
    ElementRecord& p = records_[parent];
    record.parent = parent;
    if (p.firstChild == 0) {
        p.firstChild = child;
        record.previousSibling = child;
        return;
    }
    ElementRecord& first = records_[p.firstChild];
    const uint32_t last = first.previousSibling;
    records_[last].nextSibling = child;
    record.previousSibling = last;
    first.previousSibling = child;
}

void Indexer::StartElement(size_t at, const ScannedNode& node) {
    const auto index = static_cast<uint32_t>(records_.size());
    const bool empty = node.type == NodeType::EmptyTag;
    ElementRecord r{};
    r.start = static_cast<uint32_t>(at);
    r.startTagLength = static_cast<uint32_t>(node.end - at);
    r.length = r.startTagLength;
    r.flags = static_cast<uint32_t>(open_.size() < 0xFFFF ? open_.size() : 0xFFFF);
    if (empty) r.flags |= kElementEmpty;
    LinkAsLastChild(open_.empty() ? 0 : open_.back().index, index, r);
    records_.push_back(r);
    if (empty) return;
    const OpenElement e{index, static_cast<uint32_t>(at + 1),
                        static_cast<uint32_t>(node.nameLength)};
    open_.push_back(e);
    if (counted_) openNames_.Add(NameOf(e));
}

void Indexer::Pop() {
    if (counted_) openNames_.Remove(NameOf(open_.back()));
    open_.pop_back();
}

// The innermost open element of that name, or npos. A walk that finds one pops everything it
// passed, so only walks that find nothing can add up; past a budget the names get counted.
size_t Indexer::FindOpen(std::u16string_view name) {
    if (counted_ && !openNames_.Contains(name)) return std::u16string_view::npos;
    for (size_t k = open_.size(); k-- > 0;) {
        if (NameOf(open_[k]) == name) return k;
    }
    failedSearchWork_ += open_.size();
    if (!counted_ && failedSearchWork_ > text_.size() + kFreeSearchWork) {
        counted_ = true;
        for (const OpenElement& e : open_) openNames_.Add(NameOf(e));
    }
    return std::u16string_view::npos;
}

void Indexer::CloseNormally(uint32_t element, size_t endTagStart, size_t endTagEnd) {
    ElementRecord& r = records_[element];
    r.length = static_cast<uint32_t>(endTagEnd - r.start);
    r.endTagLength = static_cast<uint32_t>(endTagEnd - endTagStart);
}

// Every element open inside open_[outer] loses its end; its children move up to follow it, so
// they all end up as children of the outer element, in document order.
void Indexer::LoseEnds(size_t outer) {
    const uint32_t target = open_[outer].index;
    records_[target].flags |= kElementMalformedBelow;
    for (size_t k = outer + 1; k < open_.size(); ++k) {
        const uint32_t lost = open_[k].index;
        ElementRecord& r = records_[lost];
        r.flags |= kElementNoEndTag | kElementMalformed;
        r.length = r.startTagLength;
        r.endTagLength = 0;
        const uint32_t kids = r.firstChild;
        if (kids == 0) continue;
        r.firstChild = 0;
        // lost is the last child of target; its own children follow it.
        const uint32_t lastKid = records_[kids].previousSibling;
        for (uint32_t c = kids; c != 0; c = records_[c].nextSibling) records_[c].parent = target;
        ElementRecord& first = records_[records_[target].firstChild];
        records_[lost].nextSibling = kids;
        records_[kids].previousSibling = lost;
        first.previousSibling = lastKid;
    }
}

// Most end tags close the innermost open element: when the text after "</" is that element's
// name followed by a name stop, it closes here without scanning the name again. Returns the
// offset after the end tag, or 0 when the general path has to look at it.
size_t Indexer::CloseInnermost(size_t at) {
    if (open_.empty()) return 0;
    const OpenElement& top = open_.back();
    const size_t nameEnd = at + 2 + top.nameLength;
    if (nameEnd >= text_.size() || !xml_detail::IsNameStop(text_[nameEnd])) return 0;
    const char16_t* p = text_.data();
    // Names are short: a plain loop beats a call to memcmp.
    for (size_t k = 0; k < top.nameLength; ++k) {
        if (p[at + 2 + k] != p[top.nameStart + k]) return 0;
    }
    const size_t close =
        p[nameEnd] == u'>' ? nameEnd : xml_detail::FindUnit(p, nameEnd, text_.size(), u'>');
    if (close >= text_.size()) return 0;
    CloseNormally(top.index, at, close + 1);
    Pop();
    return close + 1;
}

void Indexer::EndElement(size_t at, const ScannedNode& node) {
    const std::u16string_view name = text_.substr(at + 2, node.nameLength);
    if (!open_.empty() && NameOf(open_.back()) == name) {
        CloseNormally(open_.back().index, at, node.end);
        Pop();
        return;
    }
    const size_t outer = FindOpen(name);
    if (outer == std::u16string_view::npos) {
        Fault(u"No start tag for end tag '" + std::u16string(name) + u"' at offset " + Number(at));
        MarkMalformedBelow();
        return;
    }
    const OpenElement& inner = open_.back();
    Fault(u"End tag '" + std::u16string(name) + u"' at offset " + Number(at + 1) +
          u" does not match start tag '" + std::u16string(NameOf(inner)) + u"' at offset " +
          Number(inner.nameStart - 1));
    LoseEnds(outer);
    CloseNormally(open_[outer].index, at, node.end);
    while (open_.size() > outer) Pop();
}

IndexOutcome Indexer::Run() {
    records_.clear();
    records_.reserve(text_.size() / 64 + 8);
    ElementRecord document{};
    document.length = static_cast<uint32_t>(text_.size());
    records_.push_back(document);

    size_t i = 0;
    while (i < text_.size()) {
        if (text_[i] != u'<') {
            i = FindTagOpen(text_, i + 1);
            continue;
        }
        if (i + 1 < text_.size() && text_[i + 1] == u'/') {
            if (const size_t after = CloseInnermost(i)) {
                i = after;
                continue;
            }
        }
        const ScannedNode node = ScanNode(text_, i);
        switch (node.type) {
            case NodeType::StartTag:
            case NodeType::EmptyTag:
                StartElement(i, node);
                break;
            case NodeType::EndTag:
                EndElement(i, node);
                break;
            case NodeType::Incorrect:
                Fault(u"Incorrect " + std::u16string(node.problem) + u" at offset " + Number(i));
                MarkMalformedBelow();
                break;
            case NodeType::Unterminated:
                Fault(std::u16string(node.problem) + u" at offset " + Number(i) + u" unterminated");
                MarkMalformedBelow();
                break;
            default:
                break;
        }
        i = node.end;
    }

    // Elements still open keep what they contain, so a cut-off file stays navigable.
    while (!open_.empty()) {
        const OpenElement& e = open_.back();
        records_[e.index].flags |= kElementNoEndTag | kElementMalformed;
        Fault(u"Element '" + std::u16string(NameOf(e)) + u"' at offset " + Number(e.nameStart - 1) +
              u" not ended");
        Pop();
    }

    IndexOutcome outcome;
    outcome.firstError = firstError_;
    if (text_.empty()) {
        outcome.firstError = u"Empty document";
    } else if (records_[0].firstChild == 0) {
        outcome.firstError = u"No root element";
    } else if (records_[records_[0].firstChild].nextSibling != 0) {
        outcome.firstError = u"Root element has sibling";
    } else {
        outcome.wellFormed = !malformed_;
    }
    return outcome;
}

}  // namespace

IndexOutcome BuildElementIndex(std::u16string_view text, ElementRecords& records) {
    return Indexer(text, records).Run();
}

}  // namespace tarn
