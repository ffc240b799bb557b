#pragma once
// One marked range over the wave: start and end in ms, its kind (0 for the ranges the wave display
// adds) and, through the list links, its 1-based number in the list.
#include "foundation/TPointer.h"

#include <cstdint>

struct TMarkerEntry : TListItem<TMarkerEntry> {
    int32_t StartMs = 0;
    int32_t EndMs = 0;
    int32_t Kind = 0;
};
