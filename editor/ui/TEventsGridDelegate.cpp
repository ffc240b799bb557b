#include "editor/ui/TEventsGridDelegate.h"

#include "editor/ui/TEventsGridModel.h"
#include "subtitles/model/TSubEvents.h"

#include <QPainter>

namespace {

const QColor kGridPen(0xA2, 0xA4, 0xA1);
const QColor kNumberBack(0xFB, 0xFC, 0xF9);
const QColor kNumberText(0x82, 0x84, 0x81);
const QColor kSelectionBand(0xD6, 0xDF, 0xF7);
const QColor kGrey(0xC2, 0xC4, 0xC1);
const QColor kTitleCopyTime(0x80, 0x00, 0x40);

} // namespace

QColor TEventsGridDelegate::Background(bool inRange, int row) {
    const bool even = row % 2 == 0;
    if (inRange) {
        return even ? QColor(0xDC, 0xE2, 0xC9) : QColor(0xF4, 0xFA, 0xE2);
    }
    return even ? QColor(Qt::white) : QColor(0xF2, 0xF4, 0xF1);
}

void TEventsGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    const int row = index.row();
    const TSubEvents* event = model_.EventAt(row);
    if (event == nullptr) {
        return;
    }
    painter->save();
    const QRect cell = option.rect;
    if (index.column() == TEventsGridModel::kNumber) {
        PaintNumber(painter, cell, row);
        painter->restore();
        return;
    }
    painter->setPen(kGridPen);
    painter->setBrush(Background(model_.InRange(row), row));
    painter->drawRect(cell.adjusted(-1, -1, 0, 0));
    if ((option.state & QStyle::State_Selected) != 0) {
        painter->fillRect(cell.adjusted(0, 2, 0, -2), kSelectionBand);
    }
    bool italic = event->IsComment();
    painter->setPen(TextColour(row, index.column(), italic));
    QFont font = option.font;
    font.setItalic(italic);
    painter->setFont(font);
    painter->setClipRect(cell);
    painter->drawText(cell.adjusted(2, 0, -1, 0), Qt::AlignLeft | Qt::AlignVCenter, index.data().toString());
    painter->restore();
}

QColor TEventsGridDelegate::TextColour(int row, int column, bool& italic) const {
    const TSubEvents* event = model_.EventAt(row);
    if (event->IsComment()) {
        italic = true;
        return kGrey;
    }
    switch (column) {
    case TEventsGridModel::kStart:
    case TEventsGridModel::kEnd:
        if (model_.Select() != nullptr && model_.DisplayTime()) {
            if (!model_.InRange(row)) {
                italic = true;
                return kGrey;
            }
            if (model_.TitleCopy(row) != nullptr) {
                return kTitleCopyTime;
            }
        }
        return QColor(0x00, 0x00, 0xFF);
    case TEventsGridModel::kStyle:
        return QColor(0x00, 0x80, 0x00);
    default:
        return QColor(Qt::black);
    }
}

void TEventsGridDelegate::PaintNumber(QPainter* painter, const QRect& cell, int row) const {
    const int bookmark = model_.Rows().BookmarkBefore(row);
    painter->setPen(kGridPen);
    painter->setBrush(kNumberBack);
    painter->drawRect(cell.adjusted(0, 0, -1, -1));
    painter->setPen(bookmark >= 0 ? QColor(0xFF, 0x00, 0x00) : kNumberText);
    painter->drawText(cell.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, QString::number(row + 1));
    if (bookmark < 0) {
        return;
    }
    const int width = painter->fontMetrics().horizontalAdvance('Q') + 1;
    const QRect badge(QPoint(cell.right() - width + 2, cell.top() + 2),
                      QPoint(cell.right() - 1, cell.bottom() - 2));
    painter->setPen(Qt::black);
    painter->setBrush(QColor(0x00, 0x80, 0x00));
    painter->drawRect(badge);
    painter->setPen(Qt::white);
    painter->drawText(badge.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                      QString::number(bookmark));
}
