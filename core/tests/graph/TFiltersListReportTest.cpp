#include "core/src/graph/TFiltersListReport.h"

#include "core/tests/graph/ReportGraphs.h"
#include "core/tests/graph/ReportXml.h"
#include "platform/text/CodePage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

using report_graphs::TestGraph;

std::string Text(const TMemoryObject& out) {
    return plat::text::WideToAnsi(report_xml::View(out));
}

std::string ClassOf(const char* factory) {
    return TestGraph::ClassId(factory).ToString();
}

// A connected pin's lines: its name, then the pin and filter class at the other end.
std::string ConnectedPin(const char* direction, const char* name, const char* peer, const char* peerFactory) {
    return std::string("          <") + direction + ">\n<NAME>" + name +
           "</NAME>            <CONNECTEDTO>\n" + "              <PIN>" + peer +
           "</PIN>\n              <FILTERCLSID>" + ClassOf(peerFactory) +
           "</FILTERCLSID>\n            </CONNECTEDTO>\n          </" + direction + ">\n";
}

std::string FilterHead(const std::string& name, const char* factory, bool properties) {
    return "    <FILTER>\n        <Name>" + name + "</Name>\n        <CLSID>" + ClassOf(factory) +
           "</CLSID>\n" + (properties ? "        <HasProperties></HasProperties>\n" : "") +
           "        <PINS>\n";
}

const char* const kFilterTail = "        </PINS>\n    </FILTER>\n";

TEST(TFiltersListReport, ListsConnectedFiltersAndTheirPinsInGraphOrder) {
    TestGraph graph;
    ASSERT_TRUE(graph.Add("audiotestsrc", "Tone \"1\" & <src>"));
    ASSERT_TRUE(graph.Add("fakesink", "Sink"));
    ASSERT_TRUE(graph.Add("oggdemux", "D'mux </Name>"));
    ASSERT_TRUE(
        plat::media::Succeeded(graph.Graph().ConnectDirect({"Tone \"1\" & <src>", "src"}, {"Sink", "sink"})));
    TMemoryObject out(2048);

    ASSERT_TRUE(TFiltersListReport::Write(out, &graph.Graph()));

    const std::string expected =
        "<FILTERSLIST>\n" + FilterHead("Tone &quot;1&quot; &amp; &lt;src&gt;", "audiotestsrc", true) +
        ConnectedPin("OUTPUT", "src", "sink", "fakesink") + kFilterTail +
        FilterHead("Sink", "fakesink", true) + ConnectedPin("INPUT", "sink", "src", "audiotestsrc") +
        kFilterTail + FilterHead("D'mux &lt;/Name&gt;", "oggdemux", false) +
        "          <INPUT>\n<NAME>sink</NAME>          </INPUT>\n" + kFilterTail + "</FILTERSLIST>\n";
    EXPECT_EQ(Text(out), expected);
    EXPECT_TRUE(report_xml::WellFormed(report_xml::View(out)));
    const std::string outline = report_xml::Outline(report_xml::View(out));
    EXPECT_NE(outline.find("Name[]{Tone \"1\" & <src>}"), std::string::npos) << outline;
    EXPECT_NE(outline.find("Name[]{D'mux </Name>}"), std::string::npos) << outline;
}

TEST(TFiltersListReport, LongHostileNamesStayWellFormed) {
    const std::string name = std::string(5000, '&') + "\x01\"</FILTER>" + std::string(5000, '<');
    TestGraph graph;
    ASSERT_TRUE(graph.Add("fakesink", name));
    TMemoryObject out(64);
    ASSERT_TRUE(TFiltersListReport::Write(out, &graph.Graph()));
    EXPECT_TRUE(report_xml::WellFormed(report_xml::View(out)));
    const std::string readBack = std::string(5000, '&') + "\xEF\xBF\xBD\"</FILTER>" + std::string(5000, '<');
    EXPECT_NE(report_xml::Outline(report_xml::View(out)).find("Name[]{" + readBack + "}"), std::string::npos);
}

TEST(TFiltersListReport, EmptyGraphHasOnlyTheDocumentElement) {
    TestGraph graph;
    TMemoryObject out(64);
    ASSERT_TRUE(TFiltersListReport::Write(out, &graph.Graph()));
    EXPECT_EQ(Text(out), "<FILTERSLIST>\n</FILTERSLIST>\n");
    EXPECT_EQ(report_xml::Outline(report_xml::View(out)), "FILTERSLIST[]{}()");
}

TEST(TFiltersListReport, NoGraphHandsOverAnEmptyText) {
    TMemoryObject out(64);
    out.AppendString(u"old");
    EXPECT_FALSE(TFiltersListReport::Write(out, nullptr));
    EXPECT_EQ(out.Used, 0);
    char16_t* block = TFiltersListReport::Handover(nullptr);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block[0], u'\0');
    std::free(block);
}

TEST(TFiltersListReport, HandoverEndsWithOneZeroCharacter) {
    TestGraph graph;
    char16_t* block = TFiltersListReport::Handover(&graph.Graph());
    ASSERT_NE(block, nullptr);
    const std::u16string expected = u"<FILTERSLIST>\n</FILTERSLIST>\n";
    EXPECT_EQ(std::u16string(block, expected.size() + 1), expected + u'\0');
    std::free(block);
}

} // namespace
