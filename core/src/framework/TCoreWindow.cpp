#include "core/src/framework/TCoreWindow.h"

#include "platform/win/Window.h"

namespace win = plat::win;

TCoreWindow::TCoreWindow(TCoreObject* owner) : TCoreWindowRoot(owner) {
    SetStyle(win::WS_OVERLAPPEDWINDOW | win::WS_CLIPCHILDREN);
    SetExStyle(0);
    SetClassStyle(win::CS_VREDRAW | win::CS_HREDRAW | win::CS_DBLCLKS);
}

int TCoreWindow::CreateDefault(std::string_view className, std::string_view title, HWND parent) {
    return Create(ExStyle(), className, title, Style(), win::CW_USEDEFAULT, win::CW_USEDEFAULT,
                  win::CW_USEDEFAULT, win::CW_USEDEFAULT, parent, nullptr);
}

bool TCoreWindow::GetText(char* buffer, int size) {
    return Handle() != 0 && buffer != nullptr && win::GetWindowText(Handle(), buffer, size) > 0;
}

bool TCoreWindow::SetText(std::string_view text) {
    return Handle() != 0 && win::SetWindowText(Handle(), text);
}

bool TCoreWindow::SetParentWindow(HWND parent) {
    if (Handle() == 0) {
        return false;
    }
    win::SetParent(Handle(), parent);
    return win::GetParent(Handle()) == parent;
}
