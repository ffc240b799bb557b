#include "player/ui/TVideoPanelWindow.h"

#include "platform/video/VideoPanel.h"
#include "platform/win/Window.h"

#include <QEvent>
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
    return QObject::eventFilter(watched, event);
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
