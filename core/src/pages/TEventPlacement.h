#pragma once
// Where the layout put one event of a time slot: the top-left corner of its block relative to the
// mapping's origin, the extent it had then, whether the entry holds a position yet and how often the
// event was moved out of another's way (its colour index when drawn).
#include <cstdint>

struct TEventPlacement {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t height = 0;
    std::int32_t width = 0;
    bool placed = false;
    std::int32_t moves = 0;
};
