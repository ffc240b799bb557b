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

    static constexpr int32_t kNone = -1;

    // The built-in named at the cursor (by its place in the list of built-ins), or kNone: the text there
    // is then read as a name. The answer rests on the name there and the character behind it.
    static int32_t Find(const TScriptCursor& cursor);
    // Runs the built-in found at the cursor; its result code.
    int32_t Run(int32_t builtin, TScriptCursor& cursor, TScriptValue& value, TScriptValue* output,
                TStackInfo& scope);

    using TRun = int32_t (*)(TScriptCall& call);
    static const TRun kRun[];

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
