#include "core/tests/ManualClocks.h"

bool ManualClocks::QueryPerformanceFrequency(std::int64_t& frequency) {
    frequency = frequencyFails ? 0 : kFrequency;
    return !frequencyFails;
}

bool ManualClocks::QueryPerformanceCounter(std::int64_t& counter) {
    if (autoAdvanceMs_ != 0) {
        Advance(autoAdvanceMs_);
    }
    counter = counterFails ? 0 : counter_.load();
    return !counterFails;
}

std::uint32_t ManualClocks::GetTickCount() {
    return tick_;
}

void ManualClocks::AdvanceApart(std::int64_t counts, std::int64_t tickMs) {
    counter_ += counts;
    tick_ += static_cast<std::uint32_t>(tickMs);
}
