// Reading a profile in each of its forms (".zds", the older "dvdscript.ds" archive, a plain ".ds",
// any other subtitle file), selecting volumes and languages, and the default selection.
#include "subtitles/profiles/TDVDProfile.h"
#include "subtitles/profiles/TLanguage.h"
#include "subtitles/profiles/TScriptsPool.h"
#include "subtitles/profiles/TTitle.h"
#include "subtitles/profiles/tests/ProfileTestSupport.h"
#include "subtitles/scripts/TScriptControl.h"
#include "subtitles/zip/TZipControl.h"

#include <gtest/gtest.h>

namespace {

using TDVDProfileTest = ProfileTest;

const std::string kLanguageFile =
    "[Infos]\r\nDVD Title: Harbour Lights\r\nStudio: North Studio\r\nDVD Region: 2\r\n"
    "[Script]\r\nload: movie.ssa,SSA4,,0,0\r\n"
    "Select: 0:00:01.00,0:00:05.00,1,0:00:00.00,0,Part one\r\nInfo: 1\r\n";

// A script whose comments lie before and after its dialogue lines.
const std::string kCommentedSsa =
    "[Script Info]\r\nScriptType: v4.00\r\n\r\n[Events]\r\n"
    "Format: Marked, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\r\n"
    "Comment: Marked=0,0:00:00.10,0:00:01.00,Default,,0000,0000,0000,,early note\r\n"
    "Dialogue: Marked=0,0:00:02.00,0:00:03.00,Default,,0000,0000,0000,,one\r\n"
    "Dialogue: Marked=0,0:00:01.50,0:00:02.00,Default,,0000,0000,0000,,two\r\n"
    "Dialogue: Marked=0,0:00:09.00,0:00:10.00,Default,,0000,0000,0000,,three\r\n"
    "Comment: Marked=0,0:05:00.00,0:05:01.00,Default,,0000,0000,0000,,late note\r\n";

void WriteArchive(const std::string& path, const std::vector<std::pair<std::string, std::string>>& members) {
    TZipControl zip;
    ASSERT_TRUE(zip.Create(path.c_str()));
    for (const auto& [name, content] : members) {
        ASSERT_TRUE(zip.AddEntry(name.c_str(), content.data(), static_cast<uint32_t>(content.size())));
    }
    ASSERT_TRUE(zip.Close());
}

const TSelect& OnlySelect(const TLanguage& language) {
    EXPECT_EQ(language.Titles.Count, 1);
    EXPECT_EQ(language.Titles.Head->Selects.Count, 1);
    return *language.Titles.Head->Selects.Head;
}

TEST_F(TDVDProfileTest, APlainLanguageProfileReadsItsScriptsBesideIt) {
    dir_.Write("movie.ssa", kMovieSsa);
    dir_.Write("english.ds", kLanguageFile);
    TDVDProfile profile;
    ASSERT_TRUE(profile.Load(dir_.WPath("english.ds"), false, false)) << plat::text::WideToAnsi(TakeErrors());
    ASSERT_EQ(profile.Volumes.Count, 1);
    const TVolume& volume = *profile.Volumes.Head;
    EXPECT_EQ(volume.Name, "Harbour Lights");
    EXPECT_EQ(volume.Studio, "North Studio");
    EXPECT_EQ(volume.Region, 2);
    ASSERT_EQ(volume.Languages.Count, 1);
    const TLanguage& language = *volume.Languages.Head;
    EXPECT_EQ(language.Name, u"English");
    EXPECT_EQ(language.Loaded, 1);
    EXPECT_EQ(profile.CurrentLanguage, &language);
    EXPECT_EQ(profile.SelectedVolume, &volume);
    EXPECT_EQ(profile.Header.ArchivePath, u"");
    EXPECT_EQ(profile.Header.FromArchive, 0);
    ASSERT_EQ(language.Scripts.Count, 1);
    EXPECT_EQ(language.Scripts.Head->GetScript()->Events.Count, 5);
    EXPECT_EQ(OnlySelect(language).Name, "Part one"); // it has titles: no default selection
    ASSERT_NE(profile.GetFileName(), nullptr);
    EXPECT_EQ(*profile.GetFileName(), dir_.WPath("english.ds"));
}

TEST_F(TDVDProfileTest, AnyOtherFileMakesAOneLanguageProfileWithTheAutoSelection) {
    dir_.Write("commented.ssa", kCommentedSsa);
    dir_.Write("extras.srt", "extras");
    for (const char* file : {"commented.ssa", "extras.srt"}) {
        SCOPED_TRACE(file);
        TDVDProfile profile;
        ASSERT_TRUE(profile.Load(dir_.WPath(file), false, true)) << plat::text::WideToAnsi(TakeErrors());
        ASSERT_EQ(profile.Volumes.Count, 1);
        EXPECT_EQ(profile.Volumes.Head->Name, dir_.Path(file));
        const TLanguage& language = *profile.Volumes.Head->Languages.Head;
        EXPECT_EQ(language.Name, u"-");
        EXPECT_EQ(profile.CurrentLanguage, &language);
        const TSelect& select = OnlySelect(language);
        EXPECT_EQ(select.Name, "Auto");
        EXPECT_EQ(select.TitleNumber, 1);
        EXPECT_EQ(select.Enabled, 1);
        EXPECT_EQ(select.ScaleFactor, 1.0);
        EXPECT_EQ(select.TimeRamp, 0);
        EXPECT_EQ(select.Script, language.Scripts.Head->GetScript());
        const bool native = std::string(file) == "commented.ssa";
        EXPECT_EQ(select.FirstSub, native ? 1500 : 0); // comments do not count
        EXPECT_EQ(select.DVDStart, select.FirstSub);
        EXPECT_EQ(select.LastSub, native ? 9000 : 0);
    }
}

TEST_F(TDVDProfileTest, AFileThatNoPlugInDecodesIsReportedAndNothingChanges) {
    TDVDProfile profile;
    BuildProfile(profile);
    const std::string before = Dump(profile);
    dir_.Write("broken.srt", "fail");
    dir_.Write("empty.srt", "nothing");
    for (const char* file : {"broken.srt", "empty.srt", "missing.srt"}) {
        SCOPED_TRACE(file);
        EXPECT_FALSE(profile.Load(dir_.WPath(file), false, false));
        EXPECT_NE(TakeErrors(), u"");
        EXPECT_EQ(Dump(profile), before);
        EXPECT_EQ(profile.GetFileName(), nullptr);
    }
}

TEST_F(TDVDProfileTest, TheOlderArchiveFormHoldsOneLanguageProfile) {
    WriteArchive(dir_.Path("old.zds"),
                 {{"movie.ssa", std::string(kMovieSsa)}, {"DVDScript.ds", kLanguageFile}});
    TDVDProfile profile;
    ASSERT_TRUE(profile.Load(dir_.WPath("old.zds"), false, false)) << plat::text::WideToAnsi(TakeErrors());
    ASSERT_EQ(profile.Volumes.Count, 1);
    EXPECT_EQ(profile.Volumes.Head->Name, "Harbour Lights");
    const TLanguage& language = *profile.Volumes.Head->Languages.Head;
    EXPECT_EQ(language.Name, u"English");
    EXPECT_EQ(language.ArchivePath, dir_.WPath("old.zds"));
    EXPECT_EQ(profile.Header.ArchivePath, dir_.WPath("old.zds"));
    EXPECT_EQ(profile.Header.FromArchive, 1);
    ASSERT_EQ(language.Scripts.Count, 1);
    EXPECT_EQ(language.Scripts.Head->GetScript()->FromArchive, 1);
    EXPECT_EQ(OnlySelect(language).Name, "Part one");

    // Stored again, it takes the present form.
    const std::string old = TempDir::Read(dir_.Path("old.zds"));
    ASSERT_TRUE(profile.Save()) << plat::text::WideToAnsi(TakeErrors());
    EXPECT_EQ(TempDir::Read(dir_.Path("old.zds.bak")), old);
    EXPECT_EQ(MemberNames(dir_.Path("old.zds")),
              (std::vector<std::string>{"volumes.vl", "movie.ssa", "1-English.ds"}));
    const std::string stored = Dump(profile);
    TDVDProfile reopened;
    ASSERT_TRUE(reopened.Load(dir_.WPath("old.zds"), true, true));
    EXPECT_EQ(Dump(reopened), stored);
}

class TDVDProfileSelectionTest : public ProfileTest {
protected:
    void SetUp() override {
        ProfileTest::SetUp();
        TDVDProfile built;
        BuildProfile(built);
        ASSERT_TRUE(built.SaveAs(dir_.WPath("p.zds")));
        ASSERT_TRUE(profile_.Load(dir_.WPath("p.zds"), false, true));
        one_ = profile_.Volumes.Head;
        two_ = profile_.Volumes.Tail;
    }

    static bool Loaded(const TVolume* volume) {
        for (const TLanguage* language = volume->Languages.Head; language; language = language->Next) {
            if (language->Loaded == 0) {
                return false;
            }
        }
        return true;
    }

    TDVDProfile profile_;
    TVolume* one_ = nullptr;
    TVolume* two_ = nullptr;
};

TEST_F(TDVDProfileSelectionTest, OnlyTheSelectedVolumesLanguagesAreLoaded) {
    EXPECT_EQ(profile_.SelectedVolume, one_);
    EXPECT_EQ(profile_.CurrentLanguage, one_->Languages.Tail); // the last one appended
    EXPECT_TRUE(Loaded(one_));
    EXPECT_FALSE(two_->Languages.Head->Loaded);
    EXPECT_TRUE(profile_.UsesChapterChange());
    EXPECT_EQ(profile_.GetVolume(0, false), one_);
    EXPECT_EQ(profile_.GetVolume(3, true), nullptr);
    EXPECT_EQ(profile_.GetVolume(2, true), two_);
    EXPECT_EQ(profile_.SelectedVolume, two_);
    EXPECT_TRUE(Loaded(two_));
    EXPECT_FALSE(profile_.UsesChapterChange());
    EXPECT_EQ(profile_.GetLanguage(0, false), two_->Languages.Head);
    EXPECT_EQ(profile_.GetLanguage(2, true), nullptr);
    EXPECT_EQ(profile_.GetLanguage(1, true), two_->Languages.Head);
}

TEST_F(TDVDProfileSelectionTest, VolumesAreSelectedByDiscId) {
    struct Step {
        int32_t high;
        int32_t low;
        bool result;
        int selected; // 1 or 2
    };
    const Step steps[] = {
        {789, -1, true, 2},  // a match
        {789, -1, false, 2}, // already selected: nothing changes
        {123, 0, true, 1},   // half a pair never matches: the first volume
        {0, 0, true, 1},     // no identifier: the first volume, even when selected
        {1, 2, true, 1},     // unknown
        {123, 456, false, 1},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << step.high << "/" << step.low);
        EXPECT_EQ(profile_.SelectVolumeByDiscId(step.high, step.low), step.result);
        TVolume* selected = step.selected == 1 ? one_ : two_;
        TVolume* other = step.selected == 1 ? two_ : one_;
        EXPECT_EQ(profile_.SelectedVolume, selected);
        EXPECT_EQ(profile_.CurrentLanguage, selected->Languages.Head);
        EXPECT_TRUE(Loaded(selected));
        EXPECT_FALSE(other->Languages.Head->Loaded); // released
    }
    TDVDProfile empty;
    EXPECT_TRUE(empty.SelectVolumeByDiscId(123, 456));
    EXPECT_EQ(empty.SelectedVolume, nullptr);
}

TEST_F(TDVDProfileSelectionTest, LoadingEverythingKeepsEveryVolumeLoaded) {
    TDVDProfile all;
    ASSERT_TRUE(all.Load(dir_.WPath("p.zds"), true, true));
    EXPECT_TRUE(Loaded(all.Volumes.Head));
    EXPECT_TRUE(Loaded(all.Volumes.Tail));
    EXPECT_TRUE(all.SelectVolumeByDiscId(789, -1));
    EXPECT_TRUE(Loaded(all.Volumes.Head));
}

TEST_F(TDVDProfileSelectionTest, TheDefaultSelectionAppliesOnlyToALanguageWithScriptsAndNoTitles) {
    EXPECT_FALSE(profile_.CreateDefaultSelect()); // its languages have titles
    TLanguage& language = *profile_.CurrentLanguage;
    language.Titles.Clear();
    EXPECT_TRUE(profile_.CreateDefaultSelect());
    const TSelect& select = OnlySelect(language);
    EXPECT_EQ(select.Name, "Auto");
    EXPECT_EQ(select.FirstSub, 1000);
    EXPECT_EQ(select.LastSub, 70000);
    EXPECT_EQ(select.Script, language.Scripts.Head->GetScript());
    EXPECT_FALSE(profile_.CreateDefaultSelect());
}

} // namespace
