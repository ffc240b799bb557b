#include "player/ui/TSkinActionSink.h"

#include "player/ui/skin/TSkinScript.h"

#include <QAction>
#include <QWidget>

#include <algorithm>
#include <limits>

TSkinActionSink::TSkinActionSink(ISkinActionHost& host, TSkinScript& skin) : host_(host), skin_(skin) {}

QMenu* TSkinActionSink::PlayMenu() {
    return host_.PlaySourceMenu();
}

int TSkinActionSink::IndexOfAction(const std::string& name) const {
    const QString wanted = QStringLiteral("Ac_") + QString::fromStdString(name);
    const QList<QAction*>& actions = host_.DVDControl();
    for (qsizetype i = 0; i < actions.size(); ++i) {
        if (actions[i]->objectName().compare(wanted, Qt::CaseInsensitive) == 0) {
            return static_cast<int>(i);
        }
    }
    return kNoAction;
}

int TSkinActionSink::FindActionByCommand(const std::string& command, std::string& argument) {
    argument.clear();
    const QAction* action = host_.FindActionByCommand(command, &argument);
    return action != nullptr ? static_cast<int>(host_.DVDControl().indexOf(action)) : kNoAction;
}

QAction* TSkinActionSink::ActionAt(int action) {
    const QList<QAction*>& actions = host_.DVDControl();
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
    host_.Ac_QuitExecute();
}

void TSkinActionSink::SetSeekTarget(int64_t ms) {
    host_.SetSeekTarget(
        static_cast<uint32_t>(std::clamp<int64_t>(ms, 0, std::numeric_limits<uint32_t>::max())));
}

int64_t TSkinActionSink::SeekTarget() const {
    return host_.SeekTarget();
}

void TSkinActionSink::GoToSeekPos() {
    host_.GoToSeekPos();
}

void TSkinActionSink::ShowGoToTime(QPoint /*topLeft*/) {
    // The player has no go-to-time dialog; a seek bar asking for it changes nothing.
}

bool TSkinActionSink::MouseWheel(bool down, Qt::KeyboardModifiers /*modifiers*/, QPoint /*globalPosition*/) {
    if (down) {
        host_.FormMouseWheelDown();
    } else {
        host_.FormMouseWheelUp();
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
    host_.ShowError(text);
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
    host_.LoadFormPosition(&form);
}

void TSkinActionSink::SaveFormPosition(const QWidget& form) {
    mainFormPlace_ = form.pos();
    host_.SaveFormPosition(&form);
}

QRect TSkinActionSink::VideoWindowRect() {
    const QWidget* anchor = host_.SkinAnchor();
    return anchor != nullptr ? anchor->frameGeometry() : QRect();
}
