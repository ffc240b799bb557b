#pragma once
// Our fixed table of Windows virtual-key numbers (the numbers the key map file keeps), their Qt keys
// and their display names, so key names never depend on the machine's keyboard layout.
#include <Qt>

#include <cstdint>
#include <optional>
#include <string_view>

struct VirtualKey {
    uint16_t code = 0;
    Qt::Key key = Qt::Key_unknown;
    bool keypad = false; // the key of the numeric keypad (Qt::KeypadModifier)
    std::string_view name;
};

// The entry of a virtual-key number; nothing for numbers the table does not know.
std::optional<VirtualKey> VirtualKeyByCode(uint16_t code);
// The entry of a Qt key (with or without the keypad flag); nothing for keys without a number.
std::optional<VirtualKey> VirtualKeyByQtKey(Qt::Key key, bool keypad);
