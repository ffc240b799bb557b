#include "platform/media/StrandedSinkRepair.h"

#include "MediaTestSupport.h"
#include "platform/media/GstInit.h"
#include "platform/media/GstRef.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

namespace plat::media::test {
namespace {

// A test pattern into a synchronised sink that counts the frames it renders. The sink changes state
// without prerolling, so pausing it alone leaves the pipeline as it was, as a loss of state that the
// pipeline ignored does.
class StrandedSinkRepairTest : public testing::Test {
protected:
    void SetUp() override {
        EnsureGstInitialized();
        pipeline_ = GstRef<GstElement>::Sink(gst_parse_launch(
            "videotestsrc ! video/x-raw,width=64,height=48,framerate=50/1 ! fakesink name=sink sync=true "
            "async=false signal-handoffs=true",
            nullptr));
        ASSERT_TRUE(pipeline_);
        sink_ = gst_bin_get_by_name(GST_BIN(pipeline_.get()), "sink");
        g_signal_connect(sink_, "handoff", G_CALLBACK(&StrandedSinkRepairTest::OnFrame), this);
    }
    void TearDown() override {
        if (pipeline_) {
            gst_element_set_state(pipeline_.get(), GST_STATE_NULL);
        }
        gst_object_unref(sink_);
    }
    void WatchBus() {
        GstRef<GstBus> bus = GstRef<GstBus>::Adopt(gst_element_get_bus(pipeline_.get()));
        gst_bus_set_sync_handler(bus.get(), &StrandedSinkRepairTest::OnMessage, pipeline_.get(), nullptr);
    }
    bool SetAndWait(GstElement* element, GstState state) {
        gst_element_set_state(element, state);
        GstState reached = GST_STATE_VOID_PENDING;
        return gst_element_get_state(element, &reached, nullptr, GST_SECOND * 5) == GST_STATE_CHANGE_SUCCESS &&
               reached == state;
    }
    // Waits until `more` frames beyond those counted now have been rendered.
    bool WaitForFrames(int more) {
        std::unique_lock lock(mutex_);
        const int target = frames_ + more;
        return rendered_.wait_for(lock, kDeadline, [&] { return frames_ >= target; });
    }

    GstRef<GstElement> pipeline_;
    GstElement* sink_ = nullptr;

private:
    static void OnFrame(GstElement*, GstBuffer*, GstPad*, gpointer self) {
        auto* test = static_cast<StrandedSinkRepairTest*>(self);
        {
            std::lock_guard lock(test->mutex_);
            ++test->frames_;
        }
        test->rendered_.notify_all();
    }
    static GstBusSyncReply OnMessage(GstBus*, GstMessage* message, gpointer pipeline) {
        StrandedSinkRepair::Watch(static_cast<GstElement*>(pipeline), message);
        gst_message_unref(message);
        return GST_BUS_DROP;
    }

    std::mutex mutex_;
    std::condition_variable rendered_;
    int frames_ = 0;
};

TEST_F(StrandedSinkRepairTest, ASinkLeftPausedUnderAPlayingPipelineRendersAgain) {
    WatchBus();
    ASSERT_TRUE(SetAndWait(pipeline_.get(), GST_STATE_PLAYING));
    ASSERT_TRUE(WaitForFrames(5));
    // What a flush during the pipeline's own state change leaves behind: the sink alone in paused.
    gst_element_set_state(sink_, GST_STATE_PAUSED);
    EXPECT_TRUE(WaitForFrames(10));
    GstState state = GST_STATE_VOID_PENDING;
    EXPECT_EQ(gst_element_get_state(sink_, &state, nullptr, GST_SECOND * 5), GST_STATE_CHANGE_SUCCESS);
    EXPECT_EQ(state, GST_STATE_PLAYING);
}

// A check still waiting to run does not keep a destroyed graph's pipeline and elements alive.
TEST_F(StrandedSinkRepairTest, APendingCheckLetsThePipelineGo) {
    GstMessage* settled = gst_message_new_state_changed(GST_OBJECT(sink_), GST_STATE_READY, GST_STATE_PAUSED,
                                                        GST_STATE_VOID_PENDING);
    StrandedSinkRepair::Watch(pipeline_.get(), settled);
    gst_message_unref(settled);
    bool finalized = false;
    g_object_weak_ref(
        G_OBJECT(pipeline_.get()), [](gpointer flag, GObject*) { *static_cast<bool*>(flag) = true; },
        &finalized);
    pipeline_ = {};
    EXPECT_TRUE(finalized);
}

// Only a sink paused against the pipeline's will counts as stranded.
TEST_F(StrandedSinkRepairTest, SinksPausedOrParkedOnPurposeAreNotStranded) {
    ASSERT_TRUE(SetAndWait(pipeline_.get(), GST_STATE_PLAYING));
    EXPECT_FALSE(StrandedSinkRepair::IsStranded(pipeline_.get(), sink_)) << "playing with the pipeline";

    ASSERT_TRUE(SetAndWait(sink_, GST_STATE_PAUSED));
    EXPECT_TRUE(StrandedSinkRepair::IsStranded(pipeline_.get(), sink_)) << "paused alone";

    gst_element_set_locked_state(sink_, TRUE);
    EXPECT_FALSE(StrandedSinkRepair::IsStranded(pipeline_.get(), sink_)) << "parked";
    gst_element_set_locked_state(sink_, FALSE);

    ASSERT_TRUE(SetAndWait(pipeline_.get(), GST_STATE_PAUSED));
    EXPECT_FALSE(StrandedSinkRepair::IsStranded(pipeline_.get(), sink_)) << "pipeline paused";
}

} // namespace
} // namespace plat::media::test
