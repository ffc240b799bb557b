#include "core/src/graph/TGraphScript.h"

#include "core/src/framework/TCoreLogFile.h"
#include "core/tests/graph/TRecordingGraphSteps.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

namespace {

using Calls = std::vector<std::string>;
using Setup = std::function<void(TRecordingGraphSteps&)>;

struct ScriptCase {
    const char* name;
    std::u16string text;
    Calls calls;
    bool failed = false;
    Setup setup = nullptr;
    bool undo = false;
};

std::u16string InGraph(const std::u16string& steps) {
    return u"<GRAPH version=\"1.0\">\r\n" + steps + u"\r\n</GRAPH>";
}

const char* const kLoadGrfOpen = "LogOpen(INFO, Loading GRF file : a.grf)";
const char* const kCloseInfo = "Log(INFO, (close))";

const ScriptCase kCases[] = {
    // Document structure.
    {"NoGraphElement", u"<FILTER ID=\"f\" clsid=\"{C}\"/><ADDTOROT/>", {}},
    {"EmptyGraph", u"<GRAPH version=\"1.0\"></GRAPH>", {}},
    {"EmptyText", u"", {}},
    {"TwoGraphsInOrderOtherTopLevelSkipped",
     u"<GRAPH><ADDTOROT/></GRAPH><PATCH><ADDTOROT/></PATCH><Other><ADDTOROT/></Other>"
     u"<graph><RENDER id=\"a\" pin=\"b\"/></graph>",
     {"AddToRot()", "RenderPin(a, b, any)"}},
    {"NamesWithoutCaseUnknownAndPatchIgnored",
     u"<graph><Unknown id=\"a\"/><patch id=\"a\" pin=\"b\"/><render ID=\"a\" PIN=\"b\"/>"
     u"<!-- <ADDTOROT/> --></graph>",
     {"RenderPin(a, b, any)"}},
    {"DeeperElementsNotRun", InGraph(u"<ADDTOROT><RENDER id=\"a\" pin=\"b\"/></ADDTOROT>"), {"AddToRot()"}},

    // FILTER and its parameters.
    {"FilterWithSourceParameter",
     InGraph(u"<FILTER ID=\"Src\" clsid=\"{C}\"><ADDTOROT/><PARAM Name=\"src\" Value=\"/m/a.avi\"/>"
             u"<PARAM Name=\"Other\" Value=\"x\"/><PARAM Name=\"SRC\"/><NOTPARAM Name=\"SRC\" Value=\"y\"/>"
             u"</FILTER>"),
     {"AddFilterByClsid(Src, {C})", "SetSourceFile(/m/a.avi, Src)"}},
    {"FilterNotAddedIgnoresChildren",
     InGraph(u"<FILTER ID=\"Src\" clsid=\"{BAD}\"><PARAM Name=\"SRC\" Value=\"a\"/></FILTER>"),
     {"AddFilterByClsid(Src, {BAD})"},
     false,
     [](TRecordingGraphSteps& s) { s.UnknownClasses.insert(u"{BAD}"); }},
    {"FilterSourceNotLoadedFails",
     InGraph(u"<FILTER ID=\"Src\" clsid=\"{C}\"><PARAM Name=\"SRC\" Value=\"a\"/></FILTER><ADDTOROT/>"),
     {"AddFilterByClsid(Src, {C})", "SetSourceFile(a, Src)", "AddToRot()"},
     true,
     [](TRecordingGraphSteps& s) { s.SourceFileLoads = false; }},
    {"FilterWithoutClassOrEmptyIdSkipped",
     InGraph(u"<FILTER ID=\"Src\"/><FILTER ID=\"\" clsid=\"{C}\"/>"),
     {}},

    // DMOFILTER.
    {"DmoBothForms",
     InGraph(u"<DMOFILTER ID=\"d\" DisplayName=\"@dmo:{A}{B}\" CLSID=\"{X}\" DMOCAT=\"{Y}\"/>"),
     {"AddDmoFilterByName(d, @dmo:{A}{B})", "AddDmoFilter(d, {X}, {Y})"}},
    {"DmoClassFormOnly",
     InGraph(u"<DMOFILTER ID=\"d\" CLSID=\"{X}\" DMOCAT=\"{Y}\"/>"),
     {"AddDmoFilter(d, {X}, {Y})"}},
    {"DmoIncomplete",
     InGraph(u"<DMOFILTER DisplayName=\"n\" CLSID=\"{X}\" DMOCAT=\"{Y}\"/>"
             u"<DMOFILTER ID=\"d\" CLSID=\"{X}\"/>"),
     {}},

    // SETFILENAME.
    {"SetFileNameOnKnownFilter",
     InGraph(u"<FILTER ID=\"Src\" clsid=\"{C}\"/><SETFILENAME FILTERID=\"Src\" FILE=\"a.avi\"/>"),
     {"AddFilterByClsid(Src, {C})", "FindFilterById(Src)", "SetSourceFile(a.avi, Src)"}},
    {"SetFileNameUnknownFilterFailsAndGoesOn",
     InGraph(u"<FILTER ID=\"Src\" clsid=\"{C}\"/><SETFILENAME FILTERID=\"src\" FILE=\"a.avi\"/><ADDTOROT/>"),
     {"AddFilterByClsid(Src, {C})", "FindFilterById(src)", "SetSourceFile(a.avi, none)", "AddToRot()"},
     true},
    {"SetFileNameWithoutFileSkipped", InGraph(u"<SETFILENAME FILTERID=\"Src\"/>"), {}},

    // CHANGEMERIT: no refresh, no log.
    {"ChangeMeritClassForm",
     InGraph(
         u"<CHANGEMERIT Clsid=\"{F}\" Category=\"{K}\" Merit=\"6291456\"/><CONNECT src=\"a\" srcpin=\"o\" "
         u"dest=\"b\" destpin=\"i\"/>"),
     {"WriteMeritByClsid({K}, {F}, 6291456)", "ConnectPins(a, o, b, i, intelligent)"}},
    {"ChangeMeritNameFormWins",
     InGraph(u"<CHANGEMERIT DisplayName=\"@dev:x\" Merit=\"1\" Clsid=\"{F}\" Category=\"{K}\"/>"),
     {"WriteMeritByName(@dev:x, 1)"}},
    {"ChangeMeritNumbers",
     InGraph(
         u"<CHANGEMERIT DisplayName=\"a\" Merit=\" \t-1\"/><CHANGEMERIT DisplayName=\"b\" Merit=\"+12x3\"/>"
         u"<CHANGEMERIT DisplayName=\"c\" Merit=\"4294967295\"/><CHANGEMERIT DisplayName=\"d\" Merit=\"x\"/>"
         u"<CHANGEMERIT DisplayName=\"e\" Merit=\"4294967296\"/><CHANGEMERIT DisplayName=\"f\"/>"),
     {"WriteMeritByName(a, 4294967295)", "WriteMeritByName(b, 12)", "WriteMeritByName(c, 4294967295)",
      "WriteMeritByName(d, 0)", "WriteMeritByName(e, 0)"}},
    {"ChangeMeritNotSubstituted",
     InGraph(u"<CHANGEMERIT DisplayName=\"##TOVVAR:N##\" Merit=\"2\"/>"),
     {"WriteMeritByName(##TOVVAR:N##, 2)"},
     false,
     [](TRecordingGraphSteps& s) { s.Variables[u"N"] = u"x"; }},

    // CREATEMULTIMEDIAGRAPH.
    {"MultimediaGraphFromFileName",
     InGraph(u"<CREATEMULTIMEDIAGRAPH/>"),
     {"GetGraphVariable(FileName)", "CreateMultimediaGraph(/m/a.mpg)"},
     false,
     [](TRecordingGraphSteps& s) { s.Variables[u"FileName"] = u"/m/a.mpg"; }},
    {"MultimediaGraphWithoutFileName",
     InGraph(u"<CREATEMULTIMEDIAGRAPH Filename=\"b\"/>"),
     {"GetGraphVariable(FileName)", "CreateMultimediaGraph(##TOVVAR:FileName##)"}},

    // LOADGRF and RENDERFILE write their own entries.
    {"LoadGrf", InGraph(u"<LOADGRF Filename=\"a.grf\"/>"), {kLoadGrfOpen, "LoadGrf(a.grf)", kCloseInfo}},
    {"LoadGrfFails",
     InGraph(u"<LOADGRF Filename=\"a.grf\"/>"),
     {kLoadGrfOpen, "LoadGrf(a.grf)", "Log(FAILURE, Unable to Load file : a.grf)", kCloseInfo},
     false,
     [](TRecordingGraphSteps& s) { s.GrfResult = -2147467259; }},
    {"LoadGrfWithoutName", InGraph(u"<LOADGRF File=\"a.grf\"/>"), {}},
    {"RenderFile",
     InGraph(u"<RENDERFILE Filename=\"a &amp; b.avi\"/>"),
     {"LogOpen(INFO, Render File : a & b.avi)", "RenderFile(a & b.avi)", kCloseInfo}},
    {"RenderFileUnresolvedReference",
     InGraph(u"<RENDERFILE Filename=\"##TOVVAR:Nope##\"/>"),
     {"GetGraphVariable(Nope)", "LogOpen(INFO, Render File : ##TOVVAR:Nope##)", "RenderFile(##TOVVAR:Nope##)",
      "Log(FAILURE, Unable to Render File : ##TOVVAR:Nope##)", kCloseInfo},
     false,
     [](TRecordingGraphSteps& s) { s.FileRenders = false; }},

    // CONNECT.
    {"ConnectDirectAnyCase",
     InGraph(u"<CONNECT src=\"a\" srcpin=\"o\" dest=\"b\" destpin=\"i\" dIrEcT=\"yEs\"/>"),
     {"ConnectPins(a, o, b, i, direct)"}},
    {"ConnectOtherDirectValues",
     InGraph(u"<CONNECT src=\"a\" srcpin=\"o\" dest=\"b\" destpin=\"i\" Direct=\"no\"/>"
             u"<CONNECT src=\"a\" srcpin=\"o\" dest=\"b\" destpin=\"i\" Direct=\"yes \"/>"
             u"<CONNECT src=\"a\" srcpin=\"o\" dest=\"b\" destpin=\"i\"/>"),
     {"ConnectPins(a, o, b, i, intelligent)", "ConnectPins(a, o, b, i, intelligent)",
      "ConnectPins(a, o, b, i, intelligent)"}},
    {"ConnectSubstitutionOrderAndDirectFromVariable",
     InGraph(u"<CONNECT destpin=\"##TOVVAR:DP##\" dest=\"##TOVVAR:D##\" srcpin=\"##TOVVAR:SP##\" "
             u"src=\"##TOVVAR:S##\" Direct=\"##TOVVAR:Dir##\"/>"),
     {"GetGraphVariable(Dir)", "GetGraphVariable(S)", "GetGraphVariable(SP)", "GetGraphVariable(D)",
      "GetGraphVariable(DP)", "ConnectPins(s, sp, d, dp, direct)"},
     false,
     [](TRecordingGraphSteps& s) {
         s.Variables = {{u"Dir", u"YES"}, {u"S", u"s"}, {u"SP", u"sp"}, {u"D", u"d"}, {u"DP", u"dp"}};
     }},
    {"ConnectIncompleteStillRefreshesAndReadsDirect",
     InGraph(u"<FORBIDFILTER DisplayName=\"x\"/><CONNECT src=\"a\" srcpin=\"o\" dest=\"b\" "
             u"Direct=\"##TOVVAR:Dir##\"/><CONNECT src=\"a\" srcpin=\"o\" dest=\"b\" destpin=\"i\"/>"),
     {"ForbidFilterByName(x)", "RefreshFilterCache()", "GetGraphVariable(Dir)",
      "ConnectPins(a, o, b, i, intelligent)"}},
    {"ConnectDirectOf19Characters",
     InGraph(u"<CONNECT src=\"a\" srcpin=\"o\" dest=\"b\" destpin=\"i\" Direct=\"##TOVVAR:LongName##\"/>"),
     {"GetGraphVariable(LongName)", "ConnectPins(a, o, b, i, direct)"},
     false,
     [](TRecordingGraphSteps& s) { s.Variables[u"LongName"] = u"yes"; }},
    {"ConnectDirectTooLongIsNotGiven",
     InGraph(u"<CONNECT src=\"a\" srcpin=\"o\" dest=\"b\" destpin=\"i\" Direct=\"##TOVVAR:LongName1##\"/>"),
     {"ConnectPins(a, o, b, i, intelligent)"},
     false,
     [](TRecordingGraphSteps& s) { s.Variables[u"LongName1"] = u"yes"; }},
    // RENDER and RENDEREX.
    {"RenderAndRenderEx",
     InGraph(u"<RENDER id=\"All\" pin=\"All\"/><RENDEREX id=\"v\" pin=\"##1\"/><RENDER id=\"v\"/>"),
     {"RenderPin(All, All, any)", "RenderPin(v, ##1, existing)"}},

    // FORBIDFILTER and the pending refresh.
    {"ForbidDefaultCategory",
     InGraph(u"<FORBIDFILTER Clsid=\"{F}\"/>"),
     {"ForbidFilterByClsid({083863F1-70DE-11D0-BD40-00A0C911CE86}, {F})"}},
    {"ForbidCategoryNotSubstituted",
     InGraph(u"<FORBIDFILTER Clsid=\"##TOVVAR:F##\" Category=\"##TOVVAR:K##\"/>"),
     {"GetGraphVariable(F)", "ForbidFilterByClsid(##TOVVAR:K##, {F})"},
     false,
     [](TRecordingGraphSteps& s) {
         s.Variables = {{u"F", u"{F}"}, {u"K", u"{K}"}};
     }},
    {"ForbidByNameIgnoresClsid",
     InGraph(u"<FORBIDFILTER DisplayName=\"@dev:x\" Clsid=\"{F}\"/>"),
     {"ForbidFilterByName(@dev:x)"}},
    {"TwoForbidsOneRefresh",
     InGraph(u"<FORBIDFILTER DisplayName=\"x\"/><FORBIDFILTER Clsid=\"{F}\" Category=\"{K}\"/>"
             u"<CONNECT src=\"a\" srcpin=\"o\" dest=\"b\" destpin=\"i\"/>"
             u"<CONNECT src=\"c\" srcpin=\"o\" dest=\"d\" destpin=\"i\"/>"),
     {"ForbidFilterByName(x)", "ForbidFilterByClsid({K}, {F})", "RefreshFilterCache()",
      "ConnectPins(a, o, b, i, intelligent)", "ConnectPins(c, o, d, i, intelligent)"}},
    {"RenderRefreshesToo",
     InGraph(u"<FORBIDFILTER DisplayName=\"x\"/><RENDEREX/><RENDER id=\"a\" pin=\"b\"/>"),
     {"ForbidFilterByName(x)", "RefreshFilterCache()", "RenderPin(a, b, any)"}},
    {"FailedForbidNoRefresh",
     InGraph(u"<FORBIDFILTER DisplayName=\"x\"/><RENDER id=\"a\" pin=\"b\"/>"),
     {"ForbidFilterByName(x)", "RenderPin(a, b, any)"},
     false,
     [](TRecordingGraphSteps& s) { s.ForbidLowers = false; }},

    // INSERTSAMPLEGRABBER and ADDTOROT.
    {"GrabberInserted",
     InGraph(u"<INSERTSAMPLEGRABBER/><ADDTOROT/>"),
     {"FindFilterByName(Video Renderer)", "InsertSampleGrabber(Video Renderer, RGB32)", "AddToRot()"}},
    {"GrabberWithoutRenderer",
     InGraph(u"<INSERTSAMPLEGRABBER/><ADDTOROT/>"),
     {"FindFilterByName(Video Renderer)", "AddToRot()"},
     false,
     [](TRecordingGraphSteps& s) { s.HasVideoRenderer = false; }},
    {"GrabberFailureEndsRun",
     u"<GRAPH><INSERTSAMPLEGRABBER/><ADDTOROT/></GRAPH><GRAPH><ADDTOROT/></GRAPH>",
     {"FindFilterByName(Video Renderer)", "InsertSampleGrabber(Video Renderer, RGB32)"},
     true,
     [](TRecordingGraphSteps& s) { s.GrabberInserts = false; }},

    // Without a filter graph the steps that need one do nothing.
    {"NoGraph",
     InGraph(u"<FILTER ID=\"f\" clsid=\"{C}\"/><DMOFILTER ID=\"d\" CLSID=\"{X}\" DMOCAT=\"{Y}\"/>"
             u"<RENDERFILE Filename=\"a\"/><INSERTSAMPLEGRABBER/><CONNECT src=\"a\" srcpin=\"o\" dest=\"b\" "
             u"destpin=\"i\"/><ADDTOROT/>"),
     {"ConnectPins(a, o, b, i, intelligent)", "AddToRot()"},
     false,
     [](TRecordingGraphSteps& s) { s.Graph = false; }},

    // Variables.
    {"VariableNamesWithCase",
     InGraph(u"<RENDER id=\"##TOVVAR:FileName##\" pin=\"##TOVVAR:Filename##\"/>"),
     {"GetGraphVariable(FileName)", "GetGraphVariable(Filename)",
      "RenderPin(/d/VIDEO_TS, ##TOVVAR:Filename##, any)"},
     false,
     [](TRecordingGraphSteps& s) { s.Variables[u"FileName"] = u"/d/VIDEO_TS"; }},
    {"OnlyWholeReferences",
     InGraph(u"<RENDER id=\"/m/##TOVVAR:FileName##\" pin=\"##TOVVAR:##\"/>"
             u"<RENDER id=\"##TOVVAR:FileName## \" pin=\"#TOVVAR:FileName##\"/>"
             u"<RENDER id=\"##tovvar:FileName##\" pin=\"##TOVVAR:FileName#\"/>"),
     {"RenderPin(/m/##TOVVAR:FileName##, ##TOVVAR:##, any)",
      "RenderPin(##TOVVAR:FileName## , #TOVVAR:FileName##, any)",
      "RenderPin(##tovvar:FileName##, ##TOVVAR:FileName#, any)"},
     false,
     [](TRecordingGraphSteps& s) { s.Variables[u"FileName"] = u"x"; }},
    {"EmptyValueAndNoSecondPass",
     InGraph(
         u"<RENDER id=\"##TOVVAR:Empty##\" pin=\"##TOVVAR:Ref##\"/><RENDER id=\"##TOVVAR:###\" pin=\"p\"/>"),
     {"GetGraphVariable(Empty)", "GetGraphVariable(Ref)", "RenderPin(, ##TOVVAR:Empty##, any)",
      "GetGraphVariable(#)", "RenderPin(hash, p, any)"},
     false,
     [](TRecordingGraphSteps& s) {
         s.Variables = {{u"Empty", u""}, {u"Ref", u"##TOVVAR:Empty##"}, {u"#", u"hash"}};
     }},

    // Undo mode: every top-level element is a step, GRAPH is not known there.
    {"UndoLog",
     u"<CHANGEMERIT DisplayName=\"@dev:x\" Merit=\"6291456\"/>\r\n"
     u"<CHANGEMERIT Clsid=\"{F}\" Category=\"{K}\" Merit=\"-1\"/>\r\n"
     u"<GRAPH><ADDTOROT/></GRAPH>\r\n<CHANGEMERIT DisplayName=\"@dev:x\" Merit=\"0\"/>\r\n",
     {"WriteMeritByName(@dev:x, 6291456)", "WriteMeritByClsid({K}, {F}, 4294967295)",
      "WriteMeritByName(@dev:x, 0)"},
     false,
     nullptr,
     true},

    // Malformed text runs what the reader could build and nothing else.
    {"UnterminatedValueDropped", InGraph(u"<RENDER id=\"a\" pin=\"b/><ADDTOROT/>"), {}},
    {"UnquotedValue", InGraph(u"<RENDER id=a pin=\"b\"/><ADDTOROT/>"), {"AddToRot()"}},
    {"CutOffText", u"<GRAPH><ADDTOROT/><RENDER id=\"a\" pin=\"b\"", {"AddToRot()", "RenderPin(a, b, any)"}},
    {"StrayClosingTags", u"</GRAPH></x><GRAPH><ADDTOROT/></GRAPH></GRAPH></GRAPH>", {"AddToRot()"}},
    {"GarbageOnly", u"<<<>>>\"\"=== &amp; <!-- <GRAPH>", {}},
};

// Test names and failure messages show the case's name instead of its bytes.
void PrintTo(const ScriptCase& c, std::ostream* os) {
    *os << c.name;
}

class GraphScriptCase : public testing::TestWithParam<ScriptCase> {};

TEST_P(GraphScriptCase, RunsTheExpectedSteps) {
    const ScriptCase& c = GetParam();
    TRecordingGraphSteps steps;
    if (c.setup) {
        c.setup(steps);
    }
    TGraphScript script(steps);
    EXPECT_EQ(script.Run(c.text.c_str(), c.undo), c.failed);
    EXPECT_EQ(steps.Calls, c.calls);
}

INSTANTIATE_TEST_SUITE_P(Steps, GraphScriptCase, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<ScriptCase>& info) { return info.param.name; });

struct DepthCase {
    int bitsPerPixel;
    const char* call;
};

TEST(GraphScript, GrabberSubtypeFollowsScreenDepth) {
    const DepthCase cases[] = {{8, "InsertSampleGrabber(Video Renderer, RGB8)"},
                               {16, "InsertSampleGrabber(Video Renderer, RGB555)"},
                               {24, "InsertSampleGrabber(Video Renderer, RGB24)"},
                               {32, "InsertSampleGrabber(Video Renderer, RGB32)"},
                               {15, "InsertSampleGrabber(Video Renderer, RGB32)"}};
    for (const DepthCase& c : cases) {
        TRecordingGraphSteps steps;
        steps.BitsPerPixel = c.bitsPerPixel;
        TGraphScript(steps).Run(InGraph(u"<INSERTSAMPLEGRABBER/>").c_str(), false);
        EXPECT_EQ(steps.Calls, (Calls{"FindFilterByName(Video Renderer)", c.call})) << c.bitsPerPixel;
    }
}

TEST(GraphScript, AttributeOf2500CharactersIsGivenAnd2501IsNot) {
    for (const std::size_t length : {std::size_t{2500}, std::size_t{2501}}) {
        TRecordingGraphSteps steps;
        const std::u16string id(length, u'i');
        TGraphScript(steps).Run(InGraph(u"<RENDER id=\"" + id + u"\" pin=\"p\"/>").c_str(), false);
        ASSERT_EQ(steps.Calls.size(), length == 2500 ? 1u : 0u) << length;
    }
}

TEST(GraphScript, VariableOf2499CharactersIsSubstitutedAnd2500IsNot) {
    TRecordingGraphSteps steps;
    steps.Variables[u"Short"] = std::u16string(2499, u's');
    steps.Variables[u"Long"] = std::u16string(2500, u'l');
    TGraphScript(steps).Run(InGraph(u"<RENDER id=\"##TOVVAR:Short##\" pin=\"##TOVVAR:Long##\"/>").c_str(),
                            false);
    ASSERT_EQ(steps.Calls.size(), 3u);
    EXPECT_EQ(steps.Calls[2], "RenderPin(" + std::string(2499, 's') + ", ##TOVVAR:Long##, any)");
}

TEST(GraphScript, SubstituteVariableKeepsTheCapacity) {
    TRecordingGraphSteps steps;
    steps.Variables[u"D"] = std::u16string(18, u'd');
    steps.Variables[u"E"] = std::u16string(19, u'e');
    TGraphScript script(steps);
    std::u16string shortEnough = u"##TOVVAR:D##";
    std::u16string tooLong = u"##TOVVAR:E##";
    script.SubstituteVariable(shortEnough, TGraphScript::kDirectCapacity);
    script.SubstituteVariable(tooLong, TGraphScript::kDirectCapacity);
    EXPECT_EQ(shortEnough, std::u16string(18, u'd'));
    EXPECT_EQ(tooLong, u"##TOVVAR:E##");
}

TEST(GraphScript, RunStateStartsAfreshEachRun) {
    TRecordingGraphSteps steps;
    TGraphScript script(steps);
    steps.SourceFileLoads = false;
    EXPECT_TRUE(script.Run(
        InGraph(u"<FORBIDFILTER DisplayName=\"x\"/><SETFILENAME FILTERID=\"f\" FILE=\"a\"/>").c_str(),
        false));
    steps.Calls.clear();
    EXPECT_FALSE(script.Run(InGraph(u"<RENDER id=\"a\" pin=\"b\"/>").c_str(), false));
    EXPECT_EQ(steps.Calls, (Calls{"RenderPin(a, b, any)"}));
}

TEST(GraphScript, NullTextRunsNothing) {
    TRecordingGraphSteps steps;
    EXPECT_FALSE(TGraphScript(steps).Run(nullptr, false));
    EXPECT_TRUE(steps.Calls.empty());
}

TEST(GraphScript, HostileNestingAndSizeDoNotHurt) {
    std::u16string deep;
    for (int i = 0; i < 50000; ++i) {
        deep += u"<GRAPH><FILTER ID=\"f\" clsid=\"{C}\">";
    }
    TRecordingGraphSteps steps;
    TGraphScript(steps).Run(deep.c_str(), false);
    // Only the outermost GRAPH is top-level; its one child is the only step.
    EXPECT_EQ(steps.Calls, (Calls{"AddFilterByClsid(f, {C})"}));
}

TEST(GraphScript, WritesStepTwoToTheDebugLog) {
    const auto path = std::filesystem::temp_directory_path() / ("graph-script-" + std::to_string(::getpid()));
    std::filesystem::remove(path);
    TCoreLogFile& log = TCoreLogFile::Instance();
    log.SetPath(path.u16string().c_str());
    log.SetEnabled(true);
    TRecordingGraphSteps steps;
    TGraphScript(steps).Run(u"", false);
    log.SetEnabled(false);
    log.SetPath(nullptr);
    std::ifstream file(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), "\nStep Two");
    std::filesystem::remove(path);
}

} // namespace
