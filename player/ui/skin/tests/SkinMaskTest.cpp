// The shape a mask bitmap gives a window: pixels without red are solid, pixels with red cut away.
#include "player/ui/skin/SkinMask.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <functional>

namespace {

struct MaskCase {
    const char* name;
    int width;
    int height;
    std::function<void(QImage&)> draw;
    QRegion expected;
};

QImage Canvas(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

class SkinMaskTable : public testing::TestWithParam<MaskCase> {};

TEST_P(SkinMaskTable, BuildsRegion) {
    QImage image = Canvas(GetParam().width, GetParam().height);
    GetParam().draw(image);
    EXPECT_EQ(SkinMask::BuildMaskRegion(image), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Masks, SkinMaskTable,
    testing::Values(MaskCase{"AllBlackKeepsRectangle", 30, 20, [](QImage&) {}, QRegion(0, 0, 30, 20)},
                    MaskCase{"AllWhiteIsEmpty", 30, 20, [](QImage& i) { i.fill(Qt::white); }, QRegion()},
                    MaskCase{"ColourWithoutRedIsSolid", 8, 4, [](QImage& i) { i.fill(QColor(0, 255, 255)); },
                             QRegion(0, 0, 8, 4)},
                    MaskCase{"AnyRedCutsAway", 8, 4, [](QImage& i) { i.fill(QColor(1, 0, 0)); }, QRegion()},
                    MaskCase{"OneRunInOneRow", 10, 3,
                             [](QImage& i) {
                                 for (int x = 2; x < 6; ++x) {
                                     i.setPixel(x, 1, qRgb(255, 255, 255));
                                 }
                             },
                             QRegion(0, 0, 10, 3).subtracted(QRegion(2, 1, 4, 1))},
                    MaskCase{
                        "RunsAtRowEnds", 6, 2,
                        [](QImage& i) {
                            i.setPixel(0, 0, qRgb(255, 0, 0));
                            i.setPixel(5, 1, qRgb(200, 0, 0));
                        },
                        QRegion(0, 0, 6, 2).subtracted(QRegion(0, 0, 1, 1)).subtracted(QRegion(5, 1, 1, 1))},
                    MaskCase{"RoundCorners", 20, 10,
                             [](QImage& i) {
                                 QPainter painter(&i);
                                 painter.fillRect(i.rect(), Qt::white);
                                 painter.fillRect(QRect(2, 0, 16, 10), Qt::black);
                                 painter.fillRect(QRect(0, 2, 20, 6), Qt::black);
                             },
                             QRegion(2, 0, 16, 10).united(QRegion(0, 2, 20, 6))},
                    MaskCase{"EmptyBitmap", 0, 0, [](QImage&) {}, QRegion()}),
    [](const testing::TestParamInfo<MaskCase>& info) { return std::string(info.param.name); });

// A checkerboard is the worst shape a mask can have: every pixel is a run of its own.
TEST(SkinMask, CheckerboardOfLargestBitmapStaysQuick) {
    QImage image(1024, 1024, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            image.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
        }
    }
    const QRegion region = SkinMask::BuildMaskRegion(image);
    EXPECT_EQ(region.rectCount(), 1024 * 512);
    EXPECT_TRUE(region.contains(QPoint(0, 0)));
    EXPECT_FALSE(region.contains(QPoint(1, 0)));
}

} // namespace
