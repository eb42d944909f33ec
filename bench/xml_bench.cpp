// Loading and indexing a generated 10 MB document, and then looking up every key of a language
// file in it; pugixml's default parse of the same bytes, in the same run, for comparison.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "base/language_state.h"
#include "i18n/language_file.h"
#include "i18n/xml_document.h"

#ifdef TARN_HAVE_PUGIXML
#include <pugixml.hpp>
#endif

namespace {

using namespace tarn;

constexpr size_t kDocumentBytes = size_t{10} << 20;

// Groups of entries with attributes, references, comments, CDATA and (unless asked for plain
// ASCII) accented and Chinese text, and after them the language section with all 107 keys, so
// every lookup walks past the groups.
std::string MakeDocument(bool ascii) {
    const std::string words = ascii ? "Reglages &amp; DPI " : "Réglages &amp; DPI ";
    const std::string tail = ascii ? " Anjian shezhi" : " 按键设置";
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<language name=\"bench\">\n";
    for (int group = 0; xml.size() < kDocumentBytes; ++group) {
        xml += "  <group id=\"" + std::to_string(group) + "\" kind='filler'>\n";
        xml += "    <!-- group " + std::to_string(group) + " -->\n";
        for (int e = 0; e < 16; ++e) {
            xml += "    <entry n=\"" + std::to_string(e) + "\">" + words +
                   std::to_string(e * group) + tail + "</entry>\n";
        }
        xml += "    <raw><![CDATA[<b>Tarn</b> & more]]></raw>\n    <empty/>\n  </group>\n";
    }
    xml += "  <config>\n";
    for (size_t i = 0; i < kStringKeyCount; ++i) {
        const std::string key(StringKeyName(StringKeyAt(i)));
        xml += "    <" + key + ">Text of " + key + "</" + key + ">\n";
    }
    xml += "  </config>\n</language>\n";
    return xml;
}

// Argument 0: mixed text; 1: the same layout in plain ASCII.
const std::string& Document(int64_t ascii = 0) {
    static const std::string mixed = MakeDocument(false);
    static const std::string plain = MakeDocument(true);
    return ascii ? plain : mixed;
}

std::vector<std::u16string> Keys() {
    std::vector<std::u16string> keys;
    for (size_t i = 0; i < kStringKeyCount; ++i) {
        const std::string_view k = StringKeyName(StringKeyAt(i));
        keys.emplace_back(k.begin(), k.end());
    }
    return keys;
}

// Both loads start from the bytes in memory with a new document each time, so each pays for
// its own allocations, and for releasing the previous document's.
void BM_TarnLoad(benchmark::State& state) {
    const std::string& bytes = Document(state.range(0));
    size_t elements = 0;
    for (auto _ : state) {
        XmlDocument doc;
        benchmark::DoNotOptimize(doc.LoadXmlBytes(bytes));
        elements = doc.ElementCount();
    }
    state.counters["elements"] = static_cast<double>(elements);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_TarnLoad)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_TarnLookupAllKeys(benchmark::State& state) {
    XmlDocument doc;
    if (!doc.LoadXmlBytes(Document())) state.SkipWithError("document did not load");
    const std::vector<std::u16string> keys = Keys();
    for (auto _ : state) {
        for (const auto& key : keys) benchmark::DoNotOptimize(GetConfigString(doc, u"config", key));
    }
}
BENCHMARK(BM_TarnLookupAllKeys)->Unit(benchmark::kMicrosecond);

#ifdef TARN_HAVE_PUGIXML
void BM_PugixmlLoad(benchmark::State& state) {
    const std::string& bytes = Document(state.range(0));
    for (auto _ : state) {
        pugi::xml_document doc;
        benchmark::DoNotOptimize(doc.load_buffer(bytes.data(), bytes.size()));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_PugixmlLoad)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_PugixmlLookupAllKeys(benchmark::State& state) {
    pugi::xml_document doc;
    if (!doc.load_buffer(Document().data(), Document().size())) {
        state.SkipWithError("document did not load");
    }
    std::vector<std::string> keys;
    for (size_t i = 0; i < kStringKeyCount; ++i) keys.emplace_back(StringKeyName(StringKeyAt(i)));
    for (auto _ : state) {
        for (const auto& key : keys) {
            benchmark::DoNotOptimize(
                doc.child("language").child("config").child(key.c_str()).child_value());
        }
    }
}
BENCHMARK(BM_PugixmlLookupAllKeys)->Unit(benchmark::kMicrosecond);
#endif

}  // namespace

BENCHMARK_MAIN();
