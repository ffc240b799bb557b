// The place the picture shows, without a disc: the sink a stream ends in, and markers and frames
// going through a small pipeline into the events they give.
#include "platform/dvd/DvdPresentation.h"
#include "platform/media/GstInit.h"

#include <gst/app/gstappsrc.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

namespace plat::dvd::test {
namespace {

using media::ElementRef;
using media::GraphEvent;
using media::PadRef;

// A pipeline of the description; a single element comes in a bin of its own.
ElementRef Launch(const char* description) {
    media::EnsureGstInitialized();
    GError* error = nullptr;
    ElementRef pipeline = ElementRef::Sink(gst_parse_launch(description, &error));
    if (pipeline && !GST_IS_BIN(pipeline.get())) {
        ElementRef bin = ElementRef::Sink(gst_pipeline_new(nullptr));
        gst_bin_add(GST_BIN(bin.get()), GST_ELEMENT(gst_object_ref(pipeline.get())));
        pipeline = bin;
    }
    EXPECT_EQ(error, nullptr) << description;
    if (error != nullptr) {
        g_error_free(error);
    }
    return pipeline;
}

ElementRef Named(GstElement* pipeline, const char* name) {
    return ElementRef::Adopt(gst_bin_get_by_name(GST_BIN(pipeline), name));
}

PadRef PadOf(GstElement* pipeline, const char* element, const char* pad) {
    const ElementRef found = Named(pipeline, element);
    return found ? PadRef::Adopt(gst_element_get_static_pad(found.get(), pad)) : PadRef();
}

TEST(DvdPresentationSinkTest, TheStreamIsFollowedThroughElementsAndBinsToItsSink) {
    struct Case {
        const char* pipeline;
        const char* from; // element whose "src" pad the search starts at
        const char* end;  // element whose "sink" pad it ends at; empty: none
    };
    const Case cases[] = {
        {"fakesrc name=from ! queue ! videoconvert ! fakesink name=end", "from", "end"},
        {"fakesrc name=from ! ( queue ! identity ! fakesink name=end )", "from", "end"},
        {"( fakesrc name=from ! queue ) ! queue ! fakesink name=end", "from", "end"},
        {"fakesrc name=from ! queue ! tee name=end ! queue ! fakesink  end. ! queue ! fakesink", "from",
         "end"},
        {"fakesrc name=from", "from", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pipeline);
        const ElementRef pipeline = Launch(c.pipeline);
        ASSERT_TRUE(pipeline);
        const PadRef from = PadOf(pipeline.get(), c.from, "src");
        ASSERT_TRUE(from);
        const PadRef found = DvdPresentation::FindSinkInput(from.get());
        if (*c.end == '\0') {
            EXPECT_FALSE(found);
            continue;
        }
        EXPECT_EQ(found.get(), PadOf(pipeline.get(), c.end, "sink").get());
    }
}

// Times a frame of a 30 fps stream. GStreamer frees and reuses buffers out of ThreadSanitizer's sight,
// so that these writes would seem to race with reads of an earlier buffer at the same address: they
// are left out of its checks, as GStreamer's own writes are.
__attribute__((no_sanitize("thread"))) void Stamp(GstBuffer* buffer, int frame) {
    GST_BUFFER_PTS(buffer) = gst_util_uint64_scale(frame, GST_SECOND, 30);
    GST_BUFFER_DURATION(buffer) = GST_SECOND / 30;
}

// Frames of a 30 fps stream go into a sink that does not wait for the clock; the events are kept.
class DvdPresentationFlowTest : public ::testing::Test {
protected:
    DvdPresentationFlowTest()
        : pipeline_(Launch("appsrc name=source format=time ! queue ! fakesink sync=false")),
          source_(Named(pipeline_.get(), "source")),
          presentation_([this](const std::vector<GraphEvent>& events) {
              std::lock_guard lock(mutex_);
              told_.insert(told_.end(), events.begin(), events.end());
              changed_.notify_all();
          }) {
        media::CapsRef caps =
            media::CapsRef::Adopt(gst_caps_from_string("video/x-raw, format=GRAY8, width=8, height=8, "
                                                       "framerate=30/1"));
        g_object_set(source_.get(), "caps", caps.get(), nullptr);
        const PadRef output = PadRef::Adopt(gst_element_get_static_pad(source_.get(), "src"));
        presentation_.Attach(output.get());
    }
    ~DvdPresentationFlowTest() override {
        presentation_.Detach();
        gst_element_set_state(pipeline_.get(), GST_STATE_NULL);
    }

    static DvdPlace Title(std::uint32_t title, std::uint32_t chapter, double seconds) {
        return {DvdDomain::Title, title, chapter, static_cast<std::int64_t>(seconds * kDvdTicksPerSecond),
                kTimeCode30Fps};
    }
    void Mark(const DvdPlace& place) { gst_element_send_event(source_.get(), presentation_.Marker(place)); }
    // Frames from the first number on, timestamped at 30 per second.
    void Frames(int first, int count) {
        for (int frame = first; frame < first + count; ++frame) {
            GstBuffer* buffer = gst_buffer_new_allocate(nullptr, 64, nullptr);
            Stamp(buffer, frame);
            gst_app_src_push_buffer(GST_APP_SRC(source_.get()), buffer);
        }
    }
    // Whether the event was told within a few seconds.
    bool WaitTold(const std::string& what) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(5), [&] {
            const std::vector<std::string> told = Names();
            return std::find(told.begin(), told.end(), what) != told.end();
        });
    }
    // Plays what was queued to its end and hands back the events.
    std::vector<std::string> Play() {
        gst_app_src_end_of_stream(GST_APP_SRC(source_.get()));
        gst_element_set_state(pipeline_.get(), GST_STATE_PLAYING);
        media::BusRef bus = media::BusRef::Adopt(gst_element_get_bus(pipeline_.get()));
        GstMessage* end = gst_bus_timed_pop_filtered(
            bus.get(), 5 * GST_SECOND, static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
        EXPECT_NE(end, nullptr);
        if (end != nullptr) {
            gst_message_unref(end);
        }
        std::lock_guard lock(mutex_);
        return Names();
    }
    // The events told so far, the times as whole seconds; the lock is held.
    std::vector<std::string> Names() const {
        std::vector<std::string> told;
        for (const GraphEvent& event : told_) {
            switch (event.code) {
            case EC_DVD_DOMAIN_CHANGE:
                told.push_back("domain " + std::to_string(event.param1));
                break;
            case EC_DVD_TITLE_CHANGE:
                told.push_back("title " + std::to_string(event.param1));
                break;
            case EC_DVD_CHAPTER_START:
                told.push_back("chapter " + std::to_string(event.param1));
                break;
            case EC_DVD_CURRENT_HMSF_TIME:
                told.push_back(
                    "time " + std::to_string(
                                  DvdTimeCode::FromPacked(static_cast<std::uint32_t>(event.param1)).seconds));
                break;
            default:
                told.push_back("other");
            }
        }
        return told;
    }

    ElementRef pipeline_;
    ElementRef source_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<GraphEvent> told_;
    DvdPresentation presentation_;
};

TEST_F(DvdPresentationFlowTest, MarkersGiveThePlaceAndFramesCountTheTimeOn) {
    Mark({DvdDomain::VideoManagerMenu, 0, 0, -1, kTimeCode30Fps});
    Frames(0, 3);
    Mark(Title(1, 1, 0.0));
    Frames(3, 75); // 2.5 s of title 1
    Mark(Title(1, 2, 2.5));
    Frames(78, 30); // to 3.5 s
    Mark(Title(2, 1, 0.0));
    Frames(108, 10);
    EXPECT_EQ(Play(),
              (std::vector<std::string>{"domain 2", "domain 4", "title 1", "chapter 1", "time 0", "time 1",
                                        "time 2", "chapter 2", "time 3", "title 2", "chapter 1", "time 0"}));
    const DvdPlace shown = presentation_.Shown();
    EXPECT_EQ(shown.title, 2u);
    EXPECT_EQ(shown.chapter, 1u);
    EXPECT_NEAR(static_cast<double>(shown.ticks) / kDvdTicksPerSecond, 9.0 / 30, 0.01)
        << "the last frame's time";
}

// A sink that does not run in step with the clock shows nothing more: the place after the data is
// shown at once, and markers made before it are old.
TEST_F(DvdPresentationFlowTest, AnEndPlaceIsShownAtOnceWhenThePictureDoesNotRun) {
    Mark(Title(1, 1, 0.0));
    Frames(0, 3);
    presentation_.ShowAtEnd({DvdDomain::VideoManagerMenu, 0, 0, -1, kTimeCode30Fps});
    Mark(Title(2, 1, 0.0));
    Frames(3, 3);
    EXPECT_EQ(Play(), (std::vector<std::string>{"domain 2", "domain 4", "title 2", "chapter 1", "time 0"}));
    EXPECT_EQ(presentation_.Shown().title, 2u);
}

TEST_F(DvdPresentationFlowTest, AfterAFlushOnlyTheNextMarkerGivesTheTime) {
    Mark(Title(1, 1, 0.0));
    Frames(0, 40);
    gst_element_set_state(pipeline_.get(), GST_STATE_PLAYING);
    ASSERT_TRUE(WaitTold("time 1")) << "the frames before the flush were shown";
    gst_element_send_event(source_.get(), gst_event_new_flush_start());
    gst_element_send_event(source_.get(), gst_event_new_flush_stop(TRUE));
    Frames(0, 45); // timestamps start over: without a marker they tell no time
    Mark(Title(1, 1, 4.0));
    Frames(45, 40);
    const std::vector<std::string> told = Play();
    ASSERT_FALSE(told.empty());
    EXPECT_EQ(told.back(), "time 5");
    EXPECT_EQ(std::count(told.begin(), told.end(), "time 4"), 1);
}

} // namespace
} // namespace plat::dvd::test
