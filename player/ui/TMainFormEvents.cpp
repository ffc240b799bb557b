#include "player/ui/TMainFormEvents.h"

#include "foundation/TMemoryObject.h"
#include "platform/text/CodePage.h"
#include "platform/text/Path.h"
#include "player/model/controllers/IUserOperations.h"
#include "player/model/controllers/IVideoControl.h"
#include "player/model/controllers/TUOPS.h"
#include "player/model/discinfo/TDVDInfo.h"
#include "player/model/errors/TErrorControl.h"
#include "player/model/events/PlayerEvents.h"
#include "player/model/hub/TPlayControl.h"
#include "player/model/profiles/TProfileSubtitles.h"
#include "player/model/settings/Tag_PlayerConfig.h"
#include "player/model/shell/ShellFiles.h"
#include "player/scripting/remote/TPlugIns.h"
#include "player/ui/TDVDMain.h"
#include "player/ui/TMainActions.h"
#include "player/ui/TPlayerSkin.h"
#include "player/ui/TVideo.h"

#include <QImageReader>

#include <string_view>
#include <utility>

namespace {

// The actions that the user operations govern, with the operation each needs.
struct TUopAction {
    std::string_view action;
    uint32_t operation;
};
constexpr TUopAction kUopActions[] = {
    {"Ac_Chapters", TUOPS::kPlayChapter},
    {"Ac_Pause", TUOPS::kPauseOn},
    {"Act_GoToSeekPos", TUOPS::kPlayChapterOrAtTime},
    {"Ac_PrevChapter", TUOPS::kPlayPrevOrReplayChapter},
    {"Ac_NextChapter", TUOPS::kPlayNextChapter},
    {"Ac_FastForward", TUOPS::kPlayForwards},
    {"Ac_StepForward", TUOPS::kPlayForwards},
    {"Ac_FastBack", TUOPS::kPlayBackwards},
    {"Ac_StepBack", TUOPS::kPlayBackwards},
    {"Ac_Menu_Title", TUOPS::kShowMenuTitle},
    {"Ac_Menu_Root", TUOPS::kShowMenuRoot},
    {"Ac_Menu_SubPic", TUOPS::kShowMenuSubpicture},
    {"Ac_Menu_Audio", TUOPS::kShowMenuAudio},
    {"Ac_Menu_Angle", TUOPS::kShowMenuAngle},
    {"Ac_Menu_Chapter", TUOPS::kShowMenuChapter},
    {"Act_MLang", TUOPS::kSelectAudioStream},
    {"Act_MSub", TUOPS::kSelectSubpictureStream},
    {"Act_MAng", TUOPS::kSelectAngle},
};

} // namespace

TMainFormEvents::TMainFormEvents(TDVDMain& main, TMainActions& actions) : main_(main), actions_(actions) {}

uint8_t TMainFormEvents::OnPlayerEvent(uint32_t event, intptr_t a, intptr_t b, intptr_t c) {
    ForwardToPlugins(event, a, b, c);
    switch (event) {
    case kEventTime:
        OnTimeChanged(a);
        break;
    case kEventDiscOpened:
        OpenDiscProfile();
        break;
    case kEventDuration:
        if (TPlayerSkin* skin = main_.Skin()) {
            skin->Script().SetDuration(a);
        }
        break;
    case kEventTitleChapter:
        OnTitleChapterChanged(a, b);
        break;
    case kEventUserOperations:
        UpdateActionsFromUops();
        break;
    case kEventError:
        if (a != 0 && b != TErrorControl::kListenerOnlyLevel) {
            main_.ShowError(reinterpret_cast<const char16_t*>(a));
        }
        break;
    case kEventEndOfMedia:
        OnEndOfMedia();
        break;
    case kEventVolume:
        OnVolume(a);
        break;
    case kEventGraphBuilt:
        // The graph log lives on the settings dialog, which refreshes it when it shows.
        RestoreSkinBackground();
        break;
    case kEventGraphConfiguration:
        OnGraphConfiguration(a);
        break;
    case kEventDiscDataLoaded:
        LoadJacketPicture();
        break;
    default:
        break;
    }
    return 1;
}

void TMainFormEvents::ForwardToPlugins(uint32_t event, intptr_t a, intptr_t b, intptr_t c) {
    TPlugIns* plugIns = main_.PlugIns();
    if (plugIns == nullptr) {
        return;
    }
    plugIns->LockGroups();
    plugIns->DispatchPlayerEvent(static_cast<int32_t>(event), static_cast<int32_t>(a),
                                 static_cast<int32_t>(b), static_cast<int32_t>(c));
    plugIns->UnlockGroups();
}

void TMainFormEvents::OnEndOfMedia() {
    if (main_.IsFileMode()) {
        main_.PlayNextQueueItem(true);
    } else if (QAction* next = actions_.Find("Ac_NextChapter")) {
        next->trigger();
    }
}

void TMainFormEvents::ResetDisplays() {
    if (TVideo* video = main_.VideoForm()) {
        video->ResetCaption();
    }
    if (TPlayerSkin* skin = main_.Skin()) {
        skin->Script().SetTitle(QStringLiteral("0"));
        skin->Script().SetChapter(QStringLiteral("0"));
        skin->Script().SetTime(0);
        skin->Script().SetPosition(0);
        skin->Script().SetDuration(0);
    }
}

void TMainFormEvents::UpdateDisplays(int32_t title, int32_t chapter, int64_t ms) {
    TPlayerSkin* skin = main_.Skin();
    if (main_.IsClosing() || skin == nullptr) {
        return;
    }
    if (title >= 0) {
        skin->Script().SetTitle(QString::number(title));
    }
    if (chapter >= 0) {
        skin->Script().SetChapter(QString::number(chapter));
    }
    if (ms >= 0) {
        skin->Script().SetTime(ms);
    }
}

void TMainFormEvents::OnTitleChapterChanged(intptr_t kind, intptr_t number) {
    if (kind == kTitleEvent) {
        const int32_t title =
            main_.IsFileMode() ? main_.PlayQueue().GetCurrent() + 1 : static_cast<int32_t>(number);
        UpdateDisplays(title, -1, -1);
    } else if (kind == kChapterEvent) {
        UpdateDisplays(-1, static_cast<int32_t>(number), -1);
    }
}

void TMainFormEvents::OnTimeChanged(int64_t ms) {
    if (ms / 1000 == lastSecond_) {
        return;
    }
    lastSecond_ = ms / 1000;
    if (TPlayerSkin* skin = main_.Skin()) {
        skin->Script().SetPosition(ms);
    }
    UpdateDisplays(-1, -1, ms);
}

void TMainFormEvents::UpdateActionsFromUops() {
    TPlayControl* player = main_.PlayControl();
    const IUserOperations* uops = player != nullptr ? player->Controllers().UserOperations.get() : nullptr;
    for (const TUopAction& entry : kUopActions) {
        actions_.SetAllowed(entry.action, uops != nullptr && uops->Allows(entry.operation));
    }
    UpdateChapterActions();
}

void TMainFormEvents::UpdateChapterActions() {
    if (!main_.IsFileMode()) {
        return;
    }
    const bool queued = main_.PlayQueue().Count() > 0;
    actions_.SetAllowed("Ac_PrevChapter", queued);
    actions_.SetAllowed("Ac_NextChapter", queued);
}

void TMainFormEvents::OnVolume(intptr_t volume) {
    TPlayerSkin* skin = main_.Skin();
    if (volume == 0) {
        if (skin != nullptr) {
            skin->Script().SetVolume(QString::fromStdU16String(main_.MainStrings().GetText("Osd_Mute")));
        }
        return;
    }
    if (skin != nullptr) {
        skin->Script().SetVolume(QString::number(volume));
    }
    PlayerConfig().Volume = static_cast<int32_t>(volume);
}

void TMainFormEvents::OnGraphConfiguration(intptr_t bits) {
    TPlayControl* player = main_.PlayControl();
    const bool disc = (bits & kDiscGraph) != 0;
    if (player != nullptr) {
        const std::string& folder = disc ? main_.Folders().DVDBookmarks : main_.Folders().MediaBookmarks;
        player->SetBookmarksFolder(plat::text::AnsiToWide(folder).c_str());
    }
    if (disc) {
        main_.SwitchToDiscMode();
    } else {
        main_.SwitchToFileMode();
    }
}

void TMainFormEvents::OpenDiscProfile() {
    TPlayControl* player = main_.PlayControl();
    auto* info = player != nullptr ? dynamic_cast<TDVDInfo*>(player->DVDInfo()) : nullptr;
    auto* subtitles = player != nullptr
                          ? dynamic_cast<TProfileSubtitles*>(player->Controllers().ProfileSubtitles.get())
                          : nullptr;
    const std::u16string given = std::exchange(profileForNewMedia_, {});
    if (!given.empty() && info != nullptr) {
        // The profile was opened with the file: the file's information now remembers it.
        info->SetProfile(given.c_str());
        info->Save();
        return;
    }
    TMemoryObject path(520);
    if (info == nullptr || subtitles == nullptr || !info->GetProfile(&path)) {
        return;
    }
    subtitles->Open(path.Text());
}

void TMainFormEvents::LoadJacketPicture() {
    jacket_ = QImage();
    TPlayControl* player = main_.PlayControl();
    TMemoryObject folder(520);
    if (player != nullptr && player->GetDiscFolder(&folder)) {
        const std::u16string discFolder = folder.Text();
        const std::u16string mask = plat::text::AnsiToWide(
            plat::text::path::Join(plat::text::WideToAnsi(discFolder), kJacketPattern));
        TMemoryObject found(520);
        if (FindFirstMatch(mask.c_str(), found) == 1) {
            const std::string file = plat::text::path::Join(plat::text::WideToAnsi(discFolder),
                                                            plat::text::WideToAnsi(found.Text()));
            QImageReader reader(QString::fromStdString(file));
            jacket_ = reader.read();
        }
    }
    if (jacket_.isNull()) {
        RestoreSkinBackground();
        return;
    }
    SetBackground(jacket_, backgroundShown_);
}

void TMainFormEvents::RestoreSkinBackground() {
    TPlayerSkin* skin = main_.Skin();
    SetBackground(skin != nullptr ? skin->Script().VideoBackground() : QImage(), backgroundShown_);
    HideBackgrounds();
}

void TMainFormEvents::HideBackgrounds() {
    SetBackground(background_, false);
}

void TMainFormEvents::ShowVideo(bool show) {
    TPlayControl* player = main_.PlayControl();
    IVideoControl* video = player != nullptr ? player->Controllers().Video.get() : nullptr;
    if (show) {
        if (video != nullptr) {
            video->Refresh(false);
            video->Show();
        }
        HideBackgrounds();
        return;
    }
    if (video != nullptr) {
        video->Hide();
    }
    SetBackground(background_, true);
}

void TMainFormEvents::UpdateBackground(int32_t backgroundSwitch) {
    SetBackground(background_, backgroundSwitch >= 0 ? backgroundSwitch != 0 : backgroundShown_);
}

void TMainFormEvents::SetBackgroundListener(BackgroundListener listener) {
    backgroundListener_ = std::move(listener);
    if (backgroundListener_) {
        backgroundListener_(background_, backgroundShown_);
    }
}

void TMainFormEvents::SetBackground(const QImage& picture, bool shown) {
    background_ = picture;
    backgroundShown_ = shown;
    if (backgroundListener_) {
        backgroundListener_(background_, backgroundShown_);
    }
}
