#include "player/scripting/TScriptBindings.h"

void TScriptBindings::Bind(uint32_t nameId, const TStackInfo& scope, TGrVariables& entry, bool function) {
    if (nameId >= names_.size()) {
        names_.resize(nameId + 1);
    }
    names_[nameId].push_back({&scope, &entry, function});
}

void TScriptBindings::Unbind(uint32_t nameId) {
    names_[nameId].pop_back();
}

TScriptBindings::TFound TScriptBindings::Find(uint32_t nameId) const {
    TFound found;
    if (nameId >= names_.size()) {
        return found;
    }
    const std::vector<TBinding>& bindings = names_[nameId];
    size_t end = bindings.size();
    while (end > 0) {
        // The entries of the innermost scope left, in the order they were added: the first function
        // of the scope, else its first variable.
        const TStackInfo* scope = bindings[end - 1].Scope;
        size_t begin = end - 1;
        while (begin > 0 && bindings[begin - 1].Scope == scope) {
            --begin;
        }
        const TBinding* function = nullptr;
        const TBinding* variable = nullptr;
        for (size_t i = begin; i < end; ++i) {
            const TBinding& binding = bindings[i];
            if (binding.Function && function == nullptr) {
                function = &binding;
            } else if (!binding.Function && variable == nullptr) {
                variable = &binding;
            }
        }
        if (function != nullptr) {
            found.Function = function->Entry;
        } else if (variable != nullptr) {
            found.Variable = variable->Entry;
            return found;
        }
        end = begin;
    }
    return found;
}
