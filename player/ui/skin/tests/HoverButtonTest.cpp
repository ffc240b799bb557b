// The windowless hover button: presses, releases and drags, groups of exclusive buttons, the frame
// count rule, and the hover look by pixel probes.
#include "SkinFixtures.h"

#include "player/ui/skin/buttons/SkinColours.h"
#include "player/ui/skin/buttons/THoverButton.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace skintest;

class HoverButtonTest : public testing::Test {
protected:
    HoverButtonTest() {
        parent.resize(300, 100);
        for (int i = 0; i < 3; ++i) {
            buttons[i] = new THoverButton(&parent);
            buttons[i]->move(60 * i, 0);
            buttons[i]->OnClick = [this, i](THoverButton*) { ++clicks[i]; };
        }
        parent.show();
    }

    QWidget parent;
    THoverButton* buttons[3];
    int clicks[3] = {0, 0, 0};
};

struct ReleaseCase {
    const char* name;
    QPoint release;
    int clicks;
};

class HoverButtonReleaseTable : public HoverButtonTest, public testing::WithParamInterface<ReleaseCase> {};

TEST_P(HoverButtonReleaseTable, ClicksOnlyWhenReleasedOver) {
    THoverButton& button = *buttons[0];
    Press(button, QPoint(10, 10));
    EXPECT_EQ(button.State(), TMyButtonState::Down);
    Move(button, GetParam().release, Qt::LeftButton);
    Release(button, GetParam().release);
    EXPECT_EQ(clicks[0], GetParam().clicks);
    EXPECT_EQ(button.State(), TMyButtonState::Up);
    EXPECT_FALSE(button.Dragging());
}

INSTANTIATE_TEST_SUITE_P(
    Releases, HoverButtonReleaseTable,
    testing::Values(ReleaseCase{"Inside", {25, 11}, 1}, ReleaseCase{"BottomEdgeRow", {25, 22}, 1},
                    ReleaseCase{"BelowBottomEdge", {25, 23}, 0}, ReleaseCase{"RightEdgeColumn", {50, 10}, 0},
                    ReleaseCase{"LeftOfButton", {-1, 10}, 0}),
    [](const testing::TestParamInfo<ReleaseCase>& info) { return std::string(info.param.name); });

TEST_F(HoverButtonTest, DragOutAndBackFollowsPointer) {
    THoverButton& button = *buttons[0];
    Press(button, QPoint(10, 10));
    Move(button, QPoint(80, 10), Qt::LeftButton);
    EXPECT_EQ(button.State(), TMyButtonState::Up);
    Move(button, QPoint(10, 10), Qt::LeftButton);
    EXPECT_EQ(button.State(), TMyButtonState::Down);
}

TEST_F(HoverButtonTest, ClickInGroupRaisesTheOther) {
    for (THoverButton* button : buttons) {
        button->SetGroupIndex(1);
    }
    buttons[0]->SetDown(true);
    EXPECT_EQ(buttons[0]->State(), TMyButtonState::Exclusive);
    Click(*buttons[1], QPoint(5, 5));
    EXPECT_FALSE(buttons[0]->Down());
    EXPECT_EQ(buttons[0]->State(), TMyButtonState::Up);
    EXPECT_TRUE(buttons[1]->Down());
    EXPECT_EQ(buttons[1]->State(), TMyButtonState::Exclusive);
    EXPECT_EQ(clicks[1], 1);
    // Without AllowAllUp the down button stays down when clicked again.
    Click(*buttons[1], QPoint(5, 5));
    EXPECT_TRUE(buttons[1]->Down());
    EXPECT_EQ(clicks[1], 2);
    // AllowAllUp is shared through the group: it lets the down button come up.
    buttons[2]->SetAllowAllUp(true);
    EXPECT_TRUE(buttons[1]->AllowAllUp());
    Click(*buttons[1], QPoint(5, 5));
    EXPECT_FALSE(buttons[1]->Down());
}

TEST_F(HoverButtonTest, DownWithoutGroupLatchesOnce) {
    THoverButton& button = *buttons[0];
    button.SetDown(true);
    EXPECT_TRUE(button.Down());
    button.SetDown(false);
    EXPECT_TRUE(button.Down());
    button.SetAllowAllUp(true);
    button.SetDown(false);
    EXPECT_FALSE(button.Down());
}

TEST_F(HoverButtonTest, NumGlyphsClamped) {
    THoverButton& button = *buttons[0];
    button.SetNumGlyphs(9);
    EXPECT_EQ(button.NumGlyphs(), 5);
    button.SetNumGlyphs(-3);
    EXPECT_EQ(button.NumGlyphs(), 1);
    button.SetNumGlyphs(3);
    button.SetNumGlyphs(0);
    EXPECT_EQ(button.NumGlyphs(), 3);
}

TEST_F(HoverButtonTest, EnterAndLeaveFireOnce) {
    THoverButton& button = *buttons[0];
    int enters = 0;
    int leaves = 0;
    button.OnMouseEnter = [&](THoverButton*) { ++enters; };
    button.OnMouseLeave = [&](THoverButton*) { ++leaves; };
    Move(button, QPoint(5, 5));
    Move(button, QPoint(6, 6));
    EXPECT_TRUE(button.MouseInControl());
    Leave(button);
    EXPECT_FALSE(button.MouseInControl());
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(leaves, 1);
}

TEST_F(HoverButtonTest, FiveFrameGlyphShowsHoverFrameWhileHovered) {
    THoverButton& button = *buttons[0];
    QImage strip(80, 16, QImage::Format_RGB32);
    for (int f = 0; f < 5; ++f) {
        QPainter(&strip).fillRect(QRect(16 * f, 0, 16, 16), QColor(40 * f + 20, 0, 0));
    }
    button.SetGlyph(strip);
    button.SetNumGlyphs(5);
    const QPoint centre(25, 11);
    EXPECT_EQ(Grab(button).pixel(centre), qRgb(20, 0, 0));
    Move(button, QPoint(5, 5));
    EXPECT_EQ(Grab(button).pixel(centre), qRgb(180, 0, 0));
    Leave(button);
    EXPECT_EQ(Grab(button).pixel(centre), qRgb(20, 0, 0));
}

struct FaceCase {
    const char* name;
    skincolour::Value colorHover;
    QRgb expected;
};

class HoverFaceTable : public HoverButtonTest, public testing::WithParamInterface<FaceCase> {};

TEST_P(HoverFaceTable, FlatBorderlessFace) {
    THoverButton& button = *buttons[0];
    button.SetFlat(true);
    button.SetDrawBorder(false);
    button.SetColor(0x0000FF);
    button.SetColorHover(GetParam().colorHover);
    Move(button, QPoint(5, 5));
    EXPECT_EQ(Grab(button).pixel(1, 1), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Faces, HoverFaceTable,
    testing::Values(FaceCase{"DefaultHoverColourIsBlack", skincolour::kBlack, qRgb(0, 0, 0)},
                    FaceCase{"NoColourKeepsColor", skincolour::kNone, qRgb(255, 0, 0)},
                    FaceCase{"HoverColour", 0x00FF00, qRgb(0, 255, 0)}),
    [](const testing::TestParamInfo<FaceCase>& info) { return std::string(info.param.name); });

TEST_F(HoverButtonTest, DisabledButtonIgnoresPresses) {
    THoverButton& button = *buttons[0];
    button.SetEnabled(false);
    Grab(button);
    EXPECT_EQ(button.State(), TMyButtonState::Disabled);
    Click(button, QPoint(5, 5));
    EXPECT_EQ(clicks[0], 0);
    button.SetEnabled(true);
    EXPECT_EQ(button.State(), TMyButtonState::Up);
}

} // namespace
