// A small, lenient XML reader: the whole file as UTF-16 text, one index of its elements, and a
// position that walks that index. Names and texts are cut out of the text on demand. A broken
// document keeps whatever structure could be recognised and LoadResult names its first fault.
// One document must be used by one thread at a time.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "i18n/code_page.h"
#include "i18n/xml_nodes.h"
#include "i18n/xml_records.h"

namespace tarn {

class XmlDocument {
public:
    // Replaces the document by the file and indexes it; the position is then before the root.
    // True when the file was read and is well formed. What could be read is kept either way.
    bool LoadXmlFile(const std::u16string& path);
    // The same for a file's bytes already in memory.
    bool LoadXmlBytes(std::string_view bytes);

    void Rewind();
    // The next sibling of the current element (the first child of the parent when there is
    // none) whose name matches; without a name, any element.
    bool NextElement();
    bool NextElement(std::u16string_view name);
    // The next child of the current element after the current child; with no current element,
    // the first element becomes current first.
    bool NextChild();
    bool NextChild(std::u16string_view name);
    // The current child becomes the current element.
    bool EnterChild();

    std::u16string ChildText() const;
    // The text of a leaf element: references decoded, CDATA verbatim, comments dropped. An
    // element with child elements yields the empty string.
    std::u16string ElementText(uint32_t element) const;
    const std::u16string& LoadResult() const { return loadResult_; }

    uint32_t ParentElement() const { return parent_; }
    uint32_t CurrentElement() const { return current_; }
    uint32_t CurrentChild() const { return child_; }
    NodeKind CurrentNodeKind() const { return kind_; }
    std::u16string_view ElementName(uint32_t element) const;
    // Elements of the document; records are numbered from 1 (0 stands for the document).
    size_t ElementCount() const { return records_.empty() ? 0 : records_.size() - 1; }
    const ElementRecord& Record(uint32_t element) const { return records_.at(element); }
    std::u16string_view Text() const { return text_.View(); }

    // Off unless a caller asks for it: names then compare without regard to A..Z case.
    void SetIgnoreNameCase(bool ignore) { ignoreCase_ = ignore; }

private:
    bool Load(WideText text, std::u16string report);
    bool Matches(uint32_t element, const std::u16string_view* name) const;
    bool FindElement(const std::u16string_view* name);
    bool FindChild(const std::u16string_view* name);
    bool Valid(uint32_t element) const { return element != 0 && element < records_.size(); }

    WideText text_;
    std::u16string loadResult_;
    ElementRecords records_;
    uint32_t parent_ = 0;
    uint32_t current_ = 0;
    uint32_t child_ = 0;
    NodeKind kind_ = NodeKind::None;
    bool ignoreCase_ = false;
};

}  // namespace tarn
