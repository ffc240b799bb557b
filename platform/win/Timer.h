#pragma once
// Per-window timers. SetTimer arms a timer on the window's owning thread; each expiry posts
// WM_TIMER (wParam = timer id) unless one is already waiting, as Windows does. Timers run on a
// timer host: by default Qt's timers on the owning thread; tests install a ManualTimerHost and move
// its clock by hand.
#include "platform/win/Types.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <utility>

namespace plat::win {

// Arms (or re-arms, restarting its interval) timer `id` of the window. Answers the id, 0 for an
// invalid window, id 0 or a window of another thread.
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs);
bool KillTimer(HWND hwnd, UINT_PTR id);

class TimerHost {
public:
    virtual ~TimerHost() = default;
    virtual void Arm(HWND hwnd, UINT_PTR id, UINT elapseMs) = 0;
    virtual void Disarm(HWND hwnd, UINT_PTR id) = 0;
    // Called when a window is destroyed: drops all its timers.
    virtual void DisarmAll(HWND hwnd) = 0;
};

// Installs the host every later SetTimer uses (nullptr restores Qt's timers). The caller keeps the
// host alive while it is installed.
void InstallTimerHost(TimerHost* host);
// The host in use: the installed one, else Qt's timers.
TimerHost& ActiveTimerHost();

// Posts WM_TIMER for a timer that expired, unless one for the same window and id is still waiting.
// Timer hosts call it.
void PostTimerExpiry(HWND hwnd, UINT_PTR id);

// A timer host whose clock only moves when told: Advance() posts WM_TIMER for every expiry that the
// time step passes (a periodic timer at most once per step, as messages coalesce).
class ManualTimerHost : public TimerHost {
public:
    void Arm(HWND hwnd, UINT_PTR id, UINT elapseMs) override;
    void Disarm(HWND hwnd, UINT_PTR id) override;
    void DisarmAll(HWND hwnd) override;

    void Advance(std::uint64_t ms);
    std::uint64_t NowMs() const;
    bool IsArmed(HWND hwnd, UINT_PTR id) const;
    std::size_t ArmedCount() const;

private:
    struct Armed {
        UINT elapseMs;
        std::uint64_t dueMs;
    };
    mutable std::mutex mutex_;
    std::uint64_t nowMs_ = 0;
    std::map<std::pair<HWND, UINT_PTR>, Armed> timers_;
};

} // namespace plat::win
