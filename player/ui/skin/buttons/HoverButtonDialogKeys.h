#pragma once
// Offers Enter, Escape and accelerator characters pressed anywhere in a window to its windowed hover
// buttons, as a dialog does: the default button takes Enter even while an edit has the focus.
#include <QObject>

class QKeyEvent;
class QWidget;

class HoverButtonDialogKeys : public QObject {
    Q_OBJECT
public:
    // Installs the filter on the application once.
    static void Install();
    // Offers the key to the buttons of the widget's window; true when one clicked.
    static bool Offer(QWidget* target, const QKeyEvent& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
