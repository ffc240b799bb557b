#include "core/src/capture/TFrameGrabber.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr std::int64_t kFrameTime = 400000; // 40 ms in 100 ns units

TFrameFormat Format(std::int32_t width, std::int32_t height, std::int32_t bits) {
    return *TFrameFormat::FromGeometry(width, height, bits);
}

// Pushes frames first..first+count-1; frame i is filled with i and stamped 40 ms × i.
void Push(TFrameGrabber& grabber, const TFrameFormat& format, int first, int count) {
    for (int i = first; i < first + count; ++i) {
        const std::vector<std::uint8_t> frame(format.frameBytes, std::uint8_t(i));
        grabber.OnFrame(i * kFrameTime, frame.data(), format.rowBytes, frame.size());
    }
}

TEST(TFrameFormatTest, CountsTheRealBytesOfAFrame) {
    struct Row {
        std::int32_t width, height, bits;
        std::uint32_t bytes;
    };
    for (const Row& row : std::vector<Row>{{720, 576, 24, 1244160},
                                           {320, 240, 12, 115200}, // 1.5 bytes a pixel
                                           {320, 240, 32, 307200},
                                           {3, 1, 12, 5},
                                           {16384, 16384, 64, 2147483648u}}) {
        const auto format = TFrameFormat::FromGeometry(row.width, row.height, row.bits);
        ASSERT_TRUE(format) << row.width << "x" << row.height << "x" << row.bits;
        EXPECT_EQ(format->frameBytes, row.bytes) << row.width << "x" << row.height << "x" << row.bits;
    }
}

TEST(TFrameFormatTest, RefusesImpossibleGeometry) {
    struct Row {
        std::int32_t width, height, bits;
    };
    for (const Row& row : std::vector<Row>{
             {0, 10, 24}, {10, 0, 24}, {-1, 10, 24}, {16385, 10, 24}, {10, 10, 0}, {10, 10, 65}}) {
        EXPECT_FALSE(TFrameFormat::FromGeometry(row.width, row.height, row.bits))
            << row.width << "x" << row.height << "x" << row.bits;
    }
}

TEST(TFrameGrabberTest, ReadsTheFramesTheRingKeeps) {
    struct Row {
        int written;
        std::uint32_t number;
        TCaptureStatus status;
        int frame; // the frame expected in the slot
    };
    const TFrameFormat format = Format(4, 2, 24);
    for (const Row& row : std::vector<Row>{{7, 0, TCaptureStatus::Ok, 2},
                                           {7, 4, TCaptureStatus::Ok, 6},
                                           {7, 0x80000004, TCaptureStatus::Ok, 6}, // bit 31 ignored
                                           {7, 5, TCaptureStatus::NotInRing, 0},
                                           {7, 0xFFFFFFFF, TCaptureStatus::NotInRing, 0},
                                           {2, 1, TCaptureStatus::Ok, 1},
                                           {2, 2, TCaptureStatus::NotInRing, 0},
                                           {0, 0, TCaptureStatus::NotInRing, 0},
                                           {12, 0, TCaptureStatus::Ok, 7}}) {
        TFrameGrabber grabber;
        ASSERT_EQ(grabber.Setup(format, 5), TCaptureStatus::Ok);
        Push(grabber, format, 0, row.written);
        TCapturedFrame frame;
        ASSERT_EQ(grabber.ReadFrame(row.number, &frame), row.status) << row.written << " " << row.number;
        if (row.status != TCaptureStatus::Ok) {
            continue;
        }
        EXPECT_EQ(frame.number, row.number & TFrameGrabber::kNumberMask);
        EXPECT_EQ(frame.timeMs, std::uint32_t(row.frame * 40));
        EXPECT_EQ(frame.byteSize, format.frameBytes);
        EXPECT_EQ(frame.format, format);
        EXPECT_EQ(std::vector<std::uint8_t>(frame.pixels, frame.pixels + frame.byteSize),
                  std::vector<std::uint8_t>(format.frameBytes, std::uint8_t(row.frame)));
    }
}

TEST(TFrameGrabberTest, RefusesHostileSetupAndKeepsTheOldRing) {
    struct Row {
        TFrameFormat format;
        std::uint32_t capacity;
        TCaptureStatus status;
    };
    const TFrameFormat good = Format(4, 2, 32);
    for (const Row& row :
         std::vector<Row>{{good, 0, TCaptureStatus::BadCapacity},
                          {good, TFrameGrabber::kMaxCapacity + 1, TCaptureStatus::BadCapacity},
                          {good, 0xFFFFFFFF, TCaptureStatus::BadCapacity},
                          {Format(16384, 16384, 32), 2, TCaptureStatus::BadCapacity},
                          {TFrameFormat{}, 5, TCaptureStatus::BadFormat}}) {
        TFrameGrabber grabber;
        ASSERT_EQ(grabber.Setup(good, 3), TCaptureStatus::Ok);
        Push(grabber, good, 1, 1);
        EXPECT_EQ(grabber.Setup(row.format, row.capacity), row.status) << row.capacity;
        TCapturedFrame frame;
        EXPECT_EQ(grabber.ReadFrame(0, &frame), TCaptureStatus::Ok);
    }
}

TEST(TFrameGrabberTest, AnswersWithoutARing) {
    TFrameGrabber grabber;
    const std::uint8_t byte = 0;
    grabber.OnFrame(0, &byte, 1, 1);
    TCapturedFrame frame;
    EXPECT_EQ(grabber.ReadFrame(0, &frame), TCaptureStatus::NoRing);
    ASSERT_EQ(grabber.Setup(Format(2, 2, 32), 2), TCaptureStatus::Ok);
    EXPECT_EQ(grabber.ReadFrame(0, nullptr), TCaptureStatus::NotInRing);
    grabber.Release();
    EXPECT_EQ(grabber.ReadFrame(0, &frame), TCaptureStatus::NoRing);
}

TEST(TFrameGrabberTest, DropsFramesOfAnotherSizeAndRestartsOnAGeometryChange) {
    TFrameGrabber grabber;
    const TFrameFormat small = Format(2, 2, 32);
    const TFrameFormat large = Format(4, 4, 12);
    ASSERT_EQ(grabber.Setup(small, 3), TCaptureStatus::Ok);
    Push(grabber, large, 0, 2);
    Push(grabber, small, 5, 2);
    EXPECT_EQ(grabber.FramesWritten(), 2u);
    ASSERT_EQ(grabber.Setup(large, 3), TCaptureStatus::Ok);
    EXPECT_EQ(grabber.FramesWritten(), 0u);
    Push(grabber, small, 0, 1);
    Push(grabber, large, 9, 1);
    TCapturedFrame frame;
    ASSERT_EQ(grabber.ReadFrame(0, &frame), TCaptureStatus::Ok);
    EXPECT_EQ(frame.byteSize, 24u); // 4 × 4 × 1.5
    EXPECT_EQ(frame.pixels[0], 9);
}

// Rows arrive top-down, padded or not, and the slot keeps them bottom-up without the padding.
TEST(TFrameGrabberTest, StoresTheRowsBottomUp) {
    const TFrameFormat format = Format(3, 3, 24); // 9 bytes a row
    for (const std::size_t stride : {9u, 12u}) {
        SCOPED_TRACE(stride);
        std::vector<std::uint8_t> frame(stride * 3, 0xEE);
        for (std::size_t row = 0; row < 3; ++row) {
            std::fill_n(frame.begin() + row * stride, 9, std::uint8_t(row + 1));
        }
        TFrameGrabber grabber;
        ASSERT_EQ(grabber.Setup(format, 2), TCaptureStatus::Ok);
        grabber.OnFrame(0, frame.data(), stride, frame.size());
        grabber.OnFrame(0, frame.data(), 8, 24);              // rows shorter than the recording's
        grabber.OnFrame(0, frame.data(), stride, stride * 2); // a row short
        ASSERT_EQ(grabber.FramesWritten(), 1u);
        TCapturedFrame read;
        ASSERT_EQ(grabber.ReadFrame(0, &read), TCaptureStatus::Ok);
        std::vector<std::uint8_t> bottomUp;
        for (const std::uint8_t row : {3, 2, 1}) {
            bottomUp.insert(bottomUp.end(), 9, row);
        }
        EXPECT_EQ(std::vector<std::uint8_t>(read.pixels, read.pixels + read.byteSize), bottomUp);
    }
}

TEST(TFrameGrabberTest, ReadFrameKeepsItsCopyWhileTheRingMovesOn) {
    TFrameGrabber grabber;
    const TFrameFormat format = Format(3, 3, 24);
    ASSERT_EQ(grabber.Setup(format, 2), TCaptureStatus::Ok);
    Push(grabber, format, 1, 2);
    TCapturedFrame frame;
    ASSERT_EQ(grabber.ReadFrame(0, &frame), TCaptureStatus::Ok);
    Push(grabber, format, 3, 4); // overwrites every slot twice
    EXPECT_EQ(std::vector<std::uint8_t>(frame.pixels, frame.pixels + frame.byteSize),
              std::vector<std::uint8_t>(format.frameBytes, 1));
}

} // namespace
