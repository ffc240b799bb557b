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
    {"Play", kPlayback},
    {"Pause", kPlayback},
    {"Stop", kPlayback},
    {"NextChapter", kPlayback},
    {"PrevChapter", kPlayback},
    {"FastForward", kPlayback},
    {"FastBack", kPlayback},
    {"StepForward", kPlayback},
    {"StepBack", kPlayback},
    {"EnterFileMode", kPlayback},
    {"EnterDVDMode", kPlayback},
    {"GetDiskInfos", kPlayback},
    {"GoToPos", kPlayback},
    {"JumpForward", kPlayback},
    {"JumpBackward", kPlayback},
    {"Chapters", kPlayback},
    {"AddBookmark", kBookmarks},
    {"ManageBookmark", kBookmarks},
    {"GoToNextBook", kBookmarks},
    {"GoToPrevBook", kBookmarks},
    {"ShowDebugInfo", kInterface},
    {"SwitchFullScreen", kInterface},
    {"ShowFileMan", kInterface},
    {"EnterConfig", kInterface},
    {"EnterAspectRatio", kInterface},
    {"About", kInterface},
    {"VideoOnTop", kInterface},
    {"Quit", kInterface},
    {"CloseForm", kInterface},
    {"ShowPlayList", kInterface},
    {"ShowDVDInfo", kInterface},
    {"ResetWindowsPosition", kInterface},
    {"BringToFront", kInterface},
    {"VolumeMore", kVolume},
    {"VolumeLess", kVolume},
    {"VolumeMute", kVolume},
    {"ShowHideScriptSub", kProfile},
    {"OpenProfile", kProfile},
    {"EditProfile", kProfile},
    {"SubOffsetAdd", kProfile},
    {"SubOffsetMinus", kProfile},
    {"Menu_Title", kDvdMenu},
    {"Menu_Root", kDvdMenu},
    {"Menu_SubPic", kDvdMenu},
    {"Menu_Audio", kDvdMenu},
    {"Menu_Angle", kDvdMenu},
    {"Menu_Chapter", kDvdMenu},
    {"Menu_Up", kDvdMenu},
    {"Menu_Down", kDvdMenu},
    {"Menu_Left", kDvdMenu},
    {"Menu_Right", kDvdMenu},
    {"Menu_Select", kDvdMenu},
    {"NextAudio", kStreams},
    {"NextSubpicture", kStreams},
    {"NextAngle", kStreams},
    {"HideSub", kStreams},
    {"UseDefaultWinPos", kAspect},
    {"VideoWindowUp", kAspect},
    {"VideoWindowDown", kAspect},
    {"VideoWindowLeft", kAspect},
    {"VideoWindowRight", kAspect},
    {"ScreenCapture", kRenderer},
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
        action->setText(name);
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
