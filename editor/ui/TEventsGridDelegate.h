#pragma once
// Draws the cells of the events grid: rows in the select's window shaded green, even and odd rows
// apart, comments in grey italic, the selection's inner band, blue times (the title copies' in
// #800040, out-of-range rows grey italic), green style names, and the bookmark badge in the number
// cell.
#include <QStyledItemDelegate>

class TEventsGridModel;

class TEventsGridDelegate : public QStyledItemDelegate {
public:
    TEventsGridDelegate(const TEventsGridModel& model, QObject* parent)
        : QStyledItemDelegate(parent), model_(model) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    static QColor Background(bool inRange, int row);

private:
    void PaintNumber(QPainter* painter, const QRect& cell, int row) const;
    QColor TextColour(int row, int column, bool& italic) const;

    const TEventsGridModel& model_;
};
