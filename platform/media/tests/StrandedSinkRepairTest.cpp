#include "platform/media/StrandedSinkRepair.h"

#include "MediaTestSupport.h"
#include "platform/media/GstInit.h"
#include "platform/media/GstRef.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <utility>

namespace plat::media::test {
namespace {

// A test pattern into a synchronised sink that counts the frames it renders. By default the sink
// changes state without prerolling, so pausing it alone leaves the pipeline as it was, as a loss of
// state that the pipeline ignored does.
class StrandedSinkRepairTest : public testing::Test {
protected:
    void SetUp() override {
        EnsureGstInitialized();
        Build("async=false");
    }
    void TearDown() override { Clear(); }
    void Build(const std::string& sinkOptions) {
        Clear();
        pipeline_ = GstRef<GstElement>::Sink(gst_parse_launch(
            ("videotestsrc name=source ! video/x-raw,width=64,height=48,framerate=50/1 ! fakesink name=sink "
             "sync=true signal-handoffs=true " +
             sinkOptions)
                .c_str(),
            nullptr));
        ASSERT_TRUE(pipeline_);
        repair_ = std::make_unique<StrandedSinkRepair>(pipeline_.get());
        sink_ = gst_bin_get_by_name(GST_BIN(pipeline_.get()), "sink");
        g_signal_connect(sink_, "handoff", G_CALLBACK(&StrandedSinkRepairTest::OnFrame), this);
    }
    void Clear() {
        if (pipeline_) {
            gst_element_set_state(pipeline_.get(), GST_STATE_NULL);
            repair_->Stop();
            GstRef<GstBus> bus = GstRef<GstBus>::Adopt(gst_element_get_bus(pipeline_.get()));
            gst_bus_set_sync_handler(bus.get(), nullptr, nullptr, nullptr);
        }
        repair_.reset();
        if (sink_ != nullptr) {
            gst_object_unref(std::exchange(sink_, nullptr));
        }
        pipeline_ = {};
    }
    void WatchBus() {
        GstRef<GstBus> bus = GstRef<GstBus>::Adopt(gst_element_get_bus(pipeline_.get()));
        gst_bus_set_sync_handler(bus.get(), &StrandedSinkRepairTest::OnMessage, repair_.get(), nullptr);
    }
    bool SetAndWait(GstElement* element, GstState state) {
        gst_element_set_state(element, state);
        GstState reached = GST_STATE_VOID_PENDING;
        return gst_element_get_state(element, &reached, nullptr, GST_SECOND * 5) ==
                   GST_STATE_CHANGE_SUCCESS &&
               reached == state;
    }
    // Waits until `more` frames beyond those counted now have been rendered.
    bool WaitForFrames(int more) {
        std::unique_lock lock(mutex_);
        const int target = frames_ + more;
        return rendered_.wait_for(lock, kDeadline, [&] { return frames_ >= target; });
    }

    GstRef<GstElement> pipeline_;
    std::unique_ptr<StrandedSinkRepair> repair_;
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
    static GstBusSyncReply OnMessage(GstBus*, GstMessage* message, gpointer repair) {
        static_cast<StrandedSinkRepair*>(repair)->Watch(message);
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

// A flush that reaches an element while the bin takes it back to playing makes it announce a loss of
// state it never ends (the source's message stands for it here). After the next flush the sink
// prerolls in paused and the pipeline would wait for that element for good.
TEST_F(StrandedSinkRepairTest, ASinkPrerolledUnderAPipelineWaitingForGoodRendersAgain) {
    Build("");
    WatchBus();
    ASSERT_TRUE(SetAndWait(pipeline_.get(), GST_STATE_PLAYING));
    ASSERT_TRUE(WaitForFrames(5));
    GstElement* source = gst_bin_get_by_name(GST_BIN(pipeline_.get()), "source");
    gst_element_post_message(source, gst_message_new_async_start(GST_OBJECT(source)));
    gst_object_unref(source);
    ASSERT_TRUE(gst_element_seek_simple(pipeline_.get(), GST_FORMAT_TIME, GST_SEEK_FLAG_FLUSH, 0));
    EXPECT_TRUE(WaitForFrames(10));
    GstState state = GST_STATE_VOID_PENDING;
    EXPECT_EQ(gst_element_get_state(pipeline_.get(), &state, nullptr, GST_SECOND * 5),
              GST_STATE_CHANGE_SUCCESS);
    EXPECT_EQ(state, GST_STATE_PLAYING);
}

// Stopping the repair ends its checks and lets go of the sinks they were for: the pipeline and its
// sink go as soon as their owner drops them.
TEST_F(StrandedSinkRepairTest, StoppingLetsGoOfEverySinkItWasToCheck) {
    GstMessage* settled = gst_message_new_state_changed(GST_OBJECT(sink_), GST_STATE_READY, GST_STATE_PAUSED,
                                                        GST_STATE_VOID_PENDING);
    for (int i = 0; i < 50; ++i) {
        repair_->Watch(settled);
    }
    repair_->Stop();
    repair_->Watch(settled); // ignored once stopped
    gst_message_unref(settled);
    int finalized = 0;
    const auto count = [](gpointer counter, GObject*) { ++*static_cast<int*>(counter); };
    g_object_weak_ref(G_OBJECT(pipeline_.get()), count, &finalized);
    g_object_weak_ref(G_OBJECT(sink_), count, &finalized);
    gst_object_unref(std::exchange(sink_, nullptr));
    pipeline_ = {};
    EXPECT_EQ(finalized, 2);
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
