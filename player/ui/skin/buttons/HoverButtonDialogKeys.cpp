#include "player/ui/skin/buttons/HoverButtonDialogKeys.h"

#include "player/ui/skin/buttons/TWinHoverButton.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextEdit>

namespace {

// Widgets that take text themselves keep plain characters (and multi-line ones Enter).
bool TakesCharacters(const QWidget* widget) {
    return widget != nullptr && widget->testAttribute(Qt::WA_InputMethodEnabled);
}

bool TakesEnter(const QWidget* widget) {
    return qobject_cast<const QTextEdit*>(widget) != nullptr ||
           qobject_cast<const QPlainTextEdit*>(widget) != nullptr;
}

} // namespace

void HoverButtonDialogKeys::Install() {
    static QPointer<HoverButtonDialogKeys> filter;
    if (filter == nullptr && qApp != nullptr) {
        filter = new HoverButtonDialogKeys();
        filter->setParent(qApp);
        qApp->installEventFilter(filter);
    }
}

bool HoverButtonDialogKeys::Offer(QWidget* target, const QKeyEvent& event) {
    QWidget* window = target->window();
    const QList<TWinHoverButton*> buttons = window->findChildren<TWinHoverButton*>();
    const int key = event.key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
        if (key != Qt::Key_Escape && TakesEnter(target)) {
            return false;
        }
        for (TWinHoverButton* button : buttons) {
            if (button->CMDialogKey(key, event.modifiers())) {
                return true;
            }
        }
        return false;
    }
    const QString text = event.text();
    const bool alt = event.modifiers() & Qt::AltModifier;
    if (text.size() != 1 || !text[0].isLetterOrNumber() || (!alt && TakesCharacters(target))) {
        return false;
    }
    for (TWinHoverButton* button : buttons) {
        if (button->CMDialogChar(text[0])) {
            return true;
        }
    }
    return false;
}

bool HoverButtonDialogKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) {
        return false;
    }
    auto* widget = static_cast<QWidget*>(watched);
    // Key events travel up to the parents; each press is offered once, at the widget it was sent to.
    if (QApplication::focusWidget() != nullptr && widget != QApplication::focusWidget()) {
        return false;
    }
    return Offer(widget, *static_cast<QKeyEvent*>(event));
}
