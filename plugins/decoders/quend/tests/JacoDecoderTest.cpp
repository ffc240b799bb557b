// The JACOsub decoder over small scripts: times and ticks, directive words, styles, the palette, text
// codes, joined lines and hostile input.
#include "plugins/decoders/quend/TJacoDecoder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// "start-end [style,name,l,r,v] text" of each event, joined by " | ".
std::string Decoded(const std::string& data, double resolution = 450.0) {
    TJacoDecoder decoder(resolution);
    decoder.Decode(data);
    std::string out;
    for (const TMarkupEvent& e : decoder.Events().Events()) {
        out += (out.empty() ? "" : " | ") + std::to_string(e.Start) + "-" + std::to_string(e.End) + " [" +
               e.Style + "," + e.Name + "," + std::to_string(e.MarginL) + "," + std::to_string(e.MarginR) +
               "," + std::to_string(e.MarginV) + "] " + e.Text;
    }
    return out;
}

TEST(JacoDecoder, ReadsTimesAndTicks) {
    const struct {
        const char* data;
        const char* events;
    } cases[] = {
        // Without a timer, ticks count 1/30 s; fractions of H:MM:SS.FF times count ticks too.
        {"@30 @45 *x", "1000-1500 [Default,,0,0,0] *x"},
        {"0:00:01.00 0:00:02.15 *x", "1000-2500 [Default,,0,0,0] *x"},
        {"#T100\n@30 @45 *x", "300-450 [Default,,0,0,0] *x"},
        {"#TIMERES 25\n0:00:01.05 @50 *x", "1200-2000 [Default,,0,0,0] *x"},
        // Exact tick lengths: 108000 ticks at 30 per second are one hour, with no drift.
        {"@108000 @108001 *x", "3600000-3600033 [Default,,0,0,0] *x"},
        // A title is no timer; a timer of 0 changes nothing.
        {"#TITLE Episode 12\n#T0\n@30 @60 *x", "1000-2000 [Default,,0,0,0] *x"},
        // Lines that are no events are dropped.
        {"0:00:01.00\nHello world\n1 2\n1 2 \t \nx", ""},
        // A first word that may be a directive is one, so a single such word leaves no text.
        {"1 2 text", ""},
        {"1 2 two words", "1000-2000 [Default,,0,0,0] words"},
        // "#SHIFT" moves the lines after it (a fraction counts ticks); a later shift replaces it.
        {"#SHIFT 2.15\n0:00:01.00 0:00:02.00 *x", "3500-4500 [Default,,0,0,0] *x"},
        {"1 2 *a\n#S +1:00.00\n1 2 *b\n#shift -0:00:00.15\n@30 @60 *c",
         "1000-2000 [Default,,0,0,0] *a | 61000-62000 [Default,,0,0,0] *b | 500-1500 [Default,,0,0,0] *c"},
        {"#T100\n#SHIFT @50\n1 2 *x", "1500-2500 [Default,,0,0,0] *x"},
        // A shift below zero stops at 0; an unreadable one or another word changes nothing.
        {"#SHIFT -5\n1 7 *x", "0-2000 [Default,,0,0,0] *x"},
        {"#SHIFT abc\n#SHIFTY 5\n#SIZE 5\n1 2 *x", "1000-2000 [Default,,0,0,0] *x"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Decoded(c.data), c.events) << c.data;
    }
}

TEST(JacoDecoder, AppliesDirectiveWords) {
    const struct {
        const char* data;
        const char* events;
    } cases[] = {
        {"1 2 VTJC x", "1000-2000 [Default,,0,0,0] {\\a6}x"},
        {"1 2 VB x", "1000-2000 [Default,,0,0,0] x"},
        {"1 2 VMJL x", "1000-2000 [Default,,0,0,0] {\\a9}x"},
        {"1 2 JR x", "1000-2000 [Default,,0,0,0] {\\a3}x"},
        {"1 2 VP225HL10HR90 x", "1000-2000 [Default,,102,102,384] {\\a6}x"},
        // "#" ends the letters; a word that is not a directive starts the text.
        {"1 2 VT#JC x", "1000-2000 [Default,,0,0,0] {\\a6}x"},
        {"1 2 *x y", "1000-2000 [Default,,0,0,0] *x y"},
        // Palette colours: P1 F 0 0 makes entry 1 the colour with low byte 255.
        {"#P1 F 0 0\n1 2 CF1 x", "1000-2000 [Default,,0,0,0] {\\c&Hff0000&}x"},
        {"#P3 10 2 A0\n1 2 CF3 x", "1000-2000 [Default,,0,0,0] {\\c&H1022a0&}x"},
        {"1 2 CF2 x", "1000-2000 [Default,,0,0,0] {\\c&H000000&}x"},
        {"1 2 CF99 x", "1000-2000 [Default,,0,0,0] x"},
        // Styles by number and by display name.
        {"#D1 Title\n1 2 D1 x", "1000-2000 [Style_1,,0,0,0] x"},
        {"#D1 Title\n1 2 [title] x", "1000-2000 [Style_1,,0,0,0] x"},
        {"#D1 Title\n1 2 D7 x", "1000-2000 [Default,,0,0,0] x"},
        {"#D1 Title\n1 2 [Other] x", "1000-2000 [Default,,0,0,0] x"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Decoded(c.data), c.events) << c.data;
    }
    EXPECT_EQ(Decoded("1 2 VP100 x", 0.0), "1000-2000 [Default,,0,0,76800] {\\a6}x");
}

TEST(JacoDecoder, DefinesStyles) {
    TJacoDecoder decoder(450.0);
    decoder.Decode("#P4 1 2 3\n#D1VTJLHL10CF4D2 Title\n#D0\n#D5 bad#name\n");
    ASSERT_EQ(decoder.Styles().size(), 3u);
    const TMarkupStyle& first = decoder.Styles()[0];
    EXPECT_EQ(first.Name, "Style_1");
    EXPECT_EQ(first.FontName, "");
    EXPECT_EQ(first.FontSize, 0);
    EXPECT_EQ(first.Alignment, 5);
    EXPECT_EQ(first.MarginL, 102);
    EXPECT_EQ(first.PrimaryColour, 0x332211);
    EXPECT_EQ(decoder.Styles()[1].Name, "Default");
    EXPECT_EQ(decoder.Styles()[1].Alignment, 2);
    EXPECT_EQ(decoder.Styles()[2].Name, "Style_5");
}

TEST(JacoDecoder, ConvertsTheText) {
    const struct {
        const char* data;
        const char* events;
    } cases[] = {
        {"1 2 D0 {Bob}  Hi", "1000-2000 [Default,Bob,0,0,0] Hi"},
        {"1 2 D0 a{note}b{open", "1000-2000 [Default,,0,0,0] ab"},
        {"1 2 D0 \\Bb\\b \\Ii\\i \\Nr \\nn \\\\ \\{ \\~ \\Fxf \\zq",
         "1000-2000 [Default,,0,0,0] {\\b1}b{\\b0} {\\i1}i{\\i0} {\\r}r \\nn \\ { ~ f q"},
        {"#P1 F 0 0\n1 2 D0 \\C1a\\C b", "1000-2000 [Default,,0,0,0] {\\c&Hff0000&}a{\\c&Hff0000&} b"},
        {"1 2 D0 first   \\\n   second\n3 4 D0 third",
         "1000-2000 [Default,,0,0,0] firstsecond | 3000-4000 [Default,,0,0,0] third"},
        {"1 2 D0 a split wo\\\n  rd", "1000-2000 [Default,,0,0,0] a split word"},
        {"1 2 D0 end\\", "1000-2000 [Default,,0,0,0] end"},
        {"1 2 D0 crlf \\\r\n  joined", "1000-2000 [Default,,0,0,0] crlfjoined"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Decoded(c.data), c.events) << c.data;
    }
}

TEST(JacoDecoder, HandlesLineEndsAndLongLines) {
    EXPECT_EQ(Decoded("1 2 D0 a\r\n\r\n3 4 D0 b\r5 6 D0 c\n"),
              "1000-2000 [Default,,0,0,0] a | 3000-4000 [Default,,0,0,0] b | 5000-6000 [Default,,0,0,0] c");
    const std::string longLine = "1 2 D0 " + std::string(3000, 'x');
    TJacoDecoder decoder(450.0);
    decoder.Decode(longLine);
    ASSERT_EQ(decoder.Events().Size(), 1u);
    EXPECT_EQ(decoder.Events().Events()[0].Text.size(), 2500u - 7u);
}

TEST(JacoDecoder, SurvivesHostileInput) {
    std::string binary;
    for (int i = 0; i < 1 << 16; ++i) {
        binary.push_back(static_cast<char>((i * 7919) >> 3));
    }
    Decoded(binary);
    EXPECT_EQ(Decoded("@99999999999999999999999 @1 *x"), "2147483647-33 [Default,,0,0,0] *x");
    EXPECT_EQ(Decoded("99999999999999999999:0:0.999999999999 1 *x"), "2147483647-1000 [Default,,0,0,0] *x");
    EXPECT_EQ(Decoded("#T9999999999\n@1 @2 *x"), "0-0 [Default,,0,0,0] *x");
    EXPECT_EQ(Decoded("1 2 VP99999999999999999HL99999999999HR99999999999 x").substr(0, 20),
              "1000-2000 [Default,,");
    std::string joined = "1 2 D0 a\\\n";
    for (int i = 0; i < 100000; ++i) {
        joined += "b\\\n";
    }
    EXPECT_EQ(Decoded(joined).size(), std::string("1000-2000 [Default,,0,0,0] ").size() + 2499);
}

} // namespace
