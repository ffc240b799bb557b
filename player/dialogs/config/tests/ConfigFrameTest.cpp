// The settings dialog's frame: the page tree, Save and Cancel, a settings folder that cannot be
// written, the language flag, the drive choice and the language and OSD script lists.
#include "player/dialogs/config/TConfigPageTree.h"
#include "player/dialogs/config/tests/ConfigFixture.h"
#include "player/model/settings/Tag_PlayerConfig.h"
#include "player/model/settings/Tag_VokradConfig.h"

#include <QComboBox>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTreeWidget>

#include <cstdlib>
#include <filesystem>

#include <unistd.h>

namespace {

using FrameTest = ConfigFixture;

TEST_F(FrameTest, EachTreeNodeShowsItsPage) {
    const struct {
        int image;
        const char* page;
    } nodes[] = {
        {TConfigPageTree::kInterface, "Pg_General"},
        {TConfigPageTree::kDirectory, "Pg_Directory"},
        {TConfigPageTree::kOsd, "Pg_OSD"},
        {TConfigPageTree::kInfo, "Tb_ErrorCode"},
        {TConfigPageTree::kProperties, "Pg_StyleOverride"},
        {TConfigPageTree::kDirectX9, "Pg_Dx9"},
    };
    StartFrom(kStartSettings);
    ShowDialog();
    auto* tree = Find<TConfigPageTree>("Tr_Config");
    auto* pages = Find<QStackedWidget>("Pc_Config");
    for (const auto& node : nodes) {
        SCOPED_TRACE(node.page);
        tree->SelectPage(node.image);
        EXPECT_EQ(pages->currentWidget()->objectName(), QString::fromLatin1(node.page));
        EXPECT_EQ(Dialog().CurrentPage(), node.image);
    }
}

TEST_F(FrameTest, GroupsCannotBeChosenAndNothingCollapses) {
    StartFrom(kStartSettings);
    ShowDialog();
    auto* tree = Find<QTreeWidget>("Tr_Config");
    tree->setCurrentItem(tree->topLevelItem(0)->child(1));
    const int page = Dialog().CurrentPage();
    for (int group = 0; group < tree->topLevelItemCount(); ++group) {
        QTreeWidgetItem* item = tree->topLevelItem(group);
        EXPECT_FALSE(item->flags() & Qt::ItemIsSelectable);
        EXPECT_TRUE(item->isExpanded());
        tree->setCurrentItem(item);
        EXPECT_EQ(Dialog().CurrentPage(), page);
    }
    EXPECT_EQ(tree->topLevelItem(0)->text(0), QStringLiteral("General"));
    EXPECT_EQ(tree->topLevelItemCount(), 5);
}

TEST_F(FrameTest, SaveWritesIntoTheSettingsFolderAndReopensOnTheInterfacePage) {
    const std::filesystem::path other = host.ProgramFolder() + "Elsewhere/";
    std::filesystem::create_directories(other);
    host.SetSettingsFolder(other.string());
    StartFrom(kStartSettings);
    std::filesystem::remove(other / "Keys.cfg");
    ShowDialog();
    Dialog().ShowPage(TConfigPageTree::kOsd);
    ASSERT_TRUE(Dialog().SaveSettings());
    EXPECT_TRUE(std::filesystem::exists(other / "Tovrin.ini"));
    EXPECT_TRUE(std::filesystem::exists(other / "Keys.cfg"));
    EXPECT_FALSE(std::filesystem::exists(host.ProgramFolder() + "INI/Tovrin.ini"));
    EXPECT_FALSE(Dialog().isVisible());
    EXPECT_EQ(host.closed, std::vector<bool>{true});
    EXPECT_EQ(host.associations, std::vector<bool>{false});
    EXPECT_TRUE(host.shortcutsOn);
    ShowDialog();
    EXPECT_EQ(Dialog().CurrentPage(), TConfigPageTree::kInterface);
    EXPECT_FALSE(host.shortcutsOn);
}

TEST_F(FrameTest, CancelWritesNothingAndAnEditDoesNotSurviveIntoTheNextShow) {
    const std::string before = StartFrom(kStartSettings);
    ShowDialog();
    Find<QSpinBox>("Ud_AutoHide")->setValue(40);
    Dialog().Cancel();
    EXPECT_EQ(host.closed, std::vector<bool>{false});
    EXPECT_EQ(FakeConfigHost::ReadFile(host.SettingsFile()), before);
    EXPECT_EQ(PlayerConfig().AutoHideMouseTime, 12);
    ShowDialog();
    EXPECT_EQ(Find<QSpinBox>("Ud_AutoHide")->value(), 12);
}

// Makes a folder that its owner cannot write into, and gives it back; root needs the immutable flag.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(std::string folder) : folder_(std::move(folder)) {
        std::filesystem::permissions(folder_,
                                     std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        if (::geteuid() == 0) {
            immutable_ = std::system(("chattr +i '" + folder_ + "' 2>/dev/null").c_str()) == 0;
        }
    }
    ~ReadOnlyFolder() { Release(); }
    void Release() {
        if (immutable_) {
            immutable_ = std::system(("chattr -i '" + folder_ + "'").c_str()) != 0;
        }
        std::filesystem::permissions(folder_, std::filesystem::perms::owner_all);
    }
    // Whether writing into it fails now.
    bool Holds() const { return ::geteuid() != 0 || immutable_; }

private:
    std::string folder_;
    bool immutable_ = false;
};

TEST_F(FrameTest, ASettingsFileThatCannotBeWrittenIsReportedAndNothingIsApplied) {
    const std::string before = StartFrom(kStartSettings);
    ReadOnlyFolder folder(host.SettingsFolder());
    if (!folder.Holds()) {
        GTEST_SKIP() << "runs as root on a file system without the immutable flag: the folder stays writable";
    }
    ShowDialog();
    Find<QSpinBox>("Ud_AutoHide")->setValue(40);
    EXPECT_FALSE(Dialog().SaveSettings());
    folder.Release();
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_NE(host.errors[0].find(u"Unable to write the settings file"), std::u16string::npos);
    EXPECT_TRUE(host.closed.empty());
    EXPECT_TRUE(host.associations.empty());
    EXPECT_EQ(PlayerConfig().AutoHideMouseTime, 12);
    EXPECT_EQ(FakeConfigHost::ReadFile(host.SettingsFile()), before);
    // The dialog stays open with the user's edit, and saves once the folder can be written.
    EXPECT_TRUE(Dialog().isVisible());
    EXPECT_EQ(Find<QSpinBox>("Ud_AutoHide")->value(), 40);
    EXPECT_TRUE(Dialog().SaveSettings());
    EXPECT_EQ(Setting("General", "AutoHideMouseTime"), "40");
}

TEST_F(FrameTest, AChangedDoubleClickFunctionAloneReappliesTheTranslation) {
    StartFrom(kStartSettings);
    ShowDialog();
    ASSERT_TRUE(Dialog().SaveSettings());
    EXPECT_EQ(host.translations, 0);
    ShowDialog();
    auto* choice = Find<QComboBox>("Cb_DoubleClickFunction");
    choice->setCurrentIndex(1);
    emit choice->activated(1);
    EXPECT_TRUE(Dialog().LanguageFlag());
    ASSERT_TRUE(Dialog().SaveSettings());
    EXPECT_EQ(host.translations, 1);
    EXPECT_FALSE(Dialog().LanguageFlag());
}

TEST_F(FrameTest, TheDriveChoiceKeepsAStoredDriveThatIsNotPresent) {
    host.drives = {"/media/cdrom0"};
    StartFrom(std::string(kStartSettings) + "[DVDGeneral]\nDrive=/media/usbdvd\n");
    ShowDialog();
    auto* drive = Find<QComboBox>("Ed_DvdDrive");
    EXPECT_EQ(drive->count(), 3);
    EXPECT_EQ(drive->currentText(), QStringLiteral("/media/usbdvd (not present)"));
    ASSERT_TRUE(Dialog().SaveSettings());
    EXPECT_EQ(Setting("DVDGeneral", "Drive"), "/media/usbdvd");
    // A cancelled pick does not survive into the next show.
    ShowDialog();
    drive->setCurrentIndex(1);
    Dialog().Cancel();
    ShowDialog();
    EXPECT_EQ(drive->currentText(), QStringLiteral("/media/usbdvd (not present)"));
    EXPECT_EQ(drive->count(), 3);
}

TEST_F(FrameTest, WithoutOpticalDrivesTheDriveChoiceHoldsOnlyAuto) {
    StartFrom(kStartSettings);
    ShowDialog();
    auto* drive = Find<QComboBox>("Ed_DvdDrive");
    EXPECT_EQ(drive->count(), 1);
    EXPECT_EQ(drive->currentText(), QStringLiteral("Auto"));
    ASSERT_TRUE(Dialog().SaveSettings());
    EXPECT_EQ(Setting("DVDGeneral", "Drive"), "");
}

TEST_F(FrameTest, LanguageAndOsdListsSelectTheSettingOrKeepASettingThatNamesNoFile) {
    host.WriteProgramFile("System/english.tovrin.lang", "<LANGUAGE NAME=\"English\">");
    host.WriteProgramFile("System/French.TOVRIN.LANG", "<language name = \"Fran\xC3\xA7"
                                                       "ais\">");
    host.WriteProgramFile("System/big.OSD", "");
    host.WriteProgramFile("System/small.osd", "");
    StartFrom(kStartSettings);
    ShowDialog();
    auto* language = Find<QComboBox>("Cb_Language");
    ASSERT_EQ(language->count(), 2);
    EXPECT_EQ(language->currentText(), QStringLiteral("English"));
    EXPECT_EQ(language->itemText(1), QStringLiteral("Fran\u00E7ais"));
    EXPECT_EQ(Find<QComboBox>("Cb_OSD")->currentText(), QStringLiteral("big.OSD"));
    language->setCurrentIndex(1);
    ASSERT_TRUE(Dialog().SaveSettings());
    EXPECT_EQ(Setting("General", "Language"), "French.TOVRIN.LANG");

    std::filesystem::remove(host.ProgramFolder() + "System/French.TOVRIN.LANG");
    std::filesystem::remove(host.ProgramFolder() + "System/big.OSD");
    ShowDialog();
    EXPECT_EQ(language->currentIndex(), -1);
    ASSERT_TRUE(Dialog().SaveSettings());
    EXPECT_EQ(Setting("General", "Language"), "French.TOVRIN.LANG");
    EXPECT_EQ(Setting("OSD", "Script"), "big.OSD");
}

} // namespace
