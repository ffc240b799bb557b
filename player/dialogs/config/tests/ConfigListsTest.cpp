// The skin and file-type lists of the settings dialog.
#include "player/dialogs/config/TConfigFileTypesPage.h"
#include "player/dialogs/config/tests/ConfigFixture.h"
#include "player/model/settings/Tag_PlayerConfig.h"

#include <QAbstractButton>
#include <QLabel>
#include <QListWidget>
#include <QTest>

namespace {

using ListsTest = ConfigFixture;

void ClickItem(QListWidget& list, int row) {
    QListWidgetItem* item = list.item(row);
    list.setCurrentItem(item);
    emit list.itemClicked(item);
}

TEST_F(ListsTest, OnlyReadableZipArchivesAreListedAndTheSettingIsSelected) {
    host.WriteProgramFile("Skins/Blue.ZIP", "Blue sky\n");
    host.WriteProgramFile("Skins/broken.zip", "");
    host.WriteProgramFile("Skins/notes.txt", "Not a skin\n");
    host.WriteProgramFile("Skins/Default.zip", "Plain\n");
    StartFrom(std::string(kStartSettings) + "[Skin]\nFilename=blue.zip\n");
    ShowDialog();
    auto* skins = Find<QListWidget>("Ls_Skins");
    ASSERT_EQ(skins->count(), 2);
    EXPECT_EQ(skins->item(0)->text(), QStringLiteral("Blue sky"));
    EXPECT_EQ(skins->item(1)->text(), QStringLiteral("Plain"));
    EXPECT_EQ(skins->currentRow(), 0);
    EXPECT_FALSE(Find<QLabel>("Im_Skins")->isHidden());
}

TEST_F(ListsTest, AChosenSkinAppliesAtOnceAndCancelKeepsTheSetting) {
    host.WriteProgramFile("Skins/Blue.ZIP", "Blue sky\n");
    host.WriteProgramFile("Skins/Default.zip", "Plain\n");
    const std::string before = StartFrom(kStartSettings);
    ShowDialog();
    ClickItem(*Find<QListWidget>("Ls_Skins"), 0);
    EXPECT_EQ(host.loadedSkins, std::vector<std::string>{"Blue.ZIP"});
    EXPECT_FALSE(host.shortcutsOn);
    Dialog().Cancel();
    EXPECT_EQ(PlayerConfig().SkinFileName, "Default.zip");
    EXPECT_EQ(FakeConfigHost::ReadFile(host.SettingsFile()), before);
    ShowDialog();
    ClickItem(*Find<QListWidget>("Ls_Skins"), 0);
    ASSERT_TRUE(Dialog().SaveSettings());
    EXPECT_EQ(Setting("Skin", "Filename"), "Blue.ZIP");
}

TEST_F(ListsTest, WithoutASelectedSkinSaveKeepsTheSetting) {
    StartFrom(std::string(kStartSettings) + "[Skin]\nFilename=Gone.zip\n");
    ShowDialog();
    ASSERT_TRUE(Dialog().SaveSettings());
    EXPECT_EQ(Setting("Skin", "Filename"), "Gone.zip");
}

constexpr const char* kTypes = "[Ext_0]\nNbExtention=2\n[Ext_1]\nExt=.AVI\nIsAsso=1\nType=1\n"
                               "[Ext_2]\nExt=.zds\nIsAsso=0\nType=0\n";

TEST_F(ListsTest, FileTypesShowWithTheirKindAndCheckMarks) {
    StartFrom(std::string(kStartSettings) + kTypes);
    ShowDialog();
    auto* list = Find<QListWidget>("Ch_AssocList");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral(".AVI   (video)"));
    EXPECT_EQ(list->item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(list->item(1)->text(), QStringLiteral(".zds   (profile/scripts)"));
    EXPECT_EQ(list->item(1)->checkState(), Qt::Unchecked);
    Find<QAbstractButton>("Bt_CheckAll")->click();
    ASSERT_TRUE(Dialog().SaveSettings());
    EXPECT_EQ(Setting("Ext_2", "IsAsso"), "1");
    ShowDialog();
    Find<QAbstractButton>("Bt_UncheckAll")->click();
    Find<QAbstractButton>("Bt_RefreshAll")->click();
    EXPECT_EQ(host.associations, (std::vector<bool>{false, true}));
    EXPECT_FALSE(PlayerConfig().Extensions[0].Associate);
}

TEST_F(ListsTest, AddingAFileTypeTakesTheExtensionOfTheFileNameOnly) {
    const struct {
        const char* file;
        const char16_t* extension; // nullptr: nothing added
    } cases[] = {
        {"/films/clip.avi", nullptr}, // ".AVI" is there already
        {"/films/clip.mkv", u".mkv"},
        {"/tmp/x.dir/README", nullptr},        // a dot in a folder's name is no extension
        {"/tmp/archive.verylongext", nullptr}, // too long to be found again
        {"/tmp/noextension", nullptr},
        {"/tmp/name.", nullptr},
    };
    for (const auto& item : cases) {
        SCOPED_TRACE(item.file);
        StartFrom(std::string(kStartSettings) + kTypes);
        ShowDialog();
        choosers.openFile = QString::fromLatin1(item.file);
        Find<QAbstractButton>("Bt_FTAddVideo")->click();
        auto* list = Find<QListWidget>("Ch_AssocList");
        if (item.extension == nullptr) {
            EXPECT_EQ(list->count(), 2);
            continue;
        }
        ASSERT_EQ(list->count(), 3);
        const TExtensionEntry& added = PlayerConfig().Extensions.back();
        EXPECT_EQ(added.Extension, item.extension);
        EXPECT_EQ(added.Type, 1);
        EXPECT_TRUE(added.OpenWithFileManager);
        ASSERT_TRUE(Dialog().SaveSettings());
        EXPECT_EQ(Setting("Ext_3", "Ext"), ".mkv");
        EXPECT_EQ(Setting("Ext_0", "NbExtention"), "3");
    }
}

} // namespace
