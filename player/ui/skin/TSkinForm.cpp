#include "player/ui/skin/TSkinForm.h"

#include "player/ui/skin/ISkinActionSink.h"
#include "player/ui/skin/TSkinSpeedButton.h"
#include "player/ui/skin/buttons/THoverButton.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

TSkinForm::TSkinForm(ISkinActionSink& sink) : QWidget(nullptr, Qt::Tool), sink_(sink) {
    move(60, 60);
}

TSkinForm::~TSkinForm() {
    if (mainForm_) {
        sink_.SaveFormPosition(*this);
    }
    clearMask();
}

void TSkinForm::SetBackground(const QImage& background) {
    background_ = background;
    update();
}

void TSkinForm::SetMaskMode() {
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    draggable_ = true;
}

void TSkinForm::SetWindowRegion(const QRegion& region) {
    region_ = region;
    setMask(region);
}

void TSkinForm::SetAnchor(SkinAnchor anchor) {
    anchor_ = anchor;
    if (anchor != SkinAnchor::None) {
        draggable_ = false;
    }
}

void TSkinForm::paintEvent(QPaintEvent*) {
    if (!background_.isNull()) {
        QPainter painter(this);
        painter.drawImage(QPoint(0, 0), background_);
    }
}

void TSkinForm::closeEvent(QCloseEvent* event) {
    event->ignore();
    sink_.Quit();
}

void TSkinForm::wheelEvent(QWheelEvent* event) {
    const bool down = event->angleDelta().y() < 0;
    if (sink_.MouseWheel(down, event->modifiers(), event->globalPosition().toPoint())) {
        event->accept();
    } else {
        event->ignore();
    }
}

void TSkinForm::DragStart(Qt::MouseButton button, QPoint position) {
    if (button != Qt::LeftButton) {
        return;
    }
    dragging_ = true;
    grab_ = position;
}

void TSkinForm::DragMove(QPoint position) {
    if (dragging_) {
        // The grabbed point stays under the pointer.
        move(mapToGlobal(position - grab_) - (geometry().topLeft() - pos()));
    }
    if (hovered_ != nullptr) {
        hovered_->Button().SetMouseInControl(false);
        hovered_->Button().update();
        hovered_ = nullptr;
    }
}

void TSkinForm::DragEnd() {
    dragging_ = false;
}

void TSkinForm::mousePressEvent(QMouseEvent* event) {
    if (draggable_) {
        DragStart(event->button(), event->position().toPoint());
    }
}

void TSkinForm::mouseMoveEvent(QMouseEvent* event) {
    if (draggable_) {
        DragMove(event->position().toPoint());
    }
}

void TSkinForm::mouseReleaseEvent(QMouseEvent*) {
    if (draggable_) {
        DragEnd();
    }
}
