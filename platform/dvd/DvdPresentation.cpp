#include "platform/dvd/DvdPresentation.h"

#include "platform/media/ThreadHandOff.h"

#include <algorithm>
#include <chrono>
#include <utility>

namespace plat::dvd {

namespace {

using media::GraphEvent;
using media::PadRef;

constexpr const char* kMarker = "application/x-tovrin-dvd-place";
// Pads followed at most from the navigator to the sink, so that a looped graph cannot hold us.
constexpr int kMaxHops = 64;
// No frame for this long after the last one was shown: the data has ended.
constexpr GstClockTime kQuietAtEnd = 150 * GST_MSECOND;

std::uint32_t SecondOf(std::int64_t ticks) {
    return static_cast<std::uint32_t>(ticks / kDvdTicksPerSecond);
}

// The single source pad of an element, or null when it has none or several.
PadRef OnlyOutput(GstElement* element) {
    if (element == nullptr || element->numsrcpads != 1) {
        return {};
    }
    GST_OBJECT_LOCK(element);
    PadRef output = PadRef::Share(GST_PAD(element->srcpads->data));
    GST_OBJECT_UNLOCK(element);
    return output;
}

} // namespace

struct DvdPresentation::Show {
    std::shared_ptr<Lifeline> lifeline;
    Progress progress;
    std::vector<GraphEvent> events;
    GstClockID id = nullptr;
    bool done = false; // shown, or dropped by a flush
    bool endCheck = false;
    std::uint64_t frames = 0; // frames that had reached the sink when the end check was armed

    ~Show() {
        if (id != nullptr) {
            gst_clock_id_unref(id);
        }
    }
};

DvdPresentation::DvdPresentation(Reporter report)
    : report_(std::move(report)), lifeline_(std::make_shared<Lifeline>()) {
    lifeline_->owner = this;
    gst_segment_init(&segment_, GST_FORMAT_TIME);
}

DvdPresentation::~DvdPresentation() {
    Detach();
    std::lock_guard lock(lifeline_->mutex); // waits for a clock callback under way
    lifeline_->owner = nullptr;
}

GstEvent* DvdPresentation::Marker(const DvdPlace& place, std::uint64_t* number) {
    std::uint64_t sequence = 0;
    {
        std::lock_guard lock(mutex_);
        sequence = ++made_;
    }
    if (number != nullptr) {
        *number = sequence;
    }
    GstStructure* structure = gst_structure_new(
        kMarker, "sequence", G_TYPE_UINT64, static_cast<guint64>(sequence), "domain", G_TYPE_UINT,
        static_cast<guint>(place.domain), "title", G_TYPE_UINT, place.title, "chapter", G_TYPE_UINT,
        place.chapter, "ticks", G_TYPE_INT64, static_cast<gint64>(place.ticks), "flags", G_TYPE_UINT,
        place.timeCodeFlags, nullptr);
    return gst_event_new_custom(GST_EVENT_CUSTOM_DOWNSTREAM, structure);
}

bool DvdPresentation::IsMarker(GstEvent* event) {
    const GstStructure* structure = event != nullptr ? gst_event_get_structure(event) : nullptr;
    return structure != nullptr && gst_structure_has_name(structure, kMarker);
}

GstEvent* DvdPresentation::Stamped(GstEvent* marker, GstClockTime timestamp) {
    GstStructure* structure = gst_structure_copy(gst_event_get_structure(marker));
    gst_structure_set(structure, "from", G_TYPE_UINT64, static_cast<guint64>(timestamp), nullptr);
    return gst_event_new_custom(GST_EVENT_CUSTOM_DOWNSTREAM, structure);
}

bool DvdPresentation::IsStamped(GstEvent* event) {
    return IsMarker(event) && gst_structure_has_field(gst_event_get_structure(event), "from");
}

void DvdPresentation::ShowAtEnd(const DvdPlace& place) {
    std::vector<GraphEvent> events;
    {
        std::lock_guard lock(mutex_);
        end_ = {place, made_};
        if (pending_.empty()) {
            events = ArmEndCheckLocked();
        }
    }
    Deliver(events);
}

void DvdPresentation::Reset() {
    std::lock_guard lock(mutex_);
    CancelPendingLocked();
    end_.reset();
    next_ = {};
    next_.marker = made_;
    shown_ = next_;
    anchorTicks_ = -1;
    anchorTimestamp_.reset();
}

void DvdPresentation::SetTimeEvents(bool on) {
    std::lock_guard lock(mutex_);
    timeEvents_ = on;
}

DvdPlace DvdPresentation::Shown() const {
    std::lock_guard lock(mutex_);
    return shown_.place;
}

void DvdPresentation::WaitShown(std::uint64_t marker) {
    constexpr auto kLongest = std::chrono::seconds(3);
    std::unique_lock lock(mutex_);
    const std::uint64_t flushes = flushes_;
    changed_.wait_for(lock, kLongest,
                      [&] { return shown_.marker >= marker || flushes_ != flushes || cancelled_; });
}

void DvdPresentation::CancelWaits() {
    std::lock_guard lock(mutex_);
    cancelled_ = true;
    changed_.notify_all();
}

void DvdPresentation::ResumeWaits() {
    std::lock_guard lock(mutex_);
    cancelled_ = false;
}

PadRef DvdPresentation::FindSinkInput(GstPad* output) {
    PadRef pad = PadRef::Share(output);
    for (int hop = 0; hop < kMaxHops && pad; ++hop) {
        PadRef input = PadRef::Adopt(gst_pad_get_peer(pad.get()));
        if (!input) {
            return {};
        }
        // The peer of a pad leaving a bin is the inside of the bin's ghost pad: go on from the ghost.
        if (GST_IS_PROXY_PAD(input.get()) && GST_PAD_DIRECTION(input.get()) == GST_PAD_SINK) {
            GstProxyPad* ghost = gst_proxy_pad_get_internal(GST_PROXY_PAD(input.get()));
            if (ghost != nullptr && GST_IS_GHOST_PAD(ghost)) {
                pad = PadRef::Adopt(GST_PAD(ghost));
                continue;
            }
            if (ghost != nullptr) {
                gst_object_unref(ghost);
            }
        }
        // A bin's input leads to the input of the element inside.
        while (GST_IS_GHOST_PAD(input.get())) {
            PadRef target = PadRef::Adopt(gst_ghost_pad_get_target(GST_GHOST_PAD(input.get())));
            if (!target) {
                return input;
            }
            input = std::move(target);
        }
        media::ElementRef element = media::ElementRef::Adopt(gst_pad_get_parent_element(input.get()));
        PadRef next = OnlyOutput(element.get());
        if (!next) {
            return input; // a sink, or an element that splits the stream: as far as it can be followed
        }
        pad = std::move(next);
    }
    return {};
}

void DvdPresentation::Attach(GstPad* videoOutput) {
    Detach();
    PadRef watched = FindSinkInput(videoOutput);
    if (!watched) {
        watched = PadRef::Share(videoOutput);
    }
    media::ElementRef sink = media::ElementRef::Adopt(gst_pad_get_parent_element(watched.get()));
    const auto types =
        static_cast<GstPadProbeType>(GST_PAD_PROBE_TYPE_BUFFER | GST_PAD_PROBE_TYPE_BUFFER_LIST |
                                     GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM | GST_PAD_PROBE_TYPE_EVENT_FLUSH);
    const gulong probe = gst_pad_add_probe(watched.get(), types, &DvdPresentation::ProbeThunk, this, nullptr);
    {
        std::lock_guard lock(mutex_);
        gst_segment_init(&segment_, GST_FORMAT_TIME);
    }
    std::lock_guard lock(attachMutex_);
    watched_ = std::move(watched);
    sink_ = std::move(sink);
    probe_ = probe;
}

void DvdPresentation::Detach() {
    {
        std::lock_guard lock(attachMutex_);
        if (watched_ && probe_ != 0) {
            gst_pad_remove_probe(watched_.get(), probe_);
        }
        watched_ = {};
        sink_ = {};
        probe_ = 0;
    }
    std::lock_guard lock(mutex_);
    CancelPendingLocked();
    next_ = shown_;
    if (endCheck_) {
        gst_clock_id_unschedule(endCheck_->id);
        endCheck_->done = true;
        endCheck_.reset();
    }
}

GstPadProbeReturn DvdPresentation::ProbeThunk(GstPad*, GstPadProbeInfo* info, gpointer self) {
    auto* presentation = static_cast<DvdPresentation*>(self);
    if ((info->type & GST_PAD_PROBE_TYPE_BUFFER) != 0) {
        presentation->OnFrame(GST_BUFFER_PTS(GST_PAD_PROBE_INFO_BUFFER(info)));
    } else if ((info->type & GST_PAD_PROBE_TYPE_BUFFER_LIST) != 0) {
        GstBufferList* list = GST_PAD_PROBE_INFO_BUFFER_LIST(info);
        if (gst_buffer_list_length(list) > 0) {
            presentation->OnFrame(GST_BUFFER_PTS(gst_buffer_list_get(list, 0)));
        }
    } else if (GstEvent* event = GST_PAD_PROBE_INFO_EVENT(info)) {
        if (GST_EVENT_TYPE(event) == GST_EVENT_FLUSH_START) {
            presentation->OnFlushed();
        } else if (GST_EVENT_TYPE(event) == GST_EVENT_SEGMENT) {
            presentation->OnSegment(event);
        } else if (IsMarker(event)) {
            presentation->OnMarker(*gst_event_get_structure(event));
        }
    }
    return GST_PAD_PROBE_OK;
}

void DvdPresentation::OnMarker(const GstStructure& marker) {
    guint64 sequence = 0;
    guint domain = 0;
    DvdPlace place;
    gint64 ticks = -1;
    if (!gst_structure_get_uint64(&marker, "sequence", &sequence) ||
        !gst_structure_get_uint(&marker, "domain", &domain) ||
        !gst_structure_get_uint(&marker, "title", &place.title) ||
        !gst_structure_get_uint(&marker, "chapter", &place.chapter) ||
        !gst_structure_get_int64(&marker, "ticks", &ticks) ||
        !gst_structure_get_uint(&marker, "flags", &place.timeCodeFlags)) {
        return;
    }
    place.domain = static_cast<DvdDomain>(domain);
    place.ticks = ticks;
    guint64 from = GST_CLOCK_TIME_NONE;
    gst_structure_get_uint64(&marker, "from", &from);
    std::lock_guard lock(mutex_);
    if (sequence > next_.marker && (marked_.empty() || sequence > marked_.back().marker)) {
        // older ones were made before a place shown at once
        marked_.push_back({place, sequence, from});
    }
}

void DvdPresentation::OnSegment(GstEvent* event) {
    std::lock_guard lock(mutex_);
    gst_event_copy_segment(event, &segment_);
}

void DvdPresentation::OnFrame(GstClockTime timestamp) {
    GstClock* clock = nullptr;
    const std::optional<GstClockTime> due = DueTime(timestamp, &clock);
    std::vector<GraphEvent> events;
    {
        std::lock_guard lock(mutex_);
        ++frames_;
        auto show = std::make_shared<Show>();
        while (!marked_.empty() &&
               (!GST_CLOCK_TIME_IS_VALID(marked_.front().from) || !GST_CLOCK_TIME_IS_VALID(timestamp) ||
                marked_.front().from <= timestamp)) {
            AdvanceLocked(marked_.front().place, show->events);
            next_.marker = marked_.front().marker;
            anchorTicks_ = marked_.front().place.ticks;
            anchorTimestamp_ = marked_.front().from;
            if (!GST_CLOCK_TIME_IS_VALID(marked_.front().from)) {
                anchorTimestamp_.reset();
            }
            marked_.pop_front();
        }
        if (anchorTicks_ >= 0 && next_.place.domain == DvdDomain::Title &&
            GST_CLOCK_TIME_IS_VALID(timestamp)) {
            if (!anchorTimestamp_) {
                anchorTimestamp_ = timestamp;
            }
            // Frames shown before the first one of the unit (reordered pictures) count from the marker.
            const GstClockTime since = timestamp > *anchorTimestamp_ ? timestamp - *anchorTimestamp_ : 0;
            CountTimeLocked(anchorTicks_ + static_cast<std::int64_t>(gst_util_uint64_scale(
                                               since, static_cast<guint64>(kDvdTicksPerSecond), GST_SECOND)),
                            show->events);
        }
        show->progress = next_;
        if (due && clock != nullptr) {
            show->lifeline = lifeline_;
            show->id = gst_clock_new_single_shot_id(clock, *due);
            pending_.push_back(show);
            WaitForClock(show);
        } else {
            events = ShowPendingLocked(std::move(show));
        }
    }
    if (clock != nullptr) {
        gst_object_unref(clock);
    }
    Deliver(events);
}

GstClock* DvdPresentation::RunningClock() const {
    media::ElementRef sink;
    {
        std::lock_guard lock(const_cast<std::mutex&>(attachMutex_));
        sink = sink_;
    }
    gboolean sync = TRUE;
    if (sink && g_object_class_find_property(G_OBJECT_GET_CLASS(sink.get()), "sync") != nullptr) {
        g_object_get(sink.get(), "sync", &sync, nullptr);
    }
    if (!sink || !sync || GST_STATE(sink.get()) != GST_STATE_PLAYING) {
        return nullptr;
    }
    return gst_element_get_clock(sink.get());
}

// A playing sink in step with the clock shows the frame when the clock reaches its running time; a
// paused one (its first frame) or one that does not wait shows it now.
std::optional<GstClockTime> DvdPresentation::DueTime(GstClockTime timestamp, GstClock** clock) const {
    GstClockTime runningTime = GST_CLOCK_TIME_NONE;
    {
        std::lock_guard lock(mutex_);
        if (GST_CLOCK_TIME_IS_VALID(timestamp) && segment_.format == GST_FORMAT_TIME) {
            runningTime = gst_segment_to_running_time(&segment_, GST_FORMAT_TIME, timestamp);
        }
    }
    if (!GST_CLOCK_TIME_IS_VALID(runningTime)) {
        return std::nullopt;
    }
    *clock = RunningClock();
    media::ElementRef sink;
    {
        std::lock_guard lock(const_cast<std::mutex&>(attachMutex_));
        sink = sink_;
    }
    if (*clock == nullptr || !sink) {
        return std::nullopt;
    }
    const GstClockTime due = gst_element_get_base_time(sink.get()) + runningTime;
    if (gst_clock_get_time(*clock) >= due) {
        return std::nullopt;
    }
    return due;
}

// The clock's thread takes the show over under the clock's own lock.
void DvdPresentation::WaitForClock(const std::shared_ptr<Show>& show) {
    auto* held = new std::shared_ptr<Show>(show);
    media::HandOver(held);
    gst_clock_id_wait_async(show->id, &DvdPresentation::ClockThunk, held,
                            [](gpointer data) { delete static_cast<std::shared_ptr<Show>*>(data); });
}

gboolean DvdPresentation::ClockThunk(GstClock*, GstClockTime, GstClockID, gpointer data) {
    media::TakeOver(data);
    const std::shared_ptr<Show>& show = *static_cast<std::shared_ptr<Show>*>(data);
    std::lock_guard lock(show->lifeline->mutex);
    if (show->lifeline->owner != nullptr) {
        show->lifeline->owner->OnClock(show);
    }
    return TRUE;
}

void DvdPresentation::OnClock(const std::shared_ptr<Show>& show) {
    if (show->endCheck) {
        OnEndCheck(show);
        return;
    }
    std::vector<GraphEvent> events;
    {
        std::lock_guard lock(mutex_);
        if (show->done) {
            return;
        }
        // Shows are due in the order they were made: those before it are shown with it.
        while (!pending_.empty()) {
            const std::shared_ptr<Show> first = pending_.front();
            pending_.pop_front();
            first->done = true;
            events.insert(events.end(), first->events.begin(), first->events.end());
            shown_ = first->progress;
            if (first == show) {
                break;
            }
        }
        changed_.notify_all();
        if (end_ && pending_.empty()) {
            const std::vector<GraphEvent> end = ArmEndCheckLocked();
            events.insert(events.end(), end.begin(), end.end());
        }
    }
    Deliver(events);
}

void DvdPresentation::OnEndCheck(const std::shared_ptr<Show>& check) {
    std::vector<GraphEvent> events;
    {
        std::lock_guard lock(mutex_);
        if (check->done || check != endCheck_) {
            return;
        }
        check->done = true;
        endCheck_.reset();
        if (!pending_.empty()) {
            return; // frames still came: the last one shown arms the check again
        }
        events = frames_ != check->frames ? ArmEndCheckLocked() : ShowEndLocked();
    }
    Deliver(events);
}

std::vector<GraphEvent> DvdPresentation::ArmEndCheckLocked() {
    if (endCheck_) {
        return {};
    }
    GstClock* clock = RunningClock();
    if (clock == nullptr) {
        return ShowEndLocked();
    }
    auto check = std::make_shared<Show>();
    check->lifeline = lifeline_;
    check->endCheck = true;
    check->frames = frames_;
    check->id = gst_clock_new_single_shot_id(clock, gst_clock_get_time(clock) + kQuietAtEnd);
    endCheck_ = check;
    WaitForClock(check);
    gst_object_unref(clock);
    return {};
}

std::vector<GraphEvent> DvdPresentation::ShowEndLocked() {
    if (!end_) {
        return {};
    }
    if (endCheck_) {
        gst_clock_id_unschedule(endCheck_->id);
        endCheck_->done = true;
        endCheck_.reset();
    }
    auto show = std::make_shared<Show>();
    AdvanceLocked(end_->first, show->events);
    next_.marker = std::max(next_.marker, end_->second);
    anchorTicks_ = -1;
    anchorTimestamp_.reset();
    end_.reset();
    show->progress = next_;
    return ShowPendingLocked(std::move(show));
}

std::vector<GraphEvent> DvdPresentation::ShowPendingLocked(std::shared_ptr<Show> last) {
    pending_.push_back(std::move(last));
    std::vector<GraphEvent> events;
    for (const std::shared_ptr<Show>& show : pending_) {
        if (show->id != nullptr) {
            gst_clock_id_unschedule(show->id);
        }
        show->done = true;
        events.insert(events.end(), show->events.begin(), show->events.end());
        shown_ = show->progress;
    }
    pending_.clear();
    changed_.notify_all();
    return events;
}

void DvdPresentation::CancelPendingLocked() {
    for (const std::shared_ptr<Show>& show : pending_) {
        gst_clock_id_unschedule(show->id);
        show->done = true;
    }
    pending_.clear();
    marked_.clear();
}

// The frames not yet shown are dropped: what comes next starts from what was shown (after an end
// place waiting for them), and the next marker gives the time again (timestamps start over).
void DvdPresentation::OnFlushed() {
    std::vector<GraphEvent> events;
    {
        std::lock_guard lock(mutex_);
        CancelPendingLocked();
        const std::uint64_t marker = next_.marker;
        next_ = shown_;
        next_.marker = marker;
        anchorTicks_ = -1;
        anchorTimestamp_.reset();
        ++flushes_;
        changed_.notify_all();
        events = ShowEndLocked(); // the frames before the end are gone
    }
    Deliver(events);
}

void DvdPresentation::AdvanceLocked(const DvdPlace& place, std::vector<GraphEvent>& events) {
    DvdPlace& now = next_.place;
    if (place.domain != now.domain) {
        events.push_back({EC_DVD_DOMAIN_CHANGE, static_cast<std::int64_t>(place.domain), 0, {}});
    }
    if (place.domain == DvdDomain::Title && place.title > 0) {
        if (place.title != now.title) {
            events.push_back({EC_DVD_TITLE_CHANGE, place.title, 0, {}});
            now.chapter = 0;
            next_.second = ~0u;
        }
        if (place.chapter > 0 && place.chapter != now.chapter) {
            events.push_back({EC_DVD_CHAPTER_START, place.chapter, 0, {}});
        }
    }
    const std::int64_t ticks = now.domain == place.domain && now.title == place.title ? now.ticks : -1;
    now = place;
    now.ticks = ticks;
    if (place.domain != DvdDomain::Title) {
        now.title = 0;
        now.chapter = 0;
        next_.second = ~0u;
    }
}

void DvdPresentation::CountTimeLocked(std::int64_t ticks, std::vector<GraphEvent>& events) {
    next_.place.ticks = ticks;
    if (timeEvents_ && SecondOf(ticks) != next_.second) {
        next_.second = SecondOf(ticks);
        events.push_back({EC_DVD_CURRENT_HMSF_TIME,
                          DvdTimeCode::FromTicks(ticks, next_.place.timeCodeFlags).Packed(),
                          next_.place.timeCodeFlags,
                          {}});
    }
}

void DvdPresentation::Deliver(const std::vector<GraphEvent>& events) const {
    if (!events.empty() && report_) {
        report_(events);
    }
}

} // namespace plat::dvd
