#include "subtitles/model/TSubScreenControler.h"

#include <gtest/gtest.h>

namespace {

struct FitCase {
    TScreenSize screen;
    std::int32_t resX, resY;
    std::int32_t fittedWidth, fittedHeight;
    double scaleX, scaleY;
};

void PrintTo(const FitCase& c, std::ostream* os) {
    *os << c.resX << 'x' << c.resY << " on " << c.screen.width << 'x' << c.screen.height;
}

class TSubScreenControlerFit : public testing::TestWithParam<FitCase> {};

TEST_P(TSubScreenControlerFit, FitsTheScriptIntoTheScreen) {
    const FitCase& c = GetParam();
    TSubScreenControler mapping(c.screen);
    mapping.SetResolution(c.resX, c.resY);
    EXPECT_EQ(mapping.GetFittedScreen().width, c.fittedWidth);
    EXPECT_EQ(mapping.GetFittedScreen().height, c.fittedHeight);
    EXPECT_DOUBLE_EQ(mapping.GetScaleX(), c.scaleX);
    EXPECT_DOUBLE_EQ(mapping.GetScaleY(), c.scaleY);
}

INSTANTIATE_TEST_SUITE_P(
    Screens, TSubScreenControlerFit,
    testing::Values(
        // Equal ratios: the width is recomputed from the exact ratio, so the screen is filled.
        FitCase{{1024, 768}, 640, 480, 1024, 768, 0.625, 0.625},
        // Width ratio 2.0 below height ratio 2.133: the height is fitted.
        FitCase{{1280, 1024}, 640, 480, 1280, 960, 0.5, 0.5},
        // A wide script on a 4:3 screen, a tall one on a wide screen.
        FitCase{{1024, 768}, 1920, 1080, 1024, 576, 1.875, 1.875},
        FitCase{{1920, 1080}, 640, 480, 1440, 1080, 640.0 / 1440, 480.0 / 1080},
        // An unknown screen keeps the scales at 1.0.
        FitCase{{0, 0}, 640, 480, 0, 0, 1.0, 1.0}));

TEST(TSubScreenControler, ConstructsFor320By240) {
    TSubScreenControler mapping(TScreenSize{1024, 768});
    EXPECT_EQ(mapping.GetResX(), 320);
    EXPECT_EQ(mapping.GetResY(), 240);
    EXPECT_DOUBLE_EQ(mapping.GetScaleX(), 320.0 / 1024);
}

TEST(TSubScreenControler, UsesTheProcessPrimaryScreen) {
    TSubScreenControler::SetPrimaryScreenSize({1280, 1024});
    TSubScreenControler mapping;
    EXPECT_EQ(mapping.GetFittedScreen().width, 1280);
    EXPECT_EQ(mapping.GetFittedScreen().height, 960);
    TSubScreenControler::SetPrimaryScreenSize({0, 0});
}

TEST(TSubScreenControler, ZeroResolutionKeepsTheScales) {
    TSubScreenControler mapping(TScreenSize{1280, 1024});
    mapping.SetResolution(640, 480);
    mapping.SetResolution(640, 0);
    EXPECT_DOUBLE_EQ(mapping.GetAspect(), 1280.0 / 1024);
    EXPECT_DOUBLE_EQ(mapping.GetScaleX(), 0.5);
    EXPECT_DOUBLE_EQ(mapping.GetScaleY(), 0.5);
}

TEST(TSubScreenControler, RectanglesInScriptUnitsAndPixels) {
    TSubScreenControler mapping(TScreenSize{1280, 1024});
    mapping.SetAreaRect(10, 20, 320, 100);
    // The area's pixel size follows at the next ComputeRects, here through SetFrameRect.
    EXPECT_EQ(mapping.GetScreenWidth(false), 0);
    mapping.SetFrameRect(0, 0, 640, 480);
    EXPECT_EQ(mapping.GetScreenWidth(false), 640); // 320 units at 0.5
    EXPECT_EQ(mapping.GetScreenHeight(false), 200);
    EXPECT_EQ(mapping.GetScreenWidth(true), 1280);
    EXPECT_EQ(mapping.GetScreenHeight(true), 960);
    EXPECT_EQ(mapping.GetLeft(false), 20);
    EXPECT_EQ(mapping.GetTop(false), 10);
    EXPECT_EQ(mapping.GetLeft(true), 0);
    EXPECT_EQ(mapping.GetTop(true), 0);

    std::int32_t length = 33;
    mapping.ScriptToScreenX(length);
    EXPECT_EQ(length, 66);
    length = -33;
    mapping.ScriptToScreenY(length);
    EXPECT_EQ(length, -66);
}

TEST(TSubScreenControler, TruncatesTowardZero) {
    TSubScreenControler mapping(TScreenSize{1024, 768});
    mapping.SetResolution(700, 525); // scale 700 / 1024
    std::int32_t length = 100;
    mapping.ScriptToScreenX(length);
    EXPECT_EQ(length, 146); // 146.28...
}

TEST(TSubScreenControler, AssignCopiesEverything) {
    TSubScreenControler a(TScreenSize{1280, 1024});
    a.SetFrameRect(5, 6, 640, 480);
    a.SetAreaRect(1, 2, 3, 4);
    TSubScreenControler b(TScreenSize{100, 100});
    b.Assign(a);
    EXPECT_EQ(b.GetFittedScreen().width, 1280);
    EXPECT_EQ(b.GetLeft(true), 6);
    EXPECT_EQ(b.GetTop(false), 1);
    EXPECT_DOUBLE_EQ(b.GetScaleY(), a.GetScaleY());
    b.SetResolution(640, 480); // against the copied primary screen
    EXPECT_EQ(b.GetFittedScreen().height, 960);
}

} // namespace
