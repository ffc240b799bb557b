#pragma once
// The player's commands: every action of the main window that can be bound to a key, a gesture or a
// remote code, with its category (the two-digit prefix orders the groups), in table order.
#include <QList>

#include <span>
#include <string_view>

class QAction;
class QObject;

struct PlayerActionEntry {
    std::string_view name; // without "Ac_"
    std::string_view category;
    std::string_view caption;
};

std::span<const PlayerActionEntry> PlayerActionVocabulary();

// Creates one action per command, named "Ac_<name>" with its caption, its category property and its default
// shortcut (only Play has one: Ctrl+A), owned by `owner`.
QList<QAction*> CreatePlayerActions(QObject* owner);
