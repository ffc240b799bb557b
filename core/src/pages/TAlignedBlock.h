#pragma once
// Where a block of w x h goes on a screen of W x H by its alignment and margins, with the mapping's
// scales sx and sy: the SubStation v4 alignment's low bits choose left (1), right (3) or the centre,
// bit 4 the top, bit 8 the middle, else the bottom. Halves are cut toward zero, and so is the corner.
#include <cstdint>

struct TAlignedBlock {
    static constexpr std::int32_t kLeft = 1;
    static constexpr std::int32_t kRight = 3;
    static constexpr std::int32_t kTop = 4;
    static constexpr std::int32_t kMiddle = 8;

    struct TMargins {
        std::int32_t left = 0;
        std::int32_t right = 0;
        std::int32_t vertical = 0;
    };

    std::int32_t x = 0;
    std::int32_t y = 0;

    static TAlignedBlock Place(std::int32_t alignment, const TMargins& margins, double sx, double sy,
                               double width, double height, std::int32_t w, std::int32_t h);
};
