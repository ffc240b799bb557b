#include "subtitles/profiles/TSelect.h"

#include "subtitles/scripts/TScriptControl.h"

#include <algorithm>

bool TSelect::ScriptStartRange(const TScriptControl& script, int32_t& first, int32_t& last) {
    first = 0;
    last = 0;
    bool found = false;
    for (const TSubEvents* event = script.Events.Head; event != nullptr; event = event->Next) {
        const TSubEventRecord* record = event->GetRecord();
        if (record == nullptr || event->IsComment()) {
            continue;
        }
        first = found ? std::min(first, record->start) : record->start;
        last = found ? std::max(last, record->start) : record->start;
        found = true;
    }
    return found;
}

bool TSelect::SpanScript() {
    int32_t first = 0;
    int32_t last = 0;
    if (Script == nullptr || !ScriptStartRange(*Script, first, last)) {
        return false;
    }
    FirstSub = first;
    LastSub = last;
    return true;
}
