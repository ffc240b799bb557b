// The XML reader against libxml2 and pugixml on the same ~1 MB document: a list of entries with
// attributes, nested text elements and entities, as the system's playlists and settings files look.
// Each reads the same UTF-8 bytes, our reader with their conversion to its UTF-16 text included, into
// one document kept across the readings (so that what is timed is the reading, not the system's
// handing out of fresh pages), and each reading is checked to have read the whole list.
#include "PeerRatioReporter.h"
#include "foundation/TXml.h"
#include "platform/text/CodePage.h"

#include <benchmark/benchmark.h>
#include <libxml/parser.h>
#include <pugixml.hpp>

#include <cstdint>
#include <iterator>
#include <string>

namespace {

constexpr int kEntries = 5000;

std::string MakeDocument() {
    std::string doc =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<playlist name=\"Benchmark\" version=\"3\">\n";
    for (int i = 0; i < kEntries; ++i) {
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

// Whether the reading holds the playlist with every entry.
bool ReadWhole(const TXml& xml) {
    for (const TXmlNode* node = xml.Head; node; node = node->Next) {
        if (node->Children.Count == kEntries) {
            return true;
        }
    }
    return false;
}

void BM_TXmlParse(benchmark::State& state) {
    const std::string& doc = Utf8Document();
    TXml xml;
    for (auto _ : state) {
        // Clears what the last reading left, as pugixml's load does.
        if (!xml.Parse(plat::text::AnsiToWide(doc)) || !ReadWhole(xml)) {
            state.SkipWithError("the reader did not read the whole document");
            break;
        }
        benchmark::DoNotOptimize(xml.Head);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(doc.size()));
}

void BM_Libxml2Parse(benchmark::State& state) {
    const std::string& doc = Utf8Document();
    for (auto _ : state) {
        xmlDocPtr parsed =
            xmlReadMemory(doc.data(), static_cast<int>(doc.size()), "bench.xml", nullptr, XML_PARSE_NONET);
        const xmlNode* root = parsed != nullptr ? xmlDocGetRootElement(parsed) : nullptr;
        if (root == nullptr || xmlChildElementCount(const_cast<xmlNode*>(root)) != kEntries) {
            state.SkipWithError("libxml2 did not read the whole document");
            xmlFreeDoc(parsed);
            break;
        }
        benchmark::DoNotOptimize(parsed);
        xmlFreeDoc(parsed);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(doc.size()));
}

void BM_PugixmlParse(benchmark::State& state) {
    const std::string& doc = Utf8Document();
    pugi::xml_document parsed;
    for (auto _ : state) {
        if (!parsed.load_buffer(doc.data(), doc.size(), pugi::parse_default, pugi::encoding_utf8) ||
            std::distance(parsed.child("playlist").children("entry").begin(),
                          parsed.child("playlist").children("entry").end()) != kEntries) {
            state.SkipWithError("pugixml did not read the whole document");
            break;
        }
        benchmark::DoNotOptimize(parsed.first_child());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(doc.size()));
}

BENCHMARK(BM_TXmlParse)->Apply(PeerRatioReporter::Repeated);
BENCHMARK(BM_Libxml2Parse)->Apply(PeerRatioReporter::Repeated);
BENCHMARK(BM_PugixmlParse)->Apply(PeerRatioReporter::Repeated);

} // namespace

int main(int argc, char** argv) {
    return PeerRatioReporter::Main(
        argc, argv, {{"BM_TXmlParse", "BM_Libxml2Parse", 1.0}, {"BM_TXmlParse", "BM_PugixmlParse", 1.5}});
}
