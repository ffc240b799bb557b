#pragma once
// The default timer host: Qt timers on the window's thread, which its Qt event loop runs.
#include "platform/win/Timer.h"

namespace plat::win {

class QueueWaker;

class QtTimerHost : public TimerHost {
public:
    static QtTimerHost& Instance();

    void Arm(HWND hwnd, UINT_PTR id, UINT elapseMs) override;
    void Disarm(HWND hwnd, UINT_PTR id) override;
    void DisarmAll(HWND hwnd) override;

private:
    // Qt timers belong to the window's thread: the waker there when called on it, else null (a
    // window whose thread has ended lost its timers with its waker).
    static QueueWaker* WakerOf(HWND hwnd);
};

} // namespace plat::win
