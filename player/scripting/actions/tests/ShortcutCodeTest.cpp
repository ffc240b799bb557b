#include "player/scripting/actions/ShortcutCode.h"

#include <gtest/gtest.h>

namespace {

TEST(ShortcutCode, ConvertsToAndFromTheShortCutValue) {
    struct Case {
        int32_t code;
        uint16_t shortCut;
        const char* text;
    };
    const Case cases[] = {
        {0x40041, 16449, "Ctrl+A"},
        {0x10070, 0x2070, "Shift+F1"},
        {0x70020, 0xE020, "Shift+Alt+Ctrl+Space"},
        {0x480025, 0x25, "LeftBt+Double+Left"},
        {0x300000, 0, "RightBt+MiddleBt+"},
        {0x00BB, 0xBB, "="},
        {0x0060, 0x60, "Num 0"},
        {0x0007, 0x07, ""},             // a number without a name
        {0x40000 | 0x2041, 0, "Ctrl+"}, // not a virtual key: no shortcut, no name
        {0, 0, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ShortcutCodeToShortCut(c.code), c.shortCut) << std::hex << c.code;
        EXPECT_EQ(ShortcutCodeToText(c.code), c.text) << std::hex << c.code;
    }
    EXPECT_EQ(ShortCutToShortcutCode(16449), 0x40041);
    EXPECT_EQ(ShortCutToShortcutCode(0xE020), 0x70020);
    EXPECT_EQ(ShortCutToShortcutCode(0), 0);
}

TEST(ShortcutCode, MapsShortCutsToKeySequencesAndBack) {
    struct Case {
        uint16_t shortCut;
        QKeySequence sequence;
    };
    const Case cases[] = {
        {16449, QKeySequence(Qt::CTRL | Qt::Key_A)},
        {0x2070, QKeySequence(Qt::SHIFT | Qt::Key_F1)},
        {0x8000 | 0x27, QKeySequence(Qt::ALT | Qt::Key_Right)},
        {0x6B, QKeySequence(Qt::KeypadModifier | Qt::Key_Plus)},
        {0xBB, QKeySequence(Qt::Key_Equal)},
        {0x35, QKeySequence(Qt::Key_5)},
        {0x65, QKeySequence(Qt::KeypadModifier | Qt::Key_5)},
        {0xB3, QKeySequence(Qt::Key_MediaTogglePlayPause)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ShortCutToKeySequence(c.shortCut), c.sequence) << c.shortCut;
        EXPECT_EQ(KeySequenceToShortCut(c.sequence), c.shortCut) << c.shortCut;
    }
    EXPECT_TRUE(ShortCutToKeySequence(0).isEmpty());
    EXPECT_TRUE(ShortCutToKeySequence(0x07).isEmpty());
    EXPECT_EQ(KeySequenceToShortCut(QKeySequence()), 0);
    EXPECT_EQ(KeySequenceToShortCut(QKeySequence(Qt::Key_Eacute)), 0);
}

} // namespace
