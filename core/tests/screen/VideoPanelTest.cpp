// The picture a host's video panel shows, painted by a real widget: a generated clip playing through
// the real core with a subtitle and an on-screen message over it. The bars around the picture take
// the border colour, the subtitle lies at the bottom centre of the picture with its black outline and
// shadow, the message at the picture's top left, and nothing of them leaves the picture.
#include "core/tests/pages/PixelCheck.h"
#include "core/tests/screen/VideoPanelScene.h"
#include "platform/testing/TestFont.h"

#include <gtest/gtest.h>

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

} // namespace
