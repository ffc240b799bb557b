#include "player/model/shell/ShellFiles.h"

#include "foundation/TMemoryObject.h"
#include "foundation/tests/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

std::vector<std::string> Names(const TempDir& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.Path(""))) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(ShellFiles, DeletingByMaskTakesOnlyTheMatchingFiles) {
    struct Row {
        const char* mask;
        std::vector<std::string> left;
    };
    const Row rows[] = {
        {"*.TMP", {"a.tmpx", "keep.txt", "noext", "sub.tmp", "Été.srt"}},
        {"*.*", {"sub.tmp"}},
        {"*.nothing", {"a.tmp", "a.tmpx", "b*?.tmp", "keep.txt", "noext", "sub.tmp", "Été.srt"}},
        {"b*?.tmp", {"a.tmp", "a.tmpx", "keep.txt", "noext", "sub.tmp", "Été.srt"}},
        {"ÉTÉ.*", {"a.tmp", "a.tmpx", "b*?.tmp", "keep.txt", "noext", "sub.tmp"}},
        {"noext.*", {"a.tmp", "a.tmpx", "b*?.tmp", "keep.txt", "sub.tmp", "Été.srt"}},
    };
    for (const Row& row : rows) {
        TempDir dir;
        for (const char* name : {"a.tmp", "a.tmpx", "b*?.tmp", "keep.txt", "noext", "Été.srt"}) {
            dir.Write(name, "x");
        }
        fs::create_directory(dir.Path("sub.tmp"));
        dir.Write("sub.tmp/inner.tmp", "x");
        DeleteFilesW(dir.WPath(row.mask).c_str());
        EXPECT_EQ(Names(dir), row.left) << row.mask;
        EXPECT_TRUE(fs::exists(dir.Path("sub.tmp/inner.tmp")));
    }
    DeleteFilesA(nullptr);
    DeleteFilesW(nullptr);
}

TEST(ShellFiles, ParentFoldersAreCreatedOneLevelDeep) {
    TempDir dir;
    CreateParentFolder(dir.WPath("new/file.dsi"));
    EXPECT_TRUE(fs::is_directory(dir.Path("new")));
    CreateParentFolder(dir.WPath("outer/inner/file.dsi"));
    EXPECT_FALSE(fs::exists(dir.Path("outer")));
    fs::create_directory(dir.Path("outer"));
    CreateParentFolder(dir.WPath("outer\\inner\\file.dsi"));
    EXPECT_TRUE(fs::is_directory(dir.Path("outer/inner")));
    const auto before = Names(dir);
    CreateParentFolder(u"file-without-folder.dsi");
    EXPECT_EQ(Names(dir), before);
}

TEST(ShellFiles, FileExistsTakesWildcardsLiterally) {
    TempDir dir;
    dir.Write("a*b.txt", "x");
    struct Row {
        const char* name;
        bool exists;
    };
    const Row rows[] = {
        {"a*b.txt", true}, {"a?b.txt", false}, {"*.txt", false}, {"axb.txt", false}, {"", true}};
    for (const Row& row : rows) {
        EXPECT_EQ(FileExistsW(dir.WPath(row.name).c_str()), row.exists) << row.name;
    }
    EXPECT_FALSE(FileExistsW(u""));
    EXPECT_FALSE(FileExistsW(nullptr));
}

TEST(ShellFiles, FindFirstMatchGivesTheFirstNameWithACountedTerminator) {
    TempDir dir;
    dir.Write("b.srt", "x");
    dir.Write("A.SRT", "x");
    TMemoryObject buffer(64);
    buffer.AppendString(u"stale");
    ASSERT_EQ(FindFirstMatch(dir.WPath("*.srt").c_str(), buffer), 1);
    EXPECT_EQ(std::u16string(buffer.Text(), static_cast<std::size_t>(buffer.TextLength())),
              std::u16string(u"A.SRT\0", 6));
    EXPECT_EQ(FindFirstMatch(dir.WPath("*.ssa").c_str(), buffer), 0);
    EXPECT_EQ(buffer.TextLength(), 0);
    EXPECT_EQ(FindFirstMatch(nullptr, buffer), 0);
}

TEST(ShellFiles, DvdFoldersHoldVideoTsDirectly) {
    TempDir dir;
    fs::create_directories(dir.Path("disc/VIDEO_TS"));
    fs::create_directories(dir.Path("lower/video_ts"));
    fs::create_directories(dir.Path("deeper/x/VIDEO_TS"));
    dir.Write("plain", "");
    fs::create_directories(dir.Path("file"));
    dir.Write("file/VIDEO_TS", "not a folder");
    struct Row {
        std::string folder;
        bool dvd;
    };
    const Row rows[] = {
        {dir.Path("disc"), true},     {dir.Path("disc/"), true},   {dir.Path("disc") + "\\", true},
        {dir.Path("lower"), true},    {dir.Path("deeper"), false}, {dir.Path("file"), false},
        {dir.Path("missing"), false}, {dir.Path("plain"), false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(IsDvdFolder(plat::text::AnsiToWide(row.folder).c_str()), row.dvd) << row.folder;
    }
    EXPECT_FALSE(IsDvdFolder(u""));
    EXPECT_FALSE(IsDvdFolder(nullptr));
}

} // namespace
