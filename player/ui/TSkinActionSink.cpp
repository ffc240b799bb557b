#include "player/ui/TSkinActionSink.h"

#include "player/ui/TDVDMain.h"
#include "player/ui/TMainActions.h"
#include "player/ui/TPlaySourceMenu.h"
#include "player/ui/TScriptBridge.h"
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
    argument.clear();
    const QAction* action = main_.Bridge().FindActionByCommand(command, &argument);
    return action != nullptr ? static_cast<int>(main_.DVDControl().indexOf(action)) : kNoAction;
}

QAction* TSkinActionSink::ActionAt(int action) {
    const QList<QAction*>& actions = main_.DVDControl();
    return action >= 0 && action < actions.size() ? actions[action] : nullptr;
}

void TSkinActionSink::ExecuteAction(int action) {
    if (QAction* run = ActionAt(action)) {
        run->trigger();
    }
}

int TSkinActionSink::ModeAction(bool dvdMode) {
    return IndexOfAction(dvdMode ? "EnterDVDMode" : "EnterFileMode");
}

void TSkinActionSink::Quit() {
    main_.Ac_QuitExecute();
}

void TSkinActionSink::SetSeekTarget(int64_t ms) {
    main_.MainActions().SetSeekTarget(
        static_cast<uint32_t>(std::clamp<int64_t>(ms, 0, std::numeric_limits<uint32_t>::max())));
}

int64_t TSkinActionSink::SeekTarget() const {
    return main_.MainActions().SeekTarget();
}

void TSkinActionSink::GoToSeekPos() {
    if (QAction* seek = main_.MainActions().Find("Act_GoToSeekPos")) {
        seek->trigger();
    }
}

void TSkinActionSink::ShowGoToTime(QPoint /*topLeft*/) {
    // The player has no go-to-time dialog; a seek bar asking for it changes nothing.
}

bool TSkinActionSink::MouseWheel(bool down, Qt::KeyboardModifiers /*modifiers*/, QPoint /*globalPosition*/) {
    if (down) {
        main_.FormMouseWheelDown();
    } else {
        main_.FormMouseWheelUp();
    }
    return true;
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
    // First time (before the skin gives the form its size): below the video window, at its left edge,
    // unless "Form Pos.ini" keeps its place.
    const QRect video = VideoWindowRect();
    if (video.isValid()) {
        form.move(video.left(), video.bottom() + 1);
    }
    main_.LoadFormPosition(&form);
}

void TSkinActionSink::SaveFormPosition(const QWidget& form) {
    mainFormPlace_ = form.pos();
    main_.SaveFormPosition(&form);
}

QRect TSkinActionSink::VideoWindowRect() {
    const QWidget* anchor = main_.SkinAnchor();
    return anchor != nullptr ? anchor->frameGeometry() : QRect();
}
