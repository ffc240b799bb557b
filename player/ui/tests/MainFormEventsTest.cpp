// The player's events as the main form turns them into what the user sees: the skin's displays (the
// time throttled to whole seconds), the actions the user operations allow, error texts, the end of the
// media, the volume, the mode, the jacket picture and the backgrounds of the video windows.
#include "core/include/VokradOrders.h"
#include "player/model/controllers/TUOPS.h"
#include "player/model/discinfo/TDVDInfo.h"
#include "player/model/events/PlayerEvents.h"
#include "player/model/hub/TPlayControl.h"
#include "player/model/profiles/TProfileSubtitles.h"
#include "player/model/profiles/tests/ProfileArchiveFixture.h"
#include "player/model/settings/Tag_PlayerConfig.h"
#include "player/ui/TMainActions.h"
#include "player/ui/TMainFormEvents.h"
#include "player/ui/TPlayerSkin.h"
#include "player/ui/skin/TSkinLabel.h"
#include "player/ui/skin/TSkinSeekBar.h"
#include "tests/MainFormFixture.h"
#include "tests/ReportedMessages.h"

#include <QAction>
#include <QImage>
#include <QLabel>

namespace {

class MainFormEventsTest : public MainFormFixture {
protected:
    void PrepareProgramFolder(const fs::path& prog) override {
        fs::create_directory_symlink(fs::path(std::getenv("TOVRIN_DIST_DIR")) / "Skins", prog / "Skins");
    }

    void SetUp() override {
        MainFormFixture::SetUp();
        if (IsSkipped()) {
            return;
        }
        ASSERT_NE(main_->Skin(), nullptr);
        ASSERT_FALSE(main_->Skin()->Script().SeekBars().empty()) << "the default skin has a seek bar";
    }

    void Event(uint32_t event, intptr_t a = 0, intptr_t b = 0) { main_->OnPlayerEvent(event, a, b, 0); }

    int64_t SeekBarPosition() { return main_->Skin()->Script().SeekBars().front()->Position(); }

    QString VolumeText() {
        const auto& labels = main_->Skin()->Script().Labels(4);
        return labels.empty() ? QString() : labels.front()->TextLabel()->text();
    }

    bool Enabled(const char* action) { return main_->MainActions().Find(action)->isEnabled(); }

    void AllowOperations(int32_t mask) {
        main_->PlayControl()->Controllers().UserOperations->Set(mask);
        Event(kEventUserOperations, mask);
    }
};

TEST_F(MainFormEventsTest, TheTimeReachesTheDisplaysOncePerWholeSecond) {
    for (int ms = 3000; ms < 4000; ms += 100) {
        Event(kEventTime, ms);
    }
    EXPECT_EQ(SeekBarPosition(), 3000) << "ten events within one second: one update";
    EXPECT_EQ(main_->Events().LastSecond(), 3);
    Event(kEventTime, 4050);
    EXPECT_EQ(SeekBarPosition(), 4050);
}

TEST_F(MainFormEventsTest, TheVolumeShowsAndIsKeptUnlessItIsTheMute) {
    PlayerConfig().Volume = 70;
    Event(kEventVolume, 40);
    EXPECT_EQ(VolumeText(), "40");
    EXPECT_EQ(PlayerConfig().Volume, 40);
    Event(kEventVolume, 0);
    EXPECT_EQ(VolumeText(), "Mute");
    EXPECT_EQ(PlayerConfig().Volume, 40) << "the mute leaves Sound/Volume alone";
}

TEST_F(MainFormEventsTest, ErrorTextsReachTheBoxExceptProgressTexts) {
    ClearMessages(box_);
    Event(kEventError, reinterpret_cast<intptr_t>(u"progress"), 6);
    EXPECT_TRUE(ReportedMessages(box_).empty());
    Event(kEventError, reinterpret_cast<intptr_t>(u"broken"), 0);
    EXPECT_EQ(ReportedMessages(box_), QStringList{"broken"});
}

TEST_F(MainFormEventsTest, TheUserOperationsEnableTheActionsTheyGovern) {
    struct Row {
        const char* action;
        uint32_t operation;
    };
    const Row rows[] = {
        {"Ac_Pause", TUOPS::kPauseOn},
        {"Ac_NextChapter", TUOPS::kPlayNextChapter},
        {"Ac_FastForward", TUOPS::kPlayForwards},
        {"Ac_FastBack", TUOPS::kPlayBackwards},
        {"Ac_Menu_Root", TUOPS::kShowMenuRoot},
        {"Act_GoToSeekPos", TUOPS::kPlayChapterOrAtTime},
        {"Act_MLang", TUOPS::kSelectAudioStream},
        {"Act_MAng", TUOPS::kSelectAngle},
    };
    main_->SwitchToDiscMode();
    AllowOperations(-1);
    for (const Row& row : rows) {
        EXPECT_FALSE(Enabled(row.action)) << row.action << " while everything is prohibited";
    }
    for (const Row& row : rows) {
        AllowOperations(static_cast<int32_t>(row.operation));
        EXPECT_FALSE(Enabled(row.action)) << row.action << " without its operation";
        AllowOperations(static_cast<int32_t>(~row.operation));
        EXPECT_TRUE(Enabled(row.action)) << row.action << " with its operation only";
    }
    EXPECT_FALSE(Enabled("Ac_StepBack")) << "allowed, but it has no handler";
    EXPECT_FALSE(Enabled("Ac_Chapters")) << "allowed, but the chapters form is not there";
}

TEST_F(MainFormEventsTest, InFileModeTheChapterActionsFollowThePlayQueue) {
    Event(kEventGraphConfiguration, 0);
    ASSERT_TRUE(main_->IsFileMode());
    AllowOperations(0);
    EXPECT_FALSE(Enabled("Ac_NextChapter")) << "empty queue";
    main_->EnqueueFile("/nowhere/a.avi");
    main_->EnqueueFile("/nowhere/b.avi");
    AllowOperations(0);
    EXPECT_TRUE(Enabled("Ac_NextChapter"));
    EXPECT_TRUE(Enabled("Ac_PrevChapter"));
}

TEST_F(MainFormEventsTest, ANewDiscWhoseInformationNamesAProfileOpensIt) {
    const fs::path profile = root_ / "disc.zds";
    ASSERT_TRUE(WriteFixtureProfile(profile.string(),
                                    {{"Volume", 0, 0, false, {{"English", {{0, 1000, "Hi"}}, {{1, 0}}}}}}));
    auto* subtitles =
        dynamic_cast<TProfileSubtitles*>(main_->PlayControl()->Controllers().ProfileSubtitles.get());
    auto* info = dynamic_cast<TDVDInfo*>(main_->PlayControl()->DVDInfo());
    ASSERT_NE(subtitles, nullptr);
    ASSERT_NE(info, nullptr);
    Event(kEventDiscOpened);
    EXPECT_EQ(subtitles->GetVolumeCount(), 0) << "no profile named";
    info->SetProfile(profile.u16string().c_str());
    Event(kEventDiscOpened);
    EXPECT_EQ(subtitles->GetVolumeCount(), 1);
}

TEST_F(MainFormEventsTest, TheGraphKindSetsTheMode) {
    Event(kEventGraphConfiguration, TMainFormEvents::kDiscGraph);
    EXPECT_TRUE(main_->IsDVDMode());
    Event(kEventGraphConfiguration, 0);
    EXPECT_TRUE(main_->IsFileMode());
    EXPECT_FALSE(main_->IsDVDMode());
}

TEST_F(MainFormEventsTest, TheEndOfTheMediaRunsNextChapter) {
    main_->SwitchToDiscMode();
    AllowOperations(0);
    int runs = 0;
    main_->MainActions().Bind("Ac_NextChapter", [&runs] { ++runs; });
    Event(kEventEndOfMedia);
    EXPECT_EQ(runs, 1);
}

TEST_F(MainFormEventsTest, TheJacketOfTheDiscFolderBecomesTheBackgroundElseTheSkinsComesBack) {
    const fs::path disc = root_ / "discdata";
    fs::create_directories(disc);
    QImage jacket(8, 6, QImage::Format_RGB32);
    jacket.fill(Qt::red);
    ASSERT_TRUE(jacket.save(QString::fromStdString((disc / "Jacket.png").string())));
    main_->PlayControl()->SetDiscFolder(disc.u16string().c_str());
    Event(kEventDiscDataLoaded, 1);
    ASSERT_FALSE(main_->Events().Jacket().isNull());
    EXPECT_EQ(main_->Events().Background().size(), QSize(8, 6));
    EXPECT_EQ(main_->Events().Background().pixelColor(0, 0), QColor(Qt::red));

    fs::remove(disc / "Jacket.png");
    Event(kEventDiscDataLoaded, 1);
    EXPECT_TRUE(main_->Events().Jacket().isNull());
    EXPECT_EQ(main_->Events().Background(), main_->Skin()->Script().VideoBackground());
}

TEST_F(MainFormEventsTest, TheBackgroundShowsWhereTheVideoWasAndTheListenerIsTold) {
    std::vector<bool> told;
    main_->Events().SetBackgroundListener([&told](const QImage&, bool shown) { told.push_back(shown); });
    main_->Events().ShowVideo(false);
    EXPECT_TRUE(main_->Events().BackgroundShown());
    main_->Events().ShowVideo(true);
    EXPECT_FALSE(main_->Events().BackgroundShown());
    EXPECT_EQ(told, (std::vector<bool>{false, true, false}));
}

TEST_F(MainFormEventsTest, DisplaysStayWhileTheMainFormCloses) {
    Event(kEventTime, 5000);
    main_->Ac_QuitExecute();
    main_->Events().UpdateDisplays(-1, -1, 9000);
    ASSERT_NE(main_->Skin(), nullptr);
    const auto& times = main_->Skin()->Script().Labels(TSkinScript::kTimeDisplayList);
    ASSERT_FALSE(times.empty());
    EXPECT_EQ(times.front()->TextLabel()->text(), TSkinLabel::FormatTime(5000, false));
}

} // namespace
