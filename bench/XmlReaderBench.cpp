// The XML reader against libxml2 on the same ~1 MB document: a list of entries with attributes,
// nested text elements and entities, as the system's playlists and settings files look.
#include "platform/text/CodePage.h"
#include "foundation/TXml.h"

#include <benchmark/benchmark.h>
#include <libxml/parser.h>

#include <cstdint>
#include <string>

namespace {

std::string MakeDocument() {
    std::string doc =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<playlist name=\"Benchmark\" version=\"3\">\n";
    for (int i = 0; i < 5000; ++i) {
        const std::string n = std::to_string(i);
        doc += "  <entry id=\"" + n + "\" title=\"Chapter " + n + " &amp; more\" path=\"/media/Movies/Disc " +
               n + "/VIDEO_TS/VTS_01_1.VOB\" duration=\"01:" + std::to_string(i % 60) + ":05.5\">\n";
        doc += "    <note lang=\"en\">Entry " + n +
               " of the list, with &lt;markup&gt; and \xC3\xBCml\xC3\xA4uts</note>\n";
        doc += "    <mark at=\"" + std::to_string(i * 7) + "\"/>\n";
        doc += "  </entry>\n";
    }
    doc += "</playlist>\n";
    return doc;
}

const std::string& Utf8Document() {
    static const std::string doc = MakeDocument();
    return doc;
}

void BM_TXmlParse(benchmark::State& state) {
    const std::u16string text = plat::text::AnsiToWide(Utf8Document());
    TXml xml;
    for (auto _ : state) {
        xml.Parse(text.c_str());
        benchmark::DoNotOptimize(xml.Head);
        xml.Clear();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(Utf8Document().size()));
}

void BM_Libxml2Parse(benchmark::State& state) {
    const std::string& doc = Utf8Document();
    for (auto _ : state) {
        xmlDocPtr parsed =
            xmlReadMemory(doc.data(), static_cast<int>(doc.size()), "bench.xml", nullptr, XML_PARSE_NONET);
        if (!parsed) {
            state.SkipWithError("libxml2 rejected the document");
            break;
        }
        benchmark::DoNotOptimize(parsed);
        xmlFreeDoc(parsed);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(doc.size()));
}

BENCHMARK(BM_TXmlParse)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Libxml2Parse)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
