#pragma once
// One bookmark of the current disc or file: a slot of the "Info" index as the list holds it. The list
// number (Index) is the 1-based position, renumbered after every load.
#include "core/include/StateIndex.h"
#include "foundation/TPointer.h"

#include <cstdint>

struct TBookmarksEntry : TListItem<TBookmarksEntry> {
    char Identifier[kStateIdentifierBytes] = {}; // the core's state stream, NUL-terminated
    char Name[kStateCaptionBytes] = {};          // display name, ANSI, NUL-terminated
    uint8_t Title = 0;
    uint8_t Chapter = 0;
    uint32_t Time = 0; // milliseconds in the title
    uint8_t Flag1 = 0; // both flags are kept as read
    uint8_t Flag2 = 0;
};
