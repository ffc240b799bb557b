#include "editor/ui/wave/TLinkLabel.h"

#include <QMouseEvent>

namespace {
const QColor kHoverText(0, 128, 0);
const QColor kText(0, 0, 255);
const QColor kOnBackground(162, 164, 161);
const QColor kOffBackground(226, 228, 225);
} // namespace

TLinkLabel::TLinkLabel(const char* name, const QString& caption, QWidget* parent) : QLabel(caption, parent) {
    setObjectName(name);
    setAutoFillBackground(true);
    setCursor(Qt::PointingHandCursor);
    SetLook(kText, false);
    SetBackground(kOffBackground);
}

void TLinkLabel::Toggle() {
    on_ = !on_;
    SetBackground(on_ ? kOnBackground : kOffBackground);
    if (onToggle_) {
        onToggle_(on_);
    }
}

void TLinkLabel::enterEvent(QEnterEvent*) {
    SetLook(kHoverText, true);
}

void TLinkLabel::leaveEvent(QEvent*) {
    SetLook(kText, false);
}

void TLinkLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        Toggle();
    }
}

void TLinkLabel::SetLook(const QColor& text, bool underline) {
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, text);
    setPalette(colours);
    QFont look = font();
    look.setUnderline(underline);
    setFont(look);
}

void TLinkLabel::SetBackground(const QColor& colour) {
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colour);
    setPalette(colours);
}
