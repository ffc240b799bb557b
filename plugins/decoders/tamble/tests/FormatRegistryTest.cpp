// The template engine: time patterns, directives, field formats, replacements, the walk over a file
// and the order in which definitions are tried, and that the walk stays linear.
#include "platform/text/CodePage.h"
#include "plugins/decoders/tamble/TFormatRegistry.h"
#include "plugins/decoders/tamble/TimePattern.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

using plat::text::AnsiToWide;
using plat::text::WideToAnsi;

TEST(TimePattern, ReadsCodesDigitCountsAndLiterals) {
    const struct {
        const char* pattern;
        const char* subject;
        double rate;
        bool ok;
        int64_t ms;
        std::size_t end; // position after reading
    } cases[] = {
        {"hh:mm:ss,ms", "01:02:03,456", 25, true, 3723456, 12},
        {"hh!2mm!2", "0102", 25, true, 3720000, 4},
        {"hh!2mm!2", "010", 25, false, 0, 0},
        {"ff", "50", 25, true, 2000, 2},
        {"ff", "1", 23.976, true, 41, 1},
        {"ff", "50", 0, false, 0, 0},
        {"ss.hu", "1.5", 25, true, 1050, 3},
        {"ss.hu!2", "1.5x", 25, false, 0, 0},
        {"!!hss", "h07", 25, true, 7000, 3},
        {"hh:mm", "01:x", 25, false, 0, 0},
        {"hh:mm", "01-02", 25, false, 0, 0},
        {"mm:ss trailing", "01:02", 25, true, 62000, 5},
        {"hh", "99999999999999999999999999", 25, true, kMaxFieldNumber * 1000, 26},
    };
    for (const auto& c : cases) {
        std::size_t position = 0;
        int64_t ms = 0;
        const std::u16string subject = AnsiToWide(c.subject);
        EXPECT_EQ(ReadTimePattern(AnsiToWide(c.pattern), subject, position, c.rate, ms), c.ok) << c.pattern;
        if (c.ok) {
            EXPECT_EQ(ms, c.ms) << c.pattern << " " << c.subject;
            EXPECT_EQ(position, c.end) << c.pattern;
        }
    }
}

class Engine : public ::testing::Test {
protected:
    Engine() {
        registry.LoadDefinitions(
            u"[#scriptdef: begin]\r\n[#replace: begin]\r\n<i>[#]{\\i1}\r\n[#replace: end]\r\n");
    }

    // Length matched, and the event read, as one text.
    std::string Try(const char* templ, const char* subject, std::size_t position = 0) {
        const std::u16string text = AnsiToWide(subject);
        const std::size_t length = registry.MatchTemplate(text, position, AnsiToWide(templ));
        const TMatchedEvent& e = registry.EventUnderConstruction();
        return std::to_string(length) + " " + std::to_string(e.Start) + "-" + std::to_string(e.End) + " #" +
               std::to_string(e.Number) + " '" + WideToAnsi(e.Text) + "'";
    }

    TFormatRegistry registry;
};

TEST_F(Engine, TemplatesMatchLikeThis) {
    const struct {
        const char* what;
        const char* templ;
        const char* subject;
        const char* result;
    } cases[] = {
        {"SubRip entry stops at the empty line",
         "[#subnumber:num]\r\n[#starttime:time-hh:mm:ss,ms] --> [#endtime:time-hh:mm:ss,ms]\r\n"
         "[#text:toemptyline-5]\r\n",
         "7\r\n00:00:01,000 --> 00:00:02,500\r\nA\r\nB\r\n\r\n8\r\n", "42 1000-2500 #7 'A\\nB'"},
        {"toentry stops at the empty line too", "[#text:toentry-9]", "a\r\n\r\nb", "5 0-0 #0 'a'"},
        {"a line end in a literal matches LF", "[#subnumber:num]\r\n[#text:toeol]", "7\nab\r\n",
         "6 0-0 #7 'ab'"},
        {"... and CR alone", "[#subnumber:num]\r\n[#text:toeol]", "7\rab", "4 0-0 #7 'ab'"},
        {"... but not nothing", "[#subnumber:num]\r\n[#text:toeol]", "7ab", "0 0-0 #7 ''"},
        {"toemptyline stops after the count", "[#text:toemptyline-2]", "a\r\nb\r\nc\r\n", "6 0-0 #0 'a\\nb'"},
        {"toemptyline without count copies one line", "[#text:toemptyline-]", "a\r\nb\r\n", "3 0-0 #0 'a'"},
        {"toemptyline stops after a line of spaces", "[#text:toemptyline-9]", "a\r\n  \r\nb",
         "7 0-0 #0 'a\\n  '"},
        {"toemptyline at the end of the text", "[#text:toemptyline-9]", "a\r\nb", "4 0-0 #0 'a\\nb'"},
        {"not: absent literal passes without moving", "[#not]X[#text:toeol]", "abc", "3 0-0 #0 'abc'"},
        {"not: present literal fails", "[#not]X[#text:toeol]", "Xbc", "0 0-0 #0 ''"},
        {"ignoreuntil finds the literal", "[#ignoreuntil]=[#text:toeol]", "abc=def", "7 0-0 #0 'def'"},
        {"ignoreuntil runs to the end", "[#ignoreuntil]=[#text:toeol]", "abcdef", "6 0-0 #0 ''"},
        {"ignoreuntillf skips whole lines", "[#ignoreuntillf]b[#text:toeol]", "ab\r\nbc\r\n", "8 0-0 #0 'c'"},
        {"literal after the last directive is ignored", "[#text:tospace] END", "word", "4 0-0 #0 'word'"},
        {"savepos sends the next template back", "[#dummy:nbch-2][#savepos][#text:toeol]", "abcdef",
         "2 0-0 #0 'cdef'"},
        {"nbch past the end fails", "[#text:nbch-9]", "abc", "0 0-0 #0 ''"},
        {"duration adds to the start", "[#starttime:time-ss] [#duration:num]", "2 1500", "6 2000-3500 #0 ''"},
        {"textlf joins with \\n", "[#text:toeol]\r\n[#textlf:toeol]\r\n[#textlf:toeol]", "a\r\nb\r\n",
         "6 0-0 #0 'a\\nb'"},
        {"[#] passes spaces", "[#subnumber:num][#][#text:toeol]", "12   x", "6 0-0 #12 'x'"},
        {"lf directive is the line end", "a[#lf][#text:toeol]", "a\r\nb", "4 0-0 #0 'b'"},
        {"[#[#] is the literal [#", "[#[#][#text:toeol]", "[#z", "3 0-0 #0 'z'"},
        {"style and dummy are read and dropped", "[#style:tospace] [#dummy:tospace] [#text:toeol]",
         "Bold x y", "8 0-0 #0 'y'"},
        {"unknown field fails", "[#colour:num]", "12", "0 0-0 #0 ''"},
        {"unknown format fails", "[#text:upto]", "12", "0 0-0 #0 ''"},
        {"missing ] ends the template", "[#text:toeol][#text", "ab", "2 0-0 #0 'ab'"},
        {"replacements apply without regard to case", "[#text:toeol]", "<I>x", "4 0-0 #0 '{\\i1}x'"},
        {"huge numbers saturate", "[#starttime:time-hh] [#subnumber:num]", "999999999999 99999999999999",
         "27 2147483647-0 #2147483647 ''"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Try(c.templ, c.subject), c.result) << c.what;
    }
}

// A registry with two definitions: entries "A..." and "B...", and a line-end of CR LF.
class Walk : public ::testing::Test {
protected:
    Walk() {
        registry.LoadDefinitions(
            u"[#scriptdef: begin]\r\n[#name]a\r\n[#dialogue: begin]\r\nA[#text:toeol]\r\n"
            u"[#dialogue: end]\r\n[#scriptdef: end]\r\n"
            u"[#scriptdef: begin]\r\n[#name]b\r\n[#ID]B\r\n[#extention: begin]\r\n.b\r\n"
            u"[#extention: end]\r\n[#dialogue: begin]\r\nB[#text:toeol]\r\n"
            u"[#dialogue: end]\r\n[#scriptdef: end]\r\n");
    }

    std::string Texts(const std::u16string& subject, std::optional<std::u16string_view> filter = std::nullopt,
                      bool force = false) {
        EXPECT_TRUE(registry.Match(subject, filter, force));
        std::string out;
        for (const TMatchedEvent& e : registry.Events) {
            out += WideToAnsi(e.Text) + " ";
        }
        return out;
    }

    TFormatRegistry registry;
};

TEST_F(Walk, UnmatchedLinesAreSkippedAndEmptyEventsNotKept) {
    EXPECT_EQ(Texts(u"junk\r\nA1\r\n\r\nA\r\nB2\r\nA3"), "1 2 3 ");
    EXPECT_EQ(registry.Current()->Name, u"a");
    EXPECT_EQ(Texts(u"nothing here\r\n"), "");
    EXPECT_FALSE(registry.Match(u"", std::nullopt, false));
}

TEST_F(Walk, AfterFiveMatchesOnlyTheCurrentDefinitionIsTried) {
    const std::u16string subject = u"A1\r\nA2\r\nA3\r\nA4\r\nA5\r\nB6\r\n";
    EXPECT_EQ(Texts(subject), "1 2 3 4 5 ");
    EXPECT_EQ(Texts(subject, std::nullopt, true), "1 2 3 4 5 6 ");
    EXPECT_EQ(Texts(u"A1\r\nB2\r\nA3\r\n"), "1 2 3 ");
}

TEST_F(Walk, FilterLimitsTheDefinitionsTried) {
    EXPECT_EQ(Texts(u"A1\r\nB2\r\n", u".B"), "1 2 "); // "a" has no extension: always eligible
    EXPECT_EQ(Texts(u"A1\r\nB2\r\n", u".x"), "1 ");
}

// Entries whose blank line is missing, and files mixing line ends: the text of an entry read with
// "toentry" ends before the next entry, and CR LF templates match LF lines after any number of matches.
TEST(EntryWalk, EntriesStayApartWhateverTheirLineEnds) {
    TFormatRegistry registry;
    registry.LoadDefinitions(
        u"[#scriptdef: begin]\r\n[#dialogue: begin]\r\n[#subnumber:num]\r\n[#starttime:time-ss] "
        u"[#endtime:time-ss]\r\n[#text:toentry-9]\r\n[#dialogue: end]\r\n");
    const struct {
        const char* what;
        std::u16string subject;
        const char* events;
    } cases[] = {
        {"blank line missing", u"1\r\n1 2\r\nA\r\n2\r\n3 4\r\nB\r\n", "1:A 2:B "},
        {"a number line that starts no entry is text", u"1\r\n1 2\r\nA\r\n2\r\nB\r\n\r\n3\r\n5 6\r\nC",
         "1:A\\n2\\nB 3:C "},
        {"an entry without text before the next", u"1\r\n1 2\r\n2\r\n3 4\r\nB", "2:B "},
        {"LF and CR LF entries mixed",
         u"1\r\n1 2\r\nA\r\n\r\n2\n2 3\nB\n\n3\r\n3 4\r\nC\r\n\r\n4\n4 5\nD\n\n5\n5 6\nE\r\n\r\n"
         u"6\n6 7\nF\n\n7\r7 8\rG\r\r8\r\n8 9\nH",
         "1:A 2:B 3:C 4:D 5:E 6:F 7:G 8:H "},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(registry.Match(c.subject, std::nullopt, false)) << c.what;
        std::string out;
        for (const TMatchedEvent& e : registry.Events) {
            out += std::to_string(e.Number) + ":" + WideToAnsi(e.Text) + " ";
        }
        EXPECT_EQ(out, c.events) << c.what;
    }
}

// A template whose literal never comes would, if every line searched to the end again, take
// quadratic time; the search remembers where it ended.
TEST(EngineGrowth, SearchesForAnAbsentLiteralStayLinear) {
    for (const char16_t* templ :
         {u"[#ignoreuntil]@@[#starttime:time-hh]", u"[#ignoreuntillf]@@[#starttime:time-hh]"}) {
        TFormatRegistry registry;
        registry.LoadDefinitions(std::u16string(u"[#scriptdef: begin]\r\n[#dialogue: begin]\r\n") + templ +
                                 u"\r\n[#dialogue: end]\r\n");
        std::u16string subject;
        for (int i = 0; i < 200000; ++i) {
            subject += u"xx\r\n";
        }
        subject += u"@@ no digits";
        const auto start = std::chrono::steady_clock::now();
        EXPECT_TRUE(registry.Match(subject, std::nullopt, true));
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        // Linear: well under a second; quadratic: hours.
        EXPECT_LT(seconds, 10.0 * TOVRIN_TEST_SLOWDOWN);
        EXPECT_TRUE(registry.Events.empty());
    }
}

} // namespace
