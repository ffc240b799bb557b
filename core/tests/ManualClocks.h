#pragma once
// Clocks for the subtitle clock that move only when a test moves them: a 10 MHz counter and a tick
// count, together or apart, readable from any thread. Either can be made to fail, and the counter can
// be made to step forward by itself at every read.
#include "core/src/TClockSource.h"

#include <atomic>
#include <cstdint>

class ManualClocks : public TClockSource {
public:
    static constexpr std::int64_t kFrequency = 10'000'000;
    static constexpr std::int64_t kCountsPerMs = kFrequency / 1000;

    bool QueryPerformanceFrequency(std::int64_t& frequency) override;
    bool QueryPerformanceCounter(std::int64_t& counter) override;
    std::uint32_t GetTickCount() override;

    // Both clocks move by `ms`.
    void Advance(std::int64_t ms) { AdvanceApart(ms * kCountsPerMs, ms); }
    // The counter moves by `counts`, the tick count by `tickMs`.
    void AdvanceApart(std::int64_t counts, std::int64_t tickMs);
    // Every counter read first moves both clocks by `ms` (0: off).
    void AdvanceAtEachRead(std::int64_t ms) { autoAdvanceMs_ = ms; }

    std::atomic<bool> counterFails{false};
    std::atomic<bool> frequencyFails{false};

private:
    std::atomic<std::int64_t> counter_{1'000'000'000}; // any start value; only differences count
    std::atomic<std::uint32_t> tick_{0xFFFFFF00u};     // 256 ms before it wraps
    std::atomic<std::int64_t> autoAdvanceMs_{0};
};
