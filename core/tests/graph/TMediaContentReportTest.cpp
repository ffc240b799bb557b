#include "core/src/graph/TMediaContentReport.h"

#include "core/tests/graph/ReportGraphs.h"
#include "core/tests/graph/ReportXml.h"
#include "platform/media/GstInit.h"
#include "platform/text/CodePage.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;
using report_graphs::TestGraph;

std::string Text(const TMemoryObject& out) {
    return plat::text::WideToAnsi(report_xml::View(out));
}

struct TagListUnref {
    void operator()(GstTagList* list) const { gst_tag_list_unref(list); }
};
using TagList = std::unique_ptr<GstTagList, TagListUnref>;

// Tag lists in GStreamer's text form ("taglist,title=..."); an empty text stands for a missing list.
struct ListsCase {
    const char* name;
    std::vector<const char*> lists;
    std::string body;
};

void PrintTo(const ListsCase& item, std::ostream* os) {
    *os << item.name;
}

const ListsCase kListsCases[] = {
    {"NoFilters", {}, ""},
    {"AllItemsInReportOrder",
     {"taglist,comment=m,copyright=c,description=d,user-rating=(uint)42,artist=a,title=(string)t"},
     "    <TITLE>t    </TITLE>\r\n    <AUTHORNAME>a    </AUTHORNAME>\r\n    <RATING>42    </RATING>\r\n"
     "    <DESCRIPTION>d    </DESCRIPTION>\r\n    <COPYRIGHT>c    </COPYRIGHT>\r\n"
     "    <MOREINFOTEXT>m    </MOREINFOTEXT>\r\n"},
    {"FiltersFollowEachOther",
     {"taglist,title=one", "", "taglist,genre=g", "taglist,title=two"},
     "    <TITLE>one    </TITLE>\r\n    <TITLE>two    </TITLE>\r\n"},
    {"ValuesAreEscaped",
     {"taglist,title=\"\\\"Q\\\" & <A>\",artist=\"x\\\\y\""},
     "    <TITLE>&quot;Q&quot; &amp; &lt;A&gt;    </TITLE>\r\n    <AUTHORNAME>x\\y    </AUTHORNAME>\r\n"},
};

class TMediaContentListsTest : public testing::TestWithParam<ListsCase> {};

TEST_P(TMediaContentListsTest, WritesTheItems) {
    plat::media::EnsureGstInitialized();
    std::vector<TagList> owned;
    std::vector<const GstTagList*> lists;
    for (const char* text : GetParam().lists) {
        owned.emplace_back(*text != '\0' ? gst_tag_list_new_from_string(text) : nullptr);
        ASSERT_TRUE(*text == '\0' || owned.back()) << text;
        lists.push_back(owned.back().get());
    }
    TMemoryObject out(64);
    TMediaContentReport::Write(out, lists);
    EXPECT_EQ(Text(out), "<MEDIACONTENT>\r\n" + GetParam().body + "</MEDIACONTENT>\r\n");
    EXPECT_TRUE(report_xml::WellFormed(report_xml::View(out)));
}

INSTANTIATE_TEST_SUITE_P(Cases, TMediaContentListsTest, testing::ValuesIn(kListsCases),
                         [](const testing::TestParamInfo<ListsCase>& info) { return info.param.name; });

// The source reports the description it sends; the tag injector reports what it adds, not what it
// passes on; the sink sends nothing.
TEST(TMediaContentReport, EachFilterReportsTheTagsItSendsOut) {
    TestGraph graph;
    ASSERT_TRUE(graph.Add("audiotestsrc", "Tone"));
    ASSERT_TRUE(graph.Add("taginject", "Tags"));
    ASSERT_TRUE(graph.Add("fakesink", "Sink"));
    g_object_set(graph.Graph().FindFilter("Tags"), "tags",
                 "title=\"A & B\",artist=\"<me>\",user-rating=(uint)80", nullptr);
    auto& media = graph.Graph();
    ASSERT_TRUE(plat::media::Succeeded(media.ConnectDirect({"Tone", "src"}, {"Tags", "sink"})));
    ASSERT_TRUE(plat::media::Succeeded(media.ConnectDirect({"Tags", "src"}, {"Sink", "sink"})));
    ASSERT_TRUE(plat::media::Succeeded(media.Preroll(5s)));
    TMemoryObject out(64);

    ASSERT_TRUE(TMediaContentReport::Write(out, &media));

    EXPECT_EQ(Text(out), "<MEDIACONTENT>\r\n"
                         "    <DESCRIPTION>audiotest wave    </DESCRIPTION>\r\n"
                         "    <TITLE>A &amp; B    </TITLE>\r\n"
                         "    <AUTHORNAME>&lt;me&gt;    </AUTHORNAME>\r\n"
                         "    <RATING>80    </RATING>\r\n"
                         "</MEDIACONTENT>\r\n");
    EXPECT_EQ(report_xml::Outline(report_xml::View(out)),
              "MEDIACONTENT[]{}(DESCRIPTION[]{audiotest wave    }()TITLE[]{A & B    }()"
              "AUTHORNAME[]{<me>    }()RATING[]{80    }())");
    EXPECT_TRUE(plat::media::Succeeded(media.ChangeState(GST_STATE_NULL, 5s)));
}

TEST(TMediaContentReport, NoGraphWritesNothingAndHandsOverAnEmptyText) {
    TMemoryObject out(64);
    EXPECT_FALSE(TMediaContentReport::Write(out, nullptr));
    EXPECT_EQ(out.Used, 0);
    char16_t* block = TMediaContentReport::Handover(nullptr);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block[0], u'\0');
    std::free(block);
}

TEST(TMediaContentReport, HandoverEndsWithOneZeroCharacter) {
    TestGraph graph;
    char16_t* block = TMediaContentReport::Handover(&graph.Graph());
    ASSERT_NE(block, nullptr);
    const std::u16string expected = u"<MEDIACONTENT>\r\n</MEDIACONTENT>\r\n";
    EXPECT_EQ(std::u16string(block, expected.size() + 1), expected + u'\0');
    std::free(block);
}

} // namespace
