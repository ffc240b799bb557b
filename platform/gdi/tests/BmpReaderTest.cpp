#include "platform/gdi/BmpReader.h"
#include "platform/testing/BmpTestFile.h"

#include <gtest/gtest.h>

using plat::gdi::Bitmap;
using plat::gdi::BmpReader;

namespace {

std::uint32_t TopRedBottomBlue(std::int32_t, std::int32_t y) {
    return y < 2 ? 0xFF0000u : 0x0000FFu;
}

} // namespace

TEST(BmpReaderTest, KeepsRowOrderForBottomUpAndTopDownImagesOfBothDepths) {
    for (const std::int32_t height : {4, -4}) {
        for (const std::uint16_t bits : {24, 32}) {
            SCOPED_TRACE(testing::Message() << "height " << height << " bits " << bits);
            Bitmap bitmap;
            ASSERT_TRUE(BmpReader::Read(MakeBmp(3, height, bits, TopRedBottomBlue), bitmap));
            ASSERT_EQ(bitmap.width, 3);
            ASSERT_EQ(bitmap.height, 4);
            EXPECT_EQ(bitmap.pixels[0], 0xFFFF0000u);         // top left
            EXPECT_EQ(bitmap.pixels[3 * 3 + 2], 0xFF0000FFu); // bottom right
        }
    }
}

TEST(BmpReaderTest, ImageSizeFieldDecidesHowManyPixelBytesAreRead) {
    std::vector<std::byte> bmp = MakeBmp(2, 2, 24, [](std::int32_t, std::int32_t) { return 0xFFFFFFu; });
    SetBmpField(bmp, 34, 0);
    Bitmap bitmap;
    ASSERT_TRUE(BmpReader::Read(bmp, bitmap));
    EXPECT_EQ(bitmap.pixels, std::vector<std::uint32_t>(4, 0xFF000000u)); // nothing copied: black

    SetBmpField(bmp, 34, 8); // the first (bottom) row only
    ASSERT_TRUE(BmpReader::Read(bmp, bitmap));
    EXPECT_EQ(bitmap.pixels[0], 0xFF000000u);
    EXPECT_EQ(bitmap.pixels[2], 0xFFFFFFFFu);
}

TEST(BmpReaderTest, RefusesDataThatDoesNotHoldWhatItsHeadersClaim) {
    const std::vector<std::byte> good = MakeBmp(4, 4, 24, TopRedBottomBlue);
    struct Case {
        const char* what;
        std::size_t offset;
        std::uint32_t value;
    };
    const Case cases[] = {
        {"image size past the data", 34, 10000},
        {"information header past the data", 14, 100000},
        {"information header too small", 14, 12},
        {"zero width", 18, 0},
        {"negative width", 18, 0xFFFFFFFFu},
        {"huge height", 22, 1u << 30},
        {"more rows than the data holds", 22, 5},
        {"wider than the data holds", 18, 5},
        {"zero height", 22, 0},
        {"eight bits per pixel", 26, 1 | (8u << 16)}, // planes 1, then the bit count
        {"compressed", 30, 1},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        std::vector<std::byte> bmp = good;
        SetBmpField(bmp, test.offset, test.value);
        Bitmap bitmap;
        std::string error;
        EXPECT_FALSE(BmpReader::Read(bmp, bitmap, &error));
        EXPECT_FALSE(error.empty());
    }
}

// A header alone that claims the largest picture is refused before anything is made for it.
TEST(BmpReaderTest, AHeaderClaimingAHugePictureWithoutItsPixelsIsRefused) {
    std::vector<std::byte> bmp = MakeBmp(1, 1, 32, TopRedBottomBlue);
    bmp.resize(54);
    SetBmpField(bmp, 18, BmpReader::kMaxSide);
    SetBmpField(bmp, 22, BmpReader::kMaxSide);
    SetBmpField(bmp, 34, 0);
    Bitmap bitmap;
    std::string error;
    EXPECT_FALSE(BmpReader::Read(bmp, bitmap, &error));
    EXPECT_EQ(error, "bitmap size larger than its data");
}

TEST(BmpReaderTest, ShortAndForeignDataIsRefused) {
    const std::vector<std::byte> good = MakeBmp(4, 4, 24, TopRedBottomBlue);
    for (const std::size_t size : {0, 1, 2, 14, 53}) {
        Bitmap bitmap;
        EXPECT_FALSE(BmpReader::Read(std::span(good).first(size), bitmap)) << size;
    }
    std::vector<std::byte> foreign = good;
    foreign[0] = std::byte{'X'};
    EXPECT_FALSE(BmpReader::IsBitmapFile(foreign));
    Bitmap bitmap;
    EXPECT_FALSE(BmpReader::Read(foreign, bitmap));
}
