#pragma once
// The table model of the events grid: one row per mapped event (TEventRows), five columns (No.,
// Start, End, Style, Text). With "Display Time" in select mode, times are those of the title's copy
// of the event, as the player shows them.
#include "editor/TEventRows.h"

#include <QAbstractTableModel>

struct TSelect;
class TSubEvents;
class TTitle;
class TMergedEvent;

class TEventsGridModel : public QAbstractTableModel {
public:
    enum Column { kNumber = 0, kStart = 1, kEnd = 2, kStyle = 3, kText = 4, kColumnCount = 5 };

    TEventRows& Rows() { return rows_; }
    const TEventRows& Rows() const { return rows_; }
    // The select and title of a select cursor (none for a timed script), and whether the title
    // copies' times are shown.
    void SetSelect(const TSelect* select, const TTitle* title);
    void SetDisplayTime(bool on) { displayTime_ = on; }
    bool DisplayTime() const { return displayTime_; }
    const TSelect* Select() const { return select_; }
    // Tells the views that the rows were rebuilt.
    void Reset();

    TSubEvents* EventAt(int row) const { return rows_.EventAt(row); }
    // The title's copy of the row's event; nullptr without select and title.
    const TSubEvents* TitleCopy(int row) const;
    // Whether the row's event is a dialogue line within the select's window.
    bool InRange(int row) const;
    // The time shown in a Start or End cell, in ms.
    int32_t ShownTime(int row, int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // The header texts (translated keys Col_No ... Col_Text).
    void SetHeaders(const QStringList& headers);

private:
    TEventRows rows_;
    const TSelect* select_ = nullptr;
    const TTitle* title_ = nullptr;
    bool displayTime_ = true;
    QStringList headers_{"No.", "Start", "End", "Style", "Text"};
};
