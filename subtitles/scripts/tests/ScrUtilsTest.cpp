#include "subtitles/scripts/ScrUtils.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

using namespace scrutils;

namespace {

TEST(ScrUtils, FindTextPos) {
    EXPECT_EQ(FindTextPos("xAB", "ab", false), 2);
    EXPECT_EQ(FindTextPos("xAB", "ab", true), 0);
    EXPECT_EQ(FindTextPos("xAB", "AB", true), 2);
    EXPECT_EQ(FindTextPos("ab", "abc", false), 0);
    EXPECT_EQ(FindTextPos("abc", "", false), 0);
    EXPECT_EQ(FindTextPosW(u"x\u00e9AB", u"\u00c9ab", false), 2);
    EXPECT_EQ(FindTextPosW(u"x\u00e9AB", u"\u00c9ab", true), 0);
}

TEST(ScrUtils, ReadKeyToken) {
    struct Case {
        std::string line;
        std::string key;
        std::size_t pos;
    };
    const std::vector<Case> cases = {
        {"Title: My film", "Title", 7}, // position on 'M'
        {"Title:X", "Title", 6},        // no blank: position on 'X'
        {"Title:", "Title", 5},         // the ':' is the last character: not skipped
        {"Title: ", "Title", 6},        // the blank is the last character: not skipped
        {"NoColon", "NoColon", 7},
    };
    for (const Case& c : cases) {
        std::size_t pos = 0;
        std::string key;
        EXPECT_TRUE(ReadKeyToken(c.line, pos, key, 300));
        EXPECT_EQ(key, c.key) << c.line;
        EXPECT_EQ(pos, c.pos) << c.line;
    }
    std::size_t pos = 0;
    std::string key;
    ReadKeyToken("abcdef:x", pos, key, 3);
    EXPECT_EQ(key, "abc");
}

TEST(ScrUtils, ReadFieldToken) {
    const std::string line = "a, b,c , ";
    std::size_t pos = 0;
    std::string field;
    std::vector<std::string> fields;
    while (ReadFieldToken(line, pos, field, 300, true)) {
        fields.push_back(field);
    }
    EXPECT_EQ(fields, (std::vector<std::string>{"a", "b", "c ", " "}));

    pos = 0;
    ASSERT_TRUE(ReadFieldToken("a, b", pos, field, 300, false));
    ASSERT_TRUE(ReadFieldToken("a, b", pos, field, 300, false));
    EXPECT_EQ(field, " b");
    pos = 0;
    EXPECT_FALSE(ReadFieldToken("abc", pos, field, 0, false));
}

TEST(ScrUtils, TimeText) {
    struct Case {
        std::string text;
        int32_t ms;
    };
    const std::vector<Case> cases = {
        {"1:02:03.4", 3723040},
        {"0:00:05", -1},
        {"0:00:01.5", 1050},
        {"0:01:02.03", 62030},
        {"12:34", -1},
        {"0: 1:02.03", 62030},
        {"0:00:01.5 ", 1500},
        {"12345:00:00.00", -1},
        {"-0:00:01.50", -1500},
        {" -1:00:00.00", -3600000},
        {"9999:59:59.99", INT32_MAX},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseTimeText(c.text, true), c.ms) << c.text;
        EXPECT_EQ(ParseTimeTextW(std::u16string(c.text.begin(), c.text.end()), true), c.ms) << c.text;
    }
    EXPECT_EQ(ParseTimeText("0:00:01.00", false), -1000);

    std::string out;
    EXPECT_TRUE(FormatTimeMs(3723049, out));
    EXPECT_EQ(out, "1:02:03.04");
    EXPECT_FALSE(FormatTimeMs(-1500, out));
    EXPECT_EQ(out, "0:00:01.50");
    std::u16string wide;
    EXPECT_TRUE(FormatTimeMsW(36000000, wide));
    EXPECT_EQ(wide, u"10:00:00.00");
    EXPECT_FALSE(FormatTimeMs(INT32_MIN, out));
    EXPECT_EQ(out, "596:31:23.64");
}

TEST(ScrUtils, ReadTextLineFromMemory) {
    const std::string data = "\r\n\r\nfirst\r\nsecond\r\n\r\nthird";
    std::size_t index = 0;
    std::string line;
    bool three = false;
    ASSERT_TRUE(ReadTextLine(data, index, line, 100, &three));
    EXPECT_EQ(line, "first");
    EXPECT_TRUE(three); // four line ends before the line, one after it
    ASSERT_TRUE(ReadTextLine(data, index, line, 100, &three));
    EXPECT_EQ(line, "second");
    EXPECT_FALSE(three);
    ASSERT_TRUE(ReadTextLine(data, index, line, 100, &three));
    EXPECT_EQ(line, "third");
    EXPECT_TRUE(three); // the LF of the first line end and a whole CR LF come before it
    EXPECT_FALSE(ReadTextLine(data, index, line, 100));
}

TEST(ScrUtils, LongLinesKeepEveryCharacter) {
    const std::string data = "abcdefg\nh";
    std::size_t index = 0;
    std::string line;
    std::string joined;
    std::vector<std::string> lines;
    while (ReadTextLine(data, index, line, 3)) {
        lines.push_back(line);
    }
    EXPECT_EQ(lines, (std::vector<std::string>{"abc", "def", "g", "h"}));

    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    std::fputs(data.c_str(), file);
    std::rewind(file);
    lines.clear();
    while (ReadTextLine(file, line, 3)) {
        lines.push_back(line);
    }
    std::fclose(file);
    EXPECT_EQ(lines, (std::vector<std::string>{"abc", "def", "g", "h"}));
}

TEST(ScrUtils, FileNames) {
    std::u16string ext;
    EXPECT_TRUE(GetFileExtension(u"/a/name.srt", ext));
    EXPECT_EQ(ext, u".srt");
    EXPECT_FALSE(GetFileExtension(u"/a.b/namelong", ext)); // the dot is the 11th character from the end
    EXPECT_TRUE(GetFileExtension(u"/a.b/namelon", ext));   // the dot is the 10th
    EXPECT_EQ(ext, u".b/namelon");
    std::string extA;
    EXPECT_TRUE(GetFileExtensionA("x.ASS", extA));
    EXPECT_EQ(extA, ".ASS");
    // The last dot anywhere in the name; none in a name shorter than two characters.
    EXPECT_EQ(FindFileExtension(u"movie.part1.avi"), 11u);
    EXPECT_EQ(FindFileExtension(u"a.verylongextension"), 1u);
    EXPECT_EQ(FindFileExtension(u"noext"), std::u16string_view::npos);
    EXPECT_EQ(FindFileExtension(u"."), std::u16string_view::npos);
    EXPECT_EQ(FindFileExtension(u""), std::u16string_view::npos);
    EXPECT_EQ(FindFileExtension(u".a"), 0u);

    struct Case {
        std::u16string path;
        std::u16string extension;
        std::u16string result;
        bool dot;
    };
    const std::vector<Case> cases = {
        {u"name.srt", u"ssa", u"name.ssa", true},
        {u"name", u"ssa", u"name.ssa", false},
        {u"name.srt", u"", u"name", true},
        {u"name", u"", u"name", false},
    };
    for (const Case& c : cases) {
        std::u16string path = c.path;
        EXPECT_EQ(ChangeFileExtension(path, c.extension), c.dot);
        EXPECT_EQ(path, c.result);
    }

    std::u16string name;
    EXPECT_TRUE(ExtractFileName(u"C:\\dir\\movie.ass", name));
    EXPECT_EQ(name, u"movie.ass");
    EXPECT_TRUE(ExtractFileName(u"/dir/movie.ass", name));
    EXPECT_EQ(name, u"movie.ass");
    EXPECT_TRUE(ExtractFileName(u"movie.ass", name));
    EXPECT_EQ(name, u"movie.ass");
    name = u"kept";
    EXPECT_FALSE(ExtractFileName(u"", name));
    EXPECT_EQ(name, u"kept");
}

TEST(ScrUtils, MsToPackedHms) {
    const uint32_t packed = MsToPackedHms(3723000);
    EXPECT_EQ(packed & 0xFF, 1u);
    EXPECT_EQ(packed >> 8 & 0xFF, 2u);
    EXPECT_EQ(packed >> 16 & 0xFF, 3u);
    EXPECT_EQ(MsToPackedHms(-1), 0u);
}

TEST(ScrUtils, ReplaceAll) {
    std::string text = "Styles: Name, Fontname";
    EXPECT_EQ(ReplaceAllText(text, 100, "Styles", "Format"), 1);
    EXPECT_EQ(text, "Format: Name, Fontname");

    text = "a,0,0,0,b";
    EXPECT_EQ(ReplaceAllText(text, 100, ",0,", ",,"), 2); // no overlap: the scan resumes after each
    EXPECT_EQ(text, "a,,0,,b");

    text = "xAbxab";
    EXPECT_EQ(ReplaceAllText(text, 100, "ab", "-", true), 1);
    EXPECT_EQ(text, "xAbx-");

    text = "aXaXaXa";
    EXPECT_EQ(ReplaceAllText(text, 6, "X", "YY"), 3); // pieces kept only below the capacity
    EXPECT_EQ(text, "aYYa");

    std::u16string wide = u"\u00e9X\u00e9x";
    EXPECT_EQ(ReplaceAllTextW(wide, 100, u"x", u"--"), 2);
    EXPECT_EQ(wide, u"\u00e9--\u00e9--");

    std::u16string result;
    EXPECT_EQ(ReplaceAllTextAllocW(u"one two one", result, u"ONE", u"three"), 2);
    EXPECT_EQ(result, u"three two three");
}

TEST(ScrUtils, Alignment) {
    const std::vector<std::pair<int32_t, int32_t>> ssaToAss = {
        {1, 1}, {2, 2}, {3, 3}, {5, 7}, {6, 8}, {7, 9}, {9, 4}, {10, 5}, {11, 6}, {0, 0}, {4, 4}, {12, 12}};
    for (const auto& [ssa, ass] : ssaToAss) {
        EXPECT_EQ(SsaToAssAlignment(ssa), ass) << ssa;
    }
    for (int32_t v4 : {1, 2, 3, 5, 6, 7, 9, 10, 11}) {
        EXPECT_EQ(AssToSsaAlignment(SsaToAssAlignment(v4)), v4) << v4;
    }
}

} // namespace
