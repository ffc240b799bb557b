// The skin widgets: the seek bar's unit, fill and delayed seek, time labels, the skin window's close,
// wheel and drag, and the one hovered speed button of a window.
#include "RecordingSkinSink.h"
#include "SkinFixtures.h"

#include "player/ui/skin/TSkinForm.h"
#include "player/ui/skin/TSkinLabel.h"
#include "player/ui/skin/TSkinSeekBar.h"
#include "player/ui/skin/TSkinSpeedButton.h"
#include "player/ui/skin/buttons/ManualDelayClock.h"

#include <QApplication>
#include <QLabel>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace skintest;

constexpr QRgb kFrame = qRgb(255, 255, 255);
constexpr QRgb kRest = qRgb(0, 0, 255);
constexpr QRgb kPlayed = qRgb(255, 0, 0);

class SeekBarTest : public testing::Test {
protected:
    TSkinSeekBar& Bar(int width, int height, int64_t duration, int64_t position) {
        bar = std::make_unique<TSkinSeekBar>(form, sink);
        bar->resize(width, height);
        bar->SetFrameColour(0xFFFFFF);
        bar->SetBackgroundColour(0xFF0000);
        bar->SetSeekZoneColour(0x0000FF);
        bar->SetDuration(duration);
        bar->SetPosition(position);
        return *bar;
    }

    ManualDelayClock clock;
    RecordingSkinSink sink;
    QWidget form;
    std::unique_ptr<TSkinSeekBar> bar;
};

struct SeekCase {
    const char* name;
    int width;
    int height;
    bool vertical;
    bool invert;
    int64_t duration;
    int64_t position;
    int64_t unit;
    int64_t played;
    QPoint press;
    int64_t target; // -1: no seek
};

class SeekBarTable : public SeekBarTest, public testing::WithParamInterface<SeekCase> {};

TEST_P(SeekBarTable, UnitFillAndPress) {
    const SeekCase& c = GetParam();
    TSkinSeekBar& seekBar = Bar(c.width, c.height, c.duration, c.position);
    seekBar.SetVertical(c.vertical);
    seekBar.SetInvert(c.invert);
    EXPECT_EQ(seekBar.Unit(), c.unit);
    EXPECT_EQ(seekBar.PlayedPixels(), c.played);
    const QImage shot = Grab(seekBar);
    Press(seekBar, c.press);
    Release(seekBar, c.press);
    clock.Advance(TSkinSeekBar::kSeekDelayMs);
    if (c.target < 0) {
        EXPECT_TRUE(sink.seekTargets.empty());
        EXPECT_EQ(sink.seeks, 0);
    } else {
        EXPECT_EQ(sink.seekTargets, std::vector<int64_t>{c.target});
        EXPECT_EQ(sink.seeks, 1);
    }
    if (shot.isNull()) {
        return;
    }
    // Nothing is drawn outside the box, and the frame is there when the box has room for it.
    EXPECT_EQ(shot.size(), QSize(c.width, c.height));
    EXPECT_EQ(shot.pixel(0, 0), kFrame);
}

INSTANTIATE_TEST_SUITE_P(
    Bars, SeekBarTable,
    testing::Values(
        SeekCase{"Halfway", 202, 10, false, false, 100000, 50000, 500, 100, {51, 5}, 25000},
        SeekCase{"ShortDurationNoUnit", 202, 10, false, false, 150, 100, 0, 0, {51, 5}, -1},
        SeekCase{
            "PositionBeyondDurationHeld", 202, 10, false, false, 100000, 900000, 500, 200, {201, 5}, 100000},
        SeekCase{"NegativePositionHeld", 202, 10, false, false, 100000, -5000, 500, 0, {0, 5}, 0},
        SeekCase{"Inverted", 202, 10, false, true, 100000, 50000, 500, 100, {51, 5}, 76000},
        SeekCase{"Vertical", 10, 102, true, false, 10000, 5000, 100, 50, {5, 21}, 2000},
        SeekCase{"VerticalInverted", 10, 102, true, true, 10000, 5000, 100, 50, {5, 21}, 8200},
        SeekCase{"TwoPixelsLong", 2, 10, false, false, 100000, 50000, 0, 0, {1, 5}, -1},
        SeekCase{"OnePixelLong", 1, 1, false, false, 100000, 50000, 0, 0, {0, 0}, -1},
        SeekCase{"ZeroLong", 0, 10, false, false, 100000, 50000, 0, 0, {0, 5}, -1},
        SeekCase{"ThreePixelsLong", 3, 10, false, false, 100000, 100000, 100000, 1, {1, 5}, 0}),
    [](const testing::TestParamInfo<SeekCase>& info) { return std::string(info.param.name); });

TEST_F(SeekBarTest, PlayedZoneFillsByPixelProbes) {
    const QImage shot = Grab(Bar(202, 10, 100000, 50000));
    EXPECT_EQ(shot.pixel(1, 5), kPlayed);
    EXPECT_EQ(shot.pixel(100, 5), kPlayed);
    EXPECT_EQ(shot.pixel(101, 5), kRest);
    EXPECT_EQ(shot.pixel(200, 5), kRest);
    EXPECT_EQ(shot.pixel(201, 5), kFrame);
    EXPECT_EQ(shot.pixel(50, 9), kFrame);
    bar->SetInvert(true);
    const QImage inverted = Grab(*bar);
    EXPECT_EQ(inverted.pixel(1, 5), kRest);
    EXPECT_EQ(inverted.pixel(100, 5), kRest);
    EXPECT_EQ(inverted.pixel(101, 5), kPlayed);
    EXPECT_EQ(inverted.pixel(200, 5), kPlayed);
}

TEST_F(SeekBarTest, DragSeeksOnceAfterLastMoveInside) {
    TSkinSeekBar& seekBar = Bar(202, 10, 100000, 0);
    Press(seekBar, QPoint(11, 5));
    clock.Advance(150);
    Move(seekBar, QPoint(21, 5), Qt::LeftButton);
    clock.Advance(150);
    Move(seekBar, QPoint(31, 5), Qt::LeftButton);
    clock.Advance(199);
    EXPECT_EQ(sink.seeks, 0);
    clock.Advance(1);
    EXPECT_EQ(sink.seeks, 1);
    EXPECT_EQ(sink.seekTargets.back(), 15000);
    Release(seekBar, QPoint(31, 5));
    clock.Advance(1000);
    EXPECT_EQ(sink.seeks, 1);
}

TEST_F(SeekBarTest, DragEndingOutsideDoesNotSeek) {
    TSkinSeekBar& seekBar = Bar(202, 10, 100000, 0);
    Press(seekBar, QPoint(11, 5));
    Move(seekBar, QPoint(300, 5), Qt::LeftButton);
    Release(seekBar, QPoint(300, 5));
    clock.Advance(1000);
    EXPECT_EQ(sink.seeks, 0);
    EXPECT_EQ(sink.seekTargets.back(), 100000);
}

TEST_F(SeekBarTest, RightClickOpensGoToTimeWithoutSeeking) {
    TSkinSeekBar& seekBar = Bar(202, 10, 100000, 0);
    Press(seekBar, QPoint(51, 5), Qt::RightButton);
    clock.Advance(1000);
    ASSERT_EQ(sink.goToTime.size(), 1u);
    const QPoint screen = seekBar.mapToGlobal(QPoint(51, 5));
    EXPECT_EQ(sink.goToTime[0], QPoint(std::abs(screen.x() - 5), std::abs(screen.y() - 25)));
    EXPECT_TRUE(sink.seekTargets.empty());
    EXPECT_EQ(sink.seeks, 0);
}

struct TimeCase {
    int64_t duration;
    int64_t time;
    bool remaining;
    const char* expected;
};

class TimeLabelTable : public testing::TestWithParam<TimeCase> {};

TEST_P(TimeLabelTable, FormatsTime) {
    QWidget form;
    TSkinLabel label(form, "TimeDisplay", true);
    label.SetDuration(GetParam().duration);
    label.ShowTime(GetParam().time);
    if (GetParam().remaining) {
        label.ToggleRemaining();
    }
    EXPECT_EQ(label.TextLabel()->text().toStdString(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Times, TimeLabelTable,
                         testing::Values(TimeCase{3600000, 1000, false, "  0:00:01"},
                                         TimeCase{3600000, 1000, true, "- 0:59:59"},
                                         TimeCase{0, 45296000, false, " 12:34:56"},
                                         TimeCase{1000, 5000, true, "- 0:00:04"},
                                         TimeCase{0, 360000000, false, " 100:00:00"}),
                         [](const testing::TestParamInfo<TimeCase>& info) {
                             return "At" + std::to_string(info.param.time) + "Of" +
                                    std::to_string(info.param.duration) +
                                    (info.param.remaining ? "Remaining" : "Elapsed");
                         });

TEST(SkinLabel, ClickOnTimeDisplayTogglesRemaining) {
    QWidget form;
    TSkinLabel label(form, "timedisplay", true);
    label.SetDuration(3600000);
    label.ShowTime(1000);
    Click(*label.TextLabel(), QPoint(1, 1));
    EXPECT_EQ(label.TextLabel()->text(), QStringLiteral("- 0:59:59"));
    TSkinLabel title(form, "TitleDisplay", true);
    title.SetText(QStringLiteral("3"));
    Click(*title.TextLabel(), QPoint(1, 1));
    EXPECT_EQ(title.TextLabel()->text(), QStringLiteral("3"));
    TSkinLabel picture(form, "SkinLabel", false);
    picture.SetText(QStringLiteral("ignored"));
    EXPECT_EQ(picture.TextLabel(), nullptr);
}

TEST(SkinForm, CloseQuitsAndWindowStays) {
    RecordingSkinSink sink;
    TSkinForm form(sink);
    form.show();
    EXPECT_FALSE(form.close());
    EXPECT_EQ(sink.quits, 1);
    EXPECT_TRUE(form.isVisible());
}

TEST(SkinForm, WheelGoesToMainWindow) {
    RecordingSkinSink sink;
    TSkinForm form(sink);
    QWheelEvent down(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(&form, &down);
    QWheelEvent up(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                   Qt::NoScrollPhase, false);
    QApplication::sendEvent(&form, &up);
    EXPECT_EQ(sink.wheels, (std::vector<bool>{true, false}));
}

TEST(SkinForm, MaskedFormDragsByItsBackground) {
    RecordingSkinSink sink;
    TSkinForm form(sink);
    form.SetMaskMode();
    form.resize(100, 40);
    form.move(200, 200);
    form.show();
    const QPoint before = form.pos();
    Press(form, QPoint(10, 10));
    Move(form, QPoint(30, 15), Qt::LeftButton);
    Release(form, QPoint(30, 15));
    EXPECT_EQ(form.pos(), before + QPoint(20, 5));
    Move(form, QPoint(60, 15));
    EXPECT_EQ(form.pos(), before + QPoint(20, 5));
    // Anchored in the video window, it no longer drags.
    form.SetAnchor(SkinAnchor::TopLeft);
    Press(form, QPoint(10, 10));
    Move(form, QPoint(30, 15), Qt::LeftButton);
    EXPECT_EQ(form.pos(), before + QPoint(20, 5));
}

TEST(SkinSpeedButton, OnlyOneHoveredPerWindow) {
    RecordingSkinSink sink;
    TSkinForm form(sink);
    TSkinSpeedButton first(form);
    TSkinSpeedButton second(form);
    second.Button().move(60, 0);
    Move(first.Button(), QPoint(5, 5));
    EXPECT_TRUE(first.Button().MouseInControl());
    // The pointer jumps to the second button without a leave notice for the first.
    Move(second.Button(), QPoint(5, 5));
    EXPECT_FALSE(first.Button().MouseInControl());
    EXPECT_TRUE(second.Button().MouseInControl());
    EXPECT_EQ(form.HoveredSpeedButton(), &second);
}

} // namespace
