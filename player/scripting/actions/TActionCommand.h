#pragma once
// One command of the key map: a player action with its keyboard shortcut, mouse gesture and remote
// code.
#include <cstddef>
#include <cstdint>
#include <string>

class QAction;

struct TActionCommand {
    static constexpr std::size_t kMaxRemoteCode = 29; // bytes
    static constexpr std::size_t kMaxName = 49;       // bytes

    QAction* Action = nullptr; // the main window's, not owned
    int32_t GestureCode = 0;
    int32_t ShortcutCode = 0;
    std::string RemoteCode; // 8-bit, empty for none
    std::string Name;       // the action's name without "Ac_"
    int32_t Position = 0;   // place in the action list among the commands, before sorting
};
