// The file's type from the extension table, the companion profile beside a media file, and the
// history of opened files with its file.
#include "player/ui/TFileTypes.h"
#include "player/ui/TPlayHistory.h"

#include "platform/text/CodePage.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

const std::vector<TExtensionEntry> kTable = {{u".zds", false, false, 0}, {u".ds", false, false, 0},
                                             {u".avi", false, true, 1},  {u".mp3", false, true, 2},
                                             {u".iso", false, true, 3},  {u".tovwsx", false, true, 4},
                                             {u".AVI", false, true, 2}};

class TempFolder : public testing::Test {
protected:
    void TearDown() override { fs::remove_all(folder_); }
    std::u16string Touch(const std::string& name) const {
        fs::create_directories(folder_);
        std::ofstream(folder_ / name) << "x";
        return plat::text::AnsiToWide((folder_ / name).string());
    }

    fs::path folder_ = fs::temp_directory_path() / ("tovrin-types-" + std::to_string(getpid()));
};

TEST(FileTypesTest, TheExtensionIsTheLastDotAmongTheLastTenCharactersOfTheName) {
    struct Row {
        std::u16string file, extension;
    };
    for (const Row& row :
         {Row{u"/m/movie.avi", u".avi"}, Row{u"/m/movie.backup.zds", u".zds"},
          Row{u"/m/a.123456789", u".123456789"}, Row{u"/m/a.1234567890", u""}, Row{u"/m.old/movie", u""},
          Row{u"C:\\m.d\\movie", u""}, Row{u"movie", u""}, Row{u"", u""}}) {
        EXPECT_EQ(TFileTypes::ExtensionOf(row.file), row.extension) << plat::text::WideToAnsi(row.file);
    }
}

TEST(FileTypesTest, TheFirstEntryWithTheExtensionInAnyCaseGivesTheType) {
    EXPECT_EQ(TFileTypes::GetFileType(kTable, u".AvI"), TFileTypes::kVideo);
    EXPECT_EQ(TFileTypes::GetFileType(kTable, u".ZDS"), TFileTypes::kProfile);
    EXPECT_EQ(TFileTypes::GetFileType(kTable, u".mkv"), TFileTypes::kNoType);
    EXPECT_EQ(TFileTypes::GetFileType(kTable, u""), TFileTypes::kNoType);
    EXPECT_EQ(TFileTypes::GetFileType({}, u".avi"), TFileTypes::kNoType);
}

TEST_F(TempFolder, TheCompanionProfileIsTheFirstProfileNamedLikeTheMedia) {
    struct Row {
        const char* media;
        std::vector<const char*> beside;
        const char* profile; // nullptr: none
    };
    const Row rows[] = {
        {"movie.avi", {"movie.zds", "movie.txt"}, "movie.zds"},
        {"movie.avi", {"movie.txt", "movies.zds", "other.zds"}, nullptr},
        {"movie.avi", {"movie.fr.zds", "movie.en.ds"}, "movie.en.ds"}, // first in name order
        {"movie.avi", {"MOVIE.ZDS"}, "MOVIE.ZDS"},
        {"a*b.avi", {"aXb.zds"}, nullptr}, // mask characters in the name stand for themselves
        {"a?b.avi", {"a?b.zds"}, "a?b.zds"},
        {"take [1].avi", {"take 1.zds", "take [1].zds"}, "take [1].zds"},
        {"noextension", {"noextension.zds"}, "noextension.zds"},
    };
    for (const Row& row : rows) {
        fs::remove_all(folder_);
        const std::u16string media = Touch(row.media);
        for (const char* name : row.beside) {
            Touch(name);
        }
        const std::u16string expected =
            row.profile != nullptr ? plat::text::AnsiToWide((folder_ / row.profile).string()) : u"";
        EXPECT_EQ(TFileTypes::FindCompanionProfile(kTable, media), expected) << row.media;
    }
}

TEST_F(TempFolder, TheHistoryKeepsTwentyFiveFilesNewestFirstAndItsFile) {
    const std::string folder = (folder_ / "Playlist").string() + "/";
    int changes = 0;
    {
        TPlayHistory history(folder);
        history.SetOnChanged([&] { ++changes; });
        history.Add(u"/m/a.avi", u"/m/a.zds", 255);
        history.Add(u"/m/a.avi", u"", -1); // the newest already: kept once
        EXPECT_EQ(history.Count(), 1);
        EXPECT_EQ(changes, 2);
        history.Add(u"/m/b.avi", u"", -1);
        history.Add(u"/m/a.avi", u"", -1); // not the newest: it comes to the front again
        EXPECT_EQ(history.Count(), 3);
        for (int i = 0; i < 30; ++i) {
            history.Add(u"/m/f" + plat::text::AnsiToWide(std::to_string(i)) + u".avi", u"/m/p.zds", 7);
        }
        ASSERT_EQ(history.Count(), TPlayHistory::kMaxEntries);
        EXPECT_EQ(history.Entry(0)->Path, u"/m/f29.avi");
        EXPECT_EQ(history.Entry(24)->Path, u"/m/f5.avi");
        EXPECT_EQ(history.Entry(25), nullptr);
        EXPECT_EQ(history.Entry(-1), nullptr);
    }
    TPlayHistory reloaded(folder);
    reloaded.Load();
    ASSERT_EQ(reloaded.Count(), TPlayHistory::kMaxEntries);
    EXPECT_EQ(reloaded.Entry(0)->Path, u"/m/f29.avi");
    EXPECT_EQ(reloaded.Entry(0)->ProfileFile, u"/m/p.zds");
    EXPECT_EQ(reloaded.Entry(0)->ProfileTitle, 7);
    reloaded.Clear();
    TPlayHistory cleared(folder);
    cleared.Load();
    EXPECT_EQ(cleared.Count(), 0);
}

TEST_F(TempFolder, AHistoryThatCannotBeReadOrWrittenIsKeptInMemory) {
    // A folder where the file should be: it can be neither read nor replaced.
    fs::create_directories(folder_ / TPlayHistory::kFileName);
    TPlayHistory history(folder_.string() + "/");
    history.Load();
    EXPECT_EQ(history.Count(), 0);
    history.Add(u"/m/a.avi", u"", 1);
    EXPECT_EQ(history.Count(), 1);
    EXPECT_TRUE(fs::is_directory(folder_ / TPlayHistory::kFileName));
}

} // namespace
