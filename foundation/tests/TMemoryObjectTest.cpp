#include "foundation/TMemoryObject.h"

#include "platform/text/CodePage.h"
#include "foundation/tests/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <string>
#include <string_view>
#include <sys/resource.h>
#include <sys/stat.h>
#include <vector>

namespace {

std::string Bytes(const TMemoryObject& m) {
    return std::string(m.Data, static_cast<size_t>(m.Used));
}
std::u16string Text(const TMemoryObject& m) {
    return std::u16string(m.Text(), static_cast<size_t>(m.TextLength()));
}

void SetText(TMemoryObject& m, std::u16string_view text) {
    m.SetUsed(0);
    m.AppendChars(text.data(), static_cast<int32_t>(text.size()));
}

bool ZeroCharAfterUsed(const TMemoryObject& m) {
    return m.Used + 2 <= m.Capacity && m.Data[m.Used] == 0 && m.Data[m.Used + 1] == 0;
}

// The growth rule: reallocate when used + n + 10 >= capacity, by one step when that is enough.
int32_t ExpectedCapacity(int32_t capacity, int32_t used, int32_t n, int32_t step) {
    if (used + n + 10 < capacity) {
        return capacity;
    }
    return used + n + 10 < capacity + step ? capacity + step : used + n + step + 10;
}

TEST(TMemoryObjectTest, GrowthKeepsContentAndFreeSpaceForEveryStepAndSize) {
    const std::vector<int32_t> sizes = {0, 1, 9, 10, 11, 3, 37, 600, 2, 1500, 5};
    for (const int32_t step : {1, 2, 10, 11, 500}) {
        SCOPED_TRACE(step);
        TMemoryObject m(step);
        EXPECT_EQ(m.Capacity, step);
        std::string expected;
        char next = 'a';
        for (const int32_t n : sizes) {
            const std::string chunk(static_cast<size_t>(n), next++);
            const int32_t capacity = ExpectedCapacity(m.Capacity, m.Used, n, step);
            char* at = m.AppendData(chunk.data(), n);
            expected += chunk;
            ASSERT_EQ(Bytes(m), expected);
            EXPECT_EQ(at, m.Data + m.Used - n);
            EXPECT_EQ(m.Capacity, capacity);
            EXPECT_GT(m.Capacity - m.Used, 10);
            EXPECT_EQ(m.WritePos, m.Data + m.Used);
        }
    }
}

TEST(TMemoryObjectTest, GrowthPinnedCapacities) {
    struct Case {
        int32_t step;
        std::vector<int32_t> sizes;
        int32_t capacity;
    };
    const Case cases[] = {
        {10, {0}, 20},                          // 0 + 0 + 10 >= 10: one step
        {10, {1}, 20},                          //
        {10, {15}, 35},                         // 25 is not below 20: used + n + step + 10
        {500, {489}, 500},                      // 499 < 500: no growth
        {500, {490}, 1000},                     // 500 >= 500: grows
        {500, {490, 1}, 1000}, {1, {5, 5}, 21}, // 5 + 10 + 1 = 16, then 10 + 10 + 1 = 21
    };
    for (const Case& c : cases) {
        TMemoryObject m(c.step);
        for (const int32_t n : c.sizes) {
            m.AppendData(nullptr, n);
        }
        EXPECT_EQ(m.Capacity, c.capacity) << "step " << c.step;
    }
}

TEST(TMemoryObjectTest, AppendDataZeroFillsWithoutSourceAndRejectsNegativeCounts) {
    TMemoryObject m(4);
    m.AppendData("xy", 2);
    char* zeros = m.AppendData(nullptr, 3);
    EXPECT_EQ(Bytes(m), std::string("xy\0\0\0", 5));
    EXPECT_EQ(zeros, m.Data + 2);
    EXPECT_EQ(m.AppendData("z", -1), nullptr);
    EXPECT_EQ(m.Used, 5);
}

TEST(TMemoryObjectTest, AppendDataFromItsOwnBlockSurvivesReallocation) {
    TMemoryObject m(1);
    m.AppendData("abcdef", 6);
    for (int i = 0; i < 4; ++i) {
        m.AppendData(m.Data, m.Used); // the block moves while the source points into it
    }
    std::string expected = "abcdef";
    for (int i = 0; i < 4; ++i) {
        expected += expected;
    }
    EXPECT_EQ(Bytes(m), expected);
}

TEST(TMemoryObjectTest, CharacterAppendsAndSetUsed) {
    TMemoryObject m(8);
    EXPECT_FALSE(m.AppendString(nullptr));
    EXPECT_FALSE(m.AppendString(u""));
    EXPECT_FALSE(m.AppendChars(u"abc", 0));
    EXPECT_FALSE(m.AppendChars(u"abc", -1));
    EXPECT_FALSE(m.AppendChars(nullptr, 3));
    EXPECT_EQ(m.Used, 0);

    EXPECT_TRUE(m.AppendString(u"héllo"));
    EXPECT_TRUE(m.AppendChars(u"wxyz", 2));
    char* nul = m.AppendNul();
    EXPECT_EQ(Text(m), std::u16string(u"héllowx\0", 8));
    EXPECT_EQ(nul, m.Data + 14);

    EXPECT_TRUE(m.SetUsed(4));
    EXPECT_EQ(Text(m), u"hé");
    EXPECT_EQ(m.WritePos, m.Data + 4);
    EXPECT_FALSE(m.SetUsed(m.Capacity + 1));
    EXPECT_FALSE(m.SetUsed(-1));
    EXPECT_EQ(m.Used, 4);
}

TEST(TMemoryObjectTest, ResetAndAssign) {
    TMemoryObject a(16), b(4);
    a.AppendData("0123456789abcdefghij", 20);
    const int32_t capacity = a.Capacity;
    const char* data = a.Data;
    a.Assign(a);
    EXPECT_EQ(Bytes(a), "0123456789abcdefghij");
    EXPECT_EQ(a.Capacity, capacity);
    EXPECT_EQ(a.Data, data);

    b.AppendData("old", 3);
    EXPECT_EQ(&b.Assign(a), &b);
    EXPECT_EQ(Bytes(b), Bytes(a));

    b.Reset();
    EXPECT_EQ(b.Used, 0);
    EXPECT_EQ(b.Capacity, 4);
    EXPECT_EQ(b.WritePos, b.Data);
}

TEST(TMemoryObjectTest, WideFormatMuchLongerThanTheStepIsRetriedWithTheSameArguments) {
    const std::u16string wide(300, u'w');
    const std::string narrow(200, 'n');
    TMemoryObject m(16);
    m.AppendString(u"head:");
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(m.AppendFormat(u"%d|%s|%hs|%08X|%2.2f;", -42 - i, wide.c_str(), narrow.c_str(), 0xBEEFu,
                                   3.14159));
    }
    std::u16string expected = u"head:";
    for (const std::u16string_view number : {u"-42", u"-43", u"-44"}) {
        expected += std::u16string(number) + u"|" + wide + u"|" +
                    std::u16string(narrow.begin(), narrow.end()) + u"|0000BEEF|3.14;";
    }
    EXPECT_EQ(Text(m), expected);
    EXPECT_EQ(m.WritePos, m.Data + m.Used);
    EXPECT_GT(m.Capacity, m.Used);
}

TEST(TMemoryObjectTest, NarrowFormatMuchLongerThanTheStepIsRetriedWithTheSameArguments) {
    const std::string narrow(400, 'n');
    const std::u16string wide(100, u'é');
    TMemoryObject m(8);
    m.AppendData("head:", 5);
    ASSERT_TRUE(m.AppendFormatA("%d|%s|%ls|%08X|%2.2f", 7, narrow.c_str(), wide.c_str(), 255u, 2.5));
    EXPECT_EQ(Bytes(m), "head:7|" + narrow + "|" + plat::text::WideToAnsi(wide) + "|000000FF|2.50");
    EXPECT_EQ(m.WritePos, m.Data + m.Used);
}

TEST(TMemoryObjectTest, FormatsFromFilesAndShortFormats) {
    TMemoryObject m(64);
    EXPECT_TRUE(m.AppendFormat(plat::text::Runtime(u"[%s=%d]"), u"x", 5));
    EXPECT_TRUE(m.AppendFormat(u"%%"));
    EXPECT_FALSE(m.AppendFormat(plat::text::Runtime(static_cast<const char16_t*>(nullptr))));
    EXPECT_EQ(Text(m), u"[x=5]%");
    EXPECT_EQ(m.Capacity, 64); // fitted at the first attempt

    TMemoryObject a(64);
    EXPECT_TRUE(a.AppendFormatA(plat::text::Runtime("%s-%u"), "ab", 3u));
    EXPECT_EQ(Bytes(a), "ab-3");
}

TEST(TMemoryObjectTest, XmlEscapingInBothWidths) {
    struct Case {
        std::u16string_view text;
        bool keepQuotes;
        bool extended;
        std::u16string_view expected;
    };
    const Case cases[] = {
        {u"a<b>&c", false, false, u"a&lt;b&gt;&amp;c"},
        {u"say \"hi\"", false, false, u"say &quot;hi&quot;"},
        {u"say \"hi\"", true, false, u"say \"hi\""},
        {u"c:\\dir/f*|", false, false, u"c:\\dir/f*|"},
        {u"c:\\dir/f*|", false, true, u"c&col;&bkslash;dir&slash;f&ast;&bar;"},
        {u"&lt;", true, true, u"&amp;lt;"},
        {u"grüße €", false, true, u"grüße €"},
        {u"", false, true, u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(plat::text::WideToAnsi(c.text));
        TMemoryObject wide(4), narrow(4);
        wide.AppendXmlEscaped(std::u16string(c.text).c_str(), c.keepQuotes, c.extended);
        narrow.AppendXmlEscapedA(plat::text::WideToAnsi(c.text).c_str(), c.keepQuotes, c.extended);
        EXPECT_EQ(Text(wide), c.expected);
        EXPECT_EQ(Bytes(narrow), plat::text::WideToAnsi(c.expected));
    }
    TMemoryObject m(4);
    m.AppendXmlEscaped(nullptr, false, false);
    m.AppendXmlEscapedA(nullptr, false, false);
    EXPECT_EQ(m.Used, 0);
}

TEST(TMemoryObjectTest, LoadTextFileFixtures) {
    struct Case {
        const char* name;
        std::string bytes; // empty name: no file at all
        bool detect;
        bool result;
        std::u16string text;
        bool zeroAfter;
    };
    const std::u16string old = u"old";
    const Case cases[] = {
        {"mark only is ANSI", "\xFF\xFE", false, true, u"\uFFFD\uFFFD", true},
        {"mark and A",
         std::string("\xFF\xFE"
                     "A\0",
                     4),
         false, true, u"A", false},
        {"mark and odd byte",
         std::string("\xFF\xFE"
                     "A\0B",
                     5),
         true, true, u"A", false},
        {"mark keeps zeros",
         std::string("\xFF\xFE"
                     "A\0\0\0B\0",
                     8),
         false, true, std::u16string(u"A\0B", 3), false},
        {"UTF-8 as ANSI",
         "gr\xC3\xBC\xC3\x9F"
         "e",
         false, true, u"grüße", true},
        {"cut at zero byte", std::string("ab\0cd", 5), false, true, u"ab", true},
        {"zero byte first", std::string("\0cd", 3), false, false, u"", true},
        {"detect converts all", std::string("ab\0cd", 5), true, true, std::u16string(u"ab\0cd", 5), true},
        {"detect UTF-8",
         "Gr\xC3\xBC\xC3\x9F"
         "e aus K\xC3\xB6ln, d\xC3\xA9j\xC3\xA0 vu",
         true, true, u"Grüße aus Köln, déjà vu", true},
        {"empty file", "", false, false, u"", true},
        {"empty file detect", "", true, false, u"", true},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::u16string path = plat::text::AnsiToWide(dir.Write("f.txt", c.bytes));
        TMemoryObject m(16);
        SetText(m, old);
        EXPECT_EQ(m.LoadTextFile(path.c_str(), c.detect), c.result);
        EXPECT_EQ(Text(m), c.text);
        if (c.zeroAfter) {
            EXPECT_TRUE(ZeroCharAfterUsed(m));
        }
    }
    TMemoryObject m(16);
    SetText(m, old);
    EXPECT_FALSE(m.LoadTextFile(dir.WPath("missing.txt").c_str(), true));
    EXPECT_FALSE(m.LoadTextFile(nullptr, false));
    EXPECT_FALSE(m.LoadTextFile(dir.WPath("").c_str(), false)); // a folder cannot be read
    EXPECT_EQ(Text(m), old);
}

TEST(TMemoryObjectTest, CodePageConversions) {
    const std::string utf8 = "Gr\xC3\xBC\xC3\x9F"
                             "e aus K\xC3\xB6ln, d\xC3\xA9j\xC3\xA0 vu, \xE2\x82\xAC 5";
    const std::u16string wide = u"Grüße aus Köln, déjà vu, € 5";

    TMemoryObject m(8);
    uint32_t page = TMemoryObject::kDetectCodePage;
    EXPECT_TRUE(m.AppendMultiByte(&page, utf8.data(), static_cast<int32_t>(utf8.size()), false));
    EXPECT_EQ(page, plat::text::kCpUtf8);
    EXPECT_EQ(Text(m), wide);
    EXPECT_TRUE(ZeroCharAfterUsed(m));

    page = 1252;
    EXPECT_TRUE(m.AppendMultiByte(&page, "\x80", 1, true));
    EXPECT_EQ(Text(m), wide + u"€");
    EXPECT_EQ(page, 1252u);

    EXPECT_TRUE(m.AppendMultiByte(nullptr, "abc", 3, false));
    EXPECT_EQ(Text(m), u"abc");

    page = 12345; // no such code page: nothing changes
    EXPECT_FALSE(m.AppendMultiByte(&page, "xyz", 3, false));
    EXPECT_FALSE(m.AppendMultiByte(nullptr, "xyz", -1, false));
    EXPECT_FALSE(m.AppendMultiByte(nullptr, nullptr, 3, false));
    EXPECT_EQ(Text(m), u"abc");

    m.AppendAnsi("d\xC3\xA9", true);
    EXPECT_EQ(Text(m), u"abcdé");
    m.AppendAnsi("x", false);
    EXPECT_EQ(Text(m), u"x");
    EXPECT_TRUE(ZeroCharAfterUsed(m));
    m.AppendAnsi(nullptr, false);
    EXPECT_EQ(m.Used, 0);
}

TEST(TMemoryObjectTest, AppendAsMultiByteReplacesUnlessAppending) {
    TMemoryObject m(8);
    m.AppendData("keep", 4);
    EXPECT_TRUE(m.AppendAsMultiByte(u"é€", true, plat::text::kCpUtf8));
    EXPECT_EQ(Bytes(m), "keep\xC3\xA9\xE2\x82\xAC");
    EXPECT_TRUE(m.AppendAsMultiByte(u"ab", false, plat::text::kCpAcp));
    EXPECT_EQ(Bytes(m), "ab");
    EXPECT_FALSE(m.AppendAsMultiByte(u"zz", false, 12345));
    EXPECT_EQ(Bytes(m), "ab");
}

TEST(TMemoryObjectTest, SaveToFileWritesExactlyTheUsedBytes) {
    TempDir dir;
    TMemoryObject m(8);
    m.AppendData("\xFF\xFE", 2);
    m.AppendString(u"Zoë\r\n");
    const std::string path = dir.Path("out.txt");
    ASSERT_TRUE(m.SaveToFile(plat::text::AnsiToWide(path).c_str()));
    EXPECT_EQ(TempDir::Read(path), Bytes(m));

    TMemoryObject loaded(8);
    EXPECT_TRUE(loaded.LoadTextFile(plat::text::AnsiToWide(path).c_str(), false));
    EXPECT_EQ(Text(loaded), u"Zoë\r\n");

    ::chmod(path.c_str(), 0640);
    m.SetUsed(4);
    ASSERT_TRUE(m.SaveToFileA(path.c_str())); // replaces, keeping the permissions
    EXPECT_EQ(TempDir::Read(path), Bytes(m));
    struct stat st {};
    ::stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(dir.EntryCount(), 1u);
}

TEST(TMemoryObjectTest, SaveToFileFailuresLeaveNothingBehind) {
    TempDir dir;
    TMemoryObject m(8);
    m.AppendData("data", 4);
    dir.Write("file", "x");
    EXPECT_FALSE(m.SaveToFileA(dir.Path("missing/out.txt").c_str()));
    EXPECT_FALSE(m.SaveToFileA(dir.Path("file/out.txt").c_str())); // the parent is a file
    EXPECT_FALSE(m.SaveToFile(nullptr));
    EXPECT_FALSE(m.SaveToFileA(nullptr));
    EXPECT_EQ(dir.EntryCount(), 1u);
}

TEST(TMemoryObjectTest, FailedWriteKeepsTheOldFileIntact) {
    TempDir dir;
    const std::string path = dir.Write("settings.xml", "old content");
    TMemoryObject m(8);
    m.AppendData(nullptr, 100000);

    // A file size limit makes the write fail part way, as a full disk would.
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const bool saved_ok = m.SaveToFileA(path.c_str());
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    EXPECT_FALSE(saved_ok);
    EXPECT_EQ(TempDir::Read(path), "old content");
    EXPECT_EQ(dir.EntryCount(), 1u);
}

} // namespace
