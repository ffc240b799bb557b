#pragma once
// The Qt side of a thread's queue, living on that thread: its wake event makes the thread's Qt event
// loop deliver the queue, and it carries the Qt timers of the thread's windows.
#include "platform/win/Types.h"

#include <QEvent>
#include <QObject>

#include <map>
#include <utility>

namespace plat::win {

class ThreadQueue;

class QueueWaker : public QObject {
public:
    explicit QueueWaker(ThreadQueue& queue);

    static QEvent::Type EventType();

    // Timers of the thread's windows; each expiry calls PostTimerExpiry.
    void StartTimer(HWND hwnd, UINT_PTR id, UINT elapseMs);
    void StopTimer(HWND hwnd, UINT_PTR id);
    void StopTimers(HWND hwnd);

protected:
    void customEvent(QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    using TimerKey = std::pair<HWND, UINT_PTR>;

    ThreadQueue& queue_;
    std::map<TimerKey, int> qtTimerOf_;
    std::map<int, TimerKey> windowTimerOf_;
};

} // namespace plat::win
