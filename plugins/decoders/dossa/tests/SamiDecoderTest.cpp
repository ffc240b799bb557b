// The SAMI decoder over small files: the class taken, intervals between "SYNC" tags, formatting and
// unknown tags, entities, the last interval and hostile input.
#include "plugins/decoders/dossa/TSamiDecoder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr const char* kTwoClasses = "<SAMI><BODY>"
                                    "<SYNC Start=1000><P Class=ENUSCC>Hello<P Class=FRFRCC>Bonjour"
                                    "<SYNC Start=2000><P Class=ENUSCC>&nbsp;<P Class=FRFRCC>&nbsp;"
                                    "<SYNC Start=3000><P Class=ENUSCC>Bye<P Class=FRFRCC>Salut"
                                    "<SYNC Start=4000><P Class=ENUSCC>&nbsp;</BODY></SAMI>";

struct TResult {
    std::string events; // "start-end text" joined by " | "
    std::string classSetting;
    bool found = false;
};

TResult Decoded(const std::string& data, const std::string& setting = "") {
    TSamiDecoder decoder(setting);
    TResult result;
    result.found = decoder.Decode(data);
    for (const TMarkupEvent& event : decoder.Events().Events()) {
        result.events += (result.events.empty() ? "" : " | ") + std::to_string(event.Start) + "-" +
                         std::to_string(event.End) + " " + event.Text;
    }
    result.classSetting = decoder.ClassSetting();
    return result;
}

TEST(SamiDecoder, TakesTheFirstClassOrTheOneNamed) {
    const TResult first = Decoded(kTwoClasses);
    EXPECT_EQ(first.events, "1000-2000 Hello | 3000-4000 Bye");
    EXPECT_EQ(first.classSetting, "ENUSCC");
    EXPECT_EQ(Decoded(kTwoClasses, "frfrcc").events, "1000-2000 Bonjour | 3000-4000 Salut");
    EXPECT_EQ(Decoded(kTwoClasses, "DEDECC").events, "");
    EXPECT_EQ(Decoded(kTwoClasses, std::string(300, 'A')).classSetting.size(), TSamiDecoder::kMaxClassChars);
}

TEST(SamiDecoder, DecodesTheEdgeCases) {
    const struct {
        const char* data;
        const char* events;
    } cases[] = {
        // A SYNC whose start has no digits counts as 0; starts are truncated to 10 ms.
        {"<SYNC Start=x><P Class=A>a<SYNC Start=1239><P Class=A>&nbsp;", "0-1230 a"},
        {"<SYNC Start=\"1500\"><P Class=A>a<SYNC Start=2000>", "1500-2000 a"},
        // Unknown tags go into the text in upper case; formatting tags become override tags.
        {"<SYNC Start=1><P Class=A>a <span class=x>b</span><SYNC Start=20>", "0-20 a <SPAN CLASS=X>b</SPAN>"},
        // Closing and structure tags have no effect; unknown tags outside the taken class are dropped.
        {"<SAMI><BODY><SYNC Start=10><P Class=A>a</P><P Class=B><span>b</SYNC><SYNC Start=20></BODY></SAMI>",
         "10-20 a"},
        {"<sync start=10><p class=a><b>x</b><i>y</i><br>z<font color=red>r<SYNC Start=20>",
         "10-20 {\\B1}x{\\B0}{\\I1}y{\\I0}\\Nz{\\c&H0000ff&}r"},
        // A paragraph without a class is not taken; class names keep their quotes.
        {"<SYNC Start=10><P>a<SYNC Start=20>", ""},
        {"<SYNC Start=10><P Class=\"A\">a<P Class=A>b<SYNC Start=20>", "10-20 a"},
        // Text outside the taken class is not collected; entities are decoded.
        {"<SYNC Start=10><P Class=A>caf&eacute; &lt;3<SYNC Start=20>", "10-20 caf\xC3\xA9 <3"},
        // The last interval is written, lasting a few seconds.
        {"<SYNC Start=10><P Class=A>a<SYNC Start=20><P Class=A>last", "10-20 a | 20-4020 last"},
        // An unterminated tag goes into the text as read.
        {"<SYNC Start=10><P Class=A>a<SYNC Start=20><P Class=A>b<FONT", "10-20 a | 20-4020 bFONT"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Decoded(c.data).events, c.events) << c.data;
    }
}

TEST(SamiDecoder, ReportsFilesWithoutSyncTags) {
    EXPECT_FALSE(Decoded("<html><p class=a>text</html>").found);
    EXPECT_TRUE(Decoded("<SYNC Start=1>").found);
}

TEST(SamiDecoder, SurvivesHostileInput) {
    std::string binary;
    for (int i = 0; i < 1 << 16; ++i) {
        binary.push_back(static_cast<char>((i * 7919) >> 3));
    }
    Decoded(binary);
    EXPECT_EQ(Decoded("<SYNC Start=99999999999999999999999><P Class=A>a<SYNC Start=2>").events,
              "2147483640-0 a");
    std::string nested = "<SYNC Start=10><P Class=A>";
    for (int i = 0; i < 100000; ++i) {
        nested += "<b><i>";
    }
    const std::size_t nestedSize =
        Decoded(nested + "<SYNC Start=20>").events.size() - std::string("10-20 ").size();
    EXPECT_GT(nestedSize, 2480u);
    EXPECT_LE(nestedSize, 2499u);
}

} // namespace
