// Entry names: which names may become files below a folder or members of a new archive, and how
// stored names are decoded.
#include "subtitles/zip/ZipEntryName.h"

#include <gtest/gtest.h>

namespace {

struct NameCase {
    const char* Name;
    std::vector<std::string> Components; // empty: refused
};

TEST(ZipEntryName, KeepsNamesInsideTheFolder) {
    const std::vector<NameCase> cases = {
        {"a.txt", {"a.txt"}},
        {"dir/a.txt", {"dir", "a.txt"}},
        {"dir\\sub\\a.txt", {"dir", "sub", "a.txt"}},
        {"./dir//a.txt", {"dir", "a.txt"}},
        {"a..b/..c", {"a..b", "..c"}},
        {"dir/C:x", {"dir", "C:x"}},
        {"", {}},
        {".", {}},
        {"..", {}},
        {"../a.txt", {}},
        {"..\\a.txt", {}},
        {"dir/../../a.txt", {}},
        {"dir/..", {}},
        {"/etc/passwd", {}},
        {"\\a.txt", {}},
        {"//server/share/a.txt", {}},
        {"C:\\a.txt", {}},
        {"c:/a.txt", {}},
        {"C:a.txt", {}},
    };
    for (const NameCase& c : cases) {
        const auto components = zipname::SafeComponents(c.Name);
        EXPECT_EQ(components.value_or(std::vector<std::string>{}), c.Components) << c.Name;
    }
}

TEST(ZipEntryName, StoresNewNamesWithSlashes) {
    EXPECT_EQ(zipname::ForNewEntry("dir\\\\a.txt"), "dir/a.txt");
    EXPECT_EQ(zipname::ForNewEntry("folder/"), "folder/");
    EXPECT_EQ(zipname::ForNewEntry("ü.txt"), "ü.txt");
    EXPECT_EQ(zipname::ForNewEntry("\xc3.txt"), std::nullopt); // cut UTF-8 sequence
    EXPECT_EQ(zipname::ForNewEntry(std::string(259, 'a')), std::string(259, 'a'));
    EXPECT_EQ(zipname::ForNewEntry(std::string(260, 'a')), std::nullopt);
}

TEST(ZipEntryName, DecodesUtf8AndLegacyNames) {
    EXPECT_EQ(zipname::Decode("d\xc3\xa9j\xc3\xa0.txt", true), "déjà.txt");
    EXPECT_EQ(zipname::Decode("d\xc3\xa9j\xc3\xa0.txt", false), "déjà.txt"); // UTF-8 without the flag
    EXPECT_EQ(zipname::Decode("\x82t\x82.txt", false), "ét\xc3\xa9.txt");    // code page 437
    EXPECT_EQ(zipname::Decode("bad\xff", true), "bad\xef\xbf\xbd");
    EXPECT_EQ(zipname::Decode("dir\\a.txt", false), "dir/a.txt");
}

} // namespace
