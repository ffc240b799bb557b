#include "platform/video/SurfaceRendererFactory.h"

#include "platform/media/MediaGraph.h"
#include "platform/media/Transport.h"
#include "platform/media/tests/MediaTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <vector>

namespace plat::video {
namespace {

using namespace plat::media;
using plat::media::test::Catalogue;
using plat::media::test::Fixture;
using plat::media::test::kDeadline;

constexpr GstClockTime kFrameDuration = 40 * GST_MSECOND; // the clips run at 25 frames/s
constexpr std::uint64_t kClipFrames = 50;

// What the surface's listener heard: the frames, each with the pipeline clock's running time when it
// arrived, and a wait for a number of them.
class FrameLog {
public:
    FrameLog(VideoSurface& surface, GstElement* pipeline) : surface_(surface), pipeline_(pipeline) {
        id_ = surface_.AddFrameListener([this](const VideoFrame& frame) { Heard(frame); });
    }
    ~FrameLog() { surface_.RemoveFrameListener(id_); }

    bool WaitFor(std::uint64_t frames) {
        std::unique_lock lock(mutex_);
        return arrived_.wait_for(lock, kDeadline, [&] { return numbers_.size() >= frames; });
    }
    std::vector<std::uint64_t> Numbers() const {
        std::lock_guard lock(mutex_);
        return numbers_;
    }
    std::vector<GstClockTime> RunningTimes() const {
        std::lock_guard lock(mutex_);
        return runningTimes_;
    }

private:
    void Heard(const VideoFrame& frame) {
        GstRef<GstClock> clock = GstRef<GstClock>::Adopt(gst_element_get_clock(pipeline_));
        const GstClockTime now =
            clock ? gst_clock_get_time(clock.get()) - gst_element_get_base_time(pipeline_) : 0;
        {
            std::lock_guard lock(mutex_);
            numbers_.push_back(frame.number);
            runningTimes_.push_back(now);
        }
        arrived_.notify_all();
    }

    VideoSurface& surface_;
    GstElement* pipeline_;
    VideoSurface::ListenerId id_ = 0;
    mutable std::mutex mutex_;
    std::condition_variable arrived_;
    std::vector<std::uint64_t> numbers_;
    std::vector<GstClockTime> runningTimes_;
};

// Each channel within the tolerance that compression leaves.
::testing::AssertionResult Near(QRgb actual, QRgb expected) {
    constexpr int kTolerance = 12;
    if (std::abs(qRed(actual) - qRed(expected)) <= kTolerance &&
        std::abs(qGreen(actual) - qGreen(expected)) <= kTolerance &&
        std::abs(qBlue(actual) - qBlue(expected)) <= kTolerance) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << std::hex << "0x" << actual << " is not near 0x" << expected;
}

class SurfaceSinkTest : public testing::Test {
protected:
    HResult PrerollFile(const char* name) {
        EXPECT_EQ(graph_.RenderFile(Fixture(name)), S_OK);
        return graph_.Preroll(kDeadline);
    }

    std::shared_ptr<VideoSurface> surface_ = std::make_shared<VideoSurface>();
    SurfaceRendererFactory renderers_{surface_, SurfaceRendererFactory::AudioOutput::Fake};
    MediaGraph graph_{Catalogue(), renderers_};
    FrameLog log_{*surface_, graph_.Pipeline()};
    Transport transport_{graph_};
};

TEST_F(SurfaceSinkTest, PrerollShowsTheFirstFrameWhereItsColoursAre) {
    ASSERT_EQ(PrerollFile("quadrants.mp4"), S_OK);
    // Told of it by the time the graph is paused, and only of that one frame while paused.
    EXPECT_EQ(log_.Numbers(), (std::vector<std::uint64_t>{1}));
    const VideoFrame frame = surface_->Frame();
    EXPECT_EQ(frame.number, 1u);
    EXPECT_EQ(frame.image.format(), VideoSurface::kFrameFormat);
    EXPECT_EQ(frame.NativeSize(), QSize(320, 240));
    EXPECT_EQ(frame.pixelAspect, (PixelAspect{8, 9}));
    EXPECT_EQ(frame.streamTime, std::chrono::nanoseconds(0));
    EXPECT_TRUE(Near(frame.image.pixel(80, 60), qRgb(255, 0, 0)));
    EXPECT_TRUE(Near(frame.image.pixel(240, 60), qRgb(0, 255, 0)));
    EXPECT_TRUE(Near(frame.image.pixel(80, 180), qRgb(0, 0, 255)));
    EXPECT_TRUE(Near(frame.image.pixel(240, 180), qRgb(255, 255, 255)));
}

TEST_F(SurfaceSinkTest, EveryContainerPrerollsAFrame) {
    for (const char* name : {"clip.ogg", "clip.mp4", "clip.avi", "clip.mpg"}) {
        SCOPED_TRACE(name);
        auto surface = std::make_shared<VideoSurface>();
        SurfaceRendererFactory renderers(surface, SurfaceRendererFactory::AudioOutput::Fake);
        MediaGraph graph(Catalogue(), renderers);
        ASSERT_EQ(graph.RenderFile(Fixture(name)), S_OK);
        ASSERT_EQ(graph.Preroll(kDeadline), S_OK);
        EXPECT_EQ(surface->FrameCount(), 1u);
        EXPECT_EQ(surface->Frame().NativeSize(), QSize(320, 240));
    }
}

TEST_F(SurfaceSinkTest, PlayingPresentsEachFrameInTimeWithThePipelineClock) {
    ASSERT_EQ(PrerollFile("quadrants.mp4"), S_OK);
    ASSERT_EQ(transport_.Run(), S_OK);
    ASSERT_TRUE(graph_.Events().WaitFor(EC_COMPLETE, kDeadline).has_value());

    const std::vector<std::uint64_t> numbers = log_.Numbers();
    const std::vector<GstClockTime> times = log_.RunningTimes();
    // The preroll frame is not presented a second time when playing starts; late frames may be dropped.
    ASSERT_FALSE(numbers.empty());
    EXPECT_LE(numbers.size(), kClipFrames);
    EXPECT_GE(numbers.size(), kClipFrames * 4 / 5);
    // Frame n (counted from 1) is due at (n - 1) frame durations after the start and never shown before.
    for (std::size_t i = 1; i < numbers.size(); ++i) {
        EXPECT_EQ(numbers[i], numbers[i - 1] + 1);
        EXPECT_GE(times[i], (numbers[i] - 1) * kFrameDuration) << "frame " << numbers[i] << " came early";
    }
}

TEST_F(SurfaceSinkTest, SeekingWhilePausedShowsTheFrameThere) {
    ASSERT_EQ(PrerollFile("quadrants.mp4"), S_OK);
    ASSERT_EQ(transport_.Seek(plat::media::test::kSecond, SeekMode::Accurate), S_OK);
    ASSERT_TRUE(log_.WaitFor(2));
    EXPECT_EQ(surface_->FrameCount(), 2u);
    EXPECT_TRUE(Near(surface_->Frame().image.pixel(240, 180), qRgb(255, 255, 255)));
    // The frame tells where it stands in the stream, not where the pipeline's running time is.
    EXPECT_EQ(surface_->Frame().streamTime, std::chrono::seconds(1));
}

// The frame after the surface names a shown size comes scaled to it, with square pixels; the native
// picture behind it stays reachable at its own size. Without a shown size frames come native again.
TEST_F(SurfaceSinkTest, AShownSizeScalesTheFramesAndKeepsTheNativePicture) {
    surface_->SetShownSize({142, 120}); // half the display size of 320 x 240 pixels of 8:9
    ASSERT_EQ(PrerollFile("quadrants.mp4"), S_OK);
    ASSERT_EQ(transport_.Seek(plat::media::test::kSecond, SeekMode::Accurate), S_OK);
    ASSERT_TRUE(log_.WaitFor(2));
    const VideoFrame scaled = surface_->Frame();
    EXPECT_EQ(scaled.image.size(), QSize(142, 120));
    EXPECT_EQ(scaled.NativeSize(), QSize(320, 240));
    EXPECT_EQ(scaled.pixelAspect, (PixelAspect{8, 9})) << "the native picture's";
    EXPECT_TRUE(Near(scaled.image.pixel(35, 30), qRgb(255, 0, 0)));
    EXPECT_TRUE(Near(scaled.image.pixel(106, 30), qRgb(0, 255, 0)));
    EXPECT_TRUE(Near(scaled.image.pixel(35, 90), qRgb(0, 0, 255)));
    EXPECT_TRUE(Near(scaled.image.pixel(106, 90), qRgb(255, 255, 255)));
    const QImage native = scaled.NativeImage();
    ASSERT_EQ(native.size(), QSize(320, 240));
    EXPECT_TRUE(Near(native.pixel(80, 60), qRgb(255, 0, 0)));
    EXPECT_TRUE(Near(native.pixel(240, 180), qRgb(255, 255, 255)));
    EXPECT_EQ(surface_->DisplayedImage().size(), QSize(320, 240)) << "grabs keep the native size";

    surface_->SetShownSize({});
    ASSERT_EQ(transport_.Seek(0, SeekMode::Accurate), S_OK);
    ASSERT_TRUE(log_.WaitFor(3));
    ASSERT_EQ(transport_.Seek(plat::media::test::kSecond, SeekMode::Accurate), S_OK);
    ASSERT_TRUE(log_.WaitFor(4));
    EXPECT_EQ(surface_->Frame().image.size(), QSize(320, 240));
    EXPECT_FALSE(surface_->Frame().native);
}

} // namespace
} // namespace plat::video
