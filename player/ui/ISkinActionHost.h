#pragma once
// What the skin's action sink uses of the main form: its action list and the command names that find
// actions in it, the seek target of the seek bar, the wheel functions, the play-source menu, the error
// texts, the places of forms and the window the skin's windows stand around.
#include <QList>

#include <cstdint>
#include <string>
#include <string_view>

class QAction;
class QMenu;
class QWidget;

class ISkinActionHost {
public:
    virtual ~ISkinActionHost() = default;

    // The action list "DVDControl": every command of the player.
    virtual const QList<QAction*>& DVDControl() const = 0;
    // "Name(arguments)": the action of that command name (the arguments handed back); nullptr for none.
    virtual QAction* FindActionByCommand(std::string_view text, std::string* arguments) const = 0;
    virtual void Ac_QuitExecute() = 0;
    // Where "Act_GoToSeekPos" seeks to, in milliseconds; GoToSeekPos runs that action.
    virtual void SetSeekTarget(uint32_t ms) = 0;
    virtual uint32_t SeekTarget() const = 0;
    virtual void GoToSeekPos() = 0;
    virtual void FormMouseWheelUp() = 0;
    virtual void FormMouseWheelDown() = 0;
    // The play-source menu "Pop_Play"; nullptr before the main form made it.
    virtual QMenu* PlaySourceMenu() const = 0;
    virtual void ShowError(const std::u16string& text) = 0;
    // Form places in "Form Pos.ini" of the settings folder.
    virtual void LoadFormPosition(QWidget* form) = 0;
    virtual void SaveFormPosition(const QWidget* form) = 0;
    // The video window, or the full-screen one; nullptr while there is none.
    virtual QWidget* SkinAnchor() const = 0;
};
