#pragma once
// The two clocks the subtitle clock reads: a high-resolution "performance counter" with its
// frequency, and a millisecond "tick count" that wraps at 32 bits. Tests hand in clocks they move by
// hand; the player uses TSteadyClockSource.
#include <cstdint>

class TClockSource {
public:
    virtual ~TClockSource() = default;

    // Counts per second; false when it cannot be read.
    virtual bool QueryPerformanceFrequency(std::int64_t& frequency) = 0;
    // The counter; false when it cannot be read.
    virtual bool QueryPerformanceCounter(std::int64_t& counter) = 0;
    // Milliseconds of a monotonic clock, wrapping at 32 bits.
    virtual std::uint32_t GetTickCount() = 0;
};
