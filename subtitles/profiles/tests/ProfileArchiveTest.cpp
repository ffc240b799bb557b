// Storing a profile as a ".zds" archive and reading it back: the members and their order, the
// archive's soundness for the zip tools, the ".bak" copy of the previous version, a decoded script
// edited in memory, and a failing store that leaves the old archive and the profile as they were.
#include "subtitles/profiles/TDVDProfile.h"
#include "subtitles/profiles/TLanguage.h"
#include "subtitles/profiles/TScriptsPool.h"
#include "subtitles/profiles/TTitle.h"
#include "subtitles/profiles/tests/ProfileTestSupport.h"
#include "subtitles/scripts/TScriptControl.h"
#include "subtitles/zip/tests/ZipTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using ProfileArchiveTest = ProfileTest;

TScriptControl& ScriptNamed(TDVDProfile& profile, std::u16string_view name) {
    TScriptItems* entry = profile.Pool->FindByFileName(name);
    EXPECT_NE(entry, nullptr) << "no script " << plat::text::WideToAnsi(name);
    return *entry->GetScript();
}

TEST_F(ProfileArchiveTest, StoredReopenedEditedStoredAndReopenedAgainKeepsEverything) {
    TDVDProfile profile;
    BuildProfile(profile);
    const std::string zds = dir_.Path("harbour.zds");
    ASSERT_TRUE(profile.SaveAs(dir_.WPath("harbour.zds"))) << plat::text::WideToAnsi(TakeErrors());
    EXPECT_TRUE(UnzipAccepts(zds));
    EXPECT_TRUE(PythonAccepts(zds));
    EXPECT_EQ(MemberNames(zds), (std::vector<std::string>{"volumes.vl", "movie.ssa", "extras.ssa",
                                                          "1-English.ds", "2-Français.ds", "3-Deutsch.ds"}));
    EXPECT_FALSE(std::filesystem::exists(zds + ".bak")); // the profile came from no archive
    ASSERT_NE(profile.GetFileName(), nullptr);
    EXPECT_EQ(*profile.GetFileName(), dir_.WPath("harbour.zds"));
    // The native script is stored as it was read; the edited decoded one as SubStation text under a
    // SubStation name, which its language's load line names.
    EXPECT_EQ(MemberText(zds, "movie.ssa"), kMovieSsa);
    EXPECT_NE(MemberText(zds, "extras.ssa").find("A line added in the editor"), std::string::npos);
    EXPECT_NE(MemberText(zds, "2-Français.ds").find("load: extras.ssa,SSA4,"), std::string::npos);
    const std::string stored = Dump(profile);

    TDVDProfile reopened;
    ASSERT_TRUE(reopened.Load(dir_.WPath("harbour.zds"), true, true)) << plat::text::WideToAnsi(TakeErrors());
    EXPECT_EQ(Dump(reopened), stored);
    EXPECT_EQ(TakeErrors(), u"");

    // Edit: a time and a style in the native script, a selection and a language's style.
    const std::string first = TempDir::Read(zds);
    TScriptControl& movie = ScriptNamed(reopened, u"movie.ssa");
    movie.Events.Head->GetRecord()->start = 1500;
    movie.Styles.Head->Record.fontSize = 28;
    movie.Modified = 1;
    TLanguage& german = *reopened.Volumes.Tail->Languages.Head;
    german.FindTitle(3, true);
    AddSelect(*german.Titles.Current, &movie, 4000, 7250, -2000, "Drei", false);
    german.Styles.Tail->Record.marginV = 44;
    ASSERT_TRUE(reopened.Save()) << plat::text::WideToAnsi(TakeErrors());
    EXPECT_EQ(TempDir::Read(zds + ".bak"), first);
    EXPECT_TRUE(UnzipAccepts(zds));
    EXPECT_TRUE(PythonAccepts(zds));
    const std::string edited = Dump(reopened);
    EXPECT_NE(edited, stored);

    TDVDProfile third;
    ASSERT_TRUE(third.Load(dir_.WPath("harbour.zds"), true, true)) << plat::text::WideToAnsi(TakeErrors());
    EXPECT_EQ(Dump(third), edited);
    EXPECT_EQ(ScriptNamed(third, u"movie.ssa").Events.Head->GetRecord()->start, 1500);
    const TLanguage& thirdGerman = *third.Volumes.Tail->Languages.Head;
    ASSERT_EQ(thirdGerman.Titles.Count, 2);
    EXPECT_EQ(thirdGerman.Titles.Tail->Selects.Head->DVDStart, -2000);
}

TEST_F(ProfileArchiveTest, StoringTwiceWithoutReopeningTakesTheScriptsFromTheNewArchive) {
    TDVDProfile profile;
    BuildProfile(profile);
    ASSERT_TRUE(profile.SaveAs(dir_.WPath("a.zds")));
    std::filesystem::remove(dir_.Path("movie.ssa")); // the plain files are no longer needed
    std::filesystem::remove(dir_.Path("extras.srt"));
    profile.Volumes.Head->Languages.Head->Titles.Head->Selects.Head->Name = "Renamed after storing";
    const std::string stored = Dump(profile);
    ASSERT_TRUE(profile.SaveAs(dir_.WPath("b.zds"))) << plat::text::WideToAnsi(TakeErrors());
    EXPECT_TRUE(std::filesystem::exists(dir_.Path("a.zds.bak")));
    TDVDProfile reopened;
    ASSERT_TRUE(reopened.Load(dir_.WPath("b.zds"), true, true));
    EXPECT_EQ(Dump(reopened), stored);
    EXPECT_NE(stored.find("Renamed after storing"), std::string::npos);
    EXPECT_EQ(reopened.Header.ArchivePath, dir_.WPath("b.zds"));
}

TEST_F(ProfileArchiveTest, AFailedStoreKeepsTheOldArchiveAndTheProfile) {
    TDVDProfile profile;
    BuildProfile(profile);
    ASSERT_TRUE(profile.SaveAs(dir_.WPath("a.zds")));
    const std::string old = TempDir::Read(dir_.Path("a.zds"));
    const std::string before = Dump(profile);
    // A language whose name cannot be an archive member name.
    profile.Volumes.Tail->AddLanguage(u"x/../../outside", {}, {});
    ScriptNamed(profile, u"extras.ssa").Modified = 1;
    const std::string changed = Dump(profile);
    EXPECT_FALSE(profile.Save());
    EXPECT_NE(TakeErrors().find(u"Unable to Add to Zip"), std::u16string::npos);
    EXPECT_EQ(TempDir::Read(dir_.Path("a.zds")), old);
    EXPECT_EQ(Dump(profile), changed);
    EXPECT_EQ(ScriptNamed(profile, u"extras.ssa").Modified, 1);
    EXPECT_FALSE(std::filesystem::exists(dir_.Path("outside.ds")));
    EXPECT_NE(before, changed);

    EXPECT_FALSE(profile.SaveAs(dir_.WPath("a.ds")));
    EXPECT_NE(TakeErrors().find(u".zds"), std::u16string::npos);
    EXPECT_FALSE(profile.SaveAs(dir_.WPath("missing/a.zds")));
    EXPECT_NE(TakeErrors().find(u"Unable to Open Destination File"), std::u16string::npos);
}

TEST_F(ProfileArchiveTest, AProfileWhoseArchiveIsGoneCannotTakeItsScriptsFromIt) {
    TDVDProfile profile;
    BuildProfile(profile);
    ASSERT_TRUE(profile.SaveAs(dir_.WPath("a.zds")));
    std::filesystem::remove(dir_.Path("a.zds"));
    EXPECT_FALSE(profile.Save());
    EXPECT_NE(TakeErrors().find(u"Unable to Open Source File"), std::u16string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir_.Path("a.zds")));
}

TEST_F(ProfileArchiveTest, ScriptsOfTheSameNameFromDifferentFoldersStayApart) {
    std::filesystem::create_directories(dir_.Path("a"));
    std::filesystem::create_directories(dir_.Path("b"));
    dir_.Write("a/movie.ssa", kMovieSsa);
    std::string other(kMovieSsa);
    other.replace(other.find("The end"), 7, "Fin");
    dir_.Write("b/movie.ssa", other);
    TDVDProfile profile;
    TVolume& volume = *profile.AddVolume(u"Disc");
    volume.AddLanguage(u"One", {}, {});
    ASSERT_NE(volume.CurrentLanguage()->LoadScript(nullptr, dir_.WPath("a/movie.ssa"), {}, {}, {}, 0),
              nullptr);
    volume.AddLanguage(u"Two", {}, {});
    ASSERT_NE(volume.CurrentLanguage()->LoadScript(nullptr, dir_.WPath("b/movie.ssa"), {}, {}, {}, 0),
              nullptr);
    ASSERT_EQ(profile.Pool->Entries.Count, 2);
    ASSERT_TRUE(profile.SaveAs(dir_.WPath("p.zds"))) << plat::text::WideToAnsi(TakeErrors());
    const std::vector<std::string> names = MemberNames(dir_.Path("p.zds"));
    ASSERT_EQ(names.size(), 5u);
    EXPECT_EQ(MemberText(dir_.Path("p.zds"), names[1].c_str()), kMovieSsa);
    EXPECT_EQ(MemberText(dir_.Path("p.zds"), names[2].c_str()), other);
    const std::string stored = Dump(profile);
    TDVDProfile reopened;
    ASSERT_TRUE(reopened.Load(dir_.WPath("p.zds"), true, true));
    EXPECT_EQ(Dump(reopened), stored);
}

TEST_F(ProfileArchiveTest, AnEditedDecodedScriptDoesNotTakeTheNameOfANativeOne) {
    dir_.Write("movie.ssa", kMovieSsa);
    dir_.Write("movie.srt", "subtitles");
    TDVDProfile profile;
    TVolume& volume = *profile.AddVolume(u"Disc");
    volume.AddLanguage(u"English", {}, {});
    TLanguage& english = *volume.CurrentLanguage();
    TScriptControl* native = english.LoadScript(nullptr, dir_.WPath("movie.ssa"), {}, {}, {}, 0);
    TScriptControl* decoded = english.LoadScript(nullptr, dir_.WPath("movie.srt"), {}, {}, {}, 0);
    ASSERT_NE(native, nullptr);
    ASSERT_NE(decoded, nullptr);
    ASSERT_NE(native, decoded);
    english.FindTitle(1, true);
    AddSelect(*english.Titles.Current, decoded, 0, 1000, 0, "Decoded", true);
    decoded->Events.Head->GetRecord()->end = 4320; // times are kept in hundredths
    decoded->Modified = 1;
    ASSERT_TRUE(profile.SaveAs(dir_.WPath("m.zds"))) << plat::text::WideToAnsi(TakeErrors());
    const std::vector<std::string> names = MemberNames(dir_.Path("m.zds"));
    ASSERT_EQ(names.size(), 4u);
    EXPECT_EQ(names[1], "movie.ssa");
    EXPECT_NE(names[2], "movie.ssa");
    EXPECT_EQ(names[2].substr(names[2].size() - 4), ".ssa");
    EXPECT_EQ(MemberText(dir_.Path("m.zds"), "movie.ssa"), kMovieSsa);
    const std::string language = MemberText(dir_.Path("m.zds"), "1-English.ds");
    EXPECT_NE(language.find("load: " + names[2] + ",SSA4,"), std::string::npos);
    const std::string stored = Dump(profile);
    TDVDProfile reopened;
    ASSERT_TRUE(reopened.Load(dir_.WPath("m.zds"), true, true)) << plat::text::WideToAnsi(TakeErrors());
    EXPECT_EQ(Dump(reopened), stored);
    const TSelect& select = *reopened.Volumes.Head->Languages.Head->Titles.Head->Selects.Head;
    ASSERT_NE(select.Script, nullptr);
    EXPECT_EQ(select.Script->Events.Head->GetRecord()->end, 4320);
}

TEST_F(ProfileArchiveTest, ReadmesAreStoredAndReadBack) {
    TDVDProfile profile;
    BuildProfile(profile);
    profile.Readme = std::make_unique<std::string>("About this profile\r\n");
    TLanguage& english = *profile.Volumes.Head->Languages.Head;
    english.Readme = std::make_unique<TMemoryObject>(64);
    english.Readme->AppendData("English notes", 13);
    ASSERT_TRUE(profile.SaveAs(dir_.WPath("r.zds")));
    const std::vector<std::string> names = MemberNames(dir_.Path("r.zds"));
    EXPECT_EQ(std::count(names.begin(), names.end(), "1-English.txt"), 1);
    EXPECT_EQ(names.back(), "Readme.txt");
    EXPECT_EQ(MemberText(dir_.Path("r.zds"), "1-English.txt"), "English notes");
    TDVDProfile reopened;
    ASSERT_TRUE(reopened.Load(dir_.WPath("r.zds"), true, true));
    ASSERT_NE(reopened.Readme, nullptr);
    EXPECT_EQ(*reopened.Readme, "About this profile\r\n");
    const TMemoryObject* readme = reopened.Volumes.Head->Languages.Head->Readme.get();
    ASSERT_NE(readme, nullptr);
    EXPECT_EQ(std::string(readme->Data, static_cast<std::size_t>(readme->Used)), "English notes");
}

} // namespace
