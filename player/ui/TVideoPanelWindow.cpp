#include "player/ui/TVideoPanelWindow.h"

#include "platform/video/VideoPanel.h"
#include "platform/win/Message.h"
#include "platform/win/MouseInput.h"
#include "platform/win/Window.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

namespace win = plat::win;

TVideoPanelWindow::TVideoPanelWindow(const char* className, Procedure procedure, void* owner) {
    if (!win::GetClassInfo(className, nullptr)) {
        win::RegisterClass({0, procedure, nullptr, className});
    }
    handle_ = win::CreateWindowEx(0, className, "", win::WS_CHILD, 0, 0, 0, 0, 0, nullptr);
    win::SetWindowLongPtr(handle_, win::GWLP_USERDATA, reinterpret_cast<std::intptr_t>(owner));
}

TVideoPanelWindow::~TVideoPanelWindow() {
    if (handle_ != 0) {
        win::DestroyWindow(handle_);
    }
}

void* TVideoPanelWindow::OwnerOf(win::HWND hwnd) {
    return reinterpret_cast<void*>(win::GetWindowLongPtr(hwnd, win::GWLP_USERDATA));
}

void TVideoPanelWindow::Follow(QWidget* widget) {
    if (followed_ != nullptr) {
        followed_->removeEventFilter(this);
    }
    followed_ = widget;
    if (widget != nullptr) {
        widget->installEventFilter(this);
        widget->setMouseTracking(true);
        TakeSize(*widget);
    }
}

void TVideoPanelWindow::TakeSize(const QWidget& widget) {
    win::SetWindowPos(handle_, 0, 0, 0, widget.width(), widget.height(),
                      win::SWP_NOMOVE | win::SWP_NOZORDER | win::SWP_NOACTIVATE);
}

bool TVideoPanelWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == followed_ && event->type() == QEvent::Resize) {
        TakeSize(*followed_);
    }
    if (watched == followed_) {
        RelayMouse(*event);
    }
    return QObject::eventFilter(watched, event);
}

namespace {

win::UINT MouseMessage(const QMouseEvent& mouse) {
    const bool left = mouse.button() == Qt::LeftButton;
    const bool right = mouse.button() == Qt::RightButton;
    switch (mouse.type()) {
    case QEvent::MouseMove:
        return win::WM_MOUSEMOVE;
    case QEvent::MouseButtonPress:
        return left ? win::WM_LBUTTONDOWN : right ? win::WM_RBUTTONDOWN : 0;
    case QEvent::MouseButtonRelease:
        return left ? win::WM_LBUTTONUP : right ? win::WM_RBUTTONUP : 0;
    case QEvent::MouseButtonDblClick:
        return left ? win::WM_LBUTTONDBLCLK : right ? win::WM_RBUTTONDBLCLK : 0;
    default:
        return 0;
    }
}

win::WPARAM KeyState(const QMouseEvent& mouse) {
    const Qt::MouseButtons buttons = mouse.buttons();
    const Qt::KeyboardModifiers modifiers = mouse.modifiers();
    return (buttons.testFlag(Qt::LeftButton) ? win::MK_LBUTTON : 0) |
           (buttons.testFlag(Qt::RightButton) ? win::MK_RBUTTON : 0) |
           (buttons.testFlag(Qt::MiddleButton) ? win::MK_MBUTTON : 0) |
           (modifiers.testFlag(Qt::ShiftModifier) ? win::MK_SHIFT : 0) |
           (modifiers.testFlag(Qt::ControlModifier) ? win::MK_CONTROL : 0);
}

win::LPARAM PackPoint(int x, int y) {
    return static_cast<win::LPARAM>((static_cast<uint32_t>(y & 0xFFFF) << 16) |
                                    static_cast<uint32_t>(x & 0xFFFF));
}

} // namespace

bool TVideoPanelWindow::RelayMouse(const QEvent& event) const {
    const auto* mouse = dynamic_cast<const QMouseEvent*>(&event);
    const win::UINT message = mouse != nullptr ? MouseMessage(*mouse) : 0;
    if (message == 0) {
        return false;
    }
    const QPoint local = mouse->position().toPoint();
    const win::HWND target = win::ChildWindowFromPoint(handle_, {local.x(), local.y()});
    // The point in the target's client area: both origins on the screen of our window layer.
    win::POINT panelOrigin{0, 0};
    win::POINT targetOrigin{0, 0};
    if (target == 0 || !win::ClientToScreen(handle_, &panelOrigin) ||
        !win::ClientToScreen(target, &targetOrigin)) {
        return false;
    }
    return win::PostMessage(
        target, message, KeyState(*mouse),
        PackPoint(local.x() + panelOrigin.x - targetOrigin.x, local.y() + panelOrigin.y - targetOrigin.y));
}

QWidget* TVideoPanelWindow::MakePanelWidget(std::shared_ptr<plat::video::VideoSurface> surface,
                                            QWidget* parent) {
    if (surface != nullptr) {
        return new plat::video::VideoPanel(std::move(surface), parent);
    }
    auto* black = new QWidget(parent);
    black->setAutoFillBackground(true);
    QPalette palette = black->palette();
    palette.setColor(QPalette::Window, Qt::black);
    black->setPalette(palette);
    return black;
}
