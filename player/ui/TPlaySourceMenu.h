#pragma once
// The play-source menu "Pop_Play" of the main form, shown by the skin's play buttons: where discs are
// played from. "Playback from disk" holds "Auto" (the first optical drive with a DVD in it) and one
// item per optical drive, named by its device ("/dev/sr0", the drive letter of this system);
// "Playback from folder" holds the chosen DVD folder ("Set folder"); "Disable subtitles
// (experimental)" ticks itself. The choice goes into the settings: DVDGeneral/Drive holds the drive's
// device, empty for "Auto".
#include "player/ui/IPlaySourceHost.h"

#include <QMenu>

#include <string>

class QAction;

class TPlaySourceMenu : public QMenu {
public:
    static constexpr const char* kAutoCaption = "Auto";
    static constexpr const char* kFolderTitle = "Select the folder containing the DVD files";

    // The host lists the drives; it must outlive the menu.
    explicit TPlaySourceMenu(IPlaySourceHost& host);

    // "Auto" and one item per optical drive, made anew.
    void BuildDriveItems();
    // Ticks the source and the drive the settings name ("Auto" when no item has that device).
    void UpdatePlaySourceMenu();
    // The drive item's device (none for "Auto") becomes the settings' drive; playback from disk.
    void OnDriveMenuClick(QAction* item);
    void Act_PlayFromDisk();
    void Act_PlayFromFolder();
    // Lets the user choose the DVD folder; a chosen folder is played from.
    void Act_PlaySetFolder();
    // The drive captions with the labels of the discs in them (the menu's showing calls it).
    void Pop_PlayPopup();
    // Disc mode enables the disc sources and the subtitle switch, file mode disables them.
    void SetDiscItemsEnabled(bool enabled);

    QMenu* DiskMenu() const { return disk_; }
    QMenu* FolderMenu() const { return folder_; }
    QAction* FolderItem() const { return folderName_; }
    QAction* RemoveForcedSubtitle() const { return removeForcedSubtitle_; }

private:
    void ChooseSource(bool fromFolder);

    IPlaySourceHost& host_;
    QMenu* disk_;
    QMenu* folder_;
    QAction* folderName_;
    QAction* removeForcedSubtitle_;
};
