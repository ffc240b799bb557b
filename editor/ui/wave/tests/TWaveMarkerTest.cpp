#include "editor/wave/TWaveMarker.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

const QRgb kBackground = qRgb(146, 148, 145);
const QRgb kInverted = qRgb(255 - 146, 255 - 148, 255 - 145);

QImage Painted(const TWaveMarker& markers, int32_t viewStartMs, int32_t spanMs) {
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(kBackground);
    QPainter painter(&image);
    markers.Paint(painter, QRect(0, 1, 200, 98), viewStartMs, spanMs);
    return image;
}

TEST(TWaveMarkerTest, ARangeIsInvertedWithYellowCornersAndTheCursorIsARedLine) {
    TWaveMarker markers;
    EXPECT_EQ(markers.AddMarker(5000, 7000, 0), 1);
    markers.SetPosition(9000);
    // 10 s over 200 pixels: 50 ms a pixel; the range covers columns 100 to 140.
    const QImage image = Painted(markers, 0, 10000);
    EXPECT_EQ(image.pixel(99, 50), kBackground);
    EXPECT_EQ(image.pixel(120, 50), kInverted);
    EXPECT_EQ(image.pixel(139, 50), kInverted);
    EXPECT_EQ(image.pixel(141, 50), kBackground);
    EXPECT_EQ(image.pixel(101, 2), qRgb(255, 255, 0)) << "top left corner";
    EXPECT_EQ(image.pixel(138, 97), qRgb(255, 255, 0)) << "bottom right corner";
    EXPECT_EQ(image.pixel(180, 50), qRgb(255, 0, 0)) << "the cursor at 9 s";
}

TEST(TWaveMarkerTest, OnlyWhatOverlapsTheViewIsDrawn) {
    TWaveMarker markers;
    markers.AddMarker(5000, 7000, 0);
    markers.AddMarker(100, 200, 0);
    EXPECT_EQ(markers.Entries().Tail->Index, 2);
    markers.SetPosition(-1);
    // A view inside the range shows it whole; a view after both shows nothing.
    EXPECT_EQ(Painted(markers, 5500, 1000).pixel(100, 50), kInverted);
    const QImage after = Painted(markers, 8000, 1000);
    for (int x = 0; x < 200; ++x) {
        ASSERT_EQ(after.pixel(x, 50), kBackground) << x;
    }
    EXPECT_EQ(markers.RemoveMarkers(-1), 0);
    EXPECT_EQ(markers.Entries().Count, 0);
}

} // namespace
