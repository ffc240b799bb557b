#pragma once
// Floating values become pixel counts by cutting toward zero. A value that lies within rounding error
// below a whole number (4 / 3 x 600 computes as 799.9999...) counts as that number.
#include <algorithm>
#include <cmath>
#include <cstdint>

inline std::int32_t CutTowardZero(double value) {
    if (!std::isfinite(value)) {
        return 0;
    }
    constexpr double kRoundingError = 1e-7;
    const double nudged = value + (value >= 0 ? kRoundingError : -kRoundingError);
    return static_cast<std::int32_t>(std::clamp(std::trunc(nudged), -2147483648.0, 2147483647.0));
}
