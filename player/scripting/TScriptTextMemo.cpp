#include "player/scripting/TScriptTextMemo.h"

void TScriptTextMemo::Reset(const TScriptCursor& script) {
    script_ = script;
    slots_.clear();
    facts_.clear();
}

TScriptTextMemo::TFacts* TScriptTextMemo::At(const TScriptCursor& cursor, size_t position) {
    if (cursor.Base != script_.Base || script_.Base == nullptr || position > script_.End ||
        script_.End >= size_t{INT32_MAX}) {
        return nullptr;
    }
    if (slots_.empty()) {
        slots_.assign(script_.End + 1, 0);
    }
    uint32_t& slot = slots_[position];
    if (slot == 0) {
        facts_.emplace_back();
        slot = static_cast<uint32_t>(facts_.size());
    }
    return &facts_[slot - 1];
}
