#include "core/src/filters/TMeritUndoLog.h"

#include "FilterTestFolder.h"
#include "foundation/FileIo.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

namespace {

std::string Utf16Le(std::u16string_view text) {
    std::string bytes;
    for (const char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

std::string FileBytes(const std::string& path) {
    std::string bytes;
    fileio::ReadWholeFile(path.c_str(), bytes);
    return bytes;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(TMeritUndoLogTest, AppendsExactLinesAndReadsThemBack) {
    struct Case {
        TMeritUndoEntry entry;
        std::u16string_view line;
    };
    const Case cases[] = {
        {TMeritUndoEntry::ByName(u"@device:sw:{A}\\{B}", 6291456),
         u"<CHANGEMERIT DisplayName=\"@device:sw:{A}\\{B}\" Merit=\"6291456\"/>\r\n"},
        {TMeritUndoEntry::ByClsid(u"{C}", u"{D}", 4294967295u),
         u"<CHANGEMERIT Clsid=\"{D}\" Category=\"{C}\" Merit=\"-1\"/>\r\n"},
        {TMeritUndoEntry::ByName(u"a\"<&>b", 0),
         u"<CHANGEMERIT DisplayName=\"a&quot;&lt;&amp;&gt;b\" Merit=\"0\"/>\r\n"},
    };
    for (const Case& c : cases) {
        FilterTestFolder folder;
        const TMeritUndoLog log(folder.Path());
        ASSERT_TRUE(log.Append(c.entry));
        EXPECT_EQ(FileBytes(folder.File("TOVUNDO.LOG")), Utf16Le(c.line));
        const auto entries = log.Read();
        ASSERT_TRUE(entries);
        ASSERT_EQ(entries->size(), 1u);
        EXPECT_EQ(entries->front(), c.entry);
    }
}

TEST(TMeritUndoLogTest, KeepsFileOrderAndAppendsToAnExistingLog) {
    FilterTestFolder folder;
    const TMeritUndoLog log(folder.Path() + "/");
    const TMeritUndoEntry first = TMeritUndoEntry::ByName(u"x", 1);
    const TMeritUndoEntry second = TMeritUndoEntry::ByName(u"x", 0);
    ASSERT_TRUE(log.Append(first));
    ASSERT_TRUE(TMeritUndoLog(folder.Path()).Append(second));
    EXPECT_EQ(log.Read(), (std::vector<TMeritUndoEntry>{first, second}));
    EXPECT_TRUE(log.Remove());
    EXPECT_FALSE(log.Read());
    EXPECT_FALSE(log.Remove());
}

TEST(TMeritUndoLogTest, AFolderOfMoreThan248CharactersDisablesTheLog) {
    FilterTestFolder folder;
    const std::string base = folder.Path() + "/";
    const std::string exact = base + std::string(TMeritUndoLog::kMaxFolderLength - base.size(), 'd');
    const std::string longer = exact + "e";
    std::filesystem::create_directories(longer);
    EXPECT_TRUE(TMeritUndoLog(exact + "/").Path().empty()); // 249 with the separator
    EXPECT_FALSE(TMeritUndoLog(exact).Path().empty());
    const TMeritUndoLog disabled(longer);
    EXPECT_FALSE(disabled.Append(TMeritUndoEntry::ByName(u"x", 1)));
    EXPECT_FALSE(disabled.Read());
    EXPECT_FALSE(std::filesystem::exists(longer + "/TOVUNDO.LOG"));
}

TEST(TMeritUndoLogTest, HostileContentGivesOnlyTheEntriesThatParse) {
    const std::string valid = Utf16Le(u"<CHANGEMERIT DisplayName=\"ok\" Merit=\"7\"/>\r\n");
    const std::vector<TMeritUndoEntry> good = {TMeritUndoEntry::ByName(u"ok", 7)};
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<TMeritUndoEntry> entries;
    };
    const Case cases[] = {
        {"a byte-order mark and half a character", std::string("\xFF\xFE\x00", 3), {}},
        {"a merit that is no number", Utf16Le(u"<CHANGEMERIT DisplayName=\"a\" Merit=\"abc\"/>\r\n") + valid,
         good},
        {"a merit beyond 32 bits and an entry without one",
         Utf16Le(u"<CHANGEMERIT DisplayName=\"a\" Merit=\"99999999999\"/><CHANGEMERIT Clsid=\"c\"/>") + valid,
         good},
        {"another element and an empty name without a class id",
         Utf16Le(u"<OTHER DisplayName=\"a\" Merit=\"1\"/><CHANGEMERIT DisplayName=\"\"Merit=\"1\"/>") + valid,
         good},
        {"a line of markup debris and an odd byte after", Utf16Le(u"<<<\"&&&\r\n") + valid + "\x01", good},
        {"debris glued to an entry spoils that line only", Utf16Le(u"<<<\"&&&") + valid + valid, good},
        {"a declaration left open", Utf16Le(u"<?xml version=\"1.0\"?>\r\n") + valid, good},
        {"an entry left open",
         Utf16Le(u"<CHANGEMERIT DisplayName=\"open\" Merit=\"1\">\r\n") + valid,
         {TMeritUndoEntry::ByName(u"open", 1), TMeritUndoEntry::ByName(u"ok", 7)}},
        {"good entries around a bad one",
         valid + Utf16Le(u"<CHANGEMERIT Category=\"{C}\" Merit=\"-1\"/>\r\n") +
             Utf16Le(u"<CHANGEMERIT Clsid=\"{D}\" Category=\"{C}\" Merit=\"-1\"/>\r\n"),
         {TMeritUndoEntry::ByName(u"ok", 7), TMeritUndoEntry::ByClsid(u"{C}", u"{D}", 0xFFFFFFFFu)}},
    };
    for (const Case& c : cases) {
        FilterTestFolder folder;
        WriteBytes(folder.File("TOVUNDO.LOG"), c.bytes);
        EXPECT_EQ(TMeritUndoLog(folder.Path()).Read(), c.entries) << c.name;
    }
}

TEST(TMeritUndoLogTest, AnUnreadableLogReadsAsNone) {
    FilterTestFolder folder;
    std::filesystem::create_directory(folder.File("TOVUNDO.LOG"));
    EXPECT_FALSE(TMeritUndoLog(folder.Path()).Read());
    EXPECT_FALSE(TMeritUndoLog(folder.Path()).Append(TMeritUndoEntry::ByName(u"x", 0)));
}

} // namespace
