#pragma once
// Moves a window that has no system caption by its caption strip: a left-button press on a watched
// widget keeps where the pointer grabbed the window, each move puts the window's top-left corner at
// the pointer less that offset, and any release (or a press of another button) ends the move.
#include <QObject>
#include <QPoint>

class QWidget;

class TCaptionDrag : public QObject {
public:
    // The dragged window; the object lives as its child.
    explicit TCaptionDrag(QWidget* window);

    // Presses on the widget (the caption panel, its label) start a drag.
    void Watch(QWidget* widget);
    bool Dragging() const { return dragging_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
    bool dragging_ = false;
    QPoint grabOffset_; // the pointer's place relative to the window's top-left corner
};
