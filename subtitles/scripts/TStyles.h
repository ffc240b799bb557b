#pragma once
// One style of a script's style list: the 404-byte style record passed to the core, with list links.
#include "core/include/SubtitleRecords.h"
#include "foundation/TPointer.h"

struct TStyles : TListItem<TStyles> {
    TSubtitleStyleRecord Record{};
};
