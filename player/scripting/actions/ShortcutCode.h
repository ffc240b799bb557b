#pragma once
// Keyboard and mouse shortcut codes of the key map: the Windows virtual-key number in the low 16 bits
// and modifier flags from bit 16 (ShortcutFlag). The 16-bit "short cut" value carries only the key
// and the keyboard modifiers (0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt); actions take it as a
// QKeySequence.
#include <QKeySequence>

#include <cstdint>
#include <string>

namespace ShortcutFlag {
inline constexpr int32_t Shift = 0x01 << 16;
inline constexpr int32_t Alt = 0x02 << 16;
inline constexpr int32_t Ctrl = 0x04 << 16;
inline constexpr int32_t LeftButton = 0x08 << 16;
inline constexpr int32_t RightButton = 0x10 << 16;
inline constexpr int32_t MiddleButton = 0x20 << 16;
inline constexpr int32_t DoubleClick = 0x40 << 16;
} // namespace ShortcutFlag

namespace ShortCutBit {
inline constexpr uint16_t Shift = 0x2000;
inline constexpr uint16_t Ctrl = 0x4000;
inline constexpr uint16_t Alt = 0x8000;
inline constexpr uint16_t KeyMask = 0x1FFF;
} // namespace ShortCutBit

int32_t ShortCutToShortcutCode(uint16_t shortCut);
// The key with Shift, Ctrl and Alt; mouse flags are dropped. 0 when the key part is not a
// virtual-key number (above 0xFF), so no file value can turn into other modifiers.
uint16_t ShortcutCodeToShortCut(int32_t code);
// "Shift+", "Alt+", "Ctrl+", "LeftBt+", "RightBt+", "MiddleBt+", "Double+" for the flags set, then
// the key's name (none for a key the table does not know).
std::string ShortcutCodeToText(int32_t code);

// The short cut as a key sequence; empty for 0 or a key without a Qt key.
QKeySequence ShortCutToKeySequence(uint16_t shortCut);
// The first key of the sequence as a short cut; 0 for an empty sequence or a key without a number.
uint16_t KeySequenceToShortCut(const QKeySequence& sequence);
