#include "platform/shell/FileMask.h"

#include "foundation/tests/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using plat::shell::FindMatches;
using plat::shell::MatchesMask;

TEST(FileMask, WindowsMaskRules) {
    struct Row {
        const char* name;
        const char* mask;
        bool matches;
    };
    const Row rows[] = {
        {"a.tmp", "*.TMP", true},
        {"A.TMP", "*.tmp", true},
        {"a.tmpx", "*.tmp", false},
        {"readme", "*.*", true},
        {"a.b.c", "*.*", true},
        {".hidden", "*.*", true},
        {"readme", "readme.*", true},
        {"readme.txt", "readme.*", true},
        {"readme.", "readme.*", true},
        {"a.b", "a.*", true},
        {"abc", "a?c", true},
        {"ac", "a?c", false},
        {"abbc", "a?c", false},
        {"ÉTÉ.txt", "été.*", true},
        {"日本.srt", "??.srt", true},
        {"a*b.txt", "a*b.txt", true},
        {"axxb.txt", "a*b.txt", true},
        {"a?b", "a?b", true},
        {"x", "", false},
        {"", "*", true},
        {"abc", "*c*", true},
        {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*a*a*a*a*c", false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(MatchesMask(row.name, row.mask), row.matches) << row.name << " / " << row.mask;
    }
}

TEST(FileMask, FindsNamesOfATreeInCaseInsensitiveOrder) {
    TempDir dir;
    for (const char* name : {"b.TMP", "a.tmp", "c.tmpx", "star*name.tmp", "quest?.tmp", "Ünï.tmp", "noext"}) {
        dir.Write(name, "x");
    }
    std::filesystem::create_directory(dir.Path("sub.tmp"));
    const auto found = FindMatches(dir.Path("*.tmp"), false);
    EXPECT_EQ(found.Folder, std::filesystem::path(dir.Path("x")).parent_path().string());
    EXPECT_EQ(found.Names,
              (std::vector<std::string>{"a.tmp", "b.TMP", "quest?.tmp", "star*name.tmp", "Ünï.tmp"}));
    EXPECT_EQ(FindMatches(dir.Path("*.tmp"), true).Names.size(), 6u);
    EXPECT_EQ(FindMatches(dir.Path("*.*"), false).Names.size(), 7u);
    EXPECT_EQ(FindMatches(dir.Path("star*name.tmp"), false).Names,
              (std::vector<std::string>{"star*name.tmp"}));
    EXPECT_TRUE(FindMatches(dir.Path("missing/*.*"), false).Names.empty());
    EXPECT_TRUE(FindMatches(dir.Path(""), false).Names.empty());
    // Backslashes separate folders as slashes do.
    EXPECT_EQ(FindMatches(dir.Path("") + "\\*.TMPX", false).Names, (std::vector<std::string>{"c.tmpx"}));
}

} // namespace
