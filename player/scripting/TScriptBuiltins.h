#pragma once
// The built-in names of the command script language, recognised at the start of a statement or an
// operand after the keywords: the functions "print", "strtoint", "inttostr" and "version", and the
// objects "version.", "system." and "cmd." here, the player's objects (video., player., interface.,
// graph., playlist., volume., profile.) in TScriptPlayerObjects.
#include "player/scripting/TScriptCall.h"
#include "player/scripting/TScriptPlayerObjects.h"

class TScriptBuiltins {
public:
    explicit TScriptBuiltins(TScriptInterpreter& interpreter) : interpreter_(interpreter) {}

    // Runs the built-in at the cursor and sets its result code; false when the text there names no
    // built-in (it is then read as a name).
    bool Run(TScriptCursor& cursor, TScriptValue& value, TScriptValue* output, TStackInfo& scope,
             int32_t& result);

private:
    static int32_t Print(TScriptCall& call);
    static int32_t StrToInt(TScriptCall& call);
    static int32_t IntToStr(TScriptCall& call);
    static int32_t Version(TScriptCall& call);
    static int32_t VersionMember(TScriptCall& call);
    static int32_t System(TScriptCall& call);
    static int32_t Command(TScriptCall& call);
    static int32_t RemoteCode(TScriptCall& call);
    static int32_t RunAction(TScriptCall& call);

    TScriptInterpreter& interpreter_;
};
