#include "editor/ui/wave/TPaintBox.h"

#include <QMouseEvent>
#include <QPainter>

TPaintBox::TPaintBox(const char* name, QWidget* parent) : QWidget(parent) {
    setObjectName(name);
    setMouseTracking(true);
}

void TPaintBox::paintEvent(QPaintEvent*) {
    if (paint_) {
        QPainter painter(this);
        paint_(painter);
    }
}

void TPaintBox::mousePressEvent(QMouseEvent* event) {
    Call(mouseDown_, event);
}

void TPaintBox::mouseMoveEvent(QMouseEvent* event) {
    Call(mouseMove_, event);
}

void TPaintBox::mouseReleaseEvent(QMouseEvent* event) {
    Call(mouseUp_, event);
}

void TPaintBox::Call(const MouseHandler& handler, QMouseEvent* event) {
    if (handler) {
        handler(*event);
    }
}
