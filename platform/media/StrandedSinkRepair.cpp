#include "platform/media/StrandedSinkRepair.h"

#include "platform/media/GstRef.h"
#include "platform/media/ThreadHandOff.h"

#include <vector>

namespace plat::media {

namespace {

// How long a pipeline that is changing state is given to finish before the repair looks again.
constexpr GstClockTime kSettleTime = 300 * GST_MSECOND;

struct ElementStates {
    GstState current;
    GstState pending;
    GstState target;
};

ElementStates StatesOf(GstElement* element) {
    GST_OBJECT_LOCK(element);
    const ElementStates states{GST_STATE(element), GST_STATE_PENDING(element), GST_STATE_TARGET(element)};
    GST_OBJECT_UNLOCK(element);
    return states;
}

} // namespace

// A check holds the pipeline weakly: a graph destroyed before it runs goes at once, with its
// elements (a disc navigator's reading thread and open disc among them).
struct StrandedSinkRepair::Look {
    GWeakRef pipeline;
    bool again; // the second look at a pipeline that was changing state at the first
};

void StrandedSinkRepair::Watch(GstElement* pipeline, GstMessage* message) {
    if (SettledInPause(message)) {
        Schedule(GST_ELEMENT(GST_MESSAGE_SRC(message)), pipeline, false);
    }
}

void StrandedSinkRepair::Schedule(GstElement* sink, GstElement* pipeline, bool again) {
    auto* look = new Look{};
    g_weak_ref_init(&look->pipeline, pipeline);
    look->again = again;
    HandOver(look);
    gst_element_call_async(sink, &StrandedSinkRepair::Repair, look, &StrandedSinkRepair::Forget);
}

void StrandedSinkRepair::Forget(gpointer look) {
    TakeOver(look);
    g_weak_ref_clear(&static_cast<Look*>(look)->pipeline);
    delete static_cast<Look*>(look);
}

// A sink's own message that it reached paused with nothing further pending. Bins carry the sink
// flag too; the sinks inside them post their own messages.
bool StrandedSinkRepair::SettledInPause(GstMessage* message) {
    if (GST_MESSAGE_TYPE(message) != GST_MESSAGE_STATE_CHANGED || !GST_IS_ELEMENT(GST_MESSAGE_SRC(message)) ||
        GST_IS_BIN(GST_MESSAGE_SRC(message)) ||
        !GST_OBJECT_FLAG_IS_SET(GST_MESSAGE_SRC(message), GST_ELEMENT_FLAG_SINK)) {
        return false;
    }
    GstState previous = GST_STATE_VOID_PENDING;
    GstState current = GST_STATE_VOID_PENDING;
    GstState pending = GST_STATE_VOID_PENDING;
    gst_message_parse_state_changed(message, &previous, &current, &pending);
    return current == GST_STATE_PAUSED && pending == GST_STATE_VOID_PENDING;
}

bool StrandedSinkRepair::IsStranded(GstElement* pipeline, GstElement* sink) {
    if (gst_element_is_locked_state(sink)) {
        return false; // parked on purpose
    }
    const ElementStates graph = StatesOf(pipeline);
    const ElementStates own = StatesOf(sink);
    if (graph.target != GST_STATE_PLAYING || own.current != GST_STATE_PAUSED ||
        own.pending != GST_STATE_VOID_PENDING) {
        return false;
    }
    if (graph.pending == GST_STATE_VOID_PENDING) {
        return graph.current == GST_STATE_PLAYING;
    }
    return !AnySinkChanging(pipeline);
}

bool StrandedSinkRepair::AnySinkChanging(GstElement* pipeline) {
    if (!GST_IS_BIN(pipeline)) {
        return false;
    }
    bool changing = false;
    GstIterator* sinks = gst_bin_iterate_sinks(GST_BIN(pipeline));
    GValue item = G_VALUE_INIT;
    for (bool more = true; more && !changing;) {
        switch (gst_iterator_next(sinks, &item)) {
        case GST_ITERATOR_OK:
            changing = StatesOf(GST_ELEMENT(g_value_get_object(&item))).pending != GST_STATE_VOID_PENDING;
            g_value_reset(&item);
            break;
        case GST_ITERATOR_RESYNC:
            gst_iterator_resync(sinks);
            break;
        default:
            more = false;
            break;
        }
    }
    g_value_unset(&item);
    gst_iterator_free(sinks);
    return changing;
}

// Runs on GStreamer's async thread. The pipeline's state lock keeps the application's and the
// bins' own state changes out while the check and the repair run.
void StrandedSinkRepair::Repair(GstElement* sink, gpointer data) {
    TakeOver(data);
    const ElementStates own = StatesOf(sink);
    if (own.current != GST_STATE_PAUSED || own.pending != GST_STATE_VOID_PENDING) {
        return; // the sink has moved on since
    }
    auto* look = static_cast<Look*>(data);
    auto* pipeline = static_cast<GstElement*>(g_weak_ref_get(&look->pipeline));
    if (pipeline == nullptr) {
        return; // the graph has gone
    }
    GST_STATE_LOCK(pipeline);
    if (IsStranded(pipeline, sink)) {
        if (StatesOf(pipeline).pending == GST_STATE_VOID_PENDING) {
            Restart(pipeline, sink);
        } else if (!look->again) {
            LookAgainLater(sink, pipeline); // on its way back to playing, it normally takes the sink along
        } else {
            EndForgottenLosses(pipeline);
        }
    }
    GST_STATE_UNLOCK(pipeline);
    gst_object_unref(pipeline);
}

// The system clock calls back on its own thread; the look itself runs on GStreamer's async thread.
void StrandedSinkRepair::LookAgainLater(GstElement* sink, GstElement* pipeline) {
    struct Later {
        GstElement* sink;
        GWeakRef pipeline;
    };
    auto* later = new Later{GST_ELEMENT(gst_object_ref(sink)), {}};
    g_weak_ref_init(&later->pipeline, pipeline);
    GstClock* clock = gst_system_clock_obtain();
    GstClockID id = gst_clock_new_single_shot_id(clock, gst_clock_get_time(clock) + kSettleTime);
    HandOver(later);
    gst_clock_id_wait_async(
        id,
        [](GstClock*, GstClockTime, GstClockID, gpointer data) -> gboolean {
            auto* later = static_cast<Later*>(data);
            TakeOver(later);
            if (auto* graph = static_cast<GstElement*>(g_weak_ref_get(&later->pipeline))) {
                Schedule(later->sink, graph, true);
                gst_object_unref(graph);
            }
            return TRUE;
        },
        later,
        [](gpointer data) {
            auto* later = static_cast<Later*>(data);
            gst_object_unref(later->sink);
            g_weak_ref_clear(&later->pipeline);
            delete later;
        });
    gst_clock_id_unref(id);
    gst_object_unref(clock);
}

void StrandedSinkRepair::Restart(GstElement* pipeline, GstElement* sink) {
    GST_INFO_OBJECT(sink, "prerolled in paused under a playing pipeline: restarting the pipeline");
    const GstClockTime prerolled = PrerolledRunningTime(sink);
    if (gst_element_set_state(pipeline, GST_STATE_PAUSED) != GST_STATE_CHANGE_FAILURE) {
        if (GST_CLOCK_TIME_IS_VALID(prerolled)) {
            gst_element_set_start_time(pipeline, prerolled);
        }
        gst_element_set_state(pipeline, GST_STATE_PLAYING);
    }
}

// The bin keeps each child's announced loss (its async-start message) in its public message list
// until the child announces the end; a child with nothing pending never will.
void StrandedSinkRepair::EndForgottenLosses(GstElement* pipeline) {
    if (!GST_IS_BIN(pipeline)) {
        return;
    }
    std::vector<ElementRef> announced;
    GST_OBJECT_LOCK(pipeline);
    for (GList* item = GST_BIN(pipeline)->messages; item != nullptr; item = item->next) {
        auto* message = static_cast<GstMessage*>(item->data);
        if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_ASYNC_START &&
            GST_IS_ELEMENT(GST_MESSAGE_SRC(message))) {
            announced.push_back(ElementRef::Share(GST_ELEMENT(GST_MESSAGE_SRC(message))));
        }
    }
    GST_OBJECT_UNLOCK(pipeline);
    for (const ElementRef& element : announced) {
        if (StatesOf(element.get()).pending == GST_STATE_VOID_PENDING) {
            GST_INFO_OBJECT(element.get(),
                            "ending a loss of state it announced and forgot, so the pipeline plays on");
            gst_element_post_message(
                element.get(), gst_message_new_async_done(GST_OBJECT(element.get()), GST_CLOCK_TIME_NONE));
        }
    }
}

GstClockTime StrandedSinkRepair::PrerolledRunningTime(GstElement* sink) {
    if (g_object_class_find_property(G_OBJECT_GET_CLASS(sink), "last-sample") == nullptr) {
        return GST_CLOCK_TIME_NONE;
    }
    GstSample* sample = nullptr;
    g_object_get(sink, "last-sample", &sample, nullptr);
    if (sample == nullptr) {
        return GST_CLOCK_TIME_NONE;
    }
    GstClockTime running = GST_CLOCK_TIME_NONE;
    const GstSegment* segment = gst_sample_get_segment(sample);
    const GstBuffer* buffer = gst_sample_get_buffer(sample);
    if (segment != nullptr && buffer != nullptr && segment->format == GST_FORMAT_TIME &&
        GST_BUFFER_PTS_IS_VALID(buffer)) {
        running = gst_segment_to_running_time(segment, GST_FORMAT_TIME, GST_BUFFER_PTS(buffer));
    }
    gst_sample_unref(sample);
    return running;
}

} // namespace plat::media
