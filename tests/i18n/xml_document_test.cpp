#include "i18n/xml_document.h"

#include <gtest/gtest.h>

#include <string>

#include "base/text.h"
#include "i18n/language_file.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/utf16_bytes.h"

namespace tarn {
namespace {

struct Loaded {
    XmlDocument doc;
    bool ok = false;
};

std::unique_ptr<Loaded> Load(std::string_view bytes) {
    auto loaded = std::make_unique<Loaded>();
    loaded->ok = loaded->doc.LoadXmlBytes(bytes);
    return loaded;
}

std::u16string Lookup(XmlDocument& doc, std::u16string_view key) {
    return GetConfigString(doc, u"config", key);
}

bool EndsWith(const std::u16string& text, std::u16string_view tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

TEST(XmlEncodingTest, EveryStoredFormGivesTheSameTexts) {
    const std::u16string doc =
        u"<lang>\n <config>\n  <str_main>Tasten &amp; Tempo</str_main>\n"
        u"  <str_ok>OK</str_ok>\n </config>\n</lang>\n";
    const std::string ascii(doc.begin(), doc.end());

    auto utf8 = Load("\xEF\xBB\xBF" + ascii);
    auto le = Load(Utf16Bytes(doc, false));
    auto be = Load(Utf16Bytes(doc, true));
    auto plain = Load(ascii);
    for (Loaded* l : {utf8.get(), le.get(), be.get(), plain.get()}) {
        EXPECT_TRUE(l->ok) << std::string(l->doc.LoadResult().begin(), l->doc.LoadResult().end());
        EXPECT_EQ(Lookup(l->doc, u"str_main"), u"Tasten & Tempo");
        EXPECT_EQ(Lookup(l->doc, u"str_ok"), u"OK");
        EXPECT_EQ(l->doc.Text(), doc);
    }
    const std::string count = std::to_string(doc.size());
    const std::u16string size = u"length " + std::u16string(count.begin(), count.end());
    const std::u16string wide =
        u" to " + std::u16string(count.begin(), count.end()) + u" wide chars ";
    EXPECT_EQ(utf8->doc.LoadResult(), u"UTF-8 BOM + " + size + wide);
    EXPECT_EQ(le->doc.LoadResult(), u"UTF-16LE BOM + " + size + wide);
    EXPECT_EQ(be->doc.LoadResult(), u"UTF-16BE BOM + " + size + u" endian swap" + wide);
    EXPECT_EQ(plain->doc.LoadResult(), u"UTF-8 " + size + wide);
}

TEST(XmlEncodingTest, NonAsciiTextSurvivesEveryMark) {
    const std::u16string doc = u"<r><config><k>Réglages 设置 \U0001F5B1</k></config></r>";
    std::string utf8 =
        "\xEF\xBB\xBF<r><config><k>R\xC3\xA9glages \xE8\xAE\xBE\xE7\xBD\xAE "
        "\xF0\x9F\x96\xB1</k></config></r>";
    for (const std::string& bytes : {utf8, Utf16Bytes(doc, false), Utf16Bytes(doc, true)}) {
        auto l = Load(bytes);
        EXPECT_TRUE(l->ok);
        EXPECT_EQ(Lookup(l->doc, u"k"), u"Réglages 设置 \U0001F5B1");
    }
}

TEST(XmlEncodingTest, ReportNamesDetectionAnsiZerosAndEmptyFiles) {
    auto detected = Load("\n<a>\xC3\xA9</a>");
    EXPECT_TRUE(detected->ok);
    EXPECT_EQ(detected->doc.LoadResult(),
              u"UTF-8 length 10 (used UTF-8 detection) to 9 wide chars ");

    // Not UTF-8 and nothing declared: the default ANSI code page (Western on this build).
    auto ansi = Load("\n<a>\xE9</a>");
    EXPECT_EQ(ansi->doc.LoadResult(), u"ANSI length 9 to 9 wide chars ");
    EXPECT_EQ(ansi->doc.ElementText(1), u"é");

    auto zeros = Load(std::string("<a>x\0y\0</a>", 11));
    EXPECT_TRUE(zeros->ok);
    EXPECT_EQ(zeros->doc.LoadResult(), u"UTF-8 length 11 (2 nulls removed) to 9 wide chars ");
    EXPECT_EQ(zeros->doc.ElementText(1), u"xy");

    auto empty = Load("");
    EXPECT_FALSE(empty->ok);
    EXPECT_EQ(empty->doc.LoadResult(), u"ANSI 0 length Empty document");
    auto markOnly = Load("\xFF\xFE");
    EXPECT_EQ(markOnly->doc.LoadResult(), u"UTF-16LE BOM + 0 length Empty document");
}

TEST(XmlEncodingTest, DeclaredEncodingsChooseTheCodePage) {
    auto latin = Load("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a>caf\xE9</a>");
    EXPECT_TRUE(latin->ok);
    EXPECT_EQ(latin->doc.ElementText(1), u"café");
    EXPECT_EQ(latin->doc.LoadResult(), u"ISO-8859-1 length 54 to 54 wide chars ");

    auto koi = Load("<?xml version='1.0' encoding='koi8-r' ?><a>\xF0\xD2\xC9\xD7\xC5\xD4</a>");
    EXPECT_EQ(koi->doc.ElementText(1), u"Привет");

    auto page = Load(
        "<html><head><META HTTP-EQUIV=\"Content-Type\" content=\"text/html; charset=windows-1251\">"
        "</head><body>\xC4\xE0</body></html>");
    EXPECT_TRUE(page->doc.LoadResult().starts_with(u"windows-1251 length"));
    ASSERT_TRUE(page->doc.NextChild(u"body"));
    EXPECT_EQ(page->doc.ChildText(), u"Да");

    auto gbk = Load("<?xml version=\"1.0\" encoding=\"GB2312\"?><a>\xC9\xE8\xD6\xC3</a>");
    EXPECT_EQ(gbk->doc.ElementText(1), u"设置");

    // An unknown name falls back to the ANSI code page but is still reported as declared.
    auto unknown = Load("<?xml version=\"1.0\" encoding=\"x-nothing\"?><a>\xE9</a>");
    EXPECT_EQ(unknown->doc.ElementText(1), u"é");
    EXPECT_TRUE(unknown->doc.LoadResult().starts_with(u"x-nothing length"));
}

TEST(XmlEncodingTest, Utf16WithoutMarkKeepsEveryCharacter) {
    // No mark: the "<" that a document starts with, and its zero byte, give the byte order.
    const std::u16string text = u"R\u00e9glages \u8bbe\u7f6e \U0001F5B1";
    const std::u16string declared =
        u"<?xml version=\"1.0\" encoding=\"UTF-16\"?><a>" + text + u"</a>";
    const std::u16string bare = u"<a>" + text + u"</a>";
    for (const std::u16string& doc : {declared, bare}) {
        for (bool bigEndian : {false, true}) {
            auto l = Load(Utf16Bytes(doc, bigEndian).substr(2));
            EXPECT_TRUE(l->ok) << ToUtf8(l->doc.LoadResult());
            EXPECT_EQ(l->doc.ElementText(1), text) << ToUtf8(l->doc.LoadResult());
        }
    }
    auto le = Load(Utf16Bytes(declared, false).substr(2));
    const std::string units = std::to_string(declared.size());
    EXPECT_EQ(ToUtf8(le->doc.LoadResult()),
              "UTF-16 length " + units + " to " + units + " wide chars ");
    auto be = Load(Utf16Bytes(bare, true).substr(2));
    EXPECT_TRUE(be->doc.LoadResult().starts_with(u"UTF-16BE length 21 endian swap to 21"))
        << ToUtf8(be->doc.LoadResult());
}

TEST(XmlTextTest, ReferencesDecodeOrStayAsWritten) {
    auto l = Load(
        "<r><a>&amp;|&AMP;|&#65;|&#x41;|&apos;|&lt;&gt;&quot;</a>"
        "<b>&nosuch; &#0; &amp &verylongname; &#xD800;</b>"
        "<c>&#x1F600;&euro;&Oslash;&nbsp;</c></r>");
    ASSERT_TRUE(l->ok);
    EXPECT_EQ(l->doc.ElementText(2), u"&|&|A|A|'|<>\"");
    EXPECT_EQ(l->doc.ElementText(3), u"&nosuch; &#0; &amp &verylongname; &#xD800;");
    EXPECT_EQ(l->doc.ElementText(4), u"\U0001F600€ø\u00A0");
}

TEST(XmlTextTest, CdataCommentsAndWhitespaceRuns) {
    auto l = Load(
        "<r><cdata><![CDATA[<b>&amp; ]] </b>]]></cdata>"
        "<joined>Hello <!-- note --> world</joined>"
        "<mixed>\n  <?pi x?>\n  A&amp;B <![CDATA[<C>]]>\n</mixed>"
        "<parent><empty/></parent><blank></blank><self/></r>");
    ASSERT_TRUE(l->ok);
    EXPECT_EQ(Lookup(l->doc, u"x"), u"");
    l->doc.Rewind();
    auto child = [&](std::u16string_view name) {
        l->doc.Rewind();
        EXPECT_TRUE(l->doc.NextChild(name));
        return l->doc.ChildText();
    };
    EXPECT_EQ(child(u"cdata"), u"<b>&amp; ]] </b>");
    EXPECT_EQ(child(u"joined"), u"Hello  world");
    EXPECT_EQ(child(u"mixed"), u"\n  A&B <C>");
    EXPECT_EQ(child(u"parent"), u"");
    EXPECT_EQ(child(u"blank"), u"");
    EXPECT_EQ(child(u"self"), u"");
}

TEST(XmlNavigationTest, NamesMatchExactlyOrBeforeABlankOrBracket) {
    auto l = Load("<r><str_main2>2</str_main2><Str_main>S</Str_main><item>i</item></r>");
    ASSERT_TRUE(l->ok);
    EXPECT_FALSE(l->doc.NextChild(u"str_main"));
    EXPECT_TRUE(l->doc.NextChild(u"str_main2"));
    l->doc.Rewind();
    EXPECT_TRUE(l->doc.NextChild(u"item[2]"));
    EXPECT_EQ(l->doc.ChildText(), u"i");
    l->doc.Rewind();
    EXPECT_FALSE(l->doc.NextChild(u"ite"));
    EXPECT_FALSE(l->doc.NextChild(u"item2"));

    l->doc.SetIgnoreNameCase(true);
    l->doc.Rewind();
    EXPECT_TRUE(l->doc.NextChild(u"str_main"));
    EXPECT_EQ(l->doc.ChildText(), u"S");
}

TEST(XmlNavigationTest, WalksChildrenAndSiblingsAndKeepsPositionOnFailure) {
    auto l = Load("<r><a>1</a><b><c>3</c></b><a>4</a></r>");
    XmlDocument& d = l->doc;
    EXPECT_FALSE(d.EnterChild());
    EXPECT_TRUE(d.NextChild(u"a"));
    EXPECT_EQ(d.ElementName(d.CurrentElement()), u"r");
    EXPECT_EQ(d.ChildText(), u"1");
    EXPECT_TRUE(d.NextChild(u"a"));
    EXPECT_EQ(d.ChildText(), u"4");
    const uint32_t child = d.CurrentChild();
    EXPECT_FALSE(d.NextChild(u"a"));
    EXPECT_EQ(d.CurrentChild(), child);

    d.Rewind();
    EXPECT_TRUE(d.NextChild(u"b"));
    EXPECT_TRUE(d.EnterChild());
    EXPECT_EQ(d.ElementName(d.CurrentElement()), u"b");
    EXPECT_EQ(d.CurrentChild(), 0u);
    EXPECT_TRUE(d.NextChild());
    EXPECT_EQ(d.ChildText(), u"3");
    EXPECT_TRUE(d.NextElement(u"a"));  // the sibling of b
    EXPECT_EQ(d.ElementText(d.CurrentElement()), u"4");
    EXPECT_FALSE(d.NextElement());
    EXPECT_EQ(d.ElementText(d.CurrentElement()), u"4");
    EXPECT_EQ(d.CurrentNodeKind(), NodeKind::Element);
}

struct ErrorCase {
    const char* xml;
    std::u16string_view message;
};

TEST(XmlErrorTest, EachFaultIsReportedWithItsOffset) {
    const ErrorCase cases[] = {
        {"<a>< b</a>", u"Incorrect tag name character at offset 3"},
        {"<a><!x></a>", u"Incorrect ! tag at offset 3"},
        {"<a><!-x--></a>", u"Incorrect comment tag at offset 3"},
        {"<a><![X[ ]]></a>", u"Incorrect tag at offset 3"},
        {"<a><b c='>", u"Element tag at offset 3 unterminated"},
        {"<a></a", u"Element end tag at offset 3 unterminated"},
        {"<a><![CDATA[x", u"CDATA Section at offset 3 unterminated"},
        {"<a><?pi", u"Processing instruction at offset 3 unterminated"},
        {"<a><!-- x -- >", u"Comment at offset 3 unterminated"},
        {"<a><!DOCTYPE a [<!ENTITY x '>'>", u"Doctype at offset 3 unterminated"},
        {"<a><!ENTITY x", u"tag at offset 3 unterminated"},
        {"<a></b></a>", u"No start tag for end tag 'b' at offset 3"},
        {"<a><b></a>", u"End tag 'a' at offset 7 does not match start tag 'b' at offset 3"},
        {"<a><b>", u"Element 'b' at offset 3 not ended"},
        {"<a></b><c></a>", u"No start tag for end tag 'b' at offset 3"},  // only the first
        {"", u"Empty document"},
        {"just text", u"No root element"},
        {"<a/><b/>", u"Root element has sibling"},
        {"<a></b></a><c/>", u"Root element has sibling"},  // replaces the earlier fault
    };
    for (const ErrorCase& c : cases) {
        auto l = Load(c.xml);
        EXPECT_FALSE(l->ok) << c.xml;
        EXPECT_TRUE(EndsWith(l->doc.LoadResult(), c.message))
            << c.xml << " -> "
            << std::string(l->doc.LoadResult().begin(), l->doc.LoadResult().end());
    }
}

TEST(XmlErrorTest, WellFormedOddities) {
    const char* good[] = {
        "<?xml version=\"1.0\"?><!DOCTYPE r [<!ELEMENT r ANY><!ATTLIST r a CDATA '>'>]><r/>",
        "<r t=\"x>y\" u='/>'>text</r>",
        "<r><a/><b /><c d='1'/></r>",
        "<!-- lead --><r>x</r><?tail?>",
    };
    for (const char* xml : good) {
        auto l = Load(xml);
        EXPECT_TRUE(l->ok) << xml;
    }
    auto quoted = Load("<r t=\"x>y\">text</r>");
    EXPECT_EQ(quoted->doc.ElementText(1), u"text");
    // The "/" must follow the name, a blank or a quote to make an empty element.
    auto notEmpty = Load("<r><a b=1/></r>");
    EXPECT_FALSE(notEmpty->ok);
    EXPECT_TRUE(EndsWith(notEmpty->doc.LoadResult(),
                         u"'r' at offset 12 does not match start "
                         u"tag 'a' at offset 3"))
        << std::string(notEmpty->doc.LoadResult().begin(), notEmpty->doc.LoadResult().end());
}

TEST(XmlErrorTest, InternalSubsetCommentsAndInstructionsHoldAnyCharacter) {
    // Quotes, brackets and ">" inside them neither open a literal nor end the subset.
    const char* docs[] = {
        "<!DOCTYPE r SYSTEM \"r.dtd\" [\n<!-- the author doesn't care -->\n]\n><r><k>v</k></r>",
        "<!DOCTYPE r [<!-- an opening [ alone -->]><r><k>v</k></r>",
        "<!DOCTYPE r [<!-- a closing ]> --><!ENTITY e \"<x>y</x>\">]><r><k>v</k></r>",
        "<!DOCTYPE r [<!-->[\"--><!-- -->]><r><k>v</k></r>",
        "<!DOCTYPE r [<?tool it's \"quoted\" ] and > ?><!ELEMENT r ANY>]><r><k>v</k></r>",
    };
    for (const char* xml : docs) {
        auto l = Load(xml);
        EXPECT_TRUE(l->ok) << xml << " -> " << ToUtf8(l->doc.LoadResult());
        EXPECT_EQ(l->doc.ElementCount(), 2u) << xml;
        EXPECT_TRUE(l->doc.NextChild(u"k")) << xml;
        EXPECT_EQ(l->doc.ChildText(), u"v") << xml;
    }
    // A comment that does not end leaves the document type unended too.
    auto open = Load("<r><!DOCTYPE r [<!-- ]> </r>");
    EXPECT_TRUE(EndsWith(open->doc.LoadResult(), u"Doctype at offset 3 unterminated"))
        << ToUtf8(open->doc.LoadResult());
}

TEST(XmlErrorTest, EndTagOfAnOuterElementMovesInnerChildrenUp) {
    auto l = Load("<r><a><b>1</b><c>2</c></r>");
    XmlDocument& d = l->doc;
    EXPECT_FALSE(l->ok);
    std::u16string names;
    d.NextChild();
    do {
        names += d.ElementName(d.CurrentChild());
        names += u',';
    } while (d.NextChild());
    EXPECT_EQ(names, u"a,b,c,");
    EXPECT_TRUE(d.Record(2).flags & kElementNoEndTag);
    EXPECT_EQ(d.ElementText(2), u"");
    EXPECT_EQ(Lookup(d, u"b"), u"");  // there is no config; plain lookups still work
    d.Rewind();
    ASSERT_TRUE(d.NextChild(u"c"));
    EXPECT_EQ(d.ChildText(), u"2");
}

TEST(XmlErrorTest, UnclosedElementLeavesTheRestNavigable) {
    auto l = Load("<root><config><str_main>Hi</str_main><str_ok>");
    EXPECT_FALSE(l->ok);
    EXPECT_TRUE(EndsWith(l->doc.LoadResult(), u"Element 'str_ok' at offset 37 not ended"));
    EXPECT_EQ(Lookup(l->doc, u"str_main"), u"Hi");
    EXPECT_EQ(Lookup(l->doc, u"str_ok"), u"");
}

TEST(XmlErrorTest, DeepAndBrokenNestingStaysLinear) {
    std::string deep;
    for (int i = 0; i < 200000; ++i) deep += "<a>";
    auto open = Load(deep);
    EXPECT_EQ(open->doc.ElementCount(), 200000u);
    EXPECT_TRUE(EndsWith(open->doc.LoadResult(), u"at offset 599997 not ended"));

    // Every inner element loses its end at once; each must move only once.
    std::string lost = "<r>";
    for (int i = 0; i < 100000; ++i) lost += "<b><i/>";
    lost += "</r>";
    for (int i = 0; i < 100000; ++i) lost += "</x>";
    auto l = Load(lost);
    EXPECT_EQ(l->doc.ElementCount(), 200001u);
    EXPECT_EQ(l->doc.Record(200001).parent, 1u);
}

TEST(XmlFileTest, MissingFileEmptiesTheDocument) {
    test::ScopedMemoryFileSystem files;
    files.fs.AddFile(u"C:\\Tarn\\a.xml",
                     {'<', 'r', '>', '<', 'k', '>', 'v', '<', '/', 'k', '>', '<', '/', 'r', '>'});
    XmlDocument d;
    EXPECT_TRUE(d.LoadXmlFile(u"C:\\Tarn\\a.xml"));
    EXPECT_EQ(GetConfigString(d, u"r", u"k"), u"");  // k is not under a section r below r
    d.Rewind();
    ASSERT_TRUE(d.NextChild(u"k"));
    EXPECT_EQ(d.ChildText(), u"v");

    EXPECT_FALSE(d.LoadXmlFile(u"C:\\Tarn\\missing.xml"));
    EXPECT_EQ(d.LoadResult(), u"The system cannot find the file specified.");
    EXPECT_EQ(d.ElementCount(), 0u);
    EXPECT_TRUE(d.Text().empty());
    EXPECT_FALSE(d.NextChild(u"k"));
    EXPECT_EQ(d.ChildText(), u"");
    EXPECT_FALSE(d.LoadXmlFile(u"C:\\Nowhere\\a.xml"));
    EXPECT_EQ(d.LoadResult(), u"The system cannot find the path specified.");
}

}  // namespace
}  // namespace tarn
