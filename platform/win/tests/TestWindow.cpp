#include "platform/win/tests/TestWindow.h"

#include "platform/win/Window.h"

#include <string>

namespace plat::win::testing {

void TestWindow::RegisterClassOnce() {
    static const bool registered = RegisterClass(
        WNDCLASS{.lpfnWndProc = &TestWindow::Procedure, .lpszClassName = std::string(kClassName)});
    (void)registered;
}

TestWindow::TestWindow(Handler handler, HWND parent, DWORD style, std::string_view title)
    : handler_(std::make_unique<Handler>(std::move(handler))) {
    RegisterClassOnce();
    hwnd_ = CreateWindowEx(0, kClassName, title, style, 0, 0, 0, 0, parent, handler_.get());
}

TestWindow::~TestWindow() {
    DestroyWindow(hwnd_);
}

LRESULT TestWindow::Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CREATE) {
        const auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
        SetWindowLongPtr(hwnd, GWLP_USERDATA, reinterpret_cast<std::intptr_t>(cs->lpCreateParams));
    }
    const auto* handler = reinterpret_cast<const Handler*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
    return handler != nullptr && *handler ? (*handler)(hwnd, msg, wParam, lParam)
                                          : DefWindowProc(hwnd, msg, wParam, lParam);
}

} // namespace plat::win::testing
