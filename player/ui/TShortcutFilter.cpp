#include "player/ui/TShortcutFilter.h"

#include "player/scripting/actions/ShortcutCode.h"
#include "player/scripting/actions/TActionControler.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QKeySequenceEdit>

TShortcutFilter::TShortcutFilter(const TActionControler& commands, QObject* parent)
    : QObject(parent), commands_(commands) {}

bool TShortcutFilter::TakesKeys(const QWidget& widget) {
    return widget.testAttribute(Qt::WA_InputMethodEnabled) ||
           qobject_cast<const QAbstractItemView*>(&widget) ||
           qobject_cast<const QAbstractSpinBox*>(&widget) || qobject_cast<const QComboBox*>(&widget) ||
           qobject_cast<const QKeySequenceEdit*>(&widget) || qobject_cast<const QDialog*>(widget.window());
}

bool TShortcutFilter::KeysGoToUser() {
    if (QApplication::activeModalWidget() != nullptr || QApplication::activePopupWidget() != nullptr) {
        return true;
    }
    const QWidget* focus = QApplication::focusWidget();
    return focus != nullptr && TakesKeys(*focus);
}

std::string_view TShortcutFilter::MenuActionOf(int key, Qt::KeyboardModifiers modifiers) {
    if ((modifiers & ~Qt::KeypadModifier) != Qt::NoModifier) {
        return {};
    }
    switch (key) {
    case Qt::Key_Up:
        return "Ac_Menu_Up";
    case Qt::Key_Down:
        return "Ac_Menu_Down";
    case Qt::Key_Left:
        return "Ac_Menu_Left";
    case Qt::Key_Right:
        return "Ac_Menu_Right";
    default:
        return {};
    }
}

bool TShortcutFilter::eventFilter(QObject* watched, QEvent* event) {
    // The first delivery of a key the key map takes runs the command and ends the key's way.
    if (!enabled_ || event->type() != QEvent::KeyPress || KeysGoToUser()) {
        return QObject::eventFilter(watched, event);
    }
    const auto* key = static_cast<const QKeyEvent*>(event);
    const std::string_view menuAction = MenuActionOf(key->key(), key->modifiers());
    if (!menuAction.empty() && menuNavigation_ && menuNavigation_(menuAction)) {
        return true;
    }
    QAction* action = commands_.FindActionByShortCut(KeySequenceToShortCut(
        QKeySequence(QKeyCombination(key->modifiers(), static_cast<Qt::Key>(key->key())))));
    if (action == nullptr || !action->isEnabled()) {
        return QObject::eventFilter(watched, event);
    }
    action->trigger();
    return true;
}
