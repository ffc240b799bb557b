#include "player/dialogs/TCaptionDrag.h"

#include <QMouseEvent>
#include <QWidget>

TCaptionDrag::TCaptionDrag(QWidget* window) : QObject(window), window_(window) {}

void TCaptionDrag::Watch(QWidget* widget) {
    widget->installEventFilter(this);
}

bool TCaptionDrag::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* press = static_cast<QMouseEvent*>(event);
        dragging_ = press->button() == Qt::LeftButton;
        // The frame's corner, so that windows with a frame do not jump by its width.
        grabOffset_ = press->globalPosition().toPoint() - window_->frameGeometry().topLeft();
        return dragging_;
    }
    case QEvent::MouseMove:
        if (dragging_) {
            window_->move(static_cast<QMouseEvent*>(event)->globalPosition().toPoint() - grabOffset_);
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        dragging_ = false;
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
