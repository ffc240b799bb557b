#include "player/scripting/TScriptCall.h"

#include "player/scripting/ScriptChars.h"
#include "player/scripting/ScriptResult.h"
#include "player/scripting/TScriptInterpreter.h"

bool TScriptCall::Member(std::u16string_view name) {
    if (!Cursor.StartsWith(name) || !script_chars::IsWordEnd(Cursor.At(Cursor.Pos + name.size()))) {
        return false;
    }
    Cursor.Pos += name.size();
    return true;
}

bool TScriptCall::ObjectMember(std::u16string_view name) {
    if (!Cursor.StartsWith(name)) {
        return false;
    }
    const char16_t after = Cursor.At(Cursor.Pos + name.size());
    if (after != u'.' && !script_chars::IsWordEnd(after)) {
        return false;
    }
    Cursor.Pos += name.size();
    return true;
}

bool TScriptCall::Prefix(std::u16string_view prefix) {
    if (!Cursor.StartsWith(prefix)) {
        return false;
    }
    Cursor.Pos += prefix.size();
    return true;
}

bool TScriptCall::AtWordEnd() const {
    return script_chars::IsWordEnd(Cursor.Ch());
}

int32_t TScriptCall::Arguments(std::initializer_list<TKind> kinds, TScriptValues& values) {
    values.Clear();
    int32_t error = 0;
    const int32_t count =
        Interpreter.EvaluateList(Cursor, &values, nullptr, Output, error, Scope, false, false);
    if (count < 0) {
        return error;
    }
    if (static_cast<size_t>(count) != kinds.size()) {
        return static_cast<size_t>(count) > kinds.size() ? script_result::kTooManyArguments
                                                         : script_result::kTooFewArguments;
    }
    size_t i = 0;
    for (const TKind kind : kinds) {
        const TScriptValue::TType type = values[i++].Type;
        const bool fits = kind == TKind::kInt    ? type == TScriptValue::kInt
                          : kind == TKind::kText ? type == TScriptValue::kText
                                                 : type == TScriptValue::kInt || type == TScriptValue::kText;
        if (!fits) {
            return script_result::kWrongType;
        }
    }
    return script_result::kOk;
}

int32_t TScriptCall::NoArguments() {
    int32_t error = 0;
    return Interpreter.EvaluateList(Cursor, nullptr, nullptr, Output, error, Scope, false, false) < 0
               ? script_result::kSyntax
               : script_result::kOk;
}

const TScriptServices& TScriptCall::Services() const {
    return Interpreter.Services();
}
