#include "platform/media/StrandedSinkRepair.h"

#include <algorithm>
#include <vector>

namespace plat::media {

namespace {

// How long a pipeline that is changing state is given to finish before the repair looks again.
constexpr std::chrono::milliseconds kSettleTime{300};

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

StrandedSinkRepair::StrandedSinkRepair(GstElement* pipeline) : pipeline_(pipeline) {}

StrandedSinkRepair::~StrandedSinkRepair() {
    Stop();
}

void StrandedSinkRepair::Watch(GstMessage* message) {
    if (SettledInPause(message)) {
        Queue(ElementRef::Share(GST_ELEMENT(GST_MESSAGE_SRC(message))), Clock::now(), false);
    }
}

void StrandedSinkRepair::Queue(ElementRef sink, Clock::time_point due, bool again) {
    {
        std::lock_guard lock(mutex_);
        if (stopped_) {
            return;
        }
        checks_.push_back({std::move(sink), due, again});
        if (!thread_.joinable()) {
            thread_ = std::thread(&StrandedSinkRepair::Run, this);
        }
    }
    changed_.notify_all();
}

void StrandedSinkRepair::Stop() {
    std::deque<Check> dropped;
    {
        std::lock_guard lock(mutex_);
        stopped_ = true;
        dropped.swap(checks_);
    }
    changed_.notify_all();
    // Once stopped, nothing starts the thread any more.
    if (thread_.joinable()) {
        thread_.join();
    }
}

void StrandedSinkRepair::Run() {
    Check check;
    while (NextDue(&check)) {
        Repair(check);
        check = {};
    }
}

bool StrandedSinkRepair::NextDue(Check* check) {
    std::unique_lock lock(mutex_);
    for (;;) {
        if (stopped_) {
            return false;
        }
        const auto earliest = std::min_element(checks_.begin(), checks_.end(),
                                               [](const Check& a, const Check& b) { return a.due < b.due; });
        if (earliest == checks_.end()) {
            changed_.wait(lock);
        } else if (earliest->due > Clock::now()) {
            changed_.wait_until(lock, earliest->due);
        } else {
            *check = std::move(*earliest);
            checks_.erase(earliest);
            return true;
        }
    }
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

// The pipeline's state lock keeps the application's and the bins' own state changes out while the
// check and the repair run.
void StrandedSinkRepair::Repair(const Check& check) {
    GstElement* sink = check.sink.get();
    const ElementStates own = StatesOf(sink);
    if (own.current != GST_STATE_PAUSED || own.pending != GST_STATE_VOID_PENDING) {
        return; // the sink has moved on since
    }
    GST_STATE_LOCK(pipeline_);
    if (IsStranded(pipeline_, sink)) {
        if (StatesOf(pipeline_).pending == GST_STATE_VOID_PENDING) {
            Restart(pipeline_, sink);
        } else if (!check.again) {
            // On its way back to playing, the pipeline normally takes the sink along: look again later.
            Queue(check.sink, Clock::now() + kSettleTime, true);
        } else {
            EndForgottenLosses(pipeline_);
        }
    }
    GST_STATE_UNLOCK(pipeline_);
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
