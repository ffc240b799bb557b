#include "platform/win/QueueWaker.h"

#include "platform/win/ThreadQueue.h"
#include "platform/win/Timer.h"

#include <QEventLoop>
#include <QThread>
#include <QTimerEvent>

#include <algorithm>
#include <climits>

namespace plat::win {

QueueWaker::QueueWaker(ThreadQueue& queue) : queue_(queue) {}

QEvent::Type QueueWaker::EventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

void QueueWaker::customEvent(QEvent* /*event*/) {
    // The wake event is the only custom event posted here. It is not read: it crossed threads
    // through Qt's own locking, which the thread sanitizer does not see.
    queue_.OnWake();
}

void QueueWaker::StartTimer(HWND hwnd, UINT_PTR id, UINT elapseMs) {
    StopTimer(hwnd, id);
    if (thread()->eventDispatcher() == nullptr) {
        // A thread Qt adopted (not a QThread) gets its event dispatcher from its first event loop
        // object; Qt timers need one.
        QEventLoop giveThreadADispatcher;
    }
    const int qtId = startTimer(static_cast<int>(std::min<UINT>(elapseMs, INT_MAX)), Qt::PreciseTimer);
    if (qtId != 0) {
        qtTimerOf_[{hwnd, id}] = qtId;
        windowTimerOf_[qtId] = {hwnd, id};
    }
}

void QueueWaker::StopTimer(HWND hwnd, UINT_PTR id) {
    const auto it = qtTimerOf_.find({hwnd, id});
    if (it == qtTimerOf_.end()) {
        return;
    }
    killTimer(it->second);
    windowTimerOf_.erase(it->second);
    qtTimerOf_.erase(it);
}

void QueueWaker::StopTimers(HWND hwnd) {
    auto it = qtTimerOf_.lower_bound({hwnd, 0});
    while (it != qtTimerOf_.end() && it->first.first == hwnd) {
        killTimer(it->second);
        windowTimerOf_.erase(it->second);
        it = qtTimerOf_.erase(it);
    }
}

void QueueWaker::timerEvent(QTimerEvent* event) {
    const auto it = windowTimerOf_.find(event->timerId());
    if (it != windowTimerOf_.end()) {
        PostTimerExpiry(it->second.first, it->second.second);
    }
}

} // namespace plat::win
