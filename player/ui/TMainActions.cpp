#include "player/ui/TMainActions.h"

#include "platform/shell/WaitCursor.h"
#include "platform/text/CodePage.h"
#include "player/model/controllers/IAngleInfo.h"
#include "player/model/controllers/IAudioInfo.h"
#include "player/model/controllers/IOSDControl.h"
#include "player/model/controllers/ISubsInfo.h"
#include "player/model/hub/TPlayControl.h"
#include "player/model/settings/Tag_PlayerConfig.h"
#include "player/model/storage/TBookmarkControl.h"
#include "player/scripting/actions/PlayerActionVocabulary.h"
#include "player/scripting/actions/ShortcutCode.h"
#include "player/scripting/actions/TActionControler.h"
#include "player/ui/TDVDMain.h"
#include "player/ui/TMainFormEvents.h"
#include "player/ui/TPlayerSkin.h"
#include "player/ui/skin/TSkinForm.h"

#include <QAction>
#include <QApplication>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <cstring>

struct TMainActions::TActionSpec {
    std::string_view name;
    std::string_view category;
    std::string_view caption;
    Handler run = nullptr;
    bool hourglass = false;
    int32_t tag = 0;
    bool checkable = false;
    uint16_t shortCut = 0;
};

namespace {

// Menu ids of TPlayControl::ShowMenu and buttons of TPlayControl::MenuButton, carried as tags.
struct TTagged {
    std::string_view name;
    int32_t tag;
};
constexpr TTagged kTags[] = {
    {"Menu_Title", 2}, {"Menu_Root", 3},    {"Menu_SubPic", 4}, {"Menu_Audio", 5},
    {"Menu_Angle", 6}, {"Menu_Chapter", 7}, {"Menu_Up", 0},     {"Menu_Down", 1},
    {"Menu_Left", 2},  {"Menu_Right", 3},   {"Menu_Select", 4},
};
constexpr uint8_t kChapterMenu = 7;

constexpr uint16_t kShowDebugShortCut = ShortCutBit::Ctrl | ShortCutBit::Shift | ShortCutBit::Alt | 'D';

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

TMainActions::TMainActions(TDVDMain& main) : main_(main) {
    struct TCommandHandler {
        std::string_view name;
        Handler run;
        bool hourglass;
    };
    static const TCommandHandler kHandlers[] = {
        {"Play", &TMainActions::Play, true},
        {"Pause", &TMainActions::Pause, true},
        {"Stop", &TMainActions::Stop, true},
        {"NextChapter", &TMainActions::NextChapter, true},
        {"PrevChapter", &TMainActions::PrevChapter, true},
        {"FastForward", &TMainActions::FastForward, true},
        {"FastBack", &TMainActions::FastBack, true},
        {"StepForward", &TMainActions::StepForward, true},
        {"JumpForward", &TMainActions::JumpForward, false},
        {"JumpBackward", &TMainActions::JumpBackward, false},
        {"EnterFileMode", &TMainActions::EnterFileMode, true},
        {"EnterDVDMode", &TMainActions::EnterDVDMode, true},
        {"GetDiskInfos", &TMainActions::Nothing, false},
        {"Menu_Title", &TMainActions::ShowMenu, true},
        {"Menu_Root", &TMainActions::ShowMenu, true},
        {"Menu_SubPic", &TMainActions::ShowMenu, true},
        {"Menu_Audio", &TMainActions::ShowMenu, true},
        {"Menu_Angle", &TMainActions::ShowMenu, true},
        {"Menu_Chapter", &TMainActions::ShowMenu, true},
        {"Menu_Up", &TMainActions::MenuButton, true},
        {"Menu_Down", &TMainActions::MenuButton, true},
        {"Menu_Left", &TMainActions::MenuButton, true},
        {"Menu_Right", &TMainActions::MenuButton, true},
        {"Menu_Select", &TMainActions::MenuButton, true},
        {"NextAudio", &TMainActions::NextAudio, false},
        {"NextSubpicture", &TMainActions::NextSubpicture, false},
        {"NextAngle", &TMainActions::NextAngle, false},
        {"HideSub", &TMainActions::HideSub, false},
        {"VolumeMore", &TMainActions::VolumeMore, false},
        {"VolumeLess", &TMainActions::VolumeLess, false},
        {"VolumeMute", &TMainActions::VolumeMute, false},
        {"AddBookmark", &TMainActions::AddBookmark, true},
        {"GoToNextBook", &TMainActions::GoToNextBook, true},
        {"GoToPrevBook", &TMainActions::GoToPrevBook, true},
        {"ShowHideScriptSub", &TMainActions::ShowHideScriptSub, false},
        {"SubOffsetAdd", &TMainActions::SubOffsetAdd, false},
        {"SubOffsetMinus", &TMainActions::SubOffsetMinus, false},
        {"SwitchFullScreen", &TMainActions::SwitchFullScreen, false},
        {"VideoOnTop", &TMainActions::VideoOnTop, false},
        {"BringToFront", &TMainActions::BringToFront, false},
        {"ResetWindowsPosition", &TMainActions::ResetWindowsPosition, false},
        {"CloseForm", &TMainActions::CloseForm, false},
        {"ShowDebugInfo", &TMainActions::ShowDebugInfo, false},
        {"Quit", &TMainActions::Quit, false},
    };
    for (QAction* action : CreatePlayerActions(&main_)) {
        const std::string name =
            action->objectName().toStdString().substr(std::strlen(TActionControler::kCommandPrefix));
        TActionSpec spec;
        for (const TCommandHandler& handler : kHandlers) {
            if (handler.name == name) {
                spec.run = handler.run;
                spec.hourglass = handler.hourglass;
            }
        }
        for (const TTagged& tagged : kTags) {
            spec.tag = tagged.name == name ? tagged.tag : spec.tag;
        }
        spec.checkable = name == "HideSub" || name == "VideoOnTop";
        Attach(*action, spec);
    }
    // The program's own actions.
    static const TActionSpec kInternal[] = {
        {"Act_GoToSeekPos", "", "Act_GoToSeekPos", &TMainActions::GoToSeekPos, false, kInternalTag},
        {"Act_MenuAddBookmark", "", "Add Bookmark Here", &TMainActions::MenuAddBookmark, false, kInternalTag},
        {"Act_PlayFromDisk", "PlayMenu", "Playback from disk", nullptr, false, kInternalTag},
        {"Act_PlayFromFolder", "PlayMenu", "Playback from folder", nullptr, false, kInternalTag},
        {"Act_PlaySetFolder", "PlayMenu", "Set folder", nullptr, false, kInternalTag},
        {"Act_Goto", "OnlyState", "Act_Goto", &TMainActions::Nothing, false, kInternalTag},
        {"Act_MLang", "OnlyState", "Act_MLang", &TMainActions::Nothing, false, kInternalTag},
        {"Act_MSub", "OnlyState", "Act_MSub", &TMainActions::Nothing, false, kInternalTag},
        {"Act_MAng", "OnlyState", "Act_MAng", &TMainActions::Nothing, false, kInternalTag},
        {"Act_MProVol", "OnlyState", "Act_MProVol", &TMainActions::Nothing, false, kInternalTag},
        {"Act_MProLang", "OnlyState", "Act_MProLang", &TMainActions::Nothing, false, kInternalTag},
        {"Act_SaveState", "", "Act_SaveState", nullptr, false, kInternalTag},
        {"Act_LoadState", "", "Act_LoadState", nullptr, false, kInternalTag},
        {"Act_ShowDebug", "", "Show Debug", nullptr, false, kInternalTag, false, kShowDebugShortCut},
    };
    for (const TActionSpec& spec : kInternal) {
        auto* action = new QAction(Text(spec.caption), &main_);
        action->setObjectName(Text(spec.name));
        action->setProperty(TActionControler::kCategoryProperty, Text(spec.category));
        action->setShortcut(ShortCutToKeySequence(spec.shortCut));
        Attach(*action, spec);
    }
}

void TMainActions::Attach(QAction& target, const TActionSpec& spec) {
    QAction* action = &target;
    action->setData(spec.tag);
    action->setCheckable(spec.checkable);
    if (spec.run != nullptr) {
        handlers_[action] = [this, action, run = spec.run, hourglass = spec.hourglass] {
            if (hourglass) {
                plat::shell::PushWaitCursor();
            }
            (this->*run)(*action);
            if (hourglass) {
                plat::shell::PopWaitCursor();
            }
        };
    }
    QObject::connect(action, &QAction::triggered, &main_, [this, action] { Run(*action); });
    RefreshEnabled(*action);
    list_.append(action);
}

void TMainActions::Run(QAction& action) {
    if (!directControl_) {
        return;
    }
    const auto handler = handlers_.find(&action);
    if (handler != handlers_.end()) {
        // A copy: the handler may rebind its own action.
        const std::function<void()> run = handler->second;
        run();
    }
}

void TMainActions::RefreshEnabled(QAction& action) {
    const QVariant allowed = action.property(kAllowedProperty);
    action.setEnabled(handlers_.contains(&action) && (!allowed.isValid() || allowed.toBool()));
}

QAction* TMainActions::Find(std::string_view name) const {
    const QString wanted = Text(name);
    for (QAction* action : list_) {
        if (action->objectName() == wanted) {
            return action;
        }
    }
    return nullptr;
}

void TMainActions::Bind(std::string_view name, std::function<void()> handler) {
    QAction* action = Find(name);
    if (action == nullptr) {
        return;
    }
    if (handler) {
        handlers_[action] = std::move(handler);
    } else {
        handlers_.erase(action);
    }
    RefreshEnabled(*action);
}

void TMainActions::SetAllowed(std::string_view name, bool allowed) {
    if (QAction* action = Find(name)) {
        action->setProperty(kAllowedProperty, allowed);
        RefreshEnabled(*action);
    }
}

void TMainActions::RunNamed(std::string_view name) {
    if (QAction* action = Find(name)) {
        action->trigger();
    }
}

TPlayControl* TMainActions::Player() const {
    return main_.PlayControl();
}

std::string TMainActions::BookmarkName(bool discMode, int32_t title, int32_t chapter, int32_t timeMs) {
    const int32_t seconds = timeMs / 1000;
    char text[96];
    if (discMode) {
        std::snprintf(text, sizeof text, "Title :%2d Chapter :%2d  Time : %2d:%02d:%02d", title, chapter,
                      seconds / 3600, seconds / 60 % 60, seconds % 60);
    } else {
        std::snprintf(text, sizeof text, "Time : %2d:%02d:%02d", seconds / 3600, seconds / 60 % 60,
                      seconds % 60);
    }
    return text;
}

void TMainActions::Play(QAction&) {
    main_.Opener().Ac_Play();
}

void TMainActions::Pause(QAction&) {
    if (TPlayControl* player = Player()) {
        player->Pause();
    }
}

void TMainActions::Stop(QAction&) {
    main_.Opener().Ac_Stop();
}

void TMainActions::NextChapter(QAction&) {
    if (main_.IsFileMode()) {
        main_.PlayNextQueueItem(true);
    } else if (TPlayControl* player = Player()) {
        player->NextChapter();
    }
}

void TMainActions::PrevChapter(QAction&) {
    if (main_.IsFileMode()) {
        main_.PlayPreviousQueueItem();
    } else if (TPlayControl* player = Player()) {
        player->PrevChapter();
    }
}

void TMainActions::FastForward(QAction&) {
    if (TPlayControl* player = Player()) {
        player->ScanSpeed(+1);
    }
}

void TMainActions::FastBack(QAction&) {
    if (TPlayControl* player = Player()) {
        player->ScanSpeed(-1);
    }
}

void TMainActions::StepForward(QAction&) {
    if (TPlayControl* player = Player()) {
        player->Step(+1);
    }
}

void TMainActions::Bt_StepBackwardClick() {
    if (TPlayControl* player = Player()) {
        player->Step(-1);
    }
}

void TMainActions::Bt_ChapterClick() {
    if (TPlayControl* player = Player()) {
        player->ShowMenu(kChapterMenu);
    }
}

void TMainActions::JumpForward(QAction&) {
    if (TPlayControl* player = Player()) {
        player->Jump(kJumpMs);
    }
}

void TMainActions::JumpBackward(QAction&) {
    if (TPlayControl* player = Player()) {
        player->Jump(-kJumpMs);
    }
}

void TMainActions::GoToSeekPos(QAction&) {
    if (TPlayControl* player = Player()) {
        player->SeekTo(seekTarget_);
    }
}

void TMainActions::EnterFileMode(QAction&) {
    main_.Opener().Ac_EnterFileMode();
}

void TMainActions::EnterDVDMode(QAction&) {
    main_.Opener().Ac_EnterDVDMode();
}

void TMainActions::Nothing(QAction&) {}

void TMainActions::ShowMenu(QAction& action) {
    if (TPlayControl* player = Player()) {
        player->ShowMenu(static_cast<uint8_t>(action.data().toInt()));
    }
}

void TMainActions::MenuButton(QAction& action) {
    if (TPlayControl* player = Player()) {
        player->MenuButton(static_cast<uint8_t>(action.data().toInt()));
    }
}

bool TMainActions::NavigateDvdMenu(std::string_view name) {
    const QAction* action = Find(name);
    TPlayControl* player = Player();
    return action != nullptr && action->isEnabled() && directControl_ && player != nullptr &&
           main_.IsDVDMode() && player->MenuButton(static_cast<uint8_t>(action->data().toInt())) == 0;
}

void TMainActions::NextAudio(QAction&) {
    if (Player() != nullptr && Player()->Controllers().Audio) {
        Player()->Controllers().Audio->NextStream();
    }
}

void TMainActions::NextSubpicture(QAction&) {
    if (Player() != nullptr && Player()->Controllers().Subs) {
        Player()->Controllers().Subs->NextStream();
    }
}

void TMainActions::NextAngle(QAction&) {
    if (Player() != nullptr && Player()->Controllers().Angles) {
        Player()->Controllers().Angles->NextAngle();
    }
}

void TMainActions::HideSub(QAction& action) {
    // The action ticks itself on each run; the tick is the new shown state.
    if (Player() != nullptr && Player()->Controllers().Subs) {
        Player()->Controllers().Subs->ShowSubtitles(action.isChecked());
    }
}

void TMainActions::VolumeMore(QAction&) {
    if (Player() != nullptr && Player()->Controllers().Audio) {
        Player()->Controllers().Audio->ChangeVolume(PlayerConfig().VolumeIncrement);
    }
}

void TMainActions::VolumeLess(QAction&) {
    if (Player() != nullptr && Player()->Controllers().Audio) {
        Player()->Controllers().Audio->ChangeVolume(-PlayerConfig().VolumeIncrement);
    }
}

void TMainActions::VolumeMute(QAction&) {
    if (Player() != nullptr && Player()->Controllers().Audio) {
        Player()->Controllers().Audio->Mute(-1);
    }
}

std::optional<TMainActions::BookmarkPlace> TMainActions::CurrentBookmarkPlace() const {
    TPlayControl* player = Player();
    auto* bookmarks =
        player != nullptr ? dynamic_cast<TBookmarkControl*>(player->Controllers().Bookmarks.get()) : nullptr;
    if (bookmarks == nullptr) {
        return std::nullopt;
    }
    BookmarkPlace place{bookmarks};
    int32_t duration = 0;
    player->GetPosition(&place.title, &place.chapter, &place.time, &duration);
    return place;
}

void TMainActions::AddBookmark(QAction&) {
    if (const std::optional<BookmarkPlace> at = CurrentBookmarkPlace()) {
        const std::string name = BookmarkName(main_.IsDVDMode(), at->title, at->chapter, at->time);
        at->bookmarks->AddBookmark(plat::text::AnsiToWide(name).c_str());
    }
}

void TMainActions::MenuAddBookmark(QAction&) {
    RunNamed("Ac_AddBookmark");
}

void TMainActions::GoToBookmark(bool next) {
    const std::optional<BookmarkPlace> at = CurrentBookmarkPlace();
    if (!at) {
        return;
    }
    TBookmarkControl* bookmarks = at->bookmarks;
    int32_t title = at->title;
    int32_t chapter = at->chapter;
    const int32_t time = at->time;
    if (main_.IsFileMode()) {
        title = kNoTitle;
        chapter = kNoTitle;
    }
    const auto place = static_cast<uint32_t>(std::max(time, 0));
    if (next) {
        bookmarks->GoToNextBookmark(static_cast<uint8_t>(title), static_cast<uint8_t>(chapter), place);
    } else {
        bookmarks->GoToPreviousBookmark(static_cast<uint8_t>(title), static_cast<uint8_t>(chapter), place);
    }
}

void TMainActions::GoToNextBook(QAction&) {
    GoToBookmark(true);
}

void TMainActions::GoToPrevBook(QAction&) {
    GoToBookmark(false);
}

void TMainActions::ShowHideScriptSub(QAction&) {
    main_.ShowProfileSubtitles(!main_.ProfileSubtitlesShown());
}

void TMainActions::ChangeSubtitleOffset(int32_t step) {
    if (TPlayControl* player = Player()) {
        subtitleOffset_ += step;
        player->SetSubtitleOffset(subtitleOffset_);
    }
}

void TMainActions::SubOffsetAdd(QAction&) {
    ChangeSubtitleOffset(kSubtitleOffsetStep);
}

void TMainActions::SubOffsetMinus(QAction&) {
    ChangeSubtitleOffset(-kSubtitleOffsetStep);
}

void TMainActions::SwitchFullScreen(QAction&) {
    main_.SetScreenMode(3);
}

void TMainActions::VideoOnTop(QAction& action) {
    // The action ticks itself on each run; the option follows the tick.
    main_.SetVideoStayOnTop(action.isChecked());
}

// The player comes back as from the task bar: restored, its windows restacked (the editor told), the
// window of the screen mode forward.
void TMainActions::BringToFront(QAction&) {
    main_.OnApplicationRestore();
}

void TMainActions::ResetWindowsPosition(QAction&) {
    main_.ResetWindowsPosition();
}

void TMainActions::CloseForm(QAction&) {
    QWidget* active = QApplication::activeWindow();
    TPlayerSkin* skin = main_.Skin();
    const QWidget* skinMain = skin != nullptr ? skin->Script().MainForm() : nullptr;
    if (active != nullptr && active != skinMain) {
        active->close();
    }
}

void TMainActions::ShowDebugInfo(QAction&) {
    if (Player() != nullptr && Player()->Controllers().OSD) {
        Player()->Controllers().OSD->ShowCommand(u"Osd_DebugInfo");
    }
}

void TMainActions::Quit(QAction&) {
    main_.Ac_QuitExecute();
}
