// The video layout: fitting, the screen's aspect (4:3 and 16:9), the modes, position and size, the
// windowless display and subtitle rectangles, and blanking margins against the gaps around them.
#include "core/src/layout/TVideoLayout.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <ostream>
#include <random>
#include <string>
#include <vector>

using plat::win::RECT;

namespace plat::win {
// Found by argument lookup from inside the test framework.
static bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

static std::ostream& operator<<(std::ostream& out, const RECT& r) {
    return out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}
} // namespace plat::win

namespace {

// The settings a case changes from the defaults, named as they are set: Settings().Mode(1).Blank(...).
struct Settings {
    std::uint32_t mode = 0;
    bool apply = false;
    std::optional<RECT> position;            // left, top, width, height
    std::optional<std::array<int, 4>> blank; // left, top, right, bottom

    Settings& Mode(std::uint32_t value) {
        mode = value;
        return *this;
    }
    Settings& Apply() {
        apply = true;
        return *this;
    }
    Settings& Position(RECT value) {
        position = value;
        return *this;
    }
    Settings& Blank(std::array<int, 4> value) {
        blank = value;
        return *this;
    }
};

TVideoLayoutSettings Make(const Settings& s) {
    TVideoLayoutSettings settings;
    settings.aspect[0] = s.mode;
    if (s.position) {
        settings.aspect[8] = 1;
        settings.aspect[9] = static_cast<std::uint32_t>(s.position->left);
        settings.aspect[10] = static_cast<std::uint32_t>(s.position->top);
        settings.aspect[11] = static_cast<std::uint32_t>(s.position->right);
        settings.aspect[12] = static_cast<std::uint32_t>(s.position->bottom);
    }
    if (s.blank) {
        settings.aspect[13] = 1;
        for (std::size_t i = 0; i < 4; ++i) {
            settings.aspect[14 + i] = static_cast<std::uint32_t>((*s.blank)[i]);
        }
    }
    settings.apply = s.apply ? 1 : 0;
    return settings;
}

TVideoLayout::TInput Input(TScreenSize box, TScreenSize window, TScreenSize screen, bool windowless = false,
                           TScreenSize native = {720, 576}) {
    TVideoLayout::TInput input;
    input.sizes = {native, box, window};
    input.sizesKnown = true;
    input.screen = screen;
    input.windowless = windowless;
    return input;
}

const RECT kZero{0, 0, 0, 0};

// A case states what differs from a 16:9 picture letter-boxed in an 800 x 600 window of a 4:3 screen.
struct Case {
    std::string name;
    TVideoLayout::TInput input = Input({16, 9}, {800, 600}, {1024, 768});
    Settings settings;
    TScreenSize fitted{800, 450};
    TScreenSize adjusted{800, 600};
    RECT outer{0, 0, 800, 600};
    RECT picture{0, 75, 800, 525};
    RECT clipped{0, 0, 800, 600};
    RECT subtitle{0, 0, 800, 600};
    RECT display = kZero;
    RECT frame = kZero;
};

class VideoLayoutTable : public testing::TestWithParam<Case> {};

TEST_P(VideoLayoutTable, GivesTheRectangles) {
    const Case& c = GetParam();
    TVideoLayout layout;
    ASSERT_TRUE(layout.Compute(c.input, Make(c.settings)));
    EXPECT_EQ(layout.fitted.width, c.fitted.width);
    EXPECT_EQ(layout.fitted.height, c.fitted.height);
    EXPECT_EQ(layout.adjusted.width, c.adjusted.width);
    EXPECT_EQ(layout.adjusted.height, c.adjusted.height);
    EXPECT_EQ(layout.outer, c.outer);
    EXPECT_EQ(layout.pictureRect, c.picture);
    EXPECT_EQ(layout.clipped, c.clipped);
    EXPECT_EQ(layout.subtitle, c.subtitle);
    EXPECT_EQ(layout.display, c.display);
    EXPECT_EQ(layout.blankingFrame, c.frame);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, VideoLayoutTable,
    testing::Values(
        Case{.name = "LetterBoxOn43Screen"},
        // Mode 3 takes the picture's own size, whatever the window.
        Case{.name = "NoScaleUsesThePictureSize",
             .input = Input({4, 3}, {800, 600}, {1024, 768}, false, {320, 240}),
             .settings = Settings().Mode(3),
             .fitted = {320, 240},
             .adjusted = {320, 240},
             .outer = {240, 180, 560, 420},
             .picture = {240, 180, 560, 420},
             .clipped = {240, 180, 560, 420},
             .subtitle = {240, 180, 560, 420}},
        // A 16:9 screen widens a box wider than tall to its own aspect; the outer rectangle then
        // reaches past the window and is clipped.
        Case{.name = "WideScreenWidens",
             .input = Input({4, 3}, {800, 600}, {1920, 1080}),
             .fitted = {800, 600},
             .adjusted = {1066, 600},
             .outer = {-133, 0, 933, 600},
             .picture = {0, 0, 800, 600}},
        // A 16:10 screen is no 16:9 one: a box wider than tall keeps its width and takes the screen's
        // aspect in height, which letter-boxes a 4:3 picture inside it.
        Case{.name = "SixteenByTenScreenNarrowsTheBox",
             .input = Input({4, 3}, {800, 600}, {1680, 1050}),
             .fitted = {800, 600},
             .adjusted = {800, 500},
             .outer = {0, 50, 800, 550},
             .picture = {67, 50, 733, 550},
             .clipped = {0, 50, 800, 550},
             .subtitle = {0, 50, 800, 550}},
        // Windowless, the screen's shape does not touch the window's fit, 16:10 or not.
        Case{.name = "WindowlessOnASixteenByTenScreen",
             .input = Input({16, 9}, {800, 600}, {1680, 1050}, true),
             .adjusted = {800, 450},
             .outer = {0, 75, 800, 525},
             .clipped = {0, 0, 800, 450},
             .subtitle = {0, 0, 800, 450},
             .display = {0, 0, 800, 450},
             .frame = {0, 0, 800, 450}},
        // Only the low byte of the mode counts: 0x100 is letter box.
        Case{.name = "ModeLowByte", .settings = Settings().Mode(0x100)},
        // Stretched: the fit follows the screen's aspect; the blanking frame is the outer rectangle.
        Case{.name = "StretchedFrameIsOuter",
             .settings = Settings().Mode(1).Blank({8, 8, 8, 8}),
             .fitted = {800, 600},
             .frame = {8, 8, 792, 592}},
        // The apply flag gives the subtitles the picture rectangle.
        Case{.name = "ApplyGivesSubtitlesThePicture",
             .settings = Settings().Apply(),
             .subtitle = {0, 75, 800, 525}},
        // Position and size wider than the screen: the outer rectangle leaves the window sideways only,
        // so the subtitle rectangle is narrowed on that axis alone and keeps its own top and bottom.
        Case{.name = "PositionNarrowsOneAxis",
             .input = Input({4, 3}, {800, 600}, {800, 600}),
             .settings = Settings().Position({-100, 50, 1000, 500}),
             .fitted = {800, 600},
             .outer = {-100, 50, 900, 550},
             .picture = {67, 50, 733, 550},
             .clipped = {0, 50, 800, 550},
             .subtitle = {0, 50, 800, 550}},
        // Windowless: the display and subtitle rectangles start at the origin, the size of the picture;
        // the picture's box is the window's fit, not brought to the screen's shape.
        Case{.name = "WindowlessAtOrigin",
             .input = Input({16, 9}, {800, 600}, {1024, 768}, true),
             .settings = Settings().Blank({100, 100, 100, 100}),
             .adjusted = {800, 450},
             .outer = {0, 75, 800, 525},
             .clipped = {0, 0, 800, 450},
             .subtitle = {0, 0, 800, 450},
             .display = {0, 0, 800, 450},
             .frame = {78, 78, 722, 372}},
        // Windowless, a square picture on a wide screen: it fills the window's height.
        Case{.name = "WindowlessSquareOnAWideScreen",
             .input = Input({1, 1}, {800, 600}, {1920, 1080}, true),
             .settings = Settings(),
             .fitted = {600, 600},
             .adjusted = {600, 600},
             .outer = {100, 0, 700, 600},
             .picture = {100, 0, 700, 600},
             .clipped = {0, 0, 600, 600},
             .subtitle = {0, 0, 600, 600},
             .display = {0, 0, 600, 600},
             .frame = {0, 0, 600, 600}},
        // Windowless and stretched: the display is taller than the picture; margins larger than the gap
        // above and below the subtitle rectangle shrink the frame by the excess only.
        Case{.name = "WindowlessMarginsLoseTheGap",
             .input = Input({16, 9}, {800, 600}, {1024, 768}, true),
             .settings = Settings().Mode(1).Blank({0, 100, 0, 50}),
             .fitted = {800, 600},
             .clipped = {0, 75, 800, 525},
             .subtitle = {0, 75, 800, 525},
             .display = {0, 0, 800, 600},
             .frame = {0, 3, 800, 450}}),
    [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

TEST(VideoLayout, FitFollowsTheLongerSide) {
    struct Row {
        double ratio;
        int w, h, fw, fh;
    };
    for (const Row& row : std::vector<Row>{{16.0 / 9, 800, 600, 800, 450},
                                           {4.0 / 3, 800, 600, 800, 600},
                                           {2.0, 600, 800, 600, 300},
                                           {0.5, 600, 800, 400, 800},
                                           {1.0, 100, 100, 100, 100}}) {
        const std::optional<TScreenSize> fit = TVideoLayout::Fit(row.ratio, row.w, row.h);
        ASSERT_TRUE(fit);
        EXPECT_EQ(fit->width, row.fw) << row.ratio;
        EXPECT_EQ(fit->height, row.fh) << row.ratio;
    }
    EXPECT_FALSE(TVideoLayout::Fit(0.0, 800, 600));
}

// A failed computation leaves the cleared record, not the previous layout.
TEST(VideoLayout, ZeroSizesFailAndClearTheLayout) {
    for (const TVideoLayout::TInput& bad :
         {Input({16, 9}, {0, 600}, {1024, 768}), Input({16, 0}, {800, 600}, {1024, 768}),
          Input({16, 9}, {800, 600}, {1024, 768}, false, {0, 576}), Input({16, 9}, {800, 600}, {0, 0})}) {
        TVideoLayout layout;
        ASSERT_TRUE(layout.Compute(Input({16, 9}, {800, 600}, {1024, 768}), {}));
        ASSERT_EQ(layout.pictureRect, (RECT{0, 75, 800, 525}));
        EXPECT_FALSE(layout.Compute(bad, {}));
        EXPECT_EQ(layout.pictureRect, RECT{});
        EXPECT_EQ(layout.outer, RECT{});
        EXPECT_EQ(layout.subtitle, RECT{});
        EXPECT_EQ(layout.clipped, RECT{});
        EXPECT_EQ(layout.window.width, 0);
        EXPECT_EQ(layout.scale, 0.0);
    }
}

// An engine that cannot tell its picture gives the screen's size in its place.
TEST(VideoLayout, UnknownSizesTakeTheScreen) {
    TVideoLayout::TInput input = Input({0, 0}, {800, 600}, {1024, 768}, false, {0, 0});
    input.sizesKnown = false;
    TVideoLayout layout;
    ASSERT_TRUE(layout.Compute(input, {}));
    EXPECT_EQ(layout.picture.width, 1024);
    EXPECT_DOUBLE_EQ(layout.videoAspect, 1024.0 / 768);
    EXPECT_EQ(layout.pictureRect, (RECT{0, 0, 800, 600}));
}

// Settings at the ends of the 32-bit range lay out without overflowing (run under UBSan too).
TEST(VideoLayout, AbsurdSettingsStayInRange) {
    const std::int32_t extremes[] = {INT32_MIN, -1, 0, INT32_MAX};
    for (const std::int32_t value : extremes) {
        for (const bool windowless : {false, true}) {
            const Settings settings =
                Settings().Mode(1).Position({value, value, value, value}).Blank({value, value, value, value});
            TVideoLayout layout;
            ASSERT_TRUE(
                layout.Compute(Input({16, 9}, {INT32_MAX, 1}, {1, INT32_MAX}, windowless), Make(settings)));
            for (const RECT& r : {layout.outer, layout.pictureRect, layout.clipped, layout.subtitle,
                                  layout.display, layout.blankingFrame}) {
                EXPECT_LE(std::abs(std::int64_t{r.right} - r.left), std::int64_t{1} << 30) << value;
                EXPECT_LE(std::abs(std::int64_t{r.bottom} - r.top), std::int64_t{1} << 30) << value;
            }
        }
    }
}

// Over many random geometries the picture lies in the outer rectangle at the video's aspect.
TEST(VideoLayout, PictureStaysInsideOuterAtItsAspect) {
    std::mt19937 random(11);
    std::uniform_int_distribution<int> side(1, 4000);
    std::uniform_int_distribution<int> mode(0, 4);
    for (int i = 0; i < 20000; ++i) {
        const TScreenSize box{side(random), side(random)};
        TVideoLayout layout;
        ASSERT_TRUE(layout.Compute(Input(box, {side(random), side(random)}, {side(random), side(random)},
                                         (i & 1) != 0, {side(random), side(random)}),
                                   Make(Settings().Mode(static_cast<std::uint32_t>(mode(random))))));
        const RECT& p = layout.pictureRect;
        const RECT& o = layout.outer;
        ASSERT_GE(p.left, o.left);
        ASSERT_GE(p.top, o.top);
        ASSERT_LE(p.right, o.right);
        ASSERT_LE(p.bottom, o.bottom);
        const int width = p.right - p.left;
        const int height = p.bottom - p.top;
        // One side is the outer side; the other is the aspect's share of it, cut.
        const bool fullWidth = width == o.right - o.left;
        const double expected = fullWidth ? width / layout.videoAspect : height * layout.videoAspect;
        ASSERT_LE(std::fabs((fullWidth ? height : width) - expected), 1.0) << i;
    }
}

} // namespace
