// The editor-wide services: change notification by cursor kind, a new profile, the current item of
// a loaded profile; and the main window's timers on a manual clock: the language goes out once,
// 500 ms after the last of several changes, and play requests within 200 ms collapse into the last.
#include "editor/TEditorWindow.h"
#include "editor/TShared.h"
#include "editor/tests/EditorTestSupport.h"
#include "platform/win/Message.h"
#include "platform/win/Timer.h"
#include "subtitles/profiles/TDVDProfile.h"
#include "subtitles/profiles/TLanguage.h"
#include "subtitles/profiles/TSelect.h"
#include "subtitles/scripts/TScriptControl.h"

#include <gtest/gtest.h>

#include <array>

namespace win = plat::win;

TEST(SharedServicesTest, ItemModifiedRoutesByCursorKind) {
    struct Case {
        uint8_t kind;
        uint8_t changed;
        bool noRefresh;
        bool scriptModified;
        bool editorsUpdated;
        bool refreshRestarted;
    };
    const Case cases[] = {
        {TProfileCursor::kSelect, 1, false, true, true, true},
        {TProfileCursor::kTimedScript, 1, true, true, true, false},
        {TProfileCursor::kTimedScript, 0, false, false, true, true},
        {TProfileCursor::kProfile, 1, false, false, false, true},
        {TProfileCursor::kStyle, 1, false, false, false, true},
        {TProfileCursor::kVolume, 1, false, false, false, false},
        {TProfileCursor::kLanguage, 1, false, false, false, false},
        {TProfileCursor::kTitle, 1, false, false, false, false},
    };
    for (const Case& c : cases) {
        TShared shared;
        RecordingMainView main;
        RecordingListingView listing;
        shared.SetViews({&main, &listing, nullptr, nullptr});
        TScriptControl script;
        script.Modified = 0;
        TProfileCursor cursor;
        cursor.ItemKind = c.kind;
        cursor.Changed = c.changed;
        cursor.Script = TItemRef<TScriptControl>::Of(&script);
        shared.ItemModified(&cursor, c.noRefresh);
        const int kind = c.kind;
        EXPECT_EQ(script.Modified != 0, c.scriptModified) << kind;
        EXPECT_EQ(listing.EditorUpdates > 0, c.editorsUpdated) << kind;
        EXPECT_EQ(main.Restarts > 0, c.refreshRestarted) << kind;
        EXPECT_TRUE(main.Modified) << kind;
        EXPECT_GT(listing.Repaints, 0) << kind;
    }
}

TEST(SharedServicesTest, NewProfileAsksThenHoldsOneVolumeAndLanguage) {
    TShared shared;
    TDVDProfile profile;
    RecordingMainView main;
    shared.SetDocument(&profile);
    shared.SetViews({&main, nullptr, nullptr, nullptr});
    main.Modified = true;
    main.AgreeToDiscard = false;
    EXPECT_FALSE(shared.NewProfile());
    EXPECT_EQ(main.Clears, 0);

    main.AgreeToDiscard = true;
    shared.SetDocumentPath(u"/old.zds");
    ASSERT_TRUE(shared.NewProfile());
    EXPECT_EQ(main.Clears, 1);
    EXPECT_FALSE(main.Modified);
    EXPECT_TRUE(shared.DocumentPath().empty());
    ASSERT_EQ(profile.Volumes.Count, 1);
    EXPECT_EQ(profile.Volumes.Head->Name, "Unnamed...");
    ASSERT_EQ(profile.Volumes.Head->Languages.Count, 1);
    EXPECT_EQ(profile.Volumes.Head->Languages.Head->Name, u"English");
    EXPECT_EQ(shared.GetCurrentLanguage(), profile.Volumes.Head->Languages.Head);
}

TEST(SharedServicesTest, ALoadedProfileOpensItsFirstSelect) {
    TestFolder folder;
    ASSERT_TRUE(WriteEditorFixture(folder / "p.zds", {{1000, "a"}, {2000, "b"}}));
    TDVDProfile profile;
    const std::string path = folder / "p.zds";
    ASSERT_TRUE(profile.Load(std::u16string(path.begin(), path.end()), true, true));
    TShared shared;
    RecordingMainView main;
    RecordingListingView listing;
    shared.SetDocument(&profile);
    shared.SetViews({&main, &listing, nullptr, nullptr});
    shared.RefreshProfileViews(nullptr);
    EXPECT_EQ(listing.Shown.ItemKind, TProfileCursor::kSelect);
    ASSERT_NE(listing.Shown.Select.Get(), nullptr);
    EXPECT_EQ(listing.Shown.Script.Get(), listing.Shown.Select.Get()->Script);
    EXPECT_TRUE(shared.IsEditingSelect());
    EXPECT_EQ(shared.CurrentSelect(), listing.Shown.Select.Get());
    EXPECT_TRUE(main.StylesMenuHasStyles);
    EXPECT_EQ(listing.FilterEnables, 1);
}

namespace {

class TimerRecorder : public TEditorWindow::IHandler {
public:
    void RunCommandText(const std::u16string& text) override { Texts.push_back(text); }
    void BringToFront() override {}
    bool CloseRequested() override { return false; }
    void AutoRefreshTick() override { ++Ticks; }
    void PlayAtTitleTime(int32_t title, int32_t chapter, uint32_t packedTime) override {
        Plays.push_back({title, chapter, static_cast<int32_t>(packedTime)});
    }
    int Ticks = 0;
    std::vector<std::u16string> Texts;
    std::vector<std::array<int32_t, 3>> Plays;
};

class ManualTimers {
public:
    ManualTimers() { win::InstallTimerHost(&host_); }
    ~ManualTimers() { win::InstallTimerHost(nullptr); }
    void Advance(uint64_t ms) {
        host_.Advance(ms);
        win::DispatchPending();
    }

private:
    win::ManualTimerHost host_;
};

} // namespace

TEST(SharedServicesTest, TheLanguageGoesOut500MsAfterTheLastChange) {
    RuntimeScope runtime;
    ManualTimers timers;
    TimerRecorder recorder;
    TEditorWindow window(recorder);
    ASSERT_TRUE(window.Create());
    for (int i = 0; i < 5; ++i) {
        window.RestartAutoRefresh();
        timers.Advance(100);
    }
    EXPECT_EQ(recorder.Ticks, 0);
    timers.Advance(399);
    EXPECT_EQ(recorder.Ticks, 0);
    timers.Advance(1);
    EXPECT_EQ(recorder.Ticks, 1);
    timers.Advance(2000);
    EXPECT_EQ(recorder.Ticks, 1);

    window.QueuePlayAtTitleTime(1, -1, 5);
    timers.Advance(150);
    window.QueuePlayAtTitleTime(2, -1, 7);
    timers.Advance(199);
    EXPECT_TRUE(recorder.Plays.empty());
    timers.Advance(1);
    ASSERT_EQ(recorder.Plays.size(), 1u);
    EXPECT_EQ(recorder.Plays[0], (std::array<int32_t, 3>{2, -1, 7}));
}
