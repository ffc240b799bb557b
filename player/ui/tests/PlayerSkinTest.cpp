// The player with its skin against the real core: the default skin comes up at start below the video
// window, its buttons and seek bar drive a playing clip, its time display follows the player, a skin
// that fails falls back to the default with a message, and the interface hides.
#include "core/include/VokradOrders.h"
#include "platform/text/CodePage.h"
#include "player/model/binding/PlayerGlobals.h"
#include "player/model/controllers/IAudioInfo.h"
#include "player/model/hub/TPlayControl.h"
#include "player/model/settings/Tag_PlayerConfig.h"
#include "player/ui/TDVDMain.h"
#include "player/ui/TPlayerSkin.h"
#include "player/ui/TVideo.h"
#include "player/ui/skin/TSkinScript.h"
#include "player/ui/skin/buttons/DelayTimer.h"
#include "tests/RecordingBinding.h"
#include "tests/ReportedMessages.h"

#include <QApplication>
#include <QLabel>
#include <QWheelEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

namespace fs = std::filesystem;

namespace {

// Play states the core answers.
constexpr uint32_t kPlaying = 2;
constexpr uint32_t kPaused = 3;
constexpr int kWaitMs = 10000;

class PlayerSkinTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* dist = std::getenv("TOVRIN_DIST_DIR");
        if (dist == nullptr || !fs::exists(fs::path(dist) / "System" / "vokrad.so") ||
            !fs::exists(fs::path(dist) / "Skins" / "Default.zip")) {
            GTEST_SKIP() << "the core or the default skin is not built (TOVRIN_DIST_DIR)";
        }
        static int counter = 0;
        root_ = fs::temp_directory_path() /
                ("tovrin-skin-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
        fs::create_directories(root_ / "prog" / "Skins");
        fs::create_directory_symlink(fs::path(dist) / "System", root_ / "prog" / "System");
        fs::copy_file(fs::path(dist) / "Skins" / "Default.zip", root_ / "prog" / "Skins" / "Default.zip");
        std::ofstream(root_ / "mountinfo") << "22 1 8:1 / / rw - ext4 /dev/sda1 rw\n";
        setenv("TOVRIN_PROGRAM_FOLDER", (root_ / "prog").c_str(), 1);
    }

    // Starts the player as the start-up does, with the skin setting given.
    void Start(const std::string& skinSetting, bool useDefaultSkin = false) {
        if (!skinSetting.empty()) {
            fs::create_directories(root_ / "prog" / "INI");
            std::ofstream(root_ / "prog" / "INI" / "Tovrin.ini") << "[Skin]\r\nFilename=" << skinSetting << "\r\n";
        }
        CreatePlayerGlobals(std::make_unique<RecordingBinding>(calls_));
        main_ = std::make_unique<TDVDMain>();
        main_->SetMountTable((root_ / "mountinfo").string());
        main_->FormCreate();
        video_ = std::make_unique<TVideo>(*main_);
        main_->SetVideoForm(video_.get());
        main_->InitAfterForms(useDefaultSkin);
        ASSERT_NE(main_->Skin(), nullptr);
    }

    void TearDown() override {
        video_.reset();
        main_.reset();
        if (root_.empty()) {
            return;
        }
        DestroyPlayerGlobals();
        unsetenv("TOVRIN_PROGRAM_FOLDER");
        std::error_code error;
        fs::remove_all(root_, error);
    }

    TSkinScript& Skin() { return main_->Skin()->Script(); }
    TPlayControl& Player() { return *main_->PlayControl(); }
    // The time of the player's last time event.
    int32_t Time() {
        int32_t title = 0, chapter = 0, time = 0, duration = 0;
        Player().GetPosition(&title, &chapter, &time, &duration);
        return time;
    }

    // The speed button of the skin bound to that command.
    THoverButton* ButtonOf(const char* command) {
        std::string argument;
        const int action = main_->Skin()->Sink().FindActionByCommand(command, argument);
        for (const auto& speed : Skin().SpeedButtons()) {
            if (action != ISkinActionSink::kNoAction && speed->Button().ActionTag() == action) {
                return &speed->Button();
            }
        }
        return nullptr;
    }

    // Plays the generated clip through a graph that renders the file and waits until it plays and its
    // duration reached the seek bar.
    void PlayClip() {
        const std::u16string graph =
            u"<GRAPH version=\"1.0\"><RENDERFILE Filename=\"##TOVVAR:FileName##\"/></GRAPH>";
        TOrderGraphDescription description{};
        description.kind = 1;
        description.text = graph.c_str();
        Player().SendRecord(kOrderGraphDescription, description);
        const std::u16string clip = plat::text::AnsiToWide(std::string(MEDIA_FIXTURES) + "/clip.ogg");
        Player().SetGraphVariable(u"FileName", clip.c_str());
        ASSERT_EQ(Player().Play(), 0);
        ASSERT_TRUE(QTest::qWaitFor([&] { return Player().GetPlayState() == kPlaying; }, kWaitMs));
        ASSERT_TRUE(QTest::qWaitFor([&] { return Player().GetDuration() > 0; }, kWaitMs));
        QCoreApplication::processEvents();
    }

    TErrMessage box_;
    fs::path root_;
    std::vector<std::string> calls_;
    std::unique_ptr<TDVDMain> main_;
    std::unique_ptr<TVideo> video_;
};

TEST_F(PlayerSkinTest, TheDefaultSkinComesUpBelowTheVideoWindow) {
    Start("");
    TSkinForm* form = Skin().MainForm();
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(Skin().ArchivePath(), (root_ / "prog" / "Skins" / "Default.zip").string());
    EXPECT_GT(form->y(), video_->frameGeometry().bottom());
    EXPECT_EQ(form->x(), video_->frameGeometry().left());
    EXPECT_TRUE(ReportedMessages(box_).empty());
    constexpr std::size_t kVolumeDisplays = 4;
    ASSERT_FALSE(Skin().Labels(kVolumeDisplays).empty());
    EXPECT_EQ(Skin().Labels(kVolumeDisplays).front()->TextLabel()->text(),
              QString::number(PlayerConfig().Volume));
    for (const char* command : {"Play", "Pause", "Stop", "NextChapter", "PrevChapter", "Quit", "VolumeMore", "VolumeLess",
                                "VolumeMute"}) {
        EXPECT_NE(ButtonOf(command), nullptr) << command;
    }
}

TEST_F(PlayerSkinTest, ASkinThatFailsFallsBackToTheDefaultWithAMessage) {
    struct Case {
        const char* name;
        std::string setting;
    };
    for (const Case& c : {Case{"missing archive", "Missing.zip"}, Case{"not a zip", "Broken.zip"}}) {
        SCOPED_TRACE(c.name);
        std::ofstream(root_ / "prog" / "Skins" / "Broken.zip") << "not a zip archive";
        Start(c.setting);
        ASSERT_NE(Skin().MainForm(), nullptr);
        EXPECT_TRUE(Skin().MainForm()->isVisible());
        EXPECT_EQ(Skin().ArchivePath(), (root_ / "prog" / "Skins" / "Default.zip").string());
        EXPECT_EQ(ReportedMessages(box_).size(), 1);
        ClearMessages(box_);
        video_.reset();
        main_.reset();
        DestroyPlayerGlobals();
    }
}

TEST_F(PlayerSkinTest, NoDefaultSkinEitherLeavesThePlayerWithoutSkinWindows) {
    fs::remove(root_ / "prog" / "Skins" / "Default.zip");
    Start("Missing.zip");
    EXPECT_EQ(Skin().MainForm(), nullptr);
    EXPECT_EQ(ReportedMessages(box_).size(), 2) << "the skin of the settings and the default";
}

TEST_F(PlayerSkinTest, HidingTheInterfaceHidesTheSkinAndAReloadKeepsItHidden) {
    Start("", true);
    main_->ProcessCommandLine("/NOINTERFACE", 0);
    EXPECT_FALSE(Skin().MainForm()->isVisible());
    main_->LoadSkin((root_ / "prog" / "Skins" / "Default.zip").string());
    ASSERT_NE(Skin().MainForm(), nullptr);
    EXPECT_FALSE(Skin().MainForm()->isVisible());
    Skin().ShowInterface();
    EXPECT_TRUE(Skin().MainForm()->isVisible());
}

TEST_F(PlayerSkinTest, ThePauseButtonPausesAndPlayResumesTheCore) {
    Start("");
    PlayClip();
    THoverButton* pause = ButtonOf("Pause");
    ASSERT_NE(pause, nullptr);
    QTest::mouseClick(pause, Qt::LeftButton, {}, pause->rect().center());
    EXPECT_TRUE(QTest::qWaitFor([&] { return Player().GetPlayState() == kPaused; }, kWaitMs));
    THoverButton* play = ButtonOf("Play");
    ASSERT_NE(play, nullptr);
    QTest::mouseClick(play, Qt::LeftButton, {}, play->rect().center());
    EXPECT_TRUE(QTest::qWaitFor([&] { return Player().GetPlayState() == kPlaying; }, kWaitMs));
}

TEST_F(PlayerSkinTest, TheVolumeButtonsAndTheWheelChangeTheVolume) {
    Start("");
    PlayClip();
    IAudioInfo& audio = *Player().Controllers().Audio;
    audio.SetVolume(50, true);
    ASSERT_EQ(audio.GetVolume(), 50);
    THoverButton* more = ButtonOf("VolumeMore");
    ASSERT_NE(more, nullptr);
    QTest::mouseClick(more, Qt::LeftButton, {}, more->rect().center());
    EXPECT_EQ(audio.GetVolume(), 51) << "one step of Sound/VolumeIncrement";
    QWheelEvent down(QPointF(5, 5), QPointF(5, 5), {}, QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(Skin().MainForm(), &down);
    EXPECT_EQ(audio.GetVolume(), 50);
    THoverButton* mute = ButtonOf("VolumeMute");
    ASSERT_NE(mute, nullptr);
    QTest::mouseClick(mute, Qt::LeftButton, {}, mute->rect().center());
    EXPECT_TRUE(audio.IsMuted());
}

// The seek bar's delay passes at once: each press and move seeks.
class ImmediateTimer : public DelayTimer {
public:
    explicit ImmediateTimer(std::function<void()> expired) : expired_(std::move(expired)) {}
    void Start(int /*intervalMs*/) override { expired_(); }
    void Stop() override {}
    bool IsActive() const override { return false; }

private:
    std::function<void()> expired_;
};

TEST_F(PlayerSkinTest, DraggingTheSeekBarSeeksAndTheTimeDisplayFollows) {
    DelayTimer::InstallFactory(
        [](std::function<void()> expired) { return std::make_unique<ImmediateTimer>(std::move(expired)); });
    Start("");
    DelayTimer::InstallFactory({});
    PlayClip();
    Player().Pause();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Player().GetPlayState() == kPaused; }, kWaitMs));
    ASSERT_FALSE(Skin().SeekBars().empty());
    TSkinSeekBar& bar = *Skin().SeekBars().front();
    const int y = bar.height() / 2;
    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(2, y));
    QTest::mouseMove(&bar, QPoint(bar.width() / 2, y));
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(bar.width() / 2, y));
    const int64_t target = main_->Skin()->Sink().SeekTarget();
    EXPECT_GT(target, Player().GetDuration() / 3);
    EXPECT_LT(target, Player().GetDuration() * 2 / 3);
    // Time events come while playing: the first after resuming is past the sought time.
    const int32_t before = Time();
    Player().Play();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Time() != before; }, kWaitMs));
    EXPECT_GE(Time(), target - 100) << "sought " << target;
    ASSERT_FALSE(Skin().Labels(TSkinScript::kTimeDisplayList).empty());
    const QLabel* time = Skin().Labels(TSkinScript::kTimeDisplayList).front()->TextLabel();
    ASSERT_NE(time, nullptr);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return time->text() == TSkinLabel::FormatTime(Time(), false); }, kWaitMs))
        << "the time display shows the player's time";
}

} // namespace
