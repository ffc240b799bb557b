#include "LayoutFixture.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// Usable width: 640 less the style's margins of 10 = 620; a word of 5 letters is 50 pixels, a blank 10.
struct WrapCase {
    const char* what;
    std::u16string text;
    std::int32_t wrapStyle;
    std::string lines;
    std::int32_t width;
    std::int32_t height;
};

TEST(TTextLayoutTest, WrapStylesBreakLinesByTheirRules) {
    const WrapCase cases[] = {
        // 20 words: 1190 pixels, twice the usable width: two lines of ten words.
        {"equal width, twice as wide", Words(20, 5), 0,
         "aaaaa bbbbb ccccc ddddd eeeee fffff ggggg hhhhh iiiii jjjjj|kkkkk lllll mmmmm nnnnn ooooo ppppp "
         "qqqqq "
         "rrrrr sssss ttttt",
         590, 40},
        // 15 words: 890 pixels; equal width aims at 445 per line, filling takes what fits in 620.
        {"equal width, one and a half", Words(15, 5), 0,
         "aaaaa bbbbb ccccc ddddd eeeee fffff ggggg hhhhh|iiiii jjjjj kkkkk lllll mmmmm nnnnn ooooo", 470,
         40},
        {"equal width, style 3", Words(15, 5), 3,
         "aaaaa bbbbb ccccc ddddd eeeee fffff ggggg hhhhh|iiiii jjjjj kkkkk lllll mmmmm nnnnn ooooo", 470,
         40},
        {"filling", Words(15, 5), 1,
         "aaaaa bbbbb ccccc ddddd eeeee fffff ggggg hhhhh iiiii jjjjj|kkkkk lllll mmmmm nnnnn ooooo", 590,
         40},
        {"filling, soft break ignored", u"aaaaa\\nbbbbb", 1, "aaaaa bbbbb", 110, 20},
        {"filling, hard break", u"aaaaa\\Nbbbbb", 1, "aaaaa|bbbbb", 50, 40},
        {"style 4 breaks at soft breaks", u"aaaaa\\nbbbbb", 4, "aaaaa|bbbbb", 50, 40},
        {"no wrapping stays on one line", Words(15, 5), 2, std::string(), 890, 20},
        {"no wrapping breaks at both breaks", u"aa\\nbbb\\Ncccc", 2, "aa|bbb|cccc", 40, 60},
        {"two hard breaks give an empty line", u"aa\\N\\Nbb", 1, "aa||bb", 20, 60},
        {"unknown style leaves one unbroken line", Words(15, 5), 7, std::string(), 0, 0},
        {"one unbreakable word wider than the screen", std::u16string(100, u'x'), 0, std::string(100, 'x'),
         1000, 20},
        {"a tag inside a word moves with it",
         u"aaaaa aaaaa aaaaa aaaaa aaaaa aaaaa aaaaa aaaaa aaaaa aaaaa "
         u"aaa{\\b1}aaaaaa",
         1, "aaaaa aaaaa aaaaa aaaaa aaaaa aaaaa aaaaa aaaaa aaaaa aaaaa|aaaaaaaaa", 590, 40},
    };
    for (const WrapCase& test : cases) {
        SCOPED_TRACE(test.what);
        LayoutFixture layout;
        layout.LayOut(test.text, test.wrapStyle);
        if (!test.lines.empty()) {
            EXPECT_EQ(layout.Lines(), test.lines);
        } else {
            EXPECT_EQ(layout.Lines().find('|'), std::string::npos);
        }
        EXPECT_EQ(layout.Extent(), std::make_pair(test.width, test.height));
    }
}

TEST(TTextLayoutTest, FirstRunOfEachLineHoldsTheLineHeight) {
    LayoutFixture layout;
    layout.LayOut(u"aa{\\fs30}bb\\Ncc", 1);
    // The first line holds a 30-point word (40 pixels), the second only 30-point text too after the tag.
    const TTextRun* first = layout.event.GetRun(kFirstRun);
    EXPECT_EQ(first->height, 40);
    EXPECT_EQ(layout.Extent(), std::make_pair(60, 80));
}

TEST(TTextLayoutTest, WrapOverrideAppliesToOneLayoutOnly) {
    LayoutFixture layout;
    layout.LayOut(Words(15, 5), 2, 1);
    EXPECT_NE(layout.Lines().find('|'), std::string::npos);
    EXPECT_EQ(layout.event.GetTextRecord()->wrapStyle, 2);
}

TEST(TTextLayoutTest, ScalesComeFromTheScriptResolution) {
    struct Case {
        std::int32_t resX;
        std::int32_t resY;
        double scaleX;
        double scaleY;
        std::int32_t lineHeight; // 15 points x the vertical scale, truncated, at 96 pixels per inch
    };
    const Case cases[] = {{0, 0, 1.0, 1.0, 20},
                          {320, 240, 2.0, 2.0, 40},
                          {320, 0, 2.0, 2.0, 40},
                          {0, 960, 0.5, 0.5, 9},
                          {640, 240, 1.0, 2.0, 40}};
    for (const Case& test : cases) {
        SCOPED_TRACE(testing::Message() << test.resX << " x " << test.resY);
        LayoutFixture layout;
        layout.event.AttachRecord(nullptr);
        layout.event.GetTextRecord()->head.resX = test.resX;
        layout.event.GetTextRecord()->head.resY = test.resY;
        layout.event.SetText(u"ab", false);
        layout.event.BuildRuns();
        layout.event.SetStyleAndScreen(&layout.style, &layout.mapping);
        layout.event.LayoutWith(layout.pool, -1);
        EXPECT_DOUBLE_EQ(layout.event.GetScaleX(), test.scaleX);
        EXPECT_DOUBLE_EQ(layout.event.GetScaleY(), test.scaleY);
        EXPECT_EQ(layout.Extent().second, test.lineHeight);
    }
}

TEST(TTextLayoutTest, EffectiveMarginsScaleEventMarginsAndTakeStyleMarginsAsTheyAre) {
    LayoutFixture layout;
    layout.event.AttachRecord(nullptr);
    TTextEventRecord& record = *layout.event.GetTextRecord();
    record.head.resX = 320;
    record.head.resY = 240;
    record.marginL = 15;
    record.marginV = 7;
    layout.event.SetText(u"ab", false);
    layout.event.BuildRuns();
    layout.event.SetStyleAndScreen(&layout.style, &layout.mapping);
    layout.event.LayoutWith(layout.pool, -1);
    EXPECT_EQ(record.effectiveMarginL, 30);
    EXPECT_EQ(record.effectiveMarginR, 10);
    EXPECT_EQ(record.effectiveMarginV, 14);
    EXPECT_EQ(record.alignment, 2) << "the style's alignment is copied in";
}

TEST(TTextLayoutTest, AbsurdMarginsAndSizesLayOutWithoutOverflow) {
    for (const std::int32_t margin : {INT32_MAX, INT32_MIN, -100000}) {
        SCOPED_TRACE(margin);
        LayoutFixture layout;
        layout.style.marginL = margin;
        layout.style.marginR = margin;
        layout.LayOut(Words(5, 5), 0);
        const auto [width, height] = layout.Extent();
        EXPECT_GE(width, 50);
        EXPECT_GE(height, 20);
    }
    LayoutFixture huge;
    huge.style.fontSize = INT32_MAX;
    huge.LayOut(u"{\\fs32767}ab cd", 0);
    EXPECT_GE(huge.Extent().first, 0);
    EXPECT_GE(huge.Extent().second, 0);
}

TEST(TTextLayoutTest, AlignmentTagsStayThroughLayout) {
    LayoutFixture layout;
    layout.LayOut(u"{\\an8}top", 1);
    EXPECT_EQ(layout.event.GetTextRecord()->alignment, kOverrideTagBit + 6);
    layout.LayOut(u"{\\a9}x{\\blur3}y", 1);
    EXPECT_EQ(layout.event.GetTextRecord()->alignment, kOverrideTagBit + 9);
    EXPECT_EQ(layout.Lines(), "xy") << "\\blur is read, not shown";
}

TEST(TTextLayoutTest, MeasureLineStopsAtTheFirstLineEnd) {
    LayoutFixture layout;
    layout.LayOut(u"aa bbb\\Ncccc", 1);
    const TTextRun* first = layout.event.GetRun(kFirstRun);
    EXPECT_EQ(TTextLayout::MeasureLine(layout.event, first, false), 60);
    EXPECT_EQ(TTextLayout::MeasureLine(layout.event, first, true), 110);
}

} // namespace
