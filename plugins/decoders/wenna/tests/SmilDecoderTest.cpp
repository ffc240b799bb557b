// The SMIL (RealText) decoder over small files: timing by "time" tags, the window emptied by "clear",
// formatting tags, entities, the text bound and hostile input.
#include "plugins/decoders/wenna/SmilClock.h"
#include "plugins/decoders/wenna/TSmilDecoder.h"
#include "plugins/decoders/wenna/TSmilTimingDecoder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// "start-end text" of each event, joined by " | ".
template <class Decoder = TSmilDecoder> std::string Decoded(const std::string& data, bool* found = nullptr) {
    Decoder decoder;
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

TEST(SmilClock, ReadsClockValuesAndTimeCounts) {
    const struct {
        const char* text;
        int64_t ms; // -1: no value
    } cases[] = {
        {"1:02:03.5", 3723500},
        {"02:03.25", 123250},
        {"00:00:01.0005", 1000},
        {"0:00:07", 7000},
        {"3.2h", 11520000},
        {"45MIN", 2700000},
        {"30s", 30000},
        {"5ms", 5},
        {"12.467", 12467},
        {" 2.5S ", 2500},
        {"1.5ms", 1},
        {"indefinite", -1},
        {"id.begin", -1},
        {"1:60:00", -1},
        {"1:2:3:4", -1},
        {"2x", -1},
        {"", -1},
        {".5s", -1},
        {"1.", -1},
        {"9999999999999s", -1},
        {"99999999999h", 2147483647},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseSmilClock(c.text).value_or(-1), c.ms) << c.text;
    }
}

TEST(SmilTimingDecoder, TimesTextByParAndSeq) {
    const struct {
        const char* what;
        const char* data;
        const char* events;
    } cases[] = {
        {"a par's begin and end time its text",
         "<smil><body><par begin=\"1s\" end=\"2.5s\"><text>Hello</text></par></body></smil>",
         "1000-2500 Hello"},
        {"a seq runs its children one after another",
         "<smil><body><seq><text dur=\"2s\">A</text><text begin=\"1s\" dur=\"3s\">B</text>"
         "<text dur=\"1s\">C</text></seq></body></smil>",
         "0-2000 A | 3000-6000 B | 6000-7000 C"},
        {"the body is a seq of pars",
         "<body><par dur=2><text>A</text></par><par dur=1><text>B</text></par></body>",
         "0-2000 A | 2000-3000 B"},
        {"children of a par start from its begin and end with it",
         "<par begin=\"00:00:10.000\" dur=\"5s\"><text begin=\"1s\">A</text><text end=\"9s\">B</text></par>",
         "11000-15000 A | 10000-15000 B"},
        {"a par without an end lasts as long as its children",
         "<seq><par><text dur=3s>A</text><video src=x dur=4s/></par><text dur=1s>B</text></seq>",
         "0-3000 A | 4000-5000 B"},
        {"a text that nothing ends lasts a while", "<par begin=2><text>Open</text></par>", "2000-5000 Open"},
        {"end before begin shows nothing", "<text begin=5s end=3s>Never</text><text begin=1 dur=1>A</text>",
         "1000-2000 A"},
        {"formatting, entities and white space inside text",
         "<par dur=1><text>\n  <b>Bold</b>&amp;<br/>\n\t<font color=\"red\">red</font> "
         "<span>x</span>\n</text></par>",
         "0-1000 {\\B1}Bold{\\B0}&\\N {\\c&H0000ff&}red x"},
        {"smilText is text too", "<smilText begin=1 dur=2>Hi</smilText>", "1000-3000 Hi"},
        {"head, comments and declarations are no timing",
         "<?xml version=\"1.0\"?><!-- par dur=9 --><smil><head><meta name=\"title\" content=\"T\"/>"
         "<layout><region id=\"r\"/></layout></head><body><text dur=1>A</text></body></smil>",
         "0-1000 A"},
        {"attributes are whole words", "<text clipBegin=5s begin=1s clipEnd=9s end=2s>A</text>",
         "1000-2000 A"},
        {"a blank text writes nothing", "<par dur=1><text> &nbsp; </text></par>", ""},
        {"unclosed elements end at the end of the data", "<seq><par dur=1><text>A", "0-1000 A"},
        {"a stray closing tag changes nothing", "</par><text dur=1>A</text></seq>", "0-1000 A"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Decoded<TSmilTimingDecoder>(c.data), c.events) << c.what;
    }
    bool found = true;
    Decoded<TSmilTimingDecoder>("<smil><body><par dur=3/></body></smil>", &found);
    EXPECT_FALSE(found) << "no text element: no file of this kind";
}

TEST(SmilTimingDecoder, SurvivesHostileInput) {
    std::string deep;
    for (int i = 0; i < 100000; ++i) {
        deep += "<par begin=1>";
    }
    deep += "<text>x</text>";
    EXPECT_EQ(Decoded<TSmilTimingDecoder>(deep), "");
    // Times saturate: a text that would start and end beyond the largest time is not written.
    EXPECT_EQ(
        Decoded<TSmilTimingDecoder>("<seq><text begin=99999999999h dur=99999999999h>x</text>"
                                    "<text dur=99999999999h>y</text><text begin=596h dur=1s>z</text></seq>"),
        "");
    EXPECT_EQ(Decoded<TSmilTimingDecoder>("<text begin=596h dur=1s>z</text>"), "2145600000-2145601000 z");
    std::string many = "<seq>";
    for (int i = 0; i < 100000; ++i) {
        many += "<text dur=1ms>" + std::string(100, 'x') + "</text>";
    }
    TSmilTimingDecoder decoder;
    decoder.Decode(many);
    EXPECT_EQ(decoder.Events().Size(), 100000u);
}

} // namespace
