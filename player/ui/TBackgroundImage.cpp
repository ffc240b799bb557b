#include "player/ui/TBackgroundImage.h"

#include <QEvent>
#include <QPainter>

TBackgroundImage::TBackgroundImage(QWidget* window, QWidget* area) : QWidget(window) {
    setObjectName("Img_Back");
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Clicks go to the window below, as they do where no picture is shown.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
    SetArea(area);
}

void TBackgroundImage::SetBitmap(const QImage* bitmap) {
    bitmap_ = bitmap;
}

void TBackgroundImage::SetArea(QWidget* area) {
    if (area_ != nullptr) {
        area_->removeEventFilter(this);
    }
    area_ = area;
    if (area_ != nullptr && area_ != parentWidget()) {
        area_->installEventFilter(this);
    }
    FollowArea();
}

void TBackgroundImage::FollowArea() {
    if (area_ == nullptr) {
        return;
    }
    setGeometry(area_ == parentWidget() ? area_->rect() : area_->geometry());
    raise();
}

void TBackgroundImage::Update(int state) {
    if (state >= 0) {
        on_ = state != 0;
    }
    FollowArea();
    const bool areaShown =
        area_ != nullptr && (area_ == parentWidget() || area_->isVisibleTo(parentWidget()));
    if (!areaShown || bitmap_ == nullptr || bitmap_->isNull() || !on_) {
        hide();
        stretched_ = QImage();
        return;
    }
    // Stretched once for the area's size, smoothly, not at every paint.
    stretched_ = bitmap_->scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    show();
    update();
}

bool TBackgroundImage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == area_ && (event->type() == QEvent::Resize || event->type() == QEvent::Move)) {
        FollowArea();
    }
    return QWidget::eventFilter(watched, event);
}

void TBackgroundImage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(rect(), stretched_);
}
