#include "platform/win/Timer.h"

#include <algorithm>
#include <tuple>
#include <vector>

namespace plat::win {

void ManualTimerHost::Arm(HWND hwnd, UINT_PTR id, UINT elapseMs) {
    std::lock_guard lock(mutex_);
    const UINT interval = std::max<UINT>(elapseMs, 1);
    timers_[{hwnd, id}] = Armed{interval, nowMs_ + interval};
}

void ManualTimerHost::Disarm(HWND hwnd, UINT_PTR id) {
    std::lock_guard lock(mutex_);
    timers_.erase({hwnd, id});
}

void ManualTimerHost::DisarmAll(HWND hwnd) {
    std::lock_guard lock(mutex_);
    std::erase_if(timers_, [&](const auto& timer) { return timer.first.first == hwnd; });
}

void ManualTimerHost::Advance(std::uint64_t ms) {
    using Expiry = std::tuple<std::uint64_t, HWND, UINT_PTR>;
    std::vector<Expiry> expired;
    {
        std::lock_guard lock(mutex_);
        nowMs_ += ms;
        for (auto& [key, timer] : timers_) {
            if (timer.dueMs > nowMs_) {
                continue;
            }
            expired.emplace_back(timer.dueMs, key.first, key.second);
            // The next expiry stays on the timer's period, past the missed ones.
            const std::uint64_t missed = (nowMs_ - timer.dueMs) / timer.elapseMs;
            timer.dueMs += (missed + 1) * timer.elapseMs;
        }
    }
    std::sort(expired.begin(), expired.end());
    for (const auto& [dueMs, hwnd, id] : expired) {
        PostTimerExpiry(hwnd, id);
    }
}

std::uint64_t ManualTimerHost::NowMs() const {
    std::lock_guard lock(mutex_);
    return nowMs_;
}

bool ManualTimerHost::IsArmed(HWND hwnd, UINT_PTR id) const {
    std::lock_guard lock(mutex_);
    return timers_.contains({hwnd, id});
}

std::size_t ManualTimerHost::ArmedCount() const {
    std::lock_guard lock(mutex_);
    return timers_.size();
}

} // namespace plat::win
