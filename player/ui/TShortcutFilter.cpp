#include "player/ui/TShortcutFilter.h"

#include "player/scripting/actions/ShortcutCode.h"
#include "player/scripting/actions/TActionControler.h"

#include <QAction>
#include <QKeyEvent>

TShortcutFilter::TShortcutFilter(const TActionControler& commands, QObject* parent)
    : QObject(parent), commands_(commands) {}

bool TShortcutFilter::eventFilter(QObject* watched, QEvent* event) {
    // The first delivery of a matching key runs the command and ends the key's way.
    if (!enabled_ || event->type() != QEvent::KeyPress) {
        return QObject::eventFilter(watched, event);
    }
    const auto* key = static_cast<const QKeyEvent*>(event);
    QAction* action = commands_.FindActionByShortCut(KeySequenceToShortCut(
        QKeySequence(QKeyCombination(key->modifiers(), static_cast<Qt::Key>(key->key())))));
    if (action == nullptr || !action->isEnabled()) {
        return QObject::eventFilter(watched, event);
    }
    action->trigger();
    return true;
}
