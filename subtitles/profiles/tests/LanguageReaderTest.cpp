// The language profile reader: sections and keys, "load:" lines in any case with their plug-in
// settings, selections and their info order, languages in an archive, and the language's script
// operations through the pool.
#include "subtitles/profiles/tests/LanguageFixture.h"
#include "subtitles/scripts/TScriptControl.h"
#include "subtitles/zip/TZipControl.h"

namespace {

using LanguageReaderTest = LanguageTest;

TEST_F(LanguageReaderTest, InfoKeysFillTheirFields) {
    auto language =
        LoadText("; comment\r\n[DVD Infos]\r\nDVD Title: The Film\r\nDVD Region: 2\r\nFrames by sec: 25\r\n"
                 "Studio: Studio A\nPart Number: 7\rCreated By: Me\r\nLast Update: today\r\n"
                 "Version: 123456789012\r\nAllowASSA: 1\r\n[finish]\r\nDVD Title: ignored\r\n");
    EXPECT_EQ(language->DVDTitle, "The Film");
    EXPECT_EQ(language->Region, 2);
    EXPECT_EQ(language->FramesPerSec, 25);
    EXPECT_EQ(language->Studio, "Studio A");
    EXPECT_EQ(language->PartNumber, "7");
    EXPECT_EQ(language->CreatedBy, "Me");
    EXPECT_EQ(language->LastUpdate, "today");
    EXPECT_EQ(language->Version, "123456789"); // cut to its field
    EXPECT_TRUE(language->Loaded);
    EXPECT_TRUE(Errors().empty());
}

TEST_F(LanguageReaderTest, DisabledSelectionWithNameAndDVDStart) {
    WriteScript("s.ssa");
    auto language =
        LoadText("[Script]\r\nLoad: s.ssa\r\n-Select: 0:00:01.00,0:00:05.00,2,0:10:00.00,0,Part two\r\n");
    ASSERT_EQ(language->Titles.Count, 1);
    EXPECT_EQ(language->Titles.Head->Number, 2);
    EXPECT_EQ(SelectionsOf(*language->Titles.Head), std::vector<std::string>{"-Part two@1000-5000>600000~0"});
}

TEST_F(LanguageReaderTest, SelectBeforeAnyLoadMakesTheTitleOnly) {
    auto language = LoadText("[Script]\r\nSelect: 0:00:01.00,0:00:05.00,4,0:00:00.00,0,x\r\nInfo: 9\r\n");
    ASSERT_EQ(language->Titles.Count, 1);
    EXPECT_EQ(language->Titles.Head->Number, 4);
    EXPECT_EQ(language->Titles.Head->Selects.Count, 0);
    EXPECT_TRUE(Errors().empty());
}

// The writer's lower-case "load:" and the reader's keys are one: keys are read without regard to case.
TEST_F(LanguageReaderTest, KeysAreReadWithoutRegardToCase) {
    WriteScript("a.ssa");
    WriteScript("b.ssa");
    auto language = LoadText(
        "[SCRIPT]\r\nload: a.ssa,SSA4,,0,0\r\nSELECT: 0:00:01.00,0:00:02.00,1,0:00:00.00,0,a\r\nINFO: 2\r\n"
        "LOAD: b.ssa,SSA4,,0,0\r\nselect: 0:00:01.00,0:00:02.00,1,0:00:00.00,0,b\r\ninfo: 1\r\n");
    EXPECT_EQ(language->Scripts.Count, 2);
    EXPECT_EQ(SelectionsOf(*language->Titles.Head),
              (std::vector<std::string>{"b@1000-2000>0~0", "a@1000-2000>0~0"}));
}

// Titles are kept by number, whatever order the scripts' selections name them in.
TEST_F(LanguageReaderTest, TitlesAreKeptByNumber) {
    WriteScript("a.ssa");
    WriteScript("b.ssa");
    auto language = LoadText("[Script]\r\nload: b.ssa\r\nSelect: 0:00:01.00,0:00:02.00,3,0:00:00.00,0,b3\r\n"
                             "load: a.ssa\r\nSelect: 0:00:01.00,0:00:02.00,1,0:00:00.00,0,a1\r\n"
                             "Select: 0:00:01.00,0:00:02.00,3,0:00:00.00,0,a3\r\n");
    std::vector<int32_t> numbers;
    for (const TTitle* title = language->Titles.Head; title; title = title->Next) {
        numbers.push_back(title->Number);
    }
    EXPECT_EQ(numbers, (std::vector<int32_t>{1, 3}));
    EXPECT_EQ(language->Titles.Tail->Prev, language->Titles.Head);
    const std::string written = Written(*language);
    EXPECT_NE(
        written.find(
            "load: b.ssa,SSA4,,0,0\r\nSelect: 0:00:01.00,0:00:02.00,3,0:00:00.00,0,b3\r\nInfo: 1\r\n"
            "\r\nload: a.ssa,SSA4,,0,0\r\nSelect: 0:00:01.00,0:00:02.00,1,0:00:00.00,0,a1\r\nInfo: 1\r\n"
            "Select: 0:00:01.00,0:00:02.00,3,0:00:00.00,0,a3\r\nInfo: 2\r\n"),
        std::string::npos)
        << written;
}

TEST_F(LanguageReaderTest, MissingFieldsReadAsZeroAndNameTheSelection) {
    WriteScript("a.ssa");
    auto language = LoadText(
        "[Script]\r\nload: a.ssa\r\nSelect: 0:00:01.00,0:00:02.00\r\nSelect: 0:00:03.00,0:00:04.00,1,"
        "0:00:05.00,10\r\n");
    ASSERT_EQ(language->Titles.Count, 2);
    EXPECT_EQ(SelectionsOf(*language->Titles.Head), std::vector<std::string>{"Select -@1000-2000>0~0"});
    EXPECT_EQ(SelectionsOf(*language->Titles.Tail), std::vector<std::string>{"Select -@3000-4000>5000~10"});
}

// Info values order the selections of a title; an Info after a selection that was not made touches
// no other selection.
TEST_F(LanguageReaderTest, InfoOrdersTheSelections) {
    WriteScript("a.ssa");
    auto language =
        LoadText("[Script]\r\nload: a.ssa\r\n"
                 "Select: 0:00:01.00,0:00:02.00,1,0:00:00.00,0,c\r\nInfo: 3\r\n"
                 "Select: 0:00:01.00,0:00:02.00,1,0:00:00.00,0,a\r\nInfo: 1\r\n"
                 "Select: 0:00:01.00,0:00:02.00,1,0:00:00.00,0,b\r\nInfo: 2\r\n"
                 "load: missing.ssa\r\nSelect: 0:00:01.00,0:00:02.00,1,0:00:00.00,0,lost\r\nInfo: 0\r\n");
    EXPECT_EQ(SelectionsOf(*language->Titles.Head),
              (std::vector<std::string>{"a@1000-2000>0~0", "b@1000-2000>0~0", "c@1000-2000>0~0"}));
    EXPECT_EQ(language->Titles.Head->Selects.Tail->Index, 3);
}

TEST_F(LanguageReaderTest, StylesOfTheFileOverwriteThoseOfTheScripts) {
    WriteScript("a.ssa");
    auto language =
        LoadText("[Format]\r\nStyles: Name, Fontname, Fontsize\r\n[Script]\r\nload: a.ssa\r\n"
                 "[V4 Styles]\r\nStyle: big, Verdana, 55\r\nStyle: Default, Arial, 20\r\n[Events]\r\n"
                 "Style: After, Arial, 1\r\n");
    ASSERT_EQ(language->Styles.Count, 3);
    EXPECT_EQ(language->FindStyle(u"BIG")->fontSize, 55); // the file's "big" overwrote the script's "Big"
    EXPECT_EQ(language->FindStyle(u"After")->fontSize, 1);
    EXPECT_EQ(language->FindStyle(u"missing"), nullptr);
    std::u16string name;
    EXPECT_TRUE(language->MakeStyleName(u"Big", name));
    EXPECT_EQ(name, u"Big01");
}

// Scripts of an archive are members named with their folders; a language's readme is the member of
// the same name with the extension "txt".
TEST_F(LanguageReaderTest, ArchiveLanguageReadsItsMembersAndReadme) {
    WriteScript("one/movie.ssa", {1000});
    WriteScript("two/movie.ssa", {5000, 6000});
    TZipControl zip;
    ASSERT_TRUE(zip.Create(Dir.Path("profile.zds").c_str()));
    ASSERT_TRUE(zip.AddFile("one/movie.ssa", Dir.Path("one/movie.ssa").c_str()));
    ASSERT_TRUE(zip.AddFile("two/movie.ssa", Dir.Path("two/movie.ssa").c_str()));
    const std::string ds =
        "[Script]\r\nload: one\\movie.ssa,SSA4,,0,0\r\nSelect: 0:00:00.00,0:01:00.00,1,0:00:00.00,0,one\r\n"
        "load: two/movie.ssa,SSA4,,0,0\r\nSelect: 0:00:00.00,0:01:00.00,1,0:00:00.00,0,two\r\n";
    ASSERT_TRUE(zip.AddEntry("1-English.ds", ds.data(), static_cast<uint32_t>(ds.size())));
    ASSERT_TRUE(zip.AddEntry("1-English.txt", "Read me", 7));
    ASSERT_TRUE(zip.Close());

    TLanguage language(&Pool);
    language.SetFile(u"English", u"1-English.ds", Dir.WPath("profile.zds"));
    ASSERT_TRUE(language.Load(nullptr, false));
    EXPECT_TRUE(Errors().empty()) << Errors().front();
    EXPECT_TRUE(language.FromArchive);
    ASSERT_EQ(language.Scripts.Count, 2);
    EXPECT_EQ(language.Scripts.Head->GetScript()->Events.Count, 1);
    EXPECT_EQ(language.Scripts.Tail->GetScript()->Events.Count, 2);
    ASSERT_NE(language.Readme, nullptr);
    EXPECT_EQ(std::string(language.Readme->Data, static_cast<std::size_t>(language.Readme->Used)), "Read me");
    EXPECT_EQ(language.Readme->Data[language.Readme->Used], '\0');
    const std::vector<std::string> traces = Traces();
    EXPECT_NE(std::find(traces.begin(), traces.end(), "1-English.ds\n"), traces.end());
    EXPECT_NE(Written(language).find("load: one/movie.ssa,SSA4,,0,0\r\nSelect:"), std::string::npos);
    EXPECT_NE(Written(language).find("load: two/movie.ssa,SSA4,,0,0\r\nSelect:"), std::string::npos);

    EXPECT_TRUE(language.ReloadScript(language.Scripts.Tail->GetScript()));
    EXPECT_EQ(language.Scripts.Count, 2);
}

TEST_F(LanguageReaderTest, RemovingAScriptTakesItsSelectionsAndLastUserDeletesIt) {
    WriteScript("a.ssa");
    WriteScript("b.ssa");
    auto english = LoadText("[Script]\r\nload: a.ssa\r\nSelect: 0:00:00.00,0:00:09.00,1,0:00:00.00,0,a\r\n"
                            "load: b.ssa\r\nSelect: 0:00:00.00,0:00:09.00,1,0:00:00.00,0,b\r\n");
    auto french = LoadText("[Script]\r\nload: a.ssa\r\n", "fr.ds");
    TScriptControl* a = english->Scripts.Head->GetScript();
    EXPECT_EQ(Pool.Entries.Count, 2);
    english->Titles.Head->BuildEvents();
    EXPECT_EQ(english->Titles.Head->Events.Count, 2);
    english->RemoveScript(a);
    EXPECT_EQ(SelectionsOf(*english->Titles.Head), std::vector<std::string>{"b@0-9000>0~0"});
    EXPECT_EQ(english->Titles.Head->Events.Count, 0);
    EXPECT_EQ(Pool.FindByScript(a)->LanguageCount(), 1); // French still uses it
    french->RemoveScript(a);
    EXPECT_EQ(Pool.Entries.Count, 1);
    english->Clear();
    EXPECT_EQ(Pool.Entries.Count, 0);
    EXPECT_FALSE(english->Loaded);
}

TEST_F(LanguageReaderTest, ReplacedScriptsCarryTheSelectionsAlong) {
    const std::string path = WriteScript("a.ssa", {1000, 2000});
    auto language = LoadText("[Script]\r\nload: a.ssa\r\nSelect: 0:00:00.00,0:00:09.00,1,0:00:00.00,0,a\r\n");
    auto fresh = std::make_unique<TScriptControl>();
    ASSERT_TRUE(fresh->LoadFile(plat::text::AnsiToWide(path), 0));
    TScriptControl* replacement = language->AddScript(std::move(fresh));
    EXPECT_EQ(language->Titles.Head->Selects.Head->Script, replacement);
    language->Titles.Head->BuildEvents();
    EXPECT_EQ(language->Titles.Head->Events.Count, 2);
    EXPECT_EQ(Pool.Entries.Count, 1);
}

TEST_F(LanguageReaderTest, NewScriptsAndNames) {
    auto language = LoadText("[Infos]\r\n");
    TScriptControl* created = language->AddScript(static_cast<TScriptControl*>(nullptr));
    ASSERT_NE(created, nullptr);
    EXPECT_TRUE(language->ScriptNameExists(u"Script01.srt", true));
    TLanguage other(&Pool);
    EXPECT_FALSE(other.ScriptNameExists(u"Script01.ssa", true));
    EXPECT_TRUE(other.ScriptNameExists(u"Script01.ssa", false));
    std::u16string name;
    EXPECT_TRUE(other.MakeScriptName(u"Script", name));
    EXPECT_EQ(name, u"Script02.ssa");
    EXPECT_TRUE(language->FindTitle(5, true));
    EXPECT_EQ(language->Titles.Current->Number, 5);
    EXPECT_FALSE(language->FindTitle(6, false));
}

} // namespace
