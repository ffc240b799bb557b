#include "core/src/pages/TBitmapItem.h"
#include "core/tests/pages/PixelCheck.h"
#include "platform/gdi/ImageDc.h"
#include "platform/testing/BmpTestFile.h"
#include "platform/testing/FixedAdvanceDc.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::byte> TopRedBottomBlue(std::int32_t width, std::int32_t height) {
    return MakeBmp(width, height, 24, [height](std::int32_t, std::int32_t y) {
        return y < std::abs(height) / 2 ? 0xFF0000u : 0x0000FFu;
    });
}

QImage DrawOnPicture(TBitmapItem& item, std::int32_t x, std::int32_t y, double scale) {
    QImage image(60, 60, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    plat::gdi::ImageDc dc(image);
    EXPECT_TRUE(item.Draw(&dc, x, y, 0, nullptr, scale, 1.0));
    return image;
}

TEST(TBitmapItemTest, IsAPictureItemWithTheImagesExtent) {
    TBitmapItem item;
    EXPECT_EQ(item.GetKind(), kSubItemBitmap);
    ASSERT_NE(item.GetRecord(), nullptr);
    EXPECT_EQ(item.GetRecord()->kind, kSubItemBitmap);
    const std::vector<std::byte> bmp = TopRedBottomBlue(10, 6);
    EXPECT_EQ(item.SetImage(bmp.data(), bmp.size()), static_cast<std::int32_t>(bmp.size()));
    std::int32_t w = 0;
    std::int32_t h = 0;
    item.GetExtent(w, h);
    EXPECT_EQ(std::make_pair(w, h), std::make_pair(10, 6));
    EXPECT_EQ(item.GetRecordSize(), bmp.size());
    std::byte out[8];
    EXPECT_EQ(item.WriteRecord(out, sizeof out), 0u);
    const char16_t* name = nullptr;
    EXPECT_FALSE(item.GetStyleName(name));
}

// The caller gives pixel positions already scaled; only the size is scaled.
TEST(TBitmapItemTest, DrawsAtItsPositionScaledInSizeKeepingItsOrientation) {
    TBitmapItem item;
    const std::vector<std::byte> bmp = TopRedBottomBlue(10, 10);
    item.SetImage(bmp.data(), bmp.size());
    const QImage image = DrawOnPicture(item, 5, 5, 2.0);
    EXPECT_EQ(PaintedBox(image), QRect(5, 5, 20, 20));
    EXPECT_EQ(image.pixel(15, 7), 0xFFFF0000u);
    EXPECT_EQ(image.pixel(15, 22), 0xFF0000FFu);

    const std::vector<std::byte> topDown = TopRedBottomBlue(10, -10);
    item.SetImage(topDown.data(), topDown.size());
    const QImage again = DrawOnPicture(item, 0, 0, 1.0);
    EXPECT_EQ(again.pixel(5, 1), 0xFFFF0000u);
    EXPECT_EQ(again.pixel(5, 8), 0xFF0000FFu);
}

TEST(TBitmapItemTest, BadImagesDrawNothing) {
    struct Case {
        const char* what;
        std::vector<std::byte> data;
        std::pair<std::int32_t, std::int32_t> extent;
    };
    std::vector<std::byte> oversized = TopRedBottomBlue(10, 10);
    SetBmpField(oversized, 34, 1u << 30);
    std::vector<std::byte> shortened = TopRedBottomBlue(10, 10);
    shortened.resize(100);
    std::vector<std::byte> foreign = TopRedBottomBlue(10, 10);
    foreign[1] = std::byte{'X'};
    std::vector<std::byte> huge = TopRedBottomBlue(10, 10);
    SetBmpField(huge, 18, 1u << 30);
    const Case cases[] = {
        {"image size past the data", oversized, {10, 10}},
        {"pixels cut short", shortened, {10, 10}},
        {"not a bitmap file", foreign, {0, 0}},
        {"absurd width", huge, {1 << 30, 10}},
        {"headers cut short", std::vector<std::byte>(20, std::byte{'B'}), {0, 0}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        TBitmapItem item;
        item.SetImage(test.data.data(), test.data.size());
        std::int32_t w = 0;
        std::int32_t h = 0;
        item.GetExtent(w, h);
        EXPECT_EQ(std::make_pair(w, h), test.extent);
        FixedAdvanceDc dc(10, 20);
        EXPECT_TRUE(item.Draw(&dc, 0, 0, 0, nullptr, 1.0, 1.0));
        EXPECT_TRUE(dc.BitmapCalls().empty());
    }
}

TEST(TBitmapItemTest, NoImageAnswersMinusOneAndDrawsNothing) {
    TBitmapItem item;
    const std::byte one{0};
    EXPECT_EQ(item.SetImage(&one, 0), -1);
    EXPECT_EQ(item.SetImage(nullptr, 10), -1);
    EXPECT_FALSE(item.HasImage());
    FixedAdvanceDc dc(10, 20);
    EXPECT_FALSE(item.Draw(&dc, 0, 0, 0, nullptr, 1.0, 1.0));
}

TEST(TBitmapItemTest, ImageSizeOfZeroCopiesNoPixels) {
    TBitmapItem item;
    std::vector<std::byte> bmp = TopRedBottomBlue(4, 4);
    SetBmpField(bmp, 34, 0);
    item.SetImage(bmp.data(), bmp.size());
    const QImage image = DrawOnPicture(item, 0, 0, 1.0);
    EXPECT_EQ(image.pixel(1, 1), 0xFF000000u);
}

} // namespace
