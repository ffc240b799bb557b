// The capture ring behind a real pipeline: a red test pattern through the sample grabber to a fake
// renderer, every frame handed to the ring on the streaming thread.
#include "core/src/capture/TFrameGrabber.h"
#include "platform/testing/FakeRendererFactory.h"
#include "platform/media/FilterCatalogue.h"
#include "platform/media/GstInit.h"
#include "platform/media/MediaGraph.h"
#include "platform/media/SampleGrabber.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

using namespace plat::media;
using namespace std::chrono_literals;

constexpr const char* kSampleGrabberId = "{C1F400A0-3F08-11D3-9F0B-006008039E37}";
constexpr const char* kVideoRendererId = "{70E102B0-5556-11CE-97C0-00AA0055595A}";

TEST(TFrameFormatCapsTest, TakesTheSizeFromTheRealFormat) {
    EnsureGstInitialized();
    struct Row {
        const char* caps;
        std::int32_t bits;
        std::uint32_t bytes;
    };
    for (const Row& row : std::vector<Row>{{"video/x-raw,format=I420,width=320,height=240", 12, 115200},
                                           {"video/x-raw,format=BGRx,width=64,height=48", 32, 12288},
                                           {"video/x-raw,format=BGR,width=32,height=10", 24, 960}}) {
        const auto format = TFrameFormat::FromCaps(row.caps);
        ASSERT_TRUE(format) << row.caps;
        EXPECT_EQ(format->bitsPerPixel, row.bits) << row.caps;
        EXPECT_EQ(format->frameBytes, row.bytes) << row.caps;
    }
    for (const char* caps : {"audio/x-raw,format=S16LE,rate=8000,channels=1", "not caps ((", ""}) {
        EXPECT_FALSE(TFrameFormat::FromCaps(caps)) << caps;
    }
}

TEST(TFrameGrabberPipelineTest, RecordsTheTestPattern) {
    TFrameGrabber ring; // outlives the graph that calls it
    FilterCatalogue catalogue;
    FakeRendererFactory renderers;
    MediaGraph graph(catalogue, renderers);
    ASSERT_EQ(graph.AddFilter(FilterCatalogue::ClassIdForFactory("videotestsrc"), "Source"), S_OK);
    ASSERT_EQ(graph.AddFilter(*Guid::Parse(kSampleGrabberId), "Sample_Grabber"), S_OK);
    ASSERT_EQ(graph.AddFilter(*Guid::Parse(kVideoRendererId), "Video Renderer"), S_OK);
    gst_util_set_object_arg(G_OBJECT(graph.FindFilter("Source")), "pattern", "red");
    SampleGrabber* grabber = SampleGrabber::From(graph.FindFilter("Sample_Grabber"));
    ASSERT_NE(grabber, nullptr);
    ASSERT_EQ(grabber->SetMediaType("video/x-raw,format=BGRx,width=64,height=48"), S_OK);
    const TFrameFormat format = *TFrameFormat::FromGeometry(64, 48, 32);
    ASSERT_EQ(ring.Setup(format, 4), TCaptureStatus::Ok);
    grabber->SetCallback([&ring](std::int64_t time, const std::uint8_t* data, std::size_t size) {
        ring.OnFrame(time, data, size);
    });
    ASSERT_EQ(graph.ConnectDirect({"Source", "src"}, {"Sample_Grabber", "sink"}), S_OK);
    ASSERT_EQ(graph.ConnectDirect({"Sample_Grabber", "src"}, {"Video Renderer", "sink"}), S_OK);
    ASSERT_EQ(graph.Preroll(5s), S_OK);

    std::string caps;
    ASSERT_EQ(grabber->GetConnectedMediaType(&caps), S_OK);
    EXPECT_EQ(TFrameFormat::FromCaps(caps), format) << caps;
    TCapturedFrame frame;
    ASSERT_EQ(ring.ReadFrame(0, &frame), TCaptureStatus::Ok);
    ASSERT_EQ(frame.byteSize, 64u * 48u * 4u);
    for (std::size_t pixel : {std::size_t(0), std::size_t(64 * 24 + 32), std::size_t(64 * 48 - 1)}) {
        EXPECT_LE(frame.pixels[pixel * 4 + 0], 2) << pixel;   // blue
        EXPECT_LE(frame.pixels[pixel * 4 + 1], 2) << pixel;   // green
        EXPECT_GE(frame.pixels[pixel * 4 + 2], 250) << pixel; // red
    }
    std::vector<std::uint8_t> image;
    ASSERT_EQ(ring.CurrentPicture(&image), TCaptureStatus::Ok);
    ASSERT_EQ(image.size(), 54u + 64u * 48u * 4u);
    EXPECT_GE(image[54 + 2], 250);
    EXPECT_EQ(graph.ChangeState(GST_STATE_NULL, 5s), S_OK);
    grabber->SetCallback(nullptr);
}

} // namespace
