#include "player/ui/TScriptBridge.h"

#include "platform/win/Message.h"
#include "player/scripting/ScriptResult.h"
#include "player/scripting/TScriptRunner.h"
#include "player/scripting/TScriptServices.h"
#include "player/scripting/actions/TActionControler.h"
#include "player/ui/TDVDMain.h"

#include <QAction>

#include <filesystem>

TScriptBridge::TScriptBridge(TDVDMain& main, TMainActions& actions, const TActionControler& commands)
    : main_(main), commands_(commands), scriptMainWindow_(main, actions, *this) {}

int32_t TScriptBridge::RunScript(std::u16string_view text, std::size_t* consumed, TGrVariant& value,
                                 TGrVariant& output) {
    // No text at all; an empty one runs nothing and answers success.
    if (text.data() == nullptr) {
        return script_result::kSyntax;
    }
    TScriptServices services;
    services.MainWindow = &scriptMainWindow_;
    services.SettingsDialog = main_.ScriptSettingsDialog();
    services.Hub = main_.PlayControl();
    return TScriptRunner(services).RunScript(text, consumed, value, output);
}

int32_t TScriptBridge::RunAutoexecScript() {
    TScriptServices services;
    services.MainWindow = &scriptMainWindow_;
    services.SettingsDialog = main_.ScriptSettingsDialog();
    services.Hub = main_.PlayControl();
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    return error ? script_result::kSyntax : TScriptRunner(services).RunAutoexecScript(folder.string());
}

int32_t TScriptBridge::RunPluginCommand(std::u16string_view command, std::size_t& consumed,
                                        std::u16string& answer) {
    TGrVariant value(250);
    TGrVariant output(250);
    consumed = 0;
    const int32_t result = RunScript(command, &consumed, value, output);
    // The answer is what the script printed; the run gave it the value when nothing was.
    const TGrVariant& shown = output;
    if (shown.Type == TGrVariant::vtInt) {
        const std::string number = std::to_string(shown.IntValue());
        answer.assign(number.begin(), number.end());
    } else if (shown.Type == TGrVariant::vtText && shown.Text() != nullptr) {
        answer = shown.Text();
    } else {
        answer.clear();
    }
    return result;
}

QAction* TScriptBridge::FindActionByCommand(std::string_view text, std::string* arguments) const {
    std::string name(text);
    const std::size_t open = name.find('(');
    const std::size_t close = open != std::string::npos ? name.find(')', open + 1) : std::string::npos;
    if (close != std::string::npos) {
        if (arguments != nullptr) {
            *arguments = name.substr(open + 1, close - open - 1);
        }
        name.erase(open, close - open + 1);
    }
    return commands_.FindActionByName(name);
}

QAction* TScriptBridge::FindActionByRemoteCode(std::string_view code) const {
    return commands_.FindActionByRemoteCode(code);
}

void TScriptBridge::ExecuteRemoteCode(std::string_view code) {
    RunAction(FindActionByRemoteCode(code));
}

void TScriptBridge::RunAction(QAction* action) {
    if (action == nullptr) {
        return;
    }
    if (action->objectName() == QLatin1String("Ac_Quit")) {
        plat::win::PostMessage(main_.Handle(), TDVDMain::kMsgQuit, 0, 0);
    } else {
        action->trigger();
    }
}
