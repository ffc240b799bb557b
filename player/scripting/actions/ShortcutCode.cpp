#include "player/scripting/actions/ShortcutCode.h"

#include "player/scripting/actions/VirtualKeyTable.h"

namespace {

constexpr uint16_t kHighestVirtualKey = 0xFF;

struct FlagPrefix {
    int32_t flag;
    const char* prefix;
};

constexpr FlagPrefix kPrefixes[] = {
    {ShortcutFlag::Shift, "Shift+"},         {ShortcutFlag::Alt, "Alt+"},
    {ShortcutFlag::Ctrl, "Ctrl+"},           {ShortcutFlag::LeftButton, "LeftBt+"},
    {ShortcutFlag::RightButton, "RightBt+"}, {ShortcutFlag::MiddleButton, "MiddleBt+"},
    {ShortcutFlag::DoubleClick, "Double+"},
};

} // namespace

int32_t ShortCutToShortcutCode(uint16_t shortCut) {
    int32_t code = shortCut & ShortCutBit::KeyMask;
    code |= (shortCut & ShortCutBit::Shift) != 0 ? ShortcutFlag::Shift : 0;
    code |= (shortCut & ShortCutBit::Alt) != 0 ? ShortcutFlag::Alt : 0;
    code |= (shortCut & ShortCutBit::Ctrl) != 0 ? ShortcutFlag::Ctrl : 0;
    return code;
}

uint16_t ShortcutCodeToShortCut(int32_t code) {
    const auto key = static_cast<uint16_t>(code & 0xFFFF);
    if (key > kHighestVirtualKey) {
        return 0;
    }
    uint16_t shortCut = key;
    shortCut |= (code & ShortcutFlag::Shift) != 0 ? ShortCutBit::Shift : 0;
    shortCut |= (code & ShortcutFlag::Ctrl) != 0 ? ShortCutBit::Ctrl : 0;
    shortCut |= (code & ShortcutFlag::Alt) != 0 ? ShortCutBit::Alt : 0;
    return shortCut;
}

std::string ShortcutCodeToText(int32_t code) {
    std::string text;
    for (const FlagPrefix& entry : kPrefixes) {
        if ((code & entry.flag) != 0) {
            text += entry.prefix;
        }
    }
    if (const auto key = VirtualKeyByCode(static_cast<uint16_t>(code & 0xFFFF))) {
        text += key->name;
    }
    return text;
}

QKeySequence ShortCutToKeySequence(uint16_t shortCut) {
    const auto key = VirtualKeyByCode(shortCut & ShortCutBit::KeyMask);
    if (!key) {
        return {};
    }
    Qt::KeyboardModifiers modifiers;
    modifiers.setFlag(Qt::ShiftModifier, (shortCut & ShortCutBit::Shift) != 0);
    modifiers.setFlag(Qt::ControlModifier, (shortCut & ShortCutBit::Ctrl) != 0);
    modifiers.setFlag(Qt::AltModifier, (shortCut & ShortCutBit::Alt) != 0);
    modifiers.setFlag(Qt::KeypadModifier, key->keypad);
    return QKeySequence(QKeyCombination(modifiers, key->key));
}

uint16_t KeySequenceToShortCut(const QKeySequence& sequence) {
    if (sequence.isEmpty()) {
        return 0;
    }
    const QKeyCombination combination = sequence[0];
    const Qt::KeyboardModifiers modifiers = combination.keyboardModifiers();
    const auto key = VirtualKeyByQtKey(combination.key(), modifiers.testFlag(Qt::KeypadModifier));
    if (!key) {
        return 0;
    }
    uint16_t shortCut = key->code;
    shortCut |= modifiers.testFlag(Qt::ShiftModifier) ? ShortCutBit::Shift : 0;
    shortCut |= modifiers.testFlag(Qt::ControlModifier) ? ShortCutBit::Ctrl : 0;
    shortCut |= modifiers.testFlag(Qt::AltModifier) ? ShortCutBit::Alt : 0;
    return shortCut;
}
