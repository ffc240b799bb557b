#pragma once
// One named entry of a scope: a variable (its value's type is the declared type; "result" starts
// untyped) or a user function (its typed parameters, its body and where its definition stands).
// Names and bodies are views into the script text, which outlives every scope of the run.
#include "foundation/TPointer.h"
#include "player/scripting/TScriptValue.h"

#include <string_view>
#include <utility>
#include <vector>

struct TGrVariables : TListItem<TGrVariables> {
    struct TParameter {
        std::u16string_view Name;
        TScriptValue::TType Type;
    };

    std::u16string_view Name;
    TScriptValue Value;
    // Functions only.
    std::vector<TParameter> Parameters;
    size_t BodyStart = 0;
    size_t BodyEnd = 0;
};
