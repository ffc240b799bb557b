#include "core/src/framework/TCoreWindowRoot.h"

#include "core/src/framework/TCoreModule.h"
#include "platform/win/Message.h"
#include "platform/win/Window.h"

#include <array>

namespace win = plat::win;

namespace {

constexpr int kClassNameUnits = 256;

int LowX(win::LPARAM lParam) {
    return static_cast<std::int16_t>(lParam & 0xFFFF);
}
int HighY(win::LPARAM lParam) {
    return static_cast<std::int16_t>((lParam >> 16) & 0xFFFF);
}

bool IsMouseButtonMessage(win::UINT msg) {
    return msg >= win::WM_LBUTTONDOWN && msg <= win::WM_MBUTTONDBLCLK;
}

} // namespace

TCoreWindowRoot::TCoreWindowRoot(TCoreObject* owner) : TCoreVisual(owner) {}

TCoreWindowRoot::~TCoreWindowRoot() {
    DestroyWindowOfObject();
}

// Closes the window as the user would; when a handler refused, the window is untied from this object
// and destroyed anyway, so that it never reaches a freed object. The class goes when its last window
// has gone.
void TCoreWindowRoot::DestroyWindowOfObject() {
    const HWND hwnd = handle_;
    std::array<char, kClassNameUnits> className{};
    if (hwnd == 0 || win::GetClassName(hwnd, className.data(), kClassNameUnits) == 0) {
        return;
    }
    win::SendMessage(hwnd, win::WM_CLOSE, 0, 0);
    if (win::IsWindow(hwnd)) {
        win::SetWindowLongPtr(hwnd, win::GWLP_USERDATA, 0);
        win::DestroyWindow(hwnd);
    }
    handle_ = 0;
    if (win::FindWindow(className.data(), {}) == 0) {
        win::UnregisterClass(className.data());
    }
}

win::LRESULT TCoreWindowRoot::ClassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == win::WM_CREATE) {
        return 0;
    }
    auto* window = reinterpret_cast<TCoreWindowRoot*>(win::GetWindowLongPtr(hwnd, win::GWLP_USERDATA));
    if (window == nullptr) {
        return win::DefWindowProc(hwnd, msg, wParam, lParam);
    }
    return window->WindowProc(hwnd, msg, wParam, lParam);
}

bool TCoreWindowRoot::RegisterClassOnce(std::string_view className) const {
    win::WNDCLASS wc;
    if (win::GetClassInfo(className, &wc)) {
        return true;
    }
    wc.style = classStyle_;
    wc.lpfnWndProc = &ClassProc;
    wc.hInstance = TCoreModule::LibraryHandle();
    wc.lpszClassName = std::string(className);
    return win::RegisterClass(wc);
}

int TCoreWindowRoot::Create(DWORD exStyle, std::string_view className, std::string_view title, DWORD style,
                            int x, int y, int cx, int cy, HWND parent, void* param) {
    if (handle_ != 0 || !RegisterClassOnce(className)) {
        return -1;
    }
    handle_ = win::CreateWindowEx(exStyle, className, title, style, x, y, cx, cy, parent, param);
    const auto self = reinterpret_cast<std::intptr_t>(this);
    if (handle_ != 0) {
        win::SetWindowLongPtr(handle_, win::GWLP_USERDATA, self);
        if (win::GetWindowLongPtr(handle_, win::GWLP_USERDATA) == self) {
            return 0;
        }
    }
    return CreateFailed() ? 1 : 0;
}

win::LRESULT TCoreWindowRoot::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case win::WM_DESTROY:
        // Destroying a core window never ends the thread's event loop.
        Destroying();
        return 0;
    case win::WM_NCDESTROY:
        if (hwnd == handle_) {
            handle_ = 0;
        }
        break;
    case win::WM_ACTIVATE:
        Activated(wParam != 0);
        break;
    case win::WM_PAINT:
        if (Paint()) {
            return 0;
        }
        break;
    case win::WM_CLOSE:
        if (Closing()) {
            win::DestroyWindow(hwnd);
        }
        return 0;
    case win::WM_ERASEBKGND:
        if (EraseBackground(wParam)) {
            return 1;
        }
        break;
    case win::WM_SHOWWINDOW:
        wParam != 0 ? Shown() : Hidden();
        break;
    case win::WM_GETMINMAXINFO:
        if (lParam != 0) {
            FillMinMaxInfo(*reinterpret_cast<win::MINMAXINFO*>(lParam));
        }
        break;
    case win::WM_WINDOWPOSCHANGING:
        if (lParam != 0 && PositionChanging(*reinterpret_cast<win::WINDOWPOS*>(lParam))) {
            return 0;
        }
        break;
    case win::WM_MOUSEMOVE:
        leftButton_ = (wParam & 1) != 0;
        MouseMoved(wParam, LowX(lParam), HighY(lParam));
        break;
    case win::WM_MOUSEHOVER:
        MouseHovered(wParam, LowX(lParam), HighY(lParam));
        break;
    case win::WM_MOUSELEAVE:
        MouseLeft(wParam, LowX(lParam), HighY(lParam));
        break;
    default:
        if (IsMouseButtonMessage(msg)) {
            MouseButton(msg, wParam, LowX(lParam), HighY(lParam));
        }
        break;
    }
    return win::DefWindowProc(hwnd, msg, wParam, lParam);
}

// Button messages come in threes (down, up, double click) for the left, right and middle button.
void TCoreWindowRoot::MouseButton(UINT msg, WPARAM keys, int x, int y) {
    constexpr std::array<int, 3> kButtonOfGroup{0, 2, 1};
    const UINT index = msg - win::WM_LBUTTONDOWN;
    const int button = kButtonOfGroup[index / 3];
    const bool wasLeftDown = leftButton_;
    leftButton_ = (keys & 1) != 0;
    switch (index % 3) {
    case 0:
        ButtonDown(button, keys, x, y);
        break;
    case 1:
        ButtonUp(button, keys, x, y);
        if (msg == win::WM_LBUTTONUP && wasLeftDown) {
            Clicked(0, keys, x, y);
        }
        break;
    default:
        DoubleClicked(button, keys, x, y);
        break;
    }
}

// Reports moves and size changes. A z-order request keeps its meaning; the topmost flag follows it.
bool TCoreWindowRoot::PositionChanging(win::WINDOWPOS& pos) {
    bool answer = false;
    if ((pos.flags & win::SWP_NOMOVE) == 0) {
        answer = Moving(pos.x, pos.y);
    }
    if ((pos.flags & win::SWP_NOSIZE) == 0) {
        answer = Sizing(pos.cx, pos.cy);
    }
    if ((pos.flags & win::SWP_NOZORDER) == 0) {
        if (pos.hwndInsertAfter == win::HWND_TOPMOST) {
            topmost_ = true;
        } else if (pos.hwndInsertAfter == win::HWND_NOTOPMOST || pos.hwndInsertAfter == win::HWND_BOTTOM) {
            topmost_ = false;
        }
    }
    return answer;
}

void TCoreWindowRoot::FillMinMaxInfo(win::MINMAXINFO& info) const {
    info.ptMinTrackSize.x = minTrackWidthOverride_ >= 0 ? minTrackWidthOverride_ : minTrackWidth_;
    info.ptMinTrackSize.y = minTrackHeightOverride_ >= 0 ? minTrackHeightOverride_ : minTrackHeight_;
}

void TCoreWindowRoot::SetMinimumTrack(int baseWidth, int widthOverride, int baseHeight, int heightOverride) {
    minTrackWidth_ = baseWidth;
    minTrackWidthOverride_ = widthOverride;
    minTrackHeight_ = baseHeight;
    minTrackHeightOverride_ = heightOverride;
}

bool TCoreWindowRoot::Resize(int cx, int cy) {
    constexpr UINT kFlags = win::SWP_NOMOVE | win::SWP_NOZORDER | win::SWP_NOACTIVATE;
    if (handle_ == 0 || !win::SetWindowPos(handle_, 0, 0, 0, cx, cy, kFlags)) {
        return false;
    }
    TCoreVisual::Resize(cx, cy);
    return true;
}

bool TCoreWindowRoot::Move(int x, int y) {
    constexpr UINT kFlags = win::SWP_NOSIZE | win::SWP_NOZORDER | win::SWP_NOACTIVATE;
    if (handle_ == 0 || !win::SetWindowPos(handle_, 0, x, y, 0, 0, kFlags)) {
        return false;
    }
    TCoreVisual::Move(x, y);
    return true;
}

bool TCoreWindowRoot::ButtonDown(int button, WPARAM keys, int x, int y) {
    win::SetCapture(handle_);
    return Fire(OnMouseDown, false, *this, button, keys, x, y);
}

bool TCoreWindowRoot::ButtonUp(int button, WPARAM keys, int x, int y) {
    win::ReleaseCapture();
    return Fire(OnMouseUp, false, *this, button, keys, x, y);
}

bool TCoreWindowRoot::GetText(char* buffer, int size) {
    return false;
}

bool TCoreWindowRoot::SetText(std::string_view text) {
    return false;
}

bool TCoreWindowRoot::Show() {
    if (handle_ == 0) {
        return false;
    }
    win::ShowWindow(handle_, win::SW_SHOW);
    return win::IsWindowVisible(handle_);
}

bool TCoreWindowRoot::Hide() {
    if (handle_ == 0) {
        return false;
    }
    win::ShowWindow(handle_, win::SW_HIDE);
    return !win::IsWindowVisible(handle_);
}

bool TCoreWindowRoot::IsVisible() {
    return win::IsWindowVisible(handle_);
}

bool TCoreWindowRoot::CreateFailed() {
    return true;
}

bool TCoreWindowRoot::Closing() {
    return Fire(OnClose, true, *this);
}

bool TCoreWindowRoot::Destroying() {
    return Fire(OnDestroy, true, *this);
}

bool TCoreWindowRoot::Shown() {
    return Fire(OnShow, false, *this);
}

bool TCoreWindowRoot::Hidden() {
    return Fire(OnHide, false, *this);
}

bool TCoreWindowRoot::Moving(int x, int y) {
    return Fire(OnMove, false, *this, x, y);
}

bool TCoreWindowRoot::Sizing(int cx, int cy) {
    return Fire(OnSize, false, *this, cx, cy);
}

bool TCoreWindowRoot::Activated(bool active) {
    return Fire(OnActivate, false, *this, active);
}

// Asks for hover and leave reports, announces the entry of the mouse once, then reports the move.
bool TCoreWindowRoot::MouseMoved(WPARAM keys, int x, int y) {
    win::TrackMouseEvent({win::TME_HOVER | win::TME_LEAVE, handle_, kHoverMs});
    if (!mouseInside_) {
        MouseEntered(keys, x, y);
    }
    return Fire(OnMouseMove, true, *this, keys, x, y);
}

bool TCoreWindowRoot::DoubleClicked(int button, WPARAM keys, int x, int y) {
    return Fire(OnDoubleClick, false, *this, button);
}

bool TCoreWindowRoot::Clicked(int button, WPARAM keys, int x, int y) {
    return Fire(OnClick, false, *this, button);
}

bool TCoreWindowRoot::MouseEntered(WPARAM keys, int x, int y) {
    mouseInside_ = true;
    return Fire(OnMouseEnter, false, *this, keys, x, y);
}

bool TCoreWindowRoot::MouseLeft(WPARAM keys, int x, int y) {
    mouseInside_ = false;
    return Fire(OnMouseLeave, false, *this, keys, x, y);
}

bool TCoreWindowRoot::MouseHovered(WPARAM keys, int x, int y) {
    return Fire(OnMouseHover, false, *this, keys, x, y);
}

bool TCoreWindowRoot::Paint() {
    return Fire(OnPaint, false, *this);
}

bool TCoreWindowRoot::EraseBackground(WPARAM hdc) {
    return false;
}

bool TCoreWindowRoot::SetParentWindow(HWND parent) {
    return false;
}
