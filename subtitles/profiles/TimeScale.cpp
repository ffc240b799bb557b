#include "subtitles/profiles/TimeScale.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

int32_t Saturate(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    constexpr double kLow = std::numeric_limits<int32_t>::min();
    constexpr double kHigh = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(std::clamp(std::trunc(value), kLow, kHigh));
}

} // namespace

double TimeScaleFactor(int32_t span, int32_t ramp) {
    if (span == 0 || ramp == 0) {
        return 1.0;
    }
    return (static_cast<double>(span) + ramp) / span;
}

int32_t ScaleTimeFromOrigin(int32_t origin, int32_t& time, double factor) {
    if (time > origin) {
        time = Saturate(origin + (static_cast<double>(time) - origin) * factor);
    }
    return time;
}

int32_t UnscaleTimeFromOrigin(int32_t origin, int32_t& time, double factor) {
    if (time > origin && factor != 0.0) {
        time = Saturate(origin + (static_cast<double>(time) - origin) / factor);
    }
    return time;
}

int32_t SaturatedSum(int32_t a, int64_t b) {
    const int64_t sum = int64_t{a} + std::clamp<int64_t>(b, INT32_MIN * int64_t{2}, INT32_MAX * int64_t{2});
    return static_cast<int32_t>(std::clamp<int64_t>(sum, INT32_MIN, INT32_MAX));
}

int32_t SaturatedDifference(int32_t a, int32_t b) {
    return SaturatedSum(a, -int64_t{b});
}
