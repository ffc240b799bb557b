// Putting a filter in front of a renderer of a built graph: while paused (the graph prerolls again
// through it) and while running (the feeding pin is blocked during the change), and the stages that
// stop a splice, each leaving the old link in place.
#include "MediaTestSupport.h"
#include "platform/media/MediaGraph.h"
#include "platform/media/SampleGrabber.h"

#include <gtest/gtest.h>

namespace plat::media::test {
namespace {

constexpr const char* kSampleGrabberId = "{C1F400A0-3F08-11D3-9F0B-006008039E37}";

class MediaGraphSpliceTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(graph_.AddFilter(FactoryId("videotestsrc"), "Source"), S_OK);
        ASSERT_EQ(graph_.AddFilter(WindowsId(kVideoRendererId), "Video Renderer"), S_OK);
        ASSERT_EQ(graph_.AddFilter(WindowsId(kSampleGrabberId), "Grabber"), S_OK);
        grabber_ = SampleGrabber::From(graph_.FindFilter("Grabber"));
        ASSERT_NE(grabber_, nullptr);
        ASSERT_EQ(grabber_->SetMediaType("video/x-raw,format=BGRx"), S_OK);
    }
    bool Linked(const char* filter, const char* pin) {
        for (const PinInfo& info : graph_.Pins(filter)) {
            if (info.name == pin) {
                return info.connected;
            }
        }
        return false;
    }

    FakeRendererFactory renderers_;
    MediaGraph graph_{Catalogue(), renderers_};
    SampleGrabber* grabber_ = nullptr;
};

TEST_F(MediaGraphSpliceTest, APausedGraphPrerollsAgainThroughTheFilter) {
    ASSERT_EQ(graph_.ConnectDirect({"Source", "src"}, {"Video Renderer", "sink"}), S_OK);
    ASSERT_EQ(graph_.Preroll(kDeadline), S_OK);
    const SpliceResult result = graph_.InsertBefore("Video Renderer", "Grabber");
    EXPECT_EQ(result.stage, SpliceStage::Done);
    EXPECT_EQ(result.hr, S_OK);
    EXPECT_TRUE(grabber_->WaitForFrame(0, kDeadline));
    EXPECT_TRUE(Linked("Grabber", "sink"));
    EXPECT_TRUE(Linked("Grabber", "src"));
    EXPECT_EQ(graph_.CurrentState(nullptr), GST_STATE_PAUSED);
}

TEST_F(MediaGraphSpliceTest, ARunningGraphKeepsRunningThroughTheFilter) {
    ASSERT_EQ(graph_.ConnectDirect({"Source", "src"}, {"Video Renderer", "sink"}), S_OK);
    ASSERT_EQ(graph_.Preroll(kDeadline), S_OK);
    ASSERT_EQ(graph_.ChangeState(GST_STATE_PLAYING, kDeadline), S_OK);
    EXPECT_EQ(graph_.InsertBefore("Video Renderer", "Grabber").stage, SpliceStage::Done);
    ASSERT_TRUE(grabber_->WaitForFrame(0, kDeadline));
    EXPECT_TRUE(grabber_->WaitForFrame(grabber_->FrameCount(), kDeadline));
    EXPECT_FALSE(graph_.Events().TryPop().has_value()); // no error was posted
}

TEST_F(MediaGraphSpliceTest, StagesThatStopASpliceLeaveTheGraphAsItWas) {
    EXPECT_EQ(graph_.InsertBefore("Video Renderer", "Grabber").stage, SpliceStage::NotConnected);
    ASSERT_EQ(graph_.ConnectDirect({"Source", "src"}, {"Video Renderer", "sink"}), S_OK);
    EXPECT_EQ(graph_.InsertBefore("No Renderer", "Grabber").stage, SpliceStage::RendererInput);
    EXPECT_EQ(graph_.InsertBefore("Video Renderer", "Source").stage, SpliceStage::FilterPins);
    ASSERT_EQ(graph_.AddFilter(FactoryId("audioconvert"), "Audio"), S_OK);
    EXPECT_EQ(graph_.InsertBefore("Video Renderer", "Audio").stage, SpliceStage::ConnectUpstream);
    EXPECT_TRUE(Linked("Video Renderer", "sink"));
    EXPECT_FALSE(Linked("Audio", "sink"));
    EXPECT_EQ(graph_.Preroll(kDeadline), S_OK);
}

} // namespace
} // namespace plat::media::test
