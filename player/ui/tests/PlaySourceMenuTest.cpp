// The play-source menu alone, over a fake host's drive list: its drive items follow the list it is
// given, their captions name the mounted discs, and a drive's choice goes into the settings.
#include "foundation/tests/TempDir.h"
#include "player/model/settings/Tag_PlayerConfig.h"
#include "player/model/settings/Tag_VokradConfig.h"
#include "player/ui/TPlaySourceMenu.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QStorageInfo>

#include <string>
#include <vector>

namespace {

class TFakePlaySourceHost : public IPlaySourceHost {
public:
    std::vector<plat::shell::OpticalDrive> OpticalDrives() const override { return drives; }
    std::vector<plat::shell::OpticalDrive> drives;
};

std::vector<std::string> Captions(const TPlaySourceMenu& menu) {
    std::vector<std::string> captions;
    for (const QAction* item : menu.DiskMenu()->actions()) {
        captions.push_back(item->text().toStdString());
    }
    return captions;
}

class PlaySourceMenuTest : public testing::Test {
protected:
    void SetUp() override {
        savedDrive_ = VokradConfig().Drive;
        savedFolderSet_ = PlayerConfig().PlayFolderSet;
        VokradConfig().Drive.clear();
        PlayerConfig().PlayFolderSet = false;
    }
    void TearDown() override {
        VokradConfig().Drive = savedDrive_;
        PlayerConfig().PlayFolderSet = savedFolderSet_;
    }

    TempDir dir_;
    TFakePlaySourceHost host_;

private:
    std::string savedDrive_;
    bool savedFolderSet_ = false;
};

} // namespace

TEST_F(PlaySourceMenuTest, TheDriveItemsFollowTheHostsDrivesAndNameTheirMountedDiscs) {
    host_.drives = {{"sr0", "/dev/sr0", {dir_.Path("")}}, {"sr1", "/dev/sr1", {}}};
    TPlaySourceMenu menu(host_);
    menu.Pop_PlayPopup();
    std::string mounted = dir_.Path("");
    const QString label = QStorageInfo(QString::fromStdString(mounted)).name();
    mounted = label.isEmpty() ? mounted : label.toStdString();
    EXPECT_EQ(Captions(menu), (std::vector<std::string>{"Auto", "/dev/sr0 (" + mounted + ")", "/dev/sr1"}));
    EXPECT_TRUE(menu.DiskMenu()->actions().front()->isChecked()) << "no drive chosen: Auto";

    host_.drives = {{"sr1", "/dev/sr1", {}}};
    menu.BuildDriveItems();
    menu.Pop_PlayPopup();
    EXPECT_EQ(Captions(menu), (std::vector<std::string>{"Auto", "/dev/sr1"}));
}

TEST_F(PlaySourceMenuTest, AChosenDriveGoesIntoTheSettingsAndIsTickedWhenTheItemsAreMadeAnew) {
    host_.drives = {{"sr0", "/dev/sr0", {}}, {"sr1", "/dev/sr1", {}}};
    TPlaySourceMenu menu(host_);
    menu.DiskMenu()->actions()[2]->trigger();
    EXPECT_EQ(VokradConfig().Drive, "/dev/sr1");

    menu.BuildDriveItems();
    EXPECT_TRUE(menu.DiskMenu()->actions()[2]->isChecked());
    EXPECT_FALSE(menu.DiskMenu()->actions()[0]->isChecked());
}
