// The windowed hover buttons: dialog keys, Space, accelerators, focus on release, the hover time on a
// manual clock, regions, and the texture painting of texture and static buttons.
#include "SkinFixtures.h"

#include "player/ui/skin/buttons/ManualDelayClock.h"
#include "player/ui/skin/buttons/TStaticHoverButton.h"
#include "player/ui/skin/buttons/TTexHoverButton.h"
#include "player/ui/skin/buttons/TWinHoverButton.h"

#include <QApplication>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace {

using namespace skintest;

class DialogKeysTest : public testing::Test {
protected:
    DialogKeysTest() {
        dialog.resize(300, 100);
        edit = new QLineEdit(&dialog);
        ok = new TWinHoverButton(&dialog);
        ok->SetTexto(QStringLiteral("&Yes"));
        ok->SetDefault(true);
        ok->move(0, 40);
        cancel = new TWinHoverButton(&dialog);
        cancel->SetTexto(QStringLiteral("Cancel"));
        cancel->SetCancel(true);
        cancel->move(60, 40);
        plain = new TWinHoverButton(&dialog);
        plain->move(120, 40);
        ok->OnClick = [this](THoverButton*) { ++okClicks; };
        cancel->OnClick = [this](THoverButton*) { ++cancelClicks; };
        plain->OnClick = [this](THoverButton*) { ++plainClicks; };
        dialog.show();
        dialog.activateWindow();
        QApplication::setActiveWindow(&dialog);
        edit->setFocus();
    }

    QWidget dialog;
    QLineEdit* edit;
    TWinHoverButton* ok;
    TWinHoverButton* cancel;
    TWinHoverButton* plain;
    int okClicks = 0;
    int cancelClicks = 0;
    int plainClicks = 0;
};

struct KeyCase {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    bool focusPlain;
    int ok;
    int cancel;
    int plain;
};

class DialogKeysTable : public DialogKeysTest, public testing::WithParamInterface<KeyCase> {};

TEST_P(DialogKeysTable, KeyClicksButton) {
    QWidget* target = edit;
    if (GetParam().focusPlain) {
        plain->setFocus();
        target = plain;
    }
    KeyClick(*target, GetParam().key, GetParam().modifiers);
    EXPECT_EQ(okClicks, GetParam().ok);
    EXPECT_EQ(cancelClicks, GetParam().cancel);
    EXPECT_EQ(plainClicks, GetParam().plain);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, DialogKeysTable,
    testing::Values(KeyCase{"EnterClicksDefaultFromEdit", Qt::Key_Return, Qt::NoModifier, false, 1, 0, 0},
                    KeyCase{"KeypadEnterToo", Qt::Key_Enter, Qt::NoModifier, false, 1, 0, 0},
                    KeyCase{"EscapeClicksCancel", Qt::Key_Escape, Qt::NoModifier, false, 0, 1, 0},
                    KeyCase{"CtrlEnterClicksNothing", Qt::Key_Return, Qt::ControlModifier, false, 0, 0, 0},
                    KeyCase{"ShiftEscapeClicksNothing", Qt::Key_Escape, Qt::ShiftModifier, false, 0, 0, 0},
                    KeyCase{"AltAcceleratorFromEdit", Qt::Key_Y, Qt::AltModifier, false, 1, 0, 0},
                    KeyCase{"PlainAcceleratorStaysInEdit", Qt::Key_Y, Qt::NoModifier, false, 0, 0, 0},
                    KeyCase{"AcceleratorFromButton", Qt::Key_Y, Qt::NoModifier, true, 1, 0, 0},
                    KeyCase{"OtherLetterNothing", Qt::Key_N, Qt::NoModifier, true, 0, 0, 0}),
    [](const testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

TEST_F(DialogKeysTest, FocusedButtonWithoutDefaultTakesEnter) {
    ok->SetDefault(false);
    plain->setFocus();
    KeyClick(*plain, Qt::Key_Return);
    EXPECT_EQ(plainClicks, 1);
    EXPECT_EQ(okClicks, 0);
}

TEST_F(DialogKeysTest, SpacePressAndReleaseClicks) {
    plain->setFocus();
    KeyPress(*plain, Qt::Key_Space);
    EXPECT_EQ(plain->State(), TMyButtonState::Down);
    KeyRelease(*plain, Qt::Key_Space);
    EXPECT_EQ(plainClicks, 1);
    EXPECT_EQ(plain->State(), TMyButtonState::Up);
}

TEST_F(DialogKeysTest, SpaceEndedByAnotherKeyDoesNotClick) {
    plain->setFocus();
    KeyPress(*plain, Qt::Key_Space);
    KeyRelease(*plain, Qt::Key_A);
    KeyRelease(*plain, Qt::Key_Space);
    EXPECT_EQ(plainClicks, 0);
    EXPECT_EQ(plain->State(), TMyButtonState::Up);
}

TEST_F(DialogKeysTest, ReleaseOutsideTakesFocusWithoutClick) {
    Press(*plain, QPoint(5, 5));
    Release(*plain, QPoint(200, 5));
    EXPECT_TRUE(plain->hasFocus());
    EXPECT_EQ(plainClicks, 0);
}

TEST(WinHoverButton, RestingPointerFiresHoverOnceAfterHoverTime) {
    ManualDelayClock clock;
    TWinHoverButton button;
    int hovers = 0;
    button.OnMouseHover = [&](THoverButton*) { ++hovers; };
    Move(button, QPoint(5, 5));
    clock.Advance(399);
    EXPECT_EQ(hovers, 0);
    Move(button, QPoint(6, 5));
    clock.Advance(399);
    EXPECT_EQ(hovers, 0);
    clock.Advance(1);
    EXPECT_EQ(hovers, 1);
    clock.Advance(5000);
    EXPECT_EQ(hovers, 1);
    Move(button, QPoint(7, 5));
    Leave(button);
    clock.Advance(1000);
    EXPECT_EQ(hovers, 1);
}

TEST(WinHoverButton, RegionShapesAndHitTests) {
    TWinHoverButton button;
    button.SetRegion(QRegion(0, 0, 10, 10, QRegion::Ellipse));
    EXPECT_FALSE(button.mask().isEmpty());
    EXPECT_TRUE(button.PtInButton(QPoint(5, 5)));
    EXPECT_FALSE(button.PtInButton(QPoint(30, 5)));
    button.SetRegion(std::nullopt);
    EXPECT_TRUE(button.mask().isEmpty());
    EXPECT_TRUE(button.PtInButton(QPoint(30, 5)));
}

// Left strip pixels in a colour of their own each: red from the column, green from the row.
QRgb LeftTexel(int column, int row) {
    return qRgb(column * 5, row * 10, 100);
}

QImage LeftStrip() {
    QImage strip(50, 22, QImage::Format_RGB32);
    for (int y = 0; y < 22; ++y) {
        for (int x = 0; x < 50; ++x) {
            strip.setPixel(x, y, LeftTexel(x, y));
        }
    }
    return strip;
}

// The right strip's first column of each frame is the left strip's transparent colour.
QImage RightStrip() {
    QImage strip(50, 22, QImage::Format_RGB32);
    strip.fill(qRgb(1, 1, 1));
    for (int y = 0; y < 22; ++y) {
        for (int x = 0; x < 50; x += 10) {
            strip.setPixel(x, y, LeftTexel(0, 21));
        }
    }
    return strip;
}

TEST(TexHoverButton, HoveredMiddleTakesLastColumnOfHoverFrame) {
    QWidget parent;
    auto* button = new TTexHoverButton(&parent);
    button->resize(80, 22);
    button->SetDrawBorder(false);
    button->SetLeftGlyph(LeftStrip());
    button->SetRightGlyph(RightStrip());
    button->SetNumGlyphs(5);
    button->SetTexTransparentGlyph(true);
    Move(*button, QPoint(40, 10));
    const QImage shot = Grab(*button);
    for (int y = 0; y < 22; y += 7) {
        for (const int x : {9, 30, 69, 70}) {
            EXPECT_EQ(shot.pixel(x, y), LeftTexel(49, y)) << x << "," << y;
        }
    }
    // The caps: frame 4 of the left strip against the left edge, the right strip's frame at the right.
    EXPECT_EQ(shot.pixel(3, 7), LeftTexel(43, 7));
    EXPECT_EQ(shot.pixel(75, 7), qRgb(1, 1, 1));
}

TEST(StaticHoverButton, SharedStripsDressEveryStaticButton) {
    QWidget parent;
    auto* first = new TStaticHoverButton(&parent);
    auto* second = new TStaticHoverButton(&parent);
    EXPECT_EQ(TStaticHoverButton::LiveCount(), 2);
    second->resize(80, 22);
    second->SetDrawBorder(false);
    first->SetLeftGlyph(LeftStrip());
    first->SetNumGlyphs(5);
    EXPECT_EQ(second->NumGlyphs(), 5);
    EXPECT_EQ(Grab(*second).pixel(3, 7), LeftTexel(3, 7));
    delete first;
    EXPECT_EQ(TStaticHoverButton::LiveCount(), 1);
    EXPECT_EQ(Grab(*second).pixel(3, 7), LeftTexel(3, 7));
}

} // namespace
