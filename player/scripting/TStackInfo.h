#pragma once
// One scope of the command script language: the variables declared and the functions defined in it,
// each in order, and the enclosing scope. Lookups compare names exactly; the first match wins.
#include "player/scripting/TGrVariables.h"

class TStackInfo {
public:
    explicit TStackInfo(TStackInfo* parent = nullptr) : Parent(parent) {}
    TStackInfo(const TStackInfo&) = delete;
    TStackInfo& operator=(const TStackInfo&) = delete;

    TGrVariables* FindVariable(std::u16string_view name) const { return Find(variables_, name); }
    TGrVariables* FindFunction(std::u16string_view name) const { return Find(functions_, name); }
    // Appended at the end, with no test for a name already there.
    TGrVariables* AddVariable(std::u16string_view name, TScriptValue::TType type);
    TGrVariables* AddFunction(std::u16string_view name);
    const TPointer<TGrVariables>& Variables() const { return variables_; }

    TStackInfo* const Parent;

private:
    static TGrVariables* Find(const TPointer<TGrVariables>& list, std::u16string_view name);

    TPointer<TGrVariables> variables_;
    TPointer<TGrVariables> functions_;
};
