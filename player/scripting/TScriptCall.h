#pragma once
// One call of a built-in: where it reads, where its value and output go, the scope its arguments are
// evaluated in, and the reading of member names and argument lists that every built-in shares.
#include "player/scripting/TScriptCursor.h"
#include "player/scripting/TScriptValue.h"
#include "player/scripting/TScriptValues.h"

#include <cstdint>
#include <initializer_list>
#include <string_view>

class TScriptInterpreter;
class TStackInfo;
struct TScriptServices;

class TScriptCall {
public:
    enum class TKind : uint8_t { kInt, kText, kIntOrText };

    TScriptCall(TScriptInterpreter& interpreter, TScriptCursor& cursor, TScriptValue& value,
                TScriptValue* output, TStackInfo& scope)
        : Interpreter(interpreter), Cursor(cursor), Value(value), Output(output), Scope(scope) {}

    // True, with the cursor behind it, when the name stands at the cursor followed by NUL, a blank, a
    // line end, "(" or ")".
    bool Member(std::u16string_view name);
    // The same for a member that yields an object: its own member may follow directly.
    bool ObjectMember(std::u16string_view name);
    // True, with the cursor behind it, when the text at the cursor begins with the prefix.
    bool Prefix(std::u16string_view prefix);
    // True when the cursor stands on what ends a member name (an object's default member is meant).
    bool AtWordEnd() const;

    // Reads the argument list: 1, the evaluation's error code, 4096 or 4097 for the number of values,
    // 4098 for a value of the wrong kind.
    int32_t Arguments(std::initializer_list<TKind> kinds, TScriptValues& values);
    // For members that take none: an empty "()" is allowed; 1, or 16 for anything inside it.
    int32_t NoArguments();

    // Store what the built-in yields as the statement value (or the operand).
    void Yield(int32_t number) { Value.SetInt(number); }
    void Yield(std::u16string_view text) { Value.SetText(text); }

    const TScriptServices& Services() const;

    TScriptInterpreter& Interpreter;
    TScriptCursor& Cursor;
    TScriptValue& Value;
    TScriptValue* Output;
    TStackInfo& Scope;
};
