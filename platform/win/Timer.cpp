#include "platform/win/Timer.h"

#include "platform/win/HandleTable.h"
#include "platform/win/QtTimerHost.h"
#include "platform/win/ThreadQueue.h"

#include <algorithm>
#include <atomic>

namespace plat::win {

namespace {

// The bounds Windows puts on a timer's interval.
constexpr UINT kMinimumElapseMs = 10;
constexpr UINT kMaximumElapseMs = 0x7FFFFFFF;

std::atomic<TimerHost*> installedHost{nullptr};

} // namespace

TimerHost& ActiveTimerHost() {
    TimerHost* host = installedHost.load();
    return host != nullptr ? *host : QtTimerHost::Instance();
}

void InstallTimerHost(TimerHost* host) {
    installedHost.store(host);
}

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs) {
    auto& table = HandleTable::Instance();
    if (id == 0 || !table.OwnedByCallingThread(hwnd) ||
        !table.Access(hwnd, [&](WindowEntry& entry) { entry.timers.insert(id); })) {
        return 0;
    }
    ActiveTimerHost().Arm(hwnd, id, std::clamp(elapseMs, kMinimumElapseMs, kMaximumElapseMs));
    return id;
}

bool KillTimer(HWND hwnd, UINT_PTR id) {
    auto& table = HandleTable::Instance();
    bool armed = false;
    if (table.OwnedByCallingThread(hwnd)) {
        table.Access(hwnd, [&](WindowEntry& entry) { armed = entry.timers.erase(id) > 0; });
    }
    if (armed) {
        ActiveTimerHost().Disarm(hwnd, id);
    }
    return armed;
}

void PostTimerExpiry(HWND hwnd, UINT_PTR id) {
    if (const auto queue = HandleTable::Instance().QueueOf(hwnd)) {
        queue->PostTimer(hwnd, id);
    }
}

} // namespace plat::win
