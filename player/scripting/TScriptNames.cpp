#include "player/scripting/TScriptNames.h"

TScriptNames::TScriptNames() {
    Clear();
}

void TScriptNames::Clear() {
    ids_.clear();
    ids_.emplace(u"result", kResult);
}

uint32_t TScriptNames::Id(std::u16string_view name) {
    const auto found = ids_.find(name);
    if (found != ids_.end()) {
        return found->second;
    }
    const auto id = static_cast<uint32_t>(ids_.size());
    ids_.emplace(name, id);
    return id;
}
