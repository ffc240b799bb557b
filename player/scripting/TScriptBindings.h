#pragma once
// The entries of the scopes that a running script can see, by name: for each name number, the
// variables and functions of that name in the scopes from the outermost to the current one, in the
// order they were added. Scoping is dynamic, so the scopes a lookup walks are the chain of scopes in
// force; keeping their entries by name finds a name without walking every scope of a deep recursion.
//
// A scope's entries are bound while it is in force (TStackInfo). Entries of one scope stand together:
// while a scope is in force, only it (or, while a call's arguments are read, the caller's scope before
// the call's scope comes into force) gains entries.
#include <cstddef>
#include <cstdint>
#include <vector>

class TStackInfo;
struct TGrVariables;

class TScriptBindings {
public:
    // What a name means from the current scope outwards: scope by scope, a scope's functions hide its
    // variables, and the walk ends at the first scope with a variable of the name; a function met on
    // the way (the outermost one) wins over that variable.
    struct TFound {
        const TGrVariables* Function = nullptr;
        TGrVariables* Variable = nullptr;
    };

    void Bind(uint32_t nameId, const TStackInfo& scope, TGrVariables& entry, bool function);
    // Drops the entry of the name bound last.
    void Unbind(uint32_t nameId);
    TFound Find(uint32_t nameId) const;

private:
    struct TBinding {
        const TStackInfo* Scope;
        TGrVariables* Entry;
        bool Function;
    };

    std::vector<std::vector<TBinding>> names_;
};
