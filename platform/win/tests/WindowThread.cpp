#include "platform/win/tests/WindowThread.h"

#include "platform/win/Message.h"
#include "platform/win/tests/TestWindow.h"

#include <future>

namespace plat::win::testing {

namespace {

constexpr UINT kRun = WM_USER + 900;
constexpr UINT kStop = WM_USER + 901;

} // namespace

WindowThread::WindowThread() {
    std::promise<HWND> ready;
    auto controlWindow = ready.get_future();
    thread_ = std::thread([this, &ready] { Loop(ready); });
    control_ = controlWindow.get();
}

WindowThread::~WindowThread() {
    PostMessage(control_, kStop, 0, 0);
    thread_.join();
}

void WindowThread::Run(const std::function<void()>& f) {
    SendMessage(control_, kRun, 0, reinterpret_cast<LPARAM>(&f));
}

void WindowThread::Loop(std::promise<HWND>& ready) {
    bool stop = false;
    TestWindow control([&](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (msg == kRun) {
            (*reinterpret_cast<const std::function<void()>*>(lParam))();
        }
        stop = stop || msg == kStop;
        return 0;
    });
    ready.set_value(control.hwnd());
    while (!stop) {
        WaitMessage();
        DispatchPending();
    }
}

} // namespace plat::win::testing
