// The script pool: scripts shared by name between languages, released with the last user, names of
// new scripts, replacement under an existing name, and the names scripts are stored under.
#include "subtitles/profiles/TScriptsPool.h"
#include "foundation/tests/TempDir.h"
#include "subtitles/profiles/TScriptUser.h"
#include "subtitles/scripts/TScriptControl.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// A language as the pool sees it, recording what the pool asks of it.
class TFakeLanguage : public TScriptUser {
public:
    void AddStylesOfScript(const TScriptControl& script, bool keep) override {
        StyleCalls.emplace_back(&script, keep);
    }
    void ScriptReplaced(TScriptControl* old, TScriptControl* replacement) override {
        Replacements.emplace_back(old, replacement);
    }
    std::vector<TScriptControl*> Own() const {
        std::vector<TScriptControl*> scripts;
        for (const TScriptItems* entry = Scripts.Head; entry; entry = entry->Next) {
            scripts.push_back(entry->GetScript());
        }
        return scripts;
    }

    std::vector<std::pair<const TScriptControl*, bool>> StyleCalls;
    std::vector<std::pair<TScriptControl*, TScriptControl*>> Replacements;
};

constexpr std::string_view kScriptText =
    "[Script Info]\r\nTitle: t\r\n\r\n[V4 Styles]\r\n"
    "Format: Name, Fontname, Fontsize\r\nStyle: Big, Arial, 40\r\n\r\n"
    "[Events]\r\nFormat: Marked, Start, End, Style, Name, MarginL, MarginR, "
    "MarginV, Effect, Text\r\nDialogue: Marked=0,0:00:01.00,0:00:02.00,Big,,0,0,0,,x\r\n";

class TScriptsPoolTest : public testing::Test {
protected:
    std::u16string Script(const std::string& name) {
        std::filesystem::create_directories(std::filesystem::path(Dir.Path(name)).parent_path());
        Dir.Write(name, kScriptText);
        return Dir.WPath(name);
    }
    TScriptControl* Load(TFakeLanguage& language, std::u16string_view path, bool* used = nullptr) {
        bool alreadyUsed = false;
        TScriptControl* script = Pool.LoadScript(&language, nullptr, path, 0, "", alreadyUsed);
        if (used) {
            *used = alreadyUsed;
        }
        return script;
    }

    TempDir Dir;
    TScriptsPool Pool;
    TFakeLanguage English;
    TFakeLanguage French;
};

TEST_F(TScriptsPoolTest, LanguagesLoadingOneFileShareOneScriptUntilBothReleaseIt) {
    const std::u16string path = Script("sub.ssa");
    TScriptControl* first = Load(English, path);
    ASSERT_NE(first, nullptr);
    bool used = true;
    EXPECT_EQ(Load(French, path, &used), first);
    EXPECT_FALSE(used);
    EXPECT_EQ(Load(French, path, &used), first);
    EXPECT_TRUE(used);
    ASSERT_EQ(Pool.Entries.Count, 1);
    EXPECT_EQ(Pool.Entries.Head->LanguageCount(), 2);
    // The loading language took the styles twice: overwriting, then keeping existing names.
    EXPECT_EQ(English.StyleCalls,
              (std::vector<std::pair<const TScriptControl*, bool>>{{first, false}, {first, true}}));

    EXPECT_EQ(Pool.ReleaseScript(&English, first), 0);
    EXPECT_EQ(English.Scripts.Count, 0);
    EXPECT_EQ(Pool.FindByScript(first), Pool.Entries.Head);
    EXPECT_EQ(Pool.ReleaseScript(&French, nullptr), 0);
    EXPECT_EQ(Pool.Entries.Count, 0); // the script is deleted (ASan sees any later use)
}

// Identity keeps folders and extensions: neither same-named files of two folders nor a script and
// its differently typed namesake are merged; case and separators do not matter.
TEST_F(TScriptsPoolTest, ScriptsAreKnownByFolderNameAndExtension) {
    TScriptControl* a = Load(English, Script("a/movie.ssa"));
    TScriptControl* b = Load(English, Script("b/movie.ssa"));
    Script("c/movie.ass");
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_NE(a, b);
    EXPECT_EQ(Pool.FindByFileName(Dir.WPath("A/MOVIE.SSA"))->GetScript(), a);
    EXPECT_EQ(Pool.FindByFileName(Dir.WPath("b") + u"\\MOVIE.ssa")->GetScript(), b);
    EXPECT_TRUE(TScriptsPool::SameName(u"Sub.ssa", u".\\SUB.SSA"));
    EXPECT_TRUE(TScriptsPool::SameName(u"subs\\a\\Movie.ssa", u"subs/A//movie.SSA"));
    EXPECT_FALSE(TScriptsPool::SameName(u"Sub.ssa", u"C:\\folder\\SUB.srt"));
    EXPECT_FALSE(TScriptsPool::SameName(u"movie.ssa", u"movie.srt"));
    EXPECT_EQ(Pool.FindByFileName(Dir.WPath("c/movie.srt")), nullptr);
    EXPECT_EQ(Pool.FindByFileName(u""), nullptr);
}

TEST_F(TScriptsPoolTest, NewEmptyScriptsTakeFreeNamesUntilNoneIsLeft) {
    Pool.NewScriptWidth = 1280;
    Pool.NewScriptHeight = 1024;
    TScriptControl* script = Pool.AttachLanguage(&English, static_cast<TScriptControl*>(nullptr));
    ASSERT_NE(script, nullptr);
    EXPECT_EQ(script->Path, u"Script01.ssa");
    EXPECT_EQ(script->FileName, u"Script01.ssa");
    EXPECT_EQ(script->Type, "SSA4");
    EXPECT_EQ(script->PlayResX, 1280);
    EXPECT_EQ(script->PlayResY, 1024);
    EXPECT_EQ(script->Modified, 1);
    EXPECT_TRUE(Pool.IsNameUsed(u"script01.srt"));
    EXPECT_TRUE(Pool.IsNameUsed(u"Script01.ssa", &English));
    EXPECT_FALSE(Pool.IsNameUsed(u"Script01.ssa", &French));
    for (int i = 2; i <= TScriptsPool::kMaxScriptNumber; ++i) {
        ASSERT_NE(Pool.AttachLanguage(&English, static_cast<TScriptControl*>(nullptr)), nullptr) << i;
    }
    std::u16string name;
    EXPECT_FALSE(Pool.MakeScriptName(TScriptsPool::kNewScriptBase, name));
    EXPECT_EQ(Pool.AttachLanguage(&English, static_cast<TScriptControl*>(nullptr)), nullptr);
    EXPECT_EQ(Pool.Entries.Count, TScriptsPool::kMaxScriptNumber);
    EXPECT_TRUE(Pool.MakeScriptName(u"Other", name));
    EXPECT_EQ(name, u"Other01.ssa");
}

TEST_F(TScriptsPoolTest, AScriptLoadedAgainUnderAnExistingNameReplacesItForEveryLanguage) {
    const std::u16string path = Script("sub.ssa");
    TScriptControl* old = Load(English, path);
    Load(French, path);
    auto fresh = std::make_unique<TScriptControl>();
    ASSERT_TRUE(fresh->LoadFile(path, 0));
    TScriptControl* replacement = fresh.get();
    TFakeLanguage german;
    EXPECT_EQ(Pool.AttachLanguage(&german, std::move(fresh)), replacement);
    EXPECT_EQ(Pool.Entries.Count, 1);
    EXPECT_EQ(English.Own(), std::vector<TScriptControl*>{replacement});
    EXPECT_EQ(French.Own(), std::vector<TScriptControl*>{replacement});
    EXPECT_EQ(german.Own(), std::vector<TScriptControl*>{replacement});
    EXPECT_EQ(English.Replacements,
              (std::vector<std::pair<TScriptControl*, TScriptControl*>>{{old, replacement}}));
    EXPECT_EQ(Pool.Entries.Head->LanguageCount(), 3);
    Pool.ReleaseScript(&german, nullptr);
}

TEST_F(TScriptsPoolTest, OnlyThePoolsOwnScriptsAreSharedByObject) {
    TScriptControl stranger;
    EXPECT_EQ(Pool.AttachLanguage(&English, &stranger), nullptr);
    EXPECT_EQ(Pool.AttachLanguage(nullptr, static_cast<TScriptControl*>(nullptr)), nullptr);
    TScriptControl* script = Load(English, Script("x.ssa"));
    EXPECT_EQ(Pool.AttachLanguage(&French, script), script);
    EXPECT_EQ(Pool.Entries.Head->LanguageCount(), 2);
}

TEST_F(TScriptsPoolTest, AScriptThatDoesNotLoadIsNotAddedAndSaysWhy) {
    EXPECT_EQ(Load(English, Dir.WPath("missing.ssa")), nullptr);
    EXPECT_NE(Pool.LastLoadError.find("cannot be read"), std::string::npos) << Pool.LastLoadError;
    EXPECT_EQ(Load(English, u""), nullptr);
    EXPECT_FALSE(Pool.LastLoadError.empty());
    EXPECT_EQ(Load(English, std::u16string(300, u'a')), nullptr);
    EXPECT_EQ(Pool.Entries.Count, 0);
    EXPECT_EQ(English.Scripts.Count, 0);
}

// Archive members keep their names; files given by absolute paths are stored under their file
// names, made unique; a modified script becomes a SubStation script under a free name.
TEST_F(TScriptsPoolTest, ArchiveNamesAreUniqueAndModifiedScriptsBecomeSsa) {
    TScriptControl* member = Pool.AttachLanguage(&English, static_cast<TScriptControl*>(nullptr));
    member->Path = u"subs\\movie.ssa";
    member->Modified = 0;
    TScriptControl* a = Load(English, Script("a/movie.ssa"));
    TScriptControl* b = Load(English, Script("b/movie.ssa"));
    TScriptControl* srt = Load(English, Script("c/movie.ass"));
    ASSERT_TRUE(a && b && srt);
    EXPECT_EQ(Pool.ArchiveName(*member), u"subs/movie.ssa");
    EXPECT_EQ(Pool.ArchiveName(*a), u"movie.ssa");
    EXPECT_EQ(Pool.ArchiveName(*b), u"movie-2.ssa");
    EXPECT_EQ(Pool.ArchiveName(*srt), u"movie.ass");

    EXPECT_FALSE(Pool.RenameModified(*srt, u""));
    srt->Modified = 1;
    srt->Type = ".srt";
    EXPECT_TRUE(Pool.RenameModified(*srt, u""));
    EXPECT_EQ(srt->Path, u"movie-3.ssa");
    EXPECT_EQ(srt->FileName, u"movie-3.ssa");
    EXPECT_EQ(srt->Type, "SSA4");
    EXPECT_EQ(Pool.ArchiveName(*srt), u"movie-3.ssa");
    // Renaming again keeps the name it has.
    EXPECT_TRUE(Pool.RenameModified(*srt, u""));
    EXPECT_EQ(srt->Path, u"movie-3.ssa");

    member->Path = u"subs/movie.txt";
    member->Modified = 1;
    EXPECT_TRUE(Pool.RenameModified(*member, u""));
    EXPECT_EQ(member->Path, u"subs/movie.ssa");
}

TEST(TScriptItems, LanguageTableKeepsOrderAndDuplicates) {
    TScriptItems entry;
    TFakeLanguage a, b;
    entry.AddLanguage(&a);
    entry.AddLanguage(&b);
    entry.AddLanguage(&a);
    EXPECT_EQ(entry.LanguageCount(), 3);
    EXPECT_EQ(entry.GetLanguage(1), &b);
    EXPECT_EQ(entry.GetLanguage(3), nullptr);
    EXPECT_EQ(entry.GetLanguage(-1), nullptr);
    entry.RemoveLanguage(&a);
    EXPECT_EQ(entry.LanguageCount(), 1);
    EXPECT_TRUE(entry.UsesLanguage(&b));
    EXPECT_FALSE(entry.UsesLanguage(&a));
    entry.ResetLanguages();
    EXPECT_EQ(entry.LanguageCount(), 0);

    entry.NewScript();
    EXPECT_TRUE(entry.OwnsScript());
    TScriptControl borrowed;
    entry.SetScript(&borrowed); // the owned one is deleted
    EXPECT_FALSE(entry.OwnsScript());
    EXPECT_EQ(entry.GetScript(), &borrowed);
    entry.SetScript(static_cast<TScriptControl*>(nullptr));
    EXPECT_EQ(entry.GetScript(), nullptr);
}

} // namespace
