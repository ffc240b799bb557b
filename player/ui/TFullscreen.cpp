#include "player/ui/TFullscreen.h"

#include "platform/win/Window.h"
#include "player/ui/TBackgroundImage.h"
#include "player/ui/TScreenMode.h"
#include "player/ui/TVideoPanelWindow.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

namespace {

constexpr const char* kWindowClass = "TFullscreen";

} // namespace

TFullscreen::TFullscreen(IFullscreenHost& host)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), host_(host),
      background_(new TBackgroundImage(this, this)),
      window_(std::make_unique<TVideoPanelWindow>(kWindowClass, &plat::win::DefWindowProc, this)) {
    setObjectName("Fullscreen");
    setWindowTitle("Fullscreen");
    resize(354, 276);
    window_->Follow(this);
    ShowSurface(nullptr);
}

TFullscreen::~TFullscreen() = default;

plat::win::HWND TFullscreen::Handle() const {
    return window_->Handle();
}

void TFullscreen::ShowSurface(std::shared_ptr<plat::video::VideoSurface> surface) {
    QWidget* panel = TVideoPanelWindow::MakePanelWidget(std::move(surface), this);
    // The panel takes the clicks of the form: it lets them through to it.
    panel->setAttribute(Qt::WA_TransparentForMouseEvents);
    panel->setGeometry(rect());
    panel->show();
    delete panel_;
    panel_ = panel;
    background_->raise();
}

void TFullscreen::SetBackgroundBitmap(const QImage* bitmap) {
    background_->SetBitmap(bitmap);
}

void TFullscreen::UpdateBackground(int state) {
    background_->Update(state);
}

void TFullscreen::closeEvent(QCloseEvent* event) {
    if (host_.IsClosing()) {
        event->accept();
    } else {
        event->ignore();
    }
}

void TFullscreen::mousePressEvent(QMouseEvent* event) {
    raise();
    host_.VideoPanelMouseDown();
    QWidget::mousePressEvent(event);
}

void TFullscreen::mouseDoubleClickEvent(QMouseEvent*) {
    host_.RunDoubleClickFunction();
}

void TFullscreen::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta > 0) {
        host_.FormMouseWheelUp();
    } else if (delta < 0) {
        host_.FormMouseWheelDown();
    }
    event->accept();
}

void TFullscreen::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        host_.SetScreenMode(TScreenMode::kWindow);
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TFullscreen::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    panel_->setGeometry(rect());
    UpdateBackground(-1);
}

void TFullscreen::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    UpdateBackground(-1);
}
