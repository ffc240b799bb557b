#include "player/dialogs/config/GestureDrawing.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>
#include <string>

namespace {

// Colours given as 0x00BBGGRR.
QColor FromBgr(std::uint32_t colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

struct Arrow {
    char digit;
    QPointF direction;
    std::uint32_t colour;
};

constexpr Arrow kArrows[] = {
    {'2', {0, 1}, 0x008000},
    {'4', {-1, 0}, 0x800080},
    {'6', {1, 0}, 0x800000},
    {'8', {0, -1}, 0x0000FF},
};

void DrawArrow(QPainter& painter, const QRectF& square, const Arrow& arrow, double scale) {
    const QPointF centre = square.center();
    const double reach = square.width() / 2 - 2;
    const QPointF tip = centre + arrow.direction * reach;
    const QPointF tail = centre - arrow.direction * reach;
    const double headLength = std::round(6 * scale);
    const double halfWidth = std::round(4 * scale);
    const QPointF headBase = tip - arrow.direction * headLength;
    const QPointF across(-arrow.direction.y(), arrow.direction.x());
    const QColor colour = FromBgr(arrow.colour);
    painter.setPen(QPen(colour, std::max(1.0, std::round(scale * 2)), Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(tail, headBase);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPolygon(QPolygonF({tip, headBase + across * halfWidth, headBase - across * halfWidth}));
}

} // namespace

void DrawGesture(std::int32_t code, QPainter& painter, const QRect& rectangle) {
    painter.save();
    painter.fillRect(rectangle, FromBgr(0xF9FCFB));
    const double scale = rectangle.height() / 17.0;
    const QRect inner = rectangle.adjusted(2, 2, -2, -2);
    if (code != 0 && inner.height() > 0) {
        const std::string digits = std::to_string(code < 0 ? -static_cast<std::int64_t>(code) : code);
        const int side = inner.height();
        painter.setRenderHint(QPainter::Antialiasing, false);
        for (std::size_t at = 0; at < digits.size(); ++at) {
            const QRectF square(inner.left() + static_cast<double>(at) * (side + 3), inner.top(), side, side);
            const double radius = std::round(5 * scale);
            painter.setPen(Qt::NoPen);
            painter.setBrush(FromBgr(0xE1E4E2));
            painter.drawRoundedRect(square.adjusted(-1, -1, 1, 1), radius, radius);
            for (const Arrow& arrow : kArrows) {
                if (arrow.digit == digits[at]) {
                    DrawArrow(painter, square, arrow, scale);
                }
            }
        }
    }
    painter.restore();
}
