// The two SubStation Alpha v4 writers against byte-exact golden scripts.
#include "plugins/decoders/support/SsaV4Writer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

std::string ReadGolden(const char* name) {
    std::ifstream file(std::string(SCR_SUPPORT_GOLDEN_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::vector<TMarkupStyle> SampleStyles() {
    TMarkupStyle top{"Top", "Times", 24, 16777215, 255, 0, 128, 1, 0, 1, 2, 3, 8, 10, 20, 30, 0, 1};
    TMarkupStyle big{"Big", "Verdana", 40, 1, 2, 3, 4, 0, 1, 3, 0, 0, 2, 0, 0, 0, 0, 128};
    return {top, big};
}

std::vector<TMarkupEvent> SampleEvents() {
    TMarkupEvent dialogue;
    dialogue.Start = 1234;
    dialogue.End = 3723459;
    dialogue.Style = "Top";
    dialogue.Name = "Bob";
    dialogue.Text = "{\\i1}Hello\\Nthere";
    TMarkupEvent comment;
    comment.Start = -1500;
    comment.End = 999;
    comment.Marked = 1;
    comment.Comment = 1;
    comment.Style = "Big";
    comment.MarginL = 5;
    comment.MarginR = 6;
    comment.MarginV = 7;
    comment.Effect = 8;
    comment.Text = "caf\xC3\xA9";
    return {dialogue, comment};
}

// 8-bit form: LF line ends, styles as stored (bold 1, encoding 1 written as 0), event names kept.
TEST(SsaV4Writer, AnsiFormMatchesGoldenScript) {
    const std::string text = scr::WriteAnsiSsaV4(SampleStyles(), SampleEvents());
    EXPECT_EQ(text, ReadGolden("ansi.ssa"));
    EXPECT_NE(text.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(text.back(), '\0');
}

// Wide form: byte-order mark, CR LF, the default style, no names, a final zero character.
TEST(SsaV4Writer, WideFormMatchesGoldenScript) {
    const std::string bytes = scr::WriteWideSsaV4({}, SampleEvents());
    EXPECT_EQ(bytes, ReadGolden("wide.ssa"));
    ASSERT_GE(bytes.size(), 4U);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(bytes.substr(bytes.size() - 2), std::string(2, '\0'));
}

TEST(SsaV4Writer, WideFormWritesSetBoldAndItalicAsMinusOne) {
    const std::string bytes = scr::WriteWideSsaV4(SampleStyles(), {});
    std::u16string text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                             static_cast<unsigned char>(bytes[i + 1]) << 8));
    }
    EXPECT_NE(text.find(u"Style: Top, Times, 24, 16777215, 255, 0, 128, -1, 0,"), std::u16string::npos);
    EXPECT_NE(text.find(u"Style: Big, Verdana, 40, 1, 2, 3, 4, 0, -1,"), std::u16string::npos);
    EXPECT_EQ(text.find(u"Style: Default"), std::u16string::npos);
}

TEST(SsaV4Writer, AnsiFormWithoutStylesHasOnlyTheFormatLine) {
    const std::string text = scr::WriteAnsiSsaV4({}, {});
    EXPECT_NE(text.find("AlphaLevel, Encoding\n\n\n[Events]\n"), std::string::npos);
}

TEST(SsaV4Writer, TimesDropTheSignAndTruncateHundredths) {
    const struct {
        int32_t ms;
        const char* text;
    } cases[] = {{0, "0:00:00.00"},           {-1500, "0:00:01.50"},     {1999, "0:00:01.99"},
                 {3599999, "0:59:59.99"},     {36000000, "10:00:00.00"}, {INT32_MIN, "596:31:23.64"}};
    for (const auto& c : cases) {
        EXPECT_EQ(scr::FormatSsaTime(c.ms), c.text) << c.ms;
    }
}

TEST(SsaV4Writer, LargeScriptsGrowPastTheFirstBuffer) {
    std::vector<TMarkupEvent> events(2000, SampleEvents().front());
    const std::string text = scr::WriteAnsiSsaV4({}, events);
    EXPECT_GT(text.size(), 20480U * 3);
    std::size_t lines = 0;
    for (std::size_t at = text.find("\nDialogue: "); at != std::string::npos; at = text.find("\nDialogue: ", at + 1)) {
        ++lines;
    }
    EXPECT_EQ(lines, events.size());
    EXPECT_TRUE(text.ends_with(",{\\i1}Hello\\Nthere\n"));
}

// Events handed over one at a time, in a buffer far too small at first, give the same bytes.
TEST(SsaV4Writer, EventsFromASourceGiveTheSameScript) {
    const std::vector<TMarkupEvent> events(2000, SampleEvents().back());
    std::size_t next = 0;
    std::size_t size = 0;
    char* buffer = scr::HandOutWideSsaV4(
        SampleStyles(), 0, [&]() { return next < events.size() ? &events[next++] : nullptr; }, size);
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(std::string(buffer, size), scr::WriteWideSsaV4(SampleStyles(), events));
    EXPECT_EQ(buffer[size], 0);
    std::free(buffer);
}

} // namespace
