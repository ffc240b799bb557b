#include "core/src/graph/TLegacyScriptConverter.h"

#include "core/src/graph/TGraphScript.h"
#include "core/tests/graph/TRecordingGraphSteps.h"
#include "platform/text/CodePage.h"
#include "foundation/TMemoryObject.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

constexpr char16_t kClsid[] = u"{E436EBB5-524F-11CE-9F53-0020AF0BA770}";

// The converted text without its terminating zero character, which is checked separately.
std::u16string Converted(const std::u16string& script) {
    TMemoryObject xgr(1024);
    EXPECT_TRUE(TLegacyScriptConverter::Convert(script.c_str(), xgr));
    const std::u16string text(xgr.Text(), static_cast<std::size_t>(xgr.TextLength()));
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(text.back(), u'\0');
    return text.substr(0, text.size() - 1);
}

std::u16string InGraph(const std::u16string& elements) {
    return u"<GRAPH version=\"1.0\">\r\n" + elements + u"</GRAPH>\r\n";
}

struct LegacyCase {
    const char* name;
    std::u16string script;
    std::u16string elements;
};

const std::u16string kFilter =
    u"<FILTER CLSID=\"{E436EBB5-524F-11CE-9F53-0020AF0BA770}\" ID=\"Src\" >\r\n</FILTER>\r\n";

const LegacyCase kCases[] = {
    {"LoadFilter", u"LoadFilter({E436EBB5-524F-11CE-9F53-0020AF0BA770},Src)\r\n", kFilter},
    {"LeadingPartsOfNames", u"Load({E436EBB5-524F-11CE-9F53-0020AF0BA770},Src)\r\nset(Src,a.avi)\r\n",
     kFilter + u"<SETFILENAME FILTERID=\"Src\" FILE=\"a.avi\" />\r\n"},
    {"MediaFileArgument",
     u"SetFilterFileName(Src,<FileName>)\nSETFILTERFILENAME(Src,<FILENAME>)\nSetFilterFileName(Src,<file)\n"
     u"SetFilterFileName(Src,<filename>x)\nSetFilterFileName(<filename>,a)\n",
     u"<SETFILENAME FILTERID=\"Src\" FILE=\"##TOVVAR:FileName##\" />\r\n"
     u"<SETFILENAME FILTERID=\"Src\" FILE=\"##TOVVAR:FileName##\" />\r\n"
     u"<SETFILENAME FILTERID=\"Src\" FILE=\"##TOVVAR:FileName##\" />\r\n"
     u"<SETFILENAME FILTERID=\"Src\" FILE=\"&lt;filename&gt;x\" />\r\n"
     u"<SETFILENAME FILTERID=\"&lt;filename&gt;\" FILE=\"a\" />\r\n"},
    {"DirectAndIndirectConnect",
     u"ConnectPin(Src,Output,Dec,Input)\r\nIndirectConnectPin(Dec,Out,Ren,In)\r\n",
     u"<CONNECT DIRECT=\"yes\" src=\"Src\" srcpin=\"Output\" dest=\"Dec\" destpin=\"Input\" />\r\n"
     u"<CONNECT DIRECT=\"no\" src=\"Dec\" srcpin=\"Out\" dest=\"Ren\" destpin=\"In\" />\r\n"},
    {"BlanksStayInArguments", u"ConnectPin(Src, Output, Dec ,Input )\r\n",
     u"<CONNECT DIRECT=\"yes\" src=\"Src\" srcpin=\" Output\" dest=\" Dec \" destpin=\"Input \" />\r\n"},
    {"BlankBeforeParenthesis", u"RenderPin (Dec,Out)\r\n", u"<RENDER Id=\" (Dec\" Pin=\"Out\" />\r\n"},
    {"RenderPin", u"\t  RenderPin(Dec,##0)\r\n", u"<RENDER Id=\"Dec\" Pin=\"##0\" />\r\n"},
    {"NoClosingParenthesis", u"LoadFilter({E436EBB5-524F-11CE-9F53-0020AF0BA770},Src\r\n",
     u"<FILTER >\r\n</FILTER>\r\n"},
    {"MissingLastArgument", u"RenderPin(Dec,)\r\nConnectPin(A,B)\r\n",
     u"<RENDER Id=\"Dec\" />\r\n<CONNECT DIRECT=\"yes\" src=\"A\" />\r\n"},
    {"ArgumentsEndAtTheLastParenthesis", u"RenderPin(Dec,Out) // (x)\r\n",
     u"<RENDER Id=\"Dec\" Pin=\"Out) // (x\" />\r\n"},
    {"CommaAfterTheLastParenthesis", u"RenderPin(A) x,y\r\n", u"<RENDER />\r\n"},
    {"IgnoredLines",
     u"SetFilterSync(Src,1)\r\nUseSystemClock()\r\n# LoadFilter(a,b)\r\n// LoadFilter(a,b)\r\n"
     u"Unknown(a,b)\r\nLoadFilterX(a,b)\r\n",
     u""},
    {"BlankLinesOnly", u"\r\n\r\n  \t\n\f\r\n", u""},
    {"FormFeedEndsLines", u"RenderPin(A,B)\fRenderPin(C,D)",
     u"<RENDER Id=\"A\" Pin=\"B\" />\r\n<RENDER Id=\"C\" Pin=\"D\" />\r\n"},
    {"LastLineWithoutBreakIsReadOn", u"# comment RenderPin(A,B)", u"<RENDER Id=\"A\" Pin=\"B\" />\r\n"},
    {"CommentLineWithBreakIsSkipped", u"# comment RenderPin(A,B)\r\n", u""},
    {"LineCutShortAtTheEnd", u"RenderPin(A", u"<RENDER />\r\n"},
    {"OneCharacterKeywordAtTheEnd", u"\r\nR", u""},
    {"MarkupIsEscaped", u"SetFilterFileName(Src,/m/a \"b\" & <c>.avi)\r\n",
     u"<SETFILENAME FILTERID=\"Src\" FILE=\"/m/a &quot;b&quot; &amp; &lt;c&gt;.avi\" />\r\n"},
    {"DotlessIAndLongSAreKeywordLetters", u"\u017Fet(Src,a)\r\nLoad\u0131(x)\r\n",
     u"<SETFILENAME FILTERID=\"Src\" FILE=\"a\" />\r\n"},
};

// Test names and failure messages show the case's name instead of its bytes.
void PrintTo(const LegacyCase& c, std::ostream* os) {
    *os << c.name;
}

class LegacyScriptCase : public testing::TestWithParam<LegacyCase> {};

TEST_P(LegacyScriptCase, ConvertsToXgr) {
    EXPECT_EQ(Converted(GetParam().script), InGraph(GetParam().elements));
}

INSTANTIATE_TEST_SUITE_P(Scripts, LegacyScriptCase, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<LegacyCase>& info) { return info.param.name; });

TEST(LegacyScriptConverter, NullOrEmptyScriptWritesNothing) {
    TMemoryObject xgr(1024);
    EXPECT_FALSE(TLegacyScriptConverter::Convert(nullptr, xgr));
    EXPECT_FALSE(TLegacyScriptConverter::Convert(u"", xgr));
    EXPECT_EQ(xgr.Used, 0);
}

// The converted text runs as the script meant it, arguments coming back unchanged.
TEST(LegacyScriptConverter, ConvertedScriptRuns) {
    const std::u16string script =
        std::u16string(u"LoadFilter(") + kClsid +
        u",Src)\r\nSetFilterFileName(Src,<FileName>)\r\n"
        u"LoadFilter({D},D&<\"1\">)\r\nIndirectConnectPin(Src,Output,D&<\"1\">,In)\r\n"
        u"RenderPin(D&<\"1\">,Out)\r\nLoadFilter({X},Bad\r\n";
    TRecordingGraphSteps steps;
    steps.Variables[u"FileName"] = u"/m/a.avi";
    TGraphScript(steps).Run(Converted(script).c_str(), false);
    const std::vector<std::string> expected = {"AddFilterByClsid(Src, " + plat::text::WideToAnsi(kClsid) +
                                                   ")",
                                               "GetGraphVariable(FileName)",
                                               "FindFilterById(Src)",
                                               "SetSourceFile(/m/a.avi, Src)",
                                               "AddFilterByClsid(D&<\"1\">, {D})",
                                               "ConnectPins(Src, Output, D&<\"1\">, In, intelligent)",
                                               "RenderPin(D&<\"1\">, Out, any)"};
    EXPECT_EQ(steps.Calls, expected);
}

// A long last line without parentheses, commas or breaks is scanned once, not once per keyword.
TEST(LegacyScriptConverter, LongHostileLineConvertsInLinearTime) {
    std::u16string script;
    for (int i = 0; i < 30000; ++i) {
        script += u"ConnectPin(a ";
    }
    const std::u16string text = Converted(script);
    EXPECT_EQ(text.size(),
              InGraph(u"").size() + 30000 * std::u16string(u"<CONNECT DIRECT=\"yes\" />\r\n").size());
}

} // namespace
