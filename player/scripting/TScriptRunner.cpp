#include "player/scripting/TScriptRunner.h"

#include "platform/text/CodePage.h"
#include "platform/text/Path.h"
#include "player/scripting/ScriptResult.h"
#include "player/scripting/TScriptInterpreter.h"

int32_t TScriptRunner::RunScript(std::u16string_view text, size_t* consumed, TGrVariant& value,
                                 TGrVariant& output) const {
    TScriptInterpreter interpreter(services_);
    TScriptValue scriptValue = TScriptValue::From(value);
    TScriptValue scriptOutput = TScriptValue::From(output);
    const int32_t result = interpreter.RunScript(text, consumed, scriptValue, &scriptOutput);
    scriptValue.CopyTo(value);
    scriptOutput.CopyTo(output);
    return result;
}

int32_t TScriptRunner::RunAutoexecScript(const std::string& folder) const {
    const std::optional<std::string> path = plat::text::path::FindNoCase(folder, kAutoexecName);
    TMemoryObject text(4096);
    if (!path || !text.LoadTextFile(plat::text::AnsiToWide(*path).c_str(), false)) {
        return script_result::kSyntax;
    }
    std::u16string_view script(text.Text(), static_cast<size_t>(text.TextLength()));
    if (!script.empty() && script.front() == u'\xFEFF') {
        script.remove_prefix(1); // the mark of a UTF-8 file
    }
    if (script.empty()) {
        return script_result::kSyntax;
    }
    TGrVariant value(250);
    TGrVariant output(250);
    return RunScript(script, nullptr, value, output);
}
