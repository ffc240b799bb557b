// The player from its start to its end as a user meets it, on the real core and a program folder
// copied from the one the build made: started with a clip that has a profile beside it, it plays the
// clip with the profile's subtitle over the picture at the subtitle's time, a key of the shipped key
// map pauses it, a command text answers the position, the wheel seeks, and quitting shuts it down; started
// with the test disc, it shows the disc's menu, a button starts a title and a key goes to the next chapter.
#include "core/include/VokradOrders.h"
#include "platform/text/CodePage.h"
#include "platform/win/Message.h"
#include "player/model/binding/PlayerGlobals.h"
#include "player/model/controllers/IAudioInfo.h"
#include "player/model/hub/TPlayControl.h"
#include "player/model/profiles/tests/ProfileArchiveFixture.h"
#include "player/model/settings/Tag_PlayerConfig.h"
#include "player/ui/StartCommandLine.h"
#include "player/ui/TDVDMain.h"
#include "player/ui/TPlayerStartup.h"
#include "tests/PlayerTestFolder.h"
#include "tests/ReportedMessages.h"

#include <QCoreApplication>
#include <QImage>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr int kWaitMs = 20000;

bool Near(QRgb pixel, QRgb expected, int tolerance = 48) {
    return std::abs(qRed(pixel) - qRed(expected)) <= tolerance &&
           std::abs(qGreen(pixel) - qGreen(expected)) <= tolerance &&
           std::abs(qBlue(pixel) - qBlue(expected)) <= tolerance;
}

// Near-white pixels in the lower third of the picture, where a bottom-aligned subtitle is drawn.
int SubtitlePixels(const QImage& picture) {
    int count = 0;
    for (int y = picture.height() * 2 / 3; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            count += Near(picture.pixel(x, y), qRgb(255, 255, 255), 40) ? 1 : 0;
        }
    }
    return count;
}

class WholeRoadTest : public testing::Test {
protected:
    void SetUp() override {
        const char* dist = std::getenv("TOVRIN_DIST_DIR");
        if (dist == nullptr || !fs::exists(fs::path(dist) / "System" / "vokrad.so")) {
            GTEST_SKIP() << "the program folder is not built (TOVRIN_DIST_DIR)";
        }
        folder_ = std::make_unique<PlayerTestFolder>(dist, "road");
        root_ = folder_->Root();
        for (const char* folder : {"INI", "DVD", "Media", "Skins"}) {
            fs::copy(fs::path(dist) / folder, root_ / "prog" / folder, fs::copy_options::recursive);
        }
    }

    void TearDown() override {
        forms_.Others.clear();
        forms_.Main.reset();
        DestroyPlayerGlobals();
        folder_.reset();
    }

    // The start sequence of the program with its arguments.
    void Start(const std::vector<std::string>& arguments) {
        forms_ = TPlayerStartup::CreateForms();
        Main().SetOnClosed([this] { closed_ = true; });
        Main().InitAfterForms(false);
        Main().ProcessCommandLine(StartCommandLine::Build(arguments, fs::current_path().string()), 0);
        Main().StartPlugins(false);
        Main().PostAutoexecScript();
        Video().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Video()));
    }

    TDVDMain& Main() { return *forms_.Main; }
    QWidget& Video() { return *forms_.Others.front(); }
    TPlayControl& Player() { return *Main().PlayControl(); }
    QImage Picture() { return Video().findChild<QWidget*>("Pn_Video")->grab().toImage(); }
    QRgb Centre(const QImage& picture) { return picture.pixel(picture.width() / 2, picture.height() / 3); }

    bool WaitFor(const std::function<bool()>& condition) { return QTest::qWaitFor(condition, kWaitMs); }
    int32_t Time() {
        int32_t title = 0, chapter = 0, time = 0, duration = 0;
        Player().GetPosition(&title, &chapter, &time, &duration);
        return time;
    }

    // Quits as a command text asks, from the event loop, and checks that the program is done.
    void QuitCleanly() {
        Main().ProcessCommandLine("/CMD:QUIT", 0);
        EXPECT_FALSE(closed_) << "the quit is posted";
        plat::win::DispatchPending();
        EXPECT_TRUE(closed_);
        EXPECT_EQ(Main().PlayControl(), nullptr) << "the player was freed";
        EXPECT_TRUE(fs::is_empty(root_ / "prog" / "temp"));
    }

    std::unique_ptr<PlayerTestFolder> folder_;
    fs::path root_;
    TPlayerStartup::TForms forms_;
    bool closed_ = false;
};

TEST_F(WholeRoadTest, AClipWithItsProfilePlaysWithTheSubtitleAndKeysAndCommandsDriveIt) {
    // One colour a second (red, green, blue, white); the subtitle shows from 1.5 s to 3.5 s.
    const fs::path clip = root_ / "my clip.mp4";
    fs::copy_file(fs::path(MEDIA_FIXTURES) / "colours.mp4", clip);
    ASSERT_TRUE(WriteFixtureProfile(
        (root_ / "my clip.zds").string(),
        {{"Volume", 0, 0, false, {{"English", {{1500, 3500, "HELLO WORLD"}}, {{255, 0}}}}}}));
    Start({clip.string()});
    const auto pausedAt = [&](int32_t from, QRgb colour) {
        EXPECT_TRUE(WaitFor([&] { return Player().GetPlayState() == kPlayStatePlaying && Time() >= from; }));
        QTest::keyClick(&Video(), Qt::Key_Space); // Pause in the shipped key map
        EXPECT_TRUE(WaitFor([&] { return Player().GetPlayState() == kPlayStatePaused; }));
        EXPECT_TRUE(WaitFor([&] { return Near(Centre(Picture()), colour); }));
        return SubtitlePixels(Picture());
    };
    EXPECT_EQ(pausedAt(400, qRgb(255, 0, 0)), 0) << "the red second, before the subtitle's time";
    QTest::keyClick(&Video(), Qt::Key_Space); // the same key goes on playing
    EXPECT_GT(pausedAt(2200, qRgb(0, 0, 255)), 30) << "the blue second, with the subtitle over the picture";

    const int32_t position = Main().ProcessCommandLine("/CMD:GETTIME", 0);
    EXPECT_GE(position, 2200);
    EXPECT_LT(position, 3000);
    EXPECT_EQ(position, Player().GetTimeCode());

    // The wheel seeks 5 s back (from the start of the clip at the most) when the settings say so.
    PlayerConfig().MouseWheelFunction = 3;
    const QPointF inside(10, 10);
    QWheelEvent wheel(inside, Video().mapToGlobal(inside), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&Video(), &wheel);
    EXPECT_TRUE(WaitFor([&] { return Near(Centre(Picture()), qRgb(255, 0, 0)); })) << "the red second";
    // Still paused: the position is the new one, and the subtitle of the old place is gone.
    EXPECT_EQ(Player().GetPlayState(), kPlayStatePaused);
    EXPECT_LT(Main().ProcessCommandLine("/CMD:GETTIME", 0), 100) << "within a frame of the start";
    EXPECT_TRUE(WaitFor([&] { return SubtitlePixels(Picture()) == 0; })) << "the subtitle is gone";
    QTest::keyClick(&Video(), Qt::Key_Space);
    EXPECT_TRUE(WaitFor([&] {
        const int32_t time = Main().ProcessCommandLine("/CMD:GETTIME", 0);
        return time > 0 && time < 1500;
    })) << "playing on from the start";
    EXPECT_TRUE(ReportedMessages(*ErrMessage).isEmpty())
        << ReportedMessages(*ErrMessage).join('|').toStdString();
    QuitCleanly();
}

TEST_F(WholeRoadTest, TheTestDiscShowsItsMenuAButtonStartsATitleAndAKeyGoesToTheNextChapter) {
    Start({std::string(DVD_FIXTURES) + "/disc"});
    ASSERT_TRUE(WaitFor([&] { return Player().GetPlayState() == kPlayStatePlaying; }));
    ASSERT_TRUE(WaitFor([&] { return Near(Centre(Picture()), qRgb(0, 0, 128)); })) << "the navy menu";

    ASSERT_EQ(Player().MenuButton(4), 0); // the selected button: title 1
    ASSERT_TRUE(WaitFor([&] { return Player().GetTitle() == 1; }));
    ASSERT_TRUE(WaitFor([&] { return Near(Centre(Picture()), qRgb(0x20, 0x20, 0x20), 24); })) << "title 1";

    QTest::keyClick(&Video(), Qt::Key_N); // NextChapter in the shipped key map
    EXPECT_TRUE(WaitFor([&] { return Player().GetChapter() == 2; }));
    EXPECT_TRUE(ReportedMessages(*ErrMessage).isEmpty())
        << ReportedMessages(*ErrMessage).join('|').toStdString();
    QuitCleanly();
}

// Where button 2 of the test disc's menu (420, 200)-(620, 260) of the 720 x 480 picture lies on the panel.
QPoint SecondButton(const QWidget& panel) {
    return {510 * panel.width() / 720, 230 * panel.height() / 480};
}

TEST_F(WholeRoadTest, OnTheDiscMenuTheArrowsMoveTheHighlightAndKeepTheirCommandsInATitle) {
    Start({std::string(DVD_FIXTURES) + "/disc"});
    ASSERT_TRUE(WaitFor([&] { return Player().GetPlayState() == kPlayStatePlaying; }));
    ASSERT_TRUE(WaitFor([&] { return Near(Centre(Picture()), qRgb(0, 0, 128)); })) << "the navy menu";
    const int32_t volume = Player().Controllers().Audio->GetVolume();

    QTest::keyClick(&Video(), Qt::Key_Right);  // the highlight moves to the second button
    QTest::keyClick(&Video(), Qt::Key_Return); // Menu_Select in the shipped key map
    ASSERT_TRUE(WaitFor([&] { return Player().GetTitle() == 2; })) << "the second button's title";
    EXPECT_EQ(Player().Controllers().Audio->GetVolume(), volume);

    QTest::keyClick(&Video(), Qt::Key_Up); // VolumeMore while no menu is shown
    EXPECT_GT(Player().Controllers().Audio->GetVolume(), volume);
    EXPECT_TRUE(ReportedMessages(*ErrMessage).isEmpty())
        << ReportedMessages(*ErrMessage).join('|').toStdString();
    QuitCleanly();
}

TEST_F(WholeRoadTest, PointingAtAndClickingADiscMenuButtonOnThePanelPlaysItsTitle) {
    Start({std::string(DVD_FIXTURES) + "/disc"});
    ASSERT_TRUE(WaitFor([&] { return Player().GetPlayState() == kPlayStatePlaying; }));
    ASSERT_TRUE(WaitFor([&] { return Near(Centre(Picture()), qRgb(0, 0, 128)); })) << "the navy menu";
    QWidget* panel = Video().findChild<QWidget*>("Pn_Video");
    ASSERT_NE(panel, nullptr);

    QTest::mouseMove(panel, SecondButton(*panel));
    QTest::mouseClick(panel, Qt::LeftButton, Qt::NoModifier, SecondButton(*panel));
    ASSERT_TRUE(WaitFor([&] { return Player().GetTitle() == 2; })) << "the clicked button's title";
    EXPECT_TRUE(WaitFor([&] { return Near(Centre(Picture()), qRgb(0, 0x50, 0), 24); })) << "title 2";
    QuitCleanly();
}

} // namespace
