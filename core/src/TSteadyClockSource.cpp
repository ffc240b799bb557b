#include "core/src/TSteadyClockSource.h"

#include <chrono>

namespace {

std::chrono::steady_clock::duration SinceEpoch() {
    return std::chrono::steady_clock::now().time_since_epoch();
}

} // namespace

bool TSteadyClockSource::QueryPerformanceFrequency(std::int64_t& frequency) {
    frequency = kFrequency;
    return true;
}

bool TSteadyClockSource::QueryPerformanceCounter(std::int64_t& counter) {
    counter = std::chrono::duration_cast<std::chrono::nanoseconds>(SinceEpoch()).count();
    return true;
}

std::uint32_t TSteadyClockSource::GetTickCount() {
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(SinceEpoch()).count());
}

std::shared_ptr<TClockSource> TSteadyClockSource::Shared() {
    static const auto source = std::make_shared<TSteadyClockSource>();
    return source;
}
