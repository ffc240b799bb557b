// The picture a host's video panel shows, painted by a real widget: a generated clip playing through
// the real core with a subtitle and an on-screen message over it. The bars around the picture take
// the border colour, the subtitle lies at the bottom centre of the picture with its black outline and
// shadow, the message at the picture's top left, and nothing of them leaves the picture.
#include "core/tests/pages/PixelCheck.h"
#include "core/tests/screen/VideoPanelScene.h"
#include "platform/testing/TestFont.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>

namespace {

// Close to the colour: the panel scales the picture smoothly, which blends the edges of glyphs.
bool Near(QRgb pixel, QRgb colour, int tolerance = 24) {
    return std::abs(qRed(pixel) - qRed(colour)) <= tolerance &&
           std::abs(qGreen(pixel) - qGreen(colour)) <= tolerance &&
           std::abs(qBlue(pixel) - qBlue(colour)) <= tolerance;
}

QRect BoxNear(const QImage& image, QRgb colour) {
    return BoxWhere(image, [colour](QRgb pixel) { return Near(pixel, colour); });
}

struct PanelCase {
    const char* name;
    QSize panel;
};

class VideoPanelTest : public testing::TestWithParam<PanelCase> {};

TEST_P(VideoPanelTest, SubtitleAndMessageLieOnThePicture) {
    if (!LoadTestFont()) {
        GTEST_SKIP() << "the test font " << TestFontPath() << " is missing (fonts-dejavu-core)";
    }
    VideoPanelScene scene(GetParam().panel);
    std::string failure;
    ASSERT_TRUE(scene.Start(failure)) << failure;
    const QRect picture = scene.PictureRect();
    ASSERT_FALSE(picture.isEmpty());
    QImage shown;
    ASSERT_TRUE(EnginePlayer::PumpUntil([&] {
        shown = scene.Grab();
        return !BoxNear(shown, VideoPanelScene::kSubtitleRgb).isEmpty() &&
               !BoxNear(shown, VideoPanelScene::kMessageRgb).isEmpty();
    })) << "the panel shows the subtitle and the message";

    // Letter-boxed: the bars beside the picture have the border colour.
    EXPECT_TRUE(QRect(QPoint(0, 0), GetParam().panel).contains(picture));
    // (A pixel off the edge: the scaled picture's edge blends into the bars.)
    if (picture.left() > 2) {
        EXPECT_EQ(shown.pixel(picture.left() - 2, picture.center().y()), VideoPanelScene::kBorderRgb);
        EXPECT_EQ(shown.pixel(picture.right() + 2, picture.center().y()), VideoPanelScene::kBorderRgb);
    }

    const QRect subtitle = BoxNear(shown, VideoPanelScene::kSubtitleRgb);
    EXPECT_TRUE(picture.contains(subtitle)) << "the subtitle stays on the picture";
    EXPECT_GT(subtitle.top(), picture.center().y()) << "at the bottom";
    EXPECT_NEAR(subtitle.center().x(), picture.center().x(), picture.width() / 20) << "centred";
    EXPECT_LT(picture.bottom() - subtitle.bottom(), picture.height() / 6) << "near the bottom margin";
    // The black outline and shadow surround the glyphs: the clip itself shows no black.
    const QRect dark = BoxWhere(shown.copy(picture), [](QRgb pixel) {
                           return Near(pixel, qRgb(0, 0, 0), 40);
                       }).translated(picture.topLeft());
    EXPECT_TRUE(dark.contains(subtitle.adjusted(1, 1, 0, 0))) << "outline around the subtitle";
    EXPECT_GE(dark.bottom(), subtitle.bottom()) << "the shadow falls below";

    const QRect message = BoxNear(shown, VideoPanelScene::kMessageRgb);
    EXPECT_TRUE(picture.contains(message)) << "the message stays on the picture";
    EXPECT_LT(message.left() - picture.left(), picture.width() / 8) << "at the left";
    EXPECT_LT(message.top() - picture.top(), picture.height() / 8) << "at the top";
    EXPECT_FALSE(message.intersects(subtitle));
}

// A panel larger than the clip shows the picture scaled up, a smaller one scaled down; the subtitle
// screen takes the panel's size and the layout follows it.
INSTANTIATE_TEST_SUITE_P(Panels, VideoPanelTest,
                         testing::Values(PanelCase{"LargerThanTheClip", {640, 480}},
                                         PanelCase{"SmallerThanTheClip", {200, 150}}),
                         [](const testing::TestParamInfo<PanelCase>& info) { return info.param.name; });

// The clip shows the whole frame, letter-boxed at its display aspect (320 x 240 pixels of 8:9) into the
// panel, whatever the panel's and the screen's shapes: its edges touch two sides of the panel, its
// top, bottom, left and right rows show their quadrants' colours, and only the bars around it show the
// border colour.
struct FitCase {
    const char* name;
    QSize panel;
    TScreenSize screen;
};

class VideoPanelFitTest : public testing::TestWithParam<FitCase> {};

QRect LetterBox(QSize panel) {
    constexpr double kDisplayAspect = 320.0 * 8 / 9 / 240;
    const QSize size = panel.width() > panel.height() * kDisplayAspect
                           ? QSize(static_cast<int>(panel.height() * kDisplayAspect + 0.5), panel.height())
                           : QSize(panel.width(), static_cast<int>(panel.width() / kDisplayAspect + 0.5));
    return {QPoint((panel.width() - size.width()) / 2, (panel.height() - size.height()) / 2), size};
}

// Within a pixel on each side: sizes are cut toward zero, and the smoothly scaled edge blends into the
// bars.
void ExpectNear(const QRect& actual, const QRect& expected, const char* what) {
    const auto edges = [](const QRect& r) { return std::array{r.left(), r.top(), r.right(), r.bottom()}; };
    const auto actualEdges = edges(actual);
    const auto expectedEdges = edges(expected);
    for (std::size_t edge = 0; edge < actualEdges.size(); ++edge) {
        EXPECT_NEAR(actualEdges[edge], expectedEdges[edge], 1)
            << what << ", edge " << edge << " (left, top, right, bottom)";
    }
}

TEST_P(VideoPanelFitTest, TheWholeFrameFillsThePanelAtItsAspect) {
    if (!LoadTestFont()) {
        GTEST_SKIP() << "the test font " << TestFontPath() << " is missing (fonts-dejavu-core)";
    }
    const FitCase& row = GetParam();
    VideoPanelScene scene(row.panel, row.screen);
    std::string failure;
    ASSERT_TRUE(scene.Start(failure)) << failure;
    const QRect expected = LetterBox(row.panel);
    QImage shown;
    ASSERT_TRUE(EnginePlayer::PumpUntil([&] {
        shown = scene.Grab();
        return !BoxNear(shown, VideoPanelScene::kSubtitleRgb).isEmpty();
    })) << "the panel shows the clip with its subtitle";
    const QRect picture =
        BoxWhere(shown, [](QRgb pixel) { return !Near(pixel, VideoPanelScene::kBorderRgb, 8); });
    ExpectNear(picture, expected, "the picture shown");
    ExpectNear(scene.PictureRect(), expected, "order 308's picture rectangle");

    const int inset = 2;
    const int leftX = expected.left() + expected.width() / 10;
    const int rightX = expected.right() - expected.width() / 10;
    const int upperY = expected.top() + expected.height() / 4;
    const int lowerY = expected.bottom() - expected.height() / 4;
    struct Probe {
        const char* where;
        QPoint point;
        QRgb colour;
    };
    const Probe probes[] = {
        {"top row, right", {rightX, expected.top() + inset}, qRgb(0, 255, 0)},
        {"bottom row, left", {leftX, expected.bottom() - inset}, qRgb(0, 0, 255)},
        {"bottom row, right", {rightX, expected.bottom() - inset}, qRgb(255, 255, 255)},
        {"left column, lower", {expected.left() + inset, lowerY}, qRgb(0, 0, 255)},
        {"right column, upper", {expected.right() - inset, upperY}, qRgb(0, 255, 0)},
        {"right column, lower", {expected.right() - inset, lowerY}, qRgb(255, 255, 255)},
    };
    for (const Probe& probe : probes) {
        EXPECT_TRUE(Near(shown.pixel(probe.point), probe.colour, 48))
            << probe.where << " at " << probe.point.x() << "," << probe.point.y() << ": " << std::hex
            << shown.pixel(probe.point);
    }
}

INSTANTIATE_TEST_SUITE_P(Shapes, VideoPanelFitTest,
                         testing::Values(FitCase{"WidePanelFourThreeScreen", {640, 342}, {1024, 768}},
                                         FitCase{"WidePanelWideScreen", {640, 342}, {1920, 1080}},
                                         FitCase{"TallPanel", {200, 300}, {1024, 768}},
                                         FitCase{"SquarePanelWideScreen", {300, 300}, {1920, 1080}},
                                         FitCase{"SmallPanelSquarishScreen", {240, 135}, {1280, 1024}},
                                         FitCase{"LargePanel", {1000, 700}, {1280, 1024}}),
                         [](const testing::TestParamInfo<FitCase>& info) { return info.param.name; });

} // namespace
