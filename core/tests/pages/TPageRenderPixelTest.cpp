// Pages drawn by the real renderer into pictures with the test font (DejaVu Sans), checked for the
// structure of what was drawn rather than glyph shapes: the outline ring, the shadow's offset, the
// opaque box and the colours of stacked events.
#include "core/src/pages/TPageRenderer.h"
#include "core/src/pages/TSubDisplay.h"
#include "core/tests/pages/PageBlockBuilder.h"
#include "core/tests/pages/PixelCheck.h"
#include "platform/gdi/ImageDc.h"
#include "platform/testing/TestFont.h"
#include "subtitles/model/FixedText.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

constexpr QRgb kWhite = 0xFFFFFFFFu;
constexpr QRgb kBlue = 0xFF0000FFu;
constexpr QRgb kYellow = 0xFFFFFF00u;
constexpr QRgb kRed = 0xFFFF0000u;

class TPageRenderPixelTest : public testing::Test {
protected:
    void SetUp() override {
        if (!LoadTestFont()) {
            GTEST_SKIP() << "the test font " << TestFontPath() << " is missing (fonts-dejavu-core)";
        }
        display_.SetLayouter(std::make_unique<TPageRenderer>());
        style_ = {};
        SetFixedText(style_.name, kStyleNameUnits, u"Default");
        SetFixedText(style_.fontName, kStyleFontNameUnits, kTestFontFamily);
        style_.fontSize = 30;
        style_.primaryColour = 0xFFFFFF;   // white
        style_.secondaryColour = 0x00FFFF; // yellow (BGR)
        style_.tertiaryColour = 0x00FF00;
        style_.backColour = 0xFF0000; // blue (BGR)
        style_.borderStyle = 1;
        style_.alignment = 2;
        style_.marginV = 10;
        display_.SetEnabled(true, true);
        TSubScreenControler mapping(TScreenSize{320, 240});
        mapping.SetFrameRect(0, 0, 320, 240);
        mapping.SetAreaRect(0, 0, 320, 240);
        mapping.ComputeRects();
        display_.RenderAll(&mapping, true);
    }

    QImage Render(const std::vector<TTestEvent>& events, std::int32_t time = 0) {
        display_.SetStyle(style_);
        const std::vector<std::byte> order = PageBlockBuilder::Order(1, events);
        EXPECT_TRUE(
            display_.SetBlock(1, std::span(order).subspan(kPageOrderHeadBytes - kPageBlockHeadBytes)));
        display_.SelectBlock(1);
        display_.SetTime(time);
        QImage image(320, 240, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        plat::gdi::ImageDc dc(image);
        display_.Paint(&dc, false, nullptr);
        return image;
    }

    TSubtitleStyleRecord style_{};
    TSubDisplay display_;
};

TEST_F(TPageRenderPixelTest, DiscOutlineRingsTheTextAtItsWidth) {
    style_.outline = 2;
    const QImage image = Render({{1, 0, 1000, 0, u"HOH"}});
    ASSERT_GT(CountOf(image, kWhite), 50);
    ASSERT_GT(CountOf(image, kBlue), 50);
    // Inside the ring: no transparent pixel within the disc of width 2 around the text.
    EXPECT_TRUE(EveryNeighbourhood(image, kWhite, 4, false, [](QRgb p) { return qAlpha(p) != 0; }));
    // The ring reaches no farther than the disc (dx² + dy² <= 5) from the text.
    EXPECT_TRUE(EveryNeighbourhood(image, kBlue, 5, true, [](QRgb p) { return p == kWhite; }));
    const QRect text = BoxOf(image, kWhite);
    const QRect all = PaintedBox(image);
    EXPECT_EQ(text.left() - all.left(), 2);
    EXPECT_EQ(all.right() - text.right(), 2);
    EXPECT_EQ(all.bottom() - text.bottom(), 2);
}

TEST_F(TPageRenderPixelTest, ShadowFallsDownAndRightByItsDepthInTheBackColour) {
    const QRect plain = PaintedBox(Render({{1, 0, 1000, 0, u"Shadow"}}));
    style_.shadow = 3;
    const QImage shadowed = Render({{1, 0, 1000, 0, u"Shadow"}});
    const QRect text = BoxOf(shadowed, kWhite);
    const QRect all = PaintedBox(shadowed);
    EXPECT_EQ(text, plain);
    EXPECT_EQ(all.right() - text.right(), 4);
    EXPECT_EQ(all.bottom() - text.bottom(), 3);
    EXPECT_EQ(all.topLeft(), text.topLeft());
    EXPECT_EQ(BoxWhere(shadowed, [](QRgb p) { return qAlpha(p) != 0 && p != kWhite && p != kBlue; }), QRect())
        << "only the text and back colours are drawn";
}

TEST_F(TPageRenderPixelTest, OpaqueBoxFillsTheTextCellAndNothingElse) {
    style_.borderStyle = 2;
    style_.outline = 3;
    style_.shadow = 3;
    const QImage image = Render({{1, 0, 1000, 0, u"Box"}});
    const QRect box = BoxOf(image, kBlue);
    ASSERT_TRUE(box.isValid());
    EXPECT_EQ(PaintedBox(image), box) << "no shadow or outline outside the box";
    EXPECT_TRUE(box.contains(BoxOf(image, kWhite)));
    EXPECT_EQ(CountOf(image, kBlue) + CountOf(image, kWhite), box.width() * box.height())
        << "the box is solid";
    EXPECT_EQ(box.bottom(), 240 - 10 - 1) << "its cell ends at the bottom margin";
}

TEST_F(TPageRenderPixelTest, MovedEventIsDrawnInTheSecondaryColourAndItsTagMakesItRed) {
    QImage image = Render({{1, 0, 1000, 0, u"first"}, {2, 0, 1000, 0, u"second"}});
    const QRect white = BoxOf(image, kWhite);
    const QRect yellow = BoxOf(image, kYellow);
    ASSERT_TRUE(white.isValid() && yellow.isValid());
    EXPECT_LT(yellow.bottom(), white.top()) << "the second event sits above the first";

    image = Render({{1, 0, 1000, 0, u"first"}, {2, 0, 1000, 0, u"{\\2c&H0000FF&}second"}});
    EXPECT_FALSE(BoxOf(image, kYellow).isValid());
    const QRect red = BoxOf(image, kRed);
    ASSERT_TRUE(red.isValid()) << "&H0000FF& is red in the blue-green-red order";
    EXPECT_LT(red.bottom(), BoxOf(image, kWhite).top());
}

TEST_F(TPageRenderPixelTest, NothingIsDrawnOutsideTheEventsInterval) {
    EXPECT_TRUE(PaintedBox(Render({{1, 1000, 2000, 0, u"later"}}, 999)).isEmpty());
    EXPECT_FALSE(PaintedBox(Render({{1, 1000, 2000, 0, u"later"}}, 1000)).isEmpty());
    EXPECT_TRUE(PaintedBox(Render({{1, 1000, 2000, 0, u"later"}}, 2000)).isEmpty());
}

TEST_F(TPageRenderPixelTest, MissingFontsFallBackAndTagsAreNotShownAsText) {
    SetFixedText(style_.fontName, kStyleFontNameUnits, u"No Such Face 9876");
    const QImage image = Render({{1, 0, 1000, 0, u"{\\blur3\\an8}x{\\clip(0,0,5,5)}"}});
    const QRect text = BoxOf(image, kWhite);
    ASSERT_TRUE(text.isValid());
    EXPECT_LT(text.width(), 40) << "one character, not the tags";
    EXPECT_LT(text.top(), 60) << "drawn at the top";
}

// A script resolution of 1 x 1 scales everything by hundreds; margins and positions at the ends of
// their ranges. Drawing stays inside the picture and the bounds it reports.
TEST_F(TPageRenderPixelTest, AbsurdScalesMarginsAndPositionsDrawWithoutFault) {
    style_.marginL = INT32_MAX;
    style_.marginR = INT32_MIN;
    style_.marginV = INT32_MAX;
    style_.outline = 30000;
    style_.shadow = 30000;
    Render({{1, 0, 1000, 0, u"{\\fs32767}big"},
            {2, 0, 1000, 0, u"{\\pos(32767,-32768)}far"},
            {3, 0, 1000, 0, u"{\\an5\\bord-5\\shad-7}middle"},
            {4, 0, 1000, 0, std::u16string(3000, u'w')}});
    for (TSubEvents* event = display_.CurrentBlock()->Events().Head; event != nullptr; event = event->Next) {
        TSubEventRecord* record = event->GetRecord();
        record->resX = 1;
        record->resY = 1;
    }
    display_.RenderAll(nullptr, false);
    display_.SetTime(0);
    QImage image(320, 240, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    plat::gdi::ImageDc dc(image);
    EXPECT_TRUE(display_.Paint(&dc, false, nullptr));
    const plat::gdi::Rect bounds = dc.PaintedBounds();
    EXPECT_GE(bounds.left, 0);
    EXPECT_GE(bounds.top, 0);
    EXPECT_LE(bounds.right, 320);
    EXPECT_LE(bounds.bottom, 240);
}

} // namespace
