#pragma once
// One style of the subtitle display's style list (order 503).
#include "core/include/SubtitleRecords.h"
#include "foundation/TPointer.h"

struct TSubtitleStyleNode : TListItem<TSubtitleStyleNode> {
    TSubtitleStyleRecord record{};
};
