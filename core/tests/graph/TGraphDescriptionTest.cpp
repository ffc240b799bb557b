#include "core/src/graph/TGraphDescription.h"

#include "core/src/graph/TGraphScript.h"
#include "core/tests/graph/TRecordingGraphSteps.h"
#include "platform/text/CodePage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::u16string TextOf(const TGraphDescription& description) {
    return description.Text() ? description.Text() : u"(none)";
}

TEST(GraphDescription, StartsWithoutText) {
    EXPECT_EQ(TGraphDescription().Text(), nullptr);
}

TEST(GraphDescription, XgrTextIsCopied) {
    TGraphDescription description;
    std::u16string text = u"<GRAPH version=\"1.0\"><ADDTOROT/></GRAPH>";
    description.Set(TGraphDescription::kKindXgrText, text.c_str());
    text[1] = u'X';
    EXPECT_EQ(TextOf(description), u"<GRAPH version=\"1.0\"><ADDTOROT/></GRAPH>");
}

TEST(GraphDescription, OtherKindsAndAnEmptyLegacyScriptChangeNothing) {
    TGraphDescription description;
    description.Set(TGraphDescription::kKindXgrText, u"<GRAPH/>");
    description.Set(0, u"a");
    description.Set(4, u"b");
    description.Set(0, nullptr);
    description.Set(4, nullptr);
    description.Set(TGraphDescription::kKindLegacyScript, u"");
    EXPECT_EQ(TextOf(description), u"<GRAPH/>");
}

TEST(GraphDescription, ANullTextClearsTheDescription) {
    for (const std::uint32_t kind : {TGraphDescription::kKindXgrText, TGraphDescription::kKindGrfFile,
                                     TGraphDescription::kKindLegacyScript}) {
        TGraphDescription description;
        description.Set(TGraphDescription::kKindXgrText, u"<GRAPH/>");
        description.Set(kind, nullptr);
        EXPECT_EQ(description.Text(), nullptr) << kind;
    }
}

TEST(GraphDescription, GrfFileBecomesLoadStep) {
    TGraphDescription description;
    description.Set(TGraphDescription::kKindGrfFile, u"/g/a.grf");
    EXPECT_EQ(TextOf(description),
              u"<GRAPH version=\"1.0\">\r\n     <LOADGRF\t Filename = \"/g/a.grf\"/>\r\n</GRAPH>");
}

// Names legal on Linux that are markup in XML reach the step exactly as given.
TEST(GraphDescription, GrfFileNameWithMarkupSurvives) {
    const std::u16string names[] = {u"/g/say \"hi\".grf", u"/g/a&b.grf", u"/g/<x>.grf", u"/g/&amp;.grf"};
    for (const std::u16string& name : names) {
        TGraphDescription description;
        description.Set(TGraphDescription::kKindGrfFile, name.c_str());
        TRecordingGraphSteps steps;
        TGraphScript(steps).Run(description.Text(), false);
        const std::string file = plat::text::WideToAnsi(name);
        const std::vector<std::string> expected = {"LogOpen(INFO, Loading GRF file : " + file + ")",
                                                   "LoadGrf(" + file + ")", "Log(INFO, (close))"};
        EXPECT_EQ(steps.Calls, expected) << file;
    }
}

TEST(GraphDescription, LegacyScriptIsConverted) {
    TGraphDescription description;
    description.Set(TGraphDescription::kKindLegacyScript, u"RenderPin(A,B)\r\n");
    EXPECT_EQ(TextOf(description),
              u"<GRAPH version=\"1.0\">\r\n<RENDER Id=\"A\" Pin=\"B\" />\r\n</GRAPH>\r\n");
}

TEST(GraphDescription, VariablesMatchWithCase) {
    TGraphDescription description;
    EXPECT_TRUE(description.SetGraphVariable(u"FileName", u"/m/a.avi"));
    std::u16string value;
    EXPECT_TRUE(description.GetGraphVariable(u"FileName", value));
    EXPECT_EQ(value, u"/m/a.avi");
    EXPECT_FALSE(description.GetGraphVariable(u"Filename", value));
    EXPECT_TRUE(description.SetGraphVariable(u"FileName", u"/m/b.avi"));
    EXPECT_TRUE(description.GetGraphVariable(u"FileName", value));
    EXPECT_EQ(value, u"/m/b.avi");
}

TEST(GraphDescription, EmptyValueKeepsAnEmptyVariable) {
    TGraphDescription description;
    description.SetGraphVariable(u"FileName", u"/m/a.avi");
    EXPECT_TRUE(description.SetGraphVariable(u"FileName", u""));
    std::u16string value = u"x";
    EXPECT_TRUE(description.GetGraphVariable(u"FileName", value));
    EXPECT_EQ(value, u"");
}

TEST(GraphDescription, EmptyNameIsRefused) {
    TGraphDescription description;
    EXPECT_FALSE(description.SetGraphVariable(u"", u"v"));
}

} // namespace
