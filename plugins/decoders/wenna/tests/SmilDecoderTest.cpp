// The SMIL (RealText) decoder over small files: timing by "time" tags, the window emptied by "clear",
// formatting tags, entities, the text bound and hostile input.
#include "plugins/decoders/wenna/TSmilDecoder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// "start-end text" of each event, joined by " | ".
std::string Decoded(const std::string& data, bool* found = nullptr) {
    TSmilDecoder decoder;
    const bool sawTime = decoder.Decode(data);
    if (found != nullptr) {
        *found = sawTime;
    }
    std::string out;
    for (const TMarkupEvent& event : decoder.Events().Events()) {
        out += (out.empty() ? "" : " | ") + std::to_string(event.Start) + "-" + std::to_string(event.End) +
               " " + event.Text;
    }
    return out;
}

TEST(SmilDecoder, DecodesTheEdgeCases) {
    const struct {
        const char* data;
        const char* events;
    } cases[] = {
        // Text between two begin-only times is one event from the first to the second.
        {"<time begin=\"1\"/>Hello<time begin=\"2\"/>", "1000-2000 Hello"},
        // Without "clear" the window keeps its text; with it the next event starts afresh.
        {"<time begin=1/>One<time begin=2/>Two<time begin=3/>", "1000-2000 One | 2000-3000 OneTwo"},
        {"<time begin=1/>One<time begin=2/><clear/>Two<time begin=3/>", "1000-2000 One | 2000-3000 Two"},
        // An end attribute ends the event; the next begin starts the next one.
        {"<time begin=1 end=1.5/>A<time begin=4 end=5/><clear/>B<time begin=9/>",
         "1000-1500 A | 4000-5000 B"},
        // Lower-case tags, formatting and line breaks.
        {"<TIME BEGIN=1><b>x</b><I>y</i><br>z<time begin=2>", "1000-2000 {\\B1}x{\\B0}{\\I1}y{\\I0}\\Nz"},
        {"<time begin=1><font color=\"#FF0000\">r</font><font color=navy>n<time begin=2>",
         "1000-2000 {\\c&H0000ff&}r{\\c&H800000&}n"},
        // Times: minutes and fractions, truncated to 10 ms.
        {"<time begin=\"1:02.5\"/>a<time begin=\"1:02:03.25\"/>", "62500-3723250 a"},
        {"<time begin=\"1.257\"/>a<time begin=2/>", "1250-2000 a"},
        // A time tag without a readable begin counts as 0.
        {"<time/>a<time begin=3/>", "0-3000 a"},
        // Text before the first time tag and blank text are not written; CR, LF and TAB are dropped.
        {"before<time begin=1/>   <time begin=2/>a\r\n\tb<time begin=3/>", "2000-3000    ab"},
        // Entities.
        {"<time begin=1/>caf&eacute; AT&T &amp; &szlig;<time begin=2/>",
         "1000-2000 caf\xC3\xA9 AT&T & \xC3\x9F"},
        // In a file of another code page (here Latin-1) entities become single bytes.
        {"<time begin=1/>\xE9t\xE9 &eacute;&#252;&#8364;<time begin=2/>",
         "1000-2000 \xE9t\xE9 \xE9\xFC&#8364;"},
        // Unknown tags are dropped.
        {"<time begin=1/><span>a</span><time begin=2/>", "1000-2000 a"},
        // The last subtitle is written when its end is known: its own end, else the window's duration.
        {"<time begin=1 end=2/>last", "1000-2000 last"},
        {"<window duration=\"10\"><time begin=1/>a<time begin=3/>last</window>",
         "1000-3000 a | 3000-10000 alast"},
        {"<time begin=1/>a<time begin=3/>last", "1000-3000 a"},
        // An unterminated tag goes into the text as read.
        {"<time begin=1 end=2/>a<font color", "1000-2000 aFONT COLOR"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Decoded(c.data), c.events) << c.data;
    }
}

TEST(SmilDecoder, KeepsUtf8TextInUtf8) {
    EXPECT_EQ(Decoded("<time begin=1/>\xC3\xA9t\xC3\xA9 &szlig;<time begin=2/>"),
              "1000-2000 \xC3\xA9t\xC3\xA9 \xC3\x9F");
}

TEST(SmilDecoder, CutsTheTextAt2499Characters) {
    const std::string data = "<time begin=1/>" + std::string(3000, 'x') + "<time begin=2/>";
    EXPECT_EQ(Decoded(data), "1000-2000 " + std::string(2499, 'x'));
}

TEST(SmilDecoder, ReportsFilesWithoutTimeTags) {
    bool found = true;
    EXPECT_EQ(Decoded("<html><body>no subtitles</body></html>", &found), "");
    EXPECT_FALSE(found);
    Decoded("<time begin=1/>", &found);
    EXPECT_TRUE(found);
}

TEST(SmilDecoder, SurvivesHostileInput) {
    std::string binary;
    for (int i = 0; i < 1 << 16; ++i) {
        binary.push_back(static_cast<char>((i * 7919) >> 3));
    }
    Decoded(binary);
    std::string nested = "<time begin=1/>";
    for (int i = 0; i < 100000; ++i) {
        nested += "<b><i><font color=red>";
    }
    const std::size_t nestedSize =
        Decoded(nested + "x<time begin=2/>").size() - std::string("1000-2000 ").size();
    EXPECT_GT(nestedSize, 2470u);
    EXPECT_LE(nestedSize, 2499u);
    EXPECT_EQ(Decoded("<time begin=99999999999999999999:99999999999999999999/>x<time begin=2>"),
              "2147483640-2000 x");
    // Thousands of time tags repeating a full window stay within the event list's bound.
    std::string repeated = "<time begin=1/>" + std::string(2499, 'x');
    for (int i = 0; i < 40000; ++i) {
        repeated += "<time/>";
    }
    TSmilDecoder decoder;
    decoder.Decode(repeated);
    EXPECT_LT(decoder.Events().Size(), 40000u);
}

} // namespace
