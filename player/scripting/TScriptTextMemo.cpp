#include "player/scripting/TScriptTextMemo.h"

void TScriptTextMemo::Reset(const TScriptCursor& script) {
    script_ = script;
    facts_.clear();
    // Positions are kept in 32 bits; a longer text is read afresh each time.
    const bool kept = script.Base != nullptr && script.End < size_t{INT32_MAX};
    slots_.assign(kept ? script.End + 1 : 0, 0);
}

TScriptTextMemo::TFacts* TScriptTextMemo::Add(size_t position) {
    facts_.emplace_back();
    slots_[position] = static_cast<uint32_t>(facts_.size());
    return &facts_.back();
}
