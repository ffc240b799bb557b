#pragma once
// The main form's side of the command scripts and the remote plug-ins: runs script texts with the whole
// player in reach (the start-up script "Autoexec.tovcmd" of the current folder, the command texts the
// plug-ins queue for the main thread), starts the plug-ins, and maps remote codes and command names to
// the main form's actions.
#include "foundation/TGrVariant.h"
#include "player/ui/TScriptMainWindow.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class QAction;
class TActionControler;
class TDVDMain;
class TMainActions;

class TScriptBridge {
public:
    TScriptBridge(TDVDMain& main, TMainActions& actions, const TActionControler& commands);

    // Runs the script text; `consumed` (when given) gets the characters read. The result code, 16 for
    // no text.
    int32_t RunScript(std::u16string_view text, std::size_t* consumed, TGrVariant& value, TGrVariant& output);
    // The start-up script of the current folder; 16 when it is missing or empty.
    int32_t RunAutoexecScript();
    // A plug-in's command on the main thread: its answer is the script's value (its output when the
    // value is empty), an integer as decimal text.
    int32_t RunPluginCommand(std::u16string_view command, std::size_t& consumed, std::u16string& answer);

    // "Name(arguments)": the text between the first "(" and the first ")" after it is handed back and
    // cut from the name, which is looked up without regard to case. nullptr when no action has it.
    QAction* FindActionByCommand(std::string_view text, std::string* arguments) const;
    QAction* FindActionByRemoteCode(std::string_view code) const;
    // Runs the action of the code; nothing for a code without one.
    void ExecuteRemoteCode(std::string_view code);
    // Runs the action, except Quit, which is posted as message 1534 so that it runs from the message
    // loop and not inside its caller.
    void RunAction(QAction* action);

    TScriptMainWindow& ScriptMainWindow() { return scriptMainWindow_; }

private:
    TDVDMain& main_;
    const TActionControler& commands_;
    TScriptMainWindow scriptMainWindow_;
};
