// Opening and saving the document: a save writes every member again with the edited script, keeps
// the untouched members byte for byte and the old file as ".bak"; a save that fails loses nothing,
// says why, leaves the document modified and the history as it was; the recent profiles list.
#include "editor/TPellitConf.h"
#include "editor/TProfileDocument.h"
#include "editor/TProfileHistory.h"
#include "editor/TShared.h"
#include "editor/tests/EditorTestSupport.h"
#include "platform/text/CodePage.h"
#include "subtitles/model/TTextEvent.h"
#include "subtitles/profiles/TDVDProfile.h"
#include "subtitles/profiles/TLanguage.h"
#include "subtitles/scripts/TScriptControl.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class ProfileDocumentTest : public ::testing::Test {
protected:
    ProfileDocumentTest() : document_(shared_, dialogs_) {
        PellitSettings() = TPellitSettings{};
        shared_.SetDocument(&profile_);
        shared_.SetViews({&main_, &listing_, nullptr, nullptr});
        shared_.SetFolders(TEditorFolders::Below(folder_.Path().string()));
        path_ = folder_ / "with blank/p.zds";
        fs::create_directories(folder_.Path() / "with blank");
        EXPECT_TRUE(WriteEditorFixture(path_, {{1000, "First"}, {2000, "Second"}, {3000, "Third"}}));
    }

    TTextEvent* EnglishEvent(int index) {
        TSubEvents* event = EnglishScript()->Events.Head;
        for (int i = 0; i < index && event != nullptr; ++i) {
            event = event->Next;
        }
        return static_cast<TTextEvent*>(event);
    }
    TScriptControl* EnglishScript() {
        return profile_.Volumes.Head->Languages.Head->Titles.Head->Selects.Head->Script;
    }
    // Changes the second event's text through the editor's change notification.
    void EditSecondEvent(const std::u16string& text) {
        EnglishEvent(1)->SetText(text, false);
        TProfileCursor cursor = shared_.GetCurrentItem();
        cursor.Changed = 1;
        shared_.ItemModified(&cursor, true);
    }

    ReportedErrors errors_;
    TestFolder folder_;
    TDVDProfile profile_;
    TShared shared_;
    RecordingMainView main_;
    RecordingListingView listing_;
    ScriptedDialogs dialogs_;
    TProfileDocument document_;
    std::string path_;
};

} // namespace

TEST_F(ProfileDocumentTest, SaveWritesTheEditAndKeepsEverythingElse) {
    ASSERT_TRUE(document_.LoadProfileFile(path_));
    EXPECT_EQ(PellitSettings().History[0], path_);
    EXPECT_EQ(listing_.Shown.ItemKind, TProfileCursor::kSelect);
    const std::string before = ReadBytes(path_);
    const auto frenchBefore = MemberBytes(path_, "2-French.ssa");
    ASSERT_TRUE(frenchBefore.has_value());

    EditSecondEvent(u"Edited text");
    EXPECT_TRUE(main_.Modified);
    EXPECT_EQ(EnglishScript()->Modified, 1);
    ASSERT_TRUE(document_.SaveProfileToFile(profile_, plat::text::AnsiToWide(path_), false));
    EXPECT_FALSE(main_.Modified);
    EXPECT_TRUE(ReadBytes(path_ + ".bak") == before);
    EXPECT_TRUE(MemberBytes(path_, "2-French.ssa") == frenchBefore);
    EXPECT_EQ(std::system(("unzip -tq '" + path_ + "' >/dev/null").c_str()), 0);

    TDVDProfile reopened;
    ASSERT_TRUE(reopened.Load(plat::text::AnsiToWide(path_), true, true));
    TSubEvents* second =
        reopened.Volumes.Head->Languages.Head->Titles.Head->Selects.Head->Script->Events.Head->Next;
    EXPECT_EQ(static_cast<TTextEvent*>(second)->GetText(), u"Edited text");
}

TEST_F(ProfileDocumentTest, APathWithoutZdsIsWrittenAsZds) {
    ASSERT_TRUE(document_.LoadProfileFile(path_));
    EditSecondEvent(u"x");
    const std::string other = folder_ / "copy";
    ASSERT_TRUE(document_.SaveProfileToFile(profile_, plat::text::AnsiToWide(other), false));
    EXPECT_TRUE(fs::exists(other + ".zds"));
    EXPECT_FALSE(fs::exists(other));
    EXPECT_EQ(shared_.DocumentPath(), plat::text::AnsiToWide(other + ".zds"));
    EXPECT_EQ(PellitSettings().History[0], other + ".zds");
}

TEST_F(ProfileDocumentTest, FailedSavesLoseNothing) {
    ASSERT_TRUE(document_.LoadProfileFile(path_));
    const std::string before = ReadBytes(path_);
    const auto history = PellitSettings().History;
    struct Case {
        const char* name;
        std::function<std::u16string()> arrange;
    };
    const Case cases[] = {
        {"the backup cannot be made",
         [&] {
             fs::create_directories(path_ + ".bak/inside");
             return plat::text::AnsiToWide(path_);
         }},
        {"the destination folder is a file",
         [&] {
             std::ofstream(folder_ / "plain") << "x";
             return plat::text::AnsiToWide(folder_ / "plain/p.zds");
         }},
    };
    for (const Case& c : cases) {
        EditSecondEvent(u"Unsaved edit");
        errors_.Texts.clear();
        EXPECT_FALSE(document_.SaveProfileToFile(profile_, c.arrange(), false)) << c.name;
        EXPECT_TRUE(main_.Modified) << c.name;
        EXPECT_TRUE(ReadBytes(path_) == before) << c.name;
        EXPECT_EQ(PellitSettings().History, history) << c.name;
        EXPECT_FALSE(errors_.Texts.empty()) << c.name;
        EXPECT_EQ(shared_.DocumentPath(), plat::text::AnsiToWide(path_)) << c.name;
        fs::remove_all(path_ + ".bak");
    }
}

TEST_F(ProfileDocumentTest, AFullFileSystemLosesNothing) {
    ASSERT_TRUE(document_.LoadProfileFile(path_));
    const std::string before = ReadBytes(path_);
    // The new archive grows beyond what the file system takes; the backup still fits.
    std::u16string incompressible;
    uint32_t seed = 12345;
    for (int i = 0; i < 200000; ++i) {
        seed = seed * 1103515245u + 12345u;
        incompressible.push_back(static_cast<char16_t>(u'A' + (seed >> 16) % 50));
    }
    EditSecondEvent(incompressible);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit limited = old;
    limited.rlim_cur = before.size() + 4096;
    setrlimit(RLIMIT_FSIZE, &limited);
    const bool written = document_.SaveProfileToFile(profile_, plat::text::AnsiToWide(path_), false);
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
    EXPECT_TRUE(ReadBytes(path_) == before);
    EXPECT_TRUE(main_.Modified);
    EXPECT_FALSE(errors_.Texts.empty());
}

TEST_F(ProfileDocumentTest, AReadOnlyFolderLosesNothing) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "runs as root: folder permissions do not stop root's writes (the full file system "
                        "and unwritable-destination cases cover the failure path)";
    }
    ASSERT_TRUE(document_.LoadProfileFile(path_));
    const std::string before = ReadBytes(path_);
    EditSecondEvent(u"Unsaved edit");
    fs::permissions(folder_.Path() / "with blank", fs::perms::owner_read | fs::perms::owner_exec,
                    fs::perm_options::replace);
    EXPECT_FALSE(document_.SaveProfileToFile(profile_, plat::text::AnsiToWide(path_), false));
    fs::permissions(folder_.Path() / "with blank", fs::perms::owner_all, fs::perm_options::replace);
    EXPECT_TRUE(ReadBytes(path_) == before);
    EXPECT_TRUE(main_.Modified);
}

TEST_F(ProfileDocumentTest, AProfileThatFailsToLoadLeavesANewProfile) {
    std::ofstream(folder_ / "broken.zds") << "not a zip";
    EXPECT_FALSE(document_.LoadProfileFile(folder_ / "broken.zds"));
    EXPECT_TRUE(PellitSettings().History[0].empty());
    EXPECT_TRUE(shared_.DocumentPath().empty());
    ASSERT_EQ(profile_.Volumes.Count, 1);
    EXPECT_EQ(profile_.Volumes.Head->Name, "Unnamed...");
    EXPECT_EQ(profile_.Volumes.Head->Languages.Head->Name, u"English");
    EXPECT_FALSE(main_.Modified);
}

TEST_F(ProfileDocumentTest, CancelledDialogsChangeNothing) {
    dialogs_.Chosen.clear();
    EXPECT_FALSE(document_.SaveProfileToFile(profile_, u"", false));
    EXPECT_FALSE(document_.OpenProfile(nullptr, TProfileDocument::kNoHistoryEntry));
    dialogs_.Chosen = plat::text::AnsiToWide(path_);
    EXPECT_TRUE(document_.OpenProfile(nullptr, TProfileDocument::kNoHistoryEntry));
    EXPECT_EQ(shared_.DocumentPath(), plat::text::AnsiToWide(path_));
}

TEST(ProfileHistoryTest, RecentProfilesMoveToTheFront) {
    struct Case {
        std::array<std::string, 4> before;
        std::string added;
        std::array<std::string, 4> after;
        bool changed;
    };
    const Case cases[] = {
        {{"a", "b", "c", "d"}, "a", {"a", "b", "c", "d"}, false},
        {{"a", "b", "c", "d"}, "c", {"c", "a", "b", "d"}, true},
        {{"a", "b", "c", "d"}, "d", {"d", "a", "b", "c"}, true},
        {{"a", "b", "c", "d"}, "e", {"e", "a", "b", "c"}, true},
        {{"a", "", "", ""}, "b", {"b", "a", "", ""}, true},
    };
    for (const Case& c : cases) {
        std::array<std::string, 4> entries = c.before;
        EXPECT_EQ(TProfileHistory(entries).Add(c.added), c.changed);
        EXPECT_EQ(entries, c.after);
    }
}
