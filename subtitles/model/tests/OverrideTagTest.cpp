#include "RunDump.h"

#include "foundation/TMemoryObject.h"

#include <gtest/gtest.h>

namespace {

struct TagCase {
    const char16_t* text;
    const char* runs;      // DumpRuns of the parsed event
    const char* compacted; // the visible characters
    int alignment = 0;     // the record's alignment after parsing
    int wrapStyle = 4;     // the record's wrap style after parsing
    int posX = -1;
    int posY = -1;
};

void PrintTo(const TagCase& c, std::ostream* os) {
    *os << Narrow(c.text);
}

class OverrideTagTest : public testing::TestWithParam<TagCase> {};

TEST_P(OverrideTagTest, ParsesIntoRunsAndRecord) {
    const TagCase& c = GetParam();
    TTextEvent event;
    Parse(event, c.text);
    EXPECT_EQ(DumpRuns(event), c.runs);
    EXPECT_EQ(Narrow(event.GetCompactedText()), c.compacted);
    const TTextEventRecord& record = *event.GetTextRecord();
    EXPECT_EQ(record.alignment, c.alignment);
    EXPECT_EQ(record.wrapStyle, c.wrapStyle);
    EXPECT_EQ(record.head.posX, c.posX);
    EXPECT_EQ(record.head.posY, c.posY);
    EXPECT_EQ(record.head.positioned, c.posX != -1 ? 1 : 0);
    EXPECT_EQ(record.head.placedByPosition, c.posX != -1 ? 1 : 0);
}

// Every tag the parser knows, the tags it reads without drawing, and the blocks it refuses.
INSTANTIATE_TEST_SUITE_P(
    Tags, OverrideTagTest,
    testing::Values(
        // Plain text: words, blanks, breaks; "\h" and other backslashes are word characters.
        TagCase{u"", "E", ""}, TagCase{u"Hi  there", "W(Hi) B2 W(there) E", "Hithere"},
        TagCase{u"a\\nb\\Nc", "W(a) n W(b) N W(c) E", "abc"}, TagCase{u"a\\hb", "W(a\\hb) E", "a\\hb"},
        TagCase{u" x ", "B1 W(x) B1 E", "x"},
        // Documented sample.
        TagCase{u"{\\b1}Hi {\\i1}there", "{1} W(Hi) B1 {6} W(there) E", "Hithere"},
        // Refused blocks show as text.
        TagCase{u"{}", "W({}) E", "{}"}, TagCase{u"{comment}", "W({comment}) E", "{comment}"},
        TagCase{u"{\\b1", "W({\\b1) E", "{\\b1"}, TagCase{u"{\\ x}", "W({\\) B1 W(x}) E", "{\\x}"},
        TagCase{u"{\\i1 \\b1}", "W({\\i1) B1 W(\\b1}) E", "{\\i1\\b1}"},
        TagCase{u"{\\i2}", "W({\\i2}) E", "{\\i2}"}, TagCase{u"{\\qx}", "W({\\qx}) E", "{\\qx}"},
        TagCase{u"{\\t(\\fs10}", "W({\\t(\\fs10}) E", "{\\t(\\fs10}"},
        TagCase{u"{\\t(a}b)}", "W({\\t(a}b)}) E", "{\\t(a}b)}"}, TagCase{u"{\\b1 \\i1}", "{1 6} E", ""},
        // Bold, edges, outline, italic, underline, strike-out, shadow.
        TagCase{u"{\\b0}", "{2} E", ""}, TagCase{u"{\\b700}", "{1} E", ""},
        TagCase{u"{\\be1\\be0}", "{4 5} E", ""}, TagCase{u"{\\bord3}", "{3:3} E", ""},
        TagCase{u"{\\BORD-2}", "{3:-2} E", ""}, TagCase{u"{\\i0}", "{7} E", ""},
        TagCase{u"{\\u1\\u0}", "{8 9} E", ""}, TagCase{u"{\\s1\\s0}", "{10 11} E", ""},
        TagCase{u"{\\shad4}", "{12:4} E", ""}, TagCase{u"{\\SHAD2}", "{12:2} E", ""},
        // Colours and alpha.
        TagCase{u"{\\c&HFF&}", "{14:0:FF} E", ""}, TagCase{u"{\\c&HFFFFFF&}", "{14:0:FFFFFF} E", ""},
        TagCase{u"{\\3c&H00FF00FF&}", "{14:3:FF00FF} E", ""}, TagCase{u"{\\2c&h0000FF&}", "{14:2:FF} E", ""},
        TagCase{u"{\\1a&H80&}", "{15:1:80} E", ""}, TagCase{u"{\\4a&HF}", "{15:4:F} E", ""},
        TagCase{u"{\\c&H1234&}", "{14:0:1234} E", ""},
        // Short colours of any length up to 8 digits, with or without the closing '&'.
        TagCase{u"{\\c&HF00&}", "{14:0:F00} E", ""}, TagCase{u"{\\c&HF00}", "{14:0:F00} E", ""},
        TagCase{u"{\\c&H123&}", "{14:0:123} E", ""}, TagCase{u"{\\3c&H1&}", "{14:3:1} E", ""},
        TagCase{u"{\\c&H0F0F0&}", "{14:0:F0F0} E", ""}, TagCase{u"{\\1a&H8&}", "{15:1:8} E", ""},
        TagCase{u"{\\2c&H1234567&}", "{14:2:1234567} E", ""},
        TagCase{u"{\\c&H123456789&}", "W({\\c&H123456789&}) E", "{\\c&H123456789&}"},
        TagCase{u"{\\c&H&}", "W({\\c&H&}) E", "{\\c&H&}"},
        TagCase{u"{\\c&HGG&}", "W({\\c&HGG&}) E", "{\\c&HGG&}"},
        TagCase{u"{\\c&X12&}", "W({\\c&X12&}) E", "{\\c&X12&}"},
        // Fonts: face, size, spacing, scales, character set; fades and rotations keep an empty run.
        TagCase{u"{\\fnArial Black}", "{16:Arial Black} E", ""},
        TagCase{u"{\\fnNoto_Sans-Bold}", "{16:Noto_Sans-Bold} E", ""},
        TagCase{u"{\\fn12345678901234567890123456789012345678901234567890}",
                "W({\\fn12345678901234567890123456789012345678901234567890}) E",
                "{\\fn12345678901234567890123456789012345678901234567890}"},
        TagCase{u"{\\fn1234567890123456789012345678901234567890123456789}",
                "{16:1234567890123456789012345678901234567890123456789} E", ""},
        TagCase{u"{\\fs30}", "{20:30} E", ""}, TagCase{u"{\\fs12.5}", "{20:12} E", ""},
        TagCase{u"{\\fs99999}", "{20:32767} E", ""}, TagCase{u"{\\fsp2}", "{19:2} E", ""},
        TagCase{u"{\\fscx120\\fscy80}", "{17:120 18:80} E", ""}, TagCase{u"{\\fe128}", "{21:128} E", ""},
        TagCase{u"{\\fad(100,200)}", "{} E", ""}, TagCase{u"{\\fade(1,2,3,4,5,6,7)}", "{} E", ""},
        TagCase{u"{\\frz30}", "{} E", ""}, TagCase{u"{\\fr-12.5}", "{} E", ""},
        // Tags read and ignored without a run.
        TagCase{u"{\\alpha&H80&}", "E", ""}, TagCase{u"{\\k50}x", "W(x) E", "x"},
        TagCase{u"{\\kf20\\K10\\ko5}", "E", ""}, TagCase{u"{\\move(1,2,3,4)}", "E", ""},
        TagCase{u"{\\t(0,100,\\fs20)}", "E", ""}, TagCase{u"{\\rDefault}", "{0} E", ""},
        TagCase{u"{\\r}", "{0} E", ""},
        // Alignment and wrap style overrides.
        TagCase{u"{\\a6}", "E", "", 134}, TagCase{u"{\\a6}{\\a2}", "E", "", 130},
        TagCase{u"{\\a0}{\\a2}", "E", "", 128}, TagCase{u"{\\a-5}", "E", "", 0},
        TagCase{u"{\\a200}", "E", "", 0}, TagCase{u"{\\a127}", "E", "", 255},
        TagCase{u"{\\q2}", "E", "", 0, 130}, TagCase{u"{\\q0}{\\q1}", "E", "", 0, 128},
        TagCase{u"Hi{\\a6}there", "W(Hithere) E", "Hithere", 134},
        // Positions.
        TagCase{u"{\\pos(10,20)}", "{} E", "", 0, 4, 10, 20},
        TagCase{u"{\\pos(10.5, 20.7)}a", "{} W(a) E", "a", 0, 4, 10, 20},
        TagCase{u"{\\pos(10)}", "W({\\pos(10)}) E", "{\\pos(10)}"},
        // v4+ tags: numpad alignment, blur and tags the renderer does not draw.
        TagCase{u"{\\an8}", "E", "", 134}, TagCase{u"{\\an1}", "E", "", 129},
        TagCase{u"{\\an5}", "E", "", 138}, TagCase{u"{\\an7}{\\a2}", "E", "", 130},
        TagCase{u"{\\an0}", "E", "", 0}, TagCase{u"{\\blur3\\b1}", "{1} E", ""}, TagCase{u"{\\be2}", "E", ""},
        TagCase{u"{\\clip(0,0,320,240)\\i1}", "{6} E", ""},
        TagCase{u"{\\iclip(m 0 0 l 10 10)}x", "W(x) E", "x"},
        TagCase{u"{\\org(1,2)\\xbord2\\yshad1.5\\fax0.2\\frx10}", "{} E", ""},
        TagCase{u"{\\t(0,500,\\clip(1,2,3,4))\\fs20}", "{20:20} E", ""},
        TagCase{u"{\\3c&H0000FF&\\c}", "{14:3:FF} E", ""},
        // Drawing mode hides the drawing commands.
        TagCase{u"{\\p1}m 0 0 l 10 0{\\p0}text", "W(text) E", "text"},
        TagCase{u"a{\\p2}m 0 0", "W(a) E", "a"}, TagCase{u"{\\pbo5}x", "W(x) E", "x"}));

// Text -> runs -> text -> runs gives the same runs, and the texts the writer produces.
struct RoundTripCase {
    const char16_t* text;
    const char16_t* written;
};

void PrintTo(const RoundTripCase& c, std::ostream* os) {
    *os << Narrow(c.text);
}

class OverrideTagRoundTripTest : public testing::TestWithParam<RoundTripCase> {};

TEST_P(OverrideTagRoundTripTest, WritesTagsBack) {
    const RoundTripCase& c = GetParam();
    TTextEvent event;
    Parse(event, c.text);
    TMemoryObject out(64);
    ASSERT_TRUE(event.WriteSsaText(out, false));
    ASSERT_GE(out.TextLength(), 1);
    const std::u16string_view written(out.Text(), out.TextLength() - 1);
    EXPECT_EQ(out.Text()[out.TextLength() - 1], u'\0');
    EXPECT_EQ(Narrow(written), Narrow(c.written));

    // Blocks of tags that are read but not written back (\fad, \fr, \pos) leave empty runs, and
    // a blank run is written as one blank whatever its count, blank runs next to each other too.
    const auto drawn = [](std::string runs) {
        for (std::size_t at; (at = runs.find("{} ")) != std::string::npos;) {
            runs.erase(at, 3);
        }
        for (std::size_t at = 0; (at = runs.find('B', at)) != std::string::npos; ++at) {
            const std::size_t digits = runs.find(' ', at);
            runs.erase(at + 1, digits - at - 1);
        }
        for (std::size_t at; (at = runs.find("B B")) != std::string::npos;) {
            runs.erase(at, 2);
        }
        return runs;
    };
    TTextEvent again;
    Parse(again, written);
    EXPECT_EQ(drawn(DumpRuns(again)), drawn(DumpRuns(event)));
    EXPECT_EQ(again.GetTextRecord()->head.posX, event.GetTextRecord()->head.posX);
    EXPECT_EQ(again.GetTextRecord()->head.posY, event.GetTextRecord()->head.posY);
    EXPECT_EQ(again.GetTextRecord()->alignment, event.GetTextRecord()->alignment);
    EXPECT_EQ(again.GetTextRecord()->wrapStyle, event.GetTextRecord()->wrapStyle);
}

INSTANTIATE_TEST_SUITE_P(
    Tags, OverrideTagRoundTripTest,
    testing::Values(
        RoundTripCase{u"{\\b1}Hi  there", u"{\\b1}Hi there"}, RoundTripCase{u"a\\nb\\Nc", u"a\\nb\\Nc"},
        RoundTripCase{u"{\\b0\\be1\\be0\\bord3\\i1\\i0\\u1\\u0\\s1\\s0\\shad2}x",
                      u"{\\b0\\be1\\be0\\BORD3\\i1\\i0\\u1\\u0\\s1\\s0\\SHAD2}x"},
        RoundTripCase{u"{\\c&H000F00&}x", u"{\\c&H000F00&}x"},
        RoundTripCase{u"{\\c&HF&}x", u"{\\c&H00000F&}x"}, RoundTripCase{u"{\\c&HF00&}x", u"{\\c&H000F00&}x"},
        RoundTripCase{u"{\\c&H080808&}x", u"{\\c&H080808&}x"},
        RoundTripCase{u"{\\2c&H0000FF&\\3a&H80&}x", u"{\\2c&H000000FF&\\3a&H00000080&}x"},
        RoundTripCase{u"{\\fnArial Black\\fs30\\fsp2\\fscx120\\fscy80\\fe1\\r}x",
                      u"{\\fnArial Black\\fs30\\fsp2\\fscx120\\fscy80\\fe1\\r}x"},
        RoundTripCase{u"{\\an8\\q2}top", u"{\\a6}{\\q2}top"},
        RoundTripCase{u"{\\k10}a {\\fad(1,2)}b", u"a b"},
        // Blank runs that only a block without tags to write separates become one blank.
        RoundTripCase{u"a {\\p0} b", u"a b"}, RoundTripCase{u"a {\\fad(1,2)} b", u"a b"},
        RoundTripCase{u"a {\\p1}m 0 0{\\p0} b", u"a b"}, RoundTripCase{u"a {\\b1} b", u"a {\\b1} b"},
        RoundTripCase{u"{\\pos(10,20)}Hi", u"{\\pos(10,20)}Hi"}, RoundTripCase{u"{}", u"{}"},
        RoundTripCase{u"{\\t(a{\\b1}x", u"{\\t(a{\\b1}x"}));

// Text read and written once, then read and written again, gives the same text: what the editor
// saves reads back as what it wrote.
TEST(OverrideTagRoundTrip, WritingIsStable) {
    const std::u16string texts[] = {
        u"a {\\p0} b",
        u"a {\\k5}  {\\fad(1,2)} {\\pos(1,2)}b",
        u" {\\alpha&H80&} x",
        // Found by the fuzz target: a word with a '}', a block that leaves no run between blanks,
        // and a zero character.
        std::u16string(u"T\u10701} {\\p0} \u3200\u5C00\0", 14),
    };
    const auto written = [](std::u16string_view text) {
        TTextEvent event;
        Parse(event, text);
        TMemoryObject out(64);
        EXPECT_TRUE(event.WriteSsaText(out, false));
        return std::u16string(out.Text(), static_cast<std::size_t>(out.TextLength() - 1));
    };
    for (const std::u16string& text : texts) {
        const std::u16string once = written(text);
        EXPECT_EQ(written(once), once) << Narrow(text);
    }
}

TEST(OverrideTagLayoutBreaks, WritesTheLayoutsLineEnds) {
    TTextEvent event;
    Parse(event, u"one two\\nthree");
    // The layout flags a line end after the blank run.
    TTextRun* blank = event.NextRun(event.GetRun(kFirstRun));
    ASSERT_EQ(blank->Kind(), kRunBlanks);
    blank->SetLineBreak(true);
    TMemoryObject out(64);
    ASSERT_TRUE(event.WriteSsaText(out, true));
    EXPECT_EQ(Narrow({out.Text(), static_cast<std::size_t>(out.TextLength() - 1)}), "one \\ntwo three");
}

TEST(OverrideTagLayoutBreaks, WritesNothingWithoutRuns) {
    TTextEvent event;
    event.AttachRecord(nullptr);
    TMemoryObject out(64);
    EXPECT_FALSE(event.WriteSsaText(out, false));
    EXPECT_EQ(out.Used, 0);
}

TEST(OverrideTagLimits, TagWordsStopAt499Characters) {
    for (const auto& [length, accepted] : {std::pair{499, true}, std::pair{500, false}}) {
        TTextEvent event;
        const std::u16string text = u"{\\b" + std::u16string(length, u'0') + u"}";
        Parse(event, text);
        EXPECT_EQ(DumpRuns(event) == "{2} E", accepted) << length;
    }
}

TEST(OverrideTagLimits, TransformsSpanAtMost498Characters) {
    for (const auto& [length, accepted] : {std::pair{497, true}, std::pair{498, false}}) {
        TTextEvent event;
        const std::u16string text = u"{\\t(" + std::u16string(length - 1, u'0') + u")}";
        Parse(event, text);
        EXPECT_EQ(DumpRuns(event) == "E", accepted) << length;
    }
}

} // namespace

namespace {

TEST(OverrideTagLimits, FaceNameEndsAtAZeroCharacter) {
    const std::u16string text(u"{\\fnAb\0c}x{\\fn\0}y", 17);
    TTextEvent event;
    Parse(event, text);
    EXPECT_EQ(DumpRuns(event), "{16:Ab} W(xy) E");
}

} // namespace
