#pragma once
// One scope of the command script language: the variables declared and the functions defined in it,
// each in order. While the scope is in force its entries are bound by name (TScriptBindings), which is
// how lookups find them; lookups within the scope alone compare name numbers, the first match winning.
#include "player/scripting/TGrVariables.h"
#include "player/scripting/TScriptBindings.h"

#include <cstdint>

class TStackInfo {
public:
    // A scope that comes into force now, or (not in force) later through ComeIntoForce: a call's scope
    // once its arguments are read. Without bindings it never does (a definition's parameter list).
    explicit TStackInfo(TScriptBindings* bindings, bool inForce = true);
    ~TStackInfo();
    TStackInfo(const TStackInfo&) = delete;
    TStackInfo& operator=(const TStackInfo&) = delete;

    void ComeIntoForce();
    TGrVariables* FindFunction(uint32_t nameId) const { return Find(functions_, nameId); }
    // Appended at the end, with no test for a name already there.
    TGrVariables* AddVariable(uint32_t nameId, TScriptValue::TType type);
    TGrVariables* AddFunction(uint32_t nameId);
    const TPointer<TGrVariables>& Variables() const { return variables_; }

private:
    static TGrVariables* Find(const TPointer<TGrVariables>& list, uint32_t nameId);
    void Bind(TGrVariables& entry, bool function);

    TScriptBindings* const bindings_;
    bool inForce_ = false;
    TPointer<TGrVariables> variables_;
    TPointer<TGrVariables> functions_;
};
