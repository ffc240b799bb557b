// The player with its skin against the real core: the default skin comes up at start below the video
// window, its buttons and seek bar drive a playing clip, its time display follows the player, a skin
// that fails falls back to the default with a message, and the interface hides.
#include "platform/forms/DialogRunner.h"
#include "player/model/events/PlayerEvents.h"
#include "player/ui/TBackgroundImage.h"
#include "player/ui/TMainActions.h"
#include "player/ui/TScreenMode.h"
#include "player/ui/TVideoMenu2.h"
#include "player/ui/TVideoPopupMenu.h"
#include "player/ui/skin/buttons/DelayTimer.h"
#include "subtitles/zip/TZipControl.h"
#include "tests/ReportedMessages.h"
#include "tests/SkinnedPlayerTest.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <string_view>

namespace {

class PlayerSkinTest : public SkinnedPlayerTest {};

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
    for (const char* command : {"Play", "Pause", "Stop", "NextChapter", "PrevChapter", "Quit", "VolumeMore",
                                "VolumeLess", "VolumeMute"}) {
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
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return time->text() == TSkinLabel::FormatTime(Time(), false); }, kWaitMs))
        << "the time display shows the player's time";
}

// The skin's menu picture goes to the video menu, its windows become the menu's owners with the
// video window, and a right click on any of them pops the menu up; the fallback and its failure.
TEST_F(PlayerSkinTest, TheSkinsPictureAndWindowsGoToTheVideoMenu) {
    Start("");
    TVideoMenu2& menu = main_->VideoMenu();
    menu.Rebuild();
    auto* popup = static_cast<TVideoPopupMenu*>(menu.Menu());
    ASSERT_NE(popup, nullptr);
    ASSERT_FALSE(Skin().MenuLeftBitmap().isNull()) << "the default skin has a menu picture";
    EXPECT_EQ(popup->Logo(), Skin().MenuLeftBitmap());
    EXPECT_TRUE(video_->Background().On())
        << "the video window shows the skin's background until a video plays";
    const auto owns = [&](QWidget* window) {
        return std::any_of(menu.Owners().begin(), menu.Owners().end(),
                           [window](const QPointer<QWidget>& owner) { return owner == window; });
    };
    EXPECT_TRUE(owns(video_.get()));
    EXPECT_TRUE(owns(Skin().MainForm()));
    for (const char* item :
         {"Me_Play", "Me_Pause", "Me_Stop", "Me_PrevChapter", "Me_NextChapter", "Me_Quit"}) {
        EXPECT_NE(popup->findChild<QAction*>(item), nullptr) << item;
    }
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(20, 20),
                            Skin().MainForm()->mapToGlobal(QPoint(20, 20)));
    QApplication::sendEvent(Skin().MainForm(), &click);
    EXPECT_TRUE(popup->isVisible());
    popup->close();

    EXPECT_TRUE(main_->LoadSkin("", false)) << "the default skin";
    EXPECT_TRUE(main_->LoadSkin("Missing.zip", false)) << "falls back to the default skin";
    fs::remove(root_ / "prog" / "Skins" / "Default.zip");
    EXPECT_FALSE(main_->LoadSkin("Missing.zip", false));
    EXPECT_TRUE(owns(video_.get())) << "the menu's owners are rebuilt all the same";
}

TEST_F(PlayerSkinTest, SettingsArePushedIntoThePlayer) {
    settings_ = "[SeekSpeed]\r\nSpeed_2=2\r\nSpeed_3=8\r\n[General]\r\nAutoBookmarkDelay=1234\r\n";
    Start("");
    EXPECT_EQ(Player().ScanSpeedCount(), 3);
    EXPECT_EQ(Player().AutoBookmarkDelay(), 1234u);
    calls_.clear();
    main_->ApplySettings();
    for (uint32_t order : {kOrderColourKey, kOrderOsdStyle, kOrderStyleOverride, kOrderVideoLayout}) {
        EXPECT_NE(std::find(calls_.begin(), calls_.end(), "order " + std::to_string(order)), calls_.end())
            << "order " << order;
    }
}

TEST_F(PlayerSkinTest, TheLanguageFileTranslatesTheMainFormAndTheVideoMenu) {
    UseOwnSystemFolder();
    std::ofstream(root_ / "prog" / "System" / "default.tovrin.lang")
        << "<LANGUAGE Name=\"Test\">\n  <FORM>\n    <DVDMain Caption=\"Lecteur\"/>\n  </FORM>\n"
           "  <STRINGCOLLECTION>\n    <VideoMenu>\n      <Me_Play Text=\"Lecture\"/>\n    </VideoMenu>\n"
           "  </STRINGCOLLECTION>\n</LANGUAGE>\n";
    const fs::path templateFile = root_ / "template.lang";
    settings_ = "[General]\r\nGenerateTranslationFile=" + templateFile.string() + "\r\n";
    Start("");
    EXPECT_EQ(main_->windowTitle(), "Lecteur");
    main_->VideoMenu().Rebuild();
    const QAction* play = main_->VideoMenu().Menu()->findChild<QAction*>("Me_Play");
    ASSERT_NE(play, nullptr);
    EXPECT_EQ(play->text(), "Lecture");

    std::ifstream file(templateFile, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    ASSERT_GE(bytes.size(), 2u) << "the template was written";
    EXPECT_EQ(bytes.substr(0, 2), std::string("\xFF\xFE")) << "UTF-16 with its byte-order mark";
    const QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.data() + 2),
                                            static_cast<qsizetype>((bytes.size() - 2) / 2));
    EXPECT_TRUE(text.startsWith("<LANGUAGE Name=\"New Language\">\r\n    <FORM>\r\n"));
    EXPECT_TRUE(text.contains("<DVDMain")) << text.toStdString();
    EXPECT_LT(text.indexOf("<DVDMain"), text.indexOf("<ErrMessage")) << "the main form, then the message box";
    EXPECT_TRUE(text.contains("<VideoMenu >")) << text.toStdString();
    EXPECT_TRUE(text.contains("<Me_Exit\tText=\"Exit\" />")) << text.toStdString();
    EXPECT_TRUE(text.endsWith("    </StringCollection>\r\n</LANGUAGE>\r\n"));
}

TEST_F(PlayerSkinTest, TheVolumeDisplayShowsTheTranslatedMuteText) {
    UseOwnSystemFolder();
    std::ofstream(root_ / "prog" / "System" / "default.tovrin.lang")
        << "<LANGUAGE Name=\"Test\">\n  <STRINGCOLLECTION>\n    <DVDMain>\n      <Osd_Mute Text=\"Stumm\"/>\n"
           "    </DVDMain>\n  </STRINGCOLLECTION>\n</LANGUAGE>\n";
    Start("");
    main_->OnPlayerEvent(kEventVolume, 0, 0, 0);
    const auto kind =
        static_cast<std::size_t>(std::find(TSkinScript::kLabelKinds.begin(), TSkinScript::kLabelKinds.end(),
                                           std::string_view("VolumeDisplay")) -
                                 TSkinScript::kLabelKinds.begin());
    const auto& labels = Skin().Labels(kind);
    ASSERT_FALSE(labels.empty());
    const QLabel* shown = labels.front()->TextLabel();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->text(), "Stumm");
}

TEST_F(PlayerSkinTest, WithoutALanguageFileEveryTextStaysEnglish) {
    Start("");
    EXPECT_EQ(main_->windowTitle(), TDVDMain::kCaption);
    main_->VideoMenu().Rebuild();
    EXPECT_EQ(main_->VideoMenu().Menu()->findChild<QAction*>("Me_Play")->text(), "Play");
}

// After a load the skin's button of the current mode is pressed (the player starts in disc mode).
TEST_F(PlayerSkinTest, TheModeButtonOfTheCurrentModeIsPressedAfterALoad) {
    const std::string script =
        "[Skins Info]\r\nTitle: Modes\r\n[Format]\r\nForm: Name, Caption, Width, Height\r\n"
        "Button: Left, Top, Width, Height, Caption, Action\r\n[Objects]\r\n"
        "Form: MainForm, Modes, 200, 40\r\nSpeedButton: 4, 4, 60, 30, Disc, EnterDVDMode\r\n"
        "SpeedButton: 70, 4, 60, 30, File, EnterFileMode\r\n";
    const fs::path archive = root_ / "prog" / "Skins" / "Modes.zip";
    TZipControl zip;
    ASSERT_TRUE(zip.Create(archive.c_str()));
    ASSERT_TRUE(zip.AddEntry("skin.txt", script.data(), static_cast<uint32_t>(script.size())));
    ASSERT_TRUE(zip.Close());
    Start("Modes.zip");
    EXPECT_EQ(Skin().ArchivePath(), archive.string());
    ASSERT_TRUE(main_->IsDVDMode());
    THoverButton* disc = ButtonOf("EnterDVDMode");
    THoverButton* file = ButtonOf("EnterFileMode");
    ASSERT_NE(disc, nullptr);
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(disc->Down());
    EXPECT_FALSE(file->Down());
}

TEST_F(PlayerSkinTest, SkinButtonsFollowTheEnabledStateOfTheirCommandsAndShowTheirHints) {
    Start("");
    THoverButton* pause = ButtonOf("Pause");
    ASSERT_NE(pause, nullptr);
    QAction* command = main_->MainActions().Find("Ac_Pause");
    command->setToolTip("Pause the playback");
    EXPECT_EQ(pause->toolTip(), "Pause the playback");
    main_->MainActions().SetAllowed("Ac_Pause", false);
    EXPECT_FALSE(pause->isEnabled()) << "a command that is not allowed has a dead button";
    main_->MainActions().SetAllowed("Ac_Pause", true);
    EXPECT_TRUE(pause->isEnabled());
    for (const auto& speed : Skin().SpeedButtons()) {
        EXPECT_FALSE(speed->Button().toolTip().isEmpty()) << "every bound button has a hint";
    }
}

// Plays the user's part in the file chooser: it keeps the chooser's title and what it lists, and cancels.
class ChooserWatcher : public plat::forms::DialogRunner {
public:
    ChooserWatcher() { SetCurrent(this); }
    ~ChooserWatcher() override { SetCurrent(nullptr); }

    int Run(QDialog& dialog) override {
        titles.push_back(dialog.windowTitle());
        return QDialog::Rejected;
    }

    QStringList titles;
};

TEST_F(PlayerSkinTest, TheOpenButtonOpensTheFileChooser) {
    Start("");
    THoverButton* open = ButtonOf("ShowFileMan");
    ASSERT_NE(open, nullptr);
    EXPECT_TRUE(open->isEnabled());
    ChooserWatcher chooser;
    QTest::mouseClick(open, Qt::LeftButton, {}, open->rect().center());
    EXPECT_EQ(chooser.titles, QStringList{"Select the DVD Profile"});
}

TEST_F(PlayerSkinTest, InFullScreenTheControlsStandInThePictureAndComeBackWithTheMouse) {
    Start("");
    TSkinForm* window = Skin().MainForm();
    ASSERT_NE(window, nullptr);
    const QPoint windowPlace = window->pos();
    const auto found = std::find_if(Skin().Forms().begin(), Skin().Forms().end(),
                                    [](const auto& form) { return form->objectName() == "FullControls"; });
    ASSERT_NE(found, Skin().Forms().end());
    TSkinForm& controls = **found;

    main_->SetScreenMode(TScreenMode::kFullScreen);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(controls.isVisible());
    EXPECT_EQ(controls.windowHandle()->transientParent(), fullscreen_->windowHandle())
        << "the window manager keeps them over the full-screen window";
    EXPECT_EQ(controls.frameGeometry().bottomLeft(), fullscreen_->frameGeometry().bottomLeft())
        << "in the bottom-left corner of the picture";

    // A move over the picture brings them over it again, in their corner.
    controls.move(0, 0);
    const auto moveOver = [](QWidget& window) {
        const QPoint over = window.geometry().center();
        QCursor::setPos(over);
        const QPointF local = window.windowHandle()->mapFromGlobal(QPointF(over));
        QMouseEvent move(QEvent::MouseMove, local, local, QPointF(over), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(window.windowHandle(), &move);
    };
    moveOver(*fullscreen_);
    EXPECT_TRUE(controls.isVisible());
    EXPECT_EQ(controls.frameGeometry().bottomLeft(), fullscreen_->frameGeometry().bottomLeft());

    main_->SetScreenMode(TScreenMode::kWindow);
    EXPECT_FALSE(controls.isVisible());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->pos(), windowPlace) << "the window's controls come back where they stood";
    moveOver(*video_);
    EXPECT_FALSE(controls.isVisible()) << "the full-screen controls stay away in the window";
}

} // namespace
