#pragma once
// Time stretching of selections: the factor that widens a span of event starts by a ramp, and
// moving a time away from an origin by a factor. Results stay within the 32-bit millisecond range.
#include <cstdint>

// (span + ramp) / span; 1.0 when either is 0.
double TimeScaleFactor(int32_t span, int32_t ramp);

// When the time lies after the origin: origin + (time - origin) x factor, truncated toward zero and
// held within the 32-bit range. Answers the time.
int32_t ScaleTimeFromOrigin(int32_t origin, int32_t& time, double factor);
// The inverse: origin + (time - origin) / factor when the time lies after the origin and the factor
// is not 0. Answers the time.
int32_t UnscaleTimeFromOrigin(int32_t origin, int32_t& time, double factor);

// a + b and a - b held within the 32-bit range.
int32_t SaturatedSum(int32_t a, int64_t b);
int32_t SaturatedDifference(int32_t a, int32_t b);
