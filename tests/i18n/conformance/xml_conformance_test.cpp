// Every document a conforming parser accepts must load without an error and give the same
// elements and element texts, but for the differences the reader makes by its own rules. Run
// over the hand-made cases kept beside this file and over the XML files of this machine.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "base/text.h"
#include "tests/i18n/conformance/random_documents.h"
#include "tests/i18n/conformance/reader_comparison.h"

namespace tarn::conformance {
namespace {

namespace fs = std::filesystem;

// Larger files are counted but not read, to keep the walk to about a minute.
constexpr uintmax_t kLargestFile = uintmax_t{16} << 20;

fs::path FixtureDir() {
    const char* source = std::getenv("TARN_SOURCE_DIR");
    const fs::path i18n = source ? fs::path(source) / "tests" / "i18n"
                                 : fs::path(__FILE__).parent_path().parent_path();
    return i18n / "fixtures" / "xml";
}

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct Tally {
    size_t found = 0;
    size_t tooLarge = 0;
    size_t accepted = 0;
    size_t loaded = 0;
    size_t identical = 0;  // files whose every element text equals the conforming one
    size_t elements = 0;
    size_t identicalElements = 0;
    ClassCounts classFiles{};
    ClassCounts classElements{};
    std::vector<std::string> faults;

    void Add(const std::string& name, const DocumentComparison& c) {
        if (!c.accepted) return;
        ++accepted;
        loaded += c.loaded;
        elements += c.elements;
        identicalElements += c.identicalElements;
        if (c.fault.empty() && c.identicalElements == c.elements) ++identical;
        for (size_t k = 0; k < classFiles.size(); ++k) {
            classFiles[k] += c.classElements[k] != 0;
            classElements[k] += c.classElements[k];
        }
        if (!c.fault.empty()) faults.push_back(name + ": " + c.fault);
    }

    void Print(const char* what, double seconds) const {
        std::printf("%s: %zu files found (%zu over 16 MB not read), %zu accepted by expat, "
                    "%zu loaded without error, %zu with identical texts, %zu with faults; "
                    "%zu elements, %zu identical texts; %.1f s\n",
                    what, found, tooLarge, accepted, loaded, identical, faults.size(), elements,
                    identicalElements, seconds);
        for (size_t k = 0; k < classFiles.size(); ++k) {
            if (classFiles[k] == 0) continue;
            std::printf("  %-40s %zu elements in %zu files\n",
                        std::string(DesignClassName(static_cast<DesignClass>(k))).c_str(),
                        classElements[k], classFiles[k]);
        }
        for (size_t i = 0; i < faults.size() && i < 30; ++i) {
            std::printf("  fault %s\n", faults[i].c_str());
        }
    }
};

// Names that XML files carry; files with other names count when they begin with a declaration.
bool HasXmlName(const fs::path& path) {
    static const char* const kExtensions[] = {".xml",  ".svg",   ".xsl",  ".xslt",   ".xsd",
                                              ".rng",  ".ui",    ".glade", ".policy", ".xhtml",
                                              ".xbel", ".xspf",  ".kml",  ".gpx"};
    const std::string ext = path.extension().string();
    for (const char* e : kExtensions) {
        if (ext == e) return true;
    }
    return false;
}

bool StartsWithDeclaration(const fs::path& path) {
    char head[16] = {};
    std::ifstream in(path, std::ios::binary);
    in.read(head, sizeof head);
    std::string_view h(head, static_cast<size_t>(in.gcount()));
    if (h.starts_with("\xEF\xBB\xBF")) h.remove_prefix(3);
    if (h.starts_with("<?xml")) return true;
    if (h.starts_with("\xFF\xFE") || h.starts_with("\xFE\xFF")) h.remove_prefix(2);
    using namespace std::string_view_literals;
    return h.starts_with("<\0?\0x\0m\0l\0"sv) || h.starts_with("\0<\0?\0x\0m\0l"sv);
}

// Where installed packages keep their files; TARN_XML_ROOTS (folders joined by ":") replaces it.
std::vector<fs::path> Roots() {
    const char* roots = std::getenv("TARN_XML_ROOTS");
    std::string list = roots ? roots : "/usr/share:/usr/lib:/etc";
    std::vector<fs::path> out;
    size_t at = 0;
    while (at <= list.size()) {
        const size_t colon = std::min(list.find(':', at), list.size());
        if (colon > at) out.emplace_back(list.substr(at, colon - at));
        at = colon + 1;
    }
    return out;
}

// Regular files only: links point at files the walk meets anyway, or out of it.
std::vector<fs::path> MachineXmlFiles(Tally& tally) {
    std::vector<fs::path> files;
    for (const fs::path& root : Roots()) {
        std::error_code ec;
        fs::recursive_directory_iterator it(root, fs::directory_options::skip_permission_denied, ec);
        for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
            std::error_code statError;
            if (!it->is_regular_file(statError) || it->is_symlink(statError)) continue;
            if (!HasXmlName(it->path()) && !StartsWithDeclaration(it->path())) continue;
            ++tally.found;
            if (it->file_size(statError) > kLargestFile) {
                ++tally.tooLarge;
                continue;
            }
            files.push_back(it->path());
        }
    }
    return files;
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

TEST(XmlConformanceTest, HandMadeCasesReadAsAConformingParserReadsThem) {
    const auto start = std::chrono::steady_clock::now();
    Tally tally;
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(FixtureDir())) {
        if (entry.path().extension() == ".xml") files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    ASSERT_FALSE(files.empty()) << FixtureDir();
    for (const fs::path& path : files) {
        ++tally.found;
        const DocumentComparison c = CompareFile(path.string(), ReadAll(path));
        // Every case is meant to be well formed; one that is not tests nothing here.
        EXPECT_TRUE(c.accepted) << path.filename() << ": " << c.oracleError;
        EXPECT_TRUE(c.loaded) << path.filename() << ": " << ToUtf8(c.loadResult);
        EXPECT_EQ(c.fault, "") << path.filename();
        tally.Add(path.filename().string(), c);
    }
    tally.Print("hand-made cases", SecondsSince(start));
}

// Tags longer than any hand-made file should hold (a name past a thousand characters, a start
// tag of millions, a text of a megabyte), and deep nesting.
TEST(XmlConformanceTest, LongTagsAndDeepNestingReadAsAConformingParserReadsThem) {
    const std::string name = "n" + std::string(1500, 'a');
    const std::string value(5'000'000, 'v');
    const std::string text(1 << 20, 't');
    const std::string doc = "<doc><" + name + ">short</" + name + "><b attr=\"" + value +
                            "\">long tag</b><c attr='" + value + "'/><d>" + text + "</d><" +
                            name + " x='1' >" + name + "</" + name + "   ></doc>";
    const DocumentComparison c = CompareDocument(doc);
    EXPECT_TRUE(c.accepted) << c.oracleError;
    EXPECT_TRUE(c.loaded) << ToUtf8(c.loadResult);
    EXPECT_EQ(c.elements, 6u);
    EXPECT_EQ(c.identicalElements, 6u);
    EXPECT_EQ(c.fault, "");

    // Nesting far past the 16 bits an element's depth is noted in.
    std::string deep;
    for (int i = 0; i < 70'000; ++i) deep += i % 2 ? "<b x='>'>" : "<a>";
    deep += "inside";
    for (int i = 70'000; i-- > 0;) deep += i % 2 ? "</b>" : "</a>";
    const DocumentComparison d = CompareDocument(deep);
    EXPECT_TRUE(d.accepted) << d.oracleError;
    EXPECT_TRUE(d.loaded) << ToUtf8(d.loadResult);
    EXPECT_EQ(d.identicalElements, 70'000u);
    EXPECT_EQ(d.fault, "");
}

// Documents made at random, each stored in one of the forms the reader tells apart.
TEST(XmlConformanceTest, RandomDocumentsReadAsAConformingParserReadsThem) {
    const auto start = std::chrono::steady_clock::now();
    Tally tally;
    const char* count = std::getenv("TARN_XML_RANDOM_DOCUMENTS");
    const uint32_t documents = count ? static_cast<uint32_t>(std::atoi(count)) : 10000;
    // Documents that differ are written there, to be looked at or kept as hand-made cases.
    const char* dump = std::getenv("TARN_XML_RANDOM_DUMP");
    for (uint32_t seed = 1; seed <= documents; ++seed) {
        ++tally.found;
        const std::string bytes = StoredForm(RandomDocument(seed), seed);
        const DocumentComparison c = CompareDocument(bytes);
        tally.Add("seed " + std::to_string(seed), c);
        if (dump != nullptr && !c.fault.empty()) {
            std::ofstream(fs::path(dump) / ("seed-" + std::to_string(seed) + ".xml"),
                          std::ios::binary)
                << bytes;
        }
    }
    tally.Print("random documents", SecondsSince(start));
    EXPECT_EQ(tally.accepted, tally.found);
    EXPECT_EQ(tally.loaded, tally.accepted);
    EXPECT_TRUE(tally.faults.empty()) << tally.faults.size() << " documents differ; the first: "
                                      << tally.faults.front();
}

TEST(XmlConformanceTest, XmlFilesOfThisMachineReadAsAConformingParserReadsThem) {
    const auto start = std::chrono::steady_clock::now();
    Tally tally;
    // A machine with far more files than usual still finishes in reasonable time.
    const char* budget = std::getenv("TARN_XML_SECONDS");
    const double seconds = budget ? std::atof(budget) : 90;
    size_t left = 0;
    for (const fs::path& path : MachineXmlFiles(tally)) {
        if (SecondsSince(start) > seconds) {
            ++left;
            continue;
        }
        tally.Add(path.string(), CompareFile(path.string(), ReadAll(path)));
    }
    if (left != 0) std::printf("time budget spent: %zu files not compared\n", left);
    tally.Print("files of this machine", SecondsSince(start));
    EXPECT_EQ(tally.loaded, tally.accepted);
    EXPECT_TRUE(tally.faults.empty()) << tally.faults.size() << " files differ; the first: "
                                      << tally.faults.front();
}

}  // namespace
}  // namespace tarn::conformance
