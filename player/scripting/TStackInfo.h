#pragma once
// One scope of the command script language: the variables declared and the functions defined in it,
// each in order, and the enclosing scope. Lookups compare names exactly; the first match wins.
//
// Scoping is dynamic, so a lookup may walk many scopes (one per block and call of a deep recursion).
// Each scope keeps a 64-bit summary of the names it holds, so that a walk passes the scopes that cannot
// hold a name without searching them.
#include "player/scripting/TGrVariables.h"

#include <cstdint>

class TStackInfo {
public:
    // The summary bit of a name.
    static uint64_t NameBit(std::u16string_view name) {
        const uint32_t mix =
            static_cast<uint32_t>(name.size()) * 7u + (name.empty() ? 0u : name.front() * 31u + name.back());
        return uint64_t{1} << (mix % 64);
    }

    explicit TStackInfo(TStackInfo* parent = nullptr) : Parent(parent) {}
    TStackInfo(const TStackInfo&) = delete;
    TStackInfo& operator=(const TStackInfo&) = delete;

    // False only when the scope holds no entry of a name with this bit.
    bool MayHold(uint64_t nameBit) const { return (names_ & nameBit) != 0; }
    TGrVariables* FindVariable(std::u16string_view name) const { return Find(variables_, name); }
    TGrVariables* FindFunction(std::u16string_view name) const { return Find(functions_, name); }
    // Appended at the end, with no test for a name already there.
    TGrVariables* AddVariable(std::u16string_view name, TScriptValue::TType type);
    TGrVariables* AddFunction(std::u16string_view name);
    const TPointer<TGrVariables>& Variables() const { return variables_; }

    TStackInfo* const Parent;

private:
    static TGrVariables* Find(const TPointer<TGrVariables>& list, std::u16string_view name);

    uint64_t names_ = 0;
    TPointer<TGrVariables> variables_;
    TPointer<TGrVariables> functions_;
};
