#include "core/src/capture/TBitmapFile.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

std::uint32_t Read32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | std::uint32_t(bytes[at + 3]) << 24;
}

TEST(TBitmapFileTest, WritesHeadersAndBottomUpPaddedRows) {
    struct Row {
        TFrameFormat format;
        std::uint32_t rowBytes; // in the file, padded to four bytes
    };
    for (const Row& row : std::vector<Row>{{{3, 2, 24, 18}, 12},
                                           {{3, 2, 24, 24}, 12}, // source rows padded to 12 bytes
                                           {{2, 3, 32, 24}, 8},
                                           {{1, 1, 24, 3}, 4}}) {
        const TFrameFormat& format = row.format;
        std::vector<std::uint8_t> frame(format.frameBytes);
        std::iota(frame.begin(), frame.end(), std::uint8_t(1));
        const auto image = TBitmapFile::FromFrame(format, frame.data(), frame.size());
        ASSERT_TRUE(image);
        const std::uint32_t imageBytes = row.rowBytes * std::uint32_t(format.height);
        ASSERT_EQ(image->size(), 54 + imageBytes);
        EXPECT_EQ((*image)[0], 'B');
        EXPECT_EQ((*image)[1], 'M');
        EXPECT_EQ(Read32(*image, 2), image->size());
        EXPECT_EQ(Read32(*image, 10), 54u);
        EXPECT_EQ(Read32(*image, 14), 40u);
        EXPECT_EQ(Read32(*image, 18), std::uint32_t(format.width));
        EXPECT_EQ(Read32(*image, 22), std::uint32_t(format.height));
        EXPECT_EQ((*image)[28], format.bitsPerPixel);
        EXPECT_EQ(Read32(*image, 34), imageBytes);
        // The last row of the file is the frame's first row.
        const std::size_t last = 54 + std::size_t(format.height - 1) * row.rowBytes;
        EXPECT_EQ((*image)[last], 1);
        EXPECT_EQ((*image)[54], frame[std::size_t(format.height - 1) * (format.frameBytes / format.height)]);
    }
}

TEST(TBitmapFileTest, RefusesOtherDepthsAndShortFrames) {
    const std::vector<std::uint8_t> frame(64);
    EXPECT_FALSE(TBitmapFile::FromFrame({4, 4, 12, 24}, frame.data(), frame.size()));
    EXPECT_FALSE(TBitmapFile::FromFrame({4, 4, 32, 64}, frame.data(), 63));
    EXPECT_FALSE(TBitmapFile::FromFrame({4, 4, 32, 64}, nullptr, 64));
    EXPECT_FALSE(TBitmapFile::FromFrame({8, 4, 32, 64}, frame.data(), 64)); // rows shorter than the width
}

} // namespace
