#include "core/src/TSubTimer.h"

#include "platform/win/Debug.h"

#include <cstdlib>
#include <limits>

namespace {

std::int64_t Saturate64(__int128 value) {
    constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
    constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
    return static_cast<std::int64_t>(value < kMin ? kMin : value > kMax ? kMax : value);
}

std::int32_t Saturate32(std::int64_t value) {
    constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value < kMin ? kMin : value > kMax ? kMax : value);
}

// Down to a multiple of 10 by the unsigned remainder.
std::int32_t RoundDown(std::int32_t time) {
    const auto remainder = static_cast<std::uint32_t>(time) % TSubTimer::kRoundingMs;
    return static_cast<std::int32_t>(static_cast<std::int64_t>(time) - remainder);
}

} // namespace

TSubTimer::TSubTimer(TCoreObject* owner, std::shared_ptr<std::recursive_mutex> lock,
                     std::shared_ptr<TClockSource> clocks, TReport report)
    : TCoreThread(owner), lock_(std::move(lock)), clocks_(std::move(clocks)), report_(std::move(report)) {}

TSubTimer::~TSubTimer() {
    {
        const std::lock_guard signal(signalMutex_);
        keepRunning_ = false;
    }
    signal_.notify_all();
    Join();
}

void TSubTimer::SetCounting(bool counting) {
    const std::lock_guard lock(*lock_);
    if (!counting || !counting_) {
        ResetReference();
    }
    counting_ = counting;
}

void TSubTimer::ResetReference() {
    if (!clocks_->QueryPerformanceFrequency(frequency_)) {
        plat::win::OutputDebugString("QPF() failed \n");
    }
    referenceTick_ = clocks_->GetTickCount();
    if (!clocks_->QueryPerformanceCounter(referenceCounter_)) {
        plat::win::OutputDebugString("QPC() failed 2");
    }
}

std::int64_t TSubTimer::CounterMs(std::int64_t counts) const {
    return frequency_ > 0 ? Saturate64(static_cast<__int128>(counts) * 1000 / frequency_) : 0;
}

std::int64_t TSubTimer::MsCounts(std::int64_t ms) const {
    return Saturate64(static_cast<__int128>(ms) * frequency_ / 1000);
}

void TSubTimer::Step(std::int32_t time) {
    const std::lock_guard lock(*lock_);
    if (time == kResetReference) {
        ResetReference();
        return;
    }
    const bool counting = counting_;
    if (time < 0 && !counting) {
        return; // nothing advances a stopped clock
    }
    std::int64_t counter = 0;
    std::uint32_t tick = 0;
    std::int64_t elapsed = 0;
    if (counting) {
        if (!clocks_->QueryPerformanceCounter(counter)) {
            plat::win::OutputDebugString("QPC() failed 3");
        }
        tick = clocks_->GetTickCount();
        elapsed = CounterMs(counter - referenceCounter_);
        const std::int64_t tickElapsed = static_cast<std::uint32_t>(tick - referenceTick_);
        // A counter that disagrees with the tick count does not move the clock.
        if (std::llabs(elapsed - tickElapsed) > kCrossCheckMs) {
            referenceTick_ = clocks_->GetTickCount();
            referenceCounter_ = counter;
            return;
        }
    }
    if (time < 0) {
        time_ = Saturate32(static_cast<std::int64_t>(time_) + elapsed);
    } else {
        time_ = time;
    }
    ReportRounded(RoundDown(time_));
    if (counting) {
        // An advance keeps the fraction of a millisecond that it did not count for the next step.
        referenceCounter_ = time < 0 ? referenceCounter_ + MsCounts(elapsed) : counter;
        referenceTick_ = tick;
    }
}

void TSubTimer::SetPosition(std::int32_t time) {
    const std::lock_guard lock(*lock_);
    if (counting_ || time < 0) {
        Step(time);
        return;
    }
    time_ = time;
    const std::int32_t rounded = RoundDown(time);
    if (rounded == lastReported_) {
        return;
    }
    lastReported_ = rounded;
    if (report_) {
        report_(rounded);
    }
}

void TSubTimer::ReportRounded(std::int32_t rounded) {
    const std::int64_t moved = static_cast<std::int64_t>(rounded) - lastReported_;
    if (moved == 0 || (moved < 0 && -moved <= kJumpMs)) {
        return; // unchanged, or a small step back: the last report stands
    }
    if (moved > 0 && moved < kJumpMs && report_) {
        report_(rounded);
    }
    lastReported_ = rounded; // a jump is taken silently; the next move reports
}

std::int32_t TSubTimer::GetTime() const {
    const std::lock_guard lock(*lock_);
    return time_;
}

bool TSubTimer::Run() {
    while (keepRunning_) {
        const bool counting = counting_;
        if (counting && !StepFromThread()) {
            break;
        }
        Pause(counting ? kCountingPause : kIdlePause);
    }
    plat::win::OutputDebugString("Subtimer thread finished...");
    {
        const std::lock_guard signal(signalMutex_);
        finished_ = true;
    }
    signal_.notify_all();
    return true;
}

bool TSubTimer::StepFromThread() {
    const std::lock_guard lock(*lock_);
    if (!keepRunning_) {
        return false;
    }
    Step(kAdvance);
    return true;
}

void TSubTimer::Pause(std::chrono::milliseconds duration) {
    std::unique_lock signal(signalMutex_);
    signal_.wait_for(signal, duration, [this] { return !keepRunning_; });
}

bool TSubTimer::Stop(std::chrono::milliseconds timeout) {
    {
        const std::lock_guard signal(signalMutex_);
        keepRunning_ = false;
    }
    keepRunning_.notify_all();
    signal_.notify_all();
    if (!Started()) {
        return true;
    }
    std::unique_lock signal(signalMutex_);
    return signal_.wait_for(signal, timeout, [this] { return finished_; });
}

TSubTimer* TSubTimer::Dispose(std::unique_ptr<TSubTimer> clock, std::chrono::milliseconds timeout) {
    if (clock->Stop(timeout)) {
        clock->Join();
        return nullptr;
    }
    // Steps run under the lock and none starts any more: once the lock is ours, the thread will not
    // reach its player again.
    { const std::lock_guard lock(*clock->lock_); }
    plat::win::OutputDebugString("Subtimer thread did not finish: its clock is kept\n");
    return clock.release();
}
