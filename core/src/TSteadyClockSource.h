#pragma once
// The real clocks: the counter is std::chrono::steady_clock in nanoseconds and the tick count its
// milliseconds (both CLOCK_MONOTONIC on Linux).
#include "core/src/TClockSource.h"

#include <memory>

class TSteadyClockSource : public TClockSource {
public:
    static constexpr std::int64_t kFrequency = 1'000'000'000;

    bool QueryPerformanceFrequency(std::int64_t& frequency) override;
    bool QueryPerformanceCounter(std::int64_t& counter) override;
    std::uint32_t GetTickCount() override;

    // One source shared by every player of the library.
    static std::shared_ptr<TClockSource> Shared();
};
