#include "player/ui/TSkinActionSink.h"

#include "player/model/hub/TPlayControl.h"
#include "player/ui/TDVDMain.h"
#include "player/ui/TPlaySourceMenu.h"
#include "player/ui/TVideo.h"
#include "player/ui/skin/TSkinScript.h"

#include <QAction>
#include <QWidget>

#include <algorithm>
#include <limits>

TSkinActionSink::TSkinActionSink(TDVDMain& main, TSkinScript& skin) : main_(main), skin_(skin) {}

QMenu* TSkinActionSink::PlayMenu() {
    return main_.PlayMenu();
}

int TSkinActionSink::IndexOfAction(const std::string& name) const {
    const QString wanted = QStringLiteral("Ac_") + QString::fromStdString(name);
    const QList<QAction*>& actions = main_.DVDControl();
    for (qsizetype i = 0; i < actions.size(); ++i) {
        if (actions[i]->objectName().compare(wanted, Qt::CaseInsensitive) == 0) {
            return static_cast<int>(i);
        }
    }
    return kNoAction;
}

int TSkinActionSink::FindActionByCommand(const std::string& command, std::string& argument) {
    const std::size_t open = command.find('(');
    argument.clear();
    if (open != std::string::npos) {
        const std::size_t close = command.find(')', open + 1);
        argument = command.substr(open + 1, close == std::string::npos ? std::string::npos : close - open - 1);
    }
    return IndexOfAction(command.substr(0, open));
}

void TSkinActionSink::ExecuteAction(int action) {
    const QList<QAction*>& actions = main_.DVDControl();
    if (action >= 0 && action < actions.size()) {
        actions[action]->trigger();
    }
}

int TSkinActionSink::ModeAction(bool dvdMode) {
    return IndexOfAction(dvdMode ? "EnterDVDMode" : "EnterFileMode");
}

void TSkinActionSink::Quit() {
    main_.Ac_QuitExecute();
}

void TSkinActionSink::GoToSeekPos() {
    TPlayControl* player = main_.PlayControl();
    if (player == nullptr) {
        return;
    }
    const int64_t ms = std::clamp<int64_t>(seekTarget_, 0, std::numeric_limits<uint32_t>::max());
    player->SeekTo(static_cast<uint32_t>(ms));
}

void TSkinActionSink::ShowGoToTime(QPoint /*topLeft*/) {
    // The player has no go-to-time dialog; a seek bar asking for it changes nothing.
}

bool TSkinActionSink::MouseWheel(bool down, Qt::KeyboardModifiers /*modifiers*/, QPoint /*globalPosition*/) {
    const int action = IndexOfAction(down ? "VolumeLess" : "VolumeMore");
    ExecuteAction(action);
    return action != kNoAction;
}

void TSkinActionSink::FormToggleClick(QObject* sender) {
    skin_.RunFormToggle(sender);
}

void TSkinActionSink::FormSwitchClick(QObject* sender) {
    skin_.RunFormSwitch(sender);
}

void TSkinActionSink::ReportError(const std::u16string& text) {
    main_.ShowError(text);
}

void TSkinActionSink::LoadFormPosition(QWidget& form) {
    if (mainFormPlace_) {
        form.move(*mainFormPlace_);
        return;
    }
    // First time (before the skin gives the form its size): below the video window, at its left edge.
    const QRect video = VideoWindowRect();
    if (video.isValid()) {
        form.move(video.left(), video.bottom() + 1);
    }
}

void TSkinActionSink::SaveFormPosition(const QWidget& form) {
    mainFormPlace_ = form.pos();
}

QRect TSkinActionSink::VideoWindowRect() {
    const TVideo* video = main_.VideoForm();
    return video != nullptr ? video->frameGeometry() : QRect();
}
