// The desktop's state the windows share: the cursor's display count and the foreground window.
#include "platform/win/Window.h"

#include <atomic>

namespace plat::win {

namespace {

std::atomic<int> cursorCount{0};
std::atomic<HWND> foregroundWindow{0};

} // namespace

int ShowCursor(bool show) {
    return show ? ++cursorCount : --cursorCount;
}

bool IsCursorShown() {
    return cursorCount.load() >= 0;
}

bool SetForegroundWindow(HWND hwnd) {
    if (!IsWindow(hwnd)) {
        return false;
    }
    foregroundWindow.store(hwnd);
    return true;
}

HWND GetForegroundWindow() {
    const HWND hwnd = foregroundWindow.load();
    return IsWindow(hwnd) ? hwnd : 0;
}

} // namespace plat::win
