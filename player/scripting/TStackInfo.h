#pragma once
// One scope of the command script language: the variables declared and the functions defined in it,
// each in order, and the enclosing scope. Lookups compare name numbers (TScriptNames); the first match
// wins.
//
// Scoping is dynamic, so a lookup may walk many scopes (one per block and call of a deep recursion).
// Each scope keeps a 64-bit summary of the names it holds, so that a walk passes the scopes that cannot
// hold a name without searching them.
#include "player/scripting/TGrVariables.h"

#include <cstdint>

class TStackInfo {
public:
    // The summary bit of a name.
    static uint64_t NameBit(uint32_t nameId) { return uint64_t{1} << (nameId % 64); }

    explicit TStackInfo(TStackInfo* parent = nullptr) : Parent(parent) {}
    TStackInfo(const TStackInfo&) = delete;
    TStackInfo& operator=(const TStackInfo&) = delete;

    // False only when the scope holds no entry of a name with this bit.
    bool MayHold(uint64_t nameBit) const { return (names_ & nameBit) != 0; }
    TGrVariables* FindVariable(uint32_t nameId) const { return Find(variables_, nameId); }
    TGrVariables* FindFunction(uint32_t nameId) const { return Find(functions_, nameId); }
    // Appended at the end, with no test for a name already there.
    TGrVariables* AddVariable(uint32_t nameId, TScriptValue::TType type);
    TGrVariables* AddFunction(uint32_t nameId);
    const TPointer<TGrVariables>& Variables() const { return variables_; }

    TStackInfo* const Parent;

private:
    static TGrVariables* Find(const TPointer<TGrVariables>& list, uint32_t nameId);

    uint64_t names_ = 0;
    TPointer<TGrVariables> variables_;
    TPointer<TGrVariables> functions_;
};
