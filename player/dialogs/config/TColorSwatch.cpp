#include "player/dialogs/config/TColorSwatch.h"

#include <QMouseEvent>
#include <QPainter>

TColorSwatch::TColorSwatch(const QString& name, QWidget* parent) : QFrame(parent) {
    setObjectName(name);
    setFrameShape(QFrame::Box);
    setMinimumSize(32, 18);
    setCursor(Qt::PointingHandCursor);
}

void TColorSwatch::SetColour(std::uint32_t colour) {
    colour_ = colour & 0xFFFFFFu;
    update();
}

QColor TColorSwatch::ToQColor() const {
    return QColor(static_cast<int>(colour_ & 0xFF), static_cast<int>((colour_ >> 8) & 0xFF),
                  static_cast<int>((colour_ >> 16) & 0xFF));
}

std::uint32_t TColorSwatch::FromQColor(const QColor& colour) {
    return static_cast<std::uint32_t>(colour.red()) | static_cast<std::uint32_t>(colour.green()) << 8 |
           static_cast<std::uint32_t>(colour.blue()) << 16;
}

void TColorSwatch::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
    QFrame::mouseReleaseEvent(event);
}

void TColorSwatch::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(contentsRect(), ToQColor());
    painter.end();
    QFrame::paintEvent(event);
}
