#pragma once
// Sizes and rectangles in device pixels. A rectangle includes left/top and excludes right/bottom.
// Coordinates come from outside data scaled many times over: sums are held to the 32-bit range.
#include <algorithm>
#include <climits>
#include <cstdint>

namespace plat::gdi {

// a + b held to the 32-bit range.
constexpr std::int32_t SaturatedAdd(std::int64_t a, std::int64_t b) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(a + b, INT32_MIN, INT32_MAX));
}

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const Point&) const = default;
};

struct Size {
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool operator==(const Size&) const = default;
};

struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    std::int64_t Width() const { return std::int64_t{right} - left; }
    std::int64_t Height() const { return std::int64_t{bottom} - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool operator==(const Rect&) const = default;
};

} // namespace plat::gdi
