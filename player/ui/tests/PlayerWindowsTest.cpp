// The player's windows against the real core on two offscreen monitors: full screen on the monitor the
// video window is on and back, the core laying out for the window it draws into, the video window's
// title bar, background picture and cursor hiding (on a manual clock), its place brought back onto a
// monitor, stay-on-top, and the message boxes silenced from the command line.
#include "core/include/VokradOrders.h"
#include "platform/video/VideoPanel.h"
#include "platform/win/Message.h"
#include "platform/win/Window.h"
#include "platform/win/tests/TestWindow.h"
#include "player/dialogs/TErrMessage.h"
#include "player/dialogs/TYesNo.h"
#include "player/model/binding/PlayerGlobals.h"
#include "player/model/controllers/IVideoControl.h"
#include "player/model/hub/TPlayControl.h"
#include "player/model/settings/Tag_PlayerConfig.h"
#include "player/ui/TBackgroundImage.h"
#include "player/ui/TChapters.h"
#include "player/ui/TDVDMain.h"
#include "player/ui/TFullscreen.h"
#include "player/ui/TMainActions.h"
#include "player/ui/TScreenMode.h"
#include "player/ui/TScriptBridge.h"
#include "player/ui/TVideo.h"
#include "player/ui/TWindowLayering.h"
#include "player/ui/skin/buttons/ManualDelayClock.h"
#include "tests/PlayerTestFolder.h"
#include "tests/RecordingBinding.h"
#include "tests/TwoScreens.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>

namespace fs = std::filesystem;
namespace win = plat::win;

namespace {

class PlayerWindowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* dist = std::getenv("TOVRIN_DIST_DIR");
        if (dist == nullptr || !fs::exists(fs::path(dist) / "System" / "vokrad.so")) {
            GTEST_SKIP() << "the core is not built (TOVRIN_DIST_DIR/System/vokrad.so)";
        }
        ASSERT_EQ(QGuiApplication::screens().size(), 2) << "the test main makes two offscreen monitors";
        folder_ = std::make_unique<PlayerTestFolder>(dist, "windows");
        root_ = folder_->Root();
        CreatePlayerGlobals(std::make_unique<RecordingBinding>(calls_));
        main_ = std::make_unique<TDVDMain>();
        main_->SetMountTable(folder_->MountTable().string());
        main_->FormCreate();
        video_ = std::make_unique<TVideo>(*main_);
        main_->SetVideoForm(video_.get());
        box_ = std::make_unique<TErrMessage>();
        yesNo_ = std::make_unique<TYesNo>();
        fullscreen_ = std::make_unique<TFullscreen>(*main_);
        main_->SetFullscreenForm(fullscreen_.get());
        main_->InitAfterForms(false);
        // The program folder has no skins: that was reported. The box goes, as the user would close it.
        box_->hide();
    }

    void TearDown() override {
        fullscreen_.reset();
        yesNo_.reset();
        box_.reset();
        video_.reset();
        main_.reset();
        DestroyPlayerGlobals();
        folder_.reset();
    }

    size_t Count(const std::string& call) const { return std::count(calls_.begin(), calls_.end(), call); }

    static QRect ClientRect(win::HWND window) {
        win::RECT client{};
        win::GetClientRect(window, &client);
        return QRect(client.left, client.top, client.right - client.left, client.bottom - client.top);
    }

    void MoveMouse(QPoint global) {
        QCursor::setPos(global);
        QWidget* target = QApplication::widgetAt(global);
        QWindow* window = target != nullptr ? target->window()->windowHandle() : nullptr;
        if (window == nullptr) {
            return;
        }
        const QPointF local = window->mapFromGlobal(global);
        QMouseEvent move(QEvent::MouseMove, local, local, global, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(window, &move);
    }

    ManualDelayClock clock_; // before the video window, whose hide timer runs on it
    std::unique_ptr<PlayerTestFolder> folder_;
    fs::path root_;
    std::vector<std::string> calls_;
    std::unique_ptr<TDVDMain> main_;
    std::unique_ptr<TVideo> video_;
    std::unique_ptr<TErrMessage> box_;
    std::unique_ptr<TYesNo> yesNo_;
    std::unique_ptr<TFullscreen> fullscreen_;
};

TEST_F(PlayerWindowsTest, FullScreenCoversTheWholeMonitorTheVideoWindowIsOn) {
    struct Case {
        const char* name;
        QRect video;
        QRect covered;
    };
    const Case cases[] = {
        {"second monitor", QRect(1400, 200, 480, 270), TwoScreens::kSecond},
        {"first monitor", QRect(100, 100, 480, 270), TwoScreens::kFirst},
        {"mostly on the second", QRect(900, 100, 480, 270), TwoScreens::kSecond},
        {"on no monitor", QRect(5000, 3000, 480, 270), QGuiApplication::primaryScreen()->geometry()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        video_->setGeometry(c.video);
        calls_.clear();
        main_->SetScreenMode(TScreenMode::kFullScreen);
        EXPECT_TRUE(fullscreen_->isVisible());
        EXPECT_FALSE(video_->isVisible());
        EXPECT_EQ(fullscreen_->geometry(), c.covered);
        EXPECT_EQ(main_->SkinAnchor(), fullscreen_.get());
        EXPECT_EQ(ClientRect(fullscreen_->Handle()), QRect(QPoint(0, 0), c.covered.size()))
            << "the core lays the picture out for the whole monitor";
        EXPECT_GE(Count("order 205"), 1u);

        main_->SetScreenMode(TScreenMode::kWindow);
        EXPECT_FALSE(fullscreen_->isVisible());
        EXPECT_TRUE(video_->isVisible());
        EXPECT_EQ(video_->geometry(), c.video) << "the window comes back as it was";
        EXPECT_EQ(main_->SkinAnchor(), video_.get());
    }
}

TEST_F(PlayerWindowsTest, ToggleTwiceReturnsAndFullScreenAgainAppliesTheBoundsAgain) {
    const QRect place(1300, 100, 400, 300);
    video_->setGeometry(place);
    main_->SetScreenMode(TScreenMode::kToggle);
    EXPECT_TRUE(fullscreen_->isVisible());
    main_->SetScreenMode(TScreenMode::kToggle);
    EXPECT_TRUE(video_->isVisible());
    EXPECT_FALSE(fullscreen_->isVisible());
    EXPECT_EQ(video_->geometry(), place);

    main_->SetScreenMode(TScreenMode::kFullScreen);
    fullscreen_->setGeometry(10, 10, 100, 100);
    calls_.clear();
    main_->SetScreenMode(TScreenMode::kFullScreen);
    EXPECT_EQ(fullscreen_->geometry(), TwoScreens::kSecond);
    EXPECT_GE(Count("order 205"), 1u) << "the core hears the mode again";

    calls_.clear();
    main_->SetScreenMode(0);
    main_->SetScreenMode(4);
    EXPECT_TRUE(calls_.empty()) << "no other mode exists";
    EXPECT_TRUE(fullscreen_->isVisible());
}

// With the display-mode switch in use, playback stops (its resume point saved) before the display
// changes, goes on after it, and the picture is refreshed whole before the core hears the new mode.
TEST_F(PlayerWindowsTest, TheDisplayModeSwitchComesBetweenSuspendAndResume) {
    IVideoControl* video = main_->PlayControl()->Controllers().Video.get();
    ASSERT_NE(video, nullptr);
    TAspectSettings settings{};
    ASSERT_TRUE(video->GetAspectSettings(&settings));
    settings.SwitchInUse = 1;
    settings.SwitchWidth = 640;
    settings.SwitchHeight = 480;
    video->SetAspectSettings(&settings);
    calls_.clear();
    main_->SetScreenMode(TScreenMode::kFullScreen);
    const auto at = [this](const std::string& call) {
        return std::find(calls_.begin(), calls_.end(), call) - calls_.begin();
    };
    const auto stop = at("order " + std::to_string(kOrderStop));
    const auto colourKey = at("order " + std::to_string(kOrderColourKey));
    const auto mode = at("order " + std::to_string(kOrderDisplayMode));
    ASSERT_LT(mode, static_cast<std::ptrdiff_t>(calls_.size()));
    EXPECT_LT(stop, colourKey) << "suspended before the refresh after the switch";
    EXPECT_LT(colourKey, mode) << "the whole refresh comes before the core hears the mode";
    EXPECT_EQ(fullscreen_->geometry(), QGuiApplication::primaryScreen()->geometry());
}

// The video panel has no meta-object of its own, so findChild would take any widget for it.
bool HoldsVideoPanel(const QWidget& window) {
    const QList<QWidget*> children = window.findChildren<QWidget*>();
    return std::any_of(children.begin(), children.end(), [](QWidget* child) {
        return dynamic_cast<plat::video::VideoPanel*>(child) != nullptr;
    });
}

TEST_F(PlayerWindowsTest, BothWindowsPaintTheSurfaceTheCoreHandsOver) {
    EXPECT_TRUE(HoldsVideoPanel(*fullscreen_));
    EXPECT_TRUE(HoldsVideoPanel(*video_));
    video_->resize(500, 318);
    const QWidget* panel = video_->findChild<QWidget*>("Pn_Video");
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(ClientRect(video_->PanelHandle()), QRect(QPoint(0, 0), panel->size()))
        << "the core's window for the panel has the panel's size";
}

TEST_F(PlayerWindowsTest, ADoubleClickOnTheTitleBarSwitchesFullScreen) {
    auto* caption = video_->findChild<QWidget*>("Pn_Caption");
    ASSERT_NE(caption, nullptr);
    QMouseEvent click(QEvent::MouseButtonDblClick, QPointF(5, 5), caption->mapToGlobal(QPointF(5, 5)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(caption, &click);
    EXPECT_TRUE(fullscreen_->isVisible());
}

TEST_F(PlayerWindowsTest, InFullScreenTheWheelAndTheDoubleClickRunTheirFunctionsAndEscapeLeaves) {
    int louder = 0;
    int fronts = 0;
    main_->MainActions().Bind("Ac_VolumeMore", [&louder] { ++louder; });
    main_->MainActions().Bind("Ac_BringToFront", [&fronts] { ++fronts; });
    PlayerConfig().MouseWheelFunction = 0;
    PlayerConfig().DoubleClickFunction = 0;
    main_->SetScreenMode(TScreenMode::kFullScreen);
    ASSERT_TRUE(fullscreen_->isVisible());
    const QPointF centre = QRectF(fullscreen_->rect()).center();
    QWheelEvent wheel(centre, fullscreen_->mapToGlobal(centre), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(fullscreen_.get(), &wheel);
    EXPECT_EQ(louder, 1) << "the wheel runs the main form's wheel function";
    QTest::mouseDClick(fullscreen_.get(), Qt::LeftButton, Qt::NoModifier, centre.toPoint());
    EXPECT_EQ(fronts, 1) << "the double click runs the double-click function";

    QTest::keyClick(fullscreen_.get(), Qt::Key_Escape);
    EXPECT_FALSE(fullscreen_->isVisible());
    EXPECT_TRUE(video_->isVisible());
    EXPECT_EQ(main_->SkinAnchor(), video_.get());
}

TEST_F(PlayerWindowsTest, BringingThePlayerForwardRestoresItTellsTheEditorAndRaisesTheFullScreen) {
    int editorForwards = 0;
    win::testing::TestWindow editor(
        [&editorForwards](win::HWND, win::UINT msg, win::WPARAM wParam, win::LPARAM) {
            editorForwards += msg == TDVDMain::kMsgEditorRequest && wParam == 1 ? 1 : 0;
            return win::LRESULT{1};
        });
    main_->ProcessCommandLine("/EDITMODE:ON", editor.hwnd());
    video_->showMinimized();
    ASSERT_TRUE(video_->isMinimized());
    main_->MainActions().Find("Ac_BringToFront")->trigger();
    EXPECT_FALSE(video_->isMinimized());
    EXPECT_GE(editorForwards, 1) << "the editor was told to come forward";

    // A hand-over while in full screen brings the full-screen window forward.
    main_->SetScreenMode(TScreenMode::kFullScreen);
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    main_->ProcessCommandLine("/CMD:SHOWVIDEOWIN", 0);
    EXPECT_TRUE(QTest::qWaitForWindowActive(fullscreen_.get()));
    main_->ProcessCommandLine("/EDITMODE:OFF", 0);
}

TEST_F(PlayerWindowsTest, VideoScriptsHideShowPlaceAndSizeTheRealWindowsWithoutAModeSwitch) {
    TGrVariant value(250);
    TGrVariant output(250);
    const auto run = [&](std::u16string_view text) {
        return main_->Bridge().RunScript(text, nullptr, value, output);
    };
    struct Case {
        int32_t mode;
        QWidget* shown;
    };
    const Case cases[] = {{TScreenMode::kWindow, video_.get()},
                          {TScreenMode::kFullScreen, fullscreen_.get()}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        main_->SetScreenMode(c.mode);
        EXPECT_EQ(run(u"video.hide"), 1);
        EXPECT_FALSE(video_->isVisible());
        EXPECT_FALSE(fullscreen_->isVisible());
        EXPECT_EQ(run(u"video.show"), 1);
        EXPECT_TRUE(c.shown->isVisible());
        EXPECT_EQ(video_->isVisible(), c.shown == video_.get()) << "showing switches no mode";
        EXPECT_EQ(main_->SkinAnchor(), c.shown);
    }
    main_->SetScreenMode(TScreenMode::kWindow);
    EXPECT_EQ(run(u"video.showborder(1)"), 1);
    const QSize frame = video_->frameGeometry().size() - video_->size();
    if (frame.isEmpty()) {
        std::cout << "[ NOTE ] this platform gives the window no frame: the frame sizes below are equal\n";
    }
    const QSize size = video_->frameGeometry().size();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(run(u"video.position(300, 200)"), 1);
        EXPECT_EQ(video_->frameGeometry(), QRect(QPoint(300, 200), size)) << "the frame keeps its size";
    }
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(run(u"video.size(500, 400)"), 1);
        EXPECT_EQ(video_->frameGeometry(), QRect(300, 200, 500, 400)) << "the frame is the size asked for";
    }
}

TEST_F(PlayerWindowsTest, TheUserClosesNeitherVideoWindow) {
    for (QWidget* window : {static_cast<QWidget*>(video_.get()), static_cast<QWidget*>(fullscreen_.get())}) {
        window->show();
        EXPECT_FALSE(window->close()) << window->objectName().toStdString();
        EXPECT_TRUE(window->isVisible());
    }
}

TEST_F(PlayerWindowsTest, TheTitleBarShowsTwoNumbersOfAMessage) {
    const win::LRESULT answer =
        win::SendMessage(video_->PanelHandle(), TVideo::kMsgCaptionNumbers, 0, (200 << 16) | 100);
    EXPECT_EQ(video_->CaptionText(), "100 - 200");
    EXPECT_EQ(answer, 0x00010001);
    win::SendMessage(video_->PanelHandle(), TVideo::kMsgCaptionNumbers, 0,
                     static_cast<win::LPARAM>(0xFFFFFFFFu));
    EXPECT_EQ(video_->CaptionText(), "65535 - 65535");
}

TEST_F(PlayerWindowsTest, TheBackgroundCoversThePanelOnlyWhileOnWithAPicture) {
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    TBackgroundImage& back = video_->Background();
    video_->show();
    video_->SetBackgroundBitmap(nullptr);
    video_->UpdateBackground(1);
    EXPECT_FALSE(back.isVisible()) << "no picture";
    video_->SetBackgroundBitmap(&picture);
    video_->UpdateBackground(-1);
    EXPECT_TRUE(back.isVisible());
    video_->resize(600, 400);
    EXPECT_EQ(back.geometry(), video_->findChild<QWidget*>("Pn_Video")->geometry()) << "it follows the panel";
    EXPECT_EQ(back.grab().toImage().pixelColor(3, 3), QColor(Qt::blue));
    video_->UpdateBackground(0);
    video_->resize(500, 300);
    EXPECT_FALSE(back.isVisible()) << "off stays off after a resize";

    fullscreen_->SetBackgroundBitmap(&picture);
    main_->SetScreenMode(TScreenMode::kFullScreen);
    fullscreen_->UpdateBackground(1);
    EXPECT_TRUE(fullscreen_->Background().isVisible());
    EXPECT_EQ(fullscreen_->Background().geometry(), fullscreen_->rect());
}

TEST_F(PlayerWindowsTest, TheCursorHidesAfterTheMouseRestsOverTheVideo) {
    video_->setGeometry(200, 200, 400, 300);
    video_->show();
    video_->SetMouseHide(true, 3000);
    const QPoint overVideo = video_->geometry().center();
    MoveMouse(overVideo);
    EXPECT_TRUE(video_->MouseHidePending());
    calls_.clear();
    clock_.Advance(2999);
    EXPECT_TRUE(main_->MouseCursorShown());
    clock_.Advance(1);
    EXPECT_FALSE(main_->MouseCursorShown());
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::BlankCursor);
    EXPECT_EQ(Count("order 112"), 1u) << "the core hides its cursor too";

    MoveMouse(overVideo + QPoint(5, 5));
    EXPECT_TRUE(main_->MouseCursorShown());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    // A press on the video stops the wait.
    auto* panel = video_->findChild<QWidget*>("Pn_Video");
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(10, 10), panel->mapToGlobal(QPointF(10, 10)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(panel, &press);
    EXPECT_FALSE(video_->MouseHidePending());

    // Resting elsewhere (the second monitor's empty desktop) keeps the cursor.
    MoveMouse(TwoScreens::kSecond.center());
    video_->SetMouseHide(true, 3000);
    clock_.Advance(3000);
    EXPECT_TRUE(main_->MouseCursorShown());

    // With hiding off, moves do not start the wait.
    video_->SetMouseHide(false, 3000);
    MoveMouse(overVideo);
    EXPECT_FALSE(video_->MouseHidePending());
}

TEST_F(PlayerWindowsTest, ResettingPlacesBringsTheWindowsBackOntoTheirMonitor) {
    TChapters chapters;
    main_->SetChaptersForm(&chapters);
    video_->setGeometry(2200, 650, 400, 300);
    box_->move(-300, 100);
    chapters.move(100, -200);
    main_->ResetWindowsPosition();
    EXPECT_EQ(video_->geometry(), QRect(2304 - 400, 720 - 300, 400, 300));
    EXPECT_EQ(box_->pos(), QPoint(0, 100));
    EXPECT_EQ(chapters.pos(), QPoint(100, 0));
    main_->SetChaptersForm(nullptr);
}

TEST_F(PlayerWindowsTest, RestoringShowsTheWindowOfTheScreenModeWhollyOnItsMonitor) {
    video_->setGeometry(2200, 600, 400, 300);
    video_->showMinimized();
    win::SendMessage(main_->Handle(), TDVDMain::kMsgRestore, 0, 0);
    EXPECT_FALSE(video_->isMinimized());
    EXPECT_TRUE(video_->isVisible());
    EXPECT_EQ(video_->geometry(), QRect(2304 - 400, 720 - 300, 400, 300));

    main_->SetScreenMode(TScreenMode::kFullScreen);
    fullscreen_->hide();
    win::SendMessage(main_->Handle(), TDVDMain::kMsgRestore, 0, 0);
    EXPECT_TRUE(fullscreen_->isVisible());
    EXPECT_FALSE(video_->isVisible()) << "full screen stays full screen";
}

TEST_F(PlayerWindowsTest, TheVideoStaysOnTopUnlessItFillsItsMonitorToTheCorner) {
    struct Case {
        const char* name;
        QRect place;
        bool flag;
        bool onTop;
    };
    const Case cases[] = {
        {"asked", QRect(1100, 100, 400, 300), true, true},
        {"not asked", QRect(1100, 100, 400, 300), false, false},
        {"fills the second monitor", TwoScreens::kSecond, true, false},
        {"ends at the second's corner", QRect(1904, 420, 400, 300), true, false},
        {"ends at the first's corner", QRect(624, 468, 400, 300), true, false},
    };
    video_->show();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        video_->setGeometry(c.place);
        main_->SetVideoStayOnTop(c.flag);
        EXPECT_EQ(video_->windowFlags().testFlag(Qt::WindowStaysOnTopHint), c.onTop);
        EXPECT_TRUE(video_->isVisible());
        EXPECT_EQ(video_->geometry(), c.place) << "place and size stay";
    }
}

// An error of the core while opening reaches the message box; the player goes on.
TEST_F(PlayerWindowsTest, AFileThatCannotPlayIsReportedInTheMessageBox) {
    main_->OpenFile((root_ / "missing.avi").string());
    ASSERT_TRUE(QTest::qWaitFor([this] { return box_->isVisible(); }, 20000)) << "no message";
    EXPECT_FALSE(box_->Text().trimmed().isEmpty());
    EXPECT_TRUE(video_->isVisible());
    main_->SetScreenMode(TScreenMode::kFullScreen);
    EXPECT_TRUE(fullscreen_->isVisible()) << "still usable";
}

TEST_F(PlayerWindowsTest, SilentAndSilentOffSwitchBothBoxes) {
    main_->ProcessCommandLine("/SILENT", 0);
    EXPECT_TRUE(box_->Silent());
    EXPECT_TRUE(yesNo_->Silent());
    main_->ShowError(u"not shown");
    EXPECT_FALSE(box_->isVisible());
    EXPECT_EQ(yesNo_->Ask("Clear", "", "", true), TYesNo::kNo);
    main_->ProcessCommandLine("/SILENTOFF", 0);
    EXPECT_FALSE(box_->Silent());
    EXPECT_FALSE(yesNo_->Silent());
    main_->ShowError(u"Fichier \u00e9trange");
    EXPECT_TRUE(box_->isVisible());
    EXPECT_EQ(box_->Text(), QString::fromUtf16(u"\nFichier \u00e9trange"));
}

} // namespace
