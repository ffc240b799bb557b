#pragma once
// A std::thread that owns windows and delivers its queue by hand (WaitMessage + DispatchPending)
// until it is stopped.
#include "platform/win/Types.h"

#include <functional>
#include <future>
#include <thread>

namespace plat::win::testing {

class WindowThread {
public:
    WindowThread();  // returns once the thread takes messages
    ~WindowThread(); // stops the thread and joins it; its windows end with it

    // Runs f on the thread (through a message sent to it) and returns when it is done.
    void Run(const std::function<void()>& f);
    std::thread::id Id() const { return thread_.get_id(); }

private:
    void Loop(std::promise<HWND>& ready);

    HWND control_ = 0;
    std::thread thread_;
};

} // namespace plat::win::testing
