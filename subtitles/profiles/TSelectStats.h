#pragma once
// The statistics block of a selection or a whole title: the spread of the event times it covers.
#include <cstdint>

struct TSelectStats {
    int32_t Duration = 0;  // largest end - smallest start
    int32_t StartSpan = 0; // largest start - smallest start
    int32_t Count = 0;
    int32_t MinStart = 0;
    int32_t MaxStart = 0;
    int32_t MaxEnd = 0;
    int32_t MinStartUnshifted = 0; // in the script, before the shift onto the title's time line
    int32_t MaxStartUnshifted = 0;
    int32_t Valid = 0; // 1 once the block describes events
    int32_t Reserved[3] = {};
};
static_assert(sizeof(TSelectStats) == 48, "the statistics block is 48 bytes");
