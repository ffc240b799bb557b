#include "player/model/binding/TCallbackWindow.h"

#include "platform/win/Message.h"
#include "platform/win/Window.h"
#include "player/model/binding/PlayerGlobals.h"

namespace win = plat::win;

TCallbackWindow::TCallbackWindow(const char* className, const char16_t* unitTag, THandler& handler)
    : className_(className), handler_(&handler) {
    win::WNDCLASS wc;
    if (!win::GetClassInfo(className_, &wc)) {
        wc.lpfnWndProc = &Procedure;
        wc.lpszClassName = className_;
        if (!win::RegisterClass(wc)) {
            ReportError(0, u"%s Unable to register the windows class", unitTag);
        }
    }
    hwnd_ = win::CreateWindowEx(0, className_, "", 0, 0, 0, 0, 0, 0, nullptr);
    if (hwnd_ == 0) {
        ReportError(0, u"%s Error creating the callback window", unitTag);
        return;
    }
    win::SetWindowLongPtr(hwnd_, win::GWLP_USERDATA, reinterpret_cast<intptr_t>(handler_));
}

TCallbackWindow::~TCallbackWindow() {
    // A window closed from outside is gone (its id is not ours any more).
    if (win::IsWindow(hwnd_) &&
        win::GetWindowLongPtr(hwnd_, win::GWLP_USERDATA) == reinterpret_cast<intptr_t>(handler_)) {
        // The handler is being destroyed: the window closes through the default procedure.
        win::SetWindowLongPtr(hwnd_, win::GWLP_USERDATA, 0);
        win::SendMessage(hwnd_, win::WM_CLOSE, 0, 0);
    }
    if (win::FindWindow(className_, "") == 0) {
        win::UnregisterClass(className_);
    }
}

win::LRESULT TCallbackWindow::DefaultAnswer(win::HWND hwnd, win::UINT msg, win::WPARAM wParam,
                                            win::LPARAM lParam) {
    switch (msg) {
    case win::WM_CLOSE:
        win::DestroyWindow(hwnd);
        return 0;
    case win::WM_DESTROY:
    case win::WM_PAINT:
        return 0;
    case win::WM_ERASEBKGND:
        return 1;
    default:
        return win::DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

win::LRESULT TCallbackWindow::Procedure(win::HWND hwnd, win::UINT msg, win::WPARAM wParam,
                                        win::LPARAM lParam) {
    if (msg == win::WM_CREATE) {
        return 0;
    }
    auto* handler = reinterpret_cast<THandler*>(win::GetWindowLongPtr(hwnd, win::GWLP_USERDATA));
    return handler != nullptr ? handler->HandleMessage(hwnd, msg, wParam, lParam)
                              : win::DefWindowProc(hwnd, msg, wParam, lParam);
}
