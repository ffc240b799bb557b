#pragma once
// One named entry of a scope: a variable (its value's type is the declared type; "result" starts
// untyped) or a user function (its typed parameters, its body and where its definition stands).
// Names are numbers of the run (TScriptNames); bodies are positions in the script text.
#include "foundation/TPointer.h"
#include "player/scripting/TScriptValue.h"

#include <cstdint>
#include <vector>

struct TGrVariables : TListItem<TGrVariables> {
    struct TParameter {
        uint32_t NameId;
        TScriptValue::TType Type;
    };

    uint32_t NameId = 0;
    TScriptValue Value;
    // Functions only.
    std::vector<TParameter> Parameters;
    size_t BodyStart = 0;
    size_t BodyEnd = 0;

    // Entries are made and dropped by every call and block: their memory is reused.
    static void* operator new(size_t size);
    static void operator delete(void* block, size_t size);
};
