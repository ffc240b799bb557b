#include "player/scripting/actions/PlayerActionVocabulary.h"

#include "player/scripting/actions/ShortcutCode.h"
#include "player/scripting/actions/TActionControler.h"

#include <QAction>

namespace {

constexpr std::string_view kPlayback = "01Standard playback key ";
constexpr std::string_view kBookmarks = "02Bookmarks control ";
constexpr std::string_view kInterface = "03Interface key";
constexpr std::string_view kVolume = "04Volume Control";
constexpr std::string_view kProfile = "05Profile Subtitles";
constexpr std::string_view kDvdMenu = "06DVD Menu Key";
constexpr std::string_view kStreams = "07Streams change ";
constexpr std::string_view kAspect = "08Aspect Ratio Contol";
constexpr std::string_view kRenderer = "09WMR-9 Only";

constexpr PlayerActionEntry kVocabulary[] = {
    {"Play", kPlayback, "Play"},
    {"Pause", kPlayback, "Pause"},
    {"Stop", kPlayback, "Stop"},
    {"NextChapter", kPlayback, "Next Chapter"},
    {"PrevChapter", kPlayback, "Previous Chapter"},
    {"FastForward", kPlayback, "Fast Forward"},
    {"FastBack", kPlayback, "Fast Backward"},
    {"StepForward", kPlayback, "Step Forward"},
    {"StepBack", kPlayback, "Step Backward"},
    {"EnterFileMode", kPlayback, "Enter File Mode"},
    {"EnterDVDMode", kPlayback, "Event DVD Mode"},
    {"GetDiskInfos", kPlayback, "Get Disk Info"},
    {"GoToPos", kPlayback, "Go To..."},
    {"JumpForward", kPlayback, "Jump forward of ... seconds"},
    {"JumpBackward", kPlayback, "Jump Backward of ... seconds"},
    {"Chapters", kPlayback, "Show Chapters List"},
    {"AddBookmark", kBookmarks, "Add Bookmark"},
    {"ManageBookmark", kBookmarks, "Manage Bookmark"},
    {"GoToNextBook", kBookmarks, "Go to Next Bookmark"},
    {"GoToPrevBook", kBookmarks, "Go to Previous Bookmark"},
    {"ShowDebugInfo", kInterface, "Show Debug Information"},
    {"SwitchFullScreen", kInterface, "Switch Full Screen"},
    {"ShowFileMan", kInterface, "File Manager"},
    {"EnterConfig", kInterface, "Show Config"},
    {"EnterAspectRatio", kInterface, "Aspect Ratio Control"},
    {"About", kInterface, "About Box"},
    {"VideoOnTop", kInterface, "Video Stay On Top"},
    {"Quit", kInterface, "Quit"},
    {"CloseForm", kInterface, "Close Actual Dialog"},
    {"ShowPlayList", kInterface, "Playlist"},
    {"ShowDVDInfo", kInterface, "DVD Info"},
    {"ResetWindowsPosition", kInterface, "Reset Windows Positions"},
    {"BringToFront", kInterface, "Bring Player to Front"},
    {"VolumeMore", kVolume, "More Volume"},
    {"VolumeLess", kVolume, "Less Volume"},
    {"VolumeMute", kVolume, "Volume Mute"},
    {"ShowHideScriptSub", kProfile, "Show/Hide Profile Subtitles"},
    {"OpenProfile", kProfile, "Open Profile"},
    {"EditProfile", kProfile, "Edit Profile"},
    {"SubOffsetAdd", kProfile, "+0.05 Second Offset"},
    {"SubOffsetMinus", kProfile, "-0.05 Second Offset"},
    {"Menu_Title", kDvdMenu, "Menu Title"},
    {"Menu_Root", kDvdMenu, "Menu Root"},
    {"Menu_SubPic", kDvdMenu, "Menu Sub-Pictures"},
    {"Menu_Audio", kDvdMenu, "Menu Audio"},
    {"Menu_Angle", kDvdMenu, "Menu Angle"},
    {"Menu_Chapter", kDvdMenu, "Menu Chapter"},
    {"Menu_Up", kDvdMenu, "Up"},
    {"Menu_Down", kDvdMenu, "Down"},
    {"Menu_Left", kDvdMenu, "Left"},
    {"Menu_Right", kDvdMenu, "Right"},
    {"Menu_Select", kDvdMenu, "Select"},
    {"NextAudio", kStreams, "Next Audio"},
    {"NextSubpicture", kStreams, "Next Subpicture"},
    {"NextAngle", kStreams, "Next Angle"},
    {"HideSub", kStreams, "Show/Hide Subtitles"},
    {"UseDefaultWinPos", kAspect, "Use Default Window Positioning"},
    {"VideoWindowUp", kAspect, "Move Video Window Up"},
    {"VideoWindowDown", kAspect, "Move Video Window Down"},
    {"VideoWindowLeft", kAspect, "Move Video Window Left"},
    {"VideoWindowRight", kAspect, "Move Video Window Right"},
    {"ScreenCapture", kRenderer, "Screen Capture"},
};

constexpr uint16_t kPlayShortCut = ShortCutBit::Ctrl | 0x41; // Ctrl+A

} // namespace

std::span<const PlayerActionEntry> PlayerActionVocabulary() {
    return kVocabulary;
}

QList<QAction*> CreatePlayerActions(QObject* owner) {
    QList<QAction*> actions;
    for (const PlayerActionEntry& entry : kVocabulary) {
        auto* action = new QAction(owner);
        const QString name = QString::fromUtf8(entry.name.data(), static_cast<qsizetype>(entry.name.size()));
        action->setObjectName(QString::fromUtf8(TActionControler::kCommandPrefix) + name);
        action->setText(
            QString::fromUtf8(entry.caption.data(), static_cast<qsizetype>(entry.caption.size())));
        action->setProperty(
            TActionControler::kCategoryProperty,
            QString::fromUtf8(entry.category.data(), static_cast<qsizetype>(entry.category.size())));
        if (entry.name == "Play") {
            action->setShortcut(ShortCutToKeySequence(kPlayShortCut));
        }
        actions.push_back(action);
    }
    return actions;
}
