#include "platform/text/Path.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace plat::text::path {
namespace {

namespace fs = std::filesystem;

TEST(PathTest, SplitNormalizeAndJoin) {
    EXPECT_EQ(Split("a\\b//c"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(Split("/x/"), (std::vector<std::string>{"x"}));
    EXPECT_TRUE(Split("\\/\\").empty());

    struct Case {
        std::string_view base;
        std::string_view relative;
        std::string_view joined;
    };
    const Case joins[] = {
        {"a", "b", "a/b"},
        {"a\\", "b\\c", "a/b/c"},
        {"a//", "//b", "/b"}, // an absolute second part wins
        {"/base", "C:\\x\\y", "C:/x/y"},
        {"", "b", "b"},
        {"a", "", "a"},
        {"\\\\srv\\\\share", "f", "/srv/share/f"},
    };
    for (const Case& c : joins) {
        SCOPED_TRACE(std::string(c.base) + " + " + std::string(c.relative));
        EXPECT_EQ(Join(c.base, c.relative), c.joined);
    }
    EXPECT_EQ(Normalize("a\\\\b//c/"), "a/b/c/");
    EXPECT_EQ(Normalize("\\x"), "/x");
}

TEST(PathTest, Absolute) {
    for (const std::string_view p : {"/x", "\\x", "C:\\x", "c:/x", "D:"}) {
        EXPECT_TRUE(IsAbsolute(p)) << p;
    }
    for (const std::string_view p : {"", "x", "x/y", "c:x", "1:/x"}) {
        EXPECT_FALSE(IsAbsolute(p)) << p;
    }
}

TEST(PathTest, NameFolderAndExtension) {
    struct Case {
        std::string_view path;
        std::string_view name;
        std::string_view folder;
        std::string_view extension;
        std::string_view stripped;
    };
    const Case cases[] = {
        {"dir/name.ext", "name.ext", "dir", ".ext", "dir/name"},
        {"dir.d/file", "file", "dir.d", "", "dir.d/file"},
        {"a\\b\\c.tar.gz", "c.tar.gz", "a\\b", ".gz", "a\\b\\c.tar"},
        {".hidden", ".hidden", "", "", ".hidden"},
        {"dir/.hidden", ".hidden", "dir", "", "dir/.hidden"},
        {"dir/.hidden.txt", ".hidden.txt", "dir", ".txt", "dir/.hidden"},
        {"file.", "file.", "", ".", "file"},
        {"/file.txt", "file.txt", "/", ".txt", "/file"},
        {"a//b.c", "b.c", "a", ".c", "a//b"},
        {"dir/", "", "dir", "", "dir/"},
        {"noext", "noext", "", "", "noext"},
        {"", "", "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.path));
        EXPECT_EQ(FileName(c.path), c.name);
        EXPECT_EQ(Folder(c.path), c.folder);
        EXPECT_EQ(Extension(c.path), c.extension);
        EXPECT_EQ(StripExtension(c.path), c.stripped);
    }
}

class FindNoCaseTest : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "findnocase-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        fs::create_directories(root_ + "/Data/Skins");
        for (const char* file : {"/Data/Skins/Blue.INI", "/Readme.txt", "/README.TXT", "/readme.TXT"}) {
            std::ofstream(root_ + file) << "x";
        }
    }
    void TearDown() override { fs::remove_all(root_); }

    std::string root_;
};

TEST_F(FindNoCaseTest, MatchesEachComponentWithoutRegardToCase) {
    struct Case {
        std::string_view relative;
        std::optional<std::string> found;
    };
    const std::string blue = root_ + "/Data/Skins/Blue.INI";
    const Case cases[] = {
        {"data/skins/blue.ini", blue},
        {"DATA\\SKINS\\BLUE.ini", blue},
        {"./Data//skins/./../SKINS/blue.ini", blue},
        {"Readme.txt", root_ + "/Readme.txt"}, // the exact name wins
        {"readme.txt", root_ + "/README.TXT"}, // else the first name in byte order
        {"", root_},
        {"data/skins/", root_ + "/Data/Skins"},
        {"data/missing.ini", std::nullopt},
        {"data/skins/blue.ini/more", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.relative));
        EXPECT_EQ(FindNoCase(root_, c.relative), c.found);
    }
}

TEST_F(FindNoCaseTest, AbsolutePathsAndParentsOfTheStart) {
    EXPECT_EQ(FindNoCase("/nonexistent-start", root_ + "/DATA/skins"), root_ + "/Data/Skins");
    const std::string leaf = fs::path(root_).filename().string();
    EXPECT_EQ(FindNoCase(root_ + "/Data", "../../" + leaf + "/data"),
              root_ + "/Data/../../" + leaf + "/Data");
    EXPECT_EQ(FindNoCase(root_ + "/missing", "x"), std::nullopt);
    EXPECT_EQ(FindNoCase(root_ + "/missing", ""), std::nullopt);
}

} // namespace
} // namespace plat::text::path
