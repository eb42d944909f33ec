// Zero bytes in byte-stored files are removed before decoding, wherever they stand: in long
// ASCII runs, at the very end, or inside a multi-byte form, with UTF-8 declared or detected.
#include <gtest/gtest.h>

#include <string>

#include "base/text.h"
#include "i18n/xml_document.h"

namespace tarn {
namespace {

TEST(XmlZeroBytesTest, ZerosAnywhereAreRemovedBeforeDecoding) {
    const std::string body = std::string(40, 'x') + "\xC3\xA9" + std::string(40, 'y');
    const std::u16string expected = std::u16string(40, u'x') + u"é" + std::u16string(40, u'y');
    const std::string heads[] = {"<?xml version=\"1.0\" encoding=\"utf-8\"?>", "\n"};
    for (const std::string& head : heads) {
        const std::string clean = head + "<a>" + body + "</a>";
        const size_t bodyAt = clean.find('x');
        // Before the body, inside its ASCII run, between the two bytes of the "é", near the
        // end of the file and as its last byte.
        for (size_t at : {bodyAt - 1, bodyAt + 20, bodyAt + 41, clean.size() - 2, clean.size()}) {
            std::string bytes = clean;
            bytes.insert(at, 1, '\0');
            XmlDocument doc;
            const std::string where = head.substr(0, 5) + " at " + std::to_string(at);
            EXPECT_TRUE(doc.LoadXmlBytes(bytes)) << where << ": " << ToUtf8(doc.LoadResult());
            EXPECT_EQ(doc.ElementText(1), expected) << where;
            EXPECT_NE(doc.LoadResult().find(u"(1 nulls removed) "), std::u16string::npos)
                << where << ": " << ToUtf8(doc.LoadResult());
        }
        XmlDocument doc;
        EXPECT_TRUE(doc.LoadXmlBytes(clean));
        EXPECT_EQ(doc.LoadResult().find(u"nulls"), std::u16string::npos)
            << ToUtf8(doc.LoadResult());
        EXPECT_EQ(doc.ElementText(1), expected);
    }
}

}  // namespace
}  // namespace tarn
