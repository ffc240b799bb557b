// The main form against the real core: the start and close sequences (what is asked of the core, in
// order; the core's log; the temporary folder), the command frames through the window procedure, the
// attached editor's answer to the close request, volume arrivals and removals, and the video window
// painting the surface the core hands it.
#include "core/include/VokradNotifications.h"
#include "platform/video/VideoPanel.h"
#include "platform/win/Message.h"
#include "platform/win/NamedMutex.h"
#include "platform/win/Window.h"
#include "player/model/binding/PlayerGlobals.h"
#include "player/model/settings/Tag_PlayerConfig.h"
#include "player/ui/TButtonTexture.h"
#include "player/ui/TChapters.h"
#include "player/model/binding/TCommandFrame.h"
#include "player/ui/TDVDMain.h"
#include "player/ui/TMainActions.h"
#include "player/ui/TPlaySourceMenu.h"
#include "player/ui/TVideo.h"
#include "player/ui/TVideoCaption.h"
#include "player/ui/skin/buttons/TStaticHoverButton.h"
#include "tests/MainFormFixture.h"
#include "tests/ReportedMessages.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMouseEvent>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

namespace fs = std::filesystem;
namespace win = plat::win;

namespace {

using MainFormTest = MainFormFixture;

TEST_F(MainFormTest, StartsTheCoreThenThePlayerAndNamesItsLog) {
    ASSERT_LT(IndexOf("load"), IndexOf("create"));
    EXPECT_LT(IndexOf("create"), IndexOf("order 207"));
    EXPECT_LT(IndexOf("order 207"), calls_.size());
    EXPECT_LT(IndexOf("order 111"), calls_.size()); // the volume of the settings
    EXPECT_LT(IndexOf("order 202"), calls_.size()); // the video panel
    EXPECT_EQ(win::GetWindowTextString(main_->Handle()), "TovrinPlayer");
    EXPECT_TRUE(fs::is_directory(root_ / "prog" / "temp"));
    EXPECT_TRUE(fs::is_directory(root_ / "prog" / "Logs"));
    EXPECT_TRUE(video_->isVisible());
    EXPECT_FALSE(main_->isVisible());
}

TEST_F(MainFormTest, QuitFreesThePlayerBeforeTheCoreStopsAndEmptiesTheTempFolder) {
    std::ofstream(root_ / "prog" / "temp" / "left.bmp") << "x";
    calls_.clear();
    main_->Ac_QuitExecute();
    EXPECT_TRUE(closed_);
    EXPECT_TRUE(main_->IsClosing());
    ASSERT_LT(IndexOf("free"), calls_.size());
    EXPECT_LT(IndexOf("free"), IndexOf("unload"));
    EXPECT_TRUE(fs::is_empty(root_ / "prog" / "temp"));
    EXPECT_FALSE(video_->isVisible());
    // The core wrote its log where it was told to.
    EXPECT_TRUE(fs::exists(root_ / "prog" / "Logs" / "vokrad.log"));
}

TEST_F(MainFormTest, AnswersCommandFramesAndRefusesMalformedOnes) {
    EXPECT_EQ(SendFrame(TCommandFrame::BuildText("/CMD:GETTIME")), 0);
    EXPECT_EQ(SendFrame(TCommandFrame::BuildText("")), 0);
    const int32_t offset[3] = {0, 12, 250};
    calls_.clear();
    EXPECT_EQ(SendFrame(TCommandFrame::BuildOrder(506, {reinterpret_cast<const uint8_t*>(offset), 12})), 0);
    EXPECT_EQ(calls_, std::vector<std::string>{"order 506"});
    EXPECT_EQ(SendFrame(TCommandFrame::BuildOrder(500, {})), -1);
    const int32_t wrongSize[3] = {0, 16, 0};
    EXPECT_EQ(SendFrame(TCommandFrame::BuildOrder(506, {reinterpret_cast<const uint8_t*>(wrongSize), 12})),
              -1);
    EXPECT_EQ(calls_.size(), 1u); // nothing malformed reached the core
    auto negative = TCommandFrame::BuildText("/EDITMODE:ON");
    negative[8] = 0xFF;
    negative[9] = negative[10] = negative[11] = 0xFF;
    EXPECT_EQ(SendFrame(negative, 0x1234), 0);
    EXPECT_FALSE(main_->EditorLock());
    EXPECT_EQ(SendFrame(TCommandFrame::BuildText("/EDITMODE:ON"), 0x1234), 0);
    EXPECT_TRUE(main_->EditorLock());
    EXPECT_EQ(main_->AttachedEditor(), 0x1234u);
}

win::LRESULT editorAnswer = 0;
int closeRequests = 0;

win::LRESULT EditorProcedure(win::HWND hwnd, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
    if (msg == TDVDMain::kMsgEditorRequest && wParam == 0) {
        ++closeRequests;
        return editorAnswer;
    }
    return win::DefWindowProc(hwnd, msg, wParam, lParam);
}

TEST_F(MainFormTest, AnEditorsRefusalLeavesThePlayerRunningAndItsConsentClosesIt) {
    win::RegisterClass({0, &EditorProcedure, nullptr, "TestEditor"});
    const win::HWND editor = win::CreateWindowEx(0, "TestEditor", "", 0, 0, 0, 0, 0, 0, nullptr);
    main_->ProcessCommandLine("/EDITMODE:ON", editor);
    editorAnswer = 0;
    closeRequests = 0;
    main_->Ac_QuitExecute();
    EXPECT_EQ(closeRequests, 1);
    EXPECT_FALSE(main_->IsClosing());
    EXPECT_FALSE(closed_);
    // Still working: the command texts run, and the next quit asks again.
    main_->ProcessCommandLine("/SILENT", 0);
    EXPECT_TRUE(main_->Silent());
    editorAnswer = 1;
    main_->Ac_QuitExecute();
    EXPECT_EQ(closeRequests, 2);
    EXPECT_TRUE(closed_);
    win::DestroyWindow(editor);
    win::UnregisterClass("TestEditor");
}

TEST_F(MainFormTest, WhileAnEditorEditsTheProfileThePlayerNeitherOpensNorEditsOne) {
    struct Case {
        const char* how;
        std::function<void(bool)> lock;
    };
    const Case cases[] = {
        {"the editor's command text",
         [this](bool on) { main_->ProcessCommandLine(on ? "/EDITMODE:ON" : "/EDITMODE:OFF", 0); }},
        {"message 1532",
         [this](bool on) { win::SendMessage(main_->Handle(), TDVDMain::kMsgEditorLock, on, 0); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        for (const bool on : {true, false}) {
            c.lock(on);
            EXPECT_EQ(main_->EditorLock(), on);
            for (const char* name : {"Ac_OpenProfile", "Ac_EditProfile"}) {
                EXPECT_EQ(main_->MainActions().Find(name)->isEnabled(), !on) << name;
            }
        }
    }
}

TEST_F(MainFormTest, TheDialogButtonsWearTheTextureOfTheMainFormsHiddenButtons) {
    auto* texture = main_->findChild<TTexHoverButton*>("Bt_Texture");
    auto* stat = main_->findChild<TStaticHoverButton*>("Bt_StatTexture");
    ASSERT_NE(texture, nullptr);
    ASSERT_NE(stat, nullptr);
    EXPECT_FALSE(texture->isVisible());
    EXPECT_FALSE(stat->isVisible());
    EXPECT_FALSE(texture->LeftGlyph().isNull());
    EXPECT_EQ(stat->LeftGlyph(), texture->LeftGlyph());
    EXPECT_EQ(stat->RightGlyph(), texture->RightGlyph());

    // The message box's Close button, made before the main form, is dressed too.
    auto* close = box_.findChild<TStaticHoverButton*>("Bt_Close");
    ASSERT_NE(close, nullptr);
    const QImage face = close->grab().toImage();
    int edges = 0;
    for (int x = 0; x < TButtonTexture::kCapWidth + 2; ++x) {
        edges += face.pixelColor(x, face.height() / 2) == TButtonTexture::EdgeColour() ? 1 : 0;
    }
    EXPECT_GE(edges, 1) << "the left cap's edge is painted";
}

TEST_F(MainFormTest, TheSettingsDialogsCloseAppliesSavedSettingsOrReadsThemAgainAfterACancel) {
    QMenu* folder = main_->PlayMenu()->FolderMenu();
    ASSERT_FALSE(PlayerConfig().PlayFolderSet);
    PlayerConfig().PlayFolderSet = true; // what the dialog stored
    win::SendMessage(main_->Handle(), TDVDMain::kMsgSettingsClosed, 1, 0);
    EXPECT_TRUE(PlayerConfig().PlayFolderSet) << "saved settings are applied, not read again";
    EXPECT_TRUE(folder->menuAction()->isChecked()) << "the play-source menu follows them";
    PlayerConfig().PlayFolderSet = true; // an unsaved change
    win::SendMessage(main_->Handle(), TDVDMain::kMsgSettingsClosed, 0, 0);
    EXPECT_FALSE(PlayerConfig().PlayFolderSet) << "a cancel reads the settings on disk again";
    EXPECT_FALSE(folder->menuAction()->isChecked());
}

TEST_F(MainFormTest, AQuitThatGoesAheadLetsAStartMeanwhileBecomeTheFirstInstance) {
    setenv("TOVRIN_RUNTIME_DIR", (root_ / "run").c_str(), 1); // made private by the first use
    std::unique_ptr<win::NamedMutex> lock;
    ASSERT_EQ(win::NamedMutex::TryAcquire("TovrinMutex", &lock), win::NamedMutex::Result::Acquired);
    main_->HoldInstanceLock(std::move(lock));
    std::unique_ptr<win::NamedMutex> next;
    EXPECT_EQ(win::NamedMutex::TryAcquire("TovrinMutex", &next), win::NamedMutex::Result::HeldElsewhere);
    EXPECT_NE(win::FindWindow(TDVDMain::kClassName, TDVDMain::kFindTitle), 0u);

    main_->Ac_QuitExecute();
    EXPECT_EQ(win::FindWindow(TDVDMain::kClassName, TDVDMain::kFindTitle), 0u)
        << "no hand-over to a closing player";
    EXPECT_EQ(win::NamedMutex::TryAcquire("TovrinMutex", &next), win::NamedMutex::Result::Acquired);
    unsetenv("TOVRIN_RUNTIME_DIR");
}

TEST_F(MainFormTest, AnEditorThatHasGoneCannotRefuse) {
    main_->ProcessCommandLine("/EDITMODE:ON", 0x7FFF0000u);
    main_->Ac_QuitExecute();
    EXPECT_TRUE(closed_);
}

TEST_F(MainFormTest, ADiscArrivingWhileAMountIsPendingPlaysOnce) {
    const fs::path disc = root_ / "disc";
    fs::create_directories(disc / "VIDEO_TS");
    fs::create_directories(root_ / "stick");
    calls_.clear();
    main_->SetMountPending(true);
    main_->OnVolumeArrival((root_ / "stick").string());
    EXPECT_TRUE(main_->MountPending()); // no VIDEO_TS: ignored
    main_->OnVolumeArrival(disc.string());
    EXPECT_FALSE(main_->MountPending());
    EXPECT_LT(IndexOf("order 100"), calls_.size());
    EXPECT_FALSE(PlayerConfig().DiscOverridePending); // taken by the graph choice
    calls_.clear();
    main_->OnVolumeArrival(disc.string());
    EXPECT_EQ(IndexOf("order 100"), calls_.size()); // no mount pending: nothing starts
    calls_.clear();
    main_->OnVolumeRemoval((root_ / "stick").string());
    EXPECT_TRUE(calls_.empty()); // not the playing disc
    main_->OnVolumeRemoval(disc.string());
    EXPECT_FALSE(calls_.empty()); // the playing disc went: stopped
}

class ConfigFolderTest : public MainFormTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ConfigFolderTest, FindsTheKeyMapAndTheSettingsWithOrWithoutTheLastSeparator) {
    const fs::path folder = root_ / "my settings";
    fs::create_directories(folder);
    std::ofstream(folder / "Keys.cfg") << "<COMMAND><Play><Shortcut>0</Shortcut><Gesture>0</Gesture>"
                                          "<Remote>RC PLAY</Remote></Play></COMMAND>";
    std::ofstream(folder / "Tovrin.ini") << "[Sound]\r\nVolume=37\r\n";
    main_->ProcessCommandLine("/CONFIG:\"" + folder.string() + GetParam() + "\"", 0);
    EXPECT_EQ(main_->Config().IniFileName(), (folder / "Tovrin.ini").string());
    calls_.clear();
    main_->ProcessCommandLine("/IR:RC PLAY", 0);
    EXPECT_LT(IndexOf("order 100"), calls_.size()) << "the remote code of the key map runs Play";
}

INSTANTIATE_TEST_SUITE_P(Separators, ConfigFolderTest, ::testing::Values("", "/", "\\"));

TEST_F(MainFormTest, CommandWordsRunActionsAndPostTheQuit) {
    calls_.clear();
    main_->ProcessCommandLine("/CMD:play /CMD:NoSuchCommand", 0);
    EXPECT_LT(IndexOf("order 100"), calls_.size());
    main_->ProcessCommandLine("/cmd:quit", 0);
    EXPECT_FALSE(main_->IsClosing()) << "the quit is posted, not run at once";
    win::DispatchPending();
    EXPECT_TRUE(closed_);
}

TEST_F(MainFormTest, TheChaptersCommandShowsAndHidesTheChaptersWindow) {
    {
        TChapters chapters;
        main_->SetChaptersForm(&chapters);
        // The user operations allow the chapters list when a chapter may be played.
        main_->MainActions().SetAllowed("Ac_Chapters", true);
        main_->ProcessCommandLine("/CMD:Chapters", 0);
        EXPECT_TRUE(chapters.isVisible());
        main_->ProcessCommandLine("/CMD:chapters", 0);
        EXPECT_FALSE(chapters.isVisible());
        main_->SetChaptersForm(nullptr);
    }
    EXPECT_FALSE(main_->MainActions().Find("Ac_Chapters")->isEnabled()) << "no window: nothing to show";
    main_->ProcessCommandLine("/CMD:Chapters", 0);
}

TEST_F(MainFormTest, ThePlayQueueFollowsThePlaylistOptions) {
    main_->ProcessCommandLine("/PL:\"/m/a b.avi\" /PL:\"/m/c.avi\" /PL:\"/m/d.avi\" /PL:DEL:2", 0);
    ASSERT_EQ(main_->PlayQueue().Count(), 2);
    EXPECT_EQ(main_->PlayQueue().GetItem(1, false)->Path, u"/m/d.avi");
    main_->ProcessCommandLine("/PL:clear", 0);
    EXPECT_EQ(main_->PlayQueue().Count(), 0);
}

TEST_F(MainFormTest, ShowsErrorTextsAsTheErrorControlSendsThemUnlessSilent) {
    ClearMessages(box_);
    ReportError(0, u"%s", u"Fichier \u00e9trange \u4e2d");
    ReportError(6, u"progress only");
    ASSERT_EQ(ReportedMessages(box_).size(), 1);
    EXPECT_EQ(ReportedMessages(box_)[0], QString::fromUtf16(u"Fichier \u00e9trange \u4e2d"));
    main_->ProcessCommandLine("/SILENT", 0);
    ReportError(0, u"hidden");
    EXPECT_EQ(ReportedMessages(box_).size(), 1);
}

TEST(DriveIndexTest, LowestOfTheFirst26Bits) {
    EXPECT_EQ(TDVDMain::DriveIndexFromMask(0), 26);
    EXPECT_EQ(TDVDMain::DriveIndexFromMask(1), 0);
    EXPECT_EQ(TDVDMain::DriveIndexFromMask(0b11000), 3);
    EXPECT_EQ(TDVDMain::DriveIndexFromMask(1u << 26), 26);
}

} // namespace

TEST_F(MainFormTest, TheVideoWindowPaintsTheCoresSurfaceUntilTheCoreLetsGo) {
    const auto paintsSurface = [this] {
        return dynamic_cast<plat::video::VideoPanel*>(video_->findChild<QWidget*>("Pn_Video")) != nullptr;
    };
    EXPECT_TRUE(paintsSurface()) << "the core handed it over";
    main_->Ac_QuitExecute();
    EXPECT_FALSE(paintsSurface());
    EXPECT_NE(video_->findChild<QWidget*>("Pn_Video"), nullptr) << "the black panel again";
}

TEST_F(MainFormTest, TheVideoWindowShowsTheFramesOfTheSurfaceItIsGiven) {
    video_->show();
    auto surface = std::make_shared<plat::video::VideoSurface>();
    ASSERT_EQ(win::SendMessage(video_->PanelHandle(), kMsgCoreVideoSurface, 0,
                               reinterpret_cast<win::LPARAM>(&surface)),
              0);
    video_->layout()->activate();
    for (const QRgb colour : {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(20, 40, 200)}) {
        QImage frame(64, 36, QImage::Format_RGB32);
        frame.fill(colour);
        surface->PresentFrame(frame, {1, 1});
        const QImage shot = video_->grab().toImage();
        EXPECT_EQ(shot.pixel(shot.width() / 2, shot.height() / 2), colour) << std::hex << colour;
    }
    ASSERT_EQ(win::SendMessage(video_->PanelHandle(), kMsgCoreVideoSurface, 0, 0), 0);
    const QImage shot = video_->grab().toImage();
    EXPECT_EQ(shot.pixel(shot.width() / 2, shot.height() / 2), qRgb(0, 0, 0));
}

TEST_F(MainFormTest, TheUserCannotCloseTheVideoWindow) {
    video_->show();
    EXPECT_FALSE(video_->close());
    EXPECT_TRUE(video_->isVisible());
    EXPECT_FALSE(main_->IsClosing());
    EXPECT_FALSE(closed_);
}

TEST_F(MainFormTest, DraggingTheCaptionWithTheLeftButtonMovesTheVideoWindow) {
    struct Row {
        Qt::MouseButton button;
        QPoint moved;
    };
    for (const Row& row : {Row{Qt::LeftButton, {30, 20}}, Row{Qt::RightButton, {0, 0}}}) {
        video_->move(100, 100);
        auto* caption = video_->findChild<TVideoCaption*>("Pn_Caption");
        ASSERT_NE(caption, nullptr);
        const QPoint local(5, 5);
        const QPoint global = caption->mapToGlobal(local);
        QMouseEvent press(QEvent::MouseButtonPress, local, global, row.button, row.button, Qt::NoModifier);
        QCoreApplication::sendEvent(caption->Label(), &press);
        QMouseEvent move(QEvent::MouseMove, local + QPoint(30, 20), global + QPoint(30, 20), Qt::NoButton,
                         row.button, Qt::NoModifier);
        QCoreApplication::sendEvent(caption->Label(), &move);
        QMouseEvent release(QEvent::MouseButtonRelease, local + QPoint(30, 20), global + QPoint(30, 20),
                            row.button, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(caption->Label(), &release);
        EXPECT_EQ(video_->pos(), QPoint(100, 100) + row.moved) << row.button;
    }
}
