// A streaming thread pushes frames at full speed while the host thread changes the ring's capacity and
// geometry and reads frames: every frame read must be whole (one frame number in all its words).
#include "core/src/capture/TFrameGrabber.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace {

constexpr std::int64_t kMillisecond = 10000; // in 100 ns units
constexpr int kRounds = 1000;

const TFrameFormat kSmall = *TFrameFormat::FromGeometry(16, 8, 32);
const TFrameFormat kLarge = *TFrameFormat::FromGeometry(24, 16, 32);

// Frames of both sizes, each word and the time stamp carrying the frame's number.
void Stream(TFrameGrabber& grabber, const std::atomic<bool>& stop) {
    std::vector<std::uint32_t> frame(kLarge.frameBytes / 4);
    for (std::uint32_t number = 1; !stop.load(std::memory_order_relaxed); ++number) {
        std::fill(frame.begin(), frame.end(), number);
        const TFrameFormat& format = number % 2 != 0 ? kSmall : kLarge;
        grabber.OnFrame(std::int64_t(number) * kMillisecond,
                        reinterpret_cast<const std::uint8_t*>(frame.data()), format.rowBytes,
                        format.frameBytes);
    }
}

bool Whole(const TCapturedFrame& frame) {
    if (frame.byteSize != frame.format.frameBytes) {
        return false;
    }
    const auto* words = reinterpret_cast<const std::uint32_t*>(frame.pixels);
    return std::all_of(words, words + frame.byteSize / 4,
                       [&](std::uint32_t word) { return word == frame.timeMs; });
}

void WaitForFrames(const TFrameGrabber& grabber, std::uint64_t count) {
    while (grabber.FramesWritten() < count) {
        std::this_thread::yield();
    }
}

TEST(TFrameGrabberThreadTest, ReadsWholeFramesWhileTheRingChanges) {
    TFrameGrabber grabber;
    std::atomic<bool> stop = false;
    std::thread streaming(Stream, std::ref(grabber), std::cref(stop));
    int wholeReads = 0;
    int brokenReads = 0;
    for (int round = 0; round < kRounds; ++round) {
        const bool even = round % 2 == 0;
        ASSERT_EQ(grabber.Setup(even ? kSmall : kLarge, even ? 3 : 7), TCaptureStatus::Ok);
        WaitForFrames(grabber, 4);
        for (std::uint32_t number = 0; number < 8; ++number) {
            TCapturedFrame frame;
            if (grabber.ReadFrame(number, &frame) == TCaptureStatus::Ok) {
                (Whole(frame) ? wholeReads : brokenReads) += 1;
            }
        }
        if (round % 100 == 99) {
            grabber.Release();
        }
    }
    stop = true;
    streaming.join();
    EXPECT_EQ(brokenReads, 0);
    EXPECT_GE(wholeReads, kRounds * 3);
}

} // namespace
