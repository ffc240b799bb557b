#include "editor/ui/wave/TWaveMessageWindow.h"

#include "platform/win/Window.h"

namespace win = plat::win;

namespace {
constexpr const char* kClassName = "TWaveControl";
}

TWaveMessageWindow::TWaveMessageWindow(Handler handler) : handler_(std::move(handler)) {
    win::WNDCLASS wc;
    if (!win::GetClassInfo(kClassName, &wc)) {
        wc.lpfnWndProc = &Procedure;
        wc.lpszClassName = kClassName;
        win::RegisterClass(wc);
    }
    hwnd_ = win::CreateWindowEx(0, kClassName, "", 0, 0, 0, 0, 0, 0, nullptr);
    win::SetWindowLongPtr(hwnd_, win::GWLP_USERDATA, reinterpret_cast<intptr_t>(this));
}

// Messages still queued for the window are dropped with it.
TWaveMessageWindow::~TWaveMessageWindow() {
    win::SetWindowLongPtr(hwnd_, win::GWLP_USERDATA, 0);
    win::DestroyWindow(hwnd_);
}

win::LRESULT TWaveMessageWindow::Procedure(win::HWND hwnd, win::UINT msg, win::WPARAM wParam,
                                           win::LPARAM lParam) {
    auto* self = reinterpret_cast<TWaveMessageWindow*>(win::GetWindowLongPtr(hwnd, win::GWLP_USERDATA));
    if (self != nullptr && self->handler_) {
        return self->handler_(msg, wParam, lParam);
    }
    return win::DefWindowProc(hwnd, msg, wParam, lParam);
}
