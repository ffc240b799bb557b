#include "player/ui/TMediaOpener.h"

#include "core/include/VokradOrders.h"
#include "platform/shell/ShellDialogs.h"
#include "platform/shell/WaitCursor.h"
#include "platform/text/CaseFold.h"
#include "platform/text/CodePage.h"
#include "platform/text/Path.h"
#include "player/model/controllers/IAudioInfo.h"
#include "player/model/controllers/IVideoControl.h"
#include "player/model/discinfo/TDVDInfo.h"
#include "player/model/hub/TPlayControl.h"
#include "player/model/playlist/TPlayList.h"
#include "player/model/playlist/TPlaylistItem.h"
#include "player/model/profiles/TProfileSubtitles.h"
#include "player/model/settings/Tag_PlayerConfig.h"
#include "player/model/settings/Tag_VokradConfig.h"
#include "player/ui/TCommandLine.h"
#include "player/ui/TDVDMain.h"
#include "player/ui/TFileTypes.h"
#include "player/ui/TMainActions.h"
#include "player/ui/TMainFormEvents.h"
#include "player/ui/TPlayerSkin.h"
#include "player/ui/TVideo.h"

#include <QAction>
#include <QProcess>
#include <QStringList>

#include <filesystem>

namespace fs = std::filesystem;
namespace text = plat::text;

namespace {

constexpr std::size_t kProfileNameBytes = 259;
constexpr std::size_t kPathUnits = 4096;

const char* const kOpenDialogTitle = "Select the DVD Profile";

// The folder the disc's VIDEO_TS is in: a VIDEO_TS folder given itself stands for its parent.
std::string DiscRootOf(const std::string& folder) {
    std::string root = text::path::Normalize(folder);
    while (root.size() > 1 && root.back() == '/') {
        root.pop_back();
    }
    return text::EqualsNoCaseA(text::path::FileName(root), "VIDEO_TS") ? text::path::Folder(root) : root;
}

} // namespace

bool TMediaOpener::HasVideoTs(const std::string& folder) {
    std::error_code error;
    return fs::is_directory(text::path::Join(folder, "VIDEO_TS"), error) ||
           fs::is_directory(text::path::Join(folder, "video_ts"), error);
}

TMediaOpener::TMediaOpener(TDVDMain& main) : main_(main) {}

void TMediaOpener::SetFolders(const TPlayerFolders& folders) {
    history_.SetFolder(folders.Playlists);
    editorProgram_ = folders.Program + kEditorProgram;
}

std::vector<plat::shell::OpticalDrive> TMediaOpener::Drives() const {
    const std::string table = plat::shell::ReadMountInfo(main_.MountTable()).value_or("");
    return plat::shell::ListOpticalDrives(sysBlockFolder_, plat::shell::ParseMountInfo(table));
}

std::string TMediaOpener::FirstDiscInDrives() const {
    for (const plat::shell::OpticalDrive& drive : Drives()) {
        for (const std::string& point : drive.MountPoints) {
            if (HasVideoTs(point)) {
                return point;
            }
        }
    }
    return {};
}

bool TMediaOpener::ReportTooLong(const std::u16string& path) {
    // The core takes the path to play in a fixed field; a longer one would play a cut path.
    if (path.size() < kGraphVariableValueUnits) {
        return false;
    }
    main_.ShowError(u"The path is too long to be played (at most " +
                    text::AnsiToWide(std::to_string(kGraphVariableValueUnits - 1)) + u" characters) : " +
                    path);
    return true;
}

bool TMediaOpener::ReportMissing(const std::u16string& file) {
    std::error_code error;
    if (file.empty() || fs::exists(text::WideToAnsi(file), error)) {
        return false;
    }
    main_.ShowError(u"Unable to find the file : " + file);
    return true;
}

int32_t TMediaOpener::OpenFile(const std::u16string& file, const std::u16string& profile, bool dontPlay,
                               int32_t profileTitle, bool dontStartList) {
    if (ReportMissing(file)) {
        return 0;
    }
    std::error_code error;
    if (!file.empty() && fs::is_directory(text::WideToAnsi(file), error)) {
        if (ReportTooLong(file)) {
            return 0;
        }
        PlayDisc(text::WideToAnsi(file));
        return 1;
    }
    const int32_t type =
        file.empty() ? TFileTypes::kNoType
                     : TFileTypes::GetFileType(PlayerConfig().Extensions, TFileTypes::ExtensionOf(file));
    std::u16string chosen = profile;
    const bool profileGiven = !profile.empty();
    bool isMedia = false;
    int32_t result = 1;
    if (!file.empty() && !ChooseProfile(type, file, chosen, isMedia, dontStartList, result)) {
        return result;
    }
    if (const int32_t applied = ApplyProfile(chosen, isMedia); applied >= 0) {
        return applied;
    }
    if (!isMedia) {
        return 1;
    }
    if (dontPlay || ReportTooLong(file)) {
        return 0;
    }
    main_.Events().SetProfileForNewMedia(profileGiven ? chosen : std::u16string());
    PlayMediaFile(file, chosen, profileTitle);
    return 1;
}

bool TMediaOpener::ChooseProfile(int32_t type, const std::u16string& file, std::u16string& profile,
                                 bool& isMedia, bool dontStartList, int32_t& result) {
    switch (type) {
    case TFileTypes::kProfile:
        profile = file;
        return true;
    case TFileTypes::kVideo:
    case TFileTypes::kAudio:
        isMedia = true;
        if (profile.empty()) {
            profile = TFileTypes::FindCompanionProfile(PlayerConfig().Extensions, file);
        }
        return true;
    case TFileTypes::kDiscImage:
        if (PlayerConfig().ISOToolsEnabled) {
            MountDiscImage(file);
            Ac_Stop();
        } else {
            // The core reads disc images itself: without a mounting tool the image plays directly.
            if (!ReportTooLong(file)) {
                PlayDisc(text::WideToAnsi(file));
            }
        }
        return true;
    case TFileTypes::kPlaylist:
        main_.PlayQueue().LoadFromFile(file);
        if (!dontStartList) {
            PlayQueueItem(-1);
        }
        result = 1;
        return false;
    default:
        profile.clear();
        return true;
    }
}

int32_t TMediaOpener::ApplyProfile(const std::u16string& profile, bool isMedia) {
    if (profile.empty()) {
        CloseProfile();
        return -1;
    }
    TProfileSubtitles* subtitles = main_.ProfileSubtitles();
    if (subtitles == nullptr || subtitles->Open(profile) != 0) {
        return isMedia ? -1 : 0;
    }
    if (TPlayerSkin* skin = main_.Skin()) {
        const std::string name = text::path::FileName(text::WideToAnsi(profile));
        skin->Script().SetProfileName(QString::fromUtf8(
            name.data(), static_cast<qsizetype>(text::Utf8CutLength(name, kProfileNameBytes))));
    }
    if (isMedia) {
        // The disc information of the file about to play is read when it opens; until then the one
        // held belongs to what played before, so the profile is not written into it.
        return -1;
    }
    if (auto* info = dynamic_cast<TDVDInfo*>(main_.PlayControl()->DVDInfo())) {
        info->SetProfile(profile.c_str());
        info->Save();
    }
    return 1;
}

void TMediaOpener::PlayMediaFile(const std::u16string& file, const std::u16string& profile,
                                 int32_t profileTitle) {
    TPlayControl* hub = main_.PlayControl();
    if (hub == nullptr) {
        return;
    }
    if (main_.IsFileMode()) {
        stopForNewFile_ = true;
        Ac_Stop();
        stopForNewFile_ = false;
    } else {
        Ac_Stop();
        enteringFileMode_ = true;
        Ac_EnterFileMode();
    }
    queuePending_ = false;
    currentMedia_ = text::WideToAnsi(file);
    history_.Add(file, profile, profileTitle);
    main_.Config().SetLastFilePath(TPlayerFolders::AsFolder(text::path::Folder(currentMedia_)));
    hub->SetFileName(file.c_str());
    Ac_Play();
    enteringFileMode_ = false;
    if (TVideo* video = main_.VideoForm(); video != nullptr && !playFailed_) {
        video->ShowMediaName(QString::fromStdString(text::path::FileName(currentMedia_)));
    }
    hub->SetProfileTitle(profileTitle);
}

void TMediaOpener::PlayQueueItem(int32_t index) {
    TPlayList& queue = main_.PlayQueue();
    const TPlaylistItem* item = queue.GetItem(index < 0 ? -1 : index, index >= 0);
    // An entry that cannot be opened has said why; the queue goes on with the next one, each tried once.
    for (int32_t tried = 1; item != nullptr && !OpenQueueEntry(*item) && tried < queue.Count(); ++tried) {
        const int32_t before = queue.GetCurrent();
        const int32_t next = queue.Next();
        item = next == before ? nullptr : queue.GetItem(next, false);
    }
}

bool TMediaOpener::OpenQueueEntry(const TPlaylistItem& item) {
    TPlaylistItem entry;
    entry.CopyRecord(item); // opening may change the queue
    playFailed_ = false;
    return OpenFile(entry.Path, entry.ProfileFile, false, entry.ProfileTitle, false) != 0 && !playFailed_;
}

void TMediaOpener::PlayDisc(const std::string& root) {
    if (main_.PlayControl() == nullptr) {
        return;
    }
    if (main_.IsDVDMode()) {
        Ac_Stop();
    } else {
        Ac_EnterDVDMode();
    }
    std::error_code error;
    if (fs::is_regular_file(root, error)) {
        imageOnce_ = root;
    } else {
        PlayerConfig().DiscOverridePending = true;
        PlayerConfig().DiscOverrideDrive = DiscRootOf(root);
    }
    Ac_Play();
    currentMedia_ = root;
    currentDisc_ = root;
}

void TMediaOpener::LoadGraph(TPlayControl& hub) {
    TTovrinConfig& config = main_.Config();
    if (main_.IsFileMode()) {
        config.LoadGraphForFile(TTovrinConfig::kProduct, &hub, TTovrinConfig::kMediaFile,
                                text::AnsiToWide(currentMedia_).c_str());
        return;
    }
    const Tag_PlayerConfig& player = PlayerConfig();
    std::string disc = std::exchange(imageOnce_, {});
    if (disc.empty() && !player.DiscOverridePending && !player.PlayFolderSet) {
        disc = DriveLocation(VokradConfig().Drive);
    }
    config.LoadGraphForFile(TTovrinConfig::kProduct, &hub, TTovrinConfig::kDvdMedia, nullptr);
    if (!disc.empty()) {
        hub.SetGraphVariable(u"FileName", text::AnsiToWide(disc).c_str());
    }
}

std::string TMediaOpener::DriveLocation(const std::string& drive) const {
    if (drive.empty()) {
        return FirstDiscInDrives();
    }
    for (const plat::shell::OpticalDrive& optical : Drives()) {
        if (optical.Device != drive) {
            continue;
        }
        for (const std::string& point : optical.MountPoints) {
            if (HasVideoTs(point)) {
                return point;
            }
        }
        // Not mounted: the navigator reads the drive itself.
        return optical.Device;
    }
    return {}; // a folder named as the drive: the settings' own choice stands
}

bool TMediaOpener::ServePendingQueue() {
    PlayQueueItem(-1);
    return !queuePending_;
}

void TMediaOpener::Ac_Play() {
    TPlayControl* hub = main_.PlayControl();
    if (hub == nullptr) {
        return;
    }
    const uint32_t state = hub->GetPlayState();
    if (state == kPlayStateStopped || state == kPlayStateNoEngine) {
        if (IVideoControl* video = hub->Controllers().Video.get()) {
            video->SetColorKey(VokradConfig().ColorKey, false);
        }
        if (main_.IsFileMode() && queuePending_) {
            if (ServePendingQueue()) {
                return;
            }
            if (history_.Count() == 0) {
                ShowFileMan();
                return;
            }
            // The newest entry: the history is kept newest first.
            const TPlaylistItem* newest = history_.Entry(0);
            OpenFile(newest->Path, newest->ProfileFile, false, newest->ProfileTitle, false);
            return;
        }
        LoadGraph(*hub);
    }
    plat::shell::PushWaitCursor();
    if (TVideo* video = main_.VideoForm(); video != nullptr && video->isMinimized()) {
        video->showNormal();
    }
    playFailed_ = hub->Play() != 0;
    if (!playFailed_) {
        queuePending_ = false;
    }
    main_.Events().ShowVideo(!playFailed_);
    if (IAudioInfo* audio = hub->Controllers().Audio.get()) {
        audio->SetVolume(PlayerConfig().Volume, true);
        if (audio->IsMuted()) {
            audio->Mute(0); // a mute pressed before anything played holds for what plays now
        }
    }
    plat::shell::PopWaitCursor();
}

void TMediaOpener::Ac_Stop() {
    if (enteringFileMode_) {
        return;
    }
    TPlayControl* hub = main_.PlayControl();
    if (hub == nullptr) {
        return;
    }
    plat::shell::PushWaitCursor();
    hub->Stop();
    main_.Events().ResetDisplays();
    queuePending_ = true;
    currentMedia_.clear();
    currentDisc_.clear();
    if (!stopForNewFile_) {
        main_.Events().ShowVideo(false);
    }
    plat::shell::PopWaitCursor();
}

void TMediaOpener::Ac_EnterFileMode() {
    if (main_.IsFileMode()) {
        ShowFileMan();
        return;
    }
    main_.Events().RestoreSkinBackground();
    Ac_Stop();
    main_.SwitchToFileMode();
    queuePending_ = true;
    main_.Events().ResetDisplays();
}

void TMediaOpener::Ac_EnterDVDMode() {
    if (main_.IsDVDMode()) {
        return; // the disc information action, which has no effect
    }
    main_.Events().RestoreSkinBackground();
    main_.SwitchToDiscMode();
    Ac_Stop();
    main_.Events().ResetDisplays();
}

void TMediaOpener::ShowFileMan() {
    QAction* fileManager = main_.MainActions().Find("Ac_ShowFileMan");
    if (fileManager != nullptr && fileManager->isEnabled()) {
        fileManager->trigger();
    } else {
        OpenProfileDialog();
    }
}

void TMediaOpener::CloseProfile() {
    if (TPlayerSkin* skin = main_.Skin()) {
        skin->Script().SetProfileName(QString());
    }
    if (TProfileSubtitles* subtitles = main_.ProfileSubtitles()) {
        subtitles->Close(false);
    }
}

void TMediaOpener::MountDiscImage(const std::u16string& image) {
    const std::string& tool = PlayerConfig().ISOToolsPath;
    QStringList arguments =
        QProcess::splitCommand(QString::fromStdString(tool.empty() ? kDefaultMountTool : tool));
    if (!arguments.isEmpty()) {
        const QString program = arguments.takeFirst();
        arguments << QString::fromStdU16String(image);
        // A tool that is missing or fails shows nothing: the disc's arrival is what plays it.
        QProcess::startDetached(program, arguments);
    }
    main_.SetMountPending(true);
}

bool TMediaOpener::Ac_EditProfile() {
    QStringList arguments;
    if (const TProfileSubtitles* subtitles = main_.ProfileSubtitles()) {
        std::u16string path(kPathUnits, u'\0');
        if (subtitles->GetProfilePath(path.data(), path.size())) {
            path.resize(std::char_traits<char16_t>::length(path.c_str()));
            arguments << QString::fromStdString("/o:" + TCommandLine::Quote(text::WideToAnsi(path)));
        }
    }
    if (QProcess::startDetached(QString::fromStdString(editorProgram_), arguments,
                                QString::fromStdString(main_.Folders().Program))) {
        return true;
    }
    main_.ShowError(u"Unable to start the subtitle editor : " + text::AnsiToWide(editorProgram_));
    return false;
}

void TMediaOpener::OpenProfileDialog() {
    const QString chosen = plat::shell::OpenFileDialog(
        nullptr, QString::fromLatin1(kOpenDialogTitle),
        QString::fromStdString(TFileTypes::OpenDialogFilter(PlayerConfig().Extensions)),
        QStringLiteral("ZDS"), QString::fromStdString(VokradConfig().DVDScriptPath), 1);
    if (!chosen.isEmpty()) {
        OpenFile(chosen.toStdU16String(), u"", false, -1, false);
    }
}
