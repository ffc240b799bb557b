#include "platform/win/QtTimerHost.h"

#include "platform/win/HandleTable.h"
#include "platform/win/QueueWaker.h"
#include "platform/win/ThreadQueue.h"

#include <thread>

namespace plat::win {

QtTimerHost& QtTimerHost::Instance() {
    // Never destroyed: threads ending after static destruction still disarm through it.
    static auto* const host = new QtTimerHost;
    return *host;
}

QueueWaker* QtTimerHost::WakerOf(HWND hwnd) {
    const auto queue = HandleTable::Instance().QueueOf(hwnd);
    return queue && queue->OwnerThread() == std::this_thread::get_id() ? queue->Waker() : nullptr;
}

void QtTimerHost::Arm(HWND hwnd, UINT_PTR id, UINT elapseMs) {
    if (auto* waker = WakerOf(hwnd)) {
        waker->StartTimer(hwnd, id, elapseMs);
    }
}

void QtTimerHost::Disarm(HWND hwnd, UINT_PTR id) {
    if (auto* waker = WakerOf(hwnd)) {
        waker->StopTimer(hwnd, id);
    }
}

void QtTimerHost::DisarmAll(HWND hwnd) {
    if (auto* waker = WakerOf(hwnd)) {
        waker->StopTimers(hwnd);
    }
}

} // namespace plat::win
