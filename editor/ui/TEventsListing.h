#pragma once
// The events grid form ("EventsListing"): the events of the chosen select or timed script, one row
// each, edited in place (times, style, text) or in the event editor, which reports back through
// editor notifications. Every change is announced to the shared services as item modified.
#include "editor/IEditorViews.h"
#include "editor/TProfileCursor.h"
#include "subtitles/translator/TStringCollection.h"

#include <QWidget>

#include <map>
#include <memory>

class IEditorDialogs;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QMenu;
class QTableView;
class QTimer;
class TEventEditor;
class TEventsGridModel;
class TShared;
class TSubEvents;
class TTranslator;

class TEventsListing : public QWidget, public IEventsListingView {
public:
    // Editor notification codes.
    enum TNotification {
        kEditorClosing = 0,
        kEditorShown = 1,
        kEditPending = 4,
        kCommitOrDrop = 5,
        kMultiEdit = 6,
        kEditorApplied = 8,
        kDeleteEvents = 10,
        kTakePlayerTime = 11,
    };

    explicit TEventsListing(TShared& shared);
    ~TEventsListing() override;

    // IEventsListingView
    void SetCursor(const TProfileCursor* cursor) override;
    bool UpdateEditors(bool noRefresh, bool forceLoad) override;
    void RepaintGrid() override;
    void EnableFilters() override;
    void SetCurrentEventTimes(int32_t start, int32_t end, bool noCommit) override;
    void SuspendDrawing() override;
    void ResumeDrawing() override;

    void SetDialogs(IEditorDialogs* dialogs) { dialogs_ = dialogs; }
    // The editors' notifications.
    void Notify(int code, bool flag);
    // Shows the event editor (one row) with a forced load.
    void EditSelection();
    // Deletes the selected rows' events after the question (without it when `ask` is false).
    void DeleteSelectedEvents(bool ask);
    // Rebuilds the rows; answers whether there are at least two event rows.
    bool RebuildRows(bool rangeSelection);
    void Translate(TTranslator& translator);

    // The in-place editors: start on the current cell, leave (applying a change), drop.
    void StartInPlaceEdit();
    void LeaveInPlaceEdit();
    void DropInPlaceEdit();

    QList<QAction*> MenuActions() const;
    QAction* Action(const char* name) const;
    const TStringCollection& Strings() const { return strings_; }
    const TProfileCursor& Cursor() const { return cursor_; }
    QTableView* Grid() const { return grid_; }
    TEventsGridModel& Model() { return *model_; }
    TEventEditor& Editor() { return *editor_; }
    int CurrentRow() const;

private:
    QAction* AddAction(const char* name, const QString& caption, const QKeySequence& shortcut,
                       std::function<void()> handler);
    void CreateActions();
    void CreateTopBar(QWidget* bar);
    void SelectRow(int row);
    // The wave display marks the event's times (none without an event or record).
    void MarkWaveRange(const TSubEvents* event);
    // The rows of the selection, top to bottom.
    std::vector<int> SelectedRows() const;
    void Commit(bool apply);
    void Changed();
    void SetAsFirst(bool first, bool last);
    void GoToEventTime(int offsetSeconds);
    void MoveCurrent(int step);
    void CellClicked(const QModelIndex& index);
    void CellDoubleClicked(const QModelIndex& index);
    void ApplyNumberColumnWidth();
    bool eventFilter(QObject* watched, QEvent* event) override;

    // The yes/no answer; no without dialogs.
    bool Confirm(std::string_view line1, std::string_view line2);

    TShared& shared_;
    IEditorDialogs* dialogs_ = nullptr;
    TProfileCursor cursor_;
    TStringCollection strings_{"EventsListing"};
    std::unique_ptr<TEventsGridModel> model_;
    QTableView* grid_;
    QWidget* topBar_;
    QCheckBox* displayTime_;
    QLineEdit* timeEdit_;
    QComboBox* styleEdit_;
    QLineEdit* textEdit_;
    QTimer* inPlaceTimer_;
    std::unique_ptr<TEventEditor> editor_;
    std::map<std::string, QAction*> actions_;
    int lastColumn_ = -1;
    int lastRow_ = -1;
    int editColumn_ = -1;
    int editRow_ = -1;
    bool textChanged_ = false;
    bool timeChanged_ = false;
    bool styleChanged_ = false;
    bool editPending_ = false;
    bool updatingEditors_ = false;
};
