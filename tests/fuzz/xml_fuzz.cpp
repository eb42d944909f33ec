// Loads arbitrary bytes as an XML file, checks that the element index is one consistent tree,
// and walks it the way the language and update code does.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "base/file_system.h"
#include "i18n/language_file.h"
#include "i18n/xml_document.h"

#include "tests/fuzz/bytes_file_system.h"

namespace {

using namespace tarn;

using fuzz::BytesFileSystem;

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

// Every element sits in exactly one child list, under the parent it names, inside the text.
void CheckIndex(const XmlDocument& doc) {
    const size_t count = doc.ElementCount();
    size_t listed = 0;
    for (uint32_t e = 0; e <= count; ++e) {
        const ElementRecord& r = doc.Record(e);
        if (e != 0) {
            Check(r.start < doc.Text().size());
            Check(r.startTagLength <= r.length && r.start + r.length <= doc.Text().size());
            Check(r.endTagLength <= r.length - r.startTagLength);
        }
        uint32_t last = 0;
        for (uint32_t c = r.firstChild; c != 0; c = doc.Record(c).nextSibling) {
            Check(c <= count && doc.Record(c).parent == e);
            Check(++listed <= count);
            last = c;
        }
        if (r.firstChild != 0) Check(doc.Record(r.firstChild).previousSibling == last);
    }
    Check(listed == count);
}

void Walk(XmlDocument& doc) {
    for (uint32_t e = 1; e <= doc.ElementCount(); ++e) {
        doc.ElementText(e);
        doc.ElementName(e);
    }
    // Down the first child at every level, visiting each level's children.
    doc.Rewind();
    for (int depth = 0; depth < 64 && doc.NextChild(); ++depth) {
        while (doc.NextChild()) doc.ChildText();
        doc.Rewind();
        for (int d = 0; d <= depth; ++d) {
            if (!doc.NextChild() || !doc.EnterChild()) break;
        }
    }
    GetConfigString(doc, u"config", u"str_main");
    GetConfigString(doc, u"firmware", u"version");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static BytesFileSystem files;
    files.data = data;
    files.size = size;
    SetFileSystem(&files);
    XmlDocument doc;
    doc.LoadXmlFile(u"C:\\Tarn\\Language\\en.xml");
    CheckIndex(doc);
    Walk(doc);
    SetFileSystem(nullptr);
    return 0;
}
