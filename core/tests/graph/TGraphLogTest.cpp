#include "core/src/graph/TGraphLog.h"

#include "core/src/framework/TCoreLogFile.h"
#include "core/tests/graph/ReportXml.h"
#include "platform/text/CodePage.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace {

using Kind = TGraphLogKind;

struct LogCall {
    bool open;
    Kind kind;
    std::optional<std::u16string> text; // none: a closing call
};

struct LogCase {
    const char* name;
    std::vector<LogCall> calls;
    std::u16string document;
};

void PrintTo(const LogCase& item, std::ostream* os) {
    *os << item.name;
}

std::u16string Indent(int levels) {
    return std::u16string(static_cast<std::size_t>(levels) * 3, u' ');
}

// Seventeen entries opened and closed again: the indent stops at fifteen levels.
std::vector<LogCall> DeepNesting() {
    std::vector<LogCall> calls(17, {true, Kind::Info, u"n"});
    calls.insert(calls.end(), 17, {false, Kind::Info, std::nullopt});
    return calls;
}

std::u16string DeepNested() {
    std::u16string text;
    for (int level = 0; level < 17; ++level) {
        text += Indent(std::min(level, 15)) + u"<INFO Text=\"n\">\r\n";
    }
    for (int level = 16; level >= 0; --level) {
        text += Indent(std::min(level, 15)) + u"</INFO>\r\n";
    }
    return text;
}

const std::u16string kLong(3000, u'a');
const std::u16string kPairAtEnd = std::u16string(2044, u'a') + u"\U0001F600";

const LogCase kCases[] = {
    {"Build",
     {{true, Kind::Document, u"log"},
      {false, Kind::Info, u"Starting Graph Creation"},
      {true, Kind::Info, u"Trying to Add filter a - {C}"},
      {false, Kind::Success, u"Filter Added to Graph : A (a)"},
      {false, Kind::Info, std::nullopt},
      {false, Kind::Failure, u"Graph Building Finished"},
      {false, Kind::Document, std::nullopt}},
     u"<GRAPHLOG>\r\n"
     u"   <INFO Text=\"Starting Graph Creation\"></INFO>\r\n"
     u"   <INFO Text=\"Trying to Add filter a - {C}\">\r\n"
     u"      <SUCCESS Text=\"Filter Added to Graph : A (a)\"></SUCCESS>\r\n"
     u"   </INFO>\r\n"
     u"   <FAILURE Text=\"Graph Building Finished\"></FAILURE>\r\n"
     u"</GRAPHLOG>"},
    {"EscapesMarkupAndQuotes",
     {{false, Kind::Info, u"<a href=\"x\">&amp;</a>"}},
     u"<INFO Text=\"&lt;a href=&quot;x&quot;&gt;&amp;amp;&lt;/a&gt;\"></INFO>\r\n"},
    {"ReplacesControlCharacters",
     {{false, Kind::Info,
       std::u16string(u"a\x01"
                      u"b\tc",
                      5)}},
     u"<INFO Text=\"a\uFFFDb\tc\"></INFO>\r\n"},
    {"IndentStopsAtFifteenLevels", DeepNesting(), DeepNested()},
    {"StrayClosesWriteNothing",
     {{false, Kind::Failure, std::nullopt},
      {false, Kind::Document, std::nullopt},
      {false, Kind::Success, u"s"},
      {true, Kind::Document, u" "},
      {false, Kind::Info, std::nullopt},
      {false, Kind::Document, std::nullopt}},
     u"<SUCCESS Text=\"s\"></SUCCESS>\r\n<GRAPHLOG>\r\n</GRAPHLOG>"},
    {"ClosingCallClosesTheInnermostEntry",
     {{true, Kind::Info, u"i"},
      {true, Kind::Success, u"s"},
      {false, Kind::Failure, std::nullopt},
      {false, Kind::Failure, std::nullopt}},
     u"<INFO Text=\"i\">\r\n   <SUCCESS Text=\"s\">\r\n   </SUCCESS>\r\n</INFO>\r\n"},
    {"DocumentEndClosesOpenEntries",
     {{true, Kind::Document, u" "},
      {true, Kind::Info, u"a"},
      {true, Kind::Success, u"b"},
      {false, Kind::Document, std::nullopt}},
     u"<GRAPHLOG>\r\n   <INFO Text=\"a\">\r\n      <SUCCESS Text=\"b\">\r\n      </SUCCESS>\r\n"
     u"   </INFO>\r\n</GRAPHLOG>"},
    {"DocumentIsOpenedWithoutTheFlag",
     {{false, Kind::Document, u" "}, {false, Kind::Info, u"a"}, {false, Kind::Document, std::nullopt}},
     u"<GRAPHLOG>\r\n   <INFO Text=\"a\"></INFO>\r\n</GRAPHLOG>"},
    {"OpenedSuccessNestsToo",
     {{true, Kind::Success, u"s"}, {false, Kind::Failure, u"f"}, {false, Kind::Success, std::nullopt}},
     u"<SUCCESS Text=\"s\">\r\n   <FAILURE Text=\"f\"></FAILURE>\r\n</SUCCESS>\r\n"},
    {"OtherKindsWriteNothing",
     {{true, static_cast<Kind>(3), u"x"},
      {false, static_cast<Kind>(8), u"y"},
      {true, Kind::Info, u"i"},
      {false, static_cast<Kind>(10), std::nullopt},
      {true, static_cast<Kind>(5), u"z"},
      {false, Kind::Info, u"j"}},
     u"<INFO Text=\"i\">\r\n   <INFO Text=\"j\"></INFO>\r\n"},
    {"LongTextIsCut",
     {{false, Kind::Info, kLong}},
     u"<INFO Text=\"" + kLong.substr(0, 2045) + u"\"></INFO>\r\n"},
    {"CutKeepsSurrogatePairsWhole",
     {{false, Kind::Info, kPairAtEnd}},
     u"<INFO Text=\"" + kPairAtEnd.substr(0, 2044) + u"\"></INFO>\r\n"},
    {"EmptyTextIsAnEntry", {{false, Kind::Info, u""}}, u"<INFO Text=\"\"></INFO>\r\n"},
};

std::string Utf8(const std::u16string& text) {
    return plat::text::WideToAnsi(text);
}

std::u16string DocumentText(const TGraphLog& log) {
    return {log.Document().Text(), static_cast<std::size_t>(log.Document().TextLength())};
}

void Play(TGraphLog& log, const std::vector<LogCall>& calls) {
    for (const LogCall& call : calls) {
        log.Write(call.open, call.kind, call.text ? call.text->c_str() : nullptr);
    }
}

class TGraphLogTest : public testing::TestWithParam<LogCase> {
protected:
    TCoreLogFile debugLog_;
    TGraphLog log_{debugLog_};
};

TEST_P(TGraphLogTest, WritesTheDocument) {
    Play(log_, GetParam().calls);
    const std::u16string text = DocumentText(log_);
    EXPECT_EQ(Utf8(text), Utf8(GetParam().document));
    if (text.starts_with(u"<GRAPHLOG>")) {
        EXPECT_TRUE(report_xml::WellFormed(text));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, TGraphLogTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<LogCase>& info) { return info.param.name; });

TEST(TGraphLog, HostileTextsReadBackFromWellFormedLog) {
    TCoreLogFile debugLog;
    TGraphLog log(debugLog);
    const std::u16string hostile = u"C:\\a\"b'&c<d>]]>" + std::u16string(5000, u'<');
    Play(log, {{true, Kind::Document, u"x"},
               {true, Kind::Info, hostile},
               {false, Kind::Failure, u"&quot;"},
               {false, Kind::Info, std::nullopt},
               {false, Kind::Document, std::nullopt}});
    const std::u16string text = DocumentText(log);
    EXPECT_TRUE(report_xml::WellFormed(text));
    const std::string cut = Utf8(hostile.substr(0, 2045));
    EXPECT_EQ(report_xml::Outline(text), "GRAPHLOG[]{}(INFO[Text=" + cut + "]{}(FAILURE[Text=&quot;]{}()))");
}

TEST(TGraphLog, FormattedTextsAreEscapedAndCut) {
    TCoreLogFile debugLog;
    TGraphLog log(debugLog);
    log.WriteFormat(true, Kind::Info, u"Trying to Add filter %s - %s", std::u16string(u"a\"&<b>"), u"{C}");
    log.WriteFormat(false, Kind::Success, u"%s%d", kLong, 7);
    EXPECT_EQ(Utf8(DocumentText(log)),
              "<INFO Text=\"Trying to Add filter a&quot;&amp;&lt;b&gt; - {C}\">\r\n   "
              "<SUCCESS Text=\"" +
                  Utf8(kLong.substr(0, 2045)) + "\"></SUCCESS>\r\n");
}

TEST(TGraphLog, ClearStartsANewDocumentAtLevelZero) {
    TCoreLogFile debugLog;
    TGraphLog log(debugLog);
    Play(log, {{true, Kind::Info, u"a"}, {true, Kind::Info, u"b"}});
    log.Clear();
    EXPECT_EQ(log.Level(), 0);
    EXPECT_EQ(log.Document().Used, 0);
    Play(log, {{false, Kind::Info, u"c"}});
    EXPECT_EQ(Utf8(DocumentText(log)), "<INFO Text=\"c\"></INFO>\r\n");
}

TEST(TGraphLog, CopyNeedsABuffer) {
    TCoreLogFile debugLog;
    TGraphLog log(debugLog);
    Play(log, {{false, Kind::Info, u"a"}});
    TMemoryObject copy(16);
    EXPECT_FALSE(log.CopyTo(nullptr));
    ASSERT_TRUE(log.CopyTo(&copy));
    EXPECT_EQ(std::u16string(copy.Text(), static_cast<std::size_t>(copy.TextLength())), DocumentText(log));
}

TEST(TGraphLog, HandoverEndsWithTwoZeroCharacters) {
    TCoreLogFile debugLog;
    TGraphLog log(debugLog);
    Play(log, {{true, Kind::Document, u"x"}, {false, Kind::Document, std::nullopt}});
    char16_t* block = log.Handover();
    ASSERT_NE(block, nullptr);
    const std::u16string expected = u"<GRAPHLOG>\r\n</GRAPHLOG>";
    EXPECT_EQ(std::u16string(block, expected.size() + 2), expected + std::u16string(2, u'\0'));
    std::free(block);
}

TEST(TGraphLog, MirrorsEntryTextsToTheDebugLog) {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("graphlog-" + std::to_string(getpid()) + ".log");
    TCoreLogFile debugLog;
    debugLog.SetPath(path.u16string().c_str());
    debugLog.SetEnabled(true);
    TGraphLog log(debugLog);
    Play(log,
         {{true, Kind::Info, u"a <b>"}, {false, Kind::Info, std::nullopt}, {false, Kind::Success, u"c"}});
    std::ifstream file(path, std::ios::binary);
    const std::string written{std::istreambuf_iterator<char>(file), {}};
    EXPECT_EQ(written, "\na <b>\nc");
    std::filesystem::remove(path);
}

} // namespace
