// The language profile writer: byte-exact against the golden file (the two closing comment lines
// excepted), read back equal, and the "load:" lines of shared, modified and same-named scripts.
#include "subtitles/model/StyleRecordFields.h"
#include "subtitles/profiles/tests/LanguageFixture.h"
#include "subtitles/scripts/TScriptControl.h"

#include <filesystem>

namespace {

// The text without its last two lines (the free comment lines).
std::string WithoutClosingComments(const std::string& text) {
    std::size_t end = text.size();
    for (int line = 0; line < 3 && end != std::string::npos && end > 0; ++line) {
        end = text.rfind("\r\n", end - 1);
    }
    return text.substr(0, end == std::string::npos ? 0 : end);
}

class LanguageWriterTest : public LanguageTest {
protected:
    std::unique_ptr<TLanguage> LoadGolden() {
        // The scripts' only style is the "Default" the profile's own "Default" overwrites.
        WriteScript("movie.ssa", {1000, 30000, 61000}, "Default");
        WriteScript("extra, part.ssa", {120000, 150000}, "Default");
        std::filesystem::copy_file(GoldenPath("golden_language.ds"), Dir.Path("golden.ds"));
        auto language = PlainLanguage("golden.ds");
        EXPECT_TRUE(language->Load(nullptr, false));
        return language;
    }
};

TEST_F(LanguageWriterTest, GoldenFileIsWrittenBackByteForByte) {
    auto language = LoadGolden();
    EXPECT_TRUE(Errors().empty()) << Errors().front();
    const std::string golden = TempDir::Read(GoldenPath("golden_language.ds"));
    const std::string written = Written(*language);
    EXPECT_EQ(WithoutClosingComments(written), WithoutClosingComments(golden));
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'),
              std::count(golden.begin(), golden.end(), '\n'));
    EXPECT_TRUE(written.ends_with("\r\n"));
    // The closing lines are comments.
    const std::string tail = written.substr(WithoutClosingComments(written).size());
    EXPECT_TRUE(tail.starts_with("\r\n;")) << tail;
}

TEST_F(LanguageWriterTest, GoldenFileReadsIntoTheLanguage) {
    auto language = LoadGolden();
    EXPECT_EQ(language->CreatedBy, "Jane Doe");
    EXPECT_EQ(language->Version, "1.2");
    EXPECT_EQ(language->LastUpdate, "2026-12-01");
    ASSERT_EQ(language->Scripts.Count, 2);
    const TScriptControl& movie = *language->Scripts.Head->GetScript();
    const TScriptControl& extra = *language->Scripts.Tail->GetScript();
    EXPECT_EQ(movie.Events.Count, 3);
    EXPECT_EQ(extra.CodePage, 1252);
    EXPECT_EQ(extra.Advanced, "23.976"); // the plug-in settings come back
    ASSERT_EQ(language->Titles.Count, 2);
    const TTitle& one = *language->Titles.Head;
    const TTitle& two = *language->Titles.Tail;
    EXPECT_EQ(one.Number, 1);
    EXPECT_EQ(SelectionsOf(one), (std::vector<std::string>{"Opening@1000-60000>5000~0",
                                                           "-Extra scenes@120000-180000>60000~-100"}));
    // Negative times keep their sign.
    EXPECT_EQ(SelectionsOf(two), (std::vector<std::string>{"-Part two, with a comma@-1500-30000>600000~250",
                                                           "Select -@0-10000>-2000~0"}));
    EXPECT_EQ(one.Selects.Head->Script, &movie);
    EXPECT_EQ(one.Selects.Tail->Script, &extra);
    EXPECT_EQ(one.Selects.Tail->Info, 2);
    EXPECT_EQ(one.Selects.Tail->Index, 2);
    EXPECT_EQ(one.Selects.Head->Owner, &one);
    ASSERT_EQ(language->Styles.Count, 2);
    const TSubtitleStyleRecord& sign = language->Styles.Tail->Record;
    EXPECT_EQ(sign.backColour, 0x80000000u);
    EXPECT_EQ(sign.bold, -1);
    EXPECT_EQ(sign.spacing, 2);
    EXPECT_EQ(sign.borderStyle, 3);
    EXPECT_EQ(sign.alignment, 6);
    EXPECT_EQ(sign.marginV, 40);
}

// Written and read again, every selection comes back with its values and its number as info.
TEST_F(LanguageWriterTest, WrittenProfileReadsBackEqual) {
    auto language = LoadGolden();
    const std::string first = Written(*language);
    auto again = LoadText(first, "again.ds");
    EXPECT_EQ(Written(*again), first);
    for (const TTitle *a = language->Titles.Head, *b = again->Titles.Head; a && b; a = a->Next, b = b->Next) {
        EXPECT_EQ(SelectionsOf(*a), SelectionsOf(*b));
    }
    EXPECT_EQ(again->Scripts.Head->GetScript(),
              language->Scripts.Head->GetScript()); // shared through the pool
}

// Empty values ("Created By: ") and names padded with blanks read back as they were written.
TEST_F(LanguageWriterTest, EmptyValuesAndPaddedNamesSurviveTheRoundTrip) {
    WriteScript("a.ssa");
    auto language = LoadText("[Infos]\r\nCreated By: \r\nVersion:\r\n[Script]\r\nload: a.ssa\r\n"
                             "Select: 0:00:01.00,0:00:02.00,1,0:00:00.00,0,   padded name  \r\n"
                             "Select: 0:00:01.00,0:00:02.00,1,0:00:00.00,0,  \r\n");
    EXPECT_EQ(language->CreatedBy, "");
    EXPECT_EQ(language->Version, "");
    EXPECT_EQ(SelectionsOf(*language->Titles.Head),
              (std::vector<std::string>{"padded name@1000-2000>0~0", "Select -@1000-2000>0~0"}));
    const std::string first = Written(*language);
    EXPECT_NE(first.find("Created By: \r\nVersion: \r\n"), std::string::npos);
    auto again = LoadText(first, "again.ds");
    EXPECT_EQ(again->CreatedBy, "");
    EXPECT_EQ(Written(*again), first);
}

TEST_F(LanguageWriterTest, SelectionsOfOneScriptFollowItsLoadLineTitleOneFirst) {
    WriteScript("a.ssa");
    auto language = LoadText("[Script]\r\nload: a.ssa,SSA4,,0,0\r\n"
                             "Select: 0:00:02.00,0:00:03.00,1,0:00:00.00,0,second\r\nInfo: 2\r\n"
                             "Select: 0:00:03.00,0:00:04.00,2,0:00:00.00,0,third\r\n"
                             "Select: 0:00:01.00,0:00:02.00,1,0:00:00.00,0,first\r\nInfo: 1\r\n");
    const std::string written = Written(*language);
    const std::string expected =
        "[Script]\r\n\r\nload: a.ssa,SSA4,,0,0\r\n"
        "Select: 0:00:01.00,0:00:02.00,1,0:00:00.00,0,first\r\nInfo: 1\r\n"
        "Select: 0:00:02.00,0:00:03.00,1,0:00:00.00,0,second\r\nInfo: 2\r\n"
        "Select: 0:00:03.00,0:00:04.00,2,0:00:00.00,0,third\r\nInfo: 1\r\n\r\n\r\n[Styles]\r\n";
    EXPECT_NE(written.find(expected), std::string::npos) << written;
}

// A decoded script changed in the editor is written as a SubStation script of its own name.
TEST_F(LanguageWriterTest, ModifiedScriptsAreNamedAsSubStationScripts) {
    WriteScript("movie.ssa");
    auto language = LoadText("[Script]\r\nload: movie.ssa,SSA4,,0,0\r\n");
    auto decoded = std::make_unique<TScriptControl>();
    ASSERT_TRUE(decoded->Parse(TempDir::Read(Dir.Path("movie.ssa")), 0));
    decoded->Path = u"movie.srt";
    decoded->Type = ".srt";
    decoded->Advanced = "x,y";
    decoded->Modified = 1;
    TScriptControl* added = language->AddScript(std::move(decoded));
    const std::string written = Written(*language);
    EXPECT_NE(written.find("load: movie.ssa,SSA4,,0,0\r\n\r\nload: movie-2.ssa,SSA4,x%2Cy,0,0\r\n"),
              std::string::npos)
        << written;
    EXPECT_EQ(added->Path, u"movie-2.ssa");
    // Without file names only, the paths are written.
    EXPECT_NE(Written(*language, false).find("load: " + Dir.Path("movie.ssa") + ","), std::string::npos);
}

TEST_F(LanguageWriterTest, LanguageWithoutDefaultGetsTheGlobalDefaultAfterItsOwnStyles) {
    auto language =
        LoadText("[Format]\r\nStyles: Name, Fontname, Fontsize\r\n[Styles]\r\nStyle: Own, Arial, 12\r\n");
    ASSERT_EQ(language->Styles.Count, 2);
    EXPECT_EQ(GetStyleName(language->Styles.Head->Record), u"Own");
    EXPECT_EQ(GetStyleName(language->Styles.Tail->Record), u"Default");
    EXPECT_NE(Written(*language).find(
                  "[Styles]\r\nStyle: Own, Arial, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 ,0, "
                  "0, 0, 0, 0, 0, 0, 0\r\nStyle: Default, , 0,"),
              std::string::npos);
}

} // namespace
