#pragma once
// How outlines are drawn, and the outline width and shadow depth that replace a style's own (order
// 507 in the core; the editor keeps the start values).
#include <cstdint>

enum TOutlineMethod : std::uint8_t {
    kOutlineStrokedPath = 1,
    kOutlineNone = 2,
    kOutlineEightCopies = 3,
    kOutlineDiscPattern = 4,
};

struct TDrawOverrides {
    static constexpr std::int32_t kNone = -1;

    std::uint8_t outlineMethod = kOutlineDiscPattern; // 0 keeps the method as it is
    std::int32_t outlineWidth = kNone;
    std::int32_t shadowDepth = kNone;
};
