#include "platform/gdi/Region.h"

#include <gtest/gtest.h>

using plat::gdi::Rect;
using plat::gdi::Region;

namespace {

// Whether the region holds exactly the pixels `inside` says, over a 40 x 40 window.
template <class Inside> void ExpectPixels(const Region& region, Inside inside) {
    std::int64_t count = 0;
    for (int y = -5; y < 35; ++y) {
        for (int x = -5; x < 35; ++x) {
            ASSERT_EQ(region.Contains(x, y), inside(x, y)) << x << ", " << y;
            count += inside(x, y) ? 1 : 0;
        }
    }
    EXPECT_EQ(region.Area(), count) << "no rectangle overlaps another";
}

TEST(RegionTest, BorderAroundAPictureIsTheWindowLessThePicture) {
    Region border(Rect{0, 0, 30, 20});
    border.Subtract(Rect{5, 4, 25, 16});
    EXPECT_EQ(border.Rects().size(), 4u);
    ExpectPixels(border, [](int x, int y) {
        const bool window = x >= 0 && x < 30 && y >= 0 && y < 20;
        const bool picture = x >= 5 && x < 25 && y >= 4 && y < 16;
        return window && !picture;
    });
}

TEST(RegionTest, UnionsAndSubtractionsKeepRectanglesDisjoint) {
    Region region(Rect{0, 0, 10, 10});
    region.Unite(Rect{5, 5, 20, 20});
    region.Unite(Rect{0, 0, 10, 10}); // already held
    region.Subtract(Rect{8, 8, 12, 12});
    region.Subtract(Rect{100, 100, 90, 90}); // empty: nothing
    ExpectPixels(region, [](int x, int y) {
        const bool a = x >= 0 && x < 10 && y >= 0 && y < 10;
        const bool b = x >= 5 && x < 20 && y >= 5 && y < 20;
        const bool hole = x >= 8 && x < 12 && y >= 8 && y < 12;
        return (a || b) && !hole;
    });
    region.Subtract(Rect{-100, -100, 100, 100});
    EXPECT_TRUE(region.IsEmpty());
}

} // namespace
