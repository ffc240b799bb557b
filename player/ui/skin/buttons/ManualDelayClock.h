#pragma once
// A clock that moves only when told, with the DelayTimers made on it: tests install its factory and
// advance it by hand, so that delays run without waiting.
#include "player/ui/skin/buttons/DelayTimer.h"

#include <cstdint>
#include <set>

class ManualDelayClock {
public:
    ManualDelayClock();
    // Restores Qt's timers.
    ~ManualDelayClock();
    ManualDelayClock(const ManualDelayClock&) = delete;
    ManualDelayClock& operator=(const ManualDelayClock&) = delete;

    // Moves the clock, running every timer whose time is passed, in time order.
    void Advance(int64_t ms);
    int64_t NowMs() const { return nowMs_; }
    // Timers waiting now.
    int ActiveCount() const;

private:
    class Timer;
    friend class Timer;

    int64_t nowMs_ = 0;
    std::set<Timer*> timers_;
};
