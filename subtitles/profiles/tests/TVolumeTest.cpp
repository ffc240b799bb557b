// The profile base and a volume: its languages, its disc identifier slots and its defaults.
#include "subtitles/profiles/TVolume.h"
#include "foundation/tests/TempDir.h"
#include "subtitles/profiles/TBaseProfile.h"
#include "subtitles/profiles/TLanguage.h"
#include "subtitles/profiles/TScriptsPool.h"

#include <gtest/gtest.h>

namespace {

TEST(TVolume, ANewVolumeIsUnnamedWithoutLanguagesOrIdentifiers) {
    TVolume volume;
    EXPECT_EQ(volume.Name, "Unnamed...");
    EXPECT_FALSE(volume.HasLanguage());
    EXPECT_EQ(volume.GetLanguage(0), nullptr);
    EXPECT_EQ(volume.CurrentLanguage(), nullptr);
    for (std::size_t slot = 0; slot < TVolume::kIdSlots; ++slot) {
        EXPECT_FALSE(volume.HasIdPair(slot));
    }
    EXPECT_FALSE(volume.MatchesDiscId(0, 0));
}

TEST(TVolume, LanguagesAreAppendedNumberedAndFoundByIndexOrName) {
    TScriptsPool pool;
    TVolume volume;
    volume.Pool = &pool;
    EXPECT_EQ(volume.AddLanguage(u"English", {}, {}), 1);
    EXPECT_EQ(volume.GetLanguage(0), volume.CurrentLanguage());
    EXPECT_EQ(volume.GetLanguage(1), nullptr);

    EXPECT_EQ(volume.AddLanguage(u"Français", u"2-Français.ds", u"/p/a.zds"), 1);
    TLanguage* second = volume.CurrentLanguage();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->Name, u"Français");
    EXPECT_EQ(second->Entry, u"2-Français.ds");
    EXPECT_EQ(second->ArchivePath, u"/p/a.zds");
    EXPECT_EQ(second->Pool, &pool);
    EXPECT_EQ(second->Index, 2);
    EXPECT_EQ(volume.GetLanguage(1), second);
    EXPECT_EQ(volume.GetLanguage(0)->Index, 1);

    // The cursor stays where it was.
    volume.Languages.First();
    EXPECT_EQ(volume.GetLanguage(1), second);
    EXPECT_EQ(volume.CurrentLanguage(), volume.Languages.Head);

    EXPECT_TRUE(volume.HasLanguage());
    EXPECT_TRUE(volume.HasLanguage(u"ENGLISH"));
    EXPECT_TRUE(volume.HasLanguage(u"FRANÇAIS"));
    EXPECT_FALSE(volume.HasLanguage(u"Deutsch"));
    EXPECT_EQ(volume.GetLanguage(-1), nullptr);
    EXPECT_FALSE(volume.UnloadLanguages());
}

TEST(TVolume, LoadsAndReleasesTheLanguagesThatHaveAFile) {
    TempDir dir;
    dir.Write("movie.ssa",
              "[Script Info]\r\n\r\n[Events]\r\nFormat: Marked, Start, End, Style, Name, MarginL, "
              "MarginR, MarginV, Effect, Text\r\nDialogue: Marked=0,0:00:01.00,0:00:02.00,Default,,"
              "0000,0000,0000,,line\r\n");
    dir.Write("english.ds", "[Script]\r\nload: movie.ssa,SSA4,,0,0\r\n");
    TScriptsPool pool;
    TVolume volume;
    volume.Pool = &pool;
    volume.AddLanguage(u"English", {}, {});
    TLanguage* english = volume.CurrentLanguage();
    english->SetFile(u"English", dir.WPath("english.ds"), {});
    volume.AddLanguage(u"New", {}, {}); // no file yet: nothing to read
    TLanguage* added = volume.CurrentLanguage();
    EXPECT_TRUE(volume.HasUnloadedLanguage());

    EXPECT_TRUE(volume.LoadLanguages(nullptr, false));
    EXPECT_FALSE(volume.HasUnloadedLanguage());
    EXPECT_EQ(english->Loaded, 1);
    EXPECT_EQ(english->Scripts.Count, 1);
    EXPECT_EQ(added->Loaded, 0);
    EXPECT_EQ(pool.Entries.Count, 1);

    EXPECT_FALSE(volume.UnloadLanguages());
    EXPECT_EQ(english->Loaded, 0);
    EXPECT_EQ(english->Scripts.Count, 0);
    EXPECT_EQ(pool.Entries.Count, 0); // the last language let go of the script
    EXPECT_TRUE(volume.HasUnloadedLanguage());
}

TEST(TVolume, DiscIdentifierHalvesFillTheirSlotsApartAndOnlyPairsCount) {
    TVolume volume;
    EXPECT_TRUE(volume.AddIdHigh(11));
    EXPECT_TRUE(volume.AddIdHigh(22));
    EXPECT_TRUE(volume.AddIdLow(-33));
    EXPECT_EQ(volume.IDHigh[0], 11);
    EXPECT_EQ(volume.IDHigh[1], 22);
    EXPECT_EQ(volume.IDLow[0], -33);
    EXPECT_EQ(volume.IDLow[1], 0);
    EXPECT_TRUE(volume.HasIdPair(0));
    EXPECT_FALSE(volume.HasIdPair(1)); // no low half
    EXPECT_FALSE(volume.HasIdPair(TVolume::kIdSlots));
    EXPECT_TRUE(volume.MatchesDiscId(11, -33));
    EXPECT_FALSE(volume.MatchesDiscId(22, 0));
    EXPECT_FALSE(volume.MatchesDiscId(11, 0));

    // An eleventh half finds no free slot and changes nothing.
    for (std::size_t i = 3; i <= TVolume::kIdSlots; ++i) {
        EXPECT_TRUE(volume.AddIdHigh(static_cast<int32_t>(i) * 100));
    }
    EXPECT_FALSE(volume.AddIdHigh(99999));
    EXPECT_EQ(volume.IDHigh[TVolume::kIdSlots - 1], 1000);
}

TEST(TBaseProfile, StoresNothingWithoutAFileName) {
    TBaseProfile profile;
    EXPECT_EQ(profile.GetFileName(), nullptr);
    EXPECT_FALSE(profile.Save());
    EXPECT_TRUE(profile.SaveAs(u"/nowhere/a.zds"));
    EXPECT_TRUE(profile.Load(u"/nowhere/a.zds", false, false));
}

} // namespace
