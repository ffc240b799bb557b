#include "player/scripting/actions/VirtualKeyTable.h"

#include <array>
#include <vector>

namespace {

constexpr VirtualKey kFixedKeys[] = {
    {0x08, Qt::Key_Backspace, false, "Backspace"},
    {0x09, Qt::Key_Tab, false, "Tab"},
    {0x0C, Qt::Key_Clear, true, "Num 5"},
    {0x0D, Qt::Key_Return, false, "Enter"},
    {0x10, Qt::Key_Shift, false, "Shift"},
    {0x11, Qt::Key_Control, false, "Ctrl"},
    {0x12, Qt::Key_Alt, false, "Alt"},
    {0x13, Qt::Key_Pause, false, "Pause"},
    {0x14, Qt::Key_CapsLock, false, "Caps Lock"},
    {0x1B, Qt::Key_Escape, false, "Esc"},
    {0x20, Qt::Key_Space, false, "Space"},
    {0x21, Qt::Key_PageUp, false, "Page Up"},
    {0x22, Qt::Key_PageDown, false, "Page Down"},
    {0x23, Qt::Key_End, false, "End"},
    {0x24, Qt::Key_Home, false, "Home"},
    {0x25, Qt::Key_Left, false, "Left"},
    {0x26, Qt::Key_Up, false, "Up"},
    {0x27, Qt::Key_Right, false, "Right"},
    {0x28, Qt::Key_Down, false, "Down"},
    {0x2C, Qt::Key_Print, false, "Print Screen"},
    {0x2D, Qt::Key_Insert, false, "Insert"},
    {0x2E, Qt::Key_Delete, false, "Delete"},
    {0x5D, Qt::Key_Menu, false, "Application"},
    {0x6A, Qt::Key_Asterisk, true, "Num *"},
    {0x6B, Qt::Key_Plus, true, "Num +"},
    {0x6D, Qt::Key_Minus, true, "Num -"},
    {0x6E, Qt::Key_Period, true, "Num Del"},
    {0x6F, Qt::Key_Slash, true, "Num /"},
    {0x90, Qt::Key_NumLock, false, "Num Lock"},
    {0x91, Qt::Key_ScrollLock, false, "Scroll Lock"},
    {0xAD, Qt::Key_VolumeMute, false, "Volume Mute"},
    {0xAE, Qt::Key_VolumeDown, false, "Volume Down"},
    {0xAF, Qt::Key_VolumeUp, false, "Volume Up"},
    {0xB0, Qt::Key_MediaNext, false, "Next Track"},
    {0xB1, Qt::Key_MediaPrevious, false, "Previous Track"},
    {0xB2, Qt::Key_MediaStop, false, "Stop Media"},
    {0xB3, Qt::Key_MediaTogglePlayPause, false, "Play/Pause Media"},
    {0xBA, Qt::Key_Semicolon, false, ";"},
    {0xBB, Qt::Key_Equal, false, "="},
    {0xBC, Qt::Key_Comma, false, ","},
    {0xBD, Qt::Key_Minus, false, "-"},
    {0xBE, Qt::Key_Period, false, "."},
    {0xBF, Qt::Key_Slash, false, "/"},
    {0xC0, Qt::Key_QuoteLeft, false, "`"},
    {0xDB, Qt::Key_BracketLeft, false, "["},
    {0xDC, Qt::Key_Backslash, false, "\\"},
    {0xDD, Qt::Key_BracketRight, false, "]"},
    {0xDE, Qt::Key_Apostrophe, false, "'"},
};

constexpr std::string_view kLetters[] = {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M",
                                         "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z"};
constexpr std::string_view kDigits[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
constexpr std::string_view kPadDigits[] = {"Num 0", "Num 1", "Num 2", "Num 3", "Num 4",
                                           "Num 5", "Num 6", "Num 7", "Num 8", "Num 9"};
constexpr std::string_view kFunctionKeys[] = {"F1",  "F2",  "F3",  "F4",  "F5",  "F6",  "F7",  "F8",
                                              "F9",  "F10", "F11", "F12", "F13", "F14", "F15", "F16",
                                              "F17", "F18", "F19", "F20", "F21", "F22", "F23", "F24"};

std::vector<VirtualKey> BuildTable() {
    std::vector<VirtualKey> table(std::begin(kFixedKeys), std::end(kFixedKeys));
    for (int i = 0; i < 26; ++i) {
        table.push_back(
            {static_cast<uint16_t>(0x41 + i), static_cast<Qt::Key>(Qt::Key_A + i), false, kLetters[i]});
    }
    for (int i = 0; i < 10; ++i) {
        table.push_back(
            {static_cast<uint16_t>(0x30 + i), static_cast<Qt::Key>(Qt::Key_0 + i), false, kDigits[i]});
        table.push_back(
            {static_cast<uint16_t>(0x60 + i), static_cast<Qt::Key>(Qt::Key_0 + i), true, kPadDigits[i]});
    }
    for (int i = 0; i < 24; ++i) {
        table.push_back(
            {static_cast<uint16_t>(0x70 + i), static_cast<Qt::Key>(Qt::Key_F1 + i), false, kFunctionKeys[i]});
    }
    return table;
}

const std::vector<VirtualKey>& Table() {
    static const std::vector<VirtualKey> table = BuildTable();
    return table;
}

} // namespace

std::optional<VirtualKey> VirtualKeyByCode(uint16_t code) {
    for (const VirtualKey& entry : Table()) {
        if (entry.code == code) {
            return entry;
        }
    }
    return std::nullopt;
}

std::optional<VirtualKey> VirtualKeyByQtKey(Qt::Key key, bool keypad) {
    std::optional<VirtualKey> other;
    for (const VirtualKey& entry : Table()) {
        if (entry.key == key) {
            if (entry.keypad == keypad) {
                return entry;
            }
            other = other ? other : entry;
        }
    }
    return other;
}
