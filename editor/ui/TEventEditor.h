#pragma once
// The event editor ("EventEditor"): one event's times, kind, style, layer, margins and text, the text
// both as rich text and as its source with override tags, kept equal both ways. It edits a private
// copy and writes it back only when the edit is applied; the events grid receives its notifications.
#include "editor/TRichText.h"

#include <QDialog>

#include <memory>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTextEdit;
class QToolButton;
class QComboBox;
class QStackedWidget;
class TEventsListing;
class TShared;
class TTextEvent;
struct TStyles;
struct TSubtitleStyleRecord;
template <class T> class TPointer;

class TEventEditor : public QDialog {
public:
    TEventEditor(TShared& shared, TEventsListing& listing);
    ~TEventEditor() override;

    // Loads the event; false (the form hidden) without event or style list.
    bool LoadEvent(TTextEvent* event, const TPointer<TStyles>* styles, bool advanced);
    // Writes the working copy into the edited event unless `drop`; answers whether it did.
    bool ApplyEdit(bool drop);
    // -1 leaves a time unchanged.
    void SetTimes(int32_t start, int32_t end);
    void SetPosition(int32_t x, int32_t y);

    bool IsPending() const { return pending_; }
    QString SourceText() const;
    QTextEdit* RichView() const { return rich_; }
    // Regenerates the source from the rich view.
    void RichToSource();
    // Re-renders the rich view from the source.
    void SourceToRich();
    // Sets the alignment buttons (v4 numbering) and regenerates the source.
    void SetAlignment(int32_t alignment);
    int32_t Alignment() const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateEditPage(QWidget* page);
    QLineEdit* AddTimeField(const char* name);
    QLineEdit* AddNumberField(const char* name, const QString& mask);
    void SetPending(bool pending);
    void ApplyStyle(const QString& name);
    void TimeEdited(QLineEdit* field);
    void DurationEdited();
    void ShowDuration();
    void ShowTimes();
    void FieldEdited();
    void SourceEdited();
    void SelectionChanged();
    void ToggleFormat(bool bold);
    void CycleAlignment(int key);
    const TSubtitleStyleRecord& CurrentStyle() const;

    TShared& shared_;
    TEventsListing& listing_;
    TTextEvent* edited_ = nullptr;
    std::unique_ptr<TTextEvent> working_;
    std::unique_ptr<TTextEvent> parsed_;
    const TPointer<TStyles>* styles_ = nullptr;
    std::unique_ptr<TSubtitleStyleRecord> style_;
    bool advanced_ = false;
    bool pending_ = false;
    int guard_ = 0;
    QLineEdit* start_;
    QLineEdit* end_;
    QLineEdit* duration_;
    QLineEdit* layer_;
    QLineEdit* marginL_;
    QLineEdit* marginR_;
    QLineEdit* marginV_;
    QLineEdit* name_;
    QToolButton* dialogue_;
    QToolButton* comment_;
    QComboBox* stylesList_;
    QTextEdit* rich_;
    QPlainTextEdit* source_;
    QStackedWidget* views_;
    QToolButton* bold_;
    QToolButton* italic_;
    QToolButton* horizontal_[3];
    QToolButton* vertical_[3];
    QLabel* fontFace_;
    QLabel* fontSize_;
    QWidget* applyPanel_;
};
