#pragma once
// How the main form turns a file, a play-queue entry or a disc into playback: the file's type from
// the settings' extension table, the subtitle profile that goes with it, media files through the play
// queue and the history, disc images through the configured mounting tool, discs from the optical
// drives or a folder, and the actions Play, Stop, Enter File Mode and Enter DVD Mode that switch the
// player between its two modes (which the video window holds). Also starts the subtitle editor with
// the open profile.
#include "platform/shell/OpticalDrives.h"
#include "player/ui/TPlayHistory.h"
#include "player/ui/TPlayerFolders.h"

#include <cstdint>
#include <string>
#include <vector>

class TDVDMain;
class TPlayControl;
class TPlaylistItem;

class TMediaOpener {
public:
    // The mounting tool when the settings name none: a loop device the desktop mounts.
    static constexpr const char* kDefaultMountTool = "udisksctl loop-setup -r -f";
    static constexpr const char* kEditorProgram = "pellit3";

    // Whether the folder holds a disc's VIDEO_TS folder.
    static bool HasVideoTs(const std::string& folder);

    // The main form must outlive the opener.
    explicit TMediaOpener(TDVDMain& main);
    // The history's folder and the editor of the program folder.
    void SetFolders(const TPlayerFolders& folders);
    TMediaOpener(const TMediaOpener&) = delete;
    TMediaOpener& operator=(const TMediaOpener&) = delete;

    // The program started for Ac_EditProfile (the editor of the program folder by default).
    void SetEditorProgram(std::string program) { editorProgram_ = std::move(program); }
    // Where the optical drives are listed ("/sys/block"; their discs from the main form's mount table).
    void SetSysBlockFolder(std::string folder) { sysBlockFolder_ = std::move(folder); }

    // Opens the file (media, profile, disc image, play list or a DVD folder) with its profile (an
    // empty profile: the companion profile of a media file). 1 when the file was handled; 0 when a
    // profile cannot be opened for a file that is no media, when dontPlay stopped a media file, or
    // when the file does not exist (said in a message; what played goes on).
    int32_t OpenFile(const std::u16string& file, const std::u16string& profile, bool dontPlay,
                     int32_t profileTitle, bool dontStartList);
    // index < 0: the queue's current entry; else that entry, which becomes current. Nothing when there
    // is no such entry. An entry that cannot be opened or played is reported and the next one plays.
    void PlayQueueItem(int32_t index);
    // Plays the disc whose root (the folder holding VIDEO_TS, or a disc image) is given, once.
    void PlayDisc(const std::string& root);

    void Ac_Play();
    void Ac_Stop();
    void Ac_EnterFileMode();
    void Ac_EnterDVDMode();
    // Starts the editor with the open profile; false, after saying so, when it cannot be started.
    bool Ac_EditProfile();
    // Lets the user choose a profile or media file and opens it.
    void OpenProfileDialog();
    // Starts the mounting tool on the image; its disc arrival plays it.
    void MountDiscImage(const std::u16string& image);
    void CloseProfile();

    bool QueuePending() const { return queuePending_; }
    const std::string& CurrentMedia() const { return currentMedia_; }
    // The mount root the playing disc came from; empty for a media file.
    const std::string& CurrentDisc() const { return currentDisc_; }
    void ForgetDisc() { currentDisc_.clear(); }
    TPlayHistory& History() { return history_; }
    // The optical drives with the mount points of their discs.
    std::vector<plat::shell::OpticalDrive> Drives() const;

private:
    // The profile a file of that type opens with, and whether the file is media; what the type asks
    // beyond that (a play list, an image) is done here too. False when the call is over.
    bool ChooseProfile(int32_t type, const std::u16string& file, std::u16string& profile, bool& isMedia,
                       bool dontStartList, int32_t& result);
    // 1, 0 or -1 for "go on".
    int32_t ApplyProfile(const std::u16string& profile, bool isMedia);
    // The graph description of the mode, and the disc or file it plays.
    void LoadGraph(TPlayControl& hub);
    void PlayMediaFile(const std::u16string& file, const std::u16string& profile, int32_t profileTitle);
    // Opens the queue's entry; false when it could not be opened or did not start playing.
    bool OpenQueueEntry(const TPlaylistItem& item);
    // False when the queue pending was not served (nothing could be opened).
    bool ServePendingQueue();
    // The first disc in an optical drive, for the "Auto" drive; empty when none holds one.
    std::string FirstDiscInDrives() const;
    // What the navigator plays for the settings' drive: the first disc ("Auto", empty), the disc
    // folder of the drive of that device, or the device itself while nothing of it is mounted.
    // Empty for a drive that names no optical drive.
    std::string DriveLocation(const std::string& drive) const;
    // The file manager; the file chooser while the program has none.
    void ShowFileMan();
    bool ReportMissing(const std::u16string& file);
    // True, after saying so, for a path longer than the core can be given to play.
    bool ReportTooLong(const std::u16string& path);

    TDVDMain& main_;
    TPlayHistory history_;
    std::string editorProgram_;
    std::string sysBlockFolder_ = "/sys/block";
    std::string currentMedia_;
    std::string currentDisc_;
    std::string imageOnce_; // a disc image the next disc graph plays
    bool queuePending_ = true;
    bool stopForNewFile_ = false;
    bool enteringFileMode_ = false;
    bool playFailed_ = false; // the last Play did not start
};
