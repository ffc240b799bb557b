#include "player/ui/TPlaySourceMenu.h"

#include "platform/shell/ShellDialogs.h"
#include "player/model/settings/Tag_PlayerConfig.h"
#include "player/model/settings/Tag_VokradConfig.h"

#include <QActionGroup>
#include <QStorageInfo>

namespace {

constexpr const char* kDrivePrefix = "Menu_PlayDVDDrive_";

QString DeviceOf(const QAction* item) {
    return item->data().toString();
}

} // namespace

TPlaySourceMenu::TPlaySourceMenu(IPlaySourceHost& host) : host_(host) {
    setObjectName("Pop_Play");
    disk_ = addMenu(tr("Playback from disk"));
    disk_->setObjectName("Menu_PlaybackFromDisk");
    folder_ = addMenu(tr("Playback from folder"));
    folder_->setObjectName("Menu_PlaybackFromFolder");
    auto* sources = new QActionGroup(this);
    for (QMenu* source : {disk_, folder_}) {
        source->menuAction()->setCheckable(true);
        sources->addAction(source->menuAction());
    }
    disk_->menuAction()->setChecked(true);
    folderName_ = folder_->addAction(tr("Set folder"));
    folderName_->setObjectName("Menu_FolderName");
    connect(folderName_, &QAction::triggered, this, [this] { Act_PlaySetFolder(); });
    addSeparator();
    removeForcedSubtitle_ = addAction(tr("Disable subtitles (experimental)"));
    removeForcedSubtitle_->setObjectName("Menu_RemoveForcedSubtitle");
    removeForcedSubtitle_->setCheckable(true);
    connect(this, &QMenu::aboutToShow, this, [this] { Pop_PlayPopup(); });
    BuildDriveItems();
}

void TPlaySourceMenu::BuildDriveItems() {
    disk_->clear();
    auto* drives = new QActionGroup(disk_);
    const auto add = [&](const QString& caption, const QString& name, const QString& device) {
        QAction* item = disk_->addAction(caption);
        item->setObjectName(name);
        item->setData(device);
        item->setCheckable(true);
        drives->addAction(item);
        connect(item, &QAction::triggered, this, [this, item] { OnDriveMenuClick(item); });
    };
    add(tr(kAutoCaption), "Menu_PlayAuto", QString());
    for (const plat::shell::OpticalDrive& drive : host_.OpticalDrives()) {
        add(QString::fromStdString(drive.Device), kDrivePrefix + QString::fromStdString(drive.Name),
            QString::fromStdString(drive.Device));
    }
    UpdatePlaySourceMenu();
}

void TPlaySourceMenu::UpdatePlaySourceMenu() {
    const bool fromFolder = PlayerConfig().PlayFolderSet;
    disk_->menuAction()->setChecked(!fromFolder);
    folder_->menuAction()->setChecked(fromFolder);
    const QString drive = QString::fromStdString(VokradConfig().Drive);
    QAction* ticked = disk_->actions().value(0);
    for (QAction* item : disk_->actions()) {
        if (!drive.isEmpty() && DeviceOf(item) == drive) {
            ticked = item;
        }
    }
    if (ticked != nullptr) {
        ticked->setChecked(true);
    }
}

void TPlaySourceMenu::OnDriveMenuClick(QAction* item) {
    VokradConfig().Drive = DeviceOf(item).toStdString();
    Act_PlayFromDisk();
}

void TPlaySourceMenu::ChooseSource(bool fromFolder) {
    PlayerConfig().PlayFolderSet = fromFolder;
    UpdatePlaySourceMenu();
}

void TPlaySourceMenu::Act_PlayFromDisk() {
    ChooseSource(false);
}

void TPlaySourceMenu::Act_PlayFromFolder() {
    ChooseSource(true);
}

void TPlaySourceMenu::Act_PlaySetFolder() {
    const QString chosen = plat::shell::BrowseForFolder(nullptr, tr(kFolderTitle),
                                                        QString::fromStdString(PlayerConfig().PlayFolder));
    if (chosen.isEmpty()) {
        return;
    }
    PlayerConfig().PlayFolder = chosen.toStdString();
    folderName_->setText(chosen);
    Act_PlayFromFolder();
}

void TPlaySourceMenu::Pop_PlayPopup() {
    const auto drives = host_.OpticalDrives();
    for (QAction* item : disk_->actions()) {
        const QString device = DeviceOf(item);
        if (device.isEmpty()) {
            continue;
        }
        QString caption = device;
        for (const plat::shell::OpticalDrive& drive : drives) {
            if (QString::fromStdString(drive.Device) == device && !drive.MountPoints.empty()) {
                const QStorageInfo volume(QString::fromStdString(drive.MountPoints.front()));
                const QString label = volume.name().isEmpty()
                                          ? QString::fromStdString(drive.MountPoints.front())
                                          : volume.name();
                caption += " (" + label + ")";
            }
        }
        item->setText(caption);
    }
}

void TPlaySourceMenu::SetDiscItemsEnabled(bool enabled) {
    for (QAction* item : {disk_->menuAction(), folder_->menuAction(), removeForcedSubtitle_}) {
        item->setEnabled(enabled);
    }
}
