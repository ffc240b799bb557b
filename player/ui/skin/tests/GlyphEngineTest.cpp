// The glyph engine: frame counts from strip proportions, the frame each state draws, the greyed
// frames it makes for the disabled state, image lists shared by frame size, and the layout of glyph
// and caption.
#include "player/ui/skin/buttons/SkinColours.h"
#include "player/ui/skin/buttons/TButtonGlyph.h"
#include "player/ui/skin/buttons/TGlyphCache.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QRgb kFrameColours[5] = {qRgb(200, 0, 0), qRgb(0, 200, 0), qRgb(0, 0, 200), qRgb(200, 200, 0),
                               qRgb(0, 200, 200)};

// A strip of `frames` solid frames of 16 x 16 in the colours above.
QImage SolidStrip(int frames) {
    QImage strip(16 * frames, 16, QImage::Format_RGB32);
    for (int f = 0; f < frames; ++f) {
        QPainter(&strip).fillRect(QRect(16 * f, 0, 16, 16), QColor::fromRgb(kFrameColours[f]));
    }
    return strip;
}

QRgb Rgb(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFFu;
}

struct CountCase {
    int width;
    int height;
    int before;
    int expected;
};

class GlyphCountTable : public testing::TestWithParam<CountCase> {};

// Skins rely on this rule: a strip of five square frames counts as one frame until its frame count
// is given after it.
TEST_P(GlyphCountTable, FrameCountFromProportions) {
    TButtonGlyph glyph;
    glyph.SeTMyNumGlyphs(GetParam().before);
    QImage strip(GetParam().width, GetParam().height, QImage::Format_RGB32);
    strip.fill(Qt::gray);
    glyph.SetGlyph(strip);
    EXPECT_EQ(glyph.NumGlyphs(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Strips, GlyphCountTable,
                         testing::Values(CountCase{80, 16, 1, 1}, CountCase{64, 16, 1, 4},
                                         CountCase{50, 16, 3, 3}, CountCase{16, 16, 3, 1},
                                         CountCase{32, 16, 1, 2}, CountCase{96, 16, 2, 1}),
                         [](const testing::TestParamInfo<CountCase>& info) {
                             return std::to_string(info.param.width) + "x" +
                                    std::to_string(info.param.height) + "From" +
                                    std::to_string(info.param.before);
                         });

TEST(GlyphEngine, FiveFramesGivenAfterStripUseHoverFrame) {
    TButtonGlyph glyph;
    glyph.SetGlyph(SolidStrip(5));
    ASSERT_EQ(glyph.NumGlyphs(), 1);
    glyph.SeTMyNumGlyphs(5);
    EXPECT_EQ(Rgb(glyph.FrameImage(TMyButtonState::Hover), 8, 8), kFrameColours[4] & 0xFFFFFFu);
    glyph.SeTMyNumGlyphs(0);
    EXPECT_EQ(glyph.NumGlyphs(), 5);
}

struct FrameCase {
    int frames;
    TMyButtonState state;
    int expectedFrame;
};

class GlyphFrameTable : public testing::TestWithParam<FrameCase> {};

TEST_P(GlyphFrameTable, StateDrawsFrame) {
    TButtonGlyph glyph;
    glyph.SetGlyph(SolidStrip(GetParam().frames));
    glyph.SeTMyNumGlyphs(GetParam().frames);
    const QImage frame = glyph.FrameImage(GetParam().state);
    ASSERT_EQ(frame.size(), QSize(16, 16));
    EXPECT_EQ(Rgb(frame, 8, 8), kFrameColours[GetParam().expectedFrame] & 0xFFFFFFu);
}

INSTANTIATE_TEST_SUITE_P(
    States, GlyphFrameTable,
    testing::Values(FrameCase{2, TMyButtonState::Down, 0}, FrameCase{3, TMyButtonState::Down, 2},
                    FrameCase{2, TMyButtonState::Exclusive, 0}, FrameCase{4, TMyButtonState::Exclusive, 3},
                    FrameCase{4, TMyButtonState::Hover, 0}, FrameCase{5, TMyButtonState::Hover, 4},
                    FrameCase{1, TMyButtonState::Up, 0}),
    [](const testing::TestParamInfo<FrameCase>& info) {
        return std::to_string(info.param.frames) + "FramesState" +
               std::to_string(static_cast<int>(info.param.state));
    });

TEST(GlyphEngine, TwoFrameDisabledRecoloursFrameOne) {
    QImage strip(32, 16, QImage::Format_RGB32);
    strip.fill(qRgb(0x80, 0x80, 0x00));
    strip.setPixel(20, 2, qRgb(255, 255, 255));
    strip.setPixel(21, 2, qRgb(128, 128, 128));
    strip.setPixel(22, 2, qRgb(0, 0, 0));
    strip.setPixel(23, 2, qRgb(10, 20, 30));
    TButtonGlyph glyph;
    glyph.SetGlyph(strip);
    const QImage frame = glyph.FrameImage(TMyButtonState::Disabled);
    EXPECT_EQ(Rgb(frame, 4, 2), SkinColours::ToQColor(skincolour::kBtnHighlight).rgb() & 0xFFFFFFu);
    EXPECT_EQ(Rgb(frame, 5, 2), SkinColours::ToQColor(skincolour::kBtnShadow).rgb() & 0xFFFFFFu);
    EXPECT_EQ(Rgb(frame, 6, 2), SkinColours::ToQColor(skincolour::kBtnFace).rgb() & 0xFFFFFFu);
    EXPECT_EQ(Rgb(frame, 7, 2), qRgb(10, 20, 30) & 0xFFFFFFu);
    // The bottom-left colour is the frame's transparent colour.
    EXPECT_EQ(qAlpha(frame.pixel(0, 15)), 0);
}

TEST(GlyphEngine, OneFrameDisabledIsEmbossed) {
    QImage strip(16, 16, QImage::Format_RGB32);
    strip.fill(qRgb(0x80, 0x80, 0x00));
    QPainter(&strip).fillRect(QRect(4, 4, 4, 4), Qt::black);
    TButtonGlyph glyph;
    glyph.SetGlyph(strip);
    const QImage frame = glyph.FrameImage(TMyButtonState::Disabled);
    const QRgb shadow = SkinColours::ToQColor(skincolour::kBtnShadow).rgb() & 0xFFFFFFu;
    const QRgb highlight = SkinColours::ToQColor(skincolour::kBtnHighlight).rgb() & 0xFFFFFFu;
    EXPECT_EQ(Rgb(frame, 4, 4), shadow);
    EXPECT_EQ(Rgb(frame, 7, 7), shadow);
    EXPECT_EQ(Rgb(frame, 8, 8), highlight);
    EXPECT_EQ(Rgb(frame, 8, 5), highlight);
    // The face around it is the transparent colour of the synthesised frame.
    EXPECT_EQ(qAlpha(frame.pixel(12, 12)), 0);
}

TEST(GlyphEngine, TransparentStripMasksBottomLeftColour) {
    QImage strip = SolidStrip(1);
    strip.setPixel(8, 8, qRgb(1, 2, 3));
    TButtonGlyph glyph;
    glyph.SetGlyph(strip);
    EXPECT_EQ(qAlpha(glyph.FrameImage(TMyButtonState::Up).pixel(0, 0)), 255);
    glyph.SetTransparent(true);
    const QImage masked = glyph.FrameImage(TMyButtonState::Up);
    EXPECT_EQ(qAlpha(masked.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(masked.pixel(8, 8)), 255);
    // A fixed colour masks that colour instead.
    glyph.SetFixedTransparentColour(QColor(1, 2, 3));
    const QImage fixed = glyph.FrameImage(TMyButtonState::Up);
    EXPECT_EQ(qAlpha(fixed.pixel(0, 0)), 255);
    EXPECT_EQ(qAlpha(fixed.pixel(8, 8)), 0);
}

TEST(GlyphEngine, EqualFrameSizesShareOneListFreedWithLastSlot) {
    auto first = std::make_unique<TButtonGlyph>();
    auto second = std::make_unique<TButtonGlyph>();
    auto other = std::make_unique<TButtonGlyph>();
    first->SetGlyph(SolidStrip(2));
    second->SetGlyph(SolidStrip(1));
    QImage big(20, 20, QImage::Format_RGB32);
    big.fill(Qt::blue);
    other->SetGlyph(big);
    first->CreateButtonGlyph(TMyButtonState::Up);
    first->CreateButtonGlyph(TMyButtonState::Disabled);
    second->CreateButtonGlyph(TMyButtonState::Up);
    other->CreateButtonGlyph(TMyButtonState::Up);
    EXPECT_EQ(TGlyphCache::Instance().ListCount(), 2u);
    first->Invalidate();
    EXPECT_EQ(TGlyphCache::Instance().ListCount(), 2u);
    second->Invalidate();
    EXPECT_EQ(TGlyphCache::Instance().ListCount(), 1u);
    first.reset();
    second.reset();
    other.reset();
    EXPECT_FALSE(TGlyphCache::Exists());
}

struct LayoutCase {
    const char* name;
    TGlyphDrawArgs args;
    QSize client;
    QSize glyph;
    QSize text;
    QPoint glyphAt;
    QPoint textAt;
};

TGlyphDrawArgs Args(TMyButtonLayout layout, int margin, int spacing) {
    TGlyphDrawArgs args;
    args.layout = layout;
    args.margin = margin;
    args.spacing = spacing;
    return args;
}

TGlyphDrawArgs Absolute(TMyButtonLayout layout, int x, int y) {
    TGlyphDrawArgs args = Args(layout, -1, 4);
    args.textAbsolute = true;
    args.textX = x;
    args.textY = y;
    return args;
}

TGlyphDrawArgs RightToLeft(TGlyphDrawArgs args) {
    args.rightToLeft = true;
    return args;
}

class GlyphLayoutTable : public testing::TestWithParam<LayoutCase> {};

TEST_P(GlyphLayoutTable, PlacesGlyphAndText) {
    TGlyphDrawArgs args = GetParam().args;
    args.client = QRect(QPoint(0, 0), GetParam().client);
    const TGlyphPlacement placement =
        TButtonGlyph::PlaceGlyphAndText(args, GetParam().glyph, GetParam().text);
    EXPECT_EQ(placement.glyph, GetParam().glyphAt);
    EXPECT_EQ(placement.text.topLeft(), GetParam().textAt);
    EXPECT_EQ(placement.text.size(), GetParam().text);
}

const QSize kClient(50, 22);
const QSize kGlyph(16, 16);
const QSize kText(20, 13);

INSTANTIATE_TEST_SUITE_P(Layouts, GlyphLayoutTable,
                         testing::Values(LayoutCase{"LeftCentredMargin",
                                                    Args(TMyButtonLayout::GlyphLeft, -1, 4),
                                                    kClient,
                                                    kGlyph,
                                                    kText,
                                                    {5, 3},
                                                    {25, 5}},
                                         LayoutCase{"AbsoluteText",
                                                    Absolute(TMyButtonLayout::GlyphLeft, 8, -1),
                                                    kClient,
                                                    kGlyph,
                                                    kText,
                                                    {0, 3},
                                                    {8, 5}},
                                         LayoutCase{"AbsoluteBottomLikeTop",
                                                    Absolute(TMyButtonLayout::GlyphBottom, -1, -1),
                                                    kClient,
                                                    kGlyph,
                                                    kText,
                                                    {17, 0},
                                                    {15, 5}},
                                         LayoutCase{"RightFixedMargin",
                                                    Args(TMyButtonLayout::GlyphRight, 2, 3),
                                                    kClient,
                                                    kGlyph,
                                                    kText,
                                                    {32, 3},
                                                    {9, 5}},
                                         LayoutCase{"RightToLeftSwapsLeft",
                                                    RightToLeft(Args(TMyButtonLayout::GlyphLeft, 2, 3)),
                                                    kClient,
                                                    kGlyph,
                                                    kText,
                                                    {32, 3},
                                                    {9, 5}},
                                         LayoutCase{"MarginAndSpacingCentred",
                                                    Args(TMyButtonLayout::GlyphLeft, -1, -1),
                                                    kClient,
                                                    kGlyph,
                                                    kText,
                                                    {4, 3},
                                                    {24, 5}},
                                         LayoutCase{"SpacingCentred",
                                                    Args(TMyButtonLayout::GlyphLeft, 3, -1),
                                                    kClient,
                                                    kGlyph,
                                                    kText,
                                                    {3, 3},
                                                    {24, 5}},
                                         LayoutCase{"NoTextNoSpacing",
                                                    Args(TMyButtonLayout::GlyphLeft, -1, 4),
                                                    kClient,
                                                    kGlyph,
                                                    QSize(0, 0),
                                                    {17, 3},
                                                    {33, 11}},
                                         LayoutCase{"TopLayout",
                                                    Args(TMyButtonLayout::GlyphTop, -1, 4),
                                                    QSize(40, 40),
                                                    kGlyph,
                                                    kText,
                                                    {12, 4},
                                                    {10, 24}}),
                         [](const testing::TestParamInfo<LayoutCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(GlyphLayout, ClientCornerAndPressOffsetMoveBoth) {
    TGlyphDrawArgs args = Args(TMyButtonLayout::GlyphLeft, -1, 4);
    args.client = QRect(2, 2, 50, 22);
    args.pressOffset = QPoint(1, 1);
    const TGlyphPlacement placement = TButtonGlyph::PlaceGlyphAndText(args, kGlyph, kText);
    EXPECT_EQ(placement.glyph, QPoint(8, 6));
    EXPECT_EQ(placement.text.topLeft(), QPoint(28, 8));
}

} // namespace
