#include "platform/media/SampleGrabber.h"

#include "MediaTestSupport.h"
#include "platform/media/MediaGraph.h"

#include <gtest/gtest.h>

#include <atomic>

namespace plat::media::test {
namespace {

constexpr const char* kSampleGrabberId = "{C1F400A0-3F08-11D3-9F0B-006008039E37}";
constexpr std::size_t kFrameBytes = 320 * 240 * 4;

class SampleGrabberTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(graph_.AddSourceFilter(Fixture("clip.mp4"), "Source"), S_OK);
        ASSERT_EQ(graph_.AddFilter(FactoryId("qtdemux"), "Demux"), S_OK);
        ASSERT_EQ(graph_.AddFilter(WindowsId(kSampleGrabberId), "Sample_Grabber"), S_OK);
        ASSERT_EQ(graph_.AddFilter(WindowsId(kVideoRendererId), "Video Renderer"), S_OK);
        grabber_ = SampleGrabber::From(graph_.FindFilter("Sample_Grabber"));
        ASSERT_NE(grabber_, nullptr);
    }
    HResult Build() {
        EXPECT_EQ(graph_.ConnectDirect({"Source", "src"}, {"Demux", "sink"}), S_OK);
        EXPECT_EQ(graph_.ConnectDirect({"Sample_Grabber", "src"}, {"Video Renderer", "sink"}), S_OK);
        EXPECT_EQ(graph_.Connect({"Demux", "video_0"}, {"Sample_Grabber", "sink"}), S_OK);
        return graph_.Preroll(kDeadline);
    }

    // What the callback writes: the streaming thread goes on handing frames over until the graph is
    // torn down, so these outlive the graph.
    std::atomic<int> frames_ = 0;
    std::atomic<std::size_t> size_ = 0;
    std::atomic<std::int64_t> first_ = -1;
    FakeRendererFactory renderers_;
    MediaGraph graph_{Catalogue(), renderers_};
    SampleGrabber* grabber_ = nullptr;
};

TEST_F(SampleGrabberTest, HandsOverFramesInTheChosenType) {
    ASSERT_EQ(grabber_->SetMediaType("video/x-raw,format=BGRx"), S_OK);
    grabber_->SetBufferSamples(true);
    std::vector<std::uint8_t> frame;
    EXPECT_EQ(grabber_->GetCurrentBuffer(&frame), VFW_E_WRONG_STATE);
    grabber_->SetCallback([this](std::int64_t time, const std::uint8_t*, std::size_t bytes) {
        size_ = bytes;
        std::int64_t none = -1;
        first_.compare_exchange_strong(none, time);
        ++frames_;
    });
    ASSERT_EQ(Build(), S_OK);
    EXPECT_GE(frames_.load(), 1); // at least the preroll frame
    EXPECT_GE(first_.load(), 0);
    EXPECT_LE(first_.load(), kFrame);
    EXPECT_EQ(size_.load(), kFrameBytes);
    ASSERT_EQ(grabber_->GetCurrentBuffer(&frame), S_OK);
    EXPECT_EQ(frame.size(), kFrameBytes);
    std::string caps;
    ASSERT_EQ(grabber_->GetConnectedMediaType(&caps), S_OK);
    EXPECT_NE(caps.find("format=(string)BGRx"), std::string::npos) << caps;
    EXPECT_NE(caps.find("width=(int)320"), std::string::npos) << caps;
    EXPECT_EQ(grabber_->SetMediaType("video/x-raw,format=RGB"), VFW_E_ALREADY_CONNECTED);
}

TEST_F(SampleGrabberTest, RefusesWhatItCannotDo) {
    std::string caps;
    EXPECT_EQ(grabber_->GetConnectedMediaType(&caps), VFW_E_NOT_CONNECTED);
    EXPECT_EQ(grabber_->GetConnectedMediaType(nullptr), E_POINTER);
    EXPECT_EQ(grabber_->SetMediaType("audio/x-raw"), VFW_E_INVALIDMEDIATYPE);
    EXPECT_EQ(grabber_->SetMediaType("not caps at all ((("), VFW_E_INVALIDMEDIATYPE);
    std::vector<std::uint8_t> frame;
    EXPECT_EQ(grabber_->GetCurrentBuffer(&frame), E_INVALIDARG);
    EXPECT_EQ(SampleGrabber::From(graph_.FindFilter("Demux")), nullptr);
    EXPECT_EQ(SampleGrabber::From(nullptr), nullptr);
}

} // namespace
} // namespace plat::media::test
