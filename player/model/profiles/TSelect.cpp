#include "player/model/profiles/TSelect.h"

#include "subtitles/scripts/TScriptControl.h"

#include <algorithm>

bool TSelect::SpanScript() {
    if (Script == nullptr) {
        return false;
    }
    bool found = false;
    int32_t first = 0;
    int32_t last = 0;
    for (const TSubEvents* event = Script->Events.Head; event != nullptr; event = event->Next) {
        const TSubEventRecord* record = event->GetRecord();
        if (record == nullptr || event->IsComment()) {
            continue;
        }
        first = found ? std::min(first, record->start) : record->start;
        last = found ? std::max(last, record->start) : record->start;
        found = true;
    }
    if (found) {
        FirstSub = first;
        LastSub = last;
    }
    return found;
}
