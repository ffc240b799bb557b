// The video context menu on real controllers (a hub without a core): its items and their order, the
// commands that leave items out, the editor lock, the delayed rebuild on a manual clock, the ticks of
// the selection events, the owner windows and the allowed flag, the clicks, and the look (the items'
// indent, the gradient bar and the logo) by pixel probes.
#include "platform/dvd/DvdAttributes.h"
#include "platform/text/CodePage.h"
#include "player/model/controllers/TAngleInfo.h"
#include "player/model/controllers/TAudioInfo.h"
#include "player/model/controllers/TFiltersInfo.h"
#include "player/model/controllers/TSubsInfo.h"
#include "player/model/events/PlayerEvents.h"
#include "player/model/hub/TPlayerObjects.h"
#include "player/model/profiles/TProfileSubtitles.h"
#include "player/model/profiles/tests/ProfileArchiveFixture.h"
#include "player/ui/TVideoMenu2.h"
#include "player/ui/TVideoPopupMenu.h"
#include "player/ui/skin/buttons/ManualDelayClock.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPointer>
#include <QWidget>

#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <vector>

namespace {

constexpr uint32_t kEnglish = 0x0409;
constexpr uint32_t kFrench = 0x040C;
constexpr uint32_t kNoLanguage = 0x0FFF;

std::array<uint8_t, IAudioInfo::kTrackBytes> AudioRecord(uint32_t language, plat::dvd::DvdAudioFormat format,
                                                         uint8_t channels) {
    std::array<uint8_t, IAudioInfo::kTrackBytes> record{};
    std::memcpy(record.data() + offsetof(plat::dvd::DvdAudioAttributes, language), &language,
                sizeof language);
    std::memcpy(record.data() + offsetof(plat::dvd::DvdAudioAttributes, format), &format, sizeof format);
    record[offsetof(plat::dvd::DvdAudioAttributes, channels)] = channels;
    return record;
}

std::array<uint8_t, ISubsInfo::kTrackBytes> SubsRecord(uint32_t language) {
    std::array<uint8_t, ISubsInfo::kTrackBytes> record{};
    std::memcpy(record.data() + offsetof(plat::dvd::DvdSubpictureAttributes, language), &language,
                sizeof language);
    return record;
}

std::u16string FiltersList() {
    return u"<FILTERSLIST>\n"
           u"<FILTER><Name>Demuxer</Name><CLSID>{D}</CLSID><PINS></PINS></FILTER>\n"
           u"<FILTER><Name>Decoder</Name><CLSID>{C}</CLSID><HasProperties></HasProperties><PINS></PINS></"
           u"FILTER>\n"
           u"</FILTERSLIST>\n";
}

QStringList Names(const QMenu* menu) {
    QStringList names;
    for (const QAction* action : menu->actions()) {
        names << (action->isSeparator() ? QStringLiteral("-") : action->objectName());
    }
    return names;
}

// The sub-menu of that title (the `skip` first ones of that title passed over).
QMenu* SubMenu(const QMenu* menu, const QString& title, int skip = 0) {
    for (const QAction* action : menu->actions()) {
        if (action->menu() != nullptr && action->text() == title && skip-- == 0) {
            return action->menu();
        }
    }
    return nullptr;
}

class VideoMenuTest : public ::testing::Test {
protected:
    VideoMenuTest() {
        for (const char* name : TVideoMenu2::kActionNames) {
            auto* action = new QAction(QString::fromLatin1(name), &actionOwner_);
            action->setObjectName(QString::fromLatin1(name));
            QObject::connect(action, &QAction::triggered, [this, name] { ++runs_[name]; });
            actions_ << action;
        }
        audio_.AddTrack(AudioRecord(kNoLanguage, plat::dvd::DvdAudioFormat::Ac3, 6));
        audio_.AddTrack(AudioRecord(kEnglish, plat::dvd::DvdAudioFormat::Dts, 2));
        subs_.AddTrack(SubsRecord(kFrench));
        subs_.AddTrack(SubsRecord(0));
        filters_.ParseFiltersXml(FiltersList().c_str());
        menu_ = std::make_unique<TVideoMenu2>();
        menu_->AddOwnerForm(&owner_);
    }

    // Builds the menu with the commands that `keep` accepts.
    void Build(const std::function<bool(const char*)>& keep = [](const char*) { return true; }) {
        TVideoMenu2::Table table = TVideoMenu2::TableOf(actions_);
        for (std::size_t i = 0; i < table.Actions.size(); ++i) {
            if (!keep(TVideoMenu2::kActionNames[i])) {
                table.Actions[i] = nullptr;
            }
        }
        table.Audio = [this](int32_t tag) { clicks_.push_back("audio " + std::to_string(tag)); };
        table.Subtitle = [this](int32_t tag) { clicks_.push_back("subtitle " + std::to_string(tag)); };
        menu_->SetActions(table);
        menu_->AttachPlayer({nullptr, &audio_, &subs_, &angles_, &filters_, profile_, 0}, editorLock_);
        menu_->Rebuild();
        ASSERT_NE(menu_->Menu(), nullptr);
    }

    // The menu again, its rebuild timer on a manual clock.
    ManualDelayClock& UseManualClock() {
        clock_ = std::make_unique<ManualDelayClock>();
        menu_ = std::make_unique<TVideoMenu2>();
        menu_->AddOwnerForm(&owner_);
        return *clock_;
    }

    QAction* Named(const QMenu* menu, const char* name) {
        for (QAction* action : menu->actions()) {
            if (action->objectName() == QLatin1String(name)) {
                return action;
            }
        }
        return nullptr;
    }

    QObject actionOwner_;
    QList<QAction*> actions_;
    std::map<std::string, int> runs_;
    std::vector<std::string> clicks_;
    TPlayerObjects hub_{nullptr};
    TAudioInfo audio_{hub_};
    TSubsInfo subs_{hub_};
    TAngleInfo angles_{hub_};
    TFiltersInfo filters_{hub_};
    QWidget owner_;
    bool editorLock_ = false;
    TProfileSubtitles* profile_ = nullptr;
    std::unique_ptr<ManualDelayClock> clock_;
    std::unique_ptr<TVideoMenu2> menu_;
};

TEST_F(VideoMenuTest, ItemsFollowEachOtherAsTheMenuIsLaidOut) {
    Build();
    const QMenu* menu = menu_->Menu();
    const QStringList expected = {"Me_Play",
                                  "Me_Pause",
                                  "Me_Stop",
                                  "-",
                                  "Me_FastBackward",
                                  "Me_FastForward",
                                  "-",
                                  "Me_PrevChapter",
                                  "Me_NextChapter",
                                  "-",
                                  "Me_Chapters",
                                  "Me_Bookmarks",
                                  "-",
                                  "Me_Fullscreen",
                                  "Me_MenuMenu",
                                  "-",
                                  "Me_Lang",
                                  "Me_Subs",
                                  "Me_Lang",
                                  "-",
                                  "Me_ProVol",
                                  "Me_ProLang",
                                  "Me_ShowProfSub",
                                  "-",
                                  "Me_Filters",
                                  "Me_Config",
                                  "Me_About",
                                  "-",
                                  "Me_Quit"};
    EXPECT_EQ(Names(menu), expected);
    EXPECT_EQ(Named(menu, "Me_FastBackward")->text(), "Fast Backward");
    EXPECT_EQ(Named(menu, "Me_Quit")->text(), "Exit");
    EXPECT_EQ(Named(menu, "Me_Quit")->data().toInt(), TVideoMenu2::kQuitTag);
    EXPECT_EQ(Names(SubMenu(menu, "Bookmarks")), QStringList({"Me_AddBook", "Me_ManBook", "-"}));
    EXPECT_EQ(Names(SubMenu(menu, "Menu...")),
              QStringList({"Me_MTitle", "Me_MRoot", "Me_MSub", "Me_MAudio", "Me_MAngle", "Me_MChapter"}));

    const QMenu* audio = SubMenu(menu, "Language...");
    ASSERT_NE(audio, nullptr);
    ASSERT_EQ(audio->actions().size(), 2);
    EXPECT_EQ(audio->actions()[0]->text(), "Unknow  (AC3 - 6Ch.)");
    EXPECT_EQ(audio->actions()[1]->text(), "English  (dts - 2Ch.)");
    EXPECT_TRUE(audio->actions()[1]->isCheckable());

    const QMenu* subtitles = SubMenu(menu, "Subtitle...");
    ASSERT_NE(subtitles, nullptr);
    EXPECT_EQ(Names(subtitles), QStringList({"Me_ShowSub", "-", "Me_Subtitles", "Me_Subtitles"}));
    EXPECT_EQ(subtitles->actions()[2]->text(), "French");
    EXPECT_EQ(subtitles->actions()[3]->text(), "Unknow");

    // A file without angles: a disabled, empty angle menu.
    const QMenu* angles = SubMenu(menu, "Angle...");
    ASSERT_NE(angles, nullptr);
    EXPECT_TRUE(angles->actions().isEmpty());
    EXPECT_FALSE(angles->menuAction()->isEnabled());

    const QMenu* filters = SubMenu(menu, "Filters Configuration");
    ASSERT_NE(filters, nullptr);
    ASSERT_EQ(filters->actions().size(), 2);
    EXPECT_EQ(filters->actions()[0]->text(), "Demuxer");
    EXPECT_FALSE(filters->actions()[0]->isEnabled()) << "a filter without property pages";
    EXPECT_TRUE(filters->actions()[1]->isEnabled());
    EXPECT_EQ(filters->actions()[1]->data().toInt(), 1);
}

TEST_F(VideoMenuTest, ADiscWithOneAngleShowsAngleOne) {
    angles_.SetCount(1);
    Build();
    const QMenu* angles = SubMenu(menu_->Menu(), "Angle...");
    ASSERT_NE(angles, nullptr);
    EXPECT_TRUE(angles->menuAction()->isEnabled());
    EXPECT_EQ(Names(angles), QStringList({"Me_ChangeAng0"}));
    EXPECT_EQ(angles->actions()[0]->text(), "Angle 1");
}

TEST_F(VideoMenuTest, SubMenusWithNothingToChooseAreDisabled) {
    Build(); // no profile: its volumes and languages are empty, while their actions stay enabled
    for (const char* name : {"Me_ProVol", "Me_ProLang", "Me_Lang"}) {
        SCOPED_TRACE(name);
        QAction* entry = Named(menu_->Menu(), name);
        ASSERT_NE(entry, nullptr);
        ASSERT_NE(entry->menu(), nullptr);
        const bool empty = entry->menu()->actions().empty() ||
                           std::all_of(entry->menu()->actions().begin(), entry->menu()->actions().end(),
                                       [](const QAction* item) { return item->isSeparator(); });
        EXPECT_EQ(entry->isEnabled(), !empty);
    }
    QAction* volumes = Named(menu_->Menu(), "Me_ProVol");
    actions_[TVideoMenu2::kMProVol]->setEnabled(false);
    actions_[TVideoMenu2::kMProVol]->setEnabled(true);
    EXPECT_FALSE(volumes->isEnabled()) << "its action's change leaves an empty sub-menu disabled";
}

TEST_F(VideoMenuTest, MissingCommandsLeaveTheirItemsOut) {
    Build([](const char* name) { return std::string(name) == "Ac_Play" || std::string(name) == "Ac_Quit"; });
    EXPECT_EQ(Names(menu_->Menu()), QStringList({"Me_Play", "-", "-", "-", "-", "Me_ProVol", "Me_ProLang",
                                                 "-", "Me_Filters", "-", "Me_Quit"}));
}

TEST_F(VideoMenuTest, TheEditorLockLeavesTheProfileSectionOut) {
    editorLock_ = true;
    Build();
    const QStringList names = Names(menu_->Menu());
    for (const char* name : {"Me_ProVol", "Me_ProLang", "Me_ShowProfSub"}) {
        EXPECT_FALSE(names.contains(name)) << name;
    }
    EXPECT_TRUE(names.contains("Me_Filters"));
}

TEST_F(VideoMenuTest, SeveralListChangesWithinTheDelayGiveOneRebuild) {
    ManualDelayClock& clock = UseManualClock();
    Build();
    QPointer<QMenu> first = menu_->Menu();
    for (int i = 0; i < 3; ++i) {
        audio_.NotifyAll(); // event 21: the audio list changed
        clock.Advance(100);
    }
    EXPECT_EQ(menu_->Menu(), first) << "still waiting";
    clock.Advance(TVideoMenu2::kRebuildDelayMs - 100 - 1);
    EXPECT_EQ(menu_->Menu(), first);
    clock.Advance(1);
    EXPECT_TRUE(first.isNull()) << "rebuilt 250 ms after the last change";
    EXPECT_NE(menu_->Menu(), nullptr);
    EXPECT_EQ(clock.ActiveCount(), 0) << "once";
}

TEST_F(VideoMenuTest, SelectionEventsTickItemsAndARebuildTicksThemAgain) {
    Build();
    audio_.SetCurrent(1);
    subs_.SetCurrent(0, true);
    menu_->OnPlayerEvent(kEventProfileShown, 1, 0);
    const auto ticks = [this] {
        const QMenu* menu = menu_->Menu();
        return std::array<bool, 4>{SubMenu(menu, "Language...")->actions()[1]->isChecked(),
                                   SubMenu(menu, "Subtitle...")->actions()[2]->isChecked(),
                                   Named(SubMenu(menu, "Subtitle..."), "Me_ShowSub")->isChecked(),
                                   Named(menu, "Me_ShowProfSub")->isChecked()};
    };
    EXPECT_EQ(ticks(), (std::array<bool, 4>{true, true, true, true}));
    menu_->Rebuild();
    EXPECT_EQ(ticks(), (std::array<bool, 4>{true, true, true, true}));
    subs_.SetCurrent(1, false);
    EXPECT_FALSE(SubMenu(menu_->Menu(), "Subtitle...")->actions()[2]->isChecked());
    EXPECT_TRUE(SubMenu(menu_->Menu(), "Subtitle...")->actions()[3]->isChecked());
    EXPECT_FALSE(Named(SubMenu(menu_->Menu(), "Subtitle..."), "Me_ShowSub")->isChecked());
    // An index beyond the list ticks nothing and breaks nothing.
    audio_.SetCurrent(7);
    EXPECT_TRUE(SubMenu(menu_->Menu(), "Language...")->actions()[1]->isChecked());
}

TEST_F(VideoMenuTest, ItemsRunTheirCommandsAfterTheMenuClosesAndFollowTheirState) {
    Build();
    Named(menu_->Menu(), "Me_Pause")->trigger();
    EXPECT_EQ(runs_["Ac_Pause"], 0) << "not from inside the menu";
    QCoreApplication::processEvents();
    EXPECT_EQ(runs_["Ac_Pause"], 1);

    SubMenu(menu_->Menu(), "Language...")->actions()[1]->trigger();
    SubMenu(menu_->Menu(), "Subtitle...")->actions()[3]->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(clicks_, (std::vector<std::string>{"audio 1", "subtitle 1"}));

    actions_[TVideoMenu2::kStop]->setEnabled(false);
    EXPECT_FALSE(Named(menu_->Menu(), "Me_Stop")->isEnabled());
    actions_[TVideoMenu2::kMLang]->setEnabled(false);
    EXPECT_FALSE(SubMenu(menu_->Menu(), "Language...")->menuAction()->isEnabled())
        << "the audio menu follows the audio-stream user operation";
}

TEST_F(VideoMenuTest, TheMenuPopsUpOverItsOwnersOnlyWhileAllowed) {
    ManualDelayClock& clock = UseManualClock();
    menu_->AddOwnerForm(&owner_);
    EXPECT_EQ(menu_->Owners().size(), 1u) << "an owner is added once";
    Build();
    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(50, 50));
    EXPECT_TRUE(QApplication::sendEvent(&owner_, &request) && request.isAccepted());
    EXPECT_TRUE(menu_->Menu()->isVisible());

    menu_->SetAllowed(false);
    clock.Advance(TVideoMenu2::kRebuildDelayMs);
    EXPECT_EQ(menu_->Menu(), nullptr);
    QContextMenuEvent refused(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(50, 50));
    QApplication::sendEvent(&owner_, &refused);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);

    menu_->SetAllowed(true);
    clock.Advance(TVideoMenu2::kRebuildDelayMs);
    EXPECT_NE(menu_->Menu(), nullptr);

    menu_->AddOwnerForm(nullptr);
    menu_->Rebuild();
    EXPECT_EQ(menu_->Menu(), nullptr) << "no owner, no menu";
}

// The top panel's items start right of the bar and are 75 pixels wider than the plain look measures
// them; the bar runs from light to dark blue down to the logo, which overlaps the Quit item's foot.
TEST_F(VideoMenuTest, TheTopPanelDrawsAGradientBarWithTheLogoAtItsFoot) {
    QImage logo(30, 40, QImage::Format_RGB32);
    logo.fill(QColor(0, 200, 0));
    menu_->SetLogo(logo);
    Build();
    auto* menu = static_cast<TVideoPopupMenu*>(menu_->Menu());
    menu->adjustSize();
    const QImage picture = menu->grab().toImage();
    const QRect quit = menu->actionGeometry(Named(menu, "Me_Quit"));
    const int quitBottom = quit.y() + quit.height();
    const int barBottom = quitBottom - (logo.height() - TVideoPopupMenu::kLogoOverlap);

    const QColor top = picture.pixelColor(5, 0);
    EXPECT_NEAR(top.red(), 128, 3);
    EXPECT_NEAR(top.blue(), 255, 3);
    const QColor bottom = picture.pixelColor(5, barBottom - 1);
    EXPECT_NEAR(bottom.red(), 10, 3);
    EXPECT_NEAR(bottom.blue(), 134, 3);
    EXPECT_EQ(picture.pixelColor(29, barBottom + 1), QColor(0, 200, 0)) << "the logo";
    EXPECT_NE(picture.pixelColor(TVideoPopupMenu::kSideBarWidth, 2), top) << "the bar is 30 pixels wide";

    QMenu plain;
    plain.setStyle(menu->style());
    EXPECT_EQ(menu->actionGeometry(Named(menu, "Me_Play")).x(), 0);
    EXPECT_GE(menu->width(), TVideoPopupMenu::kExtraWidth + TVideoPopupMenu::kItemIndent);
}

// The profile's volumes and the current volume's languages, ticked as the profile announces its
// choice; a language item chooses its language.
TEST_F(VideoMenuTest, ProfileVolumesAndLanguagesAreListedTickedAndChosen) {
    const std::filesystem::path archive =
        std::filesystem::temp_directory_path() / ("tovrin-menu-" + std::to_string(getpid()) + ".zds");
    ASSERT_TRUE(WriteFixtureProfile(
        archive.string(), {{"Disc one",
                            0,
                            0,
                            false,
                            {{"English", {{0, 1000, "Hello"}}, {}}, {"French", {{0, 1000, "Salut"}}, {}}}},
                           {"Disc two", 0, 0, false, {{"German", {{0, 1000, "Hallo"}}, {}}}}}));
    TProfileSubtitles profile(&hub_);
    profile_ = &profile;
    Build();
    ASSERT_EQ(profile.Open(plat::text::AnsiToWide(archive.string())), 0);
    menu_->Rebuild();
    const QMenu* volumes = SubMenu(menu_->Menu(), "Volume...");
    const QMenu* languages = SubMenu(menu_->Menu(), "Language...", 1);
    ASSERT_NE(volumes, nullptr);
    ASSERT_NE(languages, nullptr);
    EXPECT_EQ(Names(volumes), QStringList({"ProVol_1", "ProVol_2"}));
    EXPECT_EQ(volumes->actions()[1]->text(), "Disc two");
    EXPECT_EQ(Names(languages), QStringList({"ProLan_1", "ProLan_2"}));
    EXPECT_EQ(languages->actions()[1]->text(), "French");
    EXPECT_TRUE(volumes->actions()[0]->isChecked());
    EXPECT_TRUE(languages->actions()[0]->isChecked());

    languages->actions()[1]->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(profile.LanguageIndex(), 1);
    EXPECT_TRUE(languages->actions()[1]->isChecked()) << "ticked by the profile's event";
    menu_->DetachPlayer();
    std::filesystem::remove(archive);
}

} // namespace
