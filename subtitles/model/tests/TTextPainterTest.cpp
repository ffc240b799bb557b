#include "subtitles/model/TTextPainter.h"
#include "LayoutFixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Offset = TTextPainter::Offset;
using Call = FixedAdvanceDc::TextCall;

std::vector<std::pair<int, int>> Pairs(std::span<const Offset> offsets) {
    std::vector<std::pair<int, int>> pairs;
    for (const Offset& offset : offsets) {
        pairs.emplace_back(offset.x, offset.y);
    }
    return pairs;
}

TEST(TTextPainterTest, DiscPatternsHaveTheirCountsRowByRow) {
    const std::size_t counts[] = {8, 20, 36, 60, 88};
    for (std::int32_t width = 1; width <= 5; ++width) {
        const std::span<const Offset> offsets = TTextPainter::DiscOffsets(width);
        EXPECT_EQ(offsets.size(), counts[width - 1]) << width;
        EXPECT_TRUE(std::is_sorted(offsets.begin(), offsets.end(), [](const Offset& a, const Offset& b) {
            return a.y != b.y ? a.y < b.y : a.x < b.x;
        }));
    }
    EXPECT_EQ(Pairs(TTextPainter::DiscOffsets(1)),
              (std::vector<std::pair<int, int>>{
                  {-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}}));
    EXPECT_TRUE(TTextPainter::DiscOffsets(0).empty());
    EXPECT_TRUE(TTextPainter::DiscOffsets(6).empty());
}

TEST(TTextPainterTest, EightCopyPatternsByWidth) {
    using P = std::vector<std::pair<int, int>>;
    EXPECT_EQ(Pairs(TTextPainter::EightCopyOffsets(1)),
              (P{{-1, 0}, {1, 0}, {0, -1}, {0, 1}, {-1, -1}, {1, -1}, {-1, 1}, {1, 1}}));
    EXPECT_EQ(Pairs(TTextPainter::EightCopyOffsets(2)), (P{{-2, 0},
                                                           {2, 0},
                                                           {0, -2},
                                                           {0, 2},
                                                           {-1, -2},
                                                           {1, -2},
                                                           {-1, 2},
                                                           {1, 2},
                                                           {-1, -1},
                                                           {1, -1},
                                                           {-1, 1},
                                                           {1, 1}}));
    EXPECT_EQ(Pairs(TTextPainter::EightCopyOffsets(3)),
              (P{{-3, 0}, {3, 0}, {0, -3}, {0, 3}, {-2, -3}, {2, -3}, {-2, 3}, {2, 3}}));
}

struct EffectCase {
    const char* what;
    std::int32_t border;
    std::int32_t outline;
    std::int32_t shadow;
    TDrawOverrides overrides;
    std::size_t backCopies; // calls in the back colour
    std::int32_t penWidth;  // of a stroked path, else 0
    bool opaque;
};

TEST(TTextPainterTest, BorderStylesOutlineMethodsAndOverrides) {
    const TDrawOverrides none;
    const EffectCase cases[] = {
        {"opaque box ignores shadow and outline", 2, 3, 4, none, 0, 0, true},
        {"plain", 0, 3, 4, none, 0, 0, false},
        {"disc width 2 and shadow 3", 1, 2, 3, none, 20 + 6, 0, false},
        {"width 6 is always stroked", 1, 6, 0, {kOutlineEightCopies, -1, -1}, 0, 13, false},
        {"width 6 is stroked with no-outline method", 1, 6, 0, {kOutlineNone, -1, -1}, 0, 13, false},
        {"width 7 is stroked with another method", 1, 7, 1, {9, -1, -1}, 2, 15, false},
        {"overridden width 6 is stroked", 1, 2, 0, {kOutlineNone, 6, -1}, 0, 13, false},
        {"stroked by method", 1, 2, 0, {kOutlineStrokedPath, -1, -1}, 0, 5, false},
        {"no outline by method", 1, 2, 1, {kOutlineNone, -1, -1}, 2, 0, false},
        {"eight copies width 3", 1, 3, 0, {kOutlineEightCopies, -1, -1}, 8, 0, false},
        {"eight copies width 5 is the disc", 1, 5, 0, {kOutlineEightCopies, -1, -1}, 88, 0, false},
        {"overridden width and depth", 1, 5, 5, {kOutlineDiscPattern, 1, 0}, 8, 0, false},
        {"method 0 draws the disc", 1, 1, 0, {0, -1, -1}, 8, 0, false},
    };
    for (const EffectCase& test : cases) {
        SCOPED_TRACE(test.what);
        FixedAdvanceDc dc(10, 20);
        TTextPainter::DrawTextWithEffects(dc, 100, 50, u"Hi", 0x0000FF, 0x00FF00, test.outline, test.shadow,
                                          test.border, test.overrides);
        const std::vector<Call>& calls = dc.TextCalls();
        ASSERT_FALSE(calls.empty());
        const Call& last = calls.back();
        EXPECT_EQ(last.colour, 0x0000FFu) << "the text comes last, in the text colour";
        EXPECT_EQ(std::make_pair(last.x, last.y), std::make_pair(100, 50));
        EXPECT_EQ(last.opaque, test.opaque);
        const auto back =
            std::count_if(calls.begin(), calls.end(), [](const Call& c) { return c.colour == 0x00FF00u; });
        EXPECT_EQ(static_cast<std::size_t>(back), test.backCopies);
        const auto stroked =
            std::find_if(calls.begin(), calls.end(), [](const Call& c) { return c.penWidth != 0; });
        EXPECT_EQ(stroked == calls.end() ? 0 : stroked->penWidth, test.penWidth);
        if (stroked != calls.end()) {
            EXPECT_EQ(stroked->penColour, 0x00FF00u);
        }
    }
}

TEST(TTextPainterTest, ShadowCopiesGoDownAndRightByTheDepth) {
    FixedAdvanceDc dc(10, 20);
    TTextPainter::DrawTextWithEffects(dc, 0, 0, u"x", 1, 2, 0, 2, 1, TDrawOverrides{});
    std::vector<std::pair<int, int>> shadow;
    for (const Call& call : dc.TextCalls()) {
        if (call.colour == 2) {
            shadow.emplace_back(call.x, call.y);
        }
    }
    EXPECT_EQ(shadow, (std::vector<std::pair<int, int>>{{1, 1}, {2, 1}, {2, 2}, {3, 2}}));
}

TEST(TTextPainterTest, EffectsScaleUpAndNeverVanish) {
    EXPECT_EQ(TTextPainter::ScaledEffect(0, 3.0), 0);
    EXPECT_EQ(TTextPainter::ScaledEffect(2, 0.1), 1);
    EXPECT_EQ(TTextPainter::ScaledEffect(2, 1.5), 3);
    EXPECT_EQ(TTextPainter::ScaledEffect(-3, 1.0), 0);
    EXPECT_EQ(TTextPainter::ScaledEffect(30000, 1000.0), TTextPainter::kMaxEffectPixels);
}

struct ColourCase {
    const char* what;
    std::u16string text;
    std::int32_t colourIndex;
    std::uint32_t expected;
};

TEST(TTextPainterTest, ColourIndexPicksTheStyleColourAndTagsNamingItChangeIt) {
    const ColourCase cases[] = {
        {"primary", u"x", 0, 0xFFFFFF},
        {"moved once: secondary", u"x", 1, 0x00FFFF},
        {"moved twice: tertiary", u"x", 2, 0xFF00FF},
        {"moved often: tertiary", u"x", 7, 0xFF00FF},
        {"\\2c recolours a moved event (BGR: red)", u"{\\2c&H0000FF&}x", 1, 0x0000FF},
        {"\\2c leaves an unmoved event", u"{\\2c&H0000FF&}x", 0, 0xFFFFFF},
        {"\\1c recolours an unmoved event", u"{\\1c&H0000FF&}x", 0, 0x0000FF},
        {"\\c recolours any", u"{\\c&HFF0000&}x", 2, 0xFF0000},
        {"\\r restores the chosen colour", u"{\\c&HFF0000&\\r}x", 1, 0x00FFFF},
    };
    for (const ColourCase& test : cases) {
        SCOPED_TRACE(test.what);
        LayoutFixture layout;
        layout.style.borderStyle = 0;
        layout.LayOut(test.text, 1);
        TFontPool pool(&layout.dc);
        TTextPainter::DrawRuns(layout.event, layout.dc, 0, 0, test.colourIndex, pool, 1.0);
        ASSERT_EQ(layout.dc.TextCalls().size(), 1u);
        EXPECT_EQ(layout.dc.TextCalls().back().colour, test.expected);
    }
}

TEST(TTextPainterTest, LinesStackFromTheBottomOfEachAndAlignWithinTheWidest) {
    LayoutFixture layout;
    layout.style.borderStyle = 0;
    layout.style.alignment = 2; // centred
    layout.LayOut(u"aaaa\\Nbb", 1);
    TFontPool pool(&layout.dc);
    TTextPainter::DrawRuns(layout.event, layout.dc, 100, 10, 0, pool, 1.0);
    const std::vector<Call>& calls = layout.dc.TextCalls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(std::make_tuple(calls[0].x, calls[0].y), std::make_tuple(100, 30));
    EXPECT_EQ(std::make_tuple(calls[1].x, calls[1].y), std::make_tuple(110, 50));

    layout.dc.ClearCalls();
    layout.style.alignment = 3; // right
    layout.LayOut(u"aaaa\\Nbb", 1);
    TTextPainter::DrawRuns(layout.event, layout.dc, 100, 10, 0, pool, 1.0);
    EXPECT_EQ(layout.dc.TextCalls()[1].x, 120);
}

TEST(TTextPainterTest, SizeTagsFollowTheFontScale) {
    for (const double scale : {1.0, 0.5}) {
        LayoutFixture layout;
        layout.style.borderStyle = 0;
        layout.LayOut(u"{\\fs30}x", 1);
        TFontPool pool(&layout.dc);
        TTextPainter::DrawRuns(layout.event, layout.dc, 0, 0, 0, pool, scale);
        // 30 points is 40 pixels; at half scale 15 points, 20 pixels.
        EXPECT_EQ(layout.dc.TextCalls().back().fontPixels, scale == 1.0 ? 40 : 20);
    }
}

TEST(TTextPainterTest, EventWithoutStyleOrRunsDrawsNothing) {
    LayoutFixture layout;
    layout.event.AttachRecord(nullptr);
    TFontPool pool(&layout.dc);
    TTextPainter::DrawRuns(layout.event, layout.dc, 0, 0, 0, pool, 1.0);
    layout.event.SetText(u"x", false);
    layout.event.BuildRuns();
    TTextPainter::DrawRuns(layout.event, layout.dc, 0, 0, 0, pool, 1.0);
    EXPECT_TRUE(layout.dc.TextCalls().empty());
}

} // namespace
