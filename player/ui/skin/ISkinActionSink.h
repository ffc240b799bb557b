#pragma once
// What a skin asks of the player's main window: its commands, the seek target, the go-to-time
// dialog, the wheel, form positions, messages, the play menu and the video window's place.
#include <QPoint>
#include <QRect>
#include <Qt>

#include <string>

class QAction;
class QMenu;
class QObject;
class QWidget;

class ISkinActionSink {
public:
    static constexpr int kNoAction = -1;

    virtual ~ISkinActionSink() = default;

    // The command action named by the text before an optional "(argument)"; the argument is the text
    // inside the parentheses. kNoAction when there is no such command.
    virtual int FindActionByCommand(const std::string& command, std::string& argument) = 0;
    virtual void ExecuteAction(int action) = 0;
    // The command itself, whose enabled state and hint its buttons show; null when there is none.
    virtual QAction* ActionAt(int /*action*/) { return nullptr; }
    // The actions that enter disc mode and file mode.
    virtual int ModeAction(bool dvdMode) = 0;
    // Closing a skin window quits the player (the player decides).
    virtual void Quit() = 0;
    // The time a delayed seek goes to, and the seek itself.
    virtual void SetSeekTarget(int64_t ms) = 0;
    virtual void GoToSeekPos() = 0;
    // Shows the go-to-time dialog at the current time with its top-left corner there.
    virtual void ShowGoToTime(QPoint topLeft) = 0;
    // The wheel over a skin window; true when handled.
    virtual bool MouseWheel(bool down, Qt::KeyboardModifiers modifiers, QPoint globalPosition) = 0;
    // The clicks of form-open and form-swap buttons.
    virtual void FormToggleClick(QObject* sender) = 0;
    virtual void FormSwitchClick(QObject* sender) = 0;
    // The play menu, or null.
    virtual QMenu* PlayMenu() = 0;
    // An error for the message box.
    virtual void ReportError(const std::u16string& text) = 0;
    // The main skin form's saved place.
    virtual void LoadFormPosition(QWidget& form) = 0;
    virtual void SaveFormPosition(const QWidget& form) = 0;
    // The video window's frame on the screen, which in-video forms stay in.
    virtual QRect VideoWindowRect() = 0;
};
