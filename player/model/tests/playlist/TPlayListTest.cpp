#include "player/model/playlist/TPlayList.h"

#include "platform/text/CodePage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

namespace fs = std::filesystem;

namespace {

std::string FileBytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::u16string U16(const fs::path& path) {
    return plat::text::AnsiToWide(path.string());
}

class TPlayListTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tovplaylistXXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
    }
    void TearDown() override { fs::remove_all(folder_); }

    // Writes a playlist file as UTF-16LE with a byte-order mark.
    fs::path WriteWsx(const std::string& name, const std::u16string& text) {
        std::string bytes("\xFF\xFE", 2);
        for (const char16_t unit : text) {
            bytes.push_back(static_cast<char>(unit & 0xFF));
            bytes.push_back(static_cast<char>(unit >> 8));
        }
        const fs::path path = folder_ / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    static std::u16string Listing(std::initializer_list<std::u16string> sources) {
        std::u16string text = u"<?wsx version=\"1.0\"?>\r\n<smil>\r\n";
        for (const auto& source : sources) {
            text += u"\t<media id=\"\" src=\"" + source + u"\" mediaName=\"\" >\r\n\t</media>\r\n";
        }
        return text + u"</smil>\r\n";
    }

    static std::vector<std::u16string> Paths(TPlayList& list) {
        std::vector<std::u16string> paths;
        for (int32_t i = 0; i < list.Count(); ++i) {
            paths.push_back(list.GetItem(i, false)->Path);
        }
        return paths;
    }

    fs::path folder_;
};

TEST_F(TPlayListTest, WritesTheGoldenFileAndReadsItBack) {
    TPlayList list;
    list.AddFile(u"/media/a.avi", nullptr, 0, nullptr, 1, nullptr, false);
    list.AddFile(u"/media/b & <c> \"d\".mkv", u"/p/b.tovprf", 83450, u"x2", 2, nullptr, false);
    list.GetItem(1, false)->MediaName = u"Bee";
    list.SetCurrent(1);
    const fs::path saved = folder_ / "saved.wsx";
    ASSERT_TRUE(list.SaveToFile(U16(saved)));
    const std::string golden = FileBytes(fs::path(PLAYLIST_GOLDEN_FOLDER) / "TwoItems.wsx");
    EXPECT_EQ(FileBytes(saved), golden);

    TPlayList reread;
    reread.LoadFromFile(U16(saved));
    ASSERT_EQ(reread.Count(), 2);
    EXPECT_EQ(reread.GetCurrent(), 1);
    const TPlaylistItem* second = reread.GetItem(1, false);
    EXPECT_EQ(second->Path, u"/media/b & <c> \"d\".mkv");
    EXPECT_EQ(second->DisplayName, u"b & <c> \"d\".mkv");
    EXPECT_EQ(second->MediaName, u"Bee");
    EXPECT_EQ(second->Id, u"x2");
    EXPECT_EQ(second->ProfileFile, u"/p/b.tovprf");
    EXPECT_EQ(second->ProfileTitle, 2);
    EXPECT_EQ(second->Duration, 83450);
    const TPlaylistItem* first = reread.GetItem(0, false);
    EXPECT_EQ(first->MediaName, u"a.avi");
    EXPECT_EQ(first->ProfileTitle, 1);
    EXPECT_EQ(first->Duration, 0);
    EXPECT_EQ(reread.FileName(), U16(saved));

    EXPECT_FALSE(list.SaveToFile(u"/nonexistent/folder/list.wsx"));
    EXPECT_EQ(list.Count(), 2);
}

TEST_F(TPlayListTest, AwkwardFileNamesRoundTrip) {
    // Every character a Linux file name may hold that XML, the file format or the path rules treat
    // specially, and text beyond the basic plane.
    const std::u16string names[] = {
        u"/m/a&b.avi",
        u"/m/&amp;.avi",
        u"/m/<x>.avi",
        u"/m/\"q\".avi",
        u"/m/'s'.avi",
        u"/m/tab\there.avi",
        u"/m/new\nline.avi",
        u"/m/cr\rhere.avi",
        u"/m/back\\slash.avi",
        u"/m/ lead and trail .avi",
        u"/m/=?*|:;#%!.avi",
        u"/m/\x01\x1f.avi",
        u"/m/\u00e9\u4e2d\U0001F600.avi",
        u"/m/-dash.avi",
        u"/m/&lt;;&#38;.avi",
        u"/m/]]>.avi",
    };
    TPlayList list;
    for (const auto& name : names) {
        list.AddFile(name.c_str(), name.c_str(), 10, name.c_str(), 3, nullptr, false);
    }
    const fs::path saved = folder_ / "awkward.wsx";
    ASSERT_TRUE(list.SaveToFile(U16(saved)));
    TPlayList reread;
    reread.LoadFromFile(U16(saved));
    ASSERT_EQ(reread.Count(), static_cast<int32_t>(std::size(names)));
    for (int32_t i = 0; i < reread.Count(); ++i) {
        const TPlaylistItem* item = reread.GetItem(i, false);
        EXPECT_EQ(item->Path, names[i]) << i;
        EXPECT_EQ(item->Id, names[i]) << i;
        EXPECT_EQ(item->ProfileFile, names[i]) << i;
    }
}

TEST_F(TPlayListTest, ReadsOnlyPlaylistsWithTheirDeclaration) {
    struct Case {
        std::u16string text;
        int32_t count;
        int32_t current;
    };
    const Case cases[] = {
        {u"<smil><media src=\"/a.avi\"/></smil>", 0, -1},
        {u"<?wsx version=\"1.0\"?><smil></smil>", 0, -1},
        {u"<?wsx version=\"1.0\"?><SMIL><MEDIA SRC=\"/a.avi\"></MEDIA><media id=\"no src\"></media></SMIL>",
         1, 0},
        {u"<?WSX version=\"1.0\"?>\r\n<smil><media src=\"/a.avi\"/></smil><other/>", 0, -1},
        {u"<?wsx?><smil><media src=\"/a.avi\"/><media src=\"\"/><media src=\"/b\"/><LastPos "
         u"NO=\"7\"/></smil>",
         2, 1},
        {u"<?wsx?><smil><media src=\"/a\"/><media src=\"/b\"/><lastpos no=\"-3\"/></smil>", 2, 0},
        {u"<?wsx?><smil><media src=\"/a.avi", 0, -1},
        {u"", 0, -1},
    };
    for (const Case& c : cases) {
        TPlayList list;
        list.AddFile(u"/kept-before-load.avi", nullptr, 0, nullptr, 1, nullptr, false);
        list.LoadFromFile(U16(WriteWsx("case.wsx", c.text)));
        EXPECT_EQ(list.Count(), c.count) << std::string(c.text.begin(), c.text.end());
        EXPECT_EQ(list.GetCurrent(), c.current) << std::string(c.text.begin(), c.text.end());
    }
    TPlayList missing;
    missing.LoadFromFile(U16(folder_ / "missing.wsx"));
    EXPECT_EQ(missing.Count(), 0);
}

TEST_F(TPlayListTest, ReadsAnsiTextAndSkipsOverlongSources) {
    const fs::path ansi = folder_ / "ansi.tovwsx";
    std::ofstream(ansi, std::ios::binary)
        << "<?wsx version=\"1.0\"?>\r\n<smil>\r\n"
        << "<media src=\"/m/\xc3\xa9t\xc3\xa9.avi\" dur=\"0:00:01.5\"/>\r\n"
        << "<media src=\"/" << std::string(TPlayList::kMaxValue, 'x') << "\"/>\r\n"
        << "</smil>\r\n";
    TPlayList list;
    list.LoadFromFile(U16(ansi));
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.GetItem(0, false)->Path, u"/m/\u00e9t\u00e9.avi");
    EXPECT_EQ(list.GetItem(0, false)->Duration, 1500);
}

TEST_F(TPlayListTest, NestedPlaylistsExpandOnce) {
    const fs::path a = folder_ / "a.wsx";
    const fs::path b = folder_ / "b.WSX";
    WriteWsx("a.wsx", Listing({u"/m/1.avi", U16(b), u"/m/2.avi"}));
    WriteWsx("b.WSX", Listing({u"/m/b1.avi", U16(a), U16(folder_ / "." / "b.WSX"), u"/m/b2.avi"}));
    TPlayList list;
    list.LoadFromFile(U16(a));
    EXPECT_EQ(Paths(list),
              (std::vector<std::u16string>{u"/m/1.avi", u"/m/b1.avi", u"/m/b2.avi", u"/m/2.avi"}));

    // A link to the list itself is the same file.
    fs::create_symlink(a, folder_ / "link.tovwsx");
    WriteWsx("c.wsx", Listing({u"/m/c.avi", U16(folder_ / "link.tovwsx")}));
    TPlayList self;
    self.LoadFromFile(U16(folder_ / "c.wsx"));
    EXPECT_EQ(self.Count(), 5);
    TPlayList direct;
    EXPECT_EQ(direct.AddFile(U16(a).c_str(), nullptr, 0, nullptr, 1, nullptr, false), 1);
    EXPECT_EQ(direct.Count(), 4);
}

TEST_F(TPlayListTest, RelativeEntriesAreFoundFromTheListsOwnFolder) {
    fs::create_directories(folder_ / "lists" / "inner");
    WriteWsx("lists/inner/nested.wsx", Listing({u"n.avi"}));
    WriteWsx("lists/films.wsx", Listing({u"a.avi", u"../b.mkv", u"sub\\c.mp4", u"/abs/d.avi",
                                         u"http://host/e.avi", u"inner/nested.wsx"}));
    TPlayList list;
    list.LoadFromFile(U16(folder_ / "lists" / "films.wsx"));
    const std::string lists = (folder_ / "lists").string();
    EXPECT_EQ(Paths(list), (std::vector<std::u16string>{U16(lists + "/a.avi"), U16(folder_ / "b.mkv"),
                                                        U16(lists + "/sub/c.mp4"), u"/abs/d.avi",
                                                        u"http://host/e.avi", U16(lists + "/inner/n.avi")}));
}

TEST_F(TPlayListTest, CurrentIndexNormalisesWithAndWithoutRepeat) {
    TPlayList list;
    EXPECT_EQ(list.GetCurrent(), -1);
    EXPECT_EQ(list.Next(), -1);
    for (const char16_t* path : {u"/a.avi", u"/b.avi", u"/c.avi"}) {
        list.AddFile(path, nullptr, 0, nullptr, 1, nullptr, false);
    }
    struct Case {
        bool repeat;
        int32_t from;
        int32_t (TPlayList::*move)();
        int32_t expected;
    };
    const Case cases[] = {
        {false, 2, &TPlayList::Next, 2}, {true, 2, &TPlayList::Next, 0},  {false, 0, &TPlayList::Prev, 0},
        {true, 0, &TPlayList::Prev, 2},  {false, 1, &TPlayList::Next, 2}, {true, 1, &TPlayList::Prev, 0},
        {false, 1, &TPlayList::Last, 2}, {true, 2, &TPlayList::First, 0},
    };
    for (const Case& c : cases) {
        list.Repeat = c.repeat;
        list.SetCurrent(c.from);
        EXPECT_EQ((list.*c.move)(), c.expected) << c.repeat << " from " << c.from;
    }
    list.Repeat = false;
    EXPECT_EQ(list.SetCurrent(9), 2);
    EXPECT_EQ(list.SetCurrent(-5), 0);
    list.Repeat = true;
    EXPECT_EQ(list.SetCurrent(3), 0);
    EXPECT_EQ(list.SetCurrent(-1), 2);
    EXPECT_EQ(list.GetItem(-1, false)->Path, u"/c.avi");
    EXPECT_EQ(list.GetItem(7, true), nullptr);
    EXPECT_EQ(list.GetCurrent(), 0); // 7 wraps with repeat
    EXPECT_EQ(list.GetItem(1, true)->Path, u"/b.avi");
    EXPECT_EQ(list.GetCurrent(), 1);
}

TEST_F(TPlayListTest, MoveDeleteAndLookUp) {
    TPlayList list;
    for (const char16_t* path : {u"/A", u"/B", u"/C"}) {
        list.AddFile(path, nullptr, 0, nullptr, 1, nullptr, false);
    }
    EXPECT_TRUE(list.Move(0, 2));
    EXPECT_EQ(Paths(list), (std::vector<std::u16string>{u"/B", u"/C", u"/A"}));
    EXPECT_TRUE(list.Move(2, 0));
    EXPECT_EQ(Paths(list), (std::vector<std::u16string>{u"/A", u"/B", u"/C"}));
    EXPECT_FALSE(list.Move(1, 1));
    EXPECT_FALSE(list.Move(0, 3));
    EXPECT_FALSE(list.Move(-1, 0));
    EXPECT_EQ(list.GetItem(2, false)->Index, 3);
    list.AddFile(u"/Z", nullptr, 0, nullptr, 1, nullptr, true);
    EXPECT_EQ(list.IndexOf(u"/Z"), 0);
    EXPECT_EQ(list.IndexOf(u"/C"), 3);
    EXPECT_EQ(list.IndexOf(u"/c"), -1);
    EXPECT_EQ(list.IndexOf(nullptr), -1);
    list.SetItemProfile(0, u"/p.tovprf", 0);
    list.SetItemProfile(0, nullptr, 4);
    list.SetItemProfile(9, u"/ignored", 4);
    EXPECT_EQ(list.GetItem(0, false)->ProfileFile, u"/p.tovprf");
    EXPECT_EQ(list.GetItem(0, false)->ProfileTitle, 4);
    EXPECT_FALSE(list.Delete(4));
    EXPECT_TRUE(list.Delete(1));
    EXPECT_EQ(Paths(list), (std::vector<std::u16string>{u"/Z", u"/B", u"/C"}));
    EXPECT_EQ(list.AddFile(nullptr, nullptr, 0, nullptr, 1, nullptr, false), 0);
    EXPECT_TRUE(list.Delete(-1));
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.GetCurrent(), -1);
}

TEST_F(TPlayListTest, NamesOfAnAddedFile) {
    TPlayList list;
    list.AddFile(u"relative/clip.avi", nullptr, 0, nullptr, 1, nullptr, false);
    list.AddFile(u"/folder/", nullptr, 0, nullptr, 1, nullptr, false);
    list.AddFile(u"C:\\Films\\old.avi", nullptr, 0, nullptr, 1, nullptr, false);
    EXPECT_EQ(list.GetItem(0, false)->DisplayName, u"clip.avi");
    EXPECT_EQ(list.GetItem(0, false)->MediaName, u"clip.avi");
    EXPECT_EQ(list.GetItem(1, false)->DisplayName, u"/folder/");
    EXPECT_EQ(list.GetItem(1, false)->MediaName, u"");
    EXPECT_EQ(list.GetItem(2, false)->DisplayName, u"old.avi");
}

TEST_F(TPlayListTest, ShuffleDrawsFromOneGeneratorAndNeverRepeatsTheCurrentItem) {
    int64_t clockReads = 0;
    TPlayList list(TPlayList::ClockSeededRandom([&clockReads] {
        ++clockReads;
        return int64_t{1700000000}; // every draw falls in the same second
    }));
    for (int i = 0; i < 6; ++i) {
        list.AddFile((u"/" + std::u16string(1, static_cast<char16_t>(u'a' + i))).c_str(), nullptr, 0, nullptr,
                     1, nullptr, false);
    }
    list.Shuffle = true;
    std::set<int32_t> seen;
    int32_t previous = list.GetCurrent();
    for (int i = 0; i < 60; ++i) {
        const int32_t drawn = i % 2 == 0 ? list.Next() : list.Prev();
        EXPECT_NE(drawn, previous);
        EXPECT_GE(drawn, 0);
        EXPECT_LT(drawn, 6);
        seen.insert(drawn);
        previous = drawn;
    }
    EXPECT_EQ(seen.size(), 6u);
    EXPECT_EQ(clockReads, 1);

    uint32_t next = 0;
    TPlayList fixed([&next] { return next++; });
    fixed.AddFile(u"/only", nullptr, 0, nullptr, 1, nullptr, false);
    fixed.Shuffle = true;
    EXPECT_EQ(fixed.Next(), 0);
    TPlayList empty([&next] { return next++; });
    EXPECT_EQ(empty.RandomIndex(), -1);
}

} // namespace
