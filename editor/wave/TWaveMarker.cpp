#include "editor/wave/TWaveMarker.h"

#include <QPainter>
#include <QPen>
#include <QPolygon>

namespace {

constexpr int32_t kCornerLeg = 5;
const QColor kYellow(255, 255, 0);
const QColor kRed(255, 0, 0);

bool Contains(int64_t from, int64_t to, int64_t time) {
    return time >= from && time <= to;
}

} // namespace

int32_t TWaveMarker::AddMarker(int32_t startMs, int32_t endMs, int32_t kind) {
    TMarkerEntry* entry = entries_.Add();
    entry->StartMs = startMs;
    entry->EndMs = endMs;
    entry->Kind = kind;
    entries_.Renumber();
    return entry->Index;
}

int32_t TWaveMarker::RemoveMarkers(int32_t number) {
    if (number == -1) {
        entries_.Clear();
        return 0;
    }
    for (TMarkerEntry* entry = entries_.Head; entry != nullptr; entry = entry->Next) {
        if (entry->Index == number) {
            entries_.Delete(entry);
            entries_.Renumber();
            break;
        }
    }
    return 0;
}

void TWaveMarker::Paint(QPainter& canvas, const QRect& rect, int32_t viewStartMs, int32_t spanMs) const {
    const int32_t left = rect.left();
    const int32_t top = rect.top();
    const int32_t right = rect.left() + rect.width();
    const int32_t bottom = rect.top() + rect.height();
    if (right == left) {
        return;
    }
    double msPerPixel = static_cast<double>(spanMs) / (right - left);
    if (msPerPixel == 0) {
        msPerPixel = 1.0;
    }
    const int64_t viewEnd = int64_t{viewStartMs} + spanMs;
    canvas.save();
    for (const TMarkerEntry* entry = entries_.Head; entry != nullptr; entry = entry->Next) {
        const bool overlaps = Contains(viewStartMs, viewEnd, entry->StartMs) ||
                              Contains(viewStartMs, viewEnd, entry->EndMs) ||
                              Contains(entry->StartMs, entry->EndMs, viewStartMs) ||
                              Contains(entry->StartMs, entry->EndMs, viewEnd);
        if (overlaps) {
            PaintRange(canvas, static_cast<int32_t>((entry->StartMs - viewStartMs) / msPerPixel),
                       static_cast<int32_t>((entry->EndMs - viewStartMs) / msPerPixel), top, bottom);
        }
    }
    if (Contains(viewStartMs, viewEnd, position_)) {
        const auto x = static_cast<int32_t>((position_ - viewStartMs) / msPerPixel);
        canvas.setPen(QPen(kRed, 1, Qt::SolidLine));
        canvas.drawLine(x, top, x, bottom);
    }
    canvas.restore();
}

void TWaveMarker::PaintRange(QPainter& canvas, int32_t x1, int32_t x2, int32_t top, int32_t bottom) const {
    canvas.setCompositionMode(QPainter::CompositionMode_Difference);
    canvas.fillRect(QRect(QPoint(x1, top), QPoint(x2 - 1, bottom - 1)), Qt::white);
    canvas.setCompositionMode(QPainter::CompositionMode_SourceOver);
    canvas.setPen(kYellow);
    canvas.setBrush(kYellow);
    const QPolygon corners[] = {
        QPolygon({QPoint(x1, top), QPoint(x1 + kCornerLeg, top), QPoint(x1, top + kCornerLeg)}),
        QPolygon({QPoint(x1, bottom), QPoint(x1 + kCornerLeg, bottom), QPoint(x1, bottom - kCornerLeg)}),
        QPolygon({QPoint(x2, top), QPoint(x2 - kCornerLeg, top), QPoint(x2, top + kCornerLeg)}),
        QPolygon({QPoint(x2, bottom), QPoint(x2 - kCornerLeg, bottom), QPoint(x2, bottom - kCornerLeg)}),
    };
    for (const QPolygon& corner : corners) {
        canvas.drawPolygon(corner);
    }
    canvas.setBrush(Qt::NoBrush);
    canvas.setPen(QPen(kYellow, 1, Qt::DotLine));
    canvas.drawLine(x1, top, x1, bottom);
    canvas.drawLine(x2, top, x2, bottom);
}
